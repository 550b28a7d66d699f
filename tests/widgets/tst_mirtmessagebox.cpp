// The skin's message box: kinds, buttons, results and the plug-in watch.

#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPlugInWatch.h"
#include "MirtPushButton.h"
#include "TestConfig.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace {

class FakeWindow : public MirtPlugInWatch
{
public:
    int deviceReady() const override { return m_bDeviceReady; }
    int m_bDeviceReady = 0;
};

// Runs exec() and, once the box is up, calls what.
int execAndThen(MirtMessageBox &box, const std::function<void()> &what)
{
    QTimer::singleShot(0, &box, what);
    return box.exec();
}

} // namespace

class TestMirtMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void questionYesAcceptsNoRejects();
    void otherKindsHaveOnlyOk_data();
    void otherKindsHaveOnlyOk();
    void layoutAndTexts();
    void scalesWithTheWindow();
    void plugInWatchClosesTheBox();
    void withoutWatchTheBoxStays();

private:
    TestConfig *m_config = nullptr;
};

void TestMirtMessageBox::initTestCase()
{
    m_config = new TestConfig;
    MirtKit::setScaleFactor(1.0);
}

void TestMirtMessageBox::questionYesAcceptsNoRejects()
{
    {
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                           QStringLiteral("AT LEAST ONE PROFILE TO BE RETAINED."));
        QVERIFY(box.noButton());
        QCOMPARE(box.yesButton()->text(), QStringLiteral("Yes"));
        QCOMPARE(box.noButton()->text(), QStringLiteral("No"));
        QCOMPARE(box.yesButton()->objectName(), QStringLiteral("msgBoxYesBtn"));
        QCOMPARE(box.noButton()->objectName(), QStringLiteral("msgBoxNoBtn"));
        const int r = execAndThen(box, [&box]() { QTest::mouseClick(box.yesButton(), Qt::LeftButton); });
        QCOMPARE(r, int(QDialog::Accepted));
    }
    {
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Sure?"));
        const int r = execAndThen(box, [&box]() { QTest::mouseClick(box.noButton(), Qt::LeftButton); });
        QCOMPARE(r, int(QDialog::Rejected));
    }
    {
        // Escape is a "No".
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Sure?"));
        const int r = execAndThen(box, [&box]() { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(r, int(QDialog::Rejected));
    }
    {
        // Enter alone answers "No": a question is never confirmed by a stray key.
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Sure?"));
        QVERIFY(box.noButton()->isDefault());
        QVERIFY(!box.yesButton()->isDefault());
        const int r = execAndThen(box, [&box]() { QTest::keyClick(&box, Qt::Key_Return); });
        QCOMPARE(r, int(QDialog::Rejected));
    }
    {
        // The keyboard reaches "Yes" too: Space on the focused button.
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                           QStringLiteral("Sure?"));
        const int r = execAndThen(box, [&box]() {
            box.yesButton()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(box.yesButton(), Qt::Key_Space);
        });
        QCOMPARE(r, int(QDialog::Accepted));
    }
}

void TestMirtMessageBox::otherKindsHaveOnlyOk_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("icon");
    QTest::newRow("warning") << int(MirtMessageBox::kWarning) << QStringLiteral("warn.png");
    QTest::newRow("notice") << int(MirtMessageBox::kNotice) << QStringLiteral("warn.png");
    QTest::newRow("dongle") << int(MirtMessageBox::kDongle) << QStringLiteral("dongle2.png");
}

