// The auto-switch rules: the rule file (round trip, hostile files), which
// slot a window wants, and when the switch is asked for (settle time, the
// mouse's own slot, a job in the way).

#include "AutoSwitchRules.h"
#include "AutoSwitcher.h"
#include "StorageTestUtil.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

class TestAutoSwitch : public QObject
{
    Q_OBJECT

private slots:
    void fileRoundTrips();
    void slotForWindow();
    void namesRefused();
    void hostileFilesLoadSafely_data();
    void hostileFilesLoadSafely();
    void unreadableFileIsKeptAside();
    void switchAfterTheWindowSettles();
    void switchWaitsForTheJob();

private:
    static QString file(const StorageSandbox &box)
    {
        return box.configDir() + QStringLiteral("/AutoSwitch.ini");
    }
};

void TestAutoSwitch::fileRoundTrips()
{
    StorageSandbox box;
    QCOMPARE(AutoSwitchRules::defaultFile(), file(box));
    AutoSwitchRules rules;
    QStringList problems;
    QVERIFY(rules.load(file(box), &problems)); // missing: no rules, off
    QVERIFY(problems.isEmpty());
    QVERIFY(!rules.enabled());
    QCOMPARE(rules.otherwise(), int(AutoSwitchRules::kKeep));

    rules.setEnabled(true);
    QVERIFY(rules.setOtherwise(4));
    QVERIFY(rules.setRule(QStringLiteral("steam_app_730"), 2));
    QVERIFY(rules.setRule(QStringLiteral("/opt/my games/x=y/bin"), 3)); // blanks and '=' in a path
    QVERIFY(rules.setRule(QString::fromUtf8("游戏"), 5));
    QVERIFY(rules.setRule(QStringLiteral("STEAM_APP_730"), 1)); // the same class: its slot changes
    QVERIFY(rules.save(file(box)));

    AutoSwitchRules again;
    QVERIFY(again.load(file(box), &problems));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    QVERIFY(again.enabled());
    QCOMPARE(again.otherwise(), 4);
    QCOMPARE(again.rules().size(), 3);
    QCOMPARE(again.rules().at(0).application, QStringLiteral("STEAM_APP_730"));
    QCOMPARE(again.rules().at(0).slot, 1);
    QCOMPARE(again.rules().at(1).application, QStringLiteral("/opt/my games/x=y/bin"));
    QCOMPARE(again.rules().at(2).application, QString::fromUtf8("游戏"));
    QVERIFY(again.removeRule(QStringLiteral("steam_APP_730")));
    QVERIFY(!again.removeRule(QStringLiteral("steam_app_730")));
    QVERIFY(!again.removeRule(QStringLiteral("/OPT/my games/x=y/bin"))); // paths exactly
    QVERIFY(!again.setOtherwise(6));
    QCOMPARE(again.otherwise(), 4);
}

void TestAutoSwitch::slotForWindow()
{
    AutoSwitchRules rules;
    QVERIFY(rules.setRule(QStringLiteral("Steam"), 2));
    QVERIFY(rules.setRule(QStringLiteral("/usr/games/xonotic"), 3));
    const QStringList steam{QStringLiteral("steamwebhelper"), QStringLiteral("steam")};
    QCOMPARE(rules.slotFor(steam, QString()), 2);                            // either part, any case
    QCOMPARE(rules.slotFor(steam, QStringLiteral("/usr/games/xonotic")), 3); // the path first
    QCOMPARE(rules.slotFor({QStringLiteral("xonotic")}, QStringLiteral("/usr/local/games/xonotic")),
             int(AutoSwitchRules::kKeep));
    QCOMPARE(rules.slotFor({}, QString()), int(AutoSwitchRules::kKeep));
    QVERIFY(rules.setOtherwise(5));
    QCOMPARE(rules.slotFor({QStringLiteral("konsole")}, QStringLiteral("/usr/bin/konsole")), 5);
}

