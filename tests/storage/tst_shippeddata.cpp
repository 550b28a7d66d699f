// The data shipped for our model: data/DefaultProfile.bin and data/Configs,
// as the build lays them out beside the executables.

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "MacroFile.h"
#include "ModelQuirks.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileIni.h"
#include "ShippedModel.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

class TestShippedData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void descriptionDescribesTheShippedModel();
    void modelNameSwitchesNoVariant();
    void templateIsComplete();
    void configurationIsComplete();
    void descriptionHeaderNamesTheIds();
    void descriptionReadsAsQSettingsReadsIt();
};

void TestShippedData::initTestCase()
{
    Paths::setDataDir(QStringLiteral(MOUSECFG_SOURCE_DATA));
    Paths::setConfigDir(QStringLiteral(MOUSECFG_SOURCE_DATA "/Configs"));
}

void TestShippedData::cleanupTestCase()
{
    Paths::setDataDir(QString());
    Paths::setConfigDir(QString());
}

void TestShippedData::descriptionDescribesTheShippedModel()
{
    QVERIFY(DeviceDescription::exists());
    QCOMPARE(DeviceDescription::productName(), QLatin1String(kShippedProductName));
    QCOMPARE(DeviceDescription::buttonCount(), kShippedButtonCount);
    QCOMPARE(DeviceDescription::dpiStageCount(), kShippedDpiStageCount);
    QCOMPARE(DeviceDescription::french(), -1);
    QCOMPARE(DeviceDescription::minDelay(), 1);
    QVERIFY(Paths::isSafeName(DeviceDescription::productName()));
    DeviceDescription::ButtonMatrix m{}, m2{};
    QCOMPARE(DeviceDescription::loadMatrix(m), 0);
    QCOMPARE(DeviceDescription::loadMatrix2(m2), kShippedButtonCount);
    for (int i = 0; i < kShippedButtonCount; ++i)
        QVERIFY(m2[size_t(i)] != 255);
    for (int i = kShippedButtonCount; i < 16; ++i)
        QCOMPARE(m2[size_t(i)], uint8_t(255));
}

void TestShippedData::modelNameSwitchesNoVariant()
{
    // The quirk table (its names are tst_devicedescription's) holds nothing for the shipped model.
    QVERIFY(!ModelQuirks::models().contains(DeviceDescription::productName()));
    QCOMPARE(ModelQuirks::quirks(DeviceDescription::productName()), 0);
}

void TestShippedData::templateIsComplete()
{
    DeviceDescription::ProfileTemplate t;
    QCOMPARE(DeviceDescription::loadTemplate(t), 0);
    QVERIFY(t.dpi < kShippedDpiStageCount);
    QCOMPARE(t.pollRate, 1);
    for (int i = 0; i < kShippedButtonCount; ++i)
        QVERIFY2(t.buttons[size_t(i)].Fun != 0, qPrintable(QString::number(i)));
    for (int m = 0; m < 12; ++m) {
        QVERIFY(t.ledModes[size_t(m)].RGB.isValid());
        QVERIFY(t.ledModes[size_t(m)].bright >= 1 && t.ledModes[size_t(m)].bright <= 3);
        QVERIFY(t.ledModes[size_t(m)].breath >= 1 && t.ledModes[size_t(m)].breath <= 5);
    }
    // 3395 steps 0..519, rising from stage to stage.
    for (int i = 0; i < 8; ++i) {
        QVERIFY(t.dpiXY[size_t(i)] >= 0 && t.dpiXY[size_t(i)] <= 519);
        if (i > 0)
            QVERIFY(t.dpiXY[size_t(i)] > t.dpiXY[size_t(i - 1)]);
    }
    DeviceDescription::SensorDefaults sd{};
    QCOMPARE(DeviceDescription::loadSensorDefaults(sd), 0);
    QVERIFY(sd[DeviceDescription::kSensorButtonDelay] >= 5 &&
            sd[DeviceDescription::kSensorButtonDelay] <= 30);
    QVERIFY(sd[DeviceDescription::kSensorLift] == 1 || sd[DeviceDescription::kSensorLift] == 2);
}

void TestShippedData::configurationIsComplete()
{
    QCOMPARE(AppConfig::sensorModel(), kShippedSensorModel);
    const AppConfig::LanguageTable t = AppConfig::loadLanguageTable();
    QCOMPARE(t.count, 3);
    QCOMPARE(t.names[0], QStringLiteral("English"));
    QCOMPARE(t.names[1], QString::fromUtf8("\xe7\xae\x80\xe4\xbd\x93\xe4\xb8\xad\xe6\x96\x87"));
    QCOMPARE(t.names[2], QString::fromUtf8("\xe7\xb9\x81\xe9\xab\x94\xe4\xb8\xad\xe6\x96\x87"));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!t.files[size_t(i)].isEmpty());
        QVERIFY(!AppConfig::fontFamily(i).isEmpty());
        QVERIFY(AppConfig::fontSize(i) > 0);
    }
    QCOMPARE(MacroFile::countMacros(), 0);
    // The shipped sensor bytes are the description's defaults.
    QSettings s(AppConfig::globalConfigFile(), QSettings::IniFormat);
    const DeviceDescription::SensorDefaults sd = ProfileDefaults::defaultSensorBytes();
    QCOMPARE(s.value(QStringLiteral("Config/Debounce")).toInt(),
             int(sd[DeviceDescription::kSensorButtonDelay]));
    QCOMPARE(s.value(QStringLiteral("Config/LiftHigh")).toInt(), int(sd[DeviceDescription::kSensorLift]));
    QCOMPARE(s.value(QStringLiteral("Config/Profile1")).toString(), ProfileDefaults::defaultSlotName(0));
}

void TestShippedData::descriptionHeaderNamesTheIds()
{
    QFile f(DeviceDescription::filePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(600);
    QVERIFY(head.contains(QByteArray::number(kShippedVendorId, 16).rightJustified(4, '0')));
    QVERIFY(head.contains(QByteArray::number(kShippedReceiverPid, 16).rightJustified(4, '0')));
    QVERIFY(head.contains(QByteArray::number(kShippedCablePid, 16).rightJustified(4, '0')));
}

void TestShippedData::descriptionReadsAsQSettingsReadsIt()
{
    // The description is read without QSettings when it is plain INI: the
    // shipped one must be, and every key must come out as QSettings has it.
    QFile f(DeviceDescription::filePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QHash<QString, QVariant> plain;
    QVERIFY(ProfileIni::readPlain(f.readAll(), plain));
    QSettings s(DeviceDescription::filePath(), QSettings::IniFormat);
    const QStringList keys = s.allKeys();
    QCOMPARE(plain.size(), keys.size());
    for (const QString &key : keys) {
        QVERIFY2(plain.contains(key), qPrintable(key));
        QCOMPARE(plain.value(key), s.value(key));
    }
}

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shippeddata.moc"
