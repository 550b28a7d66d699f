// Profile files, the profile set, export and import.

#include "AppConfig.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QFile>
#include <QHash>
#include <QSettings>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace ProfileStore;

namespace {

ProfileData factoryProfile()
{
    ProfileData p;
    ProfileDefaults::buildDefaultProfile(p);
    return p;
}

} // namespace

class TestProfileStore : public QObject
{
    Q_OBJECT

private slots:
    void profileRoundTripsExactly();
    void fileHoldsEveryKeyInSectionZero();
    void handWrittenQtFormatLoads();
    void missingLedKeysTakeDefaults();
    void indexValuesStayInsideTables();
    void loadSetReadsConfigAndSlots();
    void loadSetLoadsButtonMatrix();
    void saveSetWritesSlotZeroOnly();
    void saveWholeSetWritesAllSlots();
    void exportImportKeepsLedOptions();
    void importRefusesOtherModel();
    void importOfFileWithoutNamesKeepsNames();
    void ownFilesGiveAnEmptyReport();
    void incompleteConfigurationIsRefusedWhole();
    void reportSaysWhatALoadAdjusts();
    void tooLargeFileIsRefusedAsSuch();
    void unsafeNamesNeverLeaveTheFolder();
    void interruptedSaveLeavesAWholeFile();
};

void TestProfileStore::profileRoundTripsExactly()
{
    StorageSandbox box;
    for (int seed = 0; seed < 3; ++seed) {
        const ProfileData p = sampleProfile(seed);
        QVERIFY(writeSlotProfile(p, QStringLiteral("Round")));
        ProfileData back;
        QVERIFY(readSlotProfile(back, QStringLiteral("Round")));
        QCOMPARE(back.BUTTON_INFO[9].LoopNumber, -5);
        QCOMPARE(back.DPI_INFO[7].x, -1);
        QCOMPARE(back.BUTTON_INFO[5].macroname, QStringLiteral("jump, run"));
        QVERIFY(!back.LED_MODE[13].RGB.isValid());
        QCOMPARE(back.ProfileName, p.ProfileName);
        QVERIFY(back == p);
    }
}

void TestProfileStore::fileHoldsEveryKeyInSectionZero()
{
    StorageSandbox box;
    // Any slot's profile goes to section PROFILE_0 of its own file.
    QVERIFY(writeSlotProfile(sampleProfile(3), QStringLiteral("Slot four")));
    const QString path = slotProfilePath(QStringLiteral("Slot four"));
    QCOMPARE(path, box.configDir() + QStringLiteral("/Profile/Slot four.prof"));
    QCOMPARE(countKeysInSection(path, QStringLiteral("PROFILE_0")), 11099);
    QSettings s(path, QSettings::IniFormat);
    QCOMPARE(s.childGroups(), QStringList{QStringLiteral("PROFILE_0")});
    QCOMPARE(s.value(QStringLiteral("PROFILE_0/BUTTON_INFO_3_Fun")).toInt(), 12);
    QCOMPARE(s.value(QStringLiteral("PROFILE_0/BUTTON_INFO_3_KeyInfo_5_")).toInt(), 15);
    QCOMPARE(s.value(QStringLiteral("PROFILE_0/DPI_INFO_7_x")).toString(), QStringLiteral("4294967295"));
    QVERIFY(s.contains(QStringLiteral("PROFILE_0/LedMode/LED_MODE_13_breath")));
    // The LED keys carry a backslash in the file itself.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("LedMode\\LED_MODE_0_RGB=@Variant("));
}

