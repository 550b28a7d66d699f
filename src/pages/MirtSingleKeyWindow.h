#pragma once
// "SINGLE KEY": captures one key; the last key event before "OK" decides.

#include "MirtKeyDialog.h"

class MirtSingleKeyWindow : public MirtKeyDialog
{
    Q_OBJECT

public:
    explicit MirtSingleKeyWindow(QWidget *parent = nullptr);

    // Shows the key KEYINDEX (the record's Res1) as captured.
    void fill(int keyIndex);
    uchar key() const { return m_iKey; }

signals:
    void SetSingleKeyValue(uchar iKey);

protected:
    void keyEvent(int keyIndex, uint32_t flags) override;

private:
    uchar m_iKey = 0;
};
