// DefaultProfile.bin: scalar accessors, masked counts, matrices, sensor
// defaults and the factory template.

#include "DeviceDescription.h"
#include "ModelQuirks.h"
#include "StorageTestUtil.h"

#include <QtTest>

using namespace DeviceDescription;

class TestDeviceDescription : public QObject
{
    Q_OBJECT

private slots:
    void missingFileGivesDefaults();
    void countsAreUnmasked();
    void scalarKeys();
    void matrixHasSixteenEntriesWithinRange();
    void sensorDefaultsPerKey();
    void templateFromQtWrittenFile();
    void modelQuirks();
};

void TestDeviceDescription::missingFileGivesDefaults()
{
    StorageSandbox box;
    QVERIFY(!exists());
    QCOMPARE(productName(), QString());
    QCOMPARE(buttonCount(), 0);
    QCOMPARE(dpiStageCount(), 0);
    QCOMPARE(showSleep(), 1);
    int lo = -7, hi = -7;
    sleepRange(&lo, &hi);
    QCOMPARE(lo, 1);
    QCOMPARE(hi, 9);
    QCOMPARE(french(), -1);
    QCOMPARE(closeWindow(), 0);
    QCOMPARE(minDelay(), 1);
    QCOMPARE(showMouseButton(), 1);

    // Loaders report -1 and leave their output alone.
    ButtonMatrix m;
    m.fill(7);
    QCOMPARE(loadMatrix(m), -1);
    QCOMPARE(loadMatrix2(m), -1);
    QCOMPARE(m[0], uint8_t(7));
    SensorDefaults sd;
    sd.fill(9);
    QCOMPARE(loadSensorDefaults(sd), -1);
    QCOMPARE(sd[2], uint8_t(9));
    ProfileTemplate t;
    t.dpi = 77;
    QCOMPARE(loadTemplate(t), -1);
    QCOMPARE(t.dpi, uint8_t(77));
}

void TestDeviceDescription::countsAreUnmasked()
{
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nButtonCount=13\nMouseDpi=5\nDPICount=14\n");
    QCOMPARE(buttonCount(), 8);
    QCOMPARE(dpiStageCount(), 6);
    ProfileTemplate t;
    QCOMPARE(loadTemplate(t), 0);
    QCOMPARE(t.buttonCount, uint8_t(13)); // the template keeps the raw value
}

void TestDeviceDescription::scalarKeys()
{
    StorageSandbox box;
    box.writeDescription(
        "[PROFILE]\nProductName=ORVALE8\nVersion=V1.2\nDisableMacro=1\nShowSleep=0\n"
        "SleepMin=12\nSleepMax=3\nScrollRev=1\nMinDelay=0\n33254=1\nColorMode=2\nledDisable=1\n"
        "SyncMode=2\nfrench=2\nshowMouseButton=0\nCloseWindow=1\n");
    QCOMPARE(productName(), QStringLiteral("ORVALE8"));
    QCOMPARE(version(), QStringLiteral("V1.2"));
    QCOMPARE(disableMacro(), 1);
    QCOMPARE(showSleep(), 0);
    int lo = 0, hi = 0;
    sleepRange(&lo, &hi);
    QCOMPARE(lo, 3); // bounds given the wrong way round are put in order
    QCOMPARE(hi, 12);
    QCOMPARE(scrollRev(), 1);
    QCOMPARE(minDelay(), 1); // a zero unit would divide by zero
    QCOMPARE(wideDpiRange(), 1);
    QCOMPARE(colorMode(), 2);
    QCOMPARE(ledDisable(), 1);
    QCOMPARE(syncMode(), 2);
    QCOMPARE(french(), 2);
    QCOMPARE(showMouseButton(), 0);
    QCOMPARE(closeWindow(), 1);

    box.writeDescription("[PROFILE]\nMinDelay=10\nfrench=abc\n");
    QCOMPARE(minDelay(), 10);
    QCOMPARE(french(), 0); // present but malformed reads as 0
    // Edited to the same size: the new value, not the last parse. (QSettings
    // itself takes a file of the same size and time for the one it read.)
    box.writeDescription("[PROFILE]\nMinDelay=20\nfrench=abc\n");
    QFile edited(filePath());
    QVERIFY(edited.open(QIODevice::ReadWrite));
    QVERIFY(edited.setFileTime(QDateTime::currentDateTime().addSecs(2), QFileDevice::FileModificationTime));
    edited.close();
    QCOMPARE(minDelay(), 20);
}