void TestProfileStore::handWrittenQtFormatLoads()
{
    StorageSandbox box;
    const QString path = box.configDir() + QStringLiteral("/Profile/Hand.prof");
    StorageSandbox::writeFile(
        path,
        "[PROFILE_0]\r\n"
        "pollrate=2\r\ndpi=3\r\nDPI_INFO_3_used=1\r\nDPI_INFO_3_xy=4294967295\r\nDPI_INFO_3_x=63\r\n"
        "BUTTON_INFO_5_Fun=200\r\nBUTTON_INFO_5_macroname=\"jump, run\"\r\n"
        "BUTTON_INFO_5_KeyInfo_2_map=132\r\nBUTTON_INFO_5_KeyInfo_2_=4\r\nBUTTON_INFO_5_KeyInfo_2_H=128\r\n"
        "ProfileName=\\x4e2d\\x6587 Name\r\n"
        "LedMode=10\r\n"
        "LedMode\\LED_MODE_10_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\xff\\xff\\0\\0\\0\\0)\r\n"
        "LedMode\\LED_MODE_10_bright=2\r\nLedMode\\LED_MODE_10_h=360\r\n"
        "LedMode\\LED_MODE_2_RGB=#123456\r\n"
        "[PROFILE_1]\r\npollrate=8\r\n");
    ProfileData p;
    QVERIFY(readProfileSection(0, p, path));
    QCOMPARE(p.pollrate, uint8_t(2));
    QCOMPARE(p.dpi, uint8_t(3));
    QCOMPARE(p.DPI_INFO[3].used, uint8_t(1));
    QCOMPARE(p.DPI_INFO[3].xy, -1);
    QCOMPARE(p.DPI_INFO[3].x, 63);
    QCOMPARE(p.BUTTON_INFO[5].Fun, 200);
    QCOMPARE(p.BUTTON_INFO[5].macroname, QStringLiteral("jump, run"));
    QCOMPARE(p.BUTTON_INFO[5].KeyInfo[2], (KeyInfo{132, 4, 128}));
    QCOMPARE(p.ProfileName, QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 Name"));
    QCOMPARE(p.LedMode, uint8_t(10));
    QCOMPARE(p.LED_MODE[10].RGB, QColor(0, 255, 0));
    QCOMPARE(p.LED_MODE[10].bright, 2);
    QCOMPARE(p.LED_MODE[10].h, 360);
    QCOMPARE(p.LED_MODE[2].RGB, QColor(0x12, 0x34, 0x56));
    QCOMPARE(p.LED_MODE[0].RGB, factoryProfile().LED_MODE[0].RGB); // not in the file
    QVERIFY(readProfileSection(1, p, path));
    QCOMPARE(p.pollrate, uint8_t(8));
}

void TestProfileStore::missingLedKeysTakeDefaults()
{
    // A partial file is never zeros: every key it lacks has its factory
    // value, and the reader says the file was not whole.
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nLedMoveOFF=255\nLedSleepTime=4\nDPI_INFO_1=77\nBUTTON_INFO_0_Fun=3\n");
    const QString path = box.configDir() + QStringLiteral("/Profile/Bare.prof");
    StorageSandbox::writeFile(path, "[PROFILE_0]\npollrate=300\nmousespeed=-1\n");
    ProfileData p;
    bool complete = true;
    QVERIFY(readProfileSection(0, p, path, nullptr, &complete));
    QVERIFY(!complete);
    ProfileData want = factoryProfile();
    QCOMPARE(want.LedSleepTime, uint8_t(4));
    QCOMPARE(want.BUTTON_INFO[0].Fun, 3);
    want.pollrate = uint8_t(300 & 0xff); // cut to the field width
    want.mousespeed = 255;
    QVERIFY(p == want);
    // A whole file says so.
    QVERIFY(writeProfileSection(0, sampleProfile(3), path));
    QVERIFY(readProfileSection(0, p, path, nullptr, &complete));
    QVERIFY(complete);
    QVERIFY(p == sampleProfile(3));
}

void TestProfileStore::indexValuesStayInsideTables()
{
    StorageSandbox box;
    const QString path = box.configDir() + QStringLiteral("/Profile/Bad.prof");
    StorageSandbox::writeFile(path, "[PROFILE_0]\ndpi=8\nLedMode=14\n");
    ProfileData p;
    QVERIFY(readProfileSection(0, p, path));
    QCOMPARE(p.dpi, uint8_t(0));
    QCOMPARE(p.LedMode, uint8_t(0));
    StorageSandbox::writeFile(path, "[PROFILE_0]\ndpi=7\nLedMode=13\n");
    QVERIFY(readProfileSection(0, p, path));
    QCOMPARE(p.dpi, uint8_t(7));
    QCOMPARE(p.LedMode, uint8_t(13));
}

void TestProfileStore::loadSetReadsConfigAndSlots()
{
    StorageSandbox box;
    QVERIFY(writeSlotProfile(sampleProfile(0), QStringLiteral("A")));
    QVERIFY(writeSlotProfile(sampleProfile(2), QStringLiteral("C")));
    box.writeConfig(
        "[Config]\nProfileID=2\nAngleValue=1\nLiftHigh=2\nSync=1\nJitter=1\nDebounce=300\nWake=3\n"
        "SensorMode=1\nCount=3\nProfile1=A\nProfile2=\nProfile3=C\nProfile4=Missing\n");
    ProfileSet set = sampleSet();
    QCOMPARE(loadProfileSet(set), 0);
    QCOMPARE(set.ProfileID, uint8_t(2));
    QCOMPARE(set.LiftHigh, uint8_t(2));
    QCOMPARE(set.Debounce, uint8_t(300 & 0xff));
    QCOMPARE(set.Count, uint8_t(3));
    QCOMPARE(set.names[0], QStringLiteral("A"));
    QCOMPARE(set.names[1], QStringLiteral("Profile 2")); // unnamed: the default name
    QCOMPARE(set.names[4], QStringLiteral("Profile 5"));
    QVERIFY(set.profiles[0] == sampleProfile(0));
    QVERIFY(set.profiles[2] == sampleProfile(2));
    // An empty name or a slot never saved starts from the factory profile.
    for (int slot : {1, 3, 4}) {
        ProfileData p = set.profiles[size_t(slot)];
        QCOMPARE(p.ProfileName, set.names[size_t(slot)]);
        p.ProfileName.clear();
        QVERIFY(p == factoryProfile());
    }

    box.writeConfig("[Config]\nProfileID=7\n");
    QCOMPARE(loadProfileSet(set), 0);
    QCOMPARE(set.ProfileID, uint8_t(0)); // no slot 7
}

void TestProfileStore::loadSetLoadsButtonMatrix()
{
    StorageSandbox box;
    setButtonMatrix({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    ProfileSet set;
    QCOMPARE(loadProfileSet(set), 0);
    QCOMPARE(buttonMatrix()[3], uint8_t(3)); // no description: the table stays
    box.writeDescription("[PROFILE]\nBUTTON_INFO_0_Matrix=5\nBUTTON_INFO_1_Matrix=4\n");
    QCOMPARE(loadProfileSet(set), 0);
    QCOMPARE(buttonMatrix()[0], uint8_t(5));
    QCOMPARE(buttonMatrix()[1], uint8_t(4));
    QCOMPARE(buttonMatrix()[2], uint8_t(0));
}

void TestProfileStore::saveSetWritesSlotZeroOnly()
{
    StorageSandbox box;
    const ProfileSet set = sampleSet();
    QVERIFY(saveProfileSet(set));
    QSettings s(AppConfig::globalConfigFile(), QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("Config/ProfileID")).toInt(), 2);
    QCOMPARE(s.value(QStringLiteral("Config/Debounce")).toInt(), 12);
    QCOMPARE(s.value(QStringLiteral("Config/Count")).toInt(), 5);
    QCOMPARE(s.value(QStringLiteral("Config/Profile1")).toString(), QStringLiteral("Slot 1"));
    QVERIFY(!s.contains(QStringLiteral("Config/Profile2")));
    QVERIFY(QFileInfo::exists(slotProfilePath(QStringLiteral("Slot 1"))));
    QVERIFY(!QFileInfo::exists(slotProfilePath(QStringLiteral("Slot 2"))));

    ProfileSet unnamed = set;
    unnamed.names[0].clear();
    QString error;
    QVERIFY(!saveProfileSet(unnamed, &error)); // would have written "Profile/.prof"
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(box.configDir() + QStringLiteral("/Profile/.prof")));
}

void TestProfileStore::saveWholeSetWritesAllSlots()
{
    StorageSandbox box;
    ProfileSet set = sampleSet();
    QVERIFY(saveWholeProfileSet(set));
    ProfileSet back;
    QCOMPARE(loadProfileSet(back), 0);
    QVERIFY(back == set);

    set.names[3] = QStringLiteral("../../evil");
    QString error;
    QVERIFY(!saveWholeProfileSet(set, &error));
    QVERIFY(error.contains(QStringLiteral("evil")));
}

void TestProfileStore::exportImportKeepsLedOptions()
{
    StorageSandbox box;
    const ProfileSet set = sampleSet();
    const QString file = box.root() + QStringLiteral("/out.conf");
    StorageSandbox::writeFile(file, "[Stale]\nkey=1\n");
    QVERIFY(exportConfiguration(set, file, QStringLiteral("ORVALE8")));
    QSettings s(file, QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("MouseName/Name")).toString(), QStringLiteral("ORVALE8"));
    QVERIFY(!s.contains(QStringLiteral("Stale/key"))); // an export replaces the file
    QVERIFY(!s.contains(QStringLiteral("PROFILE_0/LedMoveOFF")));
    QVERIFY(!s.contains(QStringLiteral("PROFILE_4/LedSleepTime")));
    QCOMPARE(countKeysInSection(file, QStringLiteral("PROFILE_4")), 11097);
    QCOMPARE(readExportModelName(file), QStringLiteral("ORVALE8"));

    ProfileSet target;
    for (ProfileData &p : target.profiles) {
        p.LedMoveOFF = 42;
        p.LedSleepTime = 7;
    }
    QVERIFY(importConfiguration(target, file, QStringLiteral("ORVALE8")));
    for (int i = 0; i < kProfileCount; ++i) {
        QCOMPARE(target.profiles[size_t(i)].LedMoveOFF, uint8_t(42));
        QCOMPARE(target.profiles[size_t(i)].LedSleepTime, uint8_t(7));
        ProfileData expected = set.profiles[size_t(i)];
        expected.LedMoveOFF = 42;
        expected.LedSleepTime = 7;
        QVERIFY(target.profiles[size_t(i)] == expected);
    }
    QCOMPARE(target.names, set.names);
    QCOMPARE(target.ProfileID, set.ProfileID);
    QCOMPARE(target.Debounce, set.Debounce);
    QCOMPARE(target.Count, set.Count);
}

