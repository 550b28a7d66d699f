// The fast profile-section reader and writer against QSettings itself: the
// writer's file must be byte for byte what QSettings writes, and both readers
// must agree on every value.

#include "ProfileIni.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

class TestProfileIni : public QObject
{
    Q_OBJECT

private slots:
    void writerMatchesQSettings_data();
    void writerMatchesQSettings();
    void stringsRoundTrip();
    void foreignTextIsLeftToQSettings_data();
    void foreignTextIsLeftToQSettings();
    void qsettingsSeesEveryFastWrite();

private:
    static QByteArray readAll(const QString &path);
};

static QStringList trickyStrings()
{
    return {QString(),
            QStringLiteral("plain"),
            QStringLiteral("a, b; c = d"),
            QStringLiteral(" leading"),
            QStringLiteral("trailing "),
            QStringLiteral("quote \" and back\\slash"),
            QStringLiteral("@at"),
            QStringLiteral("@@double"),
            QStringLiteral("@Variant(fake)"),
            QString::fromUtf8("caf\xc3\xa9 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80"),
            QString(QChar(0x01)) + QStringLiteral("a7") + QChar(0x7f) + QStringLiteral("F"),
            QStringLiteral("tab\tnew\nline\rbell\a"),
            QStringLiteral("nul") + QChar(0) + QStringLiteral("7"),
            QStringLiteral("x\\x41")};
}

QByteArray TestProfileIni::readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestProfileIni::writerMatchesQSettings_data()
{
    QTest::addColumn<int>("variant");
    for (int i = 0; i < trickyStrings().size(); ++i)
        QTest::newRow(qPrintable(QStringLiteral("string %1").arg(i))) << i;
}

void TestProfileIni::writerMatchesQSettings()
{
    QFETCH(int, variant);
    StorageSandbox box;
    ProfileData p = sampleProfile(variant % 3);
    const QString s = trickyStrings().at(variant);
    p.ProfileName = s;
    p.ProfilePath = s + QStringLiteral(",x");
    p.BUTTON_INFO[7].macroname = s;
    p.LED_MODE[variant % 14].RGB = QColor(variant, 0x41, 0x7f, 200);

    // Our writer: a new file.
    const QString fast = box.root() + QStringLiteral("/fast.prof");
    QVERIFY(ProfileStore::writeProfileSection(3, p, fast));
    // QSettings' writer: a file that also holds another section is merged by QSettings.
    const QString slow = box.root() + QStringLiteral("/slow.prof");
    StorageSandbox::writeFile(slow, "[Another]\nkey=1\n");
    QVERIFY(ProfileStore::writeProfileSection(3, p, slow));
    const QByteArray slowText = readAll(slow);
    const int at = slowText.indexOf("[PROFILE_3]");
    QVERIFY(at > 0);
    QCOMPARE(readAll(fast), slowText.mid(at));

    // And the two readers agree: the slow one is forced by a line only QSettings takes.
    StorageSandbox::writeFile(slow, slowText + "\n[Zed]\n#note\n");
    ProfileData viaQSettings, viaFast;
    QVERIFY(ProfileStore::readProfileSection(3, viaQSettings, slow));
    QVERIFY(ProfileIni::readSection(readAll(fast), 3, viaFast, true));
    QVERIFY(!ProfileIni::readSection(readAll(slow), 3, viaFast, true));
    QCOMPARE(viaFast.ProfileName, viaQSettings.ProfileName);
    QCOMPARE(viaFast.ProfilePath, viaQSettings.ProfilePath);
    QVERIFY(viaFast == viaQSettings);
    QVERIFY(viaFast == p);

    // A hand-sorted file (the keys in reverse order, the LED keys first) reads the same.
    QList<QByteArray> lines = readAll(fast).split('\n');
    std::reverse(lines.begin() + 1, lines.end());
    ProfileData viaReversed;
    QVERIFY(ProfileIni::readSection(lines.join('\n'), 3, viaReversed, true));
    QVERIFY(viaReversed == p);
}

