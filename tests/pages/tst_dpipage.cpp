// The DPI page: its rows, signals and stored values (the sensor table and the
// stage rules are DpiModel's, tested in tst_sensormodel), and the command
// line's dpi, rate and sensor against the DPI and performance pages.

#include "../CliProcess.h"
#include "AppConfig.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "MirtAction.h"
#include "MirtDPIWindow.h"
#include "MirtPointSpeed.h"
#include "MirtReportRate.h"
#include "MirtSingleDPI.h"
#include "MirtSlider.h"
#include "MirtTwoBarSlider.h"
#include "Paths.h"
#include "ProfileStore.h"
#include "ProfileWriter.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class TestDpiPage : public QObject
{
    Q_OBJECT

private slots:
    void fillShowsStagesAndSensorRule();
    void sliderMoveStoresValues();
    void clearingLinkSeparatesAxes();
    void enableBoxStoresUsed();
    void stageCountHidesRowsButKeepsStages();
    void currentStageFromRadioRowAndReport();
    void unknownSensorShowsZero();
    void detachedPageIgnoresEdits();

    void cliWritesWhatThePagesWrite();
};

static ProfileData sampleProfile()
{
    ProfileData p;
    for (int i = 0; i < kDpiStageCount; ++i) {
        p.DPI_INFO[i].used = i < 6 ? 1 : 0;
        p.DPI_INFO[i].link = 1;
        p.DPI_INFO[i].x = p.DPI_INFO[i].y = p.DPI_INFO[i].xy = 8 + 8 * i;
    }
    p.DPI_INFO[2].link = 0;
    p.DPI_INFO[2].x = 20;
    p.DPI_INFO[2].y = 40;
    p.dpi = 1;
    return p;
}

void TestDpiPage::fillShowsStagesAndSensorRule()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setSensorModel(3360, 0, QString());
    page.setProfileAndSensor(&profile, 3360);
    page.show();

    MirtSingleDPI *row0 = page.row(0);
    QCOMPARE(row0->dpiText(), QStringLiteral("DPI : 800"));
    QCOMPARE(row0->minText(), QStringLiteral("100"));
    QCOMPARE(row0->maxText(), QStringLiteral("24000"));
    QVERIFY(row0->linkBox()->isVisibleTo(&page));
    QCOMPARE(row0->slider()->minimum(), 1);
    QCOMPARE(row0->slider()->maximum(), 180);

    MirtSingleDPI *row2 = page.row(2);
    QVERIFY(!row2->linkBox()->isChecked());
    QCOMPARE(row2->xText(), QStringLiteral("X:2000"));
    QCOMPARE(row2->yText(), QStringLiteral("Y:4000"));
    QCOMPARE(row2->dpiText(), QStringLiteral("DPI : 4000"));
    QVERIFY(row2->slider()->xSlider()->isVisibleTo(&page));
    QVERIFY(!row2->slider()->linkedSlider()->isVisibleTo(&page));

    QVERIFY(!page.row(6)->enableBox()->isChecked());
    QVERIFY(page.row(1)->isHighlighted());
    QVERIFY(!page.row(0)->isHighlighted());
    QVERIFY(page.radio(1)->isChecked());

    // Another sensor: the same steps, other labels and no "Link XY" box.
    page.setSensorModel(3395, 0, QString());
    QCOMPARE(row0->dpiText(), QStringLiteral("DPI : 450"));
    QVERIFY(!row0->linkBox()->isVisibleTo(&page));
    QCOMPARE(row0->maxText(), QStringLiteral("26000"));
}

void TestDpiPage::sliderMoveStoresValues()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setSensorModel(3360, 0, QString());
    page.setProfileAndSensor(&profile, 3360);
    QSignalSpy rowSpy(page.row(3), &MirtSingleDPI::DPISignal);

    page.row(3)->slider()->linkedSlider()->setValue(121);
    QCOMPARE(rowSpy.count(), 1);
    QCOMPARE(rowSpy.at(0).at(0).toInt(), 121);
    QCOMPARE(rowSpy.at(0).at(1).toInt(), 121);
    QCOMPARE(rowSpy.at(0).at(2).value<quint8>(), quint8(3));
    QCOMPARE(profile.DPI_INFO[3].x, 121);
    QCOMPARE(profile.DPI_INFO[3].y, 121);
    QCOMPARE(page.row(3)->dpiText(), QStringLiteral("DPI : 12200"));

    // Separate axes: only Y moves.
    page.row(2)->slider()->ySlider()->setValue(60);
    QCOMPARE(profile.DPI_INFO[2].x, 20);
    QCOMPARE(profile.DPI_INFO[2].y, 60);
    QCOMPARE(page.row(2)->yText(), QStringLiteral("Y:6000"));

    // Programmatic values (a profile shown again) emit nothing.
    rowSpy.clear();
    page.row(3)->setValues(10, 10);
    QCOMPARE(rowSpy.count(), 0);
}

