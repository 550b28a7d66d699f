// The performance panels ("Mouse Setting" and the report rate) and the
// pointer-speed hookup against a fake desktop.

#include "FakePointerSpeed.h"
#include "FakeProgramLauncher.h"
#include "MirtAction.h"
#include "MirtDPIWindow.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPointSpeed.h"
#include "MirtReportRate.h"
#include "MirtSlider.h"
#include "MouseSettingsLauncher.h"
#include "PointerSpeedSync.h"
#include "ProtocolClock.h"
#include "RatePlot.h"
#include "SimulatedHidBackend.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TestPerformancePage : public QObject
{
    Q_OBJECT

private slots:
    void setDataTicksOneBoxOfEachPair();
    void boxesStoreTheirValues();
    void keyResponseStaysInRange();
    void scrollAndPointerSpeedGoIntoProfile();
    void liftDistanceFollowsBothPanels();
    void rateMenuSetsPollrate();
    void unknownRateKeepsLabel();
    void testRateRunsBesideThePage();
    void mouseSettingButton();
    void pointerSpeedGreyedWithoutBackend();
    void pointerSpeedSync();
    void screenshots();
};

void TestPerformancePage::setDataTicksOneBoxOfEachPair()
{
    MirtPointSpeed panel;
    ProfileData profile;
    profile.scrollspeed = 7;
    panel.setData(&profile, 1, 0, 0, 3, 12);
    QVERIFY(panel.syncOnBox()->isChecked() && !panel.syncOffBox()->isChecked());
    // A lift of 0 in the configuration shows "2mm".
    QVERIFY(panel.lift2Box()->isChecked() && !panel.lift1Box()->isChecked());
    QVERIFY(panel.angleOnBox()->isChecked() && !panel.angleOffBox()->isChecked());
    QVERIFY(panel.jitterOffBox()->isChecked() && !panel.jitterOnBox()->isChecked());
    QCOMPARE(panel.keyResponseSlider()->value(), 12);
    QCOMPARE(panel.keyResponseLabel()->text(), QStringLiteral("12"));
    QCOMPARE(panel.scrollSpeedBox()->value(), 7);
    QVERIFY(panel.isEnabled());

    panel.setData(&profile, 0, 1, 1, 0, 12);
    QVERIFY(panel.syncOffBox()->isChecked() && !panel.syncOnBox()->isChecked());
    QVERIFY(panel.lift1Box()->isChecked() && !panel.lift2Box()->isChecked());
    QVERIFY(panel.angleOffBox()->isChecked());
    QVERIFY(panel.jitterOnBox()->isChecked());
}

void TestPerformancePage::boxesStoreTheirValues()
{
    MirtPointSpeed panel;
    ProfileData profile;
    panel.setData(&profile, 0, 2, 1, 1, 20);

    panel.angleOnBox()->click(); // angle snapping ON stores 0
    panel.jitterOnBox()->click();
    panel.syncOnBox()->click();
    QVERIFY(panel.angleOnBox()->isChecked() && !panel.angleOffBox()->isChecked());
    // Clicking the ticked box keeps it ticked.
    panel.syncOnBox()->click();
    QVERIFY(panel.syncOnBox()->isChecked() && !panel.syncOffBox()->isChecked());

    ProfileSet set;
    set.AngleValue = 9;
    panel.collectInto(set);
    QCOMPARE(set.AngleValue, quint8(0));
    QCOMPARE(set.Jitter, quint8(0));
    QCOMPARE(set.Sync, quint8(1));
    QCOMPARE(set.LiftHigh, quint8(2));
    QCOMPARE(set.Debounce, quint8(20));

    panel.angleOffBox()->click();
    panel.jitterOffBox()->click();
    panel.syncOffBox()->click();
    panel.collectInto(set);
    QCOMPARE(set.AngleValue, quint8(1));
    QCOMPARE(set.Jitter, quint8(1));
    QCOMPARE(set.Sync, quint8(0));
}

void TestPerformancePage::keyResponseStaysInRange()
{
    MirtPointSpeed panel;
    ProfileData profile;
    panel.setData(&profile, 0, 2, 1, 1, 2);
    QCOMPARE(panel.debounce(), quint8(5));
    panel.setData(&profile, 0, 2, 1, 1, 40);
    QCOMPARE(panel.debounce(), quint8(30));

    panel.keyResponseSlider()->setValue(3);
    QCOMPARE(panel.keyResponseSlider()->value(), 5);
    panel.keyResponseSlider()->setValue(17);
    QCOMPARE(panel.debounce(), quint8(17));
    QCOMPARE(panel.keyResponseLabel()->text(), QStringLiteral("17"));
    panel.keyResponseSlider()->setFocus();
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(panel.keyResponseSlider(), Qt::Key_Right);
    QCOMPARE(panel.debounce(), quint8(30));
}

