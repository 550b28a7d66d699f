#pragma once
// The common form of the key capture dialogs: a frameless 400 × 258 dialog
// on the skin's dialog picture with a title, the captured key display and
// "OK" and "Cancel". Every key event that reaches the dialog is turned into
// the program's key index (native scan code − 8 is the evdev code), passed
// through the repeat filter and handed to keyEvent(); it never acts on the
// dialog itself, so Esc, Return and Tab can be captured too.

#include "ButtonModel.h"

#include <QDialog>
#include <QPixmap>
#include <QSet>

class MirtLabel;
class MirtPushButton;
class QKeyEvent;
class QLabel;

class MirtKeyDialog : public QDialog
{
    Q_OBJECT

public:
    MirtKeyDialog(const QString &title, QWidget *parent);

    // One key event as the keyboard reports it (scan code and flags of the
    // key-index rules); the repeat filter applies. Tests call it directly.
    void feedScanCode(int scanCode, uint32_t flags);
    QLabel *keyDisplay() const { return m_pKeyLabel; }
    // What the user is to do ("Press the key…").
    MirtLabel *prompt() const { return m_pPrompt; }
    MirtPushButton *okButton() const { return m_pYesBtn; }
    MirtPushButton *cancelButton() const { return m_pNoBtn; }

protected:
    // A key event after the repeat filter.
    virtual void keyEvent(int keyIndex, uint32_t flags) = 0;
    // False drops the event before the repeat filter (the fire dialog's fields).
    virtual bool wantsKeyEvent(QObject *watched)
    {
        Q_UNUSED(watched)
        return true;
    }
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Places the key display, the title and the two buttons; H is the design
    // top of the key display.
    void layoutCommon(int keyTop);

    MirtLabel *m_pTitle;
    MirtLabel *m_pPrompt;
    QLabel *m_pKeyLabel;
    MirtPushButton *m_pYesBtn;
    MirtPushButton *m_pNoBtn;

private:
    void handleKey(QKeyEvent *event);

    QPixmap m_background;
    ButtonModel::RepeatFilter m_filter;
    // Keys pressed while the dialog is open: the release of a key pressed
    // before it opened (the Return that chose the menu entry) is not a key.
    QSet<int> m_pressed;
};
