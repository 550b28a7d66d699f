// The rules of the DPI and performance pages (DpiModel, PerformanceModel) and
// mousecfg-cli dpi, rate and sensor, which edit the stored profiles by them:
// bad input is refused with one line and changes no file.

#include "../CliProcess.h"
#include "DpiModel.h"
#include "PerformanceModel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace PerformanceModel;

class TestSensorModel : public QObject
{
    Q_OBJECT

private slots:
    void stepToDpi_data();
    void stepToDpi();
    void rangeEndsMatchLabels_data();
    void rangeEndsMatchLabels();
    void rangeVariants();
    void dpiToStep();
    void stageEdits();

    void rateTable();
    void sensorSettingsAsThePanelShowsThem();
    void optionsByName();

    void cliRefusesBadInputAndKeepsFiles();
    void cliSlotAndList();

private:
    int cli(const QStringList &args);
    QMap<QString, QByteArray> snapshot() const;

    QTemporaryDir m_conf;
    QString m_err;
    QString m_out;
};

// ---------------------------------------------------------------------------
// Sensors

void TestSensorModel::stepToDpi_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("dpi");
    QTest::newRow("3360 at 120") << 3360 << 120 << 12000;
    QTest::newRow("3360 past 120") << 3360 << 121 << 12200;
    QTest::newRow("3104 minimum shows 500") << 3104 << 14 << 500;
    QTest::newRow("3104 step 15") << 3104 << 15 << 600;
    QTest::newRow("31042 at 107") << 31042 << 107 << 4320;
    QTest::newRow("3212 at 95") << 3212 << 95 << 4860;
    QTest::newRow("3212 at 111 shows 7200") << 3212 << 111 << 7200;
    QTest::newRow("3212 rounds 790 up") << 3212 << 21 << 800;
    QTest::newRow("3212 rounds 2390 up") << 3212 << 63 << 2400;
    QTest::newRow("3212 at 64") << 3212 << 64 << 2430;
    QTest::newRow("3325 at 50") << 3325 << 50 << 5000;
    QTest::newRow("3325 at 51") << 3325 << 51 << 5200;
    QTest::newRow("33252 at 76") << 33252 << 76 << 10400;
    QTest::newRow("3327 at 61") << 3327 << 61 << 6200;
    QTest::newRow("3327 at 62") << 3327 << 62 << 6400;
    QTest::newRow("3327 at 93") << 3327 << 93 << 12600;
    QTest::newRow("3327 at 106 shows 16400") << 3327 << 106 << 16400;
    QTest::newRow("3333 at 81") << 3333 << 81 << 8200;
    QTest::newRow("3370 at 201") << 3370 << 201 << 10100;
    QTest::newRow("3389 at 321") << 3389 << 321 << 16100;
    QTest::newRow("3395 at 519") << 3395 << 519 << 26000;
    QTest::newRow("3395 at 520") << 3395 << 520 << 26100;
    QTest::newRow("3399 at 399") << 3399 << 399 << 20000;
    QTest::newRow("3399 at 400") << 3399 << 400 << 20100;
    QTest::newRow("3809 at 61") << 3809 << 61 << 6200;
    QTest::newRow("unknown model") << 1234 << 50 << 0;
}

void TestSensorModel::stepToDpi()
{
    QFETCH(int, model);
    QFETCH(int, step);
    QFETCH(int, dpi);
    QCOMPARE(DpiModel::stepToDpi(model, step), dpi);
}

void TestSensorModel::rangeEndsMatchLabels_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("wide");
    QTest::addColumn<QString>("product");
    for (int model : {3104, 31042, 3212, 3311, 33112, 3325, 33252, 3327, 3333, 3335, 33352, 3360, 3370, 3389,
                      3395, 33952, 3399, 3809}) {
        QTest::addRow("%d narrow", model) << model << 0 << QString();
        QTest::addRow("%d wide", model) << model << 1 << QString();
    }
    QTest::newRow("3327 small product") << 3327 << 0 << QStringLiteral("DELVANE");
}

// The labels at both ends of every slider are the DPI of its end steps.
void TestSensorModel::rangeEndsMatchLabels()
{
    QFETCH(int, model);
    QFETCH(int, wide);
    QFETCH(QString, product);
    const DpiModel::SensorRule rule = DpiModel::sensorRule(model, wide, product);
    QVERIFY(rule.known);
    QVERIFY(rule.minStep < rule.maxStep);
    QCOMPARE(DpiModel::stepToDpi(model, rule.minStep), rule.minDpi);
    QCOMPARE(DpiModel::stepToDpi(model, rule.maxStep), rule.maxDpi);
}