void TestProfileStore::importRefusesOtherModel()
{
    StorageSandbox box;
    const QString file = box.root() + QStringLiteral("/other.conf");
    QVERIFY(exportConfiguration(sampleSet(), file, QStringLiteral("OTHERMODEL")));
    ProfileSet target;
    const ProfileSet before = target;
    QString error;
    QVERIFY(!importConfiguration(target, file, QStringLiteral("ORVALE8"), &error));
    QCOMPARE(error, QStringLiteral("The file is not match current mouse!"));
    QVERIFY(target == before);
    QVERIFY(!importConfiguration(target, box.root() + QStringLiteral("/none.conf"), QStringLiteral("ORVALE8"),
                                 &error));
    QVERIFY(error.contains(QStringLiteral("does not exist")));
}

void TestProfileStore::importOfFileWithoutNamesKeepsNames()
{
    StorageSandbox box;
    const QString file = box.root() + QStringLiteral("/old.conf");
    StorageSandbox::writeFile(file, "[Config]\nProfileID=1\nCount=5\n[MouseName]\nName=ORVALE8\n"
                                    "[PROFILE_1]\npollrate=4\n");
    ProfileSet target = sampleSet();
    // So short a file is incomplete: loaded only when the user asks for what it holds.
    QVERIFY(!importConfiguration(target, file, QStringLiteral("ORVALE8")));
    QVERIFY(target == sampleSet());
    QVERIFY(importConfiguration(target, file, QStringLiteral("ORVALE8"), nullptr, nullptr, true));
    QCOMPARE(target.names[1], QStringLiteral("Slot 2"));
    QCOMPARE(target.profiles[1].pollrate, uint8_t(4));
    QCOMPARE(target.ProfileID, uint8_t(1));
}