void TestDpiPage::clearingLinkSeparatesAxes()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setSensorModel(3360, 0, QString());
    page.setProfileAndSensor(&profile, 3360);
    page.show();
    MirtSingleDPI *row = page.row(0);
    QSignalSpy spy(row, &MirtSingleDPI::LinkSignal);

    row->linkBox()->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<quint8>(), quint8(0));
    QCOMPARE(spy.at(0).at(1).value<quint8>(), quint8(0));
    QCOMPARE(profile.DPI_INFO[0].link, quint8(0));
    QVERIFY(row->slider()->xSlider()->isVisible());
    QVERIFY(row->slider()->ySlider()->isVisible());
    QVERIFY(!row->slider()->linkedSlider()->isVisible());

    // Apart, then linked again: Y follows X.
    row->slider()->ySlider()->setValue(50);
    row->linkBox()->click();
    QCOMPARE(profile.DPI_INFO[0].link, quint8(1));
    QCOMPARE(profile.DPI_INFO[0].y, profile.DPI_INFO[0].x);
    QVERIFY(row->slider()->linkedSlider()->isVisible());
}

void TestDpiPage::enableBoxStoresUsed()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    QSignalSpy spy(page.row(4), &MirtSingleDPI::EnableSignal);
    page.row(4)->enableBox()->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<quint8>(), quint8(0));
    QCOMPARE(profile.DPI_INFO[4].used, quint8(0));
    page.row(7)->enableBox()->click();
    QCOMPARE(profile.DPI_INFO[7].used, quint8(1));
}

void TestDpiPage::stageCountHidesRowsButKeepsStages()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    page.setStageCount(4);
    page.show();
    for (int i = 0; i < kDpiStageCount; ++i) {
        QCOMPARE(page.row(i)->isVisible(), i < 4);
        QCOMPARE(page.radio(i)->isVisible(), i < 4);
        if (i >= 4)
            QVERIFY(page.row(i)->geometry().isEmpty());
    }
    QCOMPARE(profile.DPI_INFO[6].x, 56); // hidden stages keep their values
    page.setStageCount(0);
    QCOMPARE(page.stageCount(), 1);
    page.setStageCount(12);
    QCOMPARE(page.stageCount(), 8);
}

void TestDpiPage::currentStageFromRadioRowAndReport()
{
    MirtDPIWindow page;
    page.resize(456, 386);
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    page.show();
    QSignalSpy spy(&page, &MirtDPIWindow::StageChangedSignal);

    page.radio(4)->click();
    QCOMPARE(profile.dpi, quint8(4));
    QVERIFY(page.row(4)->isHighlighted());
    QVERIFY(!page.row(1)->isHighlighted());

    // Pressing a row (here its DPI label area) makes it current.
    QTest::mouseClick(page.row(2), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(profile.dpi, quint8(2));
    QVERIFY(page.radio(2)->isChecked());

    // The mouse reported stage 5.
    page.MouseinSignal(5);
    QCOMPARE(profile.dpi, quint8(5));
    QVERIFY(page.radio(5)->isChecked());
    QVERIFY(page.row(5)->isHighlighted());
    QCOMPARE(spy.count(), 3);

    // A stage beyond the table changes nothing.
    page.MouseinSignal(9);
    QCOMPARE(profile.dpi, quint8(5));
}

void TestDpiPage::unknownSensorShowsZero()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setSensorModel(1234, 0, QString());
    page.setProfileAndSensor(&profile, 1234);
    QCOMPARE(page.row(0)->xText(), QStringLiteral("X:0"));
    QCOMPARE(page.row(0)->yText(), QStringLiteral("Y:0"));
    QCOMPARE(page.row(0)->dpiText(), QStringLiteral("DPI : 0"));
    QCOMPARE(profile.DPI_INFO[0].x, 8); // nothing is clamped into the profile
}

void TestDpiPage::detachedPageIgnoresEdits()
{
    MirtDPIWindow page;
    ProfileData profile = sampleProfile();
    page.setProfileAndSensor(&profile, 3360);
    page.setProfileAndSensor(nullptr, 3360);
    QVERIFY(!page.isEnabled());
    page.onSliderChanged(99, 99, 0);
    page.MouseinSignal(3);
    QCOMPARE(profile.DPI_INFO[0].x, 8);
    QCOMPARE(profile.dpi, quint8(1));
}

// ---------------------------------------------------------------------------
// mousecfg-cli dpi, rate and sensor edit as the pages do: after the same edits,
// the stored set and the frames of a whole write are the same.

