// The 1..20 scale against libinput's -1..1, the desktop backends against
// recorded seams, and the worker that keeps them off the caller's thread.

#include "AsyncPointerSpeed.h"
#include "CommandRunner.h"
#include "FakeCommandRunner.h"
#include "FakePointerSpeed.h"
#include "GnomePointerSpeed.h"
#include "KWinInputBus.h"
#include "KdePointerSpeed.h"
#include "NullPointerSpeed.h"
#include "PointerSpeed.h"

#include <QSemaphore>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <thread>

Q_DECLARE_METATYPE(PointerSpeedKind)

namespace {

class FakeKWinBus : public KWinInputBus
{
public:
    struct Device
    {
        QString name;
        double accel = 0;
        bool writable = true;
        bool readable = true;
    };
    QList<Device> devices;
    QStringList writes; // "event5=0.4"

    QStringList pointerDevices() override
    {
        QStringList names;
        for (const Device &d : devices)
            names << d.name;
        return names;
    }
    bool readAcceleration(const QString &device, double *accel) override
    {
        for (const Device &d : devices) {
            if (d.name == device && d.readable) {
                *accel = d.accel;
                return true;
            }
        }
        return false;
    }
    bool writeAcceleration(const QString &device, double accel) override
    {
        writes << QStringLiteral("%1=%2").arg(device).arg(accel);
        for (Device &d : devices) {
            if (d.name == device && d.writable) {
                d.accel = accel;
                return true;
            }
        }
        return false;
    }
};

// A backend whose writes wait for the test's word, recording what reached it.
struct Gate
{
    QSemaphore entered; // a write began
    QSemaphore release; // let it end
    QList<int> applied;
    bool refuse = false;
};

class GatedPointerSpeed : public PointerSpeed
{
public:
    explicit GatedPointerSpeed(Gate *gate) : m_gate(gate) {}
    QString backendName() const override { return QStringLiteral("gated"); }
    bool isAvailable() const override { return true; }
    bool readSpeed(int *speed) override
    {
        *speed = m_value;
        return true;
    }
    bool applySpeed(int speed) override
    {
        m_gate->entered.release();
        m_gate->release.acquire();
        m_gate->applied.append(speed);
        if (m_gate->refuse) {
            setErrorString(QStringLiteral("refused by the desktop"));
            return false;
        }
        m_value = speed;
        return true;
    }

private:
    Gate *m_gate;
    int m_value = 12;
};

// A gsettings stand-in as slow as a busy desktop's: it logs each call
// ("set ... 0.5"), waits PROGRAM.sleep seconds (2 by default) and keeps the
// value in PROGRAM.value; PROGRAM.fail makes it refuse.
QString slowGsettings(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("gsettings"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write("#!/bin/sh\n"
            "echo \"$*\" >> \"$0.log\"\n"
            "sleep \"$(cat \"$0.sleep\" 2>/dev/null || echo 2)\"\n"
            "[ -e \"$0.fail\" ] && { echo 'No schema here' >&2; exit 1; }\n"
            "case \"$1\" in\n"
            "get) cat \"$0.value\" 2>/dev/null || echo 0.0 ;;\n"
            "set) echo \"$4\" > \"$0.value.tmp\" && mv \"$0.value.tmp\" \"$0.value\" ;;\n"
            "esac\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QByteArray fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
}

const QStringList kGet = {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.peripherals.mouse"),
                          QStringLiteral("speed")};

} // namespace

class TestPointerSpeed : public QObject
{
    Q_OBJECT

private slots:
    void scaleEndsAndMiddle()
    {
        using namespace PointerSpeedScale;
        QCOMPARE(toLibinput(1), -1.0);
        QCOMPARE(toLibinput(10), 0.0);
        QCOMPARE(toLibinput(20), 1.0);
        QCOMPARE(toLibinput(9), -1.0 / 9);
        QCOMPARE(toLibinput(11), 0.1);
        // Out of range is clamped, not extrapolated.
        QCOMPARE(toLibinput(0), -1.0);
        QCOMPARE(toLibinput(-5), -1.0);
        QCOMPARE(toLibinput(255), 1.0);
    }

    void everyStepRoundTrips()
    {
        using namespace PointerSpeedScale;
        double previous = -2;
        for (int n = kMinimum; n <= kMaximum; ++n) {
            const double s = toLibinput(n);
            QVERIFY2(s > previous, qPrintable(QString::number(n)));
            previous = s;
            QCOMPARE(fromLibinput(s), n);
            // What a desktop stores may come back as a float.
            QCOMPARE(fromLibinput(double(float(s))), n);
        }
    }

    void foreignValuesRoundToNearestStep()
    {
        using namespace PointerSpeedScale;
        QCOMPARE(fromLibinput(0.04), 10);
        QCOMPARE(fromLibinput(0.06), 11);
        QCOMPARE(fromLibinput(-0.5), 6); // 10 - 4.5, half away from zero
        QCOMPARE(fromLibinput(-0.05), 10);
        QCOMPARE(fromLibinput(-1.5), 1);
        QCOMPARE(fromLibinput(7.0), 20);
        QCOMPARE(fromLibinput(std::numeric_limits<double>::quiet_NaN()), 10);
        QCOMPARE(fromLibinput(std::numeric_limits<double>::infinity()), 20);
    }

    void gnomeReadsThroughGsettings()
    {
        FakeCommandRunner runner;
        GnomePointerSpeed gnome(&runner, QStringLiteral("/usr/bin/gsettings"));
        QVERIFY(gnome.isAvailable());
        QCOMPARE(gnome.backendName(), QStringLiteral("gnome"));

        runner.enqueueOutput("0.40000000000000002\n");
        int speed = 0;
        QVERIFY(gnome.readSpeed(&speed));
        QCOMPARE(speed, 14);
        QCOMPARE(runner.calls().size(), 1);
        QCOMPARE(runner.calls().at(0).program, QStringLiteral("/usr/bin/gsettings"));
        QCOMPARE(runner.calls().at(0).arguments, kGet);

        runner.enqueueOutput("-1.0\n");
        QVERIFY(gnome.readSpeed(&speed));
        QCOMPARE(speed, 1);
        runner.enqueueOutput("double 0.5\n");
        QVERIFY(gnome.readSpeed(&speed));
        QCOMPARE(speed, 15);
    }

    void gnomeReadFailuresLeaveTheValue()
    {
        FakeCommandRunner runner;
        GnomePointerSpeed gnome(&runner);
        int speed = 7;
        runner.enqueueNotStarted();
        QVERIFY(!gnome.readSpeed(&speed));
        QVERIFY(gnome.errorString().contains(QStringLiteral("cannot be run")));
        runner.enqueueOutput("", 1);
        QVERIFY(!gnome.readSpeed(&speed));
        runner.enqueueOutput("No such schema\n");
        QVERIFY(!gnome.readSpeed(&speed));
        QVERIFY(gnome.errorString().contains(QStringLiteral("unreadable")));
        QCOMPARE(speed, 7);
    }

    void gnomeWritesThroughGsettings()
    {
        FakeCommandRunner runner;
        GnomePointerSpeed gnome(&runner);
        QVERIFY(gnome.applySpeed(3));
        QVERIFY(gnome.applySpeed(20));
        QVERIFY(gnome.applySpeed(10));
        QCOMPARE(runner.calls().size(), 3);
        QStringList expected = {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.peripherals.mouse"),
                                QStringLiteral("speed")};
        QCOMPARE(runner.calls().at(0).arguments, expected + QStringList{QStringLiteral("-0.777778")});
        QCOMPARE(runner.calls().at(1).arguments, expected + QStringList{QStringLiteral("1")});
        QCOMPARE(runner.calls().at(2).arguments, expected + QStringList{QStringLiteral("0")});
        // What was written reads back as the same step.
        QCOMPARE(PointerSpeedScale::fromLibinput(runner.calls().at(0).arguments.last().toDouble()), 3);

        CommandResult refused;
        refused.started = true;
        refused.exitCode = 1;
        refused.standardError = "Schema is not installed\n";
        runner.enqueue(refused);
        QVERIFY(!gnome.applySpeed(5));
        QVERIFY(gnome.errorString().contains(QStringLiteral("Schema is not installed")));
    }

    void kdeReadsFirstPointerAndWritesAll()
    {
        FakeKWinBus bus;
        bus.devices = {{QStringLiteral("event4"), 0.3, true, true},
                       {QStringLiteral("event7"), -1.0, true, true}};
        KdePointerSpeed kde(&bus);
        int speed = 0;
        QVERIFY(kde.readSpeed(&speed));
        QCOMPARE(speed, 13);

        QVERIFY(kde.applySpeed(1));
        QCOMPARE(bus.writes, (QStringList{QStringLiteral("event4=-1"), QStringLiteral("event7=-1")}));
        QVERIFY(kde.readSpeed(&speed));
        QCOMPARE(speed, 1);
    }

    void kdeFailures()
    {
        FakeKWinBus bus;
        KdePointerSpeed kde(&bus);
        int speed = 12;
        QVERIFY(!kde.readSpeed(&speed));
        QVERIFY(!kde.applySpeed(4));
        QVERIFY(kde.errorString().contains(QStringLiteral("no pointer device")));
        QCOMPARE(speed, 12);

        bus.devices = {{QStringLiteral("event4"), 0, false, false},
                       {QStringLiteral("event5"), 0.5, true, true}};
        QVERIFY(kde.readSpeed(&speed)); // the first readable one
        QCOMPARE(speed, 15);
        QVERIFY(!kde.applySpeed(4)); // one device refused: reported
        QVERIFY(kde.errorString().contains(QStringLiteral("1 of 2")));
        QCOMPARE(bus.devices.at(1).accel, PointerSpeedScale::toLibinput(4)); // the other took it
    }

    void noneKeepsTheValue()
    {
        NullPointerSpeed none;
        QVERIFY(!none.isAvailable());
        int speed = 9;
        QVERIFY(!none.readSpeed(&speed));
        QCOMPARE(speed, 9);
        QVERIFY(!none.applySpeed(17));
        QVERIFY(!none.errorString().isEmpty());
        QVERIFY(none.readSpeed(&speed));
        QCOMPARE(speed, 17);
        none.applySpeed(99);
        QVERIFY(none.readSpeed(&speed));
        QCOMPARE(speed, 20);
    }

    void fakeRecords()
    {
        FakePointerSpeed fake(14);
        int speed = 0;
        QVERIFY(fake.readSpeed(&speed));
        QCOMPARE(speed, 14);
        QVERIFY(fake.applySpeed(3));
        QCOMPARE(fake.applied(), QList<int>{3});
        QCOMPARE(fake.value(), 3);
        fake.setFailing(true);
        speed = 5;
        QVERIFY(!fake.readSpeed(&speed));
        QCOMPARE(speed, 5);
        QCOMPARE(fake.readCount(), 2);
    }

    // The desktop may take seconds to set the speed; the window asks at every
    // profile switch and must not wait.
    void slowDesktopDoesNotHoldTheCaller()
    {
        QTemporaryDir dir;
        const QString gsettings = slowGsettings(dir);
        QVERIFY(!gsettings.isEmpty());
        PointerSpeedEnvironment env;
        env.currentDesktop = QStringLiteral("GNOME");
        env.gsettingsPath = gsettings;
        auto backend = createPointerSpeed(env);
        QCOMPARE(backend->backendName(), QStringLiteral("gnome"));

        QElapsedTimer took;
        took.start();
        int speed = 4;
        // The first read is still running: no value yet, and no long wait.
        QVERIFY(!backend->readSpeed(&speed));
        QCOMPARE(speed, 4);
        QVERIFY(backend->applySpeed(3));
        QVERIFY2(took.elapsed() < 500, qPrintable(QString::number(took.elapsed())));
        QVERIFY(backend->readSpeed(&speed)); // what was asked for, at once
        QCOMPARE(speed, 3);
        // It lands after the read in flight and its own run.
        QTRY_COMPARE_WITH_TIMEOUT(fileText(gsettings + QStringLiteral(".value")), QByteArray("-0.777778"),
                                  10000);

        // A refusal is kept for the caller, who was told "requested".
        QFile::copy(gsettings, gsettings + QStringLiteral(".fail"));
        QVERIFY(backend->applySpeed(15));
        QTRY_VERIFY_WITH_TIMEOUT(backend->errorString().contains(QStringLiteral("No schema here")), 10000);
        QCOMPARE(fileText(gsettings + QStringLiteral(".value")), QByteArray("-0.777778"));
    }

    // While one value is being set, later requests collapse into the latest.
    void requestsCoalesceToTheLatest()
    {
        Gate gate;
        AsyncPointerSpeed async(std::make_unique<GatedPointerSpeed>(&gate));
        QVERIFY(async.isAvailable());
        QCOMPARE(async.backendName(), QStringLiteral("gated"));
        QVERIFY(async.waitForIdle(5000));
        int speed = 0;
        QVERIFY(async.readSpeed(&speed));
        QCOMPARE(speed, 12); // the desktop's, read by the worker

        QVERIFY(async.applySpeed(1));
        QVERIFY(gate.entered.tryAcquire(1, 5000)); // 1 is being set
        for (int n = 2; n <= 19; ++n)
            QVERIFY(async.applySpeed(n));
        QVERIFY(async.applySpeed(40)); // clamped
        QVERIFY(async.readSpeed(&speed));
        QCOMPARE(speed, 20);
        gate.release.release();
        QVERIFY(gate.entered.tryAcquire(1, 5000));
        gate.release.release();
        QVERIFY(async.waitForIdle(5000));
        QCOMPARE(gate.applied, (QList<int>{1, 20}));
        QVERIFY(async.readSpeed(&speed));
        QCOMPARE(speed, 20);

        gate.refuse = true;
        gate.release.release();
        QVERIFY(async.applySpeed(7)); // requested; the refusal comes later
        QVERIFY(async.waitForIdle(5000));
        QCOMPARE(async.errorString(), QStringLiteral("refused by the desktop"));
    }

    // Closing the window while a value is being set: the call in flight ends
    // (the backend bounds it), what is queued is dropped, the worker is joined.
    void destructionWaitsForTheCallInFlight()
    {
        Gate gate;
        auto async = std::make_unique<AsyncPointerSpeed>(std::make_unique<GatedPointerSpeed>(&gate));
        QVERIFY(async->applySpeed(5));
        QVERIFY(gate.entered.tryAcquire(1, 5000));
        QVERIFY(async->applySpeed(6));
        std::thread desktop([&] {
            QThread::msleep(300);
            gate.release.release(); // the desktop answers
        });
        QElapsedTimer took;
        took.start();
        async.reset();
        QVERIFY(took.elapsed() >= 250);
        desktop.join();
        QCOMPARE(gate.applied, QList<int>{5});

        // A real gsettings that hangs is killed at the runner's timeout.
        QTemporaryDir dir;
        const QString gsettings = slowGsettings(dir);
        QFile sleep(gsettings + QStringLiteral(".sleep"));
        QVERIFY(sleep.open(QIODevice::WriteOnly));
        sleep.write("30");
        sleep.close();
        ProcessCommandRunner runner(1000);
        async = std::make_unique<AsyncPointerSpeed>(std::make_unique<GnomePointerSpeed>(&runner, gsettings));
        QVERIFY(async->applySpeed(9));
        QTRY_VERIFY_WITH_TIMEOUT(fileText(gsettings + QStringLiteral(".log")).contains("set"), 5000);
        took.restart();
        async.reset();
        QVERIFY2(took.elapsed() < 2500, qPrintable(QString::number(took.elapsed())));
    }

    void detection_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("gsettings");
        QTest::addColumn<bool>("kwin");
        QTest::addColumn<QString>("display");
        QTest::addColumn<PointerSpeedKind>("kind");
        const QString gs = QStringLiteral("/usr/bin/gsettings");
        const QString d = QStringLiteral(":0");
        QTest::newRow("GNOME wayland") << "GNOME"
                                       << "wayland" << gs << false << d << PointerSpeedKind::Gnome;
        QTest::newRow("Ubuntu GNOME") << "ubuntu:GNOME"
                                      << "x11" << gs << false << d << PointerSpeedKind::Gnome;
        QTest::newRow("GNOME without gsettings, X11")
            << "GNOME"
            << "x11" << QString() << false << d << PointerSpeedKind::X11;
        QTest::newRow("GNOME without gsettings, Wayland")
            << "GNOME"
            << "wayland" << QString() << false << d << PointerSpeedKind::None;
        QTest::newRow("KDE wayland") << "KDE"
                                     << "wayland" << gs << true << d << PointerSpeedKind::Kde;
        QTest::newRow("KDE X11") << "KDE"
                                 << "x11" << gs << true << d << PointerSpeedKind::X11;
        QTest::newRow("KDE wayland, KWin silent") << "KDE"
                                                  << "wayland" << gs << false << d << PointerSpeedKind::None;
        QTest::newRow("XFCE") << "XFCE"
                              << "x11" << gs << false << d << PointerSpeedKind::X11;
        QTest::newRow("bare X server") << ""
                                       << "" << QString() << false << d << PointerSpeedKind::X11;
        QTest::newRow("console") << ""
                                 << "" << gs << false << QString() << PointerSpeedKind::None;
    }

    void detection()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, session);
        QFETCH(QString, gsettings);
        QFETCH(bool, kwin);
        QFETCH(QString, display);
        QFETCH(PointerSpeedKind, kind);
        PointerSpeedEnvironment env;
        env.currentDesktop = desktop;
        env.sessionType = session;
        env.gsettingsPath = gsettings;
        env.kwinInputBus = kwin;
        env.x11Display = display;
        QCOMPARE(choosePointerSpeedKind(env), kind);
    }

    void factoryFallsBackToNone()
    {
        PointerSpeedEnvironment env; // nothing at all
        auto backend = createPointerSpeed(env);
        QCOMPARE(backend->backendName(), QStringLiteral("none"));
        // An X display that cannot be opened leaves no X11 backend either.
        env.x11Display = QStringLiteral(":9876");
        backend = createPointerSpeed(env);
        QCOMPARE(backend->backendName(), QStringLiteral("none"));
        env.currentDesktop = QStringLiteral("GNOME");
        env.gsettingsPath = QStringLiteral("/nonexistent/gsettings");
        backend = createPointerSpeed(env);
        QCOMPARE(backend->backendName(), QStringLiteral("gnome"));
        int speed = 4;
        QVERIFY(!backend->readSpeed(&speed)); // the program is not there: a failure, not a crash
        QCOMPARE(speed, 4);
    }
};

QTEST_GUILESS_MAIN(TestPointerSpeed)
#include "tst_pointerspeed.moc"
