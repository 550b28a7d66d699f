// Default profile and set, the default profile file, and the change mask.

#include "MacroFile.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QtTest>

using namespace ProfileDefaults;

class TestProfileDefaults : public QObject
{
    Q_OBJECT

private slots:
    void builtinDefaultsWithoutDescription();
    void templateDefaults();
    void defaultSetResetsSlotZeroOnly();
    void defaultSetWithoutDescription();
    void resetAllResetsEverySlot();
    void defaultProfileFile();
    void maskOfEqualSetsIsZero();
    void maskGeneralBits_data();
    void maskGeneralBits();
    void maskDpiIgnoresLinkAndCommonValue();
    void maskLightingComparesSelectedEffectOnly();
    void maskButtons();
    void maskMacroWriteSignCountsOnce();
    void maskWithStrayIndexesDoesNotCrash();
};

void TestProfileDefaults::builtinDefaultsWithoutDescription()
{
    StorageSandbox box;
    ProfileData p = sampleProfile(4);
    buildDefaultProfile(p);
    QCOMPARE(p.LedMode, uint8_t(9));
    QCOMPARE(p.LedMoveOFF, uint8_t(0));
    QCOMPARE(p.LedSleepTime, uint8_t(1));
    QCOMPARE(p.pollrate, uint8_t(1));
    QCOMPARE(p.dpi, uint8_t(1));
    QCOMPARE(p.mousespeed, uint8_t(10));
    QCOMPARE(p.dbclickspeed, uint8_t(5));
    QCOMPARE(p.scrollspeed, uint8_t(1));
    QCOMPARE(p.accelenable, uint8_t(1));
    QCOMPARE(p.acee, uint8_t(1));
    const int codes[8] = {8, 12, 16, 24, 50, 75, 0, 0};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(p.DPI_INFO[size_t(i)], (DpiStage{1, 1, codes[i], codes[i], codes[i]}));
    }
    const int funs[7] = {1, 2, 3, 4, 5, 4, 5};
    for (int b = 0; b < 7; ++b)
        QCOMPARE(p.BUTTON_INFO[size_t(b)].Fun, funs[b]);
    for (int b = 7; b < 40; ++b)
        QCOMPARE(p.BUTTON_INFO[size_t(b)], ButtonAssignment());
    QCOMPARE(p.BUTTON_INFO[40].Fun, 52);
    QCOMPARE(p.BUTTON_INFO[41].Fun, 53);
    QCOMPARE(p.LED_MODE[0], (LedModeSetting{QColor(255, 0, 0), 360, 0, 0, 3, 3}));
    QCOMPARE(p.LED_MODE[10].RGB, QColor(0, 255, 0));
    QCOMPARE(p.LED_MODE[13].RGB, QColor(255, 0, 0));
    QVERIFY(p.ProfileName.isEmpty());
}

void TestProfileDefaults::templateDefaults()
{
    StorageSandbox box;
    box.writeDescription(
        "[PROFILE]\npollrate=258\ndpi=2\nLedMode=5\nLedMoveOFF=0\nLedSleepTime=4\n"
        "DPI_INFO_0_xy=7\nDPI_INFO_5_xy=255\n"
        "BUTTON_INFO_2_ID=7\nBUTTON_INFO_2_Fun=48\nBUTTON_INFO_2_LoopNumber=2\nBUTTON_INFO_2_KeyNumber=3\n"
        "BUTTON_INFO_2_Res1=1\nBUTTON_INFO_2_Res2=2\nBUTTON_INFO_2_Res3=3\nBUTTON_INFO_2_Res4=4\n"
        "BUTTON_INFO_15_Fun=53\nBUTTON_INFO_16_Fun=99\n"
        "LedMode\\LED_MODE_5_RGB=#00ff00\nLedMode\\LED_MODE_5_bright=2\nLedMode\\LED_MODE_5_breath=4\n");
    ProfileData p;
    buildDefaultProfile(p);
    QCOMPARE(p.pollrate, uint8_t(2)); // low byte of 258
    QCOMPARE(p.dpi, uint8_t(2));
    QCOMPARE(p.LedMode, uint8_t(5));
    QCOMPARE(p.LedMoveOFF, uint8_t(0));
    QCOMPARE(p.LedSleepTime, uint8_t(4));
    QCOMPARE(p.mousespeed, uint8_t(10));
    QCOMPARE(p.DPI_INFO[0], (DpiStage{1, 1, 7, 7, 7}));
    QCOMPARE(p.DPI_INFO[5], (DpiStage{1, 1, 255, 255, 255}));
    QCOMPARE(p.DPI_INFO[6], (DpiStage{1, 1, 0, 0, 0}));
    const ButtonAssignment &b = p.BUTTON_INFO[2];
    QCOMPARE(b.ID, 0); // the template's ID 7 is not taken over
    QCOMPARE(b.Fun, 48);
    QCOMPARE(b.LoopNumber, 2);
    QCOMPARE(b.KeyNumber, 3);
    QCOMPARE(b.Res1, uint8_t(1));
    QCOMPARE(b.Res4, uint8_t(4));
    QCOMPARE(p.BUTTON_INFO[0].Fun, 0);
    QCOMPARE(p.BUTTON_INFO[15].Fun, 53);
    QCOMPARE(p.BUTTON_INFO[16].Fun, 0);
    QCOMPARE(p.BUTTON_INFO[40].Fun, 52);
    QCOMPARE(p.BUTTON_INFO[41].Fun, 53);
    QCOMPARE(p.LED_MODE[5], (LedModeSetting{QColor(0, 255, 0), 360, 0, 0, 2, 4}));
    QVERIFY(!p.LED_MODE[4].RGB.isValid());
    QCOMPARE(p.LED_MODE[4].h, 360);
}

