// The start-up thread: jobs run one at a time, in the order they were posted,
// on a thread of their own; each future carries its job's result or
// exception; join and the destructor run what was posted, then end the
// thread; a job posted after join never runs. Also run under ThreadSanitizer.

#include "StartupThread.h"

#include <QString>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <vector>

class TestStartupThread : public QObject
{
    Q_OBJECT

private slots:
    void jobsRunInOrderWithTheirResults();
    void joinRunsWhatWasPostedAndRefusesMore();
};

void TestStartupThread::jobsRunInOrderWithTheirResults()
{
    std::vector<int> order; // the start-up thread's until the last future is ready
    std::thread::id ranOn;
    std::future<int> last;
    {
        StartupThread startup;
        std::promise<void> gate;
        std::shared_future<void> open = gate.get_future().share();
        std::future<void> first = startup.post([&, open] {
            open.wait();
            ranOn = std::this_thread::get_id();
            order.push_back(1);
        });
        std::future<QString> second = startup.post([&] {
            order.push_back(2);
            return QStringLiteral("two");
        });
        std::future<void> failing = startup.post([&] {
            order.push_back(3);
            throw std::runtime_error("three");
        });
        last = startup.post([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            order.push_back(4);
            return 4;
        });
        // The first job holds the rest back: none runs beside it or before it.
        QCOMPARE(second.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
        gate.set_value();
        QCOMPARE(second.get(), QStringLiteral("two"));
        QVERIFY(first.valid());
        first.get();
        QVERIFY(ranOn != std::this_thread::get_id());
        QVERIFY_EXCEPTION_THROWN(failing.get(), std::runtime_error);
        // The last job may still be running: the destructor waits for it.
    }
    QCOMPARE(last.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    QCOMPARE(last.get(), 4);
    QCOMPARE(order, (std::vector<int>{1, 2, 3, 4}));
}

void TestStartupThread::joinRunsWhatWasPostedAndRefusesMore()
{
    StartupThread startup;
    std::atomic<int> ran{0};
    std::future<void> posted = startup.post([&ran] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ran.fetch_add(1);
    });
    startup.join();
    QCOMPARE(ran.load(), 1);
    QCOMPARE(posted.wait_for(std::chrono::seconds(0)), std::future_status::ready);

    std::future<int> late = startup.post([&ran] { return ran.fetch_add(1); });
    try {
        late.get();
        QFAIL("a job posted after join() ran");
    } catch (const std::future_error &e) {
        QCOMPARE(e.code(), std::make_error_code(std::future_errc::broken_promise));
    }
    QCOMPARE(ran.load(), 1);
    startup.join(); // again: nothing to do

    // Nothing posted: joining a thread that never started is fine.
    StartupThread idle;
    idle.join();
}

QTEST_GUILESS_MAIN(TestStartupThread)
#include "tst_startupthread.moc"