void TestAutoSwitch::namesRefused()
{
    AutoSwitchRules rules;
    QString error;
    for (const QString &bad :
         {QString(), QStringLiteral("a\tb"), QStringLiteral("a\nb"), QStringLiteral(" lead"),
          QStringLiteral("trail "), QStringLiteral("[Rules]"), QStringLiteral(";x"),
          QString(AutoSwitchRules::kMaxNameLength + 1, QLatin1Char('a'))}) {
        error.clear();
        QVERIFY2(!rules.setRule(bad, 1, &error), qPrintable(bad));
        QVERIFY(!error.isEmpty());
    }
    QVERIFY(!rules.setRule(QStringLiteral("ok"), 0, &error));
    QVERIFY(!rules.setRule(QStringLiteral("ok"), 6, &error));
    QVERIFY(error.contains(QStringLiteral("1 to 5")));
    QVERIFY(rules.rules().isEmpty());
    for (int i = 0; i < AutoSwitchRules::kMaxRules; ++i)
        QVERIFY(rules.setRule(QStringLiteral("app%1").arg(i), 1));
    QVERIFY(!rules.setRule(QStringLiteral("one-more"), 1, &error));
    QVERIFY(rules.setRule(QStringLiteral("app7"), 2)); // a change is no new rule
}

void TestAutoSwitch::hostileFilesLoadSafely_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("read");    // false: refused whole
    QTest::addColumn<int>("rules");    // what loads
    QTest::addColumn<QString>("says"); // in the problems

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 7919) % 256);
    QTest::newRow("binary") << binary << true << 0 << QStringLiteral("not text");
    QTest::newRow("huge") << QByteArray(3 * 1024 * 1024, 'a') << false << 0 << QStringLiteral("too large");
    QTest::newRow("unknown slots")
        << QByteArray("[AutoSwitch]\nEnabled=yes\nOtherwise=9\n[Rules]\na=0\nb=6\nc=two\nd=-1\ne=02\nf=3\n")
        << true << 1 << QStringLiteral("must be 1 to 5, not \"0\"");
    QTest::newRow("control characters")
        << QByteArray("[Rules]\nbell\x07=1\nesc\x1b[31m=2\nnul") + '\0' + QByteArray("x=3\nfine=4\n") << true
        << 1 << QStringLiteral("control characters");
    QByteArray many = "[Rules]\n";
    for (int i = 0; i < 300; ++i)
        many += "app" + QByteArray::number(i) + "=1\n";
    QTest::newRow("too many rules") << many << true << int(AutoSwitchRules::kMaxRules)
                                    << QStringLiteral("more than 256 rules");
    QByteArray noise;
    for (int i = 0; i < 50; ++i)
        noise += "garbage line " + QByteArray::number(i) + "\n";
    QTest::newRow("many bad lines") << noise << true << 0 << QStringLiteral("40 more lines");
    QTest::newRow("other sections") << QByteArray("x=1\n[Other]\ny=2\n[Rules]\nz=2\nz=3\n") << true << 1
                                    << QStringLiteral("has a rule already");
}

void TestAutoSwitch::hostileFilesLoadSafely()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, read);
    QFETCH(int, rules);
    QFETCH(QString, says);
    StorageSandbox box;
    StorageSandbox::writeFile(file(box), text);
    AutoSwitchRules loaded;
    QStringList problems;
    QCOMPARE(loaded.load(file(box), &problems), read);
    QCOMPARE(loaded.rules().size(), rules);
    QVERIFY(!loaded.enabled());
    QCOMPARE(loaded.otherwise(), int(AutoSwitchRules::kKeep));
    QVERIFY(!problems.isEmpty());
    QVERIFY(problems.size() <= 11);
    QVERIFY2(problems.join(QLatin1Char('\n')).contains(says), qPrintable(problems.join(QLatin1Char('\n'))));
    for (const AutoSwitchRules::Rule &r : loaded.rules())
        QVERIFY(AutoSwitchRules::checkApplication(r.application));
}

void TestAutoSwitch::unreadableFileIsKeptAside()
{
    StorageSandbox box;
    // A FIFO is never opened for reading (no hang), and the rules stay off.
    QCOMPARE(::mkfifo(QFile::encodeName(file(box)).constData(), 0600), 0);
    AutoSwitchRules rules;
    QStringList problems;
    QVERIFY(!rules.load(file(box), &problems));
    QVERIFY(problems.value(0).contains(QStringLiteral("not a regular file")));
    QVERIFY(QFile::remove(file(box)));

    // A file with a bad line: saving keeps the old file whole beside the new one.
    const QByteArray old("[Rules]\ngood=2\nbad\x01=3\n");
    StorageSandbox::writeFile(file(box), old);
    QVERIFY(rules.load(file(box), &problems));
    QVERIFY(rules.setRule(QStringLiteral("more"), 4));
    QString error, notice;
    QVERIFY(rules.save(file(box), &error, &notice));
    QVERIFY(notice.contains(QStringLiteral("AutoSwitch.ini.bak")));
    QFile kept(file(box) + QStringLiteral(".bak"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), old);
    QVERIFY(rules.load(file(box), &problems));
    QVERIFY(problems.isEmpty());
    QCOMPARE(rules.rules().size(), 2);
    notice.clear();
    QVERIFY(rules.save(file(box), &error, &notice)); // a clean file is simply replaced
    QVERIFY(notice.isEmpty());
}

