// The global Config.ini, LangConfig.ini and the per-model profile library list.

#include "AppConfig.h"
#include "Paths.h"
#include "StorageTestUtil.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void missingFolderGivesDefaults();
    void valuesRoundTripThroughTheirFiles();
    void slotNamesUseKeysFromOne();
    void macroCountVisitsAllFiftyKeys();
    void languageTableAndFonts();
    void profileListHonoursCount();
    void profileListRefusesUnsafeNames();
    void profileListAddRemove();
    void emptyModelUsesTheGlobalFile();
    void batteryWarningsKeepTheirDefaultsOverBadValues();
    void seedingKeepsFilesAndCompletesConfig();
};

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

void TestAppConfig::missingFolderGivesDefaults()
{
    StorageSandbox box;
    QDir(box.configDir()).removeRecursively();
    QCOMPARE(AppConfig::readLangID(), 0);
    QCOMPARE(AppConfig::readBattery(), 0);
    QCOMPARE(AppConfig::countMacros(), 0);
    QCOMPARE(AppConfig::readDiff(), 0);
    QCOMPARE(AppConfig::readProfileID(), 0);
    QCOMPARE(AppConfig::sensorModel(), 0);
    QCOMPARE(AppConfig::lowBatteryWarning(), 15);
    QCOMPARE(AppConfig::criticalBatteryWarning(), 5);
    QVERIFY(AppConfig::loadProfileList(QStringLiteral("ORVALE8")).isEmpty());
    QCOMPARE(AppConfig::loadLanguageTable().count, 0);
    // Reading creates nothing.
    QVERIFY(!QFileInfo::exists(AppConfig::globalConfigFile()));
}

void TestAppConfig::valuesRoundTripThroughTheirFiles()
{
    StorageSandbox box;
    AppConfig::writeDiff(1);
    AppConfig::writeBattery(87);
    AppConfig::writeLangID(2);
    AppConfig::setCurrentSlot(3);
    AppConfig::writeCurrentProductName(QStringLiteral("ORVALE8"));
    QCOMPARE(AppConfig::readDiff(), 1);
    QCOMPARE(AppConfig::readBattery(), 87);
    QCOMPARE(AppConfig::readLangID(), 2);
    QCOMPARE(AppConfig::readProfileID(), 3);

    QSettings global(box.configDir() + QStringLiteral("/Config.ini"), QSettings::IniFormat);
    QCOMPARE(global.value(QStringLiteral("Config/Diff")).toInt(), 1);
    QCOMPARE(global.value(QStringLiteral("Config/Battery")).toInt(), 87);
    QCOMPARE(global.value(QStringLiteral("Config/CurrentProductName")).toString(), QStringLiteral("ORVALE8"));
    QVERIFY(!global.contains(QStringLiteral("Config/LangID"))); // the language lives in its own file
    QSettings lang(box.configDir() + QStringLiteral("/LangConfig.ini"), QSettings::IniFormat);
    QCOMPARE(lang.value(QStringLiteral("Config/LangID")).toInt(), 2);

    box.writeConfig("[Config]\nGColorID=4\nModel=Orvale 8\nProfileID=9\n[MouseSenSor]\n1=3395\n"
                    "[MouseLEDMode]\nORVALE8=2\n[Mouse_List]\n0=Orvale Mouse\n");
    QCOMPARE(AppConfig::colorThemeIndex(), 4);
    QCOMPARE(AppConfig::modelText(), QStringLiteral("Orvale 8"));
    QCOMPARE(AppConfig::sensorModel(), 3395);
    QCOMPARE(AppConfig::ledVariant(QStringLiteral("ORVALE8")), 2);
    QCOMPARE(AppConfig::ledVariant(QStringLiteral("OTHER")), 0);
    QCOMPARE(AppConfig::mouseListName(), QStringLiteral("Orvale Mouse"));
    QCOMPARE(AppConfig::readProfileID(), 0); // slot 9 does not exist
}

void TestAppConfig::slotNamesUseKeysFromOne()
{
    StorageSandbox box;
    ProfileSet set;
    set.ProfileID = 4;
    set.Count = 5;
    for (int i = 0; i < kProfileCount; ++i)
        set.names[size_t(i)] = QStringLiteral("N%1").arg(i);
    AppConfig::saveSlotNames(set);
    QSettings s(AppConfig::globalConfigFile(), QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("Config/Profile1")).toString(), QStringLiteral("N0"));
    QCOMPARE(s.value(QStringLiteral("Config/Profile5")).toString(), QStringLiteral("N4"));
    QVERIFY(!s.contains(QStringLiteral("Config/Profile0")));
    QCOMPARE(s.value(QStringLiteral("Config/ProfileID")).toInt(), 4);
    QCOMPARE(s.value(QStringLiteral("Config/Count")).toInt(), 5);
}