void TestMirtMessageBox::otherKindsHaveOnlyOk()
{
    QFETCH(int, kind);
    QFETCH(QString, icon);
    MirtMessageBox box(kind, QString(), QStringLiteral("Warning"), QStringLiteral("Profile Exist!"));
    QVERIFY(!box.noButton());
    QVERIFY(!box.findChild<QPushButton *>(QStringLiteral("msgBoxNoBtn")));
    QCOMPARE(box.yesButton()->text(), QStringLiteral("Ok"));
    QCOMPARE(box.kind(), kind);

    // The icon label shows the kind's picture.
    QLabel *iconLabel = nullptr;
    for (QLabel *l : box.findChildren<QLabel *>()) {
        if (l->objectName().isEmpty())
            iconLabel = l;
    }
    QVERIFY(iconLabel);
    QCOMPARE(iconLabel->size(), QSize(45, 45));
    const QImage expected =
        MirtKit::skinPixmap(icon).toImage().scaled(45, 45, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QVERIFY(!expected.isNull());
    QCOMPARE(iconLabel->pixmap(Qt::ReturnByValue).toImage().convertToFormat(expected.format()), expected);

    const int r = execAndThen(box, [&box]() { QTest::mouseClick(box.yesButton(), Qt::LeftButton); });
    QCOMPARE(r, int(QDialog::Accepted));

    // Enter confirms a box that only informs.
    MirtMessageBox box2(kind, QString(), QStringLiteral("Warning"), QStringLiteral("Profile Exist!"));
    QCOMPARE(execAndThen(box2, [&box2]() { QTest::keyClick(&box2, Qt::Key_Return); }),
             int(QDialog::Accepted));
}

void TestMirtMessageBox::layoutAndTexts()
{
    MirtMessageBox box(MirtMessageBox::kWarning, QStringLiteral("title"), QStringLiteral("Warning"),
                       QStringLiteral("Send data failed, please try again."));
    QCOMPARE(box.size(), QSize(478, 309));
    QCOMPARE(box.windowTitle(), QStringLiteral("title"));
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(box.testAttribute(Qt::WA_TranslucentBackground));
    auto *l1 = box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel1"));
    auto *l2 = box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"));
    QVERIFY(l1 && l2);
    QCOMPARE(l1->text(), QStringLiteral("Warning"));
    QCOMPARE(l2->text(), QStringLiteral("Send data failed, please try again."));
    QCOMPARE(l2->accessibleName(), l2->text());
    QCOMPARE(l1->font().pixelSize(), 14);
    QCOMPARE(l1->font().weight(), 75);
    QVERIFY(l2->wordWrap());

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    // Everything sits inside the box; the message label does not run over the buttons.
    QVERIFY(box.rect().contains(l2->geometry()));
    QVERIFY(box.rect().contains(box.yesButton()->geometry()));
    QVERIFY(l2->geometry().bottom() < box.yesButton()->geometry().top());
    QCOMPARE(box.height() - box.yesButton()->geometry().bottom() - 1, 30);

    // The frame: accent colour at the edge.
    const QImage shot = box.grab().toImage();
    QCOMPARE(shot.pixelColor(1, box.height() / 2), MirtKit::accentColor());
    box.hide();
}

void TestMirtMessageBox::scalesWithTheWindow()
{
    MirtKit::setScaleFactor(2.0);
    MirtMessageBox box(MirtMessageBox::kQuestion, QString(), QStringLiteral("Warning"),
                       QStringLiteral("Sure?"));
    QCOMPARE(box.size(), QSize(956, 618));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))->font().pixelSize(), 28);
    MirtKit::setScaleFactor(1.0);
}

void TestMirtMessageBox::plugInWatchClosesTheBox()
{
    FakeWindow window;
    MirtMessageBox box(MirtMessageBox::kDongle, QString(), QStringLiteral("Warning"),
                       QStringLiteral("Dongle Disconnect!"), nullptr, &window);
    QElapsedTimer clock;
    qint64 readyAt = 0;
    QTimer::singleShot(250, [&]() {
        window.m_bDeviceReady = 1;
        readyAt = clock.elapsed();
    });
    clock.start();
    const int r = box.exec();
    const qint64 closedAt = clock.elapsed();
    QCOMPARE(r, int(QDialog::Accepted));
    QVERIFY(readyAt > 0);
    // One watch period of 100 ms; the bound leaves room for a busy shared machine.
    QVERIFY2(closedAt - readyAt <= 1000, qPrintable(QString::number(closedAt - readyAt)));
    auto *timer = box.findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 100);
}

void TestMirtMessageBox::withoutWatchTheBoxStays()
{
    FakeWindow window;
    window.m_bDeviceReady = 1;
    MirtMessageBox box(MirtMessageBox::kDongle, QString(), QStringLiteral("Warning"),
                       QStringLiteral("Dongle Disconnect!"));
    bool stillOpen = false;
    QTimer::singleShot(350, &box, [&]() {
        stillOpen = box.isVisible();
        box.reject();
    });
    QCOMPARE(box.exec(), int(QDialog::Rejected));
    QVERIFY(stillOpen);
}

QTEST_MAIN(TestMirtMessageBox)
#include "tst_mirtmessagebox.moc"
