// Starting other programs: the detached launcher and the desktop's mouse settings.

#include "FakeProgramLauncher.h"
#include "MouseSettingsLauncher.h"
#include "ProgramLauncher.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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
    }
};

QTEST_GUILESS_MAIN(TestLaunchers)
#include "tst_launchers.moc"