void TestPerformancePage::scrollAndPointerSpeedGoIntoProfile()
{
    MirtPointSpeed panel;
    ProfileData profile;
    profile.scrollspeed = 3;
    profile.mousespeed = 10;
    panel.setData(&profile, 0, 2, 1, 1, 20);
    QSignalSpy speedSpy(&panel, &MirtPointSpeed::PointerSpeedSignal);

    panel.scrollSpeedBox()->setValue(25); // clamped by the box
    QCOMPARE(profile.scrollspeed, quint8(20));
    panel.scrollSpeedBox()->setValue(0);
    QCOMPARE(profile.scrollspeed, quint8(1));

    panel.pointerSpeedSlider()->setValue(14);
    QCOMPARE(profile.mousespeed, quint8(14));
    QCOMPARE(speedSpy.count(), 1);
    QCOMPARE(speedSpy.at(0).at(0).value<quint8>(), quint8(14));

    // Another profile shown: its own values, no signal.
    ProfileData other;
    other.scrollspeed = 9;
    other.mousespeed = 4;
    panel.setData(&other, 0, 2, 1, 1, 20);
    QCOMPARE(panel.scrollSpeedBox()->value(), 9);
    QCOMPARE(panel.pointerSpeedSlider()->value(), 4);
    QCOMPARE(speedSpy.count(), 1);
    QCOMPARE(profile.mousespeed, quint8(14));
}

void TestPerformancePage::liftDistanceFollowsBothPanels()
{
    MirtPointSpeed panel;
    MirtReportRate rate;
    ProfileData profile;
    profile.pollrate = 1;
    panel.setData(&profile, 0, 0, 1, 1, 20);
    rate.setProfile(&profile, 0);
    QVERIFY(rate.liftRadio(1)->isChecked()); // a lift of 0 shows "2 mm"
    QCOMPARE(rate.lift(), quint8(2));

    QSignalSpy rateSpy(&rate, &MirtReportRate::RefreshLift);
    QSignalSpy panelSpy(&panel, &MirtPointSpeed::RefreshLift);
    connect(&rate, &MirtReportRate::RefreshLift, &panel, &MirtPointSpeed::setLift);
    connect(&panel, &MirtPointSpeed::RefreshLift, &rate, &MirtReportRate::setLift);

    rate.liftRadio(0)->click();
    QCOMPARE(rateSpy.count(), 1);
    QCOMPARE(rateSpy.at(0).at(0).value<quint8>(), quint8(1));
    QVERIFY(panel.lift1Box()->isChecked());
    QCOMPARE(panelSpy.count(), 0);

    panel.lift2Box()->click();
    QCOMPARE(panelSpy.count(), 1);
    QCOMPARE(panelSpy.at(0).at(0).value<quint8>(), quint8(2));
    QVERIFY(rate.liftRadio(1)->isChecked());
    QCOMPARE(rateSpy.count(), 1);
}

void TestPerformancePage::rateMenuSetsPollrate()
{
    MirtReportRate rate;
    ProfileData profile;
    profile.pollrate = 1;
    rate.setProfile(&profile, 1);
    QCOMPARE(rate.rateLabel()->text(), QStringLiteral("1000 HZ"));
    QCOMPARE(rate.rateMenu()->actions().size(), MirtReportRate::kRateCount);
    QSignalSpy spy(&rate, &MirtReportRate::RateChangedSignal);

    const QStringList texts = {QStringLiteral("125 HZ"), QStringLiteral("250 HZ"), QStringLiteral("500 HZ"),
                               QStringLiteral("1000 HZ")};
    const QList<int> codes = {8, 4, 2, 1};
    for (int i = 0; i < MirtReportRate::kRateCount; ++i) {
        QCOMPARE(rate.rateAction(i)->text(), texts[i]);
        rate.rateAction(i)->trigger();
        QCOMPARE(int(profile.pollrate), codes[i]);
        QCOMPARE(rate.rateLabel()->text(), texts[i]);
    }
    QCOMPARE(spy.count(), 4);
    rate.rateAction(2)->trigger();
    QCOMPARE(profile.pollrate, quint8(2)); // "500 HZ"
}

namespace {
// The simulated mouse on a virtual clock: a test of three seconds takes none.
struct SimulatedMouse
{
    SimulatedHidBackend sim;
    VirtualClock clock;
    explicit SimulatedMouse(int fakeHz)
    {
        sim.plugReceiver(true);
        sim.setFakeReportRate(fakeHz);
        setHidBackend(&sim);
        setProtocolClock(&clock);
    }
    ~SimulatedMouse()
    {
        setHidBackend(nullptr);
        setProtocolClock(nullptr);
    }
};
} // namespace