void TestSensorModel::rangeVariants()
{
    QCOMPARE(DpiModel::sensorRule(3325, 1, QString()).maxStep, 90);
    QCOMPARE(DpiModel::sensorRule(3325, 2, QString()).maxStep, 50); // only 1 selects the wide range
    QCOMPARE(DpiModel::sensorRule(33252, 0, QString()).maxDpi, 10000);
    QCOMPARE(DpiModel::sensorRule(3327, 0, QStringLiteral("TORVANE")).maxStep, 92);
    QCOMPARE(DpiModel::sensorRule(3327, 0, QStringLiteral("torvane")).maxStep, 106); // case matters
    QCOMPARE(DpiModel::sensorRule(3327, 0, QStringLiteral("5968")).maxDpi, 12400);
    QVERIFY(DpiModel::sensorRule(3360, 0, QString()).linkBox);
    QVERIFY(!DpiModel::sensorRule(3395, 0, QString()).linkBox);
    QVERIFY(!DpiModel::sensorRule(4000, 0, QString()).known);
    QVERIFY(!DpiModel::sensorRule(4000, 0, QString()).contains(0));
}

// A DPI typed on the command line is the step that shows it, within the range.
void TestSensorModel::dpiToStep()
{
    const DpiModel::Sensor s3360{3360, 0, QString()};
    QCOMPARE(DpiModel::stepOfDpi(s3360, 1600), 16);
    QCOMPARE(DpiModel::stepOfDpi(s3360, 12200), 121);
    QCOMPARE(DpiModel::stepOfDpi(s3360, 24000), 180);
    QCOMPARE(DpiModel::stepOfDpi(s3360, 12100), -1); // between two steps
    QCOMPARE(DpiModel::stepOfDpi(s3360, 24200), -1); // past the range
    QCOMPARE(DpiModel::stepOfDpi(s3360, 0), -1);
    int below = 0, above = 0;
    DpiModel::nearestDpis(s3360, 12100, &below, &above);
    QCOMPARE(below, 12000);
    QCOMPARE(above, 12200);
    DpiModel::nearestDpis(s3360, 50, &below, &above);
    QCOMPARE(below, 0);
    QCOMPARE(above, 100);

    // 3104's step 14 shows 500, so 560 is no step of it.
    const DpiModel::Sensor s3104{3104, 0, QString()};
    QCOMPARE(DpiModel::stepOfDpi(s3104, 500), 14);
    QCOMPARE(DpiModel::stepOfDpi(s3104, 560), -1);
    // The range follows the variant: 3325 reaches 16000 only in its wide range.
    QCOMPARE(DpiModel::stepOfDpi({3325, 0, QString()}, 16000), -1);
    QCOMPARE(DpiModel::stepOfDpi({3325, 1, QString()}, 16000), 90);
    QCOMPARE(DpiModel::stepOfDpi({3395, 0, QString()}, 50), 0);
    QCOMPARE(DpiModel::stepOfDpi({1234, 0, QString()}, 800), -1);
}

void TestSensorModel::stageEdits()
{
    ProfileData p;
    p.DPI_INFO[2] = DpiStage{1, 1, 10, 10, 10};
    p.dpi = 1;

    QVERIFY(DpiModel::setSteps(p, 2, 30, 40));
    QCOMPARE(p.DPI_INFO[2], (DpiStage{1, 1, 30, 30, 40})); // the common value follows X
    QVERIFY(DpiModel::setLinked(p, 2, false));
    QCOMPARE(p.DPI_INFO[2], (DpiStage{1, 0, 30, 30, 40})); // apart: values kept
    QVERIFY(DpiModel::setLinked(p, 2, true));
    QCOMPARE(p.DPI_INFO[2], (DpiStage{1, 1, 30, 30, 30})); // linked again: Y follows X
    QVERIFY(DpiModel::setUsed(p, 2, false));
    QCOMPARE(p.DPI_INFO[2].used, uint8_t(0));
    QVERIFY(DpiModel::setCurrentStage(p, 7));
    QCOMPARE(p.dpi, uint8_t(7));

    // Past the table: refused, nothing changed.
    const ProfileData before = p;
    QVERIFY(!DpiModel::setSteps(p, 8, 1, 1));
    QVERIFY(!DpiModel::setLinked(p, -1, true));
    QVERIFY(!DpiModel::setUsed(p, 8, true));
    QVERIFY(!DpiModel::setCurrentStage(p, 8));
    QVERIFY(!DpiModel::setCurrentStage(p, -1));
    QVERIFY(p == before);

    QCOMPARE(DpiModel::shownStageCount(0), 1);
    QCOMPARE(DpiModel::shownStageCount(6), 6);
    QCOMPARE(DpiModel::shownStageCount(12), 8);
}