void TestDpiPage::cliWritesWhatThePagesWrite()
{
    QTemporaryDir cliDir;
    QTemporaryDir pageDir;
    for (const QTemporaryDir *dir : {&cliDir, &pageDir}) {
        QSettings c(dir->filePath(QStringLiteral("Config.ini")), QSettings::IniFormat);
        c.setValue(QStringLiteral("MouseSenSor/1"), 3360); // a sensor with the "Link XY" box
        for (int i = 1; i <= kProfileCount; ++i)
            c.setValue(QStringLiteral("Config/Profile%1").arg(i), QStringLiteral("Profile %1").arg(i));
    }
    QString out, err;
    auto cli = [&](const QStringList &args) {
        const CliRun r = runCli(args, cliDir.path());
        out = r.out.trimmed();
        err = r.err.trimmed();
        return r.code;
    };
    const QList<QStringList> edits = {
        {QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("1600")},
        {QStringLiteral("dpi"), QStringLiteral("3"), QStringLiteral("800,1200")},
        {QStringLiteral("dpi"), QStringLiteral("4"), QStringLiteral("12200"), QStringLiteral("--off")},
        {QStringLiteral("dpi"), QStringLiteral("--current"), QStringLiteral("3")},
        {QStringLiteral("rate"), QStringLiteral("500")},
        {QStringLiteral("sensor"), QStringLiteral("lift"), QStringLiteral("1")},
        {QStringLiteral("sensor"), QStringLiteral("angle-snapping"), QStringLiteral("on")},
        {QStringLiteral("sensor"), QStringLiteral("jitter"), QStringLiteral("on")},
        {QStringLiteral("sensor"), QStringLiteral("sync"), QStringLiteral("on")},
        {QStringLiteral("sensor"), QStringLiteral("debounce"), QStringLiteral("12")},
        {QStringLiteral("sensor"), QStringLiteral("scroll-speed"), QStringLiteral("7")},
        {QStringLiteral("sensor"), QStringLiteral("pointer-speed"), QStringLiteral("15")},
    };
    for (const QStringList &args : edits)
        QVERIFY2(cli(args) == 0, qPrintable(args.join(QLatin1Char(' ')) + QStringLiteral(": ") + err));
    QCOMPARE(cli({QStringLiteral("frames")}), 0);
    const QString cliFrames = out;

    // The same edits on the pages, over a folder seeded as the command's was.
    Paths::setConfigDir(pageDir.path());
    Paths::seedConfigDir(Paths::configDir());
    ProfileSet set;
    QString problem;
    ProfileStore::loadProfileSet(set, &problem);
    ProfileData *cur = &set.current();
    MirtDPIWindow dpi;
    dpi.setSensorModel(AppConfig::sensorModel());
    dpi.setStageCount(DeviceDescription::dpiStageCount());
    dpi.setProfileAndSensor(cur, AppConfig::sensorModel());
    MirtPointSpeed speed;
    speed.setData(cur, set.Sync, set.LiftHigh, set.AngleValue, set.Jitter, set.Debounce);
    MirtReportRate rate;
    rate.setProfile(cur, set.LiftHigh);
    auto tick = [](QCheckBox *box, bool on) {
        if (box->isChecked() != on)
            box->click();
    };

    MirtSingleDPI *stage2 = dpi.row(1);
    tick(stage2->linkBox(), true);
    stage2->slider()->linkedSlider()->setValue(16); // 1600
    tick(stage2->enableBox(), true);
    MirtSingleDPI *stage3 = dpi.row(2);
    tick(stage3->linkBox(), false);
    stage3->slider()->xSlider()->setValue(8);  // 800
    stage3->slider()->ySlider()->setValue(12); // 1200
    tick(stage3->enableBox(), true);
    MirtSingleDPI *stage4 = dpi.row(3);
    tick(stage4->linkBox(), true);
    stage4->slider()->linkedSlider()->setValue(121); // 12200
    tick(stage4->enableBox(), false);
    dpi.radio(2)->click();
    rate.rateAction(2)->trigger(); // 500 HZ
    speed.lift1Box()->click();
    speed.angleOnBox()->click();
    speed.jitterOnBox()->click();
    speed.syncOnBox()->click();
    speed.keyResponseSlider()->setValue(12);
    speed.scrollSpeedBox()->setValue(7);
    speed.pointerSpeedSlider()->setValue(15);
    speed.collectInto(set); // as the window does on every change of the panel

    QStringList pageFrames;
    for (const Frame &frame : wholeWriteFrames(set, WriteContext::fromConfiguration()))
        pageFrames << hexBytes(frame.data(), kFrameSize);
    QVERIFY(!pageFrames.isEmpty());
    QCOMPARE(cliFrames.split(QLatin1Char('\n')), pageFrames);

    // What the frames do not carry (stage flags, key response, the speeds) is stored alike.
    Paths::setConfigDir(cliDir.path());
    ProfileSet stored;
    ProfileStore::loadProfileSet(stored, &problem);
    Paths::setConfigDir(QString());
    for (int i = 0; i < kProfileCount; ++i)
        stored.profiles[size_t(i)].ProfilePath = set.profiles[size_t(i)].ProfilePath;
    QCOMPARE(stored.current().DPI_INFO, set.current().DPI_INFO);
    QCOMPARE(stored.current().dpi, uint8_t(2));
    QVERIFY(stored == set);
}

QTEST_MAIN(TestDpiPage)
#include "tst_dpipage.moc"
