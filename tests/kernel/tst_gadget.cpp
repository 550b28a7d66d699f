// The device-side program of the kernel tests, on the host: its control
// commands, its node handling, and one round trip through its serving loop
// with a pseudo-terminal standing in for /dev/hidgN.

#include "GadgetServer.h"
#include "HidgPort.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

namespace {

// A pseudo-terminal pair in raw mode: the port opens the slave by its path,
// the test talks through the master.
struct RawPty
{
    int master = -1;
    int slave = -1;
    QString slavePath;

    bool open()
    {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return false;
        termios t;
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        slavePath = QString::fromLocal8Bit(name);
        return true;
    }
    ~RawPty()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }

    // Up to size bytes, waiting at most timeoutMs for the first ones.
    QByteArray readSome(int size, int timeoutMs)
    {
        QByteArray out;
        while (out.size() < size) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, out.isEmpty() ? timeoutMs : 200) <= 0)
                break;
            char buf[256];
            const ssize_t n = ::read(master, buf, size_t(std::min<int>(size - out.size(), sizeof buf)));
            if (n <= 0)
                break;
            out.append(buf, int(n));
        }
        return out;
    }
};

QByteArray batteryQuery()
{
    QByteArray r(32, '\0');
    r[0] = char(kBlockBattery);
    r[1] = char(kStatusMark[0]);
    r[2] = char(kStatusMark[1]);
    r[3] = char(kStatusMark[2]);
    unsigned sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += uint8_t(r[i]);
    r[31] = char(0xFF - (sum & 0xFF));
    return r;
}

QJsonObject readJson(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

} // namespace

class TestGadget : public QObject
{
    Q_OBJECT

private slots:
    void controlCommandsTakeEffect();
    void badControlCommandsAreRefusedWithAMessage();
    void startRefusesWhatItCannotUse();
    void portOpensOnlyCharacterDevices();
    void portPadsAndCutsReports();
    void servesAQueryAndQuits();
};

void TestGadget::controlCommandsTakeEffect()
{
    QTemporaryDir dir;
    GadgetOptions options;
    options.statePath = dir.filePath(QStringLiteral("simulated-mouse.ini"));
    GadgetServer server(options);
    QString error;
    QVERIFY2(server.handleControl(QStringLiteral("battery 33"), &error), qPrintable(error));
    QVERIFY2(server.handleControl(QStringLiteral("  charging 1 "), &error), qPrintable(error));
    QVERIFY2(server.handleControl(QStringLiteral("press-rate"), &error),
             qPrintable(error)); // no port: no report, no crash
    const QString dump = dir.filePath(QStringLiteral("mouse.json"));
    QVERIFY2(server.handleControl(QStringLiteral("dump ") + dump, &error), qPrintable(error));
    const QJsonObject json = readJson(dump);
    QCOMPARE(json.value(QStringLiteral("battery")).toInt(), 33);
    QCOMPARE(json.value(QStringLiteral("charging")).toBool(), true);
    QVERIFY(json.value(QStringLiteral("reportRate")).toInt() != 1); // the rate button moved it on

    QVERIFY2(server.handleControl(QStringLiteral("save"), &error), qPrintable(error));
    MouseFirmware reloaded;
    QVERIFY2(reloaded.loadFromIni(options.statePath, &error), qPrintable(error));
    QCOMPARE(reloaded.batteryLevel(), 33);
    QVERIFY(reloaded.charging());
}