void TestProfileIni::stringsRoundTrip()
{
    for (const QString &s : trickyStrings()) {
        QVariant v;
        QVERIFY2(ProfileIni::decodeValue(ProfileIni::escapedString(ProfileIni::variantToString(s)), v),
                 qPrintable(s));
        QCOMPARE(v.toString(), s);
    }
    QVariant v;
    QVERIFY(
        ProfileIni::decodeValue(ProfileIni::escapedString(ProfileIni::variantToString(QColor(1, 2, 3))), v));
    QCOMPARE(v.value<QColor>(), QColor(1, 2, 3));
    QVERIFY(ProfileIni::decodeValue(ProfileIni::escapedString(ProfileIni::variantToString(QColor())), v));
    QVERIFY(!v.value<QColor>().isValid());
    // The writer escapes every control character: a raw one (QSettings ends the line at '\r') is not ours.
    QVERIFY(!ProfileIni::decodeValue(QByteArray("a\rb"), v));
    // A colour of another spec (here extended RGB with NaN channels) reads as RGB and equals itself;
    // one of no spec at all (28) reads as no colour.
    ProfileData p;
    QVERIFY(
        ProfileIni::readSection("[PROFILE_0]\nLedMode\\LED_MODE_1_RGB=@Variant(\\0\\0\\0\\x43\\x5\\xff\\xff"
                                "\\xff\\xff\\0\\0\\0\\0\\0\\0)\nLedMode\\LED_MODE_2_RGB=@Variant(\\0\\0"
                                "\\0\\x43\\x1c\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n",
                                0, p, true));
    QCOMPARE(p.LED_MODE[1].RGB.spec(), QColor::Rgb);
    QVERIFY(p == ProfileData(p));
    QVERIFY(!p.LED_MODE[2].RGB.isValid());
}

void TestProfileIni::foreignTextIsLeftToQSettings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("replaceable"); // whether a save may still write the file whole
    QTest::newRow("spaces around =") << QByteArray("[PROFILE_0]\npollrate = 2\n") << false;
    QTest::newRow("unquoted list") << QByteArray("[PROFILE_0]\nProfileName=a, b\n") << true;
    QTest::newRow("hash comment") << QByteArray("# note\n[PROFILE_0]\npollrate=2\n") << false;
    QTest::newRow("percent key") << QByteArray("[PROFILE_0]\nProfile%20Name=x\n") << false;
    QTest::newRow("utf-8 bytes") << QByteArray("[PROFILE_0]\nProfileName=caf\xc3\xa9\n") << true;
    QTest::newRow("tab after a number") << QByteArray("[PROFILE_0]\npollrate=2\t\n") << true;
    QTest::newRow("continued line") << QByteArray("[PROFILE_0]\nProfileName=a\\\nb\n") << false;
    QTest::newRow("broken variant") << QByteArray("[PROFILE_0]\nLedMode\\LED_MODE_0_RGB=@Variant(\\0\\0)\n")
                                    << true;
    QTest::newRow("section with space") << QByteArray("[PROFILE 0]\npollrate=2\n") << false;
    QTest::newRow("key of no field") << QByteArray("[PROFILE_0]\nExtra=1\n") << false;
    QTest::newRow("other section") << QByteArray("[PROFILE_0]\npollrate=2\n[MouseName]\nName=x\n") << false;
}

void TestProfileIni::foreignTextIsLeftToQSettings()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, replaceable);
    ProfileData p = sampleProfile(1);
    const ProfileData before = p;
    const bool plain = text.contains("MouseName") || text.contains("Extra"); // those two read fine
    if (!plain) {
        QVERIFY(!ProfileIni::readSection(text, 0, p, true));
        QVERIFY(p == before);
    }
    QHash<QString, QVariant> values{{QStringLiteral("kept"), 1}};
    QCOMPARE(ProfileIni::readPlain(text, values), plain);
    QCOMPARE(values.contains(QStringLiteral("kept")), !plain);
    QCOMPARE(ProfileIni::replaceable(text, 0, true), replaceable);
    // Through the store the file still loads (QSettings reads it).
    StorageSandbox box;
    const QString path = box.root() + QStringLiteral("/foreign.prof");
    StorageSandbox::writeFile(path, text);
    ProfileData viaStore;
    ProfileStore::readProfileSection(0, viaStore, path);
    QVERIFY(viaStore.LedMode < kLedModeCount);
}

void TestProfileIni::qsettingsSeesEveryFastWrite()
{
    StorageSandbox box;
    const QString path = box.root() + QStringLiteral("/cache.prof");
    ProfileData p;
    for (int round = 0; round < 20; ++round) {
        p.pollrate = uint8_t(1 + round % 2); // same file size every time
        QVERIFY(ProfileStore::writeProfileSection(0, p, path));
        QSettings s(path, QSettings::IniFormat);
        QCOMPARE(s.value(QStringLiteral("PROFILE_0/pollrate")).toInt(), 1 + round % 2);
    }
}

QTEST_GUILESS_MAIN(TestProfileIni)
#include "tst_profileini.moc"
