#pragma once
// The report-rate panel: the profile's report rate, chosen from a menu, the
// lift-off distance of the sensor, and TEST RATE: the rate that really arrives
// while the user moves the mouse for three seconds, measured beside the
// window (ReportRateRun), with a small plot and the warning.

#include "ProfileTypes.h"
#include "ReportRate.h"

#include <QWidget>

#include <functional>

class MirtAction;
class MirtLabel;
class MirtPushButton;
class QButtonGroup;
class QMenu;
class QPushButton;
class QRadioButton;
class RatePlot;
class ReportRateRun;

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

    // Where the test reads: the mouse collection's path, empty without a mouse.
    void setMouseCollectionSource(std::function<QByteArray()> source);
    QPushButton *testButton() const { return m_pTestBtn; }
    // Starts a test (as the button does); false when none could start.
    bool startRateTest();

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
    void onTestProgress(int elapsedMs);
    void onTestFinished(const ReportRate::Result &result, const QString &error);
    void showTestResult();

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
    QPushButton *m_pTestBtn;
    MirtLabel *m_pMedianLabel;
    MirtLabel *m_pLowLabel;
    RatePlot *m_pPlot;
    MirtLabel *m_pTestStatus;
    ReportRateRun *m_pRun = nullptr; // made on the first test
    std::function<QByteArray()> m_mouseSource;
    // What the status line shows: idle, running (seconds left), or the outcome.
    enum class TestState
    {
        Idle,
        Running,
        Done,
        NoMouse,
        Failed,
        NoMotion
    };
    TestState m_testState = TestState::Idle;
    int m_secondsLeft = 0;
    QString m_testError;
};
