// mousecfg-cli show (and show --check), defaults, export-conf, import-conf,
// key-name and key-usage, run as the separate program they are.

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QtTest>

struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class TestStorageCli : public QObject
{
    Q_OBJECT

private slots:
    void showPrintsTheWholeSet();
    void defaultsFromDescriptionAndBuiltIn();
    void exportThenImportRoundTrips();
    void importOfOtherModelFails();
    void checkAndImportPrintTheReport();
    void keyCommands();
    void badUsage();

private:
    CliResult run(const StorageSandbox &box, const QStringList &args, const QString &dataDir = QString());
    static void checkProfileShape(const QJsonObject &p);
};

CliResult TestStorageCli::run(const StorageSandbox &box, const QStringList &args, const QString &dataDir)
{
    QProcess p;
    p.start(QStringLiteral(MOUSECFG_CLI),
            QStringList{QStringLiteral("--config-dir"), box.configDir(), QStringLiteral("--data-dir"),
                        dataDir.isEmpty() ? box.dataDir() : dataDir} +
                args);
    CliResult r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

void TestStorageCli::checkProfileShape(const QJsonObject &p)
{
    for (const char *key : {"pollrate", "dpi", "LedMode", "LedMoveOFF", "LedSleepTime", "mousespeed",
                            "dbclickspeed", "scrollispage", "scrollspeed", "accelenable", "acee"})
        QVERIFY2(p.value(QLatin1String(key)).isDouble(), key);
    QVERIFY(p.value(QStringLiteral("ProfileName")).isString());
    QVERIFY(p.value(QStringLiteral("ProfilePath")).isString());
    const QJsonArray stages = p.value(QStringLiteral("DPI_INFO")).toArray();
    QCOMPARE(stages.size(), 8);
    QCOMPARE(stages.at(0).toObject().keys(),
             (QStringList{QStringLiteral("link"), QStringLiteral("used"), QStringLiteral("x"),
                          QStringLiteral("xy"), QStringLiteral("y")}));
    const QJsonArray buttons = p.value(QStringLiteral("BUTTON_INFO")).toArray();
    QCOMPARE(buttons.size(), 42);
    const QJsonObject b = buttons.at(41).toObject();
    QCOMPARE(b.keys().size(), 10);
    QVERIFY(b.value(QStringLiteral("macroname")).isString());
    const QJsonArray keys = b.value(QStringLiteral("KeyInfo")).toArray();
    QCOMPARE(keys.size(), 84);
    QCOMPARE(keys.at(83).toArray().size(), 3);
    const QJsonArray leds = p.value(QStringLiteral("LED_MODE")).toArray();
    QCOMPARE(leds.size(), 14);
    QCOMPARE(leds.at(0).toObject().keys(),
             (QStringList{QStringLiteral("RGB"), QStringLiteral("breath"), QStringLiteral("bright"),
                          QStringLiteral("h"), QStringLiteral("s"), QStringLiteral("v")}));
}

void TestStorageCli::showPrintsTheWholeSet()
{
    StorageSandbox box;
    ProfileSet set = sampleSet();
    set.profiles[0].LED_MODE[3].RGB = QColor(0x12, 0xab, 0xef);
    QVERIFY(ProfileStore::saveWholeProfileSet(set));
    const CliResult r = run(box, {QStringLiteral("show")});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    for (const char *key :
         {"ProfileID", "AngleValue", "LiftHigh", "Sync", "Count", "Jitter", "Debounce", "Wake", "SensorMode"})
        QVERIFY2(o.value(QLatin1String(key)).isDouble(), key);
    QCOMPARE(o.keys().size(), 11);
    QCOMPARE(o.value(QStringLiteral("ProfileID")).toInt(), 2);
    QCOMPARE(o.value(QStringLiteral("Debounce")).toInt(), 12);
    QCOMPARE(o.value(QStringLiteral("names")).toArray().at(4).toString(), QStringLiteral("Slot 5"));
    const QJsonArray profiles = o.value(QStringLiteral("profiles")).toArray();
    QCOMPARE(profiles.size(), 5);
    for (const QJsonValue &p : profiles)
        checkProfileShape(p.toObject());
    const QJsonObject p0 = profiles.at(0).toObject();
    QCOMPARE(p0.value(QStringLiteral("ProfileName")).toString(), set.profiles[0].ProfileName);
    const QJsonArray leds = p0.value(QStringLiteral("LED_MODE")).toArray();
    QCOMPARE(leds.at(3).toObject().value(QStringLiteral("RGB")).toString(), QStringLiteral("#12abef"));
    QVERIFY(leds.at(13).toObject().value(QStringLiteral("RGB")).isNull());
    const QJsonArray stages = p0.value(QStringLiteral("DPI_INFO")).toArray();
    QCOMPARE(stages.at(7).toObject().value(QStringLiteral("x")).toInt(), -1);
    const QJsonObject b5 = p0.value(QStringLiteral("BUTTON_INFO")).toArray().at(5).toObject();
    QCOMPARE(b5.value(QStringLiteral("Fun")).toInt(), 200);
    QCOMPARE(b5.value(QStringLiteral("macroname")).toString(), QStringLiteral("jump, run"));
    QCOMPARE(b5.value(QStringLiteral("KeyInfo")).toArray().at(1).toArray(),
             (QJsonArray{int(set.profiles[0].BUTTON_INFO[5].KeyInfo[1].map), 3, 0x80}));

    // Values are shown after their cut to the field width.
    StorageSandbox::writeFile(ProfileStore::slotProfilePath(QStringLiteral("Slot 1")),
                              "[PROFILE_0]\npollrate=257\nLedMode=99\n");
    const CliResult cut = run(box, {QStringLiteral("show")});
    const QJsonObject c0 = QJsonDocument::fromJson(cut.out)
                               .object()
                               .value(QStringLiteral("profiles"))
                               .toArray()
                               .at(0)
                               .toObject();
    QCOMPARE(c0.value(QStringLiteral("pollrate")).toInt(), 1);
    QCOMPARE(c0.value(QStringLiteral("LedMode")).toInt(), 0);
}

void TestStorageCli::defaultsFromDescriptionAndBuiltIn()
{
    StorageSandbox box;
    CliResult r = run(box, {QStringLiteral("defaults")});
    QCOMPARE(r.exitCode, 0);
    QJsonObject o = QJsonDocument::fromJson(r.out).object();
    checkProfileShape(o.value(QStringLiteral("profile")).toObject());
    QCOMPARE(o.value(QStringLiteral("profile")).toObject().value(QStringLiteral("LedMode")).toInt(), 9);
    const QJsonObject sensor = o.value(QStringLiteral("sensor")).toObject();
    QCOMPARE(sensor.keys().size(), 7);
    QCOMPARE(sensor.value(QStringLiteral("Debounce")).toInt(), 20);
    QCOMPARE(sensor.value(QStringLiteral("SensorMode")).toInt(), 1);

    // The shipped description, as the build lays it out.
    r = run(box, {QStringLiteral("defaults")}, QStringLiteral(MOUSECFG_BIN_DIR));
    QCOMPARE(r.exitCode, 0);
    o = QJsonDocument::fromJson(r.out).object();
    const QJsonObject p = o.value(QStringLiteral("profile")).toObject();
    QCOMPARE(p.value(QStringLiteral("BUTTON_INFO"))
                 .toArray()
                 .at(0)
                 .toObject()
                 .value(QStringLiteral("Fun"))
                 .toInt(),
             1);
    QCOMPARE(p.value(QStringLiteral("BUTTON_INFO"))
                 .toArray()
                 .at(40)
                 .toObject()
                 .value(QStringLiteral("Fun"))
                 .toInt(),
             52);
    QVERIFY(p.value(QStringLiteral("LED_MODE"))
                .toArray()
                .at(1)
                .toObject()
                .value(QStringLiteral("RGB"))
                .isString());
    QCOMPARE(o.value(QStringLiteral("sensor")).toObject().value(QStringLiteral("Debounce")).toInt(), 8);
}

void TestStorageCli::exportThenImportRoundTrips()
{
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nProductName=ORVALE8\n");
    const ProfileSet set = sampleSet();
    QVERIFY(ProfileStore::saveWholeProfileSet(set));
    const QString file = box.root() + QStringLiteral("/backup.conf");
    CliResult r = run(box, {QStringLiteral("export-conf"), file});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(ProfileStore::readExportModelName(file), QStringLiteral("ORVALE8"));

    StorageSandbox fresh;
    fresh.writeDescription("[PROFILE]\nProductName=ORVALE8\n");
    r = run(fresh, {QStringLiteral("import-conf"), file});
    QCOMPARE(r.exitCode, 0);
    ProfileSet back;
    QCOMPARE(ProfileStore::loadProfileSet(back), 0);
    QCOMPARE(back.names, set.names);
    QCOMPARE(back.Debounce, set.Debounce);
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileData expected = set.profiles[size_t(i)];
        expected.LedMoveOFF = 255; // not carried by an export; the fresh folder had none
        expected.LedSleepTime = 1;
        QVERIFY2(back.profiles[size_t(i)] == expected, qPrintable(QString::number(i)));
    }
}

