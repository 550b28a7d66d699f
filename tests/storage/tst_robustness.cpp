// Garbage, truncated, huge and hostile files fed to every loader: nothing
// crashes, nothing escapes its folder, defaults apply.

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "KeyTables.h"
#include "MacroFile.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>

// An allocation ASan cannot serve returns null, as malloc does, instead of ending the test.
extern "C" __attribute__((used)) const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}

class TestRobustness : public QObject
{
    Q_OBJECT

private slots:
    void garbageEverywhere();
    void truncatedProfileFiles();
    void hugeFilesAreRefusedUnread();
    void specialFilesAreRefusedUnread();
    void hostileValues();
    void hostileNamesInFiles();

private:
    // Runs every loader once over whatever the sandbox holds.
    void loadEverything(const StorageSandbox &box);
};

void TestRobustness::loadEverything(const StorageSandbox &box)
{
    ProfileSet set;
    QString error;
    ProfileStore::loadProfileSet(set, &error);
    QVERIFY(set.ProfileID < kProfileCount);
    for (const ProfileData &p : set.profiles) {
        QVERIFY(p.dpi < kDpiStageCount);
        QVERIFY(p.LedMode < kLedModeCount);
    }
    ProfileSet other = set;
    ProfileDefaults::changeMask(set, other);
    ProfileData d;
    ProfileDefaults::buildDefaultProfile(d);
    QVERIFY(d.dpi < kDpiStageCount && d.LedMode < kLedModeCount);
    ProfileDefaults::buildDefaultSet(set);
    DeviceDescription::ButtonMatrix m;
    DeviceDescription::loadMatrix(m);
    for (uint8_t slot : ProfileStore::buttonMatrix())
        QVERIFY(slot < 16);
    DeviceDescription::loadMatrix2(m);
    DeviceDescription::SensorDefaults sd;
    DeviceDescription::loadSensorDefaults(sd);
    DeviceDescription::productName();
    QVERIFY(DeviceDescription::minDelay() >= 1);
    int lo = 0, hi = 0;
    DeviceDescription::sleepRange(&lo, &hi);
    QVERIFY(lo <= hi);
    AppConfig::loadLanguageTable();
    AppConfig::countMacros();
    QVERIFY(AppConfig::loadProfileList(QStringLiteral("M")).size() <= AppConfig::kProfileLibraryMax);
    for (const QString &name : MacroFile::libraryNames()) {
        MacroFile::MacroData macro;
        MacroFile::loadMacro(name, macro);
        QVERIFY(macro.events.size() <= MacroFile::kMacroMaxEvents);
    }
    MacroFile::MacroData macro;
    MacroFile::loadMacro(QStringLiteral("m"), macro);
    QVERIFY(macro.events.size() <= MacroFile::kMacroMaxEvents);
    QVector<MacroEvent> events;
    MacroFile::loadEvents(QStringLiteral("m"), events, kKeyInfoCount);
    QVERIFY(events.size() <= kKeyInfoCount);
    ProfileStore::importProfileSet(set, box.root() + QStringLiteral("/none.conf"));
}

static QByteArray randomBytes(QRandomGenerator &rng, int size)
{
    QByteArray b(size, '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    return b;
}

void TestRobustness::garbageEverywhere()
{
    QRandomGenerator rng(20261207);
    for (int round = 0; round < 12; ++round) {
        StorageSandbox box;
        // Binary noise, sometimes with INI-looking structure mixed in.
        auto noise = [&](int size) {
            QByteArray b = randomBytes(rng, size);
            if (round % 2)
                b.replace(char(rng.bounded(256)), '\n')
                    .replace(char(rng.bounded(256)), '=')
                    .prepend("[Config]\n");
            return b;
        };
        box.writeConfig(noise(4000) + "\nProfile1=A\n[MACRO_LIST]\n0=m\n" + noise(500));
        box.writeDescription(noise(3000));
        StorageSandbox::writeFile(box.configDir() + QStringLiteral("/Profile/A.prof"),
                                  "[PROFILE_0]\n" + noise(20000));
        StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/m.MSMACRO"),
                                  "[Setting]\n" + noise(3000));
        StorageSandbox::writeFile(box.configDir() + QStringLiteral("/M/Config.ini"), noise(2000));
        StorageSandbox::writeFile(box.configDir() + QStringLiteral("/LangConfig.ini"), noise(100));
        loadEverything(box);
        // Saving over a damaged file works and reads back.
        ProfileSet set = sampleSet();
        set.names[0] = QStringLiteral("A");
        QString error;
        QVERIFY2(ProfileStore::saveProfileSet(set, &error), qPrintable(error));
        ProfileData back;
        QVERIFY(ProfileStore::readSlotProfile(back, QStringLiteral("A")));
        QVERIFY(back == set.profiles[0]);
    }
}

