// mousecfg-cli auto-switch, run as the separate program it is: the commands
// round-trip through the rule file, and a refused command changes no byte.

#include "../CliProcess.h"
#include "StorageTestUtil.h"

#include <QFile>
#include <QtTest>

#include <sys/stat.h>

class TestAutoSwitchCli : public QObject
{
    Q_OBJECT

private slots:
    void commandsRoundTrip();
    void refusalsChangeNothing();
    void unreadableFileIsLeftAlone();

private:
    struct Result
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    static Result run(const StorageSandbox &box, const QStringList &args,
                      const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());
    static QString file(const StorageSandbox &box)
    {
        return box.configDir() + QStringLiteral("/AutoSwitch.ini");
    }
    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TestAutoSwitchCli::Result TestAutoSwitchCli::run(const StorageSandbox &box, const QStringList &args,
                                                 const QProcessEnvironment &env)
{
    const CliRun run = runCli(QStringList{QStringLiteral("auto-switch")} + args, box.configDir(), env);
    return Result{run.code, run.out, run.err};
}

void TestAutoSwitchCli::commandsRoundTrip()
{
    StorageSandbox box;
    QCOMPARE(run(box, {QStringLiteral("list")}).out, QStringLiteral("auto-switch off\notherwise keep\n"));
    QProcessEnvironment x11 = QProcessEnvironment::systemEnvironment();
    x11.remove(QStringLiteral("WAYLAND_DISPLAY"));
    x11.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
    x11.insert(QStringLiteral("DISPLAY"), QStringLiteral(":99"));
    for (const QStringList &args :
         {QStringList{QStringLiteral("add"), QStringLiteral("steam_app_730"), QStringLiteral("2")},
          QStringList{QStringLiteral("add"), QStringLiteral("/usr/games/xonotic"), QStringLiteral("3")},
          QStringList{QStringLiteral("add"), QStringLiteral("Steam_App_730"), QStringLiteral("4")},
          QStringList{QStringLiteral("add"), QStringLiteral("konsole"), QStringLiteral("1")},
          QStringList{QStringLiteral("remove"), QStringLiteral("KONSOLE")},
          QStringList{QStringLiteral("default"), QStringLiteral("5")}, QStringList{QStringLiteral("on")}}) {
        const Result r = run(box, args, x11);
        QVERIFY2(r.exitCode == 0 && r.err.isEmpty(), qPrintable(args.join(QLatin1Char(' ')) + r.err));
    }
    QCOMPARE(run(box, {QStringLiteral("list")}).out,
             QStringLiteral("auto-switch on\notherwise 5\n4 Steam_App_730\n3 /usr/games/xonotic\n"));
    QVERIFY(run(box, {QStringLiteral("default"), QStringLiteral("keep")}).exitCode == 0);
    QVERIFY(run(box, {QStringLiteral("off")}).exitCode == 0);
    QCOMPARE(run(box, {QStringLiteral("list")}).out,
             QStringLiteral("auto-switch off\notherwise keep\n4 Steam_App_730\n3 /usr/games/xonotic\n"));

    // A session that does not say which window is active: "on" says so in one sentence.
    QProcessEnvironment gnome = x11;
    gnome.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    gnome.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    const Result on = run(box, {QStringLiteral("on")}, gnome);
    QCOMPARE(on.exitCode, 0);
    QVERIFY2(on.err.contains(QStringLiteral("does not tell applications which window is active")),
             qPrintable(on.err));
    gnome.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
    QVERIFY(run(box, {QStringLiteral("on")}, gnome).err.isEmpty());
}

void TestAutoSwitchCli::refusalsChangeNothing()
{
    StorageSandbox box;
    QCOMPARE(run(box, {QStringLiteral("add"), QStringLiteral("game"), QStringLiteral("2")}).exitCode, 0);
    const QByteArray before = bytesOf(file(box));
    struct Case
    {
        QStringList args;
        int code;
        const char *says;
    };
    const QList<Case> cases{
        {{QStringLiteral("add"), QStringLiteral("game"), QStringLiteral("6")}, 1, "1 to 5"},
        {{QStringLiteral("add"), QStringLiteral("game"), QStringLiteral("two")}, 1, "not \"two\""},
        {{QStringLiteral("add"), QStringLiteral("bad\tname"), QStringLiteral("1")}, 1, "control characters"},
        {{QStringLiteral("add"), QStringLiteral("[Rules]"), QStringLiteral("1")}, 1, "cannot begin with"},
        {{QStringLiteral("remove"), QStringLiteral("other")}, 1, "no rule names other"},
        {{QStringLiteral("default"), QStringLiteral("0")}, 1, "1 to 5 or keep"},
        {{QStringLiteral("default"), QStringLiteral("never")}, 1, "1 to 5 or keep"},
        {{}, 2, "usage: auto-switch"},
        {{QStringLiteral("add"), QStringLiteral("game")}, 2, "usage: auto-switch"},
        {{QStringLiteral("list"), QStringLiteral("x")}, 2, "usage: auto-switch"},
        {{QStringLiteral("enable")}, 2, "usage: auto-switch"},
    };
    for (const Case &c : cases) {
        const Result r = run(box, c.args);
        QVERIFY2(r.exitCode == c.code && r.err.contains(QLatin1String(c.says)),
                 qPrintable(c.args.join(QLatin1Char(' ')) + QStringLiteral(": ") + r.err));
        QCOMPARE(bytesOf(file(box)), before);
    }
}

void TestAutoSwitchCli::unreadableFileIsLeftAlone()
{
    StorageSandbox box;
    StorageSandbox::writeFile(file(box), QByteArray(3 * 1024 * 1024, '\x01'));
    const QByteArray before = bytesOf(file(box));
    const Result list = run(box, {QStringLiteral("list")});
    QCOMPARE(list.exitCode, 1);
    QVERIFY2(list.err.contains(QStringLiteral("too large")), qPrintable(list.err));
    const Result add = run(box, {QStringLiteral("add"), QStringLiteral("game"), QStringLiteral("2")});
    QCOMPARE(add.exitCode, 1);
    QVERIFY2(add.err.contains(QStringLiteral("nothing was changed")), qPrintable(add.err));
    QCOMPARE(bytesOf(file(box)), before);
    QVERIFY(!QFile::exists(file(box) + QStringLiteral(".bak")));

    // Bad lines: the command works on the rest and keeps the file as it was beside.
    const QByteArray bad("[Rules]\nkept=3\nodd=9\n");
    StorageSandbox::writeFile(file(box), bad);
    const Result on = run(box, {QStringLiteral("add"), QStringLiteral("game"), QStringLiteral("2")});
    QCOMPARE(on.exitCode, 0);
    QVERIFY2(on.err.contains(QStringLiteral("line 3")) && on.err.contains(QStringLiteral(".bak")),
             qPrintable(on.err));
    QCOMPARE(bytesOf(file(box) + QStringLiteral(".bak")), bad);
    QCOMPARE(run(box, {QStringLiteral("list")}).out,
             QStringLiteral("auto-switch off\notherwise keep\n3 kept\n2 game\n"));
}

QTEST_GUILESS_MAIN(TestAutoSwitchCli)
#include "tst_autoswitch_cli.moc"
