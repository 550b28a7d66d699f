// The firmware model on its own: output report in, answers out.

#include "CommandSet.h"
#include "DeviceTestSupport.h"
#include "MouseFirmware.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ShippedModel.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QVector<Report> feed(MouseFirmware &fw, const Frame &f)
{
    return fw.handleOutputReport(f.data() + 1, kReportSize);
}
} // namespace

class TestMouseFirmware : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietDeviceLog(); }

    void echoesTheFramesTheHostVerifies()
    {
        MouseFirmware fw;
        QVector<Report> a = feed(fw, BlockFrame::beginWrite());
        QCOMPARE(a.size(), 1);
        QVERIFY(std::equal(a[0].begin(), a[0].end(), BlockFrame::beginWrite().begin() + 1));
        QVERIFY(feed(fw, ControlFrame::selectProfile(1)).isEmpty()); // opcode 0x44: no answer
        QCOMPARE(feed(fw, ControlFrame::reload(1)).size(), 1);
        ProfileSet set = sampleSet();
        set.profiles[0].LedSleepTime = 30;
        QVERIFY(feed(fw, BlockFrame::sensor(set, set.profiles[0], 0)).isEmpty());
        QVERIFY(fw.handleOutputReport(nullptr, 0).isEmpty());
        const uint8_t shortReport[4] = {0, 0xAA, 0x55, 0};
        QVERIFY(fw.handleOutputReport(shortReport, 4).isEmpty());
        QCOMPARE(fw.stats().unknownReports, 2);
    }

    void commitsBetweenBeginAndEnd()
    {
        MouseFirmware fw;
        const MouseFirmware::Block factoryMode = fw.block(0, kBlockMode);
        ProfileSet set = sampleSet();
        const Frame mode = BlockFrame::mode(set.profiles[0]);
        feed(fw, mode); // outside a write: ignored
        QCOMPARE(fw.stats().strayBlocks, 1);
        feed(fw, BlockFrame::beginWrite());
        feed(fw, mode);
        Frame bad = BlockFrame::colourTable(set.profiles[0]);
        bad[32] ^= 0xFF;
        feed(fw, bad);
        QCOMPARE(fw.stats().checksumErrors, 1);
        QVERIFY(fw.inWrite());
        QVERIFY(fw.block(0, kBlockMode) == factoryMode); // not yet committed
        feed(fw, BlockFrame::endWrite());
        QVERIFY(!fw.inWrite());
        QCOMPARE(fw.stats().commits, 1);
        QVERIFY(std::equal(mode.begin() + 2, mode.begin() + 32, fw.block(0, kBlockMode).begin()));
        QCOMPARE(int(fw.block(0, kBlockColour)[0]), 0); // the bad block never landed
        QCOMPARE(fw.dpiStage(), int(set.profiles[0].dpi));

        // An abandoned write commits nothing, even if an end block follows.
        feed(fw, BlockFrame::beginWrite());
        feed(fw, BlockFrame::colourTable(set.profiles[0]));
        fw.abandonWrite();
        feed(fw, BlockFrame::endWrite());
        QCOMPARE(fw.stats().commits, 1);
        QCOMPARE(int(fw.block(0, kBlockColour)[0]), 0);
    }

    void writesLandInTheActiveProfileAndMacroSlots()
    {
        MouseFirmware fw;
        feed(fw, ControlFrame::selectProfile(3));
        QCOMPARE(fw.activeProfile(), 3);
        feed(fw, ControlFrame::selectProfile(9)); // no such profile
        QCOMPARE(fw.activeProfile(), 3);
        uint8_t slot[kMacroSlotSize] = {};
        for (int i = 0; i < kMacroSlotSize; ++i)
            slot[i] = uint8_t(i);
        feed(fw, BlockFrame::beginWrite());
        for (int k = 0; k < kMacroBlocksPerSlot; ++k)
            feed(fw, BlockFrame::macro(11, k, slot));
        feed(fw, BlockFrame::endWrite());
        QVERIFY(std::equal(slot, slot + kMacroSlotSize, fw.macroSlot(11).begin()));
        QCOMPARE(int(fw.macroSlot(0)[5]), 0);
        QCOMPARE(int(fw.block(0, kBlockMode)[1]), 1); // profile 1 untouched (factory 1000 Hz)
    }

    void statusAndButtons()
    {
        MouseFirmware fw;
        fw.setBatteryLevel(57);
        fw.setCharging(true);
        QVector<Report> a = feed(fw, BlockFrame::batteryQuery());
        QCOMPARE(a.size(), 1);
        QCOMPARE(hexBytes(a[0].data(), 8), QStringLiteral("0a aa ff dd 39 01 01 01"));

        // Stages in use come from the DPI blocks; the button cycles through them.
        ProfileData p;
        for (int i = 0; i < 3; ++i)
            p.DPI_INFO[size_t(i)].x = p.DPI_INFO[size_t(i)].y = 20 + i;
        feed(fw, ControlFrame::selectProfile(2));
        feed(fw, BlockFrame::beginWrite());
        for (const Frame &f : BlockFrame::dpiStages(p, 3395))
            feed(fw, f);
        feed(fw, BlockFrame::endWrite());
        // The write left the mode block alone: on from the factory's stage 2.
        QCOMPARE(int(fw.pressDpiButton()[0][6]), 0x22);
        QCOMPARE(int(fw.pressDpiButton()[0][6]), 0x20);
        QCOMPARE(int(fw.pressDpiButton()[0][6]), 0x21);
        const int rates[] = {2, 4, 8, 1};
        for (int r : rates)
            QCOMPARE(int(fw.pressRateButton()[0][7]), r);
        fw.setBatteryLevel(150);
        QCOMPARE(fw.batteryLevel(), 100);
    }

    void factoryStagesAnswerTheDpiButton()
    {
        // A fresh mouse holds the stages it leaves the factory with, the
        // second in use as in the factory profile: its DPI button steps
        // through all six before anything was written to it.
        MouseFirmware fw;
        QCOMPARE(fw.dpiStage(), 1);
        for (int i = 2; i <= kShippedDpiStageCount + 1; ++i)
            QCOMPARE(int(fw.pressDpiButton()[0][6]), i % kShippedDpiStageCount);
        QCOMPARE(int(fw.block(0, kBlockMode)[0]), 1);
        // They are the stages the program's factory profile sends for the shipped model.
        Paths::setDataDir(qEnvironmentVariable("MOUSECFG_DATA_DIR"));
        ProfileData factory;
        ProfileDefaults::buildDefaultProfile(factory);
        Paths::setDataDir(QString());
        QCOMPARE(int(factory.dpi), 1);
        const Frame dpi = BlockFrame::dpiStages(factory, kShippedSensorModel)[0];
        for (int p = 0; p < MouseFirmware::kProfiles; ++p)
            QCOMPARE(hexBytes(fw.block(p, kBlockDpi1).data(), 30), hexBytes(dpi.data() + 2, 30));
        // Back to the factory state after use.
        fw.reset();
        QCOMPARE(int(fw.pressDpiButton()[0][6]), 2);
    }

    void reloadTakesTheStoredStage()
    {
        MouseFirmware fw;
        ProfileData p;
        p.dpi = 4;
        p.pollrate = 8;
        feed(fw, ControlFrame::selectProfile(1));
        feed(fw, BlockFrame::beginWrite());
        feed(fw, BlockFrame::mode(p));
        feed(fw, BlockFrame::endWrite());
        feed(fw, ControlFrame::selectProfile(0));
        feed(fw, ControlFrame::reload(1));
        QCOMPARE(fw.reportRate(), 1);
        feed(fw, ControlFrame::selectProfile(1));
        feed(fw, ControlFrame::reload(1));
        QCOMPARE(fw.dpiStage(), 4);
        QCOMPARE(fw.reportRate(), 8);
    }

    void memoryFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("simulated-mouse.ini"));
        MouseFirmware fw;
        QVERIFY(fw.loadFromIni(file)); // missing: factory state
        ProfileSet set = sampleSet();
        feed(fw, ControlFrame::selectProfile(2));
        feed(fw, BlockFrame::beginWrite());
        feed(fw, BlockFrame::mode(set.profiles[0]));
        feed(fw, BlockFrame::colourTable(set.profiles[0]));
        uint8_t slot[kMacroSlotSize] = {6, 1, 0, 7};
        feed(fw, BlockFrame::macro(4, 0, slot));
        feed(fw, BlockFrame::endWrite());
        fw.setBatteryLevel(33);
        QString err;
        QVERIFY2(fw.saveToIni(file, &err), qPrintable(err));

        MouseFirmware back;
        QVERIFY(back.loadFromIni(file, &err));
        QCOMPARE(back.activeProfile(), 2);
        QCOMPARE(back.batteryLevel(), 33);
        for (int p = 0; p < MouseFirmware::kProfiles; ++p)
            QVERIFY(back.profile(p) == fw.profile(p));
        QCOMPARE(back.macroSlot(4), fw.macroSlot(4));

        // A damaged file is refused with a message and changes nothing.
        QSettings s(file, QSettings::IniFormat);
        s.setValue(QStringLiteral("Profile2/Block4"), QStringLiteral("zz"));
        s.sync();
        MouseFirmware untouched;
        untouched.setBatteryLevel(12);
        QVERIFY(!untouched.loadFromIni(file, &err));
        QVERIFY(err.contains(QStringLiteral("Profile2/Block4")));
        QCOMPARE(untouched.batteryLevel(), 12);
        s.setValue(QStringLiteral("Profile2/Block4"), QString());
        s.remove(QStringLiteral("Profile2/Block4"));
        s.setValue(QStringLiteral("Mouse/ActiveProfile"), 7);
        s.sync();
        QVERIFY(!untouched.loadFromIni(file, &err));

        // Written by hand, as QSettings reads it but not as it writes it.
        QFile hand(file);
        QVERIFY(hand.open(QIODevice::WriteOnly | QIODevice::Truncate));
        hand.write("[Mouse]\nBattery = 90\n");
        hand.close();
        QVERIFY(untouched.loadFromIni(file, &err));
        QCOMPARE(untouched.batteryLevel(), 90);
    }

    void jsonDump()
    {
        MouseFirmware fw;
        ProfileData p;
        p.BUTTON_INFO[0].Fun = 1;
        ButtonTable table{};
        table[0] = 0x81;
        table[4] = 0x91;
        table[5] = 0x02;
        feed(fw, BlockFrame::beginWrite());
        for (const Frame &f : BlockFrame::buttons(table))
            feed(fw, f);
        uint8_t slot[kMacroSlotSize] = {0x84, 0x04, 0x00, 0x06, 0x01, 0x00};
        feed(fw, BlockFrame::macro(2, 0, slot));
        feed(fw, BlockFrame::endWrite());
        const QJsonObject j = fw.toJson();
        QCOMPARE(j.value(QStringLiteral("activeProfile")).toInt(), 1);
        const QJsonArray profiles = j.value(QStringLiteral("profiles")).toArray();
        QCOMPARE(profiles.size(), 5);
        const QJsonArray buttons = profiles[0].toObject().value(QStringLiteral("buttons")).toArray();
        QCOMPARE(buttons.size(), 16);
        QCOMPARE(buttons[0].toObject().value(QStringLiteral("action")).toString(),
                 QStringLiteral("left button"));
        QCOMPARE(buttons[1].toObject().value(QStringLiteral("action")).toString(),
                 QStringLiteral("macro slot 2"));
        const QJsonArray macros = j.value(QStringLiteral("macroSlots")).toArray();
        QCOMPARE(macros.size(), 12);
        QVERIFY(macros[2].toObject().value(QStringLiteral("used")).toBool());
        QCOMPARE(macros[2].toObject().value(QStringLiteral("events")).toArray().size(), 2);
        QVERIFY(!macros[0].toObject().value(QStringLiteral("used")).toBool());
        // A full slot stays inside its 256 bytes.
        uint8_t full[kMacroSlotSize];
        std::fill(full, full + kMacroSlotSize, 0x11);
        feed(fw, BlockFrame::beginWrite());
        for (int k = 0; k < kMacroBlocksPerSlot; ++k)
            feed(fw, BlockFrame::macro(0, k, full));
        feed(fw, BlockFrame::endWrite());
        QCOMPARE(fw.toJson()
                     .value(QStringLiteral("macroSlots"))
                     .toArray()[0]
                     .toObject()
                     .value(QStringLiteral("events"))
                     .toArray()
                     .size(),
                 85);
    }
};

QTEST_GUILESS_MAIN(TestMouseFirmware)
#include "tst_mousefirmware.moc"