void TestProfileStore::ownFilesGiveAnEmptyReport()
{
    // Every kind of value the program writes (negative numbers written
    // unsigned, no colour, a macro name with a comma) reads back unadjusted.
    StorageSandbox box;
    const QString conf = box.root() + QStringLiteral("/mine.conf");
    QVERIFY(exportConfiguration(sampleSet(), conf, QStringLiteral("ORVALE8")));
    ImportReport report =
        ImportReport::check(conf, ImportReport::FileKind::Configuration, QStringLiteral("ORVALE8"));
    QVERIFY2(report.isEmpty(), qPrintable(report.lines().mid(0, 5).join(QLatin1Char('\n'))));
    QVERIFY(!report.refused());
    QCOMPARE(ImportReport::kindOf(conf), ImportReport::FileKind::Configuration);

    const QString prof = box.root() + QStringLiteral("/mine.prof");
    QVERIFY(writeProfileSection(0, sampleProfile(2), prof));
    QVERIFY(writeExportModelName(prof, QStringLiteral("ORVALE8")));
    report = ImportReport::check(prof, ImportReport::FileKind::Profile, QStringLiteral("ORVALE8"));
    QVERIFY2(report.isEmpty(), qPrintable(report.lines().mid(0, 5).join(QLatin1Char('\n'))));
    QVERIFY(!report.refused());
    QCOMPARE(ImportReport::kindOf(prof), ImportReport::FileKind::Profile);
}

