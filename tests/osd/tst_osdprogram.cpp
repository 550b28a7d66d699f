// mousecfg-osd: its window, its notifications through a stand-in notification
// service on a private session bus, and the program itself on its socket.

#include "FakeProgramLauncher.h"
#include "OsdBlock.h"
#include "OsdClient.h"
#include "OsdNotifier.h"
#include "OsdServer.h"
#include "OsdWindow.h"
#include "OwnerWatch.h"

#include "../FakeNotifications.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

Q_DECLARE_METATYPE(OwnerWatch::Mode)

class TestOsdProgram : public QObject
{
    Q_OBJECT

private:
    FakeNotifications m_fake{40};

    static Osd::Notice notice(const QString &text, int ms = 1500)
    {
        Osd::Notice n;
        n.text = text;
        n.duration = ms;
        n.colorRef = Osd::colorRef(QColor(255, 125, 0));
        return n;
    }

private slots:
    void initTestCase() { QVERIFY(m_fake.start()); }

    void init()
    {
        m_fake.calls.clear();
        m_fake.closed.clear();
    }

    void windowStaysOnTopWithoutFocusForItsTime()
    {
        OsdWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Wireless Mouse OSD"));
        const Qt::WindowFlags needed =
            Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
        QCOMPARE(w.windowFlags() & needed, needed);
        QVERIFY(w.testAttribute(Qt::WA_ShowWithoutActivating));

        w.showNotice(notice(QStringLiteral("DPI 2:1600"), 300));
        QVERIFY(w.isVisible());
        QCOMPARE(w.text(), QStringLiteral("DPI 2:1600"));
        QCOMPARE(w.color(), QColor(255, 125, 0));
        // A new notice replaces the one on screen and starts its time again.
        w.showNotice(notice(QStringLiteral("Profile 2"), 5000));
        QCOMPARE(w.text(), QStringLiteral("Profile 2"));
        QVERIFY(w.remainingMs() > 4000);
        QVERIFY(w.width() > 50);
        w.showNotice(notice(QString()));
        QVERIFY(!w.isVisible());
        w.showNotice(notice(QStringLiteral("500 HZ"), 250));
        QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 2000);
    }

    // A notice of any length stays whole and on the screen: a long one wraps,
    // then shrinks; a short one keeps one line at the block's size. The
    // panel's rounded corners show what is behind it.
    void noticesFitTheirTextWithRoundCorners()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QString words = QStringLiteral("DPI 3:1600 Profile Gaming with a long name ");
        const QStringList texts = {
            QStringLiteral("500 HZ"),       words.repeated(2).trimmed(),
            words.repeated(6).trimmed(),    QStringLiteral("配置 3：") + QString(60, QChar(0x6587)),
            QString(255, QLatin1Char('W')), // one word of 255 code units: no place to wrap
        };
        int shortPx = 0;
        for (const QString &text : texts) {
            OsdWindow w;
            w.showNotice(notice(text));
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const QString at = text.left(20) + QStringLiteral("… (%1)").arg(text.size());
            QVERIFY2(area.contains(w.geometry()), qPrintable(at));
            const QFontMetrics fm(w.textFont());
            const QRect room = w.textRect();
            const QRect needed = fm.boundingRect(room, w.textFlags(), text);
            QVERIFY2(room.contains(needed), qPrintable(at + QStringLiteral(": text %1 × %2 in %3 × %4")
                                                                .arg(needed.width())
                                                                .arg(needed.height())
                                                                .arg(room.width())
                                                                .arg(room.height())));
            if (text == texts.first()) {
                shortPx = w.textFont().pixelSize();
                QCOMPARE(needed.height(), fm.height()); // one line
            } else {
                QVERIFY(w.textFont().pixelSize() <= shortPx);
            }
            const QImage shot = w.grab().toImage();
            QCOMPARE(qAlpha(shot.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(shot.pixel(shot.width() - 1, shot.height() - 1)), 0);
            QVERIFY(qAlpha(shot.pixel(shot.width() / 2, 2)) > 200); // the panel's frame
        }
        // The block's 60, as the screen's DPI scales it.
        const double dpiScale = qMax(1.0, QGuiApplication::primaryScreen()->logicalDotsPerInch() / 96.0);
        QCOMPARE(shortPx, int(60 * dpiScale * 0.6));
    }

    void notificationsReplaceTheLastOne()
    {
        OsdNotifier n;
        QVERIFY(n.isAvailable());
        QSignalSpy sent(&n, &OsdNotifier::sent);
        n.notify(notice(QStringLiteral("Profile 1")));
        QTRY_COMPARE(sent.size(), 1);
        const quint32 first = n.lastId();
        QVERIFY(first != 0);
        // Two more while the first answer is out: the last one waits for the
        // id of the one before, so that it replaces it.
        n.notify(notice(QStringLiteral("Profile 2")));
        n.notify(notice(QStringLiteral("Profile 3")));
        QTRY_COMPARE(sent.size(), 3);
        QCOMPARE(m_fake.calls.size(), 3);
        QCOMPARE(m_fake.calls.at(0).replacesId, 0u);
        QCOMPARE(m_fake.calls.at(0).timeout, 1500);
        QCOMPARE(m_fake.calls.at(1).replacesId, first);
        QCOMPARE(m_fake.calls.at(2).replacesId, first);
        QCOMPARE(m_fake.calls.at(2).summary, QStringLiteral("Profile 3"));
        n.notify(notice(QString()));
        QTRY_COMPARE(m_fake.closed.size(), 1);
        QCOMPARE(m_fake.closed.at(0), first);
        QCOMPARE(m_fake.calls.size(), 3);
    }

    void programOnItsSocket()
    {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("MOUSECFG_OSD"), QStringLiteral("notify"));
        const QString socket = runtime.filePath(Osd::windowTitle());
        QProcess first;
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(MOUSECFG_OSD_PROGRAM), QStringList());
        QVERIFY(first.waitForStarted());
        auto stop = qScopeGuard([&] {
            first.terminate();
            first.waitForFinished(3000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 5000);

        // A block that is not one is dropped without harm.
        QLocalSocket raw;
        raw.connectToServer(socket);
        QVERIFY(raw.waitForConnected(2000));
        raw.write(QByteArray(Osd::kBlockSize, 'g'));
        raw.flush();
        QTRY_COMPARE_WITH_TIMEOUT(raw.state(), QLocalSocket::UnconnectedState, 3000);

        // A notice as the main window sends it; nothing needs starting.
        FakeProgramLauncher launcher;
        OsdClient client(&launcher, QStringLiteral(MOUSECFG_OSD_PROGRAM));
        client.setServerName(socket);
        client.showOsd(QStringLiteral("500 HZ"), QColor(255, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(m_fake.calls.size(), 1, 5000);
        QCOMPARE(m_fake.calls.at(0).summary, QStringLiteral("500 HZ"));
        QVERIFY(launcher.calls().isEmpty());
        QCOMPARE(first.state(), QProcess::Running);

        // A second copy ends itself and leaves the first one listening.
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(MOUSECFG_OSD_PROGRAM), QStringList());
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(second.readAllStandardError().contains("another on-screen display is running"));
        client.showOsd(QStringLiteral("Profile 4"), QColor(255, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(m_fake.calls.size(), 2, 5000);
        QCOMPARE(m_fake.calls.at(1).summary, QStringLiteral("Profile 4"));
    }

    void ownerWatchSeesTheOwnerGo_data()
    {
        QTest::addColumn<OwnerWatch::Mode>("mode");
        QTest::newRow("pidfd") << OwnerWatch::Mode::Auto;
        QTest::newRow("polling") << OwnerWatch::Mode::Polling;
    }

    void ownerWatchSeesTheOwnerGo()
    {
        QFETCH(OwnerWatch::Mode, mode);
        QProcess owner;
        owner.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(owner.waitForStarted());
        OwnerWatch watch;
        QVERIFY(!watch.watch(0));
        QVERIFY(watch.watch(owner.processId(), mode));
        if (mode == OwnerWatch::Mode::Polling)
            QVERIFY(!watch.usesPidfd());
        QSignalSpy gone(&watch, &OwnerWatch::ownerGone);
        QTest::qWait(300);
        QVERIFY(gone.isEmpty());
        const qint64 pid = owner.processId();
        owner.kill();
        QVERIFY(owner.waitForFinished(3000));
        QTRY_COMPARE_WITH_TIMEOUT(gone.size(), 1, 2500);

        // An owner gone before the watch began is reported all the same.
        OwnerWatch late;
        QSignalSpy lateGone(&late, &OwnerWatch::ownerGone);
        QVERIFY(late.watch(pid, mode));
        QTRY_COMPARE_WITH_TIMEOUT(lateGone.size(), 1, 2500);
        QCOMPARE(gone.size(), 1);
    }

    // Started by the window, the program ends when the window has gone (quit
    // or killed), once the notice on screen is over.
    void programEndsWithItsOwner()
    {
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        const QString socket = runtime.filePath(Osd::windowTitle());

        QProcess bad;
        bad.setProcessEnvironment(env);
        bad.start(QStringLiteral(MOUSECFG_OSD_PROGRAM), {QStringLiteral("--owner"), QStringLiteral("x")});
        QVERIFY(bad.waitForFinished(5000));
        QCOMPARE(bad.exitCode(), 2);

        QProcess owner;
        owner.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(owner.waitForStarted());
        QProcess osd;
        osd.setProcessEnvironment(env);
        osd.setProcessChannelMode(QProcess::ForwardedChannels);
        osd.start(QStringLiteral(MOUSECFG_OSD_PROGRAM),
                  {QStringLiteral("--owner"), QString::number(owner.processId())});
        QVERIFY(osd.waitForStarted());
        auto stop = qScopeGuard([&] {
            osd.kill();
            osd.waitForFinished(3000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 5000);

        // A notice (on screen for 1.5 s) is seen to its end.
        FakeProgramLauncher launcher;
        OsdClient client(&launcher, QStringLiteral(MOUSECFG_OSD_PROGRAM));
        client.setServerName(socket);
        QSignalSpy delivered(&client, &OsdClient::delivered);
        client.showOsd(QStringLiteral("Profile 3"), QColor(255, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), 1, 5000);
        QTest::qWait(200);
        owner.kill();
        QVERIFY(owner.waitForFinished(3000));
        QTest::qWait(300);
        QCOMPARE(osd.state(), QProcess::Running);
        QVERIFY(osd.waitForFinished(4000));
        QCOMPARE(osd.exitStatus(), QProcess::NormalExit);
        QCOMPARE(osd.exitCode(), 0);
    }

    void cliSendsOneNotice()
    {
        QTemporaryDir runtime;
        OsdServer server;
        QVERIFY(server.listen(runtime.filePath(Osd::windowTitle())));
        QSignalSpy received(&server, &OsdServer::noticeReceived);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        auto cli = [&](const QStringList &args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(MOUSECFG_CLI), args);
            // Answered while it waits: the server lives on this thread.
            QDeadlineTimer deadline(10000);
            while (p.state() != QProcess::NotRunning && !deadline.hasExpired())
                QTest::qWait(20);
            return p.state() == QProcess::NotRunning ? p.exitCode() : -1;
        };
        QCOMPARE(cli({QStringLiteral("osd"), QStringLiteral("Profile 5"), QStringLiteral("--colour"),
                      QStringLiteral("00ff7d"), QStringLiteral("--ms"), QStringLiteral("700")}),
                 0);
        QCOMPARE(received.size(), 1);
        const Osd::Notice n = received.at(0).at(0).value<Osd::Notice>();
        QCOMPARE(n.text, QStringLiteral("Profile 5"));
        QCOMPARE(n.color(), QColor(0, 255, 125));
        QCOMPARE(n.duration, 700);
        QCOMPARE(n.value60, 60);
        QCOMPARE(n.font, QStringLiteral("Arial"));
        for (const QStringList &bad : {QStringList{QStringLiteral("osd")},
                                       QStringList{QStringLiteral("osd"), QStringLiteral("x"),
                                                   QStringLiteral("--colour"), QStringLiteral("red")},
                                       QStringList{QStringLiteral("osd"), QStringLiteral("x"),
                                                   QStringLiteral("--ms"), QStringLiteral("0")}})
            QCOMPARE(cli(bad), 2);
        QCOMPARE(received.size(), 1);
    }
};

int main(int argc, char **argv)
{
    // Never the desktop's own bus: run again on a private one.
    if (const int rc = FakeNotifications::rerunOnPrivateBus(argc, argv); rc >= 0)
        return rc;
    QApplication app(argc, argv);
    TestOsdProgram test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_osdprogram.moc"
