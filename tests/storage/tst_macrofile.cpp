// Macro files, the macro library list, new-name choice, rename, gun files.

#include "AppConfig.h"
#include "MacroFile.h"
#include "StorageTestUtil.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QtTest>

using namespace MacroFile;

class TestMacroFile : public QObject
{
    Q_OBJECT

private slots:
    void saveWritesEveryKey();
    void loadRebuildsRowsAndDropsMalformed();
    void shrunkMacroIgnoresOldRows();
    void readingIsBounded();
    void missingFileIsEmptyMacro();
    void writeSignOnlyTouchesExistingFiles();
    void libraryAddRemove();
    void newMacroNamesAndLimit();
    void renameAppendsSuffix();
    void renameToSameNameIsNoop();
    void gunFileTakesFreeName();
    void oldGunFilesKeepTheirDelays();
    void unsafeNamesAreRefused();
    void delayEncoding();
};

static QVector<MacroEvent> exampleEvents()
{
    return {{132, 0, 4}, {6, 0, 50}, {4, 0, 4}};
}

void TestMacroFile::saveWritesEveryKey()
{
    StorageSandbox box;
    MacroData m;
    m.DefaultDelay = 25;
    m.DelayType = 1;
    m.LoopType = 2;
    m.LoopTime = 7;
    m.events = exampleEvents();
    QVERIFY(saveMacro(QStringLiteral("press A"), m));
    const QString path = box.configDir() + QStringLiteral("/MacroDB/press A.MSMACRO");
    QVERIFY(QFileInfo::exists(path));
    QSettings s(path, QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("Setting/MacroFilePath")).toString(),
             macroFilePath(QStringLiteral("press A")));
    QCOMPARE(s.value(QStringLiteral("Setting/DefaultDelay")).toInt(), 25);
    QCOMPARE(s.value(QStringLiteral("Setting/DelayType")).toInt(), 1);
    QCOMPARE(s.value(QStringLiteral("Setting/LoopType")).toInt(), 2);
    QCOMPARE(s.value(QStringLiteral("Setting/LoopTime")).toInt(), 7);
    QCOMPARE(s.value(QStringLiteral("Setting/Count")).toInt(), 3);
    QCOMPARE(s.value(QStringLiteral("Setting/Map_0")).toString(), QStringLiteral("132"));
    QCOMPARE(s.value(QStringLiteral("Setting/DataL_1")).toString(), QStringLiteral("50"));
    QCOMPARE(s.value(QStringLiteral("Setting/DataH_2")).toString(), QStringLiteral("0"));
    QCOMPARE(s.value(QStringLiteral("Setting/WriteSign")).toInt(), 1);

    MacroData back;
    QVERIFY(loadMacro(QStringLiteral("press A"), back));
    QCOMPARE(back.events, m.events);
    QCOMPARE(back.DefaultDelay, 25);
    QCOMPARE(back.DelayType, 1);
    QCOMPARE(back.LoopType, 2);
    QCOMPARE(back.LoopTime, 7);
}

