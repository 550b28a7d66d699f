#include "MirtKeyDialog.h"

#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace {

constexpr int kDialogWidth = 400;
constexpr int kDialogHeight = 258;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 34;

MirtPushButton *makeButton(const QString &image, const QString &name, QWidget *parent)
{
    auto *b = new MirtPushButton({image}, parent);
    b->setObjectName(name);
    b->SetFontSize(14);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}

} // namespace

MirtKeyDialog::MirtKeyDialog(const QString &title, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_pTitle(new MirtLabel(title, this)),
      m_pPrompt(new MirtLabel(QString(), this)), m_pKeyLabel(new QLabel(this)),
      m_pYesBtn(makeButton(QStringLiteral(":/yes_Btn"), QStringLiteral("msgBoxYesBtn"), this)),
      m_pNoBtn(makeButton(QStringLiteral(":/no_Btn"), QStringLiteral("msgBoxNoBtn"), this))
{
    MirtKit::initResources();
    setAttribute(Qt::WA_TranslucentBackground, true);
    setModal(true);
    setWindowTitle(title);
    setFixedSize(MirtKit::scaled(kDialogWidth), MirtKit::scaled(kDialogHeight));
    m_background = MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png"));

    m_pTitle->SetBold(true);
    m_pTitle->SetFontSize(16);
    m_pPrompt->setObjectName(QStringLiteral("keyPrompt"));
    m_pPrompt->SetFontSize(13);
    m_pPrompt->SetTextColor(MirtKit::mutedTextColor());
    m_pPrompt->setAlignment(Qt::AlignCenter);
    m_pKeyLabel->setObjectName(QStringLiteral("keyDisplay"));
    m_pKeyLabel->setAlignment(Qt::AlignCenter);
    m_pKeyLabel->setFocusPolicy(Qt::StrongFocus);
    QFont mono;
    mono.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono")});
    mono.setStyleHint(QFont::Monospace);
    mono.setBold(true);
    mono.setPixelSize(qMax(1, MirtKit::scaled(16)));
    m_pKeyLabel->setFont(mono);
    const QColor accent = MirtKit::accentColor();
    m_pKeyLabel->setStyleSheet(
        QStringLiteral("QLabel{color:%1;background:rgba(0,0,0,110);border:1px solid %2;"
                       "border-radius:%3px;}")
            .arg(MirtKit::textColor().name(), accent.name())
            .arg(MirtKit::scaled(3)));

    m_pYesBtn->setText(tr("OK"));
    m_pNoBtn->setText(tr("Cancel"));
    connect(m_pYesBtn, &QAbstractButton::released, this, &QDialog::accept);
    connect(m_pNoBtn, &QAbstractButton::released, this, &QDialog::reject);
    installEventFilter(this);
    m_pKeyLabel->installEventFilter(this);
    layoutCommon(92);
}

void MirtKeyDialog::layoutCommon(int keyTop)
{
    auto place = [](QWidget *w, int x, int y, int ww, int hh) {
        w->setGeometry(MirtKit::scaled(x), MirtKit::scaled(y), MirtKit::scaled(ww), MirtKit::scaled(hh));
    };
    place(m_pTitle, 30, 22, kDialogWidth - 60, 30);
    place(m_pPrompt, 30, keyTop - 34, kDialogWidth - 60, 28);
    place(m_pKeyLabel, 40, keyTop, kDialogWidth - 80, 44);
    const int y = kDialogHeight - kButtonHeight - 28;
    place(m_pYesBtn, kDialogWidth / 2 - kButtonWidth - 15, y, kButtonWidth, kButtonHeight);
    place(m_pNoBtn, kDialogWidth / 2 + 15, y, kButtonWidth, kButtonHeight);
}

void MirtKeyDialog::feedScanCode(int scanCode, uint32_t flags)
{
    const int keyIndex = ButtonModel::keyIndexFromScan(scanCode, flags);
    if (m_filter.accept(keyIndex, flags))
        keyEvent(keyIndex, flags);
}

void MirtKeyDialog::handleKey(QKeyEvent *event)
{
    // X11 and Wayland report the evdev code + 8; without one, the Qt key.
    int evdev = event->nativeScanCode() > 8 ? int(event->nativeScanCode()) - 8 : 0;
    if (evdev == 0)
        evdev = ButtonModel::evdevFromQtKey(event->key());
    const bool release = event->type() == QEvent::KeyRelease;
    if (!release)
        m_pressed.insert(evdev);
    else if (!event->isAutoRepeat() && !m_pressed.remove(evdev))
        return;
    int scan = 0;
    uint32_t flags = 0;
    if (ButtonModel::scanFromEvdev(evdev, release, &scan, &flags))
        feedScanCode(scan, flags);
}

bool MirtKeyDialog::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (watched == this || watched == m_pKeyLabel) {
            event->accept(); // no shortcut acts while a key is captured
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched == this || watched == m_pKeyLabel) {
            if (wantsKeyEvent(watched))
                handleKey(static_cast<QKeyEvent *>(event));
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void MirtKeyDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_pKeyLabel->setFocus(Qt::OtherFocusReason);
}

void MirtKeyDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    MirtKit::paintDialog(p, rect(), m_background);
}