// ---------------------------------------------------------------------------
// Performance

void TestSensorModel::rateTable()
{
    const QList<int> codes = {8, 4, 2, 1};
    const QList<int> hz = {125, 250, 500, 1000};
    for (int i = 0; i < kRateCount; ++i) {
        QCOMPARE(rateCode(i), codes[i]);
        QCOMPARE(rateHz(codes[i]), hz[i]);
        QCOMPARE(rateCodeOfHz(hz[i]), codes[i]);
    }
    QCOMPARE(rateCode(4), 0);
    QCOMPARE(rateHz(3), 0);
    QCOMPARE(rateCodeOfHz(2000), 0);
    ProfileData p;
    p.pollrate = 4;
    QVERIFY(setRate(p, 2));
    QCOMPARE(p.pollrate, uint8_t(2));
    QVERIFY(!setRate(p, 3));
    QVERIFY(!setRate(p, 0));
    QCOMPARE(p.pollrate, uint8_t(2));
}

void TestSensorModel::sensorSettingsAsThePanelShowsThem()
{
    // Stored bytes out of their pairs show as the panel shows them.
    SensorSettings s = SensorSettings::fromValues(5, 0, 9, 3, 2);
    QCOMPARE(s.sync, uint8_t(1));
    QCOMPARE(s.lift, uint8_t(2));
    QCOMPARE(s.angle, uint8_t(1));
    QCOMPARE(s.jitter, uint8_t(1));
    QCOMPARE(s.debounce, uint8_t(5));
    QCOMPARE(SensorSettings::fromValues(0, 1, 0, 0, 40).debounce, uint8_t(30));
    QCOMPARE(shownLift(1), uint8_t(1));
    QCOMPARE(shownLift(7), uint8_t(2));

    // ON is 0 for angle snapping and jitter filtering, 1 for sync.
    s.setAngleSnapping(true);
    s.setJitterFilter(true);
    s.setSync(false);
    QCOMPARE(s.angle, uint8_t(0));
    QCOMPARE(s.jitter, uint8_t(0));
    QCOMPARE(s.sync, uint8_t(0));
    QVERIFY(!s.setLift(3));
    QVERIFY(!s.setLift(0));
    QVERIFY(!s.setDebounce(4));
    QVERIFY(!s.setDebounce(31));
    QVERIFY(s.setDebounce(30));
    QVERIFY(s.setLift(1));

    ProfileSet set;
    set.Wake = 7;
    s.applyTo(set);
    QCOMPARE(set.AngleValue, uint8_t(0));
    QCOMPARE(set.Jitter, uint8_t(0));
    QCOMPARE(set.Sync, uint8_t(0));
    QCOMPARE(set.LiftHigh, uint8_t(1));
    QCOMPARE(set.Debounce, uint8_t(30));
    QCOMPARE(set.Wake, uint8_t(7)); // the panel does not hold it
    QCOMPARE(SensorSettings::of(set).debounce, uint8_t(30));
}