void TestRobustness::truncatedProfileFiles()
{
    StorageSandbox box;
    const ProfileData p = sampleProfile(1);
    QVERIFY(ProfileStore::writeSlotProfile(p, QStringLiteral("T")));
    const QString path = ProfileStore::slotProfilePath(QStringLiteral("T"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    QRandomGenerator rng(7);
    for (int i = 0; i < 20; ++i) {
        const int cut = int(rng.bounded(whole.size() - 2));
        StorageSandbox::writeFile(path, whole.left(cut));
        ProfileData back;
        bool complete = true;
        ProfileStore::readProfileSection(0, back, path, nullptr, &complete);
        // What was cut off reads as its factory value, never as zero; what
        // remains is what was written; a cut file never counts as whole.
        QVERIFY(!complete);
        QVERIFY(back.pollrate == p.pollrate || back.pollrate == factory.pollrate);
        QVERIFY(back.LedSleepTime == p.LedSleepTime || back.LedSleepTime == factory.LedSleepTime);
        QVERIFY(back.BUTTON_INFO[0].Fun == p.BUTTON_INFO[0].Fun ||
                back.BUTTON_INFO[0].Fun == factory.BUTTON_INFO[0].Fun);
        QVERIFY(back.LedMode < kLedModeCount && back.dpi < kDpiStageCount);
    }
}

void TestRobustness::hugeFilesAreRefusedUnread()
{
    StorageSandbox box;
    // Sparse files: large on paper, cheap on disk.
    for (const QString &path : {box.configDir() + QStringLiteral("/Config.ini"),
                                box.dataDir() + QStringLiteral("/DefaultProfile.bin"),
                                box.configDir() + QStringLiteral("/MacroDB/m.MSMACRO")}) {
        StorageSandbox::writeFile(path,
                                  "[Config]\nProfileID=3\n[PROFILE]\nProductName=X\n[Setting]\nCount=3\n");
        QFile f(path);
        QVERIFY(f.resize(64ll * 1024 * 1024));
    }
    QElapsedTimer timer;
    timer.start();
    ProfileSet set;
    QString error;
    ProfileStore::loadProfileSet(set, &error);
    QVERIFY(error.contains(QStringLiteral("too large")));
    QCOMPARE(set.ProfileID, uint8_t(0));
    QCOMPARE(DeviceDescription::productName(), QString());
    ProfileData d;
    ProfileDefaults::buildDefaultProfile(d);
    QCOMPARE(d.LedMode, uint8_t(9)); // built-in defaults, the template was not read
    MacroFile::MacroData m;
    QVERIFY(!MacroFile::loadMacro(QStringLiteral("m"), m, &error));
    QVERIFY(error.contains(QStringLiteral("too large")));
    // A save refuses to merge into such a file instead of reading it.
    QVERIFY(!ProfileStore::saveProfileSet(sampleSet(), &error));
    QVERIFY(timer.elapsed() < 20000); // refused, not parsed
}

void TestRobustness::specialFilesAreRefusedUnread()
{
    // A FIFO nobody writes into and a link to /dev/zero stand in for each kind of settings file:
    // refused with a message and never opened (the one would wait, the other never end).
    StorageSandbox box;
    const QString config = box.configDir() + QStringLiteral("/Config.ini");
    const QString profile = box.configDir() + QStringLiteral("/Profile/A.prof");
    const QString macro = box.configDir() + QStringLiteral("/MacroDB/m.MSMACRO");
    const QString list = box.configDir() + QStringLiteral("/M/Config.ini");
    const QString description = box.dataDir() + QStringLiteral("/DefaultProfile.bin");
    const QString notRegular = QStringLiteral("is not a regular file; it was not read.");
    for (const bool fifo : {true, false}) {
        for (const QString &path : {config, profile, macro, list, description}) {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QFile::remove(path);
            if (fifo)
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else
                QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        }
        const HangWatchdog watchdog(30, fifo ? "Reading FIFOs" : "Reading links to /dev/zero");
        QString error;
        ProfileData p;
        QVERIFY(!ProfileStore::readProfileSection(0, p, profile, &error));
        QVERIFY2(error == profile + QLatin1Char(' ') + notRegular, qPrintable(error));
        MacroFile::MacroData m;
        QVERIFY(!MacroFile::loadMacro(QStringLiteral("m"), m, &error));
        QVERIFY2(error.contains(notRegular), qPrintable(error));
        ProfileSet set;
        error.clear();
        ProfileStore::loadProfileSet(set, &error);
        QVERIFY2(error.contains(notRegular), qPrintable(error));
        QCOMPARE(DeviceDescription::productName(), QString());
        loadEverything(box);
        // A write reads the file it merges into first: refused too, and the file stays as it is.
        QVERIFY(!ProfileStore::saveProfileSet(sampleSet(), &error));
        QVERIFY(!AppConfig::saveProfileList(QStringLiteral("M"), {QStringLiteral("A")}, &error));
        QVERIFY2(error.contains(notRegular), qPrintable(error));
        AppConfig::writeDiff(1);
        for (const QString &path : {config, profile, macro, list, description})
            QVERIFY2(fifo ? !QFileInfo(path).isSymLink() && !QFileInfo(path).isFile()
                          : QFileInfo(path).symLinkTarget() == QLatin1String("/dev/zero"),
                     qPrintable(path));
    }
}

void TestRobustness::hostileValues()
{
    StorageSandbox box;
    box.writeConfig(
        "[Config]\nProfileID=-2147483648\nCount=99999999999999999999\nProfile1=A\nDebounce=@Point(\\0\\0)\n"
        "Sync=1,2,3\n[FONT_LIST]\nLANGNUM=-5\n");
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/Profile/A.prof"),
                              "[PROFILE_0]\ndpi=255\nLedMode=200\npollrate=abc\nDPI_INFO_0_x=99999999999\n"
                              "BUTTON_INFO_0_Fun=-1\nBUTTON_INFO_0_KeyNumber=2147483648\n"
                              "LedMode\\LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x1)\n"
                              "LedMode\\LED_MODE_1_RGB=@Variant(\\0\\0\\0\\x43\\xff\\xff\\xff\\xff)\n"
                              "LedMode\\LED_MODE_2_RGB=not a colour\n"
                              "BUTTON_INFO_0_macroname=@ByteArray(\\0\\x1)\n"
                              "[PROFILE_0]\n=\n==\n\\\\\\\n" +
                                  QByteArray(100000, 'x') + "\n");
    box.writeDescription(
        "[PROFILE]\nBUTTON_INFO_0_Matrix=255\nBUTTON_INFO_1_Matrix=-1\nMinDelay=-10\nSleepMin=50\n"
        "dpi=99\nLedMode=99\n");
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/m.MSMACRO"),
                              "[Setting]\nCount=2147483647\nMap_0=4294967295\nDataL_0=-1\n");
    loadEverything(box);
    ProfileSet set;
    ProfileStore::loadProfileSet(set);
    QCOMPARE(set.ProfileID, uint8_t(0));
    QCOMPARE(set.profiles[0].dpi, uint8_t(0));
    QCOMPARE(set.profiles[0].LedMode, uint8_t(0));
    QCOMPARE(set.profiles[0].pollrate, uint8_t(0));
    QCOMPARE(set.profiles[0].BUTTON_INFO[0].Fun, -1);
    QVERIFY(!set.profiles[0].LED_MODE[2].RGB.isValid());
    QCOMPARE(ProfileStore::buttonMatrix()[0], uint8_t(0));
    QCOMPARE(ProfileStore::buttonMatrix()[1], uint8_t(1));
    QCOMPARE(DeviceDescription::minDelay(), 1);
    ProfileData d;
    ProfileDefaults::buildDefaultProfile(d);
    QCOMPARE(d.dpi, uint8_t(0));
    QCOMPARE(d.LedMode, uint8_t(0));
    // Objects other than colours are refused before QSettings parses the file: a list whose
    // count asks for more than memory holds, a user type, and pictures and cursors, which
    // abort a process without a GUI (this test has none), however the '@' is spelt.
    const QString bomb = box.configDir() + QStringLiteral("/Profile/Bomb.prof");
    for (const char *value :
         {"@Variant(\\0\\0\\0\\xb\\x55\\x55\\x55\\x55)", "@Variant(\\0\\0\\0\\x41\\0)",
          "\\x40Variant(\\0\\0\\0J\\0\\0)", "\\100V\\x61riant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)",
          "\"@Var\"  iant(\\0\\0\\0\\x46)", "a, @Variant(\\0\\0\\0\\x45\\0)",
          "\\@@Variant(\\0\\0\\0\\x41\\0)"}) {
        StorageSandbox::writeFile(bomb, QByteArray("[PROFILE_0]\ndpi=3\nProfileName=") + value + ")\n");
        QString error;
        QVERIFY2(!ProfileStore::readProfileSection(0, d, bomb, &error), value);
        QVERIFY2(error.contains(QStringLiteral("cannot be read")), qPrintable(error));
    }
    // Colours, escaped text, '@' inside text and text that begins "@Variant(" are read.
    StorageSandbox::writeFile(
        bomb, "[PROFILE_0]\ndpi=3\nProfileName=\\x4e2d@x\\x40y\nProfilePath=@@Variant(\\0\\0\\0A)\n"
              "LedMode\\LED_MODE_0_RGB=\"@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0,\\0\\0\\0\\0\\0)\"\n");
    QVERIFY(ProfileStore::readProfileSection(0, d, bomb));
    QCOMPARE(d.dpi, uint8_t(3));
}

