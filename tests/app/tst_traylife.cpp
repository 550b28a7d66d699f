// The tray's life: which battery readings make a desktop notice (once per
// discharge, again after charging), the notices as a notification service on
// a private session bus receives them, the icon's tool tip, and the login
// entry that "Start at login" writes and removes.

#include "AppConfig.h"
#include "AutostartEntry.h"
#include "BatteryNotices.h"
#include "DesktopNotifier.h"
#include "Paths.h"
#include "TrayLife.h"

#include "../FakeNotifications.h"

#include <QApplication>
#include <QDBusConnection>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestTrayLife : public QObject
{
    Q_OBJECT

private:
    FakeNotifications m_fake{70};
    QTemporaryDir m_config;

    static QString readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_fake.start());
        Paths::setConfigDir(m_config.path());
        qputenv("XDG_CONFIG_HOME", m_config.filePath(QStringLiteral("xdg")).toLocal8Bit());
    }

    // Readings in order: "c" before a level marks it charging; L, C or F after
    // it the notice it must give (low, critical, full), none otherwise.
    void noticesOncePerDischarge_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("critical");
        QTest::addColumn<QString>("readings");
        QTest::newRow("down, off, charged, down again")
            << 15 << 5 << "80 16 15L 14 16 10 5C 3 0 4 c4 14L c50 c100F 100 c100 99";
        QTest::newRow("first reading below both") << 15 << 5 << "3C 2 14 15 c30 14L 5C";
        QTest::newRow("full at the first reading is no news") << 15 << 5 << "c100 100 c100 80";
        QTest::newRow("the mouse stops saying it charges when full") << 15 << 5 << "c90 100F c100";
        QTest::newRow("unplugged before it was full") << 15 << 5 << "c60 60 100 c100";
        QTest::newRow("off is never a level") << 15 << 5 << "0 0 c0 0 20 15L";
        QTest::newRow("low at 40, critical off") << 40 << 0 << "41 40L 1 c2 1L";
        QTest::newRow("both off") << 0 << 0 << "50 15 1 c1 1";
        QTest::newRow("critical above low") << 5 << 15 << "20 15C 5 1";
    }

    void noticesOncePerDischarge()
    {
        QFETCH(int, low);
        QFETCH(int, critical);
        QFETCH(QString, readings);
        BatteryNotices rules(low, critical);
        using N = BatteryNotices::Notice;
        for (const QString &r : readings.split(QLatin1Char(' '))) {
            const bool charging = r.startsWith(QLatin1Char('c'));
            QString digits = r.mid(charging ? 1 : 0);
            N want = N::None;
            if (digits.endsWith(QLatin1Char('L')))
                want = N::Low;
            else if (digits.endsWith(QLatin1Char('C')))
                want = N::Critical;
            else if (digits.endsWith(QLatin1Char('F')))
                want = N::Charged;
            if (want != N::None)
                digits.chop(1);
            QVERIFY2(rules.reading(digits.toInt(), charging) == want, qPrintable(r));
        }
    }

    void noticesReachTheServiceAndTheToolTipFollows()
    {
        {
            QSettings s(AppConfig::globalConfigFile(), QSettings::IniFormat);
            s.setValue(QStringLiteral("Battery/LowWarning"), 30);
            s.setValue(QStringLiteral("Battery/CriticalWarning"), QStringLiteral("x")); // the default, 5
        }
        FreedesktopNotifier notifier;
        TrayLife life(&notifier);
        QSystemTrayIcon tray;
        life.setTrayIcon(&tray, QStringLiteral("ORVALE8"));
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8\nNot connected"));
        life.setConnectionMode(2);
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8"));

        auto waitForCalls = [&](int n) {
            QTRY_COMPARE_WITH_TIMEOUT(m_fake.calls.size(), n, 5000);
            QTRY_VERIFY_WITH_TIMEOUT(notifier.lastId() == m_fake.nextId, 5000);
        };
        life.batteryReading(0, 57, 0);
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8\nBattery 57 %"));
        life.batteryReading(0, 30, 0);
        waitForCalls(1);
        life.batteryReading(0, 31, 0);
        life.batteryReading(0, 0, 0);
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8\nMouse off"));
        life.batteryReading(0, 4, 0);
        waitForCalls(2);
        // Byte 5 of the report says it charges; so does the cable (mode 0).
        life.batteryReading(0, 50, 1);
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8\nBattery 50 %, charging"));
        life.batteryReading(0, 29, 0);
        waitForCalls(3);
        life.setConnectionMode(0);
        life.batteryReading(0, 99, 0);
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8\nBattery 99 %, charging"));
        life.batteryReading(0, 100, 0);
        waitForCalls(4);
        life.setConnectionMode(3);
        QCOMPARE(tray.toolTip(), QStringLiteral("ORVALE8\nNot connected"));
        QTest::qWait(100);
        QCOMPARE(m_fake.calls.size(), 4);

        const QList<FakeNotifications::Call> &c = m_fake.calls;
        QCOMPARE(c[0].summary, QStringLiteral("Mouse battery low"));
        QVERIFY2(c[0].body.contains(QStringLiteral("30 %")), qPrintable(c[0].body));
        QCOMPARE(c[0].urgency, 1);
        QCOMPARE(c[0].icon, QStringLiteral("battery-low"));
        QCOMPARE(c[1].summary, QStringLiteral("Mouse battery almost empty"));
        QVERIFY2(c[1].body.contains(QStringLiteral("4 %")), qPrintable(c[1].body));
        QCOMPARE(c[1].urgency, 2);
        QCOMPARE(c[2].summary, QStringLiteral("Mouse battery low")); // a new discharge
        QCOMPARE(c[3].summary, QStringLiteral("Mouse fully charged"));
        QCOMPARE(c[3].app, QStringLiteral("mousecfg"));
        // Each notice takes the place of the one before.
        QCOMPARE(c[0].replacesId, 0u);
        for (int i = 1; i < c.size(); ++i)
            QCOMPARE(c[i].replacesId, 71u);
    }

    void startAtLoginWritesAndRemovesTheEntry()
    {
        const QString file = m_config.filePath(QStringLiteral("xdg/autostart/org.mousecfg.mousecfg.desktop"));
        TrayLife life(nullptr);
        QMenu menu;
        QAction *quit = menu.addAction(QStringLiteral("&Quit"));
        life.addToMenu(&menu, quit);
        QAction *start = life.startAtLoginAction();
        QCOMPARE(menu.actions().indexOf(start), 0);
        QVERIFY(start->isCheckable());
        QVERIFY(!start->isChecked());
        QVERIFY(!QFile::exists(file));

        start->trigger();
        QVERIFY(start->isChecked());
        const QString text = readFile(file);
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
        // This test program is not on PATH: the entry names it by its path.
        const QString exec =
            AutostartEntry::execValue({QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath(),
                                       QStringLiteral("--minimized")});
        for (const QString &line : {QStringLiteral("Type=Application"), QStringLiteral("Name=mousecfg"),
                                    QStringLiteral("Icon=mousecfg"), QStringLiteral("Exec=") + exec,
                                    QStringLiteral("X-GNOME-Autostart-enabled=true")})
            QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" in\n") + text));
        QVERIFY(text.contains(QStringLiteral("\nComment=")));
        QVERIFY(exec.endsWith(QStringLiteral(" --minimized")));

        // Switched off by the desktop's own settings: the menu says so when it opens.
        QFile f(file);
        QVERIFY(f.open(QIODevice::Append));
        f.write("Hidden=true\n");
        f.close();
        QMetaObject::invokeMethod(&menu, "aboutToShow");
        QVERIFY(!start->isChecked());
        start->trigger(); // on again: our entry replaces it
        QVERIFY(start->isChecked());
        QVERIFY(!readFile(file).contains(QStringLiteral("Hidden")));
        start->trigger();
        QVERIFY(!start->isChecked());
        QVERIFY(!QFile::exists(file));

        // A folder that cannot be made: the tick stays off.
        const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
        const QString blocker = m_config.filePath(QStringLiteral("not-a-folder"));
        QFile b(blocker);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.close();
        qputenv("XDG_CONFIG_HOME", blocker.toLocal8Bit());
        start->trigger();
        QVERIFY(!start->isChecked());
        qputenv("XDG_CONFIG_HOME", xdg);
    }

    void execValueQuotesWhatTheDesktopWouldSplit()
    {
        QCOMPARE(AutostartEntry::execValue({QStringLiteral("mousecfg"), QStringLiteral("--minimized")}),
                 QStringLiteral("mousecfg --minimized"));
        QCOMPARE(AutostartEntry::execValue({QStringLiteral("/opt/my apps/mousecfg")}),
                 QStringLiteral("\"/opt/my apps/mousecfg\""));
        // Quoted with \" \$ \\ inside, then every backslash doubled as a value; % is doubled.
        QCOMPARE(AutostartEntry::execValue({QStringLiteral("/a\"b$c\\d"), QStringLiteral("100%")}),
                 QStringLiteral("\"/a\\\\\"b\\\\$c\\\\\\\\d\" 100%%"));
    }
};

int main(int argc, char **argv)
{
    // Never the desktop's own bus: run again on a private one.
    if (const int rc = FakeNotifications::rerunOnPrivateBus(argc, argv); rc >= 0)
        return rc;
    QApplication app(argc, argv);
    TestTrayLife test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_traylife.moc"