void TestProfileDefaults::defaultSetResetsSlotZeroOnly()
{
    StorageSandbox box;
    box.writeDescription(
        "[PROFILE]\nlift=2\nangle=1\nbutondelay=8\njitter=1\nwake=3\nsensormode=0\nsync=1\n");
    ProfileSet set = sampleSet();
    const ProfileSet before = set;
    buildDefaultSet(set);
    QCOMPARE(set.ProfileID, uint8_t(0));
    QCOMPARE(set.LiftHigh, uint8_t(2));
    QCOMPARE(set.AngleValue, uint8_t(1));
    QCOMPARE(set.Debounce, uint8_t(8));
    QCOMPARE(set.Jitter, uint8_t(1));
    QCOMPARE(set.Wake, uint8_t(3));
    QCOMPARE(set.SensorMode, uint8_t(0));
    QCOMPARE(set.Sync, uint8_t(1));
    QCOMPARE(set.Count, before.Count);
    ProfileData expected;
    buildDefaultProfile(expected);
    QVERIFY(set.profiles[0] == expected);
    for (int i = 1; i < kProfileCount; ++i)
        QVERIFY(set.profiles[size_t(i)] == before.profiles[size_t(i)]);
    QCOMPARE(set.names[0], QStringLiteral("Profile 1"));
    QCOMPARE(set.names[4], QStringLiteral("Profile 5"));
}

void TestProfileDefaults::defaultSetWithoutDescription()
{
    StorageSandbox box;
    ProfileSet set = sampleSet();
    buildDefaultSet(set);
    QCOMPARE(set.LiftHigh, uint8_t(0));
    QCOMPARE(set.AngleValue, uint8_t(0));
    QCOMPARE(set.Debounce, uint8_t(20));
    QCOMPARE(set.SensorMode, uint8_t(1));
    QCOMPARE(set.Sync, uint8_t(0));
}

void TestProfileDefaults::resetAllResetsEverySlot()
{
    StorageSandbox box;
    ProfileSet set = sampleSet();
    resetAllProfiles(set);
    ProfileData expected;
    buildDefaultProfile(expected);
    for (int i = 0; i < kProfileCount; ++i) {
        QVERIFY(set.profiles[size_t(i)] == expected);
        QCOMPARE(set.names[size_t(i)], defaultSlotName(i));
    }
}

void TestProfileDefaults::defaultProfileFile()
{
    StorageSandbox box;
    QVERIFY(writeDefaultProfileFile());
    QCOMPARE(ProfileStore::defaultProfilePath(),
             box.configDir() + QStringLiteral("/Profile/DefaultProfile.prof"));
    ProfileData fromFile, built;
    QVERIFY(ProfileStore::readProfileSection(0, fromFile, ProfileStore::defaultProfilePath()));
    buildDefaultProfile(built);
    QVERIFY(fromFile == built);

    // Written at every start: the same template is left as it is, a damaged one is written again.
    QFile file(ProfileStore::defaultProfilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    const QDateTime old = QDateTime::currentDateTime().addSecs(-60);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(writeDefaultProfileFile());
    QCOMPARE(QFileInfo(file).lastModified(), old);
    StorageSandbox::writeFile(file.fileName(), whole.left(whole.size() / 2));
    QVERIFY(writeDefaultProfileFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), whole);
}

void TestProfileDefaults::maskOfEqualSetsIsZero()
{
    StorageSandbox box;
    const ProfileSet set = sampleSet();
    QCOMPARE(changeMask(set, set), 0);
    // Right after a load the copy equals the set: nothing to send.
    ProfileSet lastSent;
    QVERIFY(ProfileStore::saveWholeProfileSet(set));
    ProfileStore::loadProfileSet(lastSent);
    ProfileSet current = lastSent;
    QCOMPARE(changeMask(current, lastSent), 0);
}

void TestProfileDefaults::maskGeneralBits_data()
{
    QTest::addColumn<int>("what");
    QTest::addColumn<int>("expected");
    QTest::newRow("pollrate of another profile") << 0 << int(kChangeGeneral);
    QTest::newRow("scrollspeed") << 1 << int(kChangeGeneral);
    QTest::newRow("sensor byte") << 2 << int(kChangeGeneral);
    QTest::newRow("count is not compared") << 3 << 0;
    QTest::newRow("current slot") << 4 << int(kChangeGeneral);
    QTest::newRow("current profile's stage") << 5 << int(kChangeGeneral);
    QTest::newRow("other profile's stage") << 6 << 0;
    QTest::newRow("LED sleep time") << 7 << int(kChangeGeneral);
    QTest::newRow("pointer speed is host-only") << 8 << 0;
}

