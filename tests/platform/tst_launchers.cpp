// Starting other programs: the detached launcher and the desktop's mouse settings.

#include "FakeProgramLauncher.h"
#include "MouseSettingsLauncher.h"
#include "ProgramLauncher.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace {

MouseSettingsLauncher::ExecutableFinder finderFor(const QStringList &installed)
{
    return [installed](const QString &name) {
        return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    };
}

} // namespace

class TestLaunchers : public QObject
{
    Q_OBJECT

private slots:
    void desktopPicksItsOwnTool_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QStringList both = {QStringLiteral("gnome-control-center"), QStringLiteral("systemsettings"),
                                  QStringLiteral("kcmshell5")};
        QTest::newRow("GNOME") << "GNOME" << both << "/usr/bin/gnome-control-center" << QStringList{"mouse"};
        QTest::newRow("Ubuntu") << "ubuntu:GNOME" << both << "/usr/bin/gnome-control-center"
                                << QStringList{"mouse"};
        QTest::newRow("KDE") << "KDE" << both << "/usr/bin/systemsettings" << QStringList{"kcm_mouse"};
        QTest::newRow("KDE, older Plasma") << "KDE" << QStringList{"gnome-control-center", "kcmshell5"}
                                           << "/usr/bin/kcmshell5" << QStringList{"mouse"};
        QTest::newRow("XFCE") << "XFCE" << QStringList{"xfce4-mouse-settings", "gnome-control-center"}
                              << "/usr/bin/xfce4-mouse-settings" << QStringList{};
        QTest::newRow("unknown desktop, GNOME tool installed")
            << "Sway" << QStringList{"gnome-control-center"} << "/usr/bin/gnome-control-center"
            << QStringList{"mouse"};
        QTest::newRow("KDE desktop without its tools")
            << "KDE" << QStringList{"gnome-control-center"} << "/usr/bin/gnome-control-center"
            << QStringList{"mouse"};
    }

    void desktopPicksItsOwnTool()
    {
        QFETCH(QString, desktop);
        QFETCH(QStringList, installed);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        FakeProgramLauncher launcher;
        MouseSettingsLauncher settings(&launcher, finderFor(installed), desktop);
        QVERIFY(settings.isAvailable());
        QVERIFY(settings.open());
        QCOMPARE(launcher.calls().size(), 1);
        QCOMPARE(launcher.calls().at(0).program, program);
        QCOMPARE(launcher.calls().at(0).arguments, arguments);
    }

    void nothingInstalled()
    {
        FakeProgramLauncher launcher;
        MouseSettingsLauncher settings(&launcher, finderFor({}), QStringLiteral("GNOME"));
        QVERIFY(!settings.isAvailable());
        QVERIFY(!settings.open());
        QVERIFY(settings.errorString().contains(QStringLiteral("No mouse settings")));
        QVERIFY(launcher.calls().isEmpty());
    }

    void startFailureIsReported()
    {
        FakeProgramLauncher launcher;
        launcher.setResult(false);
        MouseSettingsLauncher settings(&launcher, finderFor({QStringLiteral("kcmshell5")}),
                                       QStringLiteral("KDE"));
        QVERIFY(!settings.open());
        QVERIFY(settings.errorString().contains(QStringLiteral("kcmshell5")));
        QCOMPARE(launcher.calls().size(), 1);
    }

    // The real launcher passes arguments as they are: no shell sees them.
    void detachedLauncherUsesNoShell()
    {
        const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
        if (sh.isEmpty())
            QSKIP("no sh to write the marker");
        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("out"));
        const QString injected = dir.filePath(QStringLiteral("injected"));
        // $1 is written to the marker; were a shell to see the argument, the
        // second command would create INJECTED.
        const QString argument = QStringLiteral("x; touch ") + injected;
        DetachedProgramLauncher launcher;
        QVERIFY(launcher.startDetached(sh,
                                       {QStringLiteral("-c"), QStringLiteral("printf %s \"$1\" > \"$2\""),
                                        QStringLiteral("sh"), argument, marker},
                                       dir.path()));
        QTRY_VERIFY(QFile::exists(marker) && QFileInfo(marker).size() > 0);
        QFile f(marker);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), argument);
        QVERIFY(!QFile::exists(injected));

        QVERIFY(!launcher.startDetached(dir.filePath(QStringLiteral("no-such-program")), {}));
        QVERIFY(!launcher.startDetached(sh, {}, dir.filePath(QStringLiteral("no-such-folder"))));
    }

    // A program we start (say the on-screen display) may outlive us: it must
    // not hold our output, or a pipe reading it (mousecfg | cat) never ends.
    void detachedProgramHoldsNoneOfOurStreams()
    {
        const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
        if (sleep.isEmpty())
            QSKIP("no sleep to start");
        // Our standard output is a pipe, and another one is open without
        // close-on-exec, as a library may leave one.
        int out[2], stray[2];
        QVERIFY(::pipe(out) == 0 && ::pipe(stray) == 0);
        const int savedStdout = ::dup(1);
        ::dup2(out[1], 1);
        qint64 pid = 0;
        const bool started = DetachedProgramLauncher::start(sleep, {QStringLiteral("5")}, QString(), &pid);
        ::dup2(savedStdout, 1);
        ::close(savedStdout);
        ::close(out[1]);
        QVERIFY(started);
        QVERIFY(pid > 0);
        auto cleanup = qScopeGuard([&] {
            ::kill(pid_t(pid), SIGKILL);
            ::close(out[0]);
            ::close(stray[0]);
            ::close(stray[1]);
        });
        // It has executed when start() returns: what it holds is what it keeps.
        const QString proc = QStringLiteral("/proc/%1").arg(pid);
        QCOMPARE(QFileInfo(proc + QStringLiteral("/exe")).symLinkTarget(),
                 QFileInfo(sleep).canonicalFilePath());
        // Right after the exec its loader may still hold a library open for a
        // moment: what it keeps is what stays once that is done.
        const QStringList streams{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
        QStringList held;
        QElapsedTimer waited;
        waited.start();
        do {
            held =
                QDir(proc + QStringLiteral("/fd")).entryList(QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        } while (held != streams && waited.elapsed() < 2000 && (QThread::msleep(5), true));
        QCOMPARE(held, streams);
        for (int fd = 0; fd <= 2; ++fd)
            QCOMPARE(QFileInfo(proc + QStringLiteral("/fd/%1").arg(fd)).symLinkTarget(),
                     QStringLiteral("/dev/null"));
        // Our pipe has no writer left while the program runs.
        pollfd p{out[0], POLLIN, 0};
        QCOMPARE(::poll(&p, 1, 2000), 1);
        char c;
        QCOMPARE(::read(out[0], &c, 1), ssize_t(0));
        QCOMPARE(::kill(pid_t(pid), 0), 0);
        // Not our child: nothing of ours reaps it or ends with it.
        QFile stat(proc + QStringLiteral("/stat"));
        QVERIFY(stat.open(QIODevice::ReadOnly));
        const QByteArray fields = stat.readAll();
        const QList<QByteArray> afterName = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
        QVERIFY(afterName.size() > 3);
        QVERIFY(afterName.at(1).toLongLong() != QCoreApplication::applicationPid()); // parent
        QVERIFY(afterName.at(3).toLongLong() != ::getsid(0));                        // session
    }
};

QTEST_GUILESS_MAIN(TestLaunchers)
#include "tst_launchers.moc"