void TestMacroFile::loadRebuildsRowsAndDropsMalformed()
{
    StorageSandbox box;
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/m.MSMACRO"),
                              "[Setting]\nCount=16\n"
                              "Map_0=129\nDataH_0=0\nDataL_0=3\n"   // button press with a bad bit: dropped
                              "Map_1=129\nDataH_1=9\nDataL_1=16\n"  // backward press, high cleared
                              "Map_2=2\nDataH_2=136\nDataL_2=5\n"   // both axes: dropped
                              "Map_3=130\nDataH_3=0\nDataL_3=250\n" // left by 6
                              "Map_4=2\nDataH_4=0\nDataL_4=0\n"     // no movement: dropped
                              "Map_5=6\nDataH_5=2\nDataL_5=188\n"   // delay 700
                              "Map_6=132\nDataH_6=0\nDataL_6=300\n" // not a byte: dropped
                              "Map_7=9\nDataH_7=1\nDataL_7=1\n"     // unknown type: dropped
                              "Map_8=1\nDataH_8=0\nDataL_8=4\n"     // middle release
                              "Map_9=999\nDataH_9=0\nDataL_9=4\n"   // type not a byte (231 when cut): dropped
                              "Map_10=260\nDataH_10=0\nDataL_10=4\n" // 4 when cut to a byte: dropped
                              "Map_11=2\nDataH_11=0\nDataL_11=121\n" // a step of 121 does not exist: dropped
                              "Map_12=4\nDataH_12=0\nDataL_12=0\n"   // key release of no key: dropped
                              "Map_13=x\x01\xff\nDataH_13=0\nDataL_13=4\n" // garbage: dropped
                              "Map_14=4\nDataH_14=7\nDataL_14=4\n"         // A release, high cleared
                              "Map_15=129\nDataH_15=0\nDataL_15=-1\n");    // dropped
    const QVector<MacroEvent> expected = {{129, 0, 16}, {2, 0, 250}, {6, 2, 188}, {1, 0, 4}, {4, 0, 4}};
    MacroData m;
    QVERIFY(loadMacro(QStringLiteral("m"), m));
    QCOMPARE(m.events, expected);
    // One reader: the download and a button's key list take the same rows.
    QVector<MacroEvent> taken;
    QVERIFY(loadEvents(QStringLiteral("m"), taken, 84));
    QCOMPARE(taken, expected);
    QVERIFY(loadEvents(QStringLiteral("m"), taken, 2));
    QCOMPARE(taken, expected.mid(0, 2));
    ReadReport report;
    QVERIFY(readMacroFile(macroFilePath(QStringLiteral("m")), m, &report));
    QVERIFY(report.hasCount);
    QCOMPARE(report.droppedRows, 11);
    QCOMPARE(report.firstDropped, 0);

    // Binary garbage is no macro file and has no rows.
    QByteArray junk;
    for (int i = 0; i < 512; ++i)
        junk.append(char((i * 73 + 11) & 0xff));
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/junk.MSMACRO"), junk);
    QVERIFY(readMacroFile(macroFilePath(QStringLiteral("junk")), m, &report));
    QVERIFY(!report.hasCount);
    QVERIFY(m.events.isEmpty());
}

void TestMacroFile::shrunkMacroIgnoresOldRows()
{
    StorageSandbox box;
    MacroData m;
    m.events = exampleEvents();
    QVERIFY(saveMacro(QStringLiteral("x"), m));
    m.events.resize(1);
    QVERIFY(saveMacro(QStringLiteral("x"), m));
    MacroData back;
    QVERIFY(loadMacro(QStringLiteral("x"), back));
    QCOMPARE(back.events.size(), 1);
}

void TestMacroFile::readingIsBounded()
{
    StorageSandbox box;
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/big.MSMACRO"),
                              "[Setting]\nCount=2000000000\nMap_0=132\nDataL_0=4\n");
    QElapsedTimer timer;
    timer.start();
    QVector<MacroEvent> events;
    QVERIFY(loadEvents(QStringLiteral("big"), events, kKeyInfoCount));
    QCOMPARE(events.size(), 1); // rows missing from the file are nothing: dropped
    MacroData m;
    QVERIFY(loadMacro(QStringLiteral("big"), m));
    QCOMPARE(m.events.size(), 1);
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/neg.MSMACRO"),
                              "[Setting]\nCount=-5\n");
    QVERIFY(loadEvents(QStringLiteral("neg"), events, 84));
    QVERIFY(events.isEmpty());
}

void TestMacroFile::missingFileIsEmptyMacro()
{
    StorageSandbox box;
    MacroData m;
    m.LoopTime = 9;
    QString error;
    QVERIFY(!loadMacro(QStringLiteral("nothing"), m, &error));
    QVERIFY(m.events.isEmpty());
    QCOMPARE(m.LoopTime, 0);
    QCOMPARE(readWriteSign(QStringLiteral("nothing")), 0);
}

void TestMacroFile::writeSignOnlyTouchesExistingFiles()
{
    StorageSandbox box;
    QVERIFY(!writeWriteSign(QStringLiteral("ghost"), 0));
    QVERIFY(!macroExists(QStringLiteral("ghost")));
    QVERIFY(saveMacro(QStringLiteral("real"), MacroData()));
    QCOMPARE(readWriteSign(QStringLiteral("real")), 1);
    QVERIFY(writeWriteSign(QStringLiteral("real"), 0));
    QCOMPARE(readWriteSign(QStringLiteral("real")), 0);
}