void TestDeviceDescription::matrixHasSixteenEntriesWithinRange()
{
    StorageSandbox box;
    QByteArray text = "[PROFILE]\nButtonCount=13\nMouseDpi=5\n";
    for (int i = 0; i <= 16; ++i)
        text += QStringLiteral("BUTTON_INFO_%1_Matrix=%2\nBUTTON_INFO_%1_Matrix2=%3\n")
                    .arg(i)
                    .arg(15 - i)
                    .arg(i < 8 ? i : 255)
                    .toUtf8();
    text += "BUTTON_INFO_3_Matrix=200\n"; // a slot past the table
    box.writeDescription(text);
    ButtonMatrix m{};
    QCOMPARE(loadMatrix(m), 0);
    QCOMPARE(m[0], uint8_t(15));
    QCOMPARE(m[3], uint8_t(3)); // kept inside the 16 slots
    QCOMPARE(m[15], uint8_t(0));
    ButtonMatrix m2{};
    QCOMPARE(loadMatrix2(m2), 8);
    QCOMPARE(m2[7], uint8_t(7));
    QCOMPARE(m2[8], uint8_t(255)); // empty position marker survives
}

void TestDeviceDescription::sensorDefaultsPerKey()
{
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nlift=2\nangle=1\njitter=1\nwake=4\nsync=1\nbuttondelay=99\n");
    SensorDefaults v{};
    QCOMPARE(loadSensorDefaults(v), 0);
    QCOMPARE(v[kSensorLift], uint8_t(2));
    QCOMPARE(v[kSensorAngle], uint8_t(1));
    QCOMPARE(v[kSensorButtonDelay], uint8_t(20)); // only "butondelay" counts
    QCOMPARE(v[kSensorJitter], uint8_t(1));
    QCOMPARE(v[kSensorWake], uint8_t(4));
    QCOMPARE(v[kSensorMode], uint8_t(1));
    QCOMPARE(v[kSensorSync], uint8_t(1));
    box.writeDescription("[PROFILE]\nbutondelay=300\nsensormode=0\n");
    QCOMPARE(loadSensorDefaults(v), 0);
    QCOMPARE(v[kSensorButtonDelay], uint8_t(300 & 0xff));
    QCOMPARE(v[kSensorMode], uint8_t(0));
}