void TestProfileStore::incompleteConfigurationIsRefusedWhole()
{
    StorageSandbox box;
    const QString file = box.root() + QStringLiteral("/cut.conf");
    QVERIFY(exportConfiguration(sampleSet(), file, QStringLiteral("ORVALE8")));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    // The file ends in the middle of a line of [PROFILE_4].
    const int section = whole.indexOf("[PROFILE_4]");
    QVERIFY(section > 0);
    const int cut = whole.indexOf("BUTTON_INFO_20_KeyInfo_", section) + 10;
    StorageSandbox::writeFile(file, whole.left(cut));

    ProfileSet target;
    for (ProfileData &p : target.profiles)
        ProfileDefaults::buildDefaultProfile(p);
    const ProfileSet before = target;
    QString error;
    ImportReport report;
    QVERIFY(!importConfiguration(target, file, QStringLiteral("ORVALE8"), &error, &report));
    QVERIFY(target == before);
    QVERIFY(report.isIncomplete());
    QVERIFY2(error.contains(QLatin1String("PROFILE_4")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("every key from BUTTON_INFO_20_KeyInfo_")), qPrintable(error));
    QVERIFY(!error.contains(QLatin1String("PROFILE_3")));
    const QVector<ImportReport::Entry> &entries = report.entries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().key, QStringLiteral("PROFILE_4"));
    QCOMPARE(entries.first().why, ImportReport::Reason::MissingKeys);

    // Asked for, what it holds is loaded; the rest has its factory value.
    QVERIFY(importConfiguration(target, file, QStringLiteral("ORVALE8"), &error, &report, true));
    const ProfileSet sample = sampleSet();
    QCOMPARE(target.profiles[3].BUTTON_INFO[30].Fun, sample.profiles[3].BUTTON_INFO[30].Fun);
    QCOMPARE(target.profiles[4].BUTTON_INFO[1].Fun, sample.profiles[4].BUTTON_INFO[1].Fun);
    QCOMPARE(target.profiles[4].pollrate, factoryProfile().pollrate);
    QCOMPARE(target.profiles[4].BUTTON_INFO[30].Fun, factoryProfile().BUTTON_INFO[30].Fun);

    // Cut before a section begins: that section, and every one after it, is missing.
    StorageSandbox::writeFile(file, whole.left(whole.indexOf("[PROFILE_3]")));
    report = ImportReport::check(file, ImportReport::FileKind::Configuration, QStringLiteral("ORVALE8"));
    QStringList missing;
    for (const ImportReport::Entry &e : report.entries()) {
        QCOMPARE(e.why, ImportReport::Reason::MissingSection);
        missing << e.key;
    }
    QCOMPARE(missing, (QStringList{QStringLiteral("PROFILE_3"), QStringLiteral("PROFILE_4")}));
}

void TestProfileStore::reportSaysWhatALoadAdjusts()
{
    StorageSandbox box;
    const QString file = box.root() + QStringLiteral("/edited.conf");
    ProfileSet set = sampleSet();
    QVERIFY(exportConfiguration(set, file, QStringLiteral("ORVALE8")));
    {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(QStringLiteral("PROFILE_2/pollrate"), 300);                // a byte: cut to 44
        s.setValue(QStringLiteral("PROFILE_0/dpi"), 9);                       // past the stage table: 0
        s.setValue(QStringLiteral("PROFILE_1/acee"), QStringLiteral("fast")); // not a number: 0
        s.setValue(QStringLiteral("PROFILE_3/Turbo"), 1);                     // no such key
        s.setValue(QStringLiteral("Config/Profile3"), QStringLiteral("../escape"));
        s.setValue(QStringLiteral("Config/ProfileID"), 7);
    }
    ImportReport report;
    ProfileSet target = set;
    QVERIFY(importConfiguration(target, file, QStringLiteral("ORVALE8"), nullptr, &report));
    QHash<QString, ImportReport::Entry> byKey;
    for (const ImportReport::Entry &e : report.entries()) {
        QCOMPARE(e.file, file);
        byKey.insert(e.key, e);
    }
    QCOMPARE(byKey.size(), 6);
    auto check = [&](const char *key, const char *found, const char *used, ImportReport::Reason why) {
        const ImportReport::Entry e = byKey.value(QLatin1String(key));
        QCOMPARE(e.found, QLatin1String(found));
        QCOMPARE(e.used, QLatin1String(used));
        QCOMPARE(e.why, why);
    };
    check("PROFILE_2/pollrate", "300", "44", ImportReport::Reason::OutOfRange);
    check("PROFILE_0/dpi", "9", "0", ImportReport::Reason::OutOfRange);
    check("PROFILE_1/acee", "fast", "0", ImportReport::Reason::Unreadable);
    check("PROFILE_3/Turbo", "1", "ignored", ImportReport::Reason::UnknownKey);
    check("Config/ProfileID", "7", "0", ImportReport::Reason::OutOfRange);
    QCOMPARE(byKey.value(QStringLiteral("Config/Profile3")).why, ImportReport::Reason::RefusedName);
    // The load takes what the report says it uses.
    QCOMPARE(target.profiles[2].pollrate, uint8_t(44));
    QCOMPARE(target.profiles[0].dpi, uint8_t(0));
    QCOMPARE(target.profiles[1].acee, uint8_t(0));
    QCOMPARE(target.ProfileID, uint8_t(0));
    QCOMPARE(target.names[2], set.names[2]);
    QVERIFY(report.lines().first().startsWith(QLatin1String("edited.conf: ")));
}