void TestMacroFile::libraryAddRemove()
{
    StorageSandbox box;
    box.writeConfig("[MACRO_LIST]\n0=a\n1=\n2=c\n");
    QVERIFY(addToLibrary(QStringLiteral("b")));
    QCOMPARE(libraryEntries().mid(0, 4),
             (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString()}));
    QVERIFY(addToLibrary(QStringLiteral("a"))); // already listed: no second entry
    QCOMPARE(countMacros(), 3);
    QVERIFY(removeFromLibrary(QStringLiteral("a")));
    QVERIFY(!removeFromLibrary(QStringLiteral("a")));
    QCOMPARE(libraryNames(), (QStringList{QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(libraryEntries().size(), kMacroListSize);
}

void TestMacroFile::newMacroNamesAndLimit()
{
    StorageSandbox box;
    QVERIFY(saveMacro(QStringLiteral("name_1"), MacroData()));
    QVERIFY(saveMacro(QStringLiteral("name_2"), MacroData()));
    QString name;
    QVERIFY(newMacro(&name));
    QCOMPARE(name, QStringLiteral("name_3"));
    QVERIFY(macroExists(QStringLiteral("name_3")));
    QCOMPARE(libraryNames(), QStringList{QStringLiteral("name_3")});

    QByteArray full = "[MACRO_LIST]\n";
    for (int i = 0; i < kMacroListSize; ++i)
        full += QByteArray::number(i) + "=m" + QByteArray::number(i) + '\n';
    box.writeConfig(full);
    QString error;
    QVERIFY(!newMacro(&name, &error));
    QCOMPARE(error, QStringLiteral("TOO MANY MACROS TO BE CREATE!"));
    QVERIFY(!macroExists(QStringLiteral("name_4")));
    QVERIFY(!addToLibrary(QStringLiteral("extra"), &error));
    QCOMPARE(error, tooManyMacrosText());
}

void TestMacroFile::renameAppendsSuffix()
{
    StorageSandbox box;
    box.writeConfig("[MACRO_LIST]\n0=old\n5=old\n6=other\n");
    MacroData m;
    m.events = exampleEvents();
    QVERIFY(saveMacro(QStringLiteral("old"), m));
    QVERIFY(saveMacro(QStringLiteral("jump"), MacroData()));
    QVERIFY(saveMacro(QStringLiteral("jump_2"), MacroData()));
    QString finalName;
    QVERIFY(renameMacro(QStringLiteral("old"), QStringLiteral("jump"), &finalName));
    QCOMPARE(finalName, QStringLiteral("jump_3"));
    QVERIFY(!macroExists(QStringLiteral("old")));
    MacroData back;
    QVERIFY(loadMacro(QStringLiteral("jump_3"), back));
    QCOMPARE(back.events, m.events);
    const QStringList entries = libraryEntries();
    QCOMPARE(entries.at(0), QStringLiteral("jump_3"));
    QCOMPARE(entries.at(5), QStringLiteral("jump_3"));
    QCOMPARE(entries.at(6), QStringLiteral("other"));

    // Without a file only the library entry changes.
    box.writeConfig("[MACRO_LIST]\n0=listed\n");
    QVERIFY(renameMacro(QStringLiteral("listed"), QStringLiteral("renamed"), &finalName));
    QCOMPARE(finalName, QStringLiteral("renamed"));
    QCOMPARE(libraryNames(), QStringList{QStringLiteral("renamed")});
}

void TestMacroFile::renameToSameNameIsNoop()
{
    StorageSandbox box;
    QVERIFY(saveMacro(QStringLiteral("same"), MacroData()));
    QString finalName;
    QVERIFY(renameMacro(QStringLiteral("same"), QStringLiteral("same"), &finalName));
    QCOMPARE(finalName, QStringLiteral("same"));
    QVERIFY(macroExists(QStringLiteral("same")));
    QVERIFY(!macroExists(QStringLiteral("same_2")));
}

void TestMacroFile::gunFileTakesFreeName()
{
    StorageSandbox box;
    QVERIFY(saveMacro(QStringLiteral("ak"), MacroData()));
    QVERIFY(saveMacro(QStringLiteral("ak_2"), MacroData()));
    QString finalName;
    const QVector<MacroEvent> recoil = {{2, 3, 0}, {6, 0, 20}, {2, 0, 255}};
    QVERIFY(saveGunFile(QStringLiteral("ak"), recoil, &finalName));
    QCOMPARE(finalName, QStringLiteral("ak_3"));
    QSettings s(macroFilePath(finalName), QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("Setting/DefaultDelay")).toInt(), 10);
    QCOMPARE(s.value(QStringLiteral("Setting/DelayType")).toInt(), 1);
    QCOMPARE(s.value(QStringLiteral("Setting/LoopType")).toInt(), 0);
    QCOMPARE(s.value(QStringLiteral("Setting/LoopTime")).toInt(), 1);
    QCOMPARE(s.value(QStringLiteral("Setting/Count")).toInt(), 3);
    QCOMPARE(s.value(QStringLiteral("Setting/FormatVersion")).toInt(), kFormatVersion);
    QVERIFY(!s.contains(QStringLiteral("Setting/WriteSign")));
    QVector<MacroEvent> events;
    QVERIFY(loadEvents(finalName, events, 84));
    QCOMPARE(events, recoil);
}

void TestMacroFile::oldGunFilesKeepTheirDelays()
{
    StorageSandbox box;
    // A gun file of an older copy: counts of 10 ms, no FormatVersion, no
    // write flag. 100 ms with the device's unit of 1 ms is count 100.
    const QByteArray gunHead = "[Setting]\nDefaultDelay=10\nDelayType=1\nLoopType=0\nLoopTime=1\nCount=3\n"
                               "Map_0=1\nDataH_0=0\nDataL_0=1\nMap_1=129\nDataH_1=0\nDataL_1=1\n"
                               "Map_2=6\nDataH_2=0\nDataL_2=10\n";
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/old gun.MSMACRO"), gunHead);
    MacroData m;
    ReadReport report;
    QVERIFY(readMacroFile(macroFilePath(QStringLiteral("old gun")), m, &report));
    QVERIFY(report.oldGunFile);
    QCOMPARE(m.events.last(), (MacroEvent{6, 0, 100}));
    QVector<MacroEvent> events;
    QVERIFY(loadEvents(QStringLiteral("old gun"), events, 84));
    QCOMPARE(events.last(), (MacroEvent{6, 0, 100}));
    // Saved again it is in the new form and reads the same.
    QVERIFY(saveMacro(QStringLiteral("old gun"), m));
    MacroData again;
    QVERIFY(loadMacro(QStringLiteral("old gun"), again));
    QCOMPARE(again.events, m.events);

    // The same rows saved by an older editor (write flag) are a recording: counts of the unit.
    StorageSandbox::writeFile(box.configDir() + QStringLiteral("/MacroDB/recorded.MSMACRO"),
                              gunHead + "WriteSign=0\n");
    QVERIFY(loadMacro(QStringLiteral("recorded"), m));
    QCOMPARE(m.events.last(), (MacroEvent{6, 0, 10}));
    // And a gun file of this version keeps its counts.
    QString name;
    QVERIFY(saveGunFile(QStringLiteral("new gun"), {{6, 0, 100}}, &name));
    QVERIFY(readMacroFile(macroFilePath(name), m, &report));
    QVERIFY(!report.oldGunFile);
    QCOMPARE(m.events, (QVector<MacroEvent>{{6, 0, 100}}));
}

void TestMacroFile::unsafeNamesAreRefused()
{
    StorageSandbox box;
    const QStringList bad = {QStringLiteral("../escape"),
                             QStringLiteral("a/b"),
                             QStringLiteral(".."),
                             QStringLiteral("a\\b"),
                             QString(),
                             QStringLiteral("tab\there"),
                             QString(300, QLatin1Char('x'))};
    for (const QString &name : bad) {
        QString error;
        QVERIFY2(!saveMacro(name, MacroData(), &error), qPrintable(name));
        QVERIFY(!error.isEmpty());
        MacroData m;
        QVERIFY(!loadMacro(name, m));
        QVERIFY(!addToLibrary(name));
        QVERIFY(!deleteMacroFile(name));
        QVERIFY(!renameMacro(QStringLiteral("ok"), name));
        QVERIFY(!saveGunFile(name, {}));
    }
    QCOMPARE(countMacros(), 0);
    QVERIFY(box.allFiles().isEmpty());
}

void TestMacroFile::delayEncoding()
{
    QCOMPARE(delayEvent(700, 1), (MacroEvent{6, 2, 188}));
    QCOMPARE(delayEvent(50, 1), (MacroEvent{6, 0, 50}));
    QCOMPARE(delayEvent(45, 10), (MacroEvent{6, 0, 4}));
    QCOMPARE(delayEvent(10000000, 1), (MacroEvent{6, 255, 255}));
    QCOMPARE(delayEvent(5, 0), (MacroEvent{6, 0, 5}));
    QCOMPARE(delayMs(MacroEvent{6, 2, 188}, 1), 700);
    QCOMPARE(delayMs(MacroEvent{6, 0, 4}, 10), 40);
}

QTEST_GUILESS_MAIN(TestMacroFile)
#include "tst_macrofile.moc"