void TestDeviceDescription::templateFromQtWrittenFile()
{
    StorageSandbox box;
    // As Qt 5 writes it: colours as @Variant, LED keys with a backslash.
    box.writeDescription(
        "; comment line\n[PROFILE]\nProductName=ORVALE8\nCompanyName=Maker\nBackPic=bg.png\n"
        "FolderPath=f\npollrate=258\ndpi=2\nLedMode=5\nStyle=3\nButtonCount=29\n"
        "DPI_INFO_0_xy=7\nDPI_INFO_7_xy=4294967295\nLang_1=2\nFontSize_1=16\nFontName_1=Noto Sans\n"
        "Font_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\xa0\\xa0\\xff\\xff\\0\\0)\n"
        "BUTTON_INFO_4_ID=7\nBUTTON_INFO_4_Fun=48\nBUTTON_INFO_4_LoopNumber=3\nBUTTON_INFO_4_KeyNumber=9\n"
        "BUTTON_INFO_4_Res1=1\nBUTTON_INFO_4_Res4=260\nBUTTON_INFO_16_Fun=99\n"
        "LedMode\\LED_MODE_3_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n"
        "LedMode\\LED_MODE_3_bright=2\nLedMode\\LED_MODE_3_breath=4\n"
        "LedMode\\LED_MODE_4_RGB=#00ff80\n"
        "LedSleepTime=6\n");
    ProfileTemplate t;
    QCOMPARE(loadTemplate(t), 0);
    QCOMPARE(t.productName, QStringLiteral("ORVALE8"));
    QCOMPARE(t.companyName, QStringLiteral("Maker"));
    QCOMPARE(t.backPic, QStringLiteral("bg.png"));
    QCOMPARE(t.pollRate, 258);
    QCOMPARE(t.dpi, uint8_t(2));
    QCOMPARE(t.ledMode, uint8_t(5));
    QCOMPARE(t.style, uint8_t(3));
    QCOMPARE(t.dpiXY[0], 7);
    QCOMPARE(t.dpiXY[7], -1);
    QCOMPARE(t.lang[1], uint8_t(2));
    QCOMPARE(t.fontSize[1], uint8_t(16));
    QCOMPARE(t.fontName[1], QStringLiteral("Noto Sans"));
    QCOMPARE(t.fontColor, QColor(0, 160, 255));
    const TemplateButton &b = t.buttons[4];
    QCOMPARE(b.ID, 7);
    QCOMPARE(b.Fun, 48);
    QCOMPARE(b.LoopNumber, 3);
    QCOMPARE(b.KeyNumber, 9);
    QCOMPARE(b.Res1, uint8_t(1));
    QCOMPARE(b.Res4, uint8_t(4)); // cut to its byte
    QCOMPARE(t.ledModes[3].RGB, QColor(255, 0, 0));
    QCOMPARE(t.ledModes[3].bright, 2);
    QCOMPARE(t.ledModes[3].breath, 4);
    QCOMPARE(t.ledModes[4].RGB, QColor(0, 255, 128)); // a colour name written by hand
    QVERIFY(!t.ledModes[5].RGB.isValid());
    QCOMPARE(t.ledMoveOff, uint8_t(255)); // missing
    QCOMPARE(t.ledSleepTime, uint8_t(6));
}

// The models that differ, by product name: exact names only, each quirk where
// the pages, the lighting model and the window look for it.
void TestDeviceDescription::modelQuirks()
{
    using namespace ModelQuirks;
    const QStringList small3327 = {
        QStringLiteral("Q408-RGB"),  QStringLiteral("DELVANE"),  QStringLiteral("5968"),
        QStringLiteral("SOLVENTH3"), QStringLiteral("BRISKEL"),  QStringLiteral("Q604-RGB"),
        QStringLiteral("DRUMMEL2"),  QStringLiteral("WENDRIC2"), QStringLiteral("TORVANE")};
    const QStringList altMarkers = {
        QStringLiteral("VORANEL2"),  QStringLiteral("OSTRIK"),     QStringLiteral("DELVANE"),
        QStringLiteral("TAVIR FPS"), QStringLiteral("TAVIR"),      QStringLiteral("SOLVENTH"),
        QStringLiteral("SOLVENTH3"), QStringLiteral("BRISKEL"),    QStringLiteral("5915"),
        QStringLiteral("Q604-RGB"),  QStringLiteral("5915-X6060"), QStringLiteral("FENNORA"),
        QStringLiteral("Q311"),      QStringLiteral("Q312"),       QStringLiteral("Q320-RGB"),
        QStringLiteral("ALVERIN"),   QStringLiteral("Q321-PRO"),   QStringLiteral("Q321-RGB"),
        QStringLiteral("Q321-RGB2"), QStringLiteral("DRUMMEL2"),   QStringLiteral("WENDRIC2"),
        QStringLiteral("TORVANE")};
    for (const QString &model : models()) {
        QCOMPARE(has(model, kSmall3327Range), small3327.contains(model));
        QCOMPARE(has(model, kAltMarkerImages), altMarkers.contains(model));
        QCOMPARE(has(model, kSharedLighting), model == QLatin1String("5960"));
        QVERIFY2(quirks(model) != 0, qPrintable(model));
    }
    QCOMPARE(models().size(), 25); // every name of the three lists once
    QCOMPARE(QString::fromLatin1(kSharedLightingModel), QStringLiteral("5960"));
    // Names are compared exactly: case, blanks and prefixes make another model.
    for (const char *other : {"torvane", "TAVIR ", "TAVIR FP", "Q321", "59600", "", "ORVALE8"})
        QCOMPARE(quirks(QLatin1String(other)), 0);
}

QTEST_GUILESS_MAIN(TestDeviceDescription)
#include "tst_devicedescription.moc"
