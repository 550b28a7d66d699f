#pragma once
// The button page: one function button per button of the profile, in three
// sets (first set records 0..19, second set 20..39, wheel set 40 and 41). A
// click opens the button function menu (the wheel function menu for the
// wheel set); the chosen function is written into the record through
// ButtonModel, after the key capture dialog where the function needs one.

#include "ButtonModel.h"

#include <QHash>
#include <QWidget>

#include <array>

class MirtAction;
class MirtPushButton;
class QMenu;

class MirtBtnWindow : public QWidget
{
    Q_OBJECT

public:
    MirtBtnWindow(ButtonModel::Buttons *records, QWidget *parent = nullptr, double scale = 1.0);

    // The 42 records of another profile (not owned); relabels every button.
    void SetRecords(ButtonModel::Buttons *records);
    ButtonModel::Buttons *records() const { return m_pButtons; }
    // Makes button INDEX of SET current (0xFF keeps the set) and shows that set.
    void Select(quint8 index, quint8 set);
    void SelectAndRelabel(quint8 index, quint8 set);
    void Rescale(double scale);
    void Retranslate();

    quint8 currentSet() const { return m_iCurSet; }
    quint8 currentIndex() const { return m_iCurIndex; }
    MirtPushButton *functionButton(int set, int index) const;
    QMenu *buttonMenu() const { return m_pBtnMenu; }
    QMenu *wheelMenu() const { return m_pWheelMenu; }
    MirtAction *entryAction(int fun) const { return m_actions.value(fun); }
    // Runs the assignment of FUN to the current button, as a menu choice does.
    void chooseFunction(int fun);

signals:
    void SelBtnControl(MirtPushButton *btn, bool bType);
    void GotoMacroTab(uchar iBtn);
    void PopOneClickBox();
    // A record of the profile changed on this page.
    void ButtonsChangedSignal();

public slots:
    void slotMouseOver(MirtPushButton *btn, bool bType);
    void slotMouseEnter(MirtPushButton *btn);

private slots:
    void OnMouseEnterSlot(MirtPushButton *btn);
    void onEntryTriggered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    MirtPushButton *makeFunctionButton(int number);
    void buildMenus();
    void rebuildButtonMenu();
    void layoutSets();
    void showSets(int set);
    void relabel();
    // The label of BTN, with the whole label as tool tip when it is cut short.
    void setLabel(MirtPushButton *btn, const QString &label);
    void updateLabelTip(MirtPushButton *btn);
    // After a modal dialog or the menu: BTN and its hot spot back to rest,
    // or hovered when the pointer really is over it.
    void restAfterDialog(MirtPushButton *btn);
    bool locate(MirtPushButton *btn, int *set, int *index) const;
    bool runCaptureDialog(int fun, ButtonModel::Assignment *a);

    double m_dScale = 1.0;
    ButtonModel::Buttons *m_pButtons = nullptr;
    quint8 m_iCurSet = 0;
    quint8 m_iCurIndex = 0;
    std::array<MirtPushButton *, 20> m_first{};
    std::array<MirtPushButton *, 20> m_second{};
    std::array<MirtPushButton *, 2> m_wheel{};
    QHash<int, MirtAction *> m_actions;
    QMenu *m_pBtnMenu = nullptr;
    QMenu *m_pWheelMenu = nullptr;
    QList<QMenu *> m_submenus; // the seven submenus of ButtonCatalogue::submenus()
};
