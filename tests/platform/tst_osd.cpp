// The on-screen display notice: the block, the way to the OSD program and
// its start when no one listens.

#include "FakeProgramLauncher.h"
#include "OsdBlock.h"
#include "OsdClient.h"
#include "OsdServer.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

qint32 intAt(const QByteArray &b, int offset)
{
    return qFromLittleEndian<qint32>(b.constData() + offset);
}
quint16 unitAt(const QByteArray &b, int offset)
{
    return qFromLittleEndian<quint16>(b.constData() + offset);
}

} // namespace

class TestOsd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_counter = 0;
    QString freshName() { return m_dir.filePath(QStringLiteral("osd%1").arg(++m_counter)); }

private slots:
    void blockLayout()
    {
        const QByteArray b = Osd::buildBlock(QStringLiteral("500 HZ"), QColor(0x12, 0x34, 0x56));
        QCOMPARE(b.size(), 1044);
        const char16_t expected[] = u"500 HZ";
        for (int i = 0; i < 6; ++i)
            QCOMPARE(unitAt(b, 2 * i), quint16(expected[i]));
        QCOMPARE(unitAt(b, 12), quint16(0)); // terminator
        QCOMPARE(intAt(b, 512), 0);
        QCOMPARE(intAt(b, 516), 1500);
        QCOMPARE(intAt(b, 520), 0);
        QCOMPARE(quint32(intAt(b, 524)), 0x00563412u); // 0x00BBGGRR
        QCOMPARE(intAt(b, 528), 60);
        const char16_t arial[] = u"Arial";
        for (int i = 0; i < 5; ++i)
            QCOMPARE(unitAt(b, 532 + 2 * i), quint16(arial[i]));
        QCOMPARE(unitAt(b, 542), quint16(0));
    }

    void textIsCutTo255Units()
    {
        const QString longText(400, QLatin1Char('x'));
        const QByteArray b = Osd::buildBlock(longText, Qt::red);
        QCOMPARE(b.size(), 1044);
        QCOMPARE(unitAt(b, 2 * 254), quint16('x'));
        QCOMPARE(unitAt(b, 2 * 255), quint16(0)); // the last unit of the field ends it
        QCOMPARE(intAt(b, 516), 1500);            // nothing spilled into the integers
        Osd::Notice n;
        QVERIFY(Osd::parseBlock(b, &n));
        QCOMPARE(n.text, longText.left(255));

        // A surrogate pair straddling the cut is dropped whole.
        QString emoji = QString(254, QLatin1Char('y')) + QString::fromUtf8("\xF0\x9F\x96\xB1");
        QVERIFY(Osd::parseBlock(Osd::buildBlock(emoji, Qt::red), &n));
        QCOMPARE(n.text, QString(254, QLatin1Char('y')));
    }

    void parseRoundTripAndRefusals()
    {
        Osd::Notice in;
        in.text = QStringLiteral("DPI 2:1600 — é");
        in.colorRef = Osd::colorRef(QColor(200, 10, 30));
        Osd::Notice out;
        QVERIFY(Osd::parseBlock(Osd::buildBlock(in), &out));
        QCOMPARE(out.text, in.text);
        QCOMPARE(out.font, QStringLiteral("Arial"));
        QCOMPARE(out.duration, 1500);
        QCOMPARE(out.value60, 60);
        QCOMPARE(out.color(), QColor(200, 10, 30));

        const QByteArray good = Osd::buildBlock(in);
        QVERIFY(!Osd::parseBlock(good.left(1043), &out));
        QVERIFY(!Osd::parseBlock(good + 'x', &out));
        QByteArray noTerminator = good;
        for (int i = 0; i < 512; i += 2)
            noTerminator[i] = 'a';
        QVERIFY(!Osd::parseBlock(noTerminator, &out));
        QByteArray badFont = good;
        for (int i = 532; i < 1044; i += 2)
            badFont[i] = 'b';
        QVERIFY(!Osd::parseBlock(badFont, &out));
    }

    void serverNameFollowsTheWindowTitle()
    {
        QCOMPARE(Osd::windowTitle(), QStringLiteral("Wireless Mouse OSD"));
        QVERIFY(Osd::serverName().endsWith(QStringLiteral("/Wireless Mouse OSD")));
    }

    void deliveredToAListeningServer()
    {
        const QString name = freshName();
        OsdServer server;
        QVERIFY2(server.listen(name), qPrintable(server.errorString()));
        QSignalSpy received(&server, &OsdServer::noticeReceived);

        FakeProgramLauncher launcher;
        OsdClient client(&launcher, QStringLiteral("/opt/mousecfg/mousecfg-osd"));
        client.setServerName(name);
        QSignalSpy delivered(&client, &OsdClient::delivered);
        client.showOsd(QStringLiteral("Profile 3"), QColor(0, 200, 255));
        client.showOsd(QStringLiteral("500 HZ"), QColor(0, 200, 255)); // while the first is on its way
        QTRY_COMPARE(received.size(), 2);
        QCOMPARE(received.at(0).at(0).value<Osd::Notice>().text, QStringLiteral("Profile 3"));
        const Osd::Notice second = received.at(1).at(0).value<Osd::Notice>();
        QCOMPARE(second.text, QStringLiteral("500 HZ"));
        QCOMPARE(second.color(), QColor(0, 200, 255));
        QTRY_COMPARE(delivered.size(), 2);
        QVERIFY(launcher.calls().isEmpty()); // it was there: nothing started
        QVERIFY(!client.isBusy());
    }

    void noListenerStartsTheProgramAndRetries()
    {
        const QString name = freshName();
        OsdServer server;
        FakeProgramLauncher launcher;
        // The "program" comes up a little later, as a real one would.
        launcher.setOnStart([&](const FakeProgramLauncher::Call &) {
            QTimer::singleShot(60, &server, [&] { QVERIFY(server.listen(name)); });
        });
        QSignalSpy received(&server, &OsdServer::noticeReceived);

        OsdClient client(&launcher, QStringLiteral("/opt/mousecfg/mousecfg-osd"));
        client.setServerName(name);
        client.setRetry(5, 300);
        QSignalSpy dropped(&client, &OsdClient::dropped);
        QElapsedTimer returned;
        returned.start();
        client.showOsd(QStringLiteral("DPI 1:800"), Qt::green);
        QVERIFY(returned.elapsed() < 250); // the caller does not wait for even one retry
        QVERIFY(client.isBusy());
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).value<Osd::Notice>().text, QStringLiteral("DPI 1:800"));
        QCOMPARE(launcher.calls().size(), 1);
        QCOMPARE(launcher.calls().at(0).program, QStringLiteral("/opt/mousecfg/mousecfg-osd"));
        // It is told whose it is, and ends when we have gone.
        QCOMPARE(
            launcher.calls().at(0).arguments,
            (QStringList{QStringLiteral("--owner"), QString::number(QCoreApplication::applicationPid())}));
        QVERIFY(dropped.isEmpty());
    }

    void missingProgramDropsAfterFiveAttempts()
    {
        FakeProgramLauncher launcher;
        launcher.setResult(false); // the program is not there
        OsdClient client(&launcher, QStringLiteral("/nonexistent/mousecfg-osd"));
        client.setServerName(freshName());
        client.setRetry(5, 20);
        QSignalSpy dropped(&client, &OsdClient::dropped);
        QSignalSpy delivered(&client, &OsdClient::delivered);
        client.showOsd(QStringLiteral("Profile 1"), Qt::red);
        client.showOsd(QStringLiteral("Profile 2"), Qt::red);
        QTRY_COMPARE(dropped.size(), 1);
        QCOMPARE(dropped.at(0).at(0).toInt(), 2);
        QCOMPARE(launcher.calls().size(), 5); // a failed start is tried again each time
        QVERIFY(delivered.isEmpty());
        QVERIFY(!client.isBusy());
        QCOMPARE(client.pendingCount(), 0);

        // A program that starts but never listens is started once per round.
        FakeProgramLauncher silent;
        OsdClient client2(&silent, QStringLiteral("/usr/bin/true"));
        client2.setServerName(freshName());
        client2.setRetry(5, 20);
        QSignalSpy dropped2(&client2, &OsdClient::dropped);
        client2.showOsd(QStringLiteral("x"), Qt::red);
        QTRY_COMPARE(dropped2.size(), 1);
        QCOMPARE(silent.calls().size(), 1);
    }

    void badBlocksAndPartialWrites()
    {
        const QString name = freshName();
        OsdServer server;
        QVERIFY(server.listen(name));
        QSignalSpy received(&server, &OsdServer::noticeReceived);
        QSignalSpy bad(&server, &OsdServer::badBlock);

        // A block in three pieces, then a second whole block.
        QLocalSocket s;
        s.connectToServer(name);
        QVERIFY(s.waitForConnected(2000));
        const QByteArray b = Osd::buildBlock(QStringLiteral("1000 HZ"), Qt::blue);
        s.write(b.left(100));
        s.flush();
        QTest::qWait(20);
        s.write(b.mid(100, 900));
        s.flush();
        QTest::qWait(20);
        s.write(b.mid(1000) + Osd::buildBlock(QStringLiteral("125 HZ"), Qt::blue));
        s.flush();
        QTRY_COMPARE(received.size(), 2);
        QCOMPARE(received.at(0).at(0).value<Osd::Notice>().text, QStringLiteral("1000 HZ"));
        QCOMPARE(received.at(1).at(0).value<Osd::Notice>().text, QStringLiteral("125 HZ"));

        // Garbage: the connection is dropped, the server lives on.
        QByteArray garbage(Osd::kBlockSize, 'g');
        s.write(garbage);
        s.flush();
        QTRY_COMPARE(bad.size(), 1);
        QTRY_COMPARE(s.state(), QLocalSocket::UnconnectedState);
        QVERIFY(server.isListening());
    }

    void secondServerIsRefusedStaleSocketIsReplaced()
    {
        const QString name = freshName();
        {
            OsdServer first;
            QVERIFY(first.listen(name));
            OsdServer second;
            QVERIFY(!second.listen(name));
            QVERIFY(second.errorString().contains(QStringLiteral("another")));
        }
        // A socket file with no one behind it, as a crashed OSD leaves it.
        const QByteArray path = QFile::encodeName(name);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un addr = {};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
        ::close(fd);
        QVERIFY(QFile::exists(name));
        OsdServer third;
        QVERIFY2(third.listen(name), qPrintable(third.errorString()));
    }
};

QTEST_GUILESS_MAIN(TestOsd)
#include "tst_osd.moc"
