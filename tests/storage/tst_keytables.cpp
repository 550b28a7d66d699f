// Key index <-> HID usage and the key names with their French variant.

#include "KeyTables.h"

#include <QSet>
#include <QtTest>

using namespace KeyTables;

class TestKeyTables : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void conversionIsOneToOne();
    void conversionEdges();
    void conversionRows_data();
    void conversionRows();
    void namesStandardAndFrench();
    void frenchSelection();
};

void TestKeyTables::cleanup()
{
    setCurrentLanguageId(0);
    setFrenchLanguageId(-1);
}

void TestKeyTables::conversionIsOneToOne()
{
    QSet<int> indexes, usages;
    for (int index = -5; index < 300; ++index) {
        int usage = -1;
        if (!indexToUsage(index, usage))
            continue;
        QVERIFY2(!usages.contains(usage), qPrintable(QString::number(usage)));
        usages.insert(usage);
        indexes.insert(index);
        int back = -1;
        QVERIFY(usageToIndex(usage, back));
        QCOMPARE(back, index);
    }
    QCOMPARE(indexes.size(), kConversionPairs);
    QCOMPARE(usages.size(), kConversionPairs);
}

void TestKeyTables::conversionEdges()
{
    int index = -1;
    QVERIFY(usageToIndex(4, index));
    QCOMPARE(index, 30);
    QCOMPARE(keyName(30, false), QStringLiteral("A"));
    QCOMPARE(keyName(30, true), QStringLiteral("q"));

    int out = 1234;
    QVERIFY(!usageToIndex(50, out));
    QVERIFY(!usageToIndex(100, out));
    QCOMPARE(out, 1234); // untouched
    QVERIFY(!indexToUsage(240, out));
    QCOMPARE(out, 1234);
    QCOMPARE(keyName(240, false), QStringLiteral("Left Button"));
}

void TestKeyTables::conversionRows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("usage");
    QTest::newRow("Z") << 44 << 29;
    QTest::newRow("0") << 11 << 39;
    QTest::newRow("backslash") << 43 << 49;
    QTest::newRow("CapsLock") << 58 << 57;
    QTest::newRow("F11") << 87 << 68;
    QTest::newRow("Pause") << 69 << 72;
    QTest::newRow("PageDown") << 81 << 78;
    QTest::newRow("Up") << 72 << 82;
    QTest::newRow("NumEnter") << 229 << 88;
    QTest::newRow("Num9") << 228 << 97;
    QTest::newRow("NumDot") << 224 << 99;
    QTest::newRow("App") << 93 << 101;
    QTest::newRow("RCtrl") << 238 << 228;
    QTest::newRow("RWin") << 92 << 231;
}

void TestKeyTables::conversionRows()
{
    QFETCH(int, index);
    QFETCH(int, usage);
    int u = -1;
    QVERIFY(indexToUsage(index, u));
    QCOMPARE(u, usage);
}

void TestKeyTables::namesStandardAndFrench()
{
    QCOMPARE(keyName(84, false), QString());
    QCOMPARE(keyName(250, false), QString());
    QCOMPARE(keyName(-1, true), QString());
    QCOMPARE(keyName(0, false), QString());
    QCOMPARE(keyName(29, false), QStringLiteral("LCtr"));
    QCOMPARE(keyName(29, true), QStringLiteral("LCtrl"));
    QCOMPARE(keyName(224, false), QStringLiteral("Num De"));
    QCOMPARE(keyName(224, true), QStringLiteral("Num Del"));
    QCOMPARE(keyName(238, true), QStringLiteral("RCtrl"));
    QCOMPARE(keyName(3, true), QString::fromUtf8("\xc3\xa9"));
    QCOMPARE(keyName(4, true), QStringLiteral("\""));
    QCOMPARE(keyName(41, true), QString::fromUtf8("\xc2\xb2"));
    QCOMPARE(keyName(43, false), QStringLiteral("\\"));
    QCOMPARE(keyName(43, true), QStringLiteral("*"));
    QCOMPARE(keyName(50, true), QStringLiteral(","));
    QCOMPARE(keyName(13, true), QStringLiteral("=")); // no French text: same as standard
    QCOMPARE(keyName(88, true), QStringLiteral("F12"));
    // Every key of the conversion table has a name.
    for (int index = 0; index < kKeyIndexCount; ++index) {
        int usage = 0;
        if (indexToUsage(index, usage))
            QVERIFY2(!keyName(index, false).isEmpty(), qPrintable(QString::number(index)));
    }
}

void TestKeyTables::frenchSelection()
{
    setFrenchLanguageId(2);
    setCurrentLanguageId(2);
    QVERIFY(useFrenchNames());
    QCOMPARE(keyName(16), QStringLiteral("a"));
    setCurrentLanguageId(0);
    QCOMPARE(keyName(16), QStringLiteral("Q"));
    setFrenchLanguageId(-1);
    setCurrentLanguageId(-1);
    QVERIFY(!useFrenchNames()); // -1 means never, even for language -1
}

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"
