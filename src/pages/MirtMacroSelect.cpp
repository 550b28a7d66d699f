#include "MirtMacroSelect.h"

#include "FieldRevert.h"
#include "MacroFile.h"
#include "MacroModel.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"

#include <QCheckBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>

namespace {
constexpr int kWidth = 478;
constexpr int kHeight = 309;

void place(QWidget *w, int x, int y, int width, int height)
{
    w->setGeometry(MirtKit::scaled(x), MirtKit::scaled(y), MirtKit::scaled(width), MirtKit::scaled(height));
}

QString boxSheet()
{
    return QStringLiteral("QCheckBox { color: %1; } QCheckBox::indicator { width: %2px; height: %2px; }"
                          "QCheckBox::indicator:unchecked { image: url(%3); }"
                          "QCheckBox::indicator:checked { image: url(%4); }")
        .arg(MirtKit::textColor().name())
        .arg(MirtKit::scaled(14))
        .arg(MirtKit::skinPath(QStringLiteral("/skin/checkbox2-1.png")),
             MirtKit::skinPath(QStringLiteral("/skin/checkbox2-2.png")));
}
} // namespace

MirtMacroSelect::MirtMacroSelect(const QString &title, const QString &name, int iLoop, int iMode, int iOption,
                                 QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_strName(name), m_iOption(iOption),
      m_background(MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png")))
{
    setObjectName(QStringLiteral("macroSelectDialog"));
    setFixedSize(MirtKit::scaled(kWidth), MirtKit::scaled(kHeight));

    auto *titleLabel = new MirtLabel(title, this);
    titleLabel->SetBold(true);
    titleLabel->SetFontSize(14);
    place(titleLabel, 24, 14, 300, 24);

    m_pNameBtn = new MirtPushButton({QStringLiteral("/skin/profilesel.png")}, this);
    m_pNameBtn->setObjectName(QStringLiteral("macroNameButton"));
    m_pNameBtn->SetFontSize(12);
    place(m_pNameBtn, 60, 56, 358, 30);
    auto *menu = new QMenu(m_pNameBtn);
    menu->setStyleSheet(MirtKit::menuStyleSheet(358));
    for (const QString &entry : MacroFile::libraryNames())
        menu->addAction(entry, this, [this, entry] { chooseName(entry); });
    m_pNameBtn->setMenu(menu);
    m_pNameBtn->setText(name);

    const char *const modes[3] = {QT_TR_NOOP("LOOPS TIME(1-255)"), QT_TR_NOOP("REPEAT RUN WHEN KEY DOWN"),
                                  QT_TR_NOOP("REPEAT RUN UNTILL THE KEY DOWN")};
    for (int i = 0; i < 3; ++i) {
        m_pModeBox[i] = new QCheckBox(tr(modes[i]), this);
        m_pModeBox[i]->setObjectName(QStringLiteral("modeBox%1").arg(i));
        place(m_pModeBox[i], 60, 104 + i * 32, 260, 24);
    }
    m_pLoopEdit = new QLineEdit(QString::number(iLoop), this);
    m_pLoopEdit->setObjectName(QStringLiteral("loopEdit"));
    m_pLoopEdit->setMaxLength(3);
    m_pLoopEdit->setValidator(
        new QIntValidator(MacroSelection::kLoopMin, MacroSelection::kLoopMax, m_pLoopEdit));
    m_pLoopEdit->setAlignment(Qt::AlignCenter);
    m_pLoopEdit->setStyleSheet(
        QStringLiteral("QLineEdit { background: #15171b; color: %1; border: 1px solid #3a3d44; }")
            .arg(MirtKit::textColor().name()));
    m_pLoopEdit->setFont(MirtKit::languageFont(12));
    place(m_pLoopEdit, 330, 104, 60, 24);
    FieldRevert::keepLastAccepted(m_pLoopEdit);
    m_pLeftBox = new QCheckBox(tr("Left Button Macro"), this);
    m_pLeftBox->setObjectName(QStringLiteral("leftButtonBox"));
    place(m_pLeftBox, 60, 200, 260, 24);
    for (QCheckBox *box : {m_pModeBox[0], m_pModeBox[1], m_pModeBox[2], m_pLeftBox}) {
        box->setStyleSheet(boxSheet());
        box->setFont(MirtKit::languageFont(12));
        connect(box, &QCheckBox::clicked, this, [this, box] { chooseBox(box); });
    }
    // The initial run mode's box; with the option, the left button box alone.
    for (int i = 0; i < 3; ++i)
        m_pModeBox[i]->setChecked(i == iMode && iOption != 1);
    m_pLeftBox->setChecked(iOption == 1);

    auto *ok = new MirtPushButton({QStringLiteral(":/yes_Btn")}, this);
    ok->setObjectName(QStringLiteral("macroSelectOk"));
    ok->setText(tr("OK"));
    place(ok, kWidth / 2 - 110, 250, 90, 32);
    auto *cancel = new MirtPushButton({QStringLiteral(":/no_Btn")}, this);
    cancel->setObjectName(QStringLiteral("macroSelectCancel"));
    cancel->setText(tr("Cancel"));
    place(cancel, kWidth / 2 + 20, 250, 90, 32);
    connect(ok, &QAbstractButton::clicked, this, &MirtMacroSelect::onOk);
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void MirtMacroSelect::setSlotCheck(const MacroModel::Buttons *buttons, int record)
{
    m_pButtons = buttons;
    m_iRecord = record;
}

void MirtMacroSelect::chooseName(const QString &name)
{
    m_strName = name;
    m_pNameBtn->setText(name);
}

void MirtMacroSelect::chooseBox(QCheckBox *box)
{
    // The four boxes act as one group.
    for (QCheckBox *b : {m_pModeBox[0], m_pModeBox[1], m_pModeBox[2], m_pLeftBox})
        b->setChecked(b == box);
    m_iOption = box == m_pLeftBox ? 1 : 0;
}

int MirtMacroSelect::loopCount() const
{
    return m_pLoopEdit->text().toInt(nullptr, 10);
}

int MirtMacroSelect::runMode() const
{
    for (int i = 0; i < 3; ++i) {
        if (m_pModeBox[i]->isChecked())
            return i;
    }
    return MacroSelection::kLoopTimes;
}

void MirtMacroSelect::onOk()
{
    if (m_pButtons && MacroModel::needsThirteenthSlot(*m_pButtons, m_iRecord, m_strName)) {
        const QString text = MacroModel::tr(MacroModel::kSlotOverflow);
        if (m_message) {
            m_message(text);
        } else {
            MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"), text, this);
            box.exec();
        }
        return;
    }
    accept();
}

void MirtMacroSelect::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    MirtKit::paintDialog(p, rect(), m_background);
}