void TestProfileDefaults::maskGeneralBits()
{
    QFETCH(int, what);
    QFETCH(int, expected);
    StorageSandbox box;
    const ProfileSet sent = sampleSet(); // current slot 2
    ProfileSet cur = sent;
    switch (what) {
    case 0:
        cur.profiles[4].pollrate ^= 1;
        break;
    case 1:
        cur.profiles[0].scrollspeed += 1;
        break;
    case 2:
        cur.Wake += 1;
        break;
    case 3:
        cur.Count = 1;
        break;
    case 4:
        cur.ProfileID = 3;
        break;
    case 5:
        cur.profiles[2].dpi = uint8_t((cur.profiles[2].dpi + 1) % 8);
        break;
    case 6:
        cur.profiles[1].dpi = uint8_t((cur.profiles[1].dpi + 1) % 8);
        break;
    case 7:
        cur.profiles[2].LedSleepTime += 1;
        break;
    case 8:
        cur.profiles[2].mousespeed += 1;
        break;
    }
    QCOMPARE(changeMask(cur, sent), expected);
}

void TestProfileDefaults::maskDpiIgnoresLinkAndCommonValue()
{
    StorageSandbox box;
    const ProfileSet sent = sampleSet();
    ProfileSet cur = sent;
    cur.profiles[1].DPI_INFO[2].link ^= 1;
    cur.profiles[1].DPI_INFO[2].xy += 5;
    QCOMPARE(changeMask(cur, sent), 0);
    cur.profiles[1].DPI_INFO[2].y += 1;
    QCOMPARE(changeMask(cur, sent), int(kChangeDpi));
    cur = sent;
    cur.profiles[4].DPI_INFO[7].used ^= 1;
    QCOMPARE(changeMask(cur, sent), int(kChangeDpi));
}

void TestProfileDefaults::maskLightingComparesSelectedEffectOnly()
{
    StorageSandbox box;
    ProfileSet sent = sampleSet();
    sent.profiles[0].LedMode = 2;
    ProfileSet cur = sent;
    cur.profiles[0].LED_MODE[4].RGB = QColor(1, 2, 3);
    QCOMPARE(changeMask(cur, sent), 0);
    cur.profiles[0].LED_MODE[2].breath += 1;
    QCOMPARE(changeMask(cur, sent), int(kChangeLighting));
    cur = sent;
    cur.profiles[0].LedMode = 4; // slot 0 is not current: lighting only
    QCOMPARE(changeMask(cur, sent), int(kChangeLighting));
    cur = sent;
    cur.profiles[2].LedMode = uint8_t((sent.profiles[2].LedMode + 1) % 12);
    QCOMPARE(changeMask(cur, sent), int(kChangeGeneral | kChangeLighting));
}

void TestProfileDefaults::maskButtons()
{
    StorageSandbox box;
    const ProfileSet sent = sampleSet();
    ProfileSet cur = sent;
    cur.profiles[3].BUTTON_INFO[41].Res3 += 1;
    QCOMPARE(changeMask(cur, sent), int(kChangeButtons));
    cur = sent;
    cur.profiles[0].BUTTON_INFO[0].KeyInfo[83].H ^= 0x80;
    QCOMPARE(changeMask(cur, sent), int(kChangeButtons));
    cur = sent;
    cur.profiles[0].BUTTON_INFO[5].macroname = QStringLiteral("other"); // button 5 runs a macro
    QCOMPARE(changeMask(cur, sent), int(kChangeButtons));
    cur = sent;
    cur.profiles[0].BUTTON_INFO[6].macroname = QStringLiteral("ignored"); // not a macro button
    QCOMPARE(changeMask(cur, sent), 0);
}

void TestProfileDefaults::maskMacroWriteSignCountsOnce()
{
    StorageSandbox box;
    ProfileSet sent;
    sent.profiles[1].BUTTON_INFO[3].Fun = kFunMacro;
    sent.profiles[1].BUTTON_INFO[3].macroname = QStringLiteral("burst");
    const ProfileSet cur = sent;
    QCOMPARE(changeMask(cur, sent), 0); // no file yet
    QVERIFY(MacroFile::saveMacro(QStringLiteral("burst"), MacroFile::MacroData()));
    QCOMPARE(changeMask(cur, sent), int(kChangeButtons));
    QCOMPARE(MacroFile::readWriteSign(QStringLiteral("burst")), 0);
    QCOMPARE(changeMask(cur, sent), 0);
}

void TestProfileDefaults::maskWithStrayIndexesDoesNotCrash()
{
    StorageSandbox box;
    ProfileSet sent = sampleSet();
    sent.profiles[0].LedMode = 200;
    sent.ProfileID = 9;
    ProfileSet cur = sent;
    QCOMPARE(changeMask(cur, sent), 0);
    cur.profiles[0].LED_MODE[0].h += 1;
    QCOMPARE(changeMask(cur, sent), 0);
}

QTEST_GUILESS_MAIN(TestProfileDefaults)
#include "tst_profiledefaults.moc"