void TestSensorModel::optionsByName()
{
    ProfileSet set;
    set.AngleValue = 9; // out of its pair: stored as the panel shows it once edited
    set.Debounce = 12;
    ProfileData &other = set.profiles[3];
    ProfileData &edited = set.profiles[1];

    QCOMPARE(setOption(set, edited, QStringLiteral("scroll-speed"), QStringLiteral("7")), EditResult::Ok);
    QCOMPARE(edited.scrollspeed, uint8_t(7));
    QCOMPARE(setOption(set, edited, QStringLiteral("pointer-speed"), QStringLiteral("20")), EditResult::Ok);
    QCOMPARE(edited.mousespeed, uint8_t(20));
    QCOMPARE(other.scrollspeed, uint8_t(0));
    QCOMPARE(set.AngleValue, uint8_t(9)); // a profile's speed leaves the sensor bytes alone

    QCOMPARE(setOption(set, edited, QStringLiteral("jitter"), QStringLiteral("on")), EditResult::Ok);
    QCOMPARE(set.Jitter, uint8_t(0));
    QCOMPARE(set.AngleValue, uint8_t(1));
    QCOMPARE(setOption(set, edited, QStringLiteral("angle-snapping"), QStringLiteral("on")), EditResult::Ok);
    QCOMPARE(set.AngleValue, uint8_t(0));
    QCOMPARE(setOption(set, edited, QStringLiteral("sync"), QStringLiteral("on")), EditResult::Ok);
    QCOMPARE(set.Sync, uint8_t(1));
    QCOMPARE(setOption(set, edited, QStringLiteral("lift"), QStringLiteral("1")), EditResult::Ok);
    QCOMPARE(set.LiftHigh, uint8_t(1));
    QCOMPARE(setOption(set, edited, QStringLiteral("debounce"), QStringLiteral("30")), EditResult::Ok);
    QCOMPARE(set.Debounce, uint8_t(30));

    const ProfileSet before = set;
    const struct
    {
        const char *name;
        const char *value;
    } bad[] = {{"lift", "3"},           {"lift", "1mm"},    {"sync", "yes"},          {"sync", "ON"},
               {"debounce", "4"},       {"debounce", "31"}, {"scroll-speed", "21"},   {"pointer-speed", "0"},
               {"angle-snapping", "1"}, {"jitter", ""},     {"scroll-speed", "0x10"}, {"debounce", "12.5"}};
    for (const auto &b : bad)
        QCOMPARE(setOption(set, edited, QLatin1String(b.name), QLatin1String(b.value)), EditResult::BadValue);
    QCOMPARE(setOption(set, edited, QStringLiteral("wake"), QStringLiteral("1")), EditResult::UnknownOption);
    QVERIFY(set == before);

    // Every option can be found by its name, and only per-profile ones are the speeds.
    for (const Option &o : options()) {
        Option found;
        QVERIFY(findOption(o.name, &found));
        QCOMPARE(found.perProfile, o.name.endsWith(QLatin1String("-speed")));
    }
}

// ---------------------------------------------------------------------------
// mousecfg-cli dpi, rate, sensor

int TestSensorModel::cli(const QStringList &args)
{
    const CliRun r = runCli(args, m_conf.path());
    m_err = r.err.trimmed();
    m_out = r.out;
    return r.code;
}

QMap<QString, QByteArray> TestSensorModel::snapshot() const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(m_conf.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            files.insert(it.filePath(), f.readAll());
    }
    return files;
}

void TestSensorModel::cliRefusesBadInputAndKeepsFiles()
{
    // The shipped model: sensor 3395 (50 DPI steps from 50, no "Link XY" box), six stages.
    QCOMPARE(cli({QStringLiteral("sensor"), QStringLiteral("--list")}), 0);
    QCOMPARE(cli({QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("850")}), 0);
    const QMap<QString, QByteArray> before = snapshot();
    QVERIFY(!before.isEmpty());

    const QList<QStringList> usage = {
        {QStringLiteral("dpi")},
        {QStringLiteral("dpi"), QStringLiteral("2")},
        {QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("abc")},
        {QStringLiteral("dpi"), QStringLiteral("two"), QStringLiteral("800")},
        {QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("800,900,1000")},
        {QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("800,")},
        {QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("800"), QStringLiteral("--bogus")},
        {QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("800"), QStringLiteral("900")},
        {QStringLiteral("dpi"), QStringLiteral("--current")},
        {QStringLiteral("dpi"), QStringLiteral("--current"), QStringLiteral("2"), QStringLiteral("800")},
        {QStringLiteral("dpi"), QStringLiteral("--slot")},
        {QStringLiteral("dpi"), QStringLiteral("--slot"), QStringLiteral("x"), QStringLiteral("2"),
         QStringLiteral("800")},
        {QStringLiteral("rate")},
        {QStringLiteral("rate"), QStringLiteral("fast")},
        {QStringLiteral("rate"), QStringLiteral("500"), QStringLiteral("1000")},
        {QStringLiteral("sensor")},
        {QStringLiteral("sensor"), QStringLiteral("lift")},
        {QStringLiteral("sensor"), QStringLiteral("--bogus"), QStringLiteral("1")},
    };
    for (const QStringList &args : usage) {
        QCOMPARE(cli(args), 2);
        QVERIFY2(m_err.startsWith(QLatin1String("mousecfg-cli: usage:")) &&
                     !m_err.contains(QLatin1Char('\n')),
                 qPrintable(args.join(QLatin1Char(' ')) + QStringLiteral(": ") + m_err));
        QVERIFY2(snapshot() == before, qPrintable(args.join(QLatin1Char(' '))));
    }

    const struct
    {
        QStringList args;
        const char *says; // a part of the one line that explains
    } refused[] = {
        {{QStringLiteral("dpi"), QStringLiteral("7"), QStringLiteral("800")}, "stages 1 to 6"},
        {{QStringLiteral("dpi"), QStringLiteral("0"), QStringLiteral("800")}, "stages 1 to 6"},
        {{QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("820")}, "nearest: 800 or 850"},
        {{QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("30000")}, "50 to 26000"},
        {{QStringLiteral("dpi"), QStringLiteral("2"), QStringLiteral("800,1600")},
         "X and Y of stage 2 together"},
        {{QStringLiteral("dpi"), QStringLiteral("--slot"), QStringLiteral("6"), QStringLiteral("2"),
          QStringLiteral("800")},
         "--slot must be 1 to 5"},
        {{QStringLiteral("dpi"), QStringLiteral("--current"), QStringLiteral("7")}, "stages 1 to 6"},
        {{QStringLiteral("rate"), QStringLiteral("300")}, "125, 250, 500 or 1000"},
        {{QStringLiteral("sensor"), QStringLiteral("lift"), QStringLiteral("3")}, "lift must be 1-2"},
        {{QStringLiteral("sensor"), QStringLiteral("sync"), QStringLiteral("yes")}, "sync must be on|off"},
        {{QStringLiteral("sensor"), QStringLiteral("debounce"), QStringLiteral("4")},
         "debounce must be 5-30"},
        {{QStringLiteral("sensor"), QStringLiteral("wake"), QStringLiteral("1")}, "unknown setting"},
        {{QStringLiteral("sensor"), QStringLiteral("--slot"), QStringLiteral("2"), QStringLiteral("lift"),
          QStringLiteral("1")},
         "all profiles"},
    };
    for (const auto &r : refused) {
        QCOMPARE(cli(r.args), 1);
        QVERIFY2(m_err.contains(QLatin1String(r.says)) && !m_err.contains(QLatin1Char('\n')),
                 qPrintable(r.args.join(QLatin1Char(' ')) + QStringLiteral(": ") + m_err));
        QVERIFY2(snapshot() == before, qPrintable(r.args.join(QLatin1Char(' '))));
    }
}