void TestGadget::badControlCommandsAreRefusedWithAMessage()
{
    QTemporaryDir dir;
    GadgetOptions options;
    options.statePath = dir.filePath(QStringLiteral("simulated-mouse.ini"));
    options.ports.push_back({QStringLiteral("receiver"), dir.filePath(QStringLiteral("hidg1")), QString()});
    GadgetServer server(options);

    const struct
    {
        const char *line;
        const char *expected; // part of the message
    } cases[] = {
        {"battery", "unknown control command"},
        {"battery 101", "0 to 100"},
        {"battery -1", "0 to 100"},
        {"battery lots", "\"lots\""},
        {"charging 2", "0 to 1"},
        {"unplug-after cable 3", "no port \"cable\""},
        {"unplug-after receiver 3", "has no UDC file"},
        {"dump", "unknown control command"},
        {"dump /nonexistent-dir/mouse.json", "cannot write"},
        {"frobnicate", "unknown control command \"frobnicate\""},
        {"quit now", "unknown control command"},
        {"move on", "no --motion function"},
        {"move sideways", "unknown control command"},
        {"motion-count /nonexistent-dir/count", "cannot write"},
    };
    for (const auto &c : cases) {
        QString error;
        QVERIFY2(!server.handleControl(QString::fromLatin1(c.line), &error), c.line);
        QVERIFY2(error.contains(QString::fromLatin1(c.expected)),
                 qPrintable(QStringLiteral("%1 -> %2").arg(QLatin1String(c.line), error)));
    }
}

void TestGadget::startRefusesWhatItCannotUse()
{
    QTemporaryDir dir;
    {
        // A memory file the firmware model refuses stops the start and is left as it was.
        const QString state = dir.filePath(QStringLiteral("broken.ini"));
        const QByteArray broken("[Mouse]\nBattery=250\n");
        QFile f(state);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(broken);
        f.close();
        GadgetOptions options;
        options.statePath = state;
        GadgetServer server(options);
        QString error;
        QVERIFY(!server.start(&error));
        QVERIFY2(error.contains(QStringLiteral("broken.ini")), qPrintable(error));
        QFile again(state);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), broken);
    }
    {
        // A control path that is a regular file is not taken for the FIFO.
        const QString control = dir.filePath(QStringLiteral("control"));
        QFile f(control);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        GadgetOptions options;
        options.statePath = dir.filePath(QStringLiteral("simulated-mouse.ini"));
        options.controlPath = control;
        GadgetServer server(options);
        QString error;
        QVERIFY(!server.start(&error));
        QVERIFY2(error.contains(QStringLiteral("not a FIFO")), qPrintable(error));
    }
}

void TestGadget::portOpensOnlyCharacterDevices()
{
    QTemporaryDir dir;
    // Writing to a node that has gone leaves a regular file at its path.
    const QString stale = dir.filePath(QStringLiteral("hidg1"));
    QFile f(stale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(32, 'x'));
    f.close();
    HidgPort stalePort(QStringLiteral("receiver"), stale, 32);
    QVERIFY(!stalePort.tryOpen());
    QVERIFY(!stalePort.isOpen());
    QCOMPARE(QFile(stale).size(), qint64(32)); // and it is left alone

    HidgPort missing(QStringLiteral("cable"), dir.filePath(QStringLiteral("hidg3")), 32);
    QVERIFY(!missing.tryOpen());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("hidg3"))));
    missing.queueReport(QByteArray(32, '\1')); // closed: kept, not written anywhere
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("hidg3"))));
}

void TestGadget::portPadsAndCutsReports()
{
    RawPty pty;
    if (!pty.open())
        QSKIP("no pseudo-terminals on this machine");
    HidgPort port(QStringLiteral("receiver"), pty.slavePath, 32);
    QVERIFY(port.tryOpen());

    port.queueReport(QByteArray("\x0a\xaa", 2));
    QByteArray got = pty.readSome(32, 2000);
    QCOMPARE(got.size(), 32);
    QCOMPARE(got.left(2), QByteArray("\x0a\xaa", 2));
    QCOMPARE(got.mid(2), QByteArray(30, '\0'));

    port.queueReport(QByteArray(40, '\x55'));
    got = pty.readSome(40, 2000);
    QCOMPARE(got, QByteArray(32, '\x55'));

    // What the host sends arrives as one report.
    const QByteArray out(32, '\x21');
    QCOMPARE(::write(pty.master, out.constData(), size_t(out.size())), ssize_t(32));
    pollfd p{port.fd(), POLLIN, 0};
    QVERIFY(::poll(&p, 1, 2000) == 1);
    QCOMPARE(port.readReport(), out);
    QCOMPARE(port.reportsRead(), 1);
    QVERIFY(port.readReport().isEmpty()); // nothing more waiting
}