void TestProfileStore::tooLargeFileIsRefusedAsSuch()
{
    StorageSandbox box;
    const QString file = box.root() + QStringLiteral("/huge.conf");
    QVERIFY(exportConfiguration(sampleSet(), file, QStringLiteral("ORVALE8")));
    QVERIFY(QFile(file).resize(60 * 1024 * 1024)); // sparse
    ProfileSet target;
    QString error;
    ImportReport report;
    QVERIFY(!importConfiguration(target, file, QStringLiteral("ORVALE8"), &error, &report));
    QCOMPARE(report.refusal(), ImportReport::Refusal::TooLarge);
    QVERIFY2(error.contains(QLatin1String("too large")) &&
                 error.contains(QLatin1String("configuration file")),
             qPrintable(error));
    QVERIFY(!error.contains(QLatin1String("not match")));
}

void TestProfileStore::unsafeNamesNeverLeaveTheFolder()
{
    StorageSandbox box;
    const QStringList bad = {QStringLiteral("../../outside"), QStringLiteral("/etc/passwd"),
                             QStringLiteral(".."), QStringLiteral("x\\..\\y"), QStringLiteral("nul\x01")};
    for (const QString &name : bad) {
        QString error;
        QVERIFY(!writeSlotProfile(sampleProfile(0), name, &error));
        QVERIFY2(!error.isEmpty(), qPrintable(name));
        QVERIFY(!writeLibraryProfile(sampleProfile(0), QStringLiteral("ORVALE8"), name));
        QVERIFY(!writeLibraryProfile(sampleProfile(0), name, QStringLiteral("ok")));
        ProfileData p = sampleProfile(1);
        QVERIFY(!readSlotProfile(p, name));
        QVERIFY(p == factoryProfile());
    }
    QVERIFY(box.allFiles().isEmpty());

    box.writeConfig("[Config]\nProfile1=../../../../etc/passwd\nProfile2=Fine\n");
    ProfileSet set;
    QString error;
    QCOMPARE(loadProfileSet(set, &error), -1);
    QVERIFY(error.contains(QStringLiteral("PROFILE 1")));
    ProfileData refused = set.profiles[0];
    refused.ProfileName.clear();
    QVERIFY(refused == factoryProfile());
    QCOMPARE(set.names[1], QStringLiteral("Fine"));
    // Names with blanks at either end are names like any other: they load.
    QVERIFY(writeSlotProfile(sampleProfile(4), QStringLiteral("  padded ")));
    box.writeConfig("[Config]\nProfile1=\"  padded \"\n");
    QCOMPARE(loadProfileSet(set, &error), 0);
    QCOMPARE(set.names[0], QStringLiteral("  padded "));
    QVERIFY(set.profiles[0] == sampleProfile(4));
}

void TestProfileStore::interruptedSaveLeavesAWholeFile()
{
    StorageSandbox box;
    const ProfileData a = sampleProfile(0);
    const ProfileData b = sampleProfile(1);
    QVERIFY(writeSlotProfile(a, QStringLiteral("Atomic")));
    // A child saves again and again and is killed at an arbitrary moment.
    for (int round = 0; round < 4; ++round) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                writeSlotProfile(i % 2 ? a : b, QStringLiteral("Atomic"));
        }
        usleep(useconds_t(30000 + round * 17000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ProfileData back;
        QVERIFY(readSlotProfile(back, QStringLiteral("Atomic")));
        QCOMPARE(countKeysInSection(slotProfilePath(QStringLiteral("Atomic")), QStringLiteral("PROFILE_0")),
                 11099);
        QVERIFY(back == a || back == b);
    }
}

QTEST_GUILESS_MAIN(TestProfileStore)
#include "tst_profilestore.moc"