void TestPerformancePage::testRateRunsBesideThePage()
{
    SimulatedMouse mouse(430);
    MirtReportRate rate;
    ProfileData profile;
    profile.pollrate = 1;
    rate.setProfile(&profile, 1);
    auto *status = rate.findChild<MirtLabel *>(QStringLiteral("rateTestStatus"));
    auto *median = rate.findChild<MirtLabel *>(QStringLiteral("rateMedianLabel"));
    auto *low = rate.findChild<MirtLabel *>(QStringLiteral("rateLowLabel"));
    auto *plot = rate.findChild<RatePlot *>(QStringLiteral("ratePlot"));
    QVERIFY(status && median && low && plot);

    // No mouse: said so, nothing runs.
    QTest::mouseClick(rate.testButton(), Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("No mouse to test."));
    QVERIFY(rate.testButton()->isEnabled());

    rate.setMouseCollectionSource([] { return SimulatedHidBackend::pathOf(0, 0); });
    QTest::mouseClick(rate.testButton(), Qt::LeftButton);
    QVERIFY(!rate.testButton()->isEnabled()); // the figures arrive later, on the page's thread
    QTRY_VERIFY_WITH_TIMEOUT(rate.testButton()->isEnabled(), 30000);
    QCOMPARE(median->text(), QStringLiteral("Median 430 Hz"));
    QCOMPARE(low->text(), QStringLiteral("5th percentile 430 Hz"));
    QCOMPARE(plot->result().chosenHz, 1000); // against the profile's rate
    QVERIFY(plot->result().windows.size() >= 29);
    QVERIFY(status->text().startsWith(QStringLiteral("Below 90 % of 1000 Hz.")));
    QVERIFY(status->toolTip().contains(QStringLiteral("USB hub")));

    // At the full rate: no warning.
    mouse.sim.setFakeReportRate(0);
    QVERIFY(rate.startRateTest());
    QTRY_VERIFY_WITH_TIMEOUT(rate.testButton()->isEnabled(), 30000);
    QCOMPARE(median->text(), QStringLiteral("Median 1000 Hz"));
    QCOMPARE(status->text(), QStringLiteral("The mouse delivers its rate."));
    QVERIFY(status->toolTip().isEmpty());
}

void TestPerformancePage::unknownRateKeepsLabel()
{
    MirtReportRate rate;
    ProfileData first;
    first.pollrate = 4;
    rate.setProfile(&first, 2);
    QCOMPARE(rate.rateLabel()->text(), QStringLiteral("250 HZ"));
    ProfileData odd;
    odd.pollrate = 3;
    rate.setProfile(&odd, 7);
    QCOMPARE(rate.rateLabel()->text(), QStringLiteral("250 HZ"));
    QCOMPARE(odd.pollrate, quint8(3));
    QCOMPARE(rate.lift(), quint8(2));
    QCOMPARE(MirtReportRate::rateText(3), QString());
}

void TestPerformancePage::mouseSettingButton()
{
    FakeProgramLauncher launcher;
    MouseSettingsLauncher found(
        &launcher,
        [](const QString &name) {
            return name == QLatin1String("gnome-control-center")
                       ? QStringLiteral("/usr/bin/gnome-control-center")
                       : QString();
        },
        QStringLiteral("ubuntu:GNOME"));
    MirtPointSpeed panel;
    ProfileData profile;
    panel.setData(&profile, 0, 2, 1, 1, 20);
    panel.setMouseSettingsLauncher(&found);
    QVERIFY(panel.mouseSettingButton()->isEnabled());
    panel.mouseSettingButton()->click();
    QCOMPARE(launcher.calls().size(), 1);
    QCOMPARE(launcher.calls().at(0).program, QStringLiteral("/usr/bin/gnome-control-center"));

    // A start that fails is reported, not swallowed.
    launcher.setResult(false);
    QSignalSpy failSpy(&panel, &MirtPointSpeed::MouseSettingFailed);
    panel.mouseSettingButton()->click();
    QCOMPARE(failSpy.count(), 1);

    // No settings program on this desktop: the button is greyed.
    MouseSettingsLauncher none(
        &launcher, [](const QString &) { return QString(); }, QStringLiteral("XFCE"));
    panel.setMouseSettingsLauncher(&none);
    QVERIFY(!panel.mouseSettingButton()->isEnabled());
    panel.setShowMouseButton(false);
    QVERIFY(panel.mouseSettingButton()->isHidden());
}

