#include "MirtSingleKeyWindow.h"

#include "KeyTables.h"
#include "MirtLabel.h"

#include <QLabel>

MirtSingleKeyWindow::MirtSingleKeyWindow(QWidget *parent) : MirtKeyDialog(tr("Single Key"), parent)
{
    setObjectName(QStringLiteral("MirtSingleKeyWindow"));
    m_pPrompt->setText(tr("Press the key…"));
}

void MirtSingleKeyWindow::fill(int keyIndex)
{
    m_iKey = uchar(keyIndex);
    m_pKeyLabel->setText(KeyTables::keyName(keyIndex));
}

void MirtSingleKeyWindow::keyEvent(int keyIndex, uint32_t)
{
    fill(keyIndex);
    emit SetSingleKeyValue(m_iKey);
}
