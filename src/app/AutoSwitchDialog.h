#pragma once
// The auto-switch dialog, opened from the profile area: whether the mouse
// follows the focused window, the rules (an application → a profile slot,
// the applications of the open windows offered as a pick list), and what
// every other window does. It edits a copy of the rules; OK hands it back.

#include "ActiveWindowSource.h"
#include "AutoSwitchRules.h"

#include <QDialog>

class MirtPushButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

class AutoSwitchDialog : public QDialog
{
    Q_OBJECT

public:
    // RULES to edit; WINDOWS for the pick list; UNSUPPORTED, when not empty,
    // the sentence saying this session cannot follow the focused window;
    // PROBLEMS what the last read of the file left out.
    AutoSwitchDialog(const AutoSwitchRules &rules, const QList<ActiveWindow> &windows,
                     const QString &unsupported, const QStringList &problems, QWidget *parent = nullptr);

    // The rules as edited.
    AutoSwitchRules rules() const;

    // Adds the rule APPLICATION → SLOT as the "ADD" button does; false with a message when refused.
    bool addRule(const QString &application, int slot);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void addRow(const QString &application, int slot);
    QComboBox *slotBox(int slot, bool withKeep);
    void showError(const QString &text);

    AutoSwitchRules m_rules;
    QPixmap m_background;
    QCheckBox *m_enabled = nullptr;
    QTableWidget *m_table = nullptr;
    QComboBox *m_application = nullptr;
    QComboBox *m_newSlot = nullptr;
    QComboBox *m_otherwise = nullptr;
    QLabel *m_error = nullptr;
};
