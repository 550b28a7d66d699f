#pragma once
// Picks the macro or gun file a button runs and its run options: the name
// from the macro library's menu, the loop count, one of the three run modes
// or "Left Button Macro". The button page reads the results after exec()
// and applies them through MacroSelection::applyChoice.

#include "MacroModel.h"
#include "MacroSelection.h"

#include <QDialog>
#include <QPixmap>

#include <functional>

class MirtLabel;
class MirtPushButton;
class QCheckBox;
class QLineEdit;

class MirtMacroSelect : public QDialog
{
    Q_OBJECT

public:
    MirtMacroSelect(const QString &title, const QString &name, int iLoop, int iMode, int iOption,
                    QWidget *parent = nullptr);

    // With a profile and a record, OK is refused when the choice would need a
    // thirteenth macro slot in the mouse.
    void setSlotCheck(const MacroModel::Buttons *buttons, int record);
    // Messages go to a MirtMessageBox unless replaced (tests).
    void setMessageSink(std::function<void(const QString &text)> sink) { m_message = std::move(sink); }

    QString name() const { return m_strName; }
    int loopCount() const;
    int runMode() const;
    int leftButtonOption() const { return m_iOption; }
    MacroSelection::Choice choice() const { return {m_strName, loopCount(), runMode(), m_iOption}; }

    MirtPushButton *nameButton() const { return m_pNameBtn; }
    QLineEdit *loopEdit() const { return m_pLoopEdit; }
    QCheckBox *modeBox(int i) const { return m_pModeBox[i]; }
    QCheckBox *leftButtonBox() const { return m_pLeftBox; }
    void chooseName(const QString &name);

public slots:
    void onOk();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void chooseBox(QCheckBox *box);

    QString m_strName;
    int m_iOption = 0;
    MirtPushButton *m_pNameBtn;
    QLineEdit *m_pLoopEdit;
    QCheckBox *m_pModeBox[3];
    QCheckBox *m_pLeftBox;
    QPixmap m_background;
    const MacroModel::Buttons *m_pButtons = nullptr;
    int m_iRecord = -1;
    std::function<void(const QString &)> m_message;
};
