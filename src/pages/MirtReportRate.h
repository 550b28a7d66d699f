#pragma once
// The report-rate panel: the profile's report rate, chosen from a menu, and
// the lift-off distance of the sensor.

#include "ProfileTypes.h"

#include <QWidget>

class MirtAction;
class MirtLabel;
class MirtPushButton;
class QButtonGroup;
class QMenu;
class QRadioButton;

class MirtReportRate : public QWidget
{
    Q_OBJECT

public:
    explicit MirtReportRate(QWidget *parent = nullptr);

    // Shows PROFILE (not owned; the rate goes straight into it) and the lift
    // distance: 1 ticks "1 mm", anything else sets 2 and ticks "2 mm".
    void setProfile(ProfileData *profile, quint8 iLift);
    ProfileData *profile() const { return m_ProfileData; }
    // The lift distance changed elsewhere; no signal.
    void setLift(quint8 iLift);
    quint8 lift() const { return m_iLift; }

    // The text of a report-rate code ("1000 HZ" for 1 ...), empty for others.
    static QString rateText(int iPollrate);
    // The four codes of the menu, in menu order: 8, 4, 2, 1.
    static constexpr int kRateCount = 4; // PerformanceModel::kRateCount
    static int rateCode(int index);

    MirtPushButton *rateButton() const { return m_pRateBtn; }
    QMenu *rateMenu() const { return m_pRateMenu; }
    MirtAction *rateAction(int index) const { return m_actions[index]; }
    MirtLabel *rateLabel() const { return m_pRateLabel; }
    QRadioButton *liftRadio(int id) const;

    void retranslate();

signals:
    void RefreshLift(quint8 iLift);
    // The user chose a report rate (its code).
    void RateChangedSignal(quint8 iPollrate);

public slots:
    void onRadioChanged();
    void onRateAction();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showRate();
    void layoutPanel();

    ProfileData *m_ProfileData = nullptr;
    quint8 m_iLift = 2;
    MirtLabel *m_pTitle;
    MirtPushButton *m_pRateBtn;
    QMenu *m_pRateMenu;
    MirtAction *m_actions[kRateCount];
    MirtLabel *m_pRateLabel;
    MirtLabel *m_pLiftTitle;
    QButtonGroup *m_pLiftGroup;
    QRadioButton *m_pLift1;
    QRadioButton *m_pLift2;
};