void TestAppConfig::macroCountVisitsAllFiftyKeys()
{
    StorageSandbox box;
    box.writeConfig("[MACRO_LIST]\n0=\n1=\n2=\n3=jump\n");
    QCOMPARE(AppConfig::countMacros(), 1);
    box.writeConfig("[MACRO_LIST]\n0=a\n7=b\n49=c\n50=not counted\n");
    QCOMPARE(AppConfig::countMacros(), 3);
}

void TestAppConfig::languageTableAndFonts()
{
    StorageSandbox box;
    box.writeConfig(
        "[FONT_LIST]\nLANGNUM=3\nLangName_0=English\nLangFile_0=en\nLangName_2=\\x7e41\\x9ad4\n"
        "LangFile_2=tw\nLangName_9=Last\nLangName_10=Ignored\nFONT_1=Noto Sans CJK SC\nFONT_SIZE_1=15\n");
    const AppConfig::LanguageTable t = AppConfig::loadLanguageTable();
    QCOMPARE(t.count, 3);
    QCOMPARE(t.names[0], QStringLiteral("English"));
    QCOMPARE(t.files[0], QStringLiteral("en"));
    QCOMPARE(t.names[1], QString());
    QCOMPARE(t.names[2], QString::fromUtf8("\xe7\xb9\x81\xe9\xab\x94"));
    QCOMPARE(t.names[9], QStringLiteral("Last"));
    QCOMPARE(AppConfig::fontFamily(1), QStringLiteral("Noto Sans CJK SC"));
    QCOMPARE(AppConfig::fontSize(1), 15);
    QCOMPARE(AppConfig::fontSize(0), 0);
}

void TestAppConfig::profileListHonoursCount()
{
    StorageSandbox box;
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/ORVALE8/Config.ini"),
                              "[PROFILE_LIST]\nCount=2\n1=Gaming\n2=Office\n3=Stale\n");
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("ORVALE8")),
             (QStringList{QStringLiteral("Gaming"), QStringLiteral("Office")}));

    // Written whole: Count first, then 1..Count; a shrunk list leaves old keys behind, ignored.
    QVERIFY(AppConfig::saveProfileList(QStringLiteral("ORVALE8"), {QStringLiteral("Solo")}));
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("ORVALE8")), QStringList{QStringLiteral("Solo")});
    QSettings s(box.configDir() + QStringLiteral("/ORVALE8/Config.ini"), QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("PROFILE_LIST/Count")).toInt(), 1);
    QVERIFY(!s.contains(QStringLiteral("PROFILE_LIST/0")));

    // A hostile count is bounded by the 200 entries the library can hold.
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/ORVALE8/Config.ini"),
                              "[PROFILE_LIST]\nCount=2000000000\n1=A\n");
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("ORVALE8")), QStringList{QStringLiteral("A")});
}

void TestAppConfig::profileListRefusesUnsafeNames()
{
    StorageSandbox box;
    QString error;
    QVERIFY(!AppConfig::saveProfileList(QStringLiteral("../escape"), {QStringLiteral("A")}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(AppConfig::modelConfigFile(QStringLiteral("a/b")).isEmpty());
    error.clear();
    QVERIFY(!AppConfig::saveProfileList(QStringLiteral("ORVALE8"),
                                        {QStringLiteral("ok"), QStringLiteral("../x")}, &error));
    QVERIFY(error.contains(QStringLiteral("../x")));
    QVERIFY(!AppConfig::addToProfileList(QStringLiteral("ORVALE8"), QStringLiteral(".."), &error));
    QVERIFY(box.allFiles().isEmpty());

    // An entry that cannot be a file name is left out when the list is read.
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/ORVALE8/Config.ini"),
                              "[PROFILE_LIST]\nCount=3\n1=Good\n2=../../etc/passwd\n3=Fine\n");
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("ORVALE8")),
             (QStringList{QStringLiteral("Good"), QStringLiteral("Fine")}));
}

void TestAppConfig::profileListAddRemove()
{
    StorageSandbox box;
    const QString model = QStringLiteral("ORVALE8");
    QVERIFY(AppConfig::addToProfileList(model, QStringLiteral("Profile 1")));
    QVERIFY(AppConfig::addToProfileList(model, QStringLiteral("Gaming")));
    QVERIFY(AppConfig::addToProfileList(model, QStringLiteral("Gaming"))); // no duplicate
    QCOMPARE(AppConfig::loadProfileList(model),
             (QStringList{QStringLiteral("Profile 1"), QStringLiteral("Gaming")}));
    QVERIFY(AppConfig::removeFromProfileList(model, QStringLiteral("Profile 1")));
    QVERIFY(!AppConfig::removeFromProfileList(model, QStringLiteral("Missing")));
    QCOMPARE(AppConfig::loadProfileList(model), QStringList{QStringLiteral("Gaming")});
}