void TestGadget::servesAQueryAndQuits()
{
    QTemporaryDir dir;
    RawPty pty, mousePty;
    if (!pty.open() || !mousePty.open())
        QSKIP("no pseudo-terminals on this machine");
    GadgetOptions options;
    options.statePath = dir.filePath(QStringLiteral("simulated-mouse.ini"));
    options.controlPath = dir.filePath(QStringLiteral("control"));
    options.ports.push_back({QStringLiteral("receiver"), pty.slavePath, QString()});
    options.motion.push_back({QStringLiteral("receiver"), mousePty.slavePath});
    GadgetServer server(options);
    QString error;
    QVERIFY2(server.start(&error), qPrintable(error));

    int exitCode = -1;
    std::thread loop([&] { exitCode = server.run(); });

    const int control = ::open(QFile::encodeName(options.controlPath).constData(), O_WRONLY | O_CLOEXEC);
    QVERIFY(control >= 0);
    const QByteArray battery("battery 61\n");
    QCOMPARE(::write(control, battery.constData(), size_t(battery.size())), ssize_t(battery.size()));
    // Once the dump is there, the loop has taken the battery command too.
    const QString dump = dir.filePath(QStringLiteral("mouse.json"));
    const QByteArray dumpCommand = "dump " + QFile::encodeName(dump) + '\n';
    QCOMPARE(::write(control, dumpCommand.constData(), size_t(dumpCommand.size())),
             ssize_t(dumpCommand.size()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dump), 10000);
    QCOMPARE(readJson(dump).value(QStringLiteral("battery")).toInt(), 61);

    const QByteArray query = batteryQuery();
    QCOMPARE(::write(pty.master, query.constData(), size_t(query.size())), ssize_t(query.size()));
    const QByteArray answer = pty.readSome(32, 5000);
    QCOMPARE(answer.size(), 32);
    QCOMPARE(uint8_t(answer[0]), kBlockBattery);
    QCOMPARE(answer.mid(1, 3), QByteArray(reinterpret_cast<const char *>(kStatusMark), 3));
    QCOMPARE(int(uint8_t(answer[4])), 61);

    // Moved: motion reports on the mouse function, counted.
    const QByteArray move("move on\n");
    QCOMPARE(::write(control, move.constData(), size_t(move.size())), ssize_t(move.size()));
    const QByteArray motion = mousePty.readSome(8 * kMouseReportSize, 5000);
    QCOMPARE(motion.size(), 8 * kMouseReportSize);
    QCOMPARE(motion.left(kMouseReportSize), MouseFirmware::motionReport(0));
    const QString count = dir.filePath(QStringLiteral("count"));
    const QByteArray countCommand = "motion-count " + QFile::encodeName(count) + "\nmove off\n";
    QCOMPARE(::write(control, countCommand.constData(), size_t(countCommand.size())),
             ssize_t(countCommand.size()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(count), 10000);
    QFile countFile(count);
    QVERIFY(countFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> words = countFile.readAll().trimmed().split(' ');
    QCOMPARE(words.size(), 4);
    QCOMPARE(words.at(0), QByteArray("sent"));
    QVERIFY(words.at(1).toInt() >= 8);

    const QByteArray quit("quit\n");
    QCOMPARE(::write(control, quit.constData(), size_t(quit.size())), ssize_t(quit.size()));
    loop.join();
    ::close(control);
    QCOMPARE(exitCode, 0);

    // Quitting saved the memory for the next start.
    MouseFirmware reloaded;
    QVERIFY2(reloaded.loadFromIni(options.statePath, &error), qPrintable(error));
    QCOMPARE(reloaded.batteryLevel(), 61);
}

QTEST_GUILESS_MAIN(TestGadget)
#include "tst_gadget.moc"
