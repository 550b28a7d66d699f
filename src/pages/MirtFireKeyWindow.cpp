#include "MirtFireKeyWindow.h"

#include "FieldRevert.h"
#include "KeyTables.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "PageStyle.h"

#include <QCheckBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace ButtonModel;

MirtFireKeyWindow::MirtFireKeyWindow(QWidget *parent)
    : MirtKeyDialog(tr("FireKey Setting"), parent), m_pTimesLabel(new MirtLabel(tr("Times:"), this)),
      m_pDelayLabel(new MirtLabel(tr("Delay:"), this)),
      m_pTimesEdit(new QLineEdit(QStringLiteral("3"), this)),
      m_pDelayEdit(new QLineEdit(QStringLiteral("100"), this))
{
    setObjectName(QStringLiteral("MirtFireKeyWindow"));
    const QStringList names = {tr("Left"), tr("Right"), tr("Middle"), tr("Keyboard Key")};
    const QString boxSheet = PageStyle::checkBoxSheet();
    const QFont font = MirtKit::languageFont(13);
    for (int i = 0; i < 4; ++i) {
        auto *box = new QCheckBox(names.at(i), this);
        box->setObjectName(QStringLiteral("fireSource%1").arg(i));
        box->setStyleSheet(boxSheet);
        box->setFont(font);
        box->setFocusPolicy(Qt::NoFocus);
        connect(box, &QCheckBox::clicked, this, &MirtFireKeyWindow::checkbtn_clicked);
        m_boxes[size_t(i)] = box;
    }
    const QColor text = MirtKit::textColor();
    const QColor accent = MirtKit::accentColor();
    for (QLineEdit *edit : {m_pTimesEdit, m_pDelayEdit}) {
        edit->setMaxLength(3);
        edit->setValidator(new QIntValidator(kFireMin, kFireMax, edit));
        edit->setAlignment(Qt::AlignCenter);
        edit->setFont(font);
        edit->setStyleSheet(
            QStringLiteral("QLineEdit{color:%1;background:rgba(0,0,0,110);border:1px solid %2;}")
                .arg(text.name(), accent.name()));
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &MirtFireKeyWindow::OnEditDataChanged);
        connect(edit, &QLineEdit::returnPressed, this, &MirtFireKeyWindow::onEditReturn);
        FieldRevert::keepLastAccepted(edit);
    }
    m_pTimesEdit->setObjectName(QStringLiteral("timesEdit"));
    m_pDelayEdit->setObjectName(QStringLiteral("delayEdit"));
    for (MirtLabel *l : {m_pTimesLabel, m_pDelayLabel}) {
        l->SetFontSize(13);
        l->SetBold(true);
    }

    // Title, the four sources, the key display, the two fields, the buttons.
    layoutCommon(104);
    auto place = [](QWidget *w, int x, int y, int ww, int hh) {
        w->setGeometry(MirtKit::scaled(x), MirtKit::scaled(y), MirtKit::scaled(ww), MirtKit::scaled(hh));
    };
    const int xs[4] = {30, 96, 170, 252};
    const int ws[4] = {64, 72, 80, 124};
    for (int i = 0; i < 4; ++i)
        place(m_boxes[size_t(i)], xs[i], 78, ws[i], 26);
    place(m_pPrompt, 30, 52, 340, 24);
    place(m_pKeyLabel, 40, 108, 320, 34);
    place(m_pTimesLabel, 40, 150, 70, 28);
    place(m_pTimesEdit, 110, 150, 60, 28);
    place(m_pDelayLabel, 210, 150, 70, 28);
    place(m_pDelayEdit, 280, 150, 60, 28);
    setSource(kFireLeft);
}

void MirtFireKeyWindow::fill(const ButtonAssignment &button)
{
    const FireSettings f = fireSettings(button);
    m_pTimesEdit->setText(QString::number(f.times));
    m_pDelayEdit->setText(QString::asprintf("%d", f.delay));
    setSource(f.source);
    if (f.source == kFireKeyboard) {
        m_iKey = f.key;
        m_pKeyLabel->setText(KeyTables::keyName(f.key));
    }
}

FireSettings MirtFireKeyWindow::settings() const
{
    FireSettings f;
    f.source = m_iSource;
    f.key = m_iKey;
    f.times = m_pTimesEdit->text().toInt(nullptr, 10);
    f.delay = m_pDelayEdit->text().toInt(nullptr, 10);
    return f;
}

void MirtFireKeyWindow::setSource(int source)
{
    m_iSource = source;
    for (int i = 0; i < 4; ++i)
        m_boxes[size_t(i)]->setChecked(i == source);
    m_bCapturing = source == kFireKeyboard;
    m_pKeyLabel->setEnabled(m_bCapturing);
    m_pPrompt->setText(m_bCapturing ? tr("Press the key…")
                                    : tr("Choose what fires, or Keyboard Key to press one."));
    if (m_bCapturing) {
        m_pKeyLabel->setFocus(Qt::OtherFocusReason);
    } else {
        m_iKey = 0;
        m_pKeyLabel->clear();
    }
}

void MirtFireKeyWindow::checkbtn_clicked()
{
    const int source = int(std::find(m_boxes.begin(), m_boxes.end(), sender()) - m_boxes.begin());
    if (source >= 4)
        return;
    setSource(source);
    const FireSettings f = settings();
    emit SetFireKeyValue(uchar(f.key), uchar(f.source), f.times, f.delay);
}

void MirtFireKeyWindow::OnEditDataChanged(const QString &) {}

void MirtFireKeyWindow::onEditReturn()
{
    m_bSkipOnce = true;
    m_pKeyLabel->setFocus(Qt::OtherFocusReason);
}

bool MirtFireKeyWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Keys typed into a number field stay there; the ones the field passes
    // up to the dialog (Return) are not captured either.
    if ((watched == m_pTimesEdit || watched == m_pDelayEdit) &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        m_bFromField = true; // until this event has gone up the chain
        QMetaObject::invokeMethod(
            this, [this] { m_bFromField = false; }, Qt::QueuedConnection);
        return false;
    }
    return MirtKeyDialog::eventFilter(watched, event);
}

bool MirtFireKeyWindow::wantsKeyEvent(QObject *)
{
    if (m_bFromField)
        return false;
    if (m_pTimesEdit->hasFocus() || m_pDelayEdit->hasFocus())
        return false;
    if (m_bSkipOnce) {
        m_bSkipOnce = false;
        return false;
    }
    return m_bCapturing;
}

void MirtFireKeyWindow::keyEvent(int keyIndex, uint32_t)
{
    if (!m_bCapturing || m_iSource != kFireKeyboard)
        return;
    m_iKey = keyIndex;
    m_pKeyLabel->setText(KeyTables::keyName(keyIndex));
}
