#pragma once
// "COMBO KEY": up to four modifiers and one other key, the state at the last
// key-down. The keyboard is grabbed while the dialog is open, so that Alt+Tab
// or the Super key is captured, not acted on.

#include "MirtKeyDialog.h"

class MirtComboKeyWindow : public MirtKeyDialog
{
    Q_OBJECT

public:
    explicit MirtComboKeyWindow(QWidget *parent = nullptr);
    ~MirtComboKeyWindow() override;

    // Filled from the first five KeyInfo entries of BUTTON.
    void fill(const ButtonAssignment &button);
    const ButtonModel::ComboCapture &capture() const { return m_capture; }
    bool keyboardGrabbed() const { return m_bGrabbed; }

signals:
    void SetComboKeyValue(const std::array<uint8_t, ButtonCatalogue::kComboSlots> &iComboKey);

protected:
    void keyEvent(int keyIndex, uint32_t flags) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void release();

    ButtonModel::ComboCapture m_capture;
    bool m_bGrabbed = false;
};