void TestAppConfig::emptyModelUsesTheGlobalFile()
{
    StorageSandbox box;
    QCOMPARE(QDir::cleanPath(AppConfig::modelConfigFile(QString())),
             QDir::cleanPath(AppConfig::globalConfigFile()));
    QVERIFY(AppConfig::addToProfileList(QString(), QStringLiteral("A")));
    QSettings s(AppConfig::globalConfigFile(), QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("PROFILE_LIST/1")).toString(), QStringLiteral("A"));
}

void TestAppConfig::batteryWarningsKeepTheirDefaultsOverBadValues()
{
    StorageSandbox box;
    // Written as a user would edit the file: value, low threshold read, critical read.
    const struct
    {
        const char *text;
        int low, critical;
    } cases[] = {{"20", 20, 20}, {"0", 0, 0},    {" 30 ", 30, 30}, {"100", 100, 100}, {"101", 15, 5},
                 {"-1", 15, 5},  {"ten", 15, 5}, {"", 15, 5},      {"1,5", 15, 5},    {"7.5", 15, 5}};
    QByteArray padding; // QSettings takes a file of the same size and time for the one it read
    for (const auto &c : cases) {
        padding += ';';
        box.writeConfig(padding + "\n[Battery]\nLowWarning=" + c.text + "\nCriticalWarning=" + c.text + "\n");
        QVERIFY2(AppConfig::lowBatteryWarning() == c.low, c.text);
        QVERIFY2(AppConfig::criticalBatteryWarning() == c.critical, c.text);
    }
}

void TestAppConfig::seedingKeepsFilesAndCompletesConfig()
{
    StorageSandbox box;
    const QByteArray shipped = "[Config]\nCount=5\nModel=ORVALE8\nProfile1=Profile 1\n\n"
                               "[FONT_LIST]\nLANGNUM=2\nLangFile_0=en\nLangName_0=English\n";
    StorageSandbox::writeFile(box.dataDir() + QStringLiteral("/defaults/Configs/Config.ini"), shipped);
    StorageSandbox::writeFile(box.dataDir() + QStringLiteral("/defaults/Configs/ORVALE8/Config.ini"),
                              "[PROFILE_LIST]\nCount=1\n1=Shipped\n");
    const QString config = AppConfig::globalConfigFile();
    const QString list = box.configDir() + QStringLiteral("/ORVALE8/Config.ini");
    const QStringList seeded = {QStringLiteral("Configs/Config.ini"),
                                QStringLiteral("Configs/ORVALE8/Config.ini")};
    auto configFiles = [&box] {
        QStringList files;
        for (const QString &file : box.allFiles()) {
            if (file.startsWith(QLatin1String("Configs/")))
                files << file;
        }
        return files;
    };

    // A first start copies what was shipped as it is, and leaves nothing else behind.
    Paths::seedConfigDir(box.configDir());
    QCOMPARE(fileBytes(config), shipped);
    QCOMPARE(configFiles(), seeded);
    // A complete Config.ini is left alone, byte for byte.
    box.writeConfig("; kept as it is\n" + shipped);
    Paths::seedConfigDir(box.configDir());
    QCOMPARE(fileBytes(config), "; kept as it is\n" + shipped);

    // One that lacks keys (a first start of older copies could leave two) gets them back with
    // their shipped values; its own values and keys stay, and so does every other file.
    box.writeConfig("[Config]\nModel=Mine\nProfileID=3\n");
    StorageSandbox::writeFile(list, "[PROFILE_LIST]\nCount=1\n1=Mine\n");
    Paths::seedConfigDir(box.configDir());
    QCOMPARE(AppConfig::modelText(), QStringLiteral("Mine"));
    QCOMPARE(AppConfig::readProfileID(), 3);
    const AppConfig::LanguageTable languages = AppConfig::loadLanguageTable();
    QCOMPARE(languages.count, 2);
    QCOMPARE(languages.names[0], QStringLiteral("English"));
    QSettings s(config, QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("Config/Count")).toInt(), 5);
    QCOMPARE(s.value(QStringLiteral("Config/Profile1")).toString(), QStringLiteral("Profile 1"));
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("ORVALE8")), QStringList{QStringLiteral("Mine")});
    QCOMPARE(configFiles(), seeded);

    // An empty one, as a copy cut short by a crash left it, is copied again.
    box.writeConfig(QByteArray());
    Paths::seedConfigDir(box.configDir());
    QCOMPARE(fileBytes(config), shipped);
    QCOMPARE(AppConfig::loadProfileList(QStringLiteral("ORVALE8")), QStringList{QStringLiteral("Mine")});
    QCOMPARE(configFiles(), seeded);
}

QTEST_GUILESS_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
