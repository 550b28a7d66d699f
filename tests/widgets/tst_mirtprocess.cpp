// The progress dialog that runs a whole-profile write.

#include "MirtKit.h"
#include "MirtProcessDialog.h"
#include "MirtProcessThread.h"
#include "TestConfig.h"

#include <QMovie>
#include <QSignalSpy>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <atomic>

class TestMirtProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogClosesOnWorkerSignalAndResultIsReadable();
    void failureCodeIsReported();
    void workerThatEndsAtOnceIsNotMissed();
    void stoppedThreadDoesNotRunButClosesTheDialog();
    void escapeDoesNotCloseWhileTheWorkerRuns();
    void dialogLooksAndAnimation();

private:
    QWidget *m_main = nullptr;
    TestConfig *m_config = nullptr;
};

void TestMirtProcess::initTestCase()
{
    // The kit's fixed debug texts are checked: switch its category on.
    QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.widgets.debug=true"));
    m_config = new TestConfig;
    MirtKit::setScaleFactor(1.0);
    m_main = new QWidget;
    m_main->setGeometry(100, 100, 999, 640);
}

void TestMirtProcess::dialogClosesOnWorkerSignalAndResultIsReadable()
{
    MirtProcessThread thread;
    std::atomic<bool> ran{false};
    thread.setJob([&ran]() {
        QThread::msleep(150);
        ran = true;
        return 0;
    });
    QSignalSpy done(&thread, &MirtProcessThread::DoProcessDlg);
    MirtProcessDialog dlg(m_main);
    const int r = dlg.runThread(&thread);
    QCOMPARE(r, int(QDialog::Accepted));
    QVERIFY(ran);
    QVERIFY(thread.isFinished());
    QCOMPARE(thread.GetResult(), 0);
    QCOMPARE(done.count(), 1);
}

void TestMirtProcess::failureCodeIsReported()
{
    MirtProcessThread thread;
    thread.setJob([]() { return 2; }); // retries exhausted
    MirtProcessDialog dlg(m_main);
    QCOMPARE(dlg.runThread(&thread), int(QDialog::Accepted));
    QCOMPARE(thread.GetResult(), 2);
}

void TestMirtProcess::workerThatEndsAtOnceIsNotMissed()
{
    // Many very short jobs: none may leave the dialog waiting for ever, and
    // none shows it (a mouse that answers at once never flashes the dialog).
    struct ShowCounter : QObject
    {
        int shows = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            shows += e->type() == QEvent::Show;
            return false;
        }
    } counter;
    for (int i = 0; i < 20; ++i) {
        MirtProcessThread thread;
        thread.setJob([i]() { return i; });
        MirtProcessDialog dlg(m_main);
        dlg.installEventFilter(&counter);
        QCOMPARE(dlg.runThread(&thread), int(QDialog::Accepted));
        QCOMPARE(thread.GetResult(), i);
    }
    QCOMPARE(counter.shows, 0);
}

void TestMirtProcess::stoppedThreadDoesNotRunButClosesTheDialog()
{
    MirtProcessThread thread;
    std::atomic<bool> ran{false};
    thread.setJob([&ran]() {
        ran = true;
        return 0;
    });
    thread.stop();
    QTest::ignoreMessage(QtDebugMsg, "isStop.\n");
    MirtProcessDialog dlg(m_main);
    QCOMPARE(dlg.runThread(&thread), int(QDialog::Accepted));
    QVERIFY(!ran);
    QCOMPARE(thread.GetResult(), MirtProcessThread::kNotRun);
}

void TestMirtProcess::escapeDoesNotCloseWhileTheWorkerRuns()
{
    MirtProcessThread thread;
    std::atomic<bool> release{false};
    thread.setJob([&release]() {
        while (!release)
            QThread::msleep(5);
        return 0;
    });
    MirtProcessDialog dlg(m_main);
    QCOMPARE(dlg.showDelay(), 300);
    // A slow worker: the dialog shows itself once the delay has passed.
    bool visibleEarly = true;
    QTimer::singleShot(50, &dlg, [&]() { visibleEarly = dlg.isVisible(); });
    bool visibleAfterEscape = false;
    QTimer::singleShot(600, &dlg, [&]() {
        QTest::keyClick(&dlg, Qt::Key_Escape);
        dlg.close();
        dlg.reject();
        visibleAfterEscape = dlg.isVisible();
        release = true;
    });
    QCOMPARE(dlg.runThread(&thread), int(QDialog::Accepted));
    QVERIFY(!visibleEarly);
    QVERIFY(visibleAfterEscape);
}

void TestMirtProcess::dialogLooksAndAnimation()
{
    MirtKit::setScaleFactor(1.5);
    MirtProcessDialog dlg(m_main);
    QCOMPARE(dlg.size(), QSize(192, 192));
    QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dlg.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(dlg.movie()->isValid());
    QCOMPARE(dlg.movie()->state(), QMovie::Running);
    QVERIFY(dlg.movie()->frameCount() > 1);
    QCOMPARE(dlg.movie()->scaledSize(), QSize(190, 190));
    // Centred on the main window.
    const QPoint offset = dlg.geometry().center() - m_main->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    MirtKit::setScaleFactor(1.0);
}

QTEST_MAIN(TestMirtProcess)
#include "tst_mirtprocess.moc"