void TestStorageCli::importOfOtherModelFails()
{
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nProductName=ORVALE8\n");
    const QString file = box.root() + QStringLiteral("/other.conf");
    QVERIFY(ProfileStore::exportConfiguration(sampleSet(), file, QStringLiteral("SOMETHING ELSE")));
    const CliResult r = run(box, {QStringLiteral("import-conf"), file});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err.trimmed(), QByteArray("The file is not match current mouse!"));
    // Nothing of the file was taken: the folder holds the shipped defaults it was seeded with.
    QVERIFY(!QFileInfo::exists(box.configDir() + QStringLiteral("/Profile")) ||
            QDir(box.configDir() + QStringLiteral("/Profile")).entryList(QDir::Files).isEmpty());

    const CliResult missing =
        run(box, {QStringLiteral("import-conf"), box.root() + QStringLiteral("/none.conf")});
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.err.count('\n'), 1);
}

void TestStorageCli::checkAndImportPrintTheReport()
{
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nProductName=ORVALE8\n");
    const QString own = box.root() + QStringLiteral("/own.conf");
    QVERIFY(ProfileStore::exportConfiguration(sampleSet(), own, QStringLiteral("ORVALE8")));
    const QString prof = box.root() + QStringLiteral("/own.prof");
    QVERIFY(ProfileStore::writeProfileSection(0, sampleProfile(1), prof));
    QVERIFY(ProfileStore::writeExportModelName(prof, QStringLiteral("ORVALE8")));

    // Files of ours load as they stand.
    for (const QString &file : {own, prof}) {
        const CliResult r = run(box, {QStringLiteral("show"), QStringLiteral("--check"), file});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
    }

    // A value out of range: listed by the check (exit 1) and by the import (which goes on).
    const QString edited = box.root() + QStringLiteral("/edited.conf");
    QVERIFY(QFile::copy(own, edited));
    QSettings(edited, QSettings::IniFormat).setValue(QStringLiteral("PROFILE_2/pollrate"), 300);
    const QByteArray line = "edited.conf: PROFILE_2/pollrate: found \"300\", used \"44\" (out of range)\n";
    CliResult r = run(box, {QStringLiteral("show"), QStringLiteral("--check"), edited});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, line);
    r = run(box, {QStringLiteral("import-conf"), edited});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err, line);
    ProfileSet stored;
    ProfileStore::loadProfileSet(stored);
    QCOMPARE(stored.profiles[2].pollrate, uint8_t(44));

    // Cut short: refused by both, saying where; --partial loads what it holds.
    QFile f(own);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    const QString cut = box.root() + QStringLiteral("/cut.conf");
    StorageSandbox::writeFile(cut, whole.left(whole.indexOf("[PROFILE_4]") + 5000));
    r = run(box, {QStringLiteral("show"), QStringLiteral("--check"), cut});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("refused") && r.err.contains("PROFILE_4"), r.err.constData());
    QSettings(AppConfig::globalConfigFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("Config/Debounce"), 3);
    r = run(box, {QStringLiteral("import-conf"), cut});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("PROFILE_4") && r.err.contains("--partial"), r.err.constData());
    ProfileStore::loadProfileSet(stored);
    QCOMPARE(stored.Debounce, uint8_t(3)); // nothing was saved
    r = run(box, {QStringLiteral("import-conf"), QStringLiteral("--partial"), cut});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.contains("PROFILE_4"));
    ProfileStore::loadProfileSet(stored);
    QCOMPARE(stored.Debounce, sampleSet().Debounce);

    // Another mouse's file, and no file at all: refused, with the reason.
    const QString other = box.root() + QStringLiteral("/other.conf");
    QVERIFY(ProfileStore::exportConfiguration(sampleSet(), other, QStringLiteral("SOMEOTHER")));
    r = run(box, {QStringLiteral("show"), QStringLiteral("--check"), other});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("another mouse") && r.err.contains("SOMEOTHER"), r.err.constData());
    r = run(box,
            {QStringLiteral("show"), QStringLiteral("--check"), box.root() + QStringLiteral("/none.prof")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains("does not exist"));
}