namespace {
AutoSwitchRules gameRules()
{
    AutoSwitchRules rules;
    rules.setEnabled(true);
    rules.setRule(QStringLiteral("GameA"), 2);
    rules.setRule(QStringLiteral("GameB"), 3);
    return rules;
}
} // namespace

void TestAutoSwitch::switchAfterTheWindowSettles()
{
    AutoSwitcher switcher;
    int mouseSlot = 1;
    switcher.setMouseSlot([&] { return mouseSlot; });
    switcher.setRules(gameRules());
    // Twice the program's settle time: a busy machine's 100 ms wait stays well inside it.
    const int settle = 2 * AutoSwitcher::kSettleMs;
    switcher.setSettleMs(settle);
    QSignalSpy asked(&switcher, &AutoSwitcher::switchRequested);

    // Passing through GameA on the way to GameB switches to GameB alone.
    switcher.windowActivated({QStringLiteral("gamea")}, QString());
    QTest::qWait(100);
    switcher.windowActivated({QStringLiteral("gameb")}, QString());
    QVERIFY(asked.wait(5000));
    QCOMPARE(asked.takeFirst().at(0).toInt(), 3);
    mouseSlot = 3;

    // Back to the window of the slot the mouse is on: nothing to do. Nor for
    // a window without a rule while "otherwise" keeps the mouse as it is.
    switcher.windowActivated({QStringLiteral("gameb")}, QString());
    switcher.windowActivated({QStringLiteral("xterm")}, QString());
    QTest::qWait(settle + 200);
    QCOMPARE(asked.count(), 0);

    AutoSwitchRules otherwise = gameRules();
    otherwise.setOtherwise(5);
    switcher.setRules(otherwise);
    switcher.windowActivated({QStringLiteral("xterm")}, QString());
    QVERIFY(asked.wait(5000));
    QCOMPARE(asked.takeFirst().at(0).toInt(), 5);

    // No mouse to switch, or auto-switch off: nothing.
    mouseSlot = 0;
    switcher.windowActivated({QStringLiteral("gamea")}, QString());
    QTest::qWait(settle + 200);
    mouseSlot = 1;
    AutoSwitchRules off = gameRules();
    off.setEnabled(false);
    switcher.windowActivated({QStringLiteral("gamea")}, QString());
    switcher.setRules(off); // turned off while settling
    switcher.windowActivated({QStringLiteral("gameb")}, QString());
    QTest::qWait(settle + 200);
    QCOMPARE(asked.count(), 0);
}

void TestAutoSwitch::switchWaitsForTheJob()
{
    AutoSwitcher switcher;
    int mouseSlot = 1;
    switcher.setMouseSlot([&] { return mouseSlot; });
    switcher.setRules(gameRules());
    switcher.setSettleMs(20);
    QSignalSpy asked(&switcher, &AutoSwitcher::switchRequested);

    switcher.setBusy(true);
    switcher.windowActivated({QStringLiteral("gamea")}, QString());
    QTRY_VERIFY(switcher.waitingForJob());
    QCOMPARE(asked.count(), 0);
    switcher.setBusy(false);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.takeFirst().at(0).toInt(), 2);
    mouseSlot = 2;

    // The job itself put the mouse on the wanted slot: nothing more.
    switcher.setBusy(true);
    switcher.windowActivated({QStringLiteral("gameb")}, QString());
    QTRY_VERIFY(switcher.waitingForJob());
    mouseSlot = 3;
    switcher.setBusy(false);
    QCOMPARE(asked.count(), 0);
    QVERIFY(!switcher.waitingForJob());
}

QTEST_GUILESS_MAIN(TestAutoSwitch)
#include "tst_autoswitch.moc"