void TestRobustness::hostileNamesInFiles()
{
    StorageSandbox box;
    const QString outside = box.root() + QStringLiteral("/outside.prof");
    box.writeConfig("[Config]\nProfile1=../outside\nProfile2=../../../../../../tmp/x\nProfile3=a/b\n"
                    "[MACRO_LIST]\n0=../../outside\n1=ok\n");
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/M/Config.ini"),
                              "[PROFILE_LIST]\nCount=2\n1=../../../x\n2=Good\n");
    ProfileSet set;
    QString error;
    QCOMPARE(ProfileStore::loadProfileSet(set, &error), -1);
    QVERIFY(error.contains(QStringLiteral("PROFILE 1")) && error.contains(QStringLiteral("PROFILE 3")));
    // The write thread's save: refused, nothing written anywhere.
    const QStringList filesBefore = box.allFiles();
    QVERIFY(!ProfileStore::saveProfileSet(set, &error));
    QVERIFY(!ProfileStore::saveWholeProfileSet(set, &error));
    ProfileSet mask = set;
    mask.profiles[0].BUTTON_INFO[0].Fun = kFunMacro;
    mask.profiles[0].BUTTON_INFO[0].macroname = QStringLiteral("../../outside");
    ProfileDefaults::changeMask(mask, mask);
    QVERIFY(!MacroFile::renameMacro(QStringLiteral("../../outside"), QStringLiteral("fine")));
    QVERIFY(!MacroFile::deleteMacroFile(QStringLiteral("../../outside")));
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("M")), QStringList{QStringLiteral("Good")});
    QCOMPARE(box.allFiles(), filesBefore);
    QVERIFY(!QFileInfo::exists(outside));
}

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