void TestPerformancePage::pointerSpeedGreyedWithoutBackend()
{
    MirtPointSpeed panel;
    ProfileData profile;
    profile.mousespeed = 6;
    panel.setData(&profile, 0, 2, 1, 1, 20);
    panel.setPointerSpeedAvailable(false);
    QVERIFY(!panel.pointerSpeedSlider()->isEnabled());
    QCOMPARE(panel.pointerSpeedSlider()->value(), 6); // the value is still shown and kept
    panel.setPointerSpeedAvailable(true);
    QVERIFY(panel.pointerSpeedSlider()->isEnabled());
}

void TestPerformancePage::pointerSpeedSync()
{
    // Start-up: the desktop's speed 14 goes into the active profile.
    FakePointerSpeed desktop(14);
    ProfileData profile;
    profile.mousespeed = 5;
    QVERIFY(PointerSpeedSync::readInto(&desktop, profile));
    QCOMPARE(profile.mousespeed, quint8(14));

    // Profile change: its speed 3 goes to the desktop.
    ProfileData slow;
    slow.mousespeed = 3;
    QVERIFY(PointerSpeedSync::apply(&desktop, slow));
    QCOMPARE(desktop.value(), 3);
    QCOMPARE(desktop.applied(), QList<int>{3});

    // A profile that never had a speed leaves the desktop alone.
    ProfileData empty;
    QVERIFY(!PointerSpeedSync::apply(&desktop, empty));
    QCOMPARE(desktop.applied().size(), 1);

    // An unreadable desktop keeps the profile's value.
    FakePointerSpeed broken(12);
    broken.setFailing(true);
    QVERIFY(!PointerSpeedSync::readInto(&broken, slow));
    QCOMPARE(slow.mousespeed, quint8(3));
    QVERIFY(!PointerSpeedSync::apply(&broken, slow));
    QCOMPARE(slow.mousespeed, quint8(3));
    QVERIFY(!PointerSpeedSync::readInto(nullptr, slow));
}

// The three panels side by side paint at scale 1 and 2; set
// MOUSECFG_SCREENSHOT_DIR to a folder to keep the pictures for a person.
void TestPerformancePage::screenshots()
{
    QTemporaryDir scratch;
    QString dir = qEnvironmentVariable("MOUSECFG_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = scratch.path();
    for (double scale : {1.0, 2.0}) {
        MirtKit::setScaleFactor(scale);
        QWidget window;
        window.setStyleSheet(QStringLiteral("background: rgb(16,17,22);"));
        window.resize(int(640 * scale), int(440 * scale));
        MirtDPIWindow dpi(&window);
        MirtPointSpeed speed(&window);
        MirtReportRate rate(&window);
        dpi.setGeometry(int(10 * scale), int(10 * scale), int(456 * scale), int(386 * scale));
        speed.setGeometry(int(10 * scale), int(348 * scale), int(506 * scale), int(77 * scale));
        rate.setGeometry(int(474 * scale), int(10 * scale), int(149 * scale), int(334 * scale));
        ProfileData profile;
        for (int i = 0; i < kDpiStageCount; ++i) {
            profile.DPI_INFO[i].used = i < 5;
            profile.DPI_INFO[i].link = i != 2;
            profile.DPI_INFO[i].x = 15 + 60 * i;
            profile.DPI_INFO[i].y = i == 2 ? 300 : 15 + 60 * i;
        }
        profile.dpi = 1;
        profile.pollrate = 2;
        profile.scrollspeed = 3;
        profile.mousespeed = 12;
        dpi.setSensorModel(3395, 0, QString());
        dpi.setProfileAndSensor(&profile, 3395);
        dpi.setStageCount(6);
        speed.setData(&profile, 1, 1, 1, 0, 8);
        rate.setProfile(&profile, 1);
        {
            // A finished test with its plot: a link at 440 Hz for a mouse set to 500.
            SimulatedMouse mouse(440);
            rate.setMouseCollectionSource([] { return SimulatedHidBackend::pathOf(0, 0); });
            QVERIFY(rate.startRateTest());
            QTRY_VERIFY_WITH_TIMEOUT(rate.testButton()->isEnabled(), 30000);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString file = dir + QStringLiteral("/pages-%1x.png").arg(scale);
        const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Not just the background: the panels cover a good part of the window.
        const QRgb background = qRgb(16, 17, 22);
        QCOMPARE(shot.pixel(shot.width() - 2, shot.height() - 2), background);
        qint64 painted = 0;
        for (int y = 0; y < shot.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
            painted +=
                std::count_if(line, line + shot.width(), [background](QRgb p) { return p != background; });
        }
        QVERIFY2(painted > qint64(shot.width()) * shot.height() / 10, qPrintable(QString::number(painted)));
        QVERIFY(shot.save(file));
    }
    MirtKit::setScaleFactor(1.0);
}

QTEST_MAIN(TestPerformancePage)
#include "tst_performancepage.moc"