void TestSensorModel::cliSlotAndList()
{
    // The list names every option with its values, as the refusals do.
    QCOMPARE(cli({QStringLiteral("sensor"), QStringLiteral("--list")}), 0);
    for (const Option &o : options())
        QVERIFY2(m_out.contains(o.name + QLatin1Char('\t')), qPrintable(m_out));
    QVERIFY(m_out.contains(QStringLiteral("debounce\t5-30\t")));
    QVERIFY(m_out.contains(QStringLiteral("sync\ton|off\t")));

    // --slot edits that profile only; without it, the current one.
    auto profiles = [this] {
        cli({QStringLiteral("show")});
        return QJsonDocument::fromJson(m_out.toUtf8()).object()[QStringLiteral("profiles")].toArray();
    };
    const QJsonArray before = profiles();
    QCOMPARE(before.size(), kProfileCount);
    QCOMPARE(cli({QStringLiteral("sensor"), QStringLiteral("--slot"), QStringLiteral("4"),
                  QStringLiteral("scroll-speed"), QStringLiteral("13")}),
             0);
    QCOMPARE(
        cli({QStringLiteral("rate"), QStringLiteral("250"), QStringLiteral("--slot"), QStringLiteral("4")}),
        0);
    QCOMPARE(cli({QStringLiteral("dpi"), QStringLiteral("--slot"), QStringLiteral("4"),
                  QStringLiteral("--current"), QStringLiteral("5")}),
             0);
    QCOMPARE(cli({QStringLiteral("dpi"), QStringLiteral("--slot"), QStringLiteral("4"), QStringLiteral("6"),
                  QStringLiteral("26000"), QStringLiteral("--off")}),
             0);
    const QJsonArray after = profiles();
    const QJsonObject p4 = after[3].toObject();
    QCOMPARE(p4[QStringLiteral("scrollspeed")].toInt(), 13);
    QCOMPARE(p4[QStringLiteral("pollrate")].toInt(), 4);
    QCOMPARE(p4[QStringLiteral("dpi")].toInt(), 4);
    const QJsonObject stage6 = p4[QStringLiteral("DPI_INFO")].toArray()[5].toObject();
    QCOMPARE(stage6[QStringLiteral("x")].toInt(), 519);
    QCOMPARE(stage6[QStringLiteral("y")].toInt(), 519);
    QCOMPARE(stage6[QStringLiteral("used")].toInt(), 0);
    for (int i = 0; i < kProfileCount; ++i) {
        if (i != 3)
            QCOMPARE(after[i], before[i]);
    }
}

QTEST_MAIN(TestSensorModel)
#include "tst_sensormodel.moc"
