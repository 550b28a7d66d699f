// The button function catalogue: the table, the device-byte lookup, labels
// and what each assignment writes into a button record.

#include "ButtonCatalogue.h"
#include "DeviceTestSupport.h"
#include "KeyTables.h"

#include <QtTest>

#include <set>

using namespace ButtonCatalogue;

namespace {
int usageOf(int keyIndex)
{
    int u = 0;
    KeyTables::indexToUsage(keyIndex, u);
    return u;
}

ButtonAssignment macroButton()
{
    ButtonAssignment b;
    b.Fun = 200;
    b.macroname = QStringLiteral("reload");
    b.LoopNumber = 3;
    b.KeyNumber = 2;
    b.KeyInfo[0] = {132, 4, 0};
    b.KeyInfo[1] = {4, 4, 0};
    b.Res1 = 1;
    b.Res2 = 0;
    b.Res3 = 5;
    b.Res4 = 6;
    return b;
}
} // namespace

class TestButtonCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietDeviceLog(); }

    void tableHoldsEachCodeOnce()
    {
        const std::set<int> expected = {1,  2,  3,  4,  5,  6,  7,  12, 13, 16, 17, 18, 19,  20, 21,
                                        22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,  35, 36,
                                        37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49,  50, 51,
                                        52, 53, 54, 55, 57, 58, 59, 60, 61, 62, 63, 64, 200, 510};
        std::set<int> seen;
        for (const FunctionRow &row : functionTable())
            QVERIFY2(seen.insert(row.fun).second, qPrintable(QString::number(row.fun)));
        QCOMPARE(seen, expected);
        QCOMPARE(int(functionTable().size()), 59);
        // Every submenu entry is a catalogue code offered by that menu.
        for (const Submenu &m : submenus()) {
            for (int fun : m.entries) {
                const auto it = std::find_if(functionTable().begin(), functionTable().end(),
                                             [fun](const FunctionRow &r) { return r.fun == fun; });
                QVERIFY(it != functionTable().end());
                QVERIFY(it->menus & m.menu);
            }
        }
    }

    void deviceByteLookup()
    {
        DeviceBytes bytes{9, 9, 9, 9};
        QVERIFY(deviceBytes(16, bytes));
        QCOMPARE(bytes, (DeviceBytes{0, 0, 0, 0}));
        for (int fun : {0, 8, 100}) {
            bytes = {9, 9, 9, 9};
            QVERIFY(!deviceBytes(fun, bytes));
            QCOMPARE(bytes, (DeviceBytes{0, 0, 0, 0}));
        }
        DeviceBytes a, b;
        QVERIFY(deviceBytes(57, a) && deviceBytes(50, b));
        QCOMPARE(a, b);
        QVERIFY(deviceBytes(58, a) && deviceBytes(51, b));
        QCOMPARE(a, b);
        QVERIFY(deviceBytes(3, a));
        QCOMPARE(int(a[0]), 0x83);
        QVERIFY(deviceBytes(31, a));
        QCOMPARE(a, (DeviceBytes{0x8E, 0x01, 0x23, 0x02}));
        QVERIFY(deviceBytes(63, a));
        QCOMPARE(a, (DeviceBytes{0x94, 0x01, 0, 0}));
    }

    void labels()
    {
        ButtonAssignment b;
        b.Fun = 48;
        QCOMPARE(buttonLabel(b), QStringLiteral("DPI +"));
        b = macroButton();
        QCOMPARE(buttonLabel(b), QStringLiteral("reload"));
        b.Fun = 510;
        QCOMPARE(buttonLabel(b), QStringLiteral("reload"));
        for (int fun : {0, 13, 60, 61, 64, 999}) {
            b.Fun = fun;
            QVERIFY(buttonLabel(b).isEmpty());
        }
    }

    void plainAssignmentChangesFunOnly()
    {
        ButtonAssignment b = macroButton();
        const ButtonAssignment before = b;
        assignFunction(b, 1);
        QCOMPARE(b.Fun, 1);
        b.Fun = before.Fun;
        QVERIFY(b == before);
    }

    void comboKeyInSlotOrder()
    {
        ButtonAssignment b;
        b.KeyNumber = 17;
        for (KeyInfo &k : b.KeyInfo)
            k = {1, 2, 3};
        std::array<ComboSlot, kComboSlots> s{};
        // Captured as Alt, then Ctrl, then Delete; the dialog's slots hold them in fixed order.
        s[kComboAlt] = {true, 239}; // right Alt: the left-hand key goes into the combo
        s[kComboCtrl] = {true, 29};
        s[kComboOther] = {true, 83};
        assignComboKey(b, s);
        QCOMPARE(b.Fun, 7);
        QCOMPARE(b.KeyNumber, 17);
        const int ctrl = usageOf(29), alt = usageOf(56), del = usageOf(83);
        const KeyInfo expected[6] = {{uint8_t(ctrl), 5, 0x80}, {uint8_t(alt), 5, 0x80},
                                     {uint8_t(del), 5, 0x80},  {uint8_t(del), 5, 0x00},
                                     {uint8_t(alt), 5, 0x00},  {uint8_t(ctrl), 5, 0x00}};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(b.KeyInfo[size_t(i)], expected[i]);
        for (int i = 6; i < kKeyInfoCount; ++i)
            QCOMPARE(b.KeyInfo[size_t(i)], KeyInfo());

        ButtonAssignment empty;
        for (KeyInfo &k : empty.KeyInfo)
            k = {1, 2, 3};
        assignComboKey(empty, std::array<ComboSlot, kComboSlots>{});
        QCOMPARE(empty.Fun, 7);
        for (const KeyInfo &k : empty.KeyInfo)
            QCOMPARE(k, KeyInfo());

        // A key without a HID usage goes in as 0.
        std::array<ComboSlot, kComboSlots> mouse{};
        mouse[kComboOther] = {true, 240};
        assignComboKey(b, mouse);
        QCOMPARE(b.KeyInfo[0], (KeyInfo{0, 5, 0x80}));
    }

    void fireKeySniperSingleKey()
    {
        QCOMPARE(int(fireSource(242)), 0x84); // middle button: 0x84, not 0x83
        QCOMPARE(int(fireSource(240)), 0x81);
        QCOMPARE(int(fireSource(241)), 0x82);
        QCOMPARE(int(fireSource(30)), 4); // "A" as its HID usage
        QCOMPARE(int(fireSource(84)), 0); // no usage
        ButtonAssignment b = macroButton();
        assignFireKey(b, fireSource(242), 7, 120);
        QCOMPARE(b.Fun, 12);
        QCOMPARE(int(b.Res1), 0x84);
        QCOMPARE(b.LoopNumber, 7);
        QCOMPARE(b.KeyNumber, 120);
        assignSniper(b);
        QCOMPARE(b.Fun, 55);
        QCOMPARE(int(b.Res1), 1);
        assignSingleKey(b, 57);
        QCOMPARE(b.Fun, 6);
        QCOMPARE(int(b.Res1), 57); // the key index, converted only when written
    }

    void macroAssignment()
    {
        ButtonAssignment b;
        for (KeyInfo &k : b.KeyInfo)
            k = {9, 9, 9};
        QVector<MacroEvent> ten;
        for (int i = 0; i < 10; ++i)
            ten.append(MacroEvent{132, 0, uint8_t(4 + i)});
        assignMacro(b, 200, QStringLiteral("m"), 4, 2, 0, ten);
        QCOMPARE(b.KeyNumber, 10);
        QCOMPARE(b.KeyInfo[9], (KeyInfo{132, 13, 0}));
        QCOMPARE(b.KeyInfo[10], (KeyInfo{9, 9, 9}));
        QCOMPARE(int(b.Res1), 2);
        QCOMPARE(b.LoopNumber, 4);

        assignMacro(b, 510, QStringLiteral("gun"), 9, 2, 1, ten); // left-button macro
        QCOMPARE(b.Fun, 510);
        QCOMPARE(int(b.Res1), 0);
        QCOMPARE(b.LoopNumber, 1);
        QCOMPARE(int(b.Res2), 1);

        QVector<MacroEvent> many(100, MacroEvent{6, 0, 1});
        assignMacro(b, 200, QStringLiteral("long"), 1, 0, 0, many);
        QCOMPARE(b.KeyNumber, 100);
        QCOMPARE(b.KeyInfo[83], (KeyInfo{6, 1, 0})); // copying stops at the 84th entry
    }
};

QTEST_GUILESS_MAIN(TestButtonCatalogue)
#include "tst_buttoncatalogue.moc"
