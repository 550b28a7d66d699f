// The worker thread of a whole-profile write on its own (run under
// ThreadSanitizer; no pictures, so only our own code runs on two threads).

#include "MirtProcessThread.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <atomic>

class TestMirtProcessThread : public QObject
{
    Q_OBJECT

private slots:
    void runsTheJobAndKeepsItsResult();
    void signalArrivesOnTheReceiversThread();
    void stoppedBeforeStartDoesNotRun();
    void withoutJobReportsNotRun();
    void destroyingARunningThreadWaits();
};

void TestMirtProcessThread::runsTheJobAndKeepsItsResult()
{
    MirtProcessThread thread;
    QCOMPARE(thread.GetResult(), MirtProcessThread::kNotRun);
    std::atomic<int> calls{0};
    thread.setJob([&calls]() {
        ++calls;
        return 4; // write failed
    });
    // Counted on the worker itself (a direct connection): atomics only.
    std::atomic<int> done{0};
    connect(&thread, &MirtProcessThread::DoProcessDlg, [&done]() { ++done; });
    thread.start();
    QVERIFY(thread.wait(5000));
    QCOMPARE(thread.GetResult(), 4);
    QCOMPARE(calls.load(), 1);
    QCOMPARE(done.load(), 1);
}

void TestMirtProcessThread::signalArrivesOnTheReceiversThread()
{
    MirtProcessThread thread;
    thread.setJob([]() {
        QThread::msleep(30);
        return 0;
    });
    QEventLoop loop;
    Qt::HANDLE receivedOn = nullptr;
    int resultSeen = -99;
    connect(
        &thread, &MirtProcessThread::DoProcessDlg, &loop,
        [&]() {
            receivedOn = QThread::currentThreadId();
            resultSeen = thread.GetResult();
            loop.quit();
        },
        Qt::QueuedConnection);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    thread.start();
    loop.exec();
    QVERIFY(thread.wait(5000));
    QCOMPARE(receivedOn, QThread::currentThreadId());
    QCOMPARE(resultSeen, 0);
}

void TestMirtProcessThread::stoppedBeforeStartDoesNotRun()
{
    MirtProcessThread thread;
    std::atomic<bool> ran{false};
    thread.setJob([&ran]() {
        ran = true;
        return 0;
    });
    thread.stop();
    QVERIFY(thread.isStopped());
    std::atomic<int> done{0};
    connect(&thread, &MirtProcessThread::DoProcessDlg, [&done]() { ++done; });
    QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.widgets.debug=true"));
    QTest::ignoreMessage(QtDebugMsg, "isStop.\n");
    thread.start();
    QVERIFY(thread.wait(5000));
    QVERIFY(!ran);
    QCOMPARE(thread.GetResult(), MirtProcessThread::kNotRun);
    QCOMPARE(done.load(), 1); // whoever waits is still told
}

void TestMirtProcessThread::withoutJobReportsNotRun()
{
    MirtProcessThread thread;
    thread.start();
    QVERIFY(thread.wait(5000));
    QCOMPARE(thread.GetResult(), MirtProcessThread::kNotRun);
}

void TestMirtProcessThread::destroyingARunningThreadWaits()
{
    std::atomic<bool> finished{false};
    {
        MirtProcessThread thread;
        thread.setJob([&finished]() {
            QThread::msleep(100);
            finished = true;
            return 0;
        });
        thread.start();
    }
    QVERIFY(finished);
}

QTEST_GUILESS_MAIN(TestMirtProcessThread)
#include "tst_mirtprocessthread.moc"
