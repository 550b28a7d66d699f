// Command frames, checksums, the DPI encodings of every sensor and the
// button table with its computed records.

#include "CommandSet.h"
#include "DeviceTestSupport.h"
#include "DpiEncoding.h"
#include "KeyTables.h"

#include <QtTest>

using namespace DpiEncoding;

Q_DECLARE_METATYPE(DpiEncoding::StageRecord)

namespace {
Frame frameOf(std::initializer_list<int> bytes)
{
    Frame f{};
    int i = 0;
    for (int b : bytes)
        f[size_t(i++)] = uint8_t(b);
    return f;
}

StageRecord rec(int a, int b, int c, int d, int e)
{
    return {uint8_t(a), uint8_t(b), uint8_t(c), uint8_t(d), uint8_t(e)};
}

int usageOf(int keyIndex)
{
    int u = 0;
    KeyTables::indexToUsage(keyIndex, u);
    return u;
}
} // namespace

class TestDeviceFrames : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietDeviceLog(); }

    void checksumsAndFixedBlocks()
    {
        const Frame begin = BlockFrame::beginWrite();
        QCOMPARE(begin, frameOf({0x00, 0x00, 0xAA, 0x55}));
        QCOMPARE(begin[32], uint8_t(0x00));
        const Frame end = BlockFrame::endWrite();
        QCOMPARE(end, frameOf({0x00, 0x00, 0xCC, 0x33}));
        const Frame query = BlockFrame::batteryQuery();
        QCOMPARE(hexBytes(query.data(), 5), QStringLiteral("00 0a aa ff dd"));
        QCOMPARE(query[32], uint8_t(0x6F));
        // Every generated block carries a valid checksum; one flipped bit breaks it.
        Frame f = BlockFrame::mode(sampleSet().profiles[0]);
        QVERIFY(blockChecksumOk(f));
        f[7] ^= 1;
        QVERIFY(!blockChecksumOk(f));
    }

    void controlFrames()
    {
        QCOMPARE(ControlFrame::selectProfile(2), frameOf({0x00, 0x05, 0x00, 0xFA, 0x44, 0x02}));
        QCOMPARE(ControlFrame::reload(0x04), frameOf({0x00, 0x05, 0x00, 0xFA, 0x40, 0xF3, 0x04}));
    }

    void modeBlockClearsByEffect_data()
    {
        QTest::addColumn<int>("ledMode");
        QTest::addColumn<int>("breath");
        QTest::addColumn<int>("bright");
        QTest::newRow("effect 0") << 0 << 0 << 0;
        QTest::newRow("effect 1") << 1 << 0 << 4;
        QTest::newRow("effect 2") << 2 << 3 << 4;
        QTest::newRow("effect 3") << 3 << 0 << 0;
        QTest::newRow("effect 4") << 4 << 3 << 0;
        QTest::newRow("effect 9") << 9 << 3 << 4;
    }
    void modeBlockClearsByEffect()
    {
        QFETCH(int, ledMode);
        ProfileData p;
        p.dpi = 2;
        p.pollrate = 4;
        p.LedMode = uint8_t(ledMode);
        p.LED_MODE[size_t(ledMode)].breath = 3;
        p.LED_MODE[size_t(ledMode)].bright = 4;
        const Frame f = BlockFrame::mode(p);
        QCOMPARE(int(f[1]), 0x01);
        QCOMPARE(int(f[2]), 2);
        QCOMPARE(int(f[3]), 4);
        QCOMPARE(int(f[4]), ledMode);
        QTEST(int(f[5]), "breath");
        QTEST(int(f[6]), "bright");
    }

    void sensorBlock()
    {
        ProfileSet set = sampleSet();
        set.AngleValue = 7;
        set.Debounce = 12;
        set.LiftHigh = 2;
        set.Sync = 1;
        ProfileData &p = set.profiles[0];
        p.LedMode = 5;
        p.LED_MODE[5].RGB = QColor(1, 2, 3);
        p.LedSleepTime = 30;
        p.LedMoveOFF = 0;
        Frame f = BlockFrame::sensor(set, p, 0);
        QCOMPARE(hexBytes(f.data(), 11), QStringLiteral("00 02 06 02 1e 01 07 01 01 02 03"));
        f = BlockFrame::sensor(set, p, 3); // debounce where the angle value goes otherwise
        QCOMPARE(int(f[6]), 12);
        p.LedMoveOFF = 255;
        QCOMPARE(int(BlockFrame::sensor(set, p, 0)[5]), 0);
    }

    void colourTable()
    {
        ProfileData p;
        for (int k = 0; k < 8; ++k)
            p.LED_MODE[size_t(k)].RGB = QColor(k, 10 + k, 20 + k);
        p.LED_MODE[8].RGB = QColor(99, 99, 99); // not part of the table
        const Frame f = BlockFrame::colourTable(p);
        QCOMPARE(int(f[1]), 0x04);
        for (int k = 0; k < 8; ++k) {
            QCOMPARE(int(f[size_t(2 + 3 * k)]), k);
            QCOMPARE(int(f[size_t(3 + 3 * k)]), 10 + k);
            QCOMPARE(int(f[size_t(4 + 3 * k)]), 20 + k);
        }
        QCOMPARE(int(f[26]), 0);
    }

    void dpiEncodings_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<StageRecord>("expected");
        QTest::newRow("3104 crossed, low") << 3104 << 20 << 30 << rec(0, 30, 0, 20, 0);
        QTest::newRow("3104 crossed, high y") << 3104 << 20 << 120 << rec(1, 67, 0, 20, 0);
        QTest::newRow("31042 like 3104") << 31042 << 110 << 10 << rec(0, 10, 0, 57, 0);
        QTest::newRow("3212 ranges") << 3212 << 95 << 64 << rec(2, 32, 0, 32, 0);
        QTest::newRow("3212 low") << 3212 << 63 << 20 << rec(0, 63, 0, 20, 0);
        QTest::newRow("3311 table") << 3311 << 10 << 121 << rec(0, 11, 0, 72, 0);
        QTest::newRow("3325 three ranges") << 3325 << 60 << 80 << rec(1, 80, 0, 69, 0);
        QTest::newRow("3325 top range") << 3325 << 80 << 50 << rec(2, 69, 0, 115, 0);
        QTest::newRow("3327 range 4") << 3327 << 100 << 61 << rec(4, 111, 0, 140, 0);
        QTest::newRow("3327 range 1") << 3327 << 62 << 1 << rec(1, 72, 0, 4, 0);
        QTest::newRow("3333") << 3333 << 79 << 120 << rec(0, 185, 0, 187, 0);
        QTest::newRow("3335 from x") << 3335 << 160 << 5 << rec(0, 188, 0, 188, 0);
        QTest::newRow("33352 beyond the table") << 33352 << 240 << 1 << rec(1, 237, 0, 237, 0);
        QTest::newRow("3360") << 3360 << 120 << 121 << rec(0, 119, 0, 60, 0);
        QTest::newRow("3370") << 3370 << 201 << 200 << rec(1, 100, 0, 199, 0);
        QTest::newRow("3389 16-bit") << 3389 << 480 << 320 << rec(1, 0x40, 0x01, 0x40, 0x01);
        QTest::newRow("3395 16-bit") << 3395 << 519 << 256 << rec(0, 0x07, 0x02, 0x00, 0x01);
        QTest::newRow("33952 range 1") << 33952 << 779 << 10 << rec(1, 0x07, 0x02, 10, 0);
        QTest::newRow("3809 low") << 3809 << 10 << 10 << rec(0, 0x88, 0x13, 0xB3, 0x15);
        QTest::newRow("3809 high") << 3809 << 90 << 90 << rec(1, 0x30, 0x75, 0x35, 0x82);
        QTest::newRow("unknown model") << 1234 << 50 << 50 << rec(0, 0, 0, 0, 0);
        QTest::newRow("3399 has no register rule") << 3399 << 50 << 50 << rec(0, 0, 0, 0, 0);
    }
    void dpiEncodings()
    {
        QFETCH(int, model);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(StageRecord, expected);
        QCOMPARE(encodeStage(model, x, y), expected);
    }

    void dpiOutOfRangeStaysInsideTheTables()
    {
        // A damaged profile file can hold any step; the tables are never read past their ends.
        for (int model : {3311, 33112, 3325, 33252, 3327, 3333, 3335, 33352}) {
            for (int v : {-1000, -1, 0, 1000, 1 << 30}) {
                const StageRecord r = encodeStage(model, v, v);
                Q_UNUSED(r);
            }
        }
        QCOMPARE(encodeStage(3325, 5000, 0)[1], tableT3325().back());
        QCOMPARE(encodeStage(3311, -5, 0)[1], tableT3311().front());
    }

    void registerTableShapes()
    {
        const auto &t27 = tableT3327();
        QCOMPARE(int(t27.size()), 62);
        QCOMPARE((std::vector<int>{t27[0], t27[1], t27[2], t27[3]}), (std::vector<int>{0, 4, 6, 9}));
        QCOMPARE(int(t27[60]), 138);
        QCOMPARE(int(t27[61]), 140);
        for (size_t i = 2; i < t27.size(); ++i)
            QVERIFY2(t27[i] - t27[i - 1] == 2 || t27[i] - t27[i - 1] == 3, qPrintable(QString::number(i)));
        const auto &t33 = tableT3333();
        QCOMPARE(int(t33.size()), 81);
        QCOMPARE((std::vector<int>{t33[2], t33[3], t33[4]}), (std::vector<int>{4, 6, 9}));
        QCOMPARE((std::vector<int>{t33[78], t33[79], t33[80]}), (std::vector<int>{182, 185, 187}));
        for (size_t i = 3; i < t33.size(); ++i)
            QVERIFY(t33[i] - t33[i - 1] == 2 || t33[i] - t33[i - 1] == 3);
        const auto &t35 = tableT3335();
        QCOMPARE(int(t35.size()), 161);
        QCOMPARE((std::vector<int>{t35[1], t35[2], t35[3], t35[4]}), (std::vector<int>{0, 2, 3, 4}));
        QCOMPARE((std::vector<int>{t35[158], t35[159], t35[160]}), (std::vector<int>{187, 188, 188}));
        for (int i = 1; i <= 200; ++i)
            QVERIFY(t3335(i) >= t3335(i - 1));
        QVERIFY(t3335(200) > 188);
        // Each 3327/3333 step stands for 100 DPI: the register follows the DPI closely.
        for (int a = 1; a <= 61; ++a)
            QVERIFY(qAbs(t27[size_t(a)] - stepToDpi(3327, a) / 44.1) < 1.5);
    }

    void dpiOfSteps_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("dpi");
        QTest::newRow("3360 121") << 3360 << 121 << 12200;
        QTest::newRow("3360 120") << 3360 << 120 << 12000;
        QTest::newRow("3104 min") << 3104 << 14 << 500;
        QTest::newRow("3104 107") << 3104 << 107 << 4320;
        QTest::newRow("3212 95") << 3212 << 95 << 4860;
        QTest::newRow("3212 111") << 3212 << 111 << 7200;
        QTest::newRow("3212 low rounding") << 3212 << 21 << 800;
        QTest::newRow("3327 106") << 3327 << 106 << 16400;
        QTest::newRow("3327 61") << 3327 << 61 << 6200;
        QTest::newRow("3395 0") << 3395 << 0 << 50;
        QTest::newRow("33952 779") << 33952 << 779 << 52000;
        QTest::newRow("3399 599") << 3399 << 599 << 40000;
        QTest::newRow("unknown") << 4242 << 50 << 0;
    }
    void dpiOfSteps()
    {
        QFETCH(int, model);
        QFETCH(int, step);
        QTEST(DpiEncoding::stepToDpi(model, step), "dpi");
    }

    void dpiBlocksCarryAllEightStages()
    {
        ProfileData p;
        for (int i = 0; i < 8; ++i)
            p.DPI_INFO[size_t(i)].x = p.DPI_INFO[size_t(i)].y = 10 * (i + 1);
        const auto blocks = BlockFrame::dpiStages(p, 3395);
        QCOMPARE(int(blocks[0][1]), 0x05);
        QCOMPARE(int(blocks[1][1]), 0x06);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(int(blocks[0][size_t(3 + 5 * i)]), 10 * (i + 1));
        QCOMPARE(int(blocks[1][3]), 70);
        QCOMPARE(int(blocks[1][8]), 80);
        QCOMPARE(int(blocks[1][12]), 0);
    }

    void buttonTableThroughMatrix()
    {
        ProfileData p;
        for (int b = 0; b < kButtonCount; ++b)
            p.BUTTON_INFO[size_t(b)].Fun = 16; // off
        p.BUTTON_INFO[0].Fun = 1;
        p.BUTTON_INFO[1].Fun = 2;
        p.BUTTON_INFO[2].Fun = 48;
        p.BUTTON_INFO[40].Fun = 52;
        p.BUTTON_INFO[41].Fun = 53;
        ButtonTableLayout layout;
        layout.buttonCount = 3;
        layout.matrix = {5, 0, 9};
        MacroIndexMap map;
        ButtonTable table{};
        buildButtonTable(table, p, layout, map);
        QCOMPARE(int(table[4 * 5]), 0x81);
        QCOMPARE(int(table[4 * 0]), 0x82);
        QCOMPARE(int(table[4 * 9]), 0x8A);
        QCOMPARE(int(table[4 * 14]), 0x8B);
        QCOMPARE(int(table[4 * 15]), 0x8C);
        QCOMPARE(int(table[4 * 3]), 0); // untouched slot

        layout.scrollRev = 1;
        table.fill(0);
        buildButtonTable(table, p, layout, map);
        QCOMPARE(int(table[4 * 15]), 0x8B); // button 40 in slot 15
        QCOMPARE(int(table[4 * 14]), 0x8C); // button 41 in slot 14

        // Buttons 14 and 15 bypass the matrix in the first loop.
        layout = ButtonTableLayout();
        layout.buttonCount = 16;
        layout.scrollRev = 1;
        for (int i = 0; i < 16; ++i)
            layout.matrix[size_t(i)] = uint8_t(i);
        layout.matrix[14] = 3;
        p.BUTTON_INFO[14].Fun = 4;
        p.BUTTON_INFO[40].Fun = 16;
        p.BUTTON_INFO[41].Fun = 16;
        table.fill(0xEE);
        buildButtonTable(table, p, layout, map);
        QCOMPARE(int(table[4 * 3]), 0x00);      // button 3 (off), not button 14
        QCOMPARE(int(table[4 * 15 + 0]), 0x00); // button 40 wrote slot 15 last

        // The three button blocks split the table 28/28/8.
        ButtonTable t{};
        for (int i = 0; i < kButtonTableSize; ++i)
            t[size_t(i)] = uint8_t(i + 1);
        const auto blocks = BlockFrame::buttons(t);
        QCOMPARE(int(blocks[0][2]), 1);
        QCOMPARE(int(blocks[0][29]), 28);
        QCOMPARE(int(blocks[1][2]), 29);
        QCOMPARE(int(blocks[2][9]), 64);
        QCOMPARE(int(blocks[2][10]), 0);
    }

    void computedRecords()
    {
        MacroIndexMap map;
        ButtonAssignment b;
        auto record = [&](int sensor = 3395) { return hexBytes(buttonRecord(b, sensor, map).data(), 4); };

        b.Fun = 6;
        b.Res1 = 30; // "A"
        QCOMPARE(record(), QStringLiteral("90 00 04 00"));

        b = ButtonAssignment();
        b.Fun = 7;
        const int ctrl = usageOf(29), c = usageOf(46);
        b.KeyInfo[0] = {uint8_t(ctrl), 5, 0x80};
        b.KeyInfo[1] = {uint8_t(c), 5, 0x80};
        b.KeyInfo[2] = {uint8_t(c), 5, 0};
        b.KeyInfo[3] = {uint8_t(ctrl), 5, 0};
        QCOMPARE(record(), QStringLiteral("8f 01 06 00"));
        // Ctrl+Shift+Alt+Win around Delete: all four modifier bits.
        b = ButtonAssignment();
        b.Fun = 7;
        const int keys[] = {usageOf(42), usageOf(29), usageOf(91), usageOf(56), usageOf(83)};
        for (int i = 0; i < 5; ++i) {
            b.KeyInfo[size_t(i)] = {uint8_t(keys[i]), 5, 0x80};
            b.KeyInfo[size_t(9 - i)] = {uint8_t(keys[i]), 5, 0};
        }
        b.KeyInfo[10] = {uint8_t(usageOf(30)), 5, 0x80}; // beyond the first ten: ignored
        QCOMPARE(record(), QStringLiteral("8f 0f 4c 00"));

        b = ButtonAssignment();
        b.Fun = 12;
        QCOMPARE(record(), QStringLiteral("99 81 03 00"));
        b.Res1 = 0x84;
        b.LoopNumber = 5;
        b.KeyNumber = 95;
        QCOMPARE(record(), QStringLiteral("99 84 05 09"));

        b = ButtonAssignment();
        b.Fun = 55;
        b.Res1 = 10;
        QCOMPARE(record(3325), QStringLiteral("96 01 16 16"));
        QCOMPARE(record(3809), QStringLiteral("96 01 32 37"));
        QCOMPARE(record(3360), QStringLiteral("96 01 09 09"));
        QCOMPARE(record(3327), QStringLiteral("96 01 18 18"));
        QCOMPARE(record(3395), QStringLiteral("96 01 04 04"));

        b = ButtonAssignment();
        b.Fun = 8; // no row
        QCOMPARE(record(), QStringLiteral("00 00 00 00"));
        b.Fun = 13;
        QCOMPARE(record(), QStringLiteral("30 00 00 00"));
    }

    void macroRecords()
    {
        MacroIndexMap map;
        ButtonAssignment a, b, c, d;
        a.Fun = 200;
        a.macroname = QStringLiteral("jump");
        a.LoopNumber = 300;
        QCOMPARE(hexBytes(buttonRecord(a, 0, map).data(), 4), QStringLiteral("91 00 2c 01"));
        QCOMPARE(int(a.Res4), 0);
        b.Fun = 510;
        b.macroname = QStringLiteral("spray");
        b.Res1 = 1;
        QCOMPARE(hexBytes(buttonRecord(b, 0, map).data(), 4), QStringLiteral("9d 81 ff ff"));
        QCOMPARE(int(b.Res4), 1);
        c.Fun = 200;
        c.macroname = QStringLiteral("jump"); // shares index 0
        c.Res1 = 2;
        QCOMPARE(hexBytes(buttonRecord(c, 0, map).data(), 4), QStringLiteral("91 40 ff ff"));
        d.Fun = 200;
        d.macroname = QStringLiteral("odd");
        d.Res1 = 7; // unknown run mode: the bare index with the loop count
        d.LoopNumber = 2;
        QCOMPARE(hexBytes(buttonRecord(d, 0, map).data(), 4), QStringLiteral("91 02 02 00"));
        QCOMPARE(LookUpMacroIndex(map, QStringLiteral("spray")), 1);
        QCOMPARE(LookUpMacroIndex(map, QStringLiteral("none")), 255);
        QCOMPARE(LookUpMacroIndex(MacroIndexMap(), QStringLiteral("jump")), -1);
    }
};

QTEST_GUILESS_MAIN(TestDeviceFrames)
#include "tst_deviceframes.moc"
