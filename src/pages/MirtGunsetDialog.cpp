#include "MirtGunsetDialog.h"

#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "PageStyle.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>

namespace {
constexpr int kWidth = 619;
constexpr int kHeight = 400;
constexpr int kColumn0 = 150; // design x of the first shot column
constexpr int kColumnStep = 84;
constexpr int kBulletTop = 92;

void place(QWidget *w, int x, int y, int width, int height)
{
    w->setGeometry(MirtKit::scaled(x), MirtKit::scaled(y), MirtKit::scaled(width), MirtKit::scaled(height));
}

MirtLabel *label(const QString &text, QWidget *parent, int x, int y, int width)
{
    auto *l = new MirtLabel(text, parent);
    l->SetFontSize(12);
    place(l, x, y, width, 22);
    return l;
}
} // namespace

MirtGunsetDialog::MirtGunsetDialog(QWidget *parent, double)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog),
      m_background(MirtKit::skinPixmap(QStringLiteral("/skin/dlg_gun.png"))),
      m_bullet(MirtKit::skinPixmap(QStringLiteral("/skin/gunset_bullet.png")))
{
    setObjectName(QStringLiteral("gunSetDialog"));
    setWindowTitle(QStringLiteral("Gun Set"));
    setFixedSize(MirtKit::scaled(kWidth), MirtKit::scaled(kHeight));

    auto *title = label(tr("GUN SET"), this, 24, 14, 300);
    title->SetBold(true);
    label(tr("GUNFILE NAME"), this, 24, 52, 120);
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("gunNameEdit"));
    m_pNameEdit->setMaxLength(100);
    m_pNameEdit->setFont(MirtKit::languageFont(12));
    m_pNameEdit->setStyleSheet(
        QStringLiteral("QLineEdit { background: #15171b; color: %1; border: 1px solid #3a3d44; }")
            .arg(MirtKit::textColor().name()));
    place(m_pNameEdit, 150, 52, 200, 24);

    label(tr("BULLETS"), this, 380, 52, 80);
    m_pShotBtn = new MirtPushButton({QStringLiteral("/skin/bulletsel.png")}, this);
    m_pShotBtn->setObjectName(QStringLiteral("bulletButton"));
    place(m_pShotBtn, 460, 50, 70, 26);
    auto *menu = new QMenu(m_pShotBtn);
    menu->setStyleSheet(MirtKit::menuStyleSheet(70));
    for (int n = 1; n <= MacroSelection::kShotsMax; ++n)
        menu->addAction(QString::number(n), this, [this, n] { setShotCount(n); });
    m_pShotBtn->setMenu(menu);

    label(tr("DELAY(MS)"), this, 24, 130, 120);
    label(QStringLiteral("Y"), this, 24, 164, 120);
    label(QStringLiteral("X"), this, 24, 198, 120);
    for (int i = 0; i < MacroSelection::kShotsMax; ++i) {
        const int x = kColumn0 + i * kColumnStep;
        auto spin = [this, x](int top, int minimum, int maximum, int value, const QString &name) {
            auto *s = new QSpinBox(this);
            s->setObjectName(name);
            s->setRange(minimum, maximum);
            s->setValue(value);
            s->setStyleSheet(PageStyle::spinBoxSheet());
            s->setFont(MirtKit::languageFont(12));
            place(s, x, top, 70, 24);
            connect(s, QOverload<int>::of(&QSpinBox::valueChanged), this, &MirtGunsetDialog::refreshEvents);
            return s;
        };
        m_pDelay[i] = spin(130, 1, 999, 100, QStringLiteral("gunDelay%1").arg(i));
        m_pY[i] = spin(164, -100, 100, 0, QStringLiteral("gunY%1").arg(i));
        m_pX[i] = spin(198, -100, 100, 0, QStringLiteral("gunX%1").arg(i));
    }
    m_pEvents = new QListWidget(this);
    m_pEvents->setObjectName(QStringLiteral("gunEventList"));
    m_pEvents->setStyleSheet(
        QStringLiteral("QListWidget { background: #15171b; color: %1; border: 1px solid #3a3d44; }")
            .arg(MirtKit::textColor().name()));
    m_pEvents->setFont(MirtKit::languageFont(12)); // at the window's scale, as the fields above
    m_pEvents->setFlow(QListView::LeftToRight);
    m_pEvents->setWrapping(true);
    place(m_pEvents, 24, 240, 571, 80);

    m_pYesBtn = new MirtPushButton({QStringLiteral(":/yes_Btn")}, this);
    m_pYesBtn->setObjectName(QStringLiteral("gunYesButton"));
    m_pYesBtn->setText(tr("Yes"));
    place(m_pYesBtn, kWidth / 2 - 110, 340, 90, 32);
    m_pNoBtn = new MirtPushButton({QStringLiteral(":/no_Btn")}, this);
    m_pNoBtn->setObjectName(QStringLiteral("gunNoButton"));
    m_pNoBtn->setText(tr("No"));
    place(m_pNoBtn, kWidth / 2 + 20, 340, 90, 32);
    connect(m_pYesBtn, &QAbstractButton::clicked, this, &MirtGunsetDialog::OnYesClick);
    connect(m_pNoBtn, &QAbstractButton::clicked, this, &QDialog::reject);
    setShotCount(MacroSelection::kShotsMax);
}

void MirtGunsetDialog::setShotCount(int n)
{
    m_iShots = qBound(1, n, MacroSelection::kShotsMax);
    m_pShotBtn->setText(QString::number(m_iShots));
    for (int i = 0; i < MacroSelection::kShotsMax; ++i) {
        for (QSpinBox *s : {m_pDelay[i], m_pY[i], m_pX[i]})
            s->setEnabled(i < m_iShots);
    }
    refreshEvents();
    update();
}

void MirtGunsetDialog::refreshEvents()
{
    // The list shows what "Yes" will store, as the shots are set.
    m_pEvents->clear();
    for (const MacroEvent &e : MacroSelection::gunEvents(shots()))
        m_pEvents->addItem(QStringLiteral("(%1,%2,%3)").arg(e.type).arg(e.high).arg(e.low));
}

QVector<MacroSelection::Shot> MirtGunsetDialog::shots() const
{
    QVector<MacroSelection::Shot> list;
    for (int i = 0; i < m_iShots; ++i)
        list.append({m_pDelay[i]->value(), m_pY[i]->value(), m_pX[i]->value()});
    return list;
}

void MirtGunsetDialog::OnYesClick()
{
    if (m_pNameEdit->text().isEmpty()) {
        const QString text = MacroSelection::tr(MacroSelection::kNoFileName);
        if (m_message) {
            m_message(text);
        } else {
            MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"), text, this);
            box.exec();
        }
        return;
    }
    refreshEvents();
    m_strResultName = m_pNameEdit->text();
    accept();
}

void MirtGunsetDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    MirtKit::paintDialog(p, rect(), m_background);
    // One bullet per shot above its column, inside the frame.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < m_iShots && !m_bullet.isNull(); ++i) {
        const QRect r(MirtKit::scaled(kColumn0 + i * kColumnStep + 23), MirtKit::scaled(kBulletTop),
                      MirtKit::scaled(24), MirtKit::scaled(30));
        p.drawPixmap(r, m_bullet);
    }
}
