#include "MirtComboKeyWindow.h"

#include "Log.h"
#include "MirtLabel.h"

#include <QLabel>

MirtComboKeyWindow::MirtComboKeyWindow(QWidget *parent) : MirtKeyDialog(tr("Combo Key"), parent)
{
    setObjectName(QStringLiteral("MirtComboKeyWindow"));
    m_pPrompt->setText(tr("Hold the modifiers and press the key…"));
}

MirtComboKeyWindow::~MirtComboKeyWindow()
{
    release();
}

void MirtComboKeyWindow::fill(const ButtonAssignment &button)
{
    m_capture.fill(button);
    m_pKeyLabel->setText(m_capture.displayText());
}

void MirtComboKeyWindow::keyEvent(int keyIndex, uint32_t flags)
{
    qCDebug(lcPages, "MirtComboKeyWindow dwVCode = %x dwFlag = %x", unsigned(keyIndex), unsigned(flags));
    m_capture.keyEvent(keyIndex, flags);
    m_pKeyLabel->setText(m_capture.displayText());
    if (ButtonModel::isKeyDown(flags))
        emit SetComboKeyValue(m_capture.comboKey());
}

void MirtComboKeyWindow::showEvent(QShowEvent *event)
{
    MirtKeyDialog::showEvent(event);
    if (!m_bGrabbed) {
        grabKeyboard();
        m_bGrabbed = true;
    }
}

void MirtComboKeyWindow::hideEvent(QHideEvent *event)
{
    release();
    MirtKeyDialog::hideEvent(event);
}

void MirtComboKeyWindow::release()
{
    if (m_bGrabbed) {
        releaseKeyboard();
        m_bGrabbed = false;
    }
}