void TestStorageCli::keyCommands()
{
    StorageSandbox box;
    CliResult r = run(box, {QStringLiteral("key-name"), QStringLiteral("30")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("A\n"));
    r = run(box, {QStringLiteral("key-name"), QStringLiteral("250")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("\n"));
    box.writeDescription("[PROFILE]\nfrench=2\n");
    r = run(box, {QStringLiteral("key-name"), QStringLiteral("16"), QStringLiteral("--lang"),
                  QStringLiteral("2")});
    QCOMPARE(r.out, QByteArray("a\n"));
    r = run(box, {QStringLiteral("key-name"), QStringLiteral("16"), QStringLiteral("--lang"),
                  QStringLiteral("0")});
    QCOMPARE(r.out, QByteArray("Q\n"));
    r = run(box,
            {QStringLiteral("key-name"), QStringLiteral("3"), QStringLiteral("--lang"), QStringLiteral("2")});
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8("\xc3\xa9\n"));
    r = run(box, {QStringLiteral("key-usage"), QStringLiteral("30")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("4\n"));
    r = run(box, {QStringLiteral("key-usage"), QStringLiteral("240")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains("240"));
}

void TestStorageCli::badUsage()
{
    StorageSandbox box;
    const QList<QStringList> bad = {
        {QStringLiteral("key-name")},
        {QStringLiteral("key-name"), QStringLiteral("x")},
        {QStringLiteral("key-name"), QStringLiteral("1"), QStringLiteral("--lang")},
        {QStringLiteral("key-usage")},
        {QStringLiteral("export-conf")},
        {QStringLiteral("import-conf"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("show"), QStringLiteral("extra")},
        {QStringLiteral("show"), QStringLiteral("--check")},
        {QStringLiteral("import-conf"), QStringLiteral("--partial")}};
    for (const QStringList &args : bad) {
        const CliResult r = run(box, args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
    }
}

QTEST_GUILESS_MAIN(TestStorageCli)
#include "tst_storage_cli.moc"
