// The image-state rules of the skin's push button.

#include "MirtKit.h"
#include "MirtPushButton.h"
#include "TestConfig.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Four solid state pictures, each a different colour, so painting can be told apart.
QStringList makeImages(const QTemporaryDir &dir, int count)
{
    const QColor colors[] = {QColor(200, 0, 0), QColor(0, 200, 0), QColor(0, 0, 200), QColor(200, 200, 0)};
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        QImage img(40, 20, QImage::Format_ARGB32);
        img.fill(colors[i]);
        const QString path = dir.filePath(QStringLiteral("state%1.png").arg(i));
        img.save(path);
        paths << path;
    }
    return paths;
}

void enter(QWidget *w)
{
    QEvent e(QEvent::Enter);
    QCoreApplication::sendEvent(w, &e);
}

void leave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestMirtPushButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void threeImagesFollowHoverPressRelease();
    void oneImageNeverChangesButSignals();
    void overSignalSkipsLeaveAfterPress();
    void setStateSetsOnAndIndex();
    void hoverLatchKeepsHoverAfterLeave();
    void enabledLookAndIgnoredInput();
    void firstImageAlphaIsReduced();
    void maskFollowsOpaqueAreaAndSize();
    void captionNamesTheButton();
    void missingImagesPaintNothingAndDoNotCrash();
    void longCaptionIsElided();
    void iconTextPensAndAccentGradient();
    void picturesFollowTheScaleFactor();

private:
    QTemporaryDir m_dir;
    TestConfig *m_config = nullptr;
};

void TestMirtPushButton::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_config = new TestConfig;
    MirtKit::setScaleFactor(1.0);
}

void TestMirtPushButton::threeImagesFollowHoverPressRelease()
{
    MirtPushButton b(makeImages(m_dir, 3));
    b.resize(40, 20);
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    QCOMPARE(b.imageIndex(), 0);
    enter(&b);
    QCOMPARE(b.imageIndex(), 1);
    QTest::mousePress(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 2);
    QVERIFY(b.isOn());
    QTest::mouseRelease(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 1);
    QCOMPARE(clicked.count(), 1);
    QTest::mousePress(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 0);
    QVERIFY(!b.isOn());
    QTest::mouseRelease(&b, Qt::LeftButton);
    QCOMPARE(clicked.count(), 2);
    leave(&b);
    QCOMPARE(b.imageIndex(), 0);
}

void TestMirtPushButton::oneImageNeverChangesButSignals()
{
    MirtPushButton b(makeImages(m_dir, 1));
    b.resize(40, 20);
    QSignalSpy entered(&b, &MirtPushButton::EnterSignal);
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    enter(&b);
    QCOMPARE(b.imageIndex(), 0);
    QTest::mousePress(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 0);
    QCOMPARE(entered.count(), 1);
    QCOMPARE(entered.at(0).at(0).value<MirtPushButton *>(), &b);
    QTest::mouseRelease(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 0);
    QCOMPARE(clicked.count(), 1);

    // Two images: hover and release show image 1, a press keeps it.
    MirtPushButton two(makeImages(m_dir, 2));
    two.resize(40, 20);
    enter(&two);
    QCOMPARE(two.imageIndex(), 1);
    QTest::mousePress(&two, Qt::LeftButton);
    QCOMPARE(two.imageIndex(), 1);
    QTest::mouseRelease(&two, Qt::LeftButton);
    QCOMPARE(two.imageIndex(), 1);
}

void TestMirtPushButton::overSignalSkipsLeaveAfterPress()
{
    MirtPushButton b(makeImages(m_dir, 3));
    b.resize(40, 20);
    QSignalSpy over(&b, &MirtPushButton::OverSignal);
    enter(&b);
    leave(&b);
    QCOMPARE(over.count(), 2);
    QCOMPARE(over.at(0).at(1).toBool(), true);
    QCOMPARE(over.at(1).at(1).toBool(), false);
    QCOMPARE(over.at(1).at(0).value<MirtPushButton *>(), &b);

    over.clear();
    enter(&b);
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton);
    leave(&b);
    QCOMPARE(over.count(), 1); // only the enter
    QCOMPARE(over.at(0).at(1).toBool(), true);
}

void TestMirtPushButton::setStateSetsOnAndIndex()
{
    MirtPushButton b(makeImages(m_dir, 3));
    b.SetState(1);
    QCOMPARE(b.imageIndex(), 1);
    QVERIFY(b.isOn());
    QCOMPARE(b.GetState(), 1);
    b.SetState(0);
    QCOMPARE(b.imageIndex(), 0);
    QVERIFY(!b.isOn());
    // After SetState(1) the next press turns the button off: image 0.
    b.SetState(1);
    QTest::mousePress(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 0);
}

void TestMirtPushButton::hoverLatchKeepsHoverAfterLeave()
{
    MirtPushButton b(makeImages(m_dir, 3));
    b.SetState(1);
    b.SetHoverLatch(true);
    QCOMPARE(b.imageIndex(), 0);
    QVERIFY(b.isHoverLatched());
    enter(&b);
    leave(&b);
    QCOMPARE(b.imageIndex(), 1); // latched and on
    b.SetState(0);
    enter(&b);
    leave(&b);
    QCOMPARE(b.imageIndex(), 0); // latched but off
}

void TestMirtPushButton::enabledLookAndIgnoredInput()
{
    MirtPushButton b(makeImages(m_dir, 4));
    b.resize(40, 20);
    QSignalSpy entered(&b, &MirtPushButton::EnterSignal);
    QSignalSpy over(&b, &MirtPushButton::OverSignal);
    b.SetEnabledLook(false);
    QCOMPARE(b.imageIndex(), 3);
    QVERIFY(!b.isEnabled());
    enter(&b);
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton);
    QCOMPARE(b.imageIndex(), 3);
    QCOMPARE(entered.count(), 0);
    QCOMPARE(over.count(), 0);
    QVERIFY(!b.isOn());

    b.SetEnabledLook(true);
    QCOMPARE(b.imageIndex(), 0);
    QVERIFY(b.isEnabled());

    // Latched and on: the enabled look is the hover image.
    b.SetState(1);
    b.SetHoverLatch(true);
    b.SetEnabledLook(true);
    QCOMPARE(b.imageIndex(), 1);
}

void TestMirtPushButton::firstImageAlphaIsReduced()
{
    MirtPushButton b(makeImages(m_dir, 2));
    b.resize(40, 20);
    QImage shot(b.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    b.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    const QColor c = shot.pixelColor(20, 10);
    QVERIFY2(qAbs(c.alpha() - 200) <= 2, qPrintable(QString::number(c.alpha())));
    QVERIFY(c.red() > 150 && c.green() < 50); // state 0 is the red picture

    b.SetState(1);
    shot.fill(Qt::transparent);
    b.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(shot.pixelColor(20, 10).alpha(), 255);
    QVERIFY(shot.pixelColor(20, 10).green() > 150);
}

void TestMirtPushButton::maskFollowsOpaqueAreaAndSize()
{
    // Left half opaque, right half transparent.
    QImage img(40, 20, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.fillRect(0, 0, 20, 20, Qt::white);
    p.end();
    const QString path = m_dir.filePath(QStringLiteral("half.png"));
    QVERIFY(img.save(path));
    MirtPushButton b({path});
    b.resize(80, 40);
    b.show(); // a hidden widget gets its resize event when shown
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    // A window's first frame goes without the shape; it follows right after.
    QTRY_VERIFY(!b.mask().isEmpty());
    QVERIFY(b.mask().contains(QPoint(10, 20)));
    QVERIFY(!b.mask().contains(QPoint(70, 20)));
    b.resize(160, 40);
    QVERIFY(b.mask().contains(QPoint(70, 20)));
    QVERIFY(!b.mask().contains(QPoint(150, 20)));
}

void TestMirtPushButton::captionNamesTheButton()
{
    // Tab reaches the button; a click leaves the keyboard where it was.
    {
        QWidget host;
        auto *edit = new QLineEdit(&host);
        auto *btn = new MirtPushButton(makeImages(m_dir, 3), &host);
        btn->setGeometry(0, 30, 40, 20);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        host.activateWindow();
        edit->setFocus();
        QTest::mouseClick(btn, Qt::LeftButton);
        QVERIFY(!btn->hasFocus());
        QCOMPARE(btn->focusPolicy(), Qt::TabFocus);
    }

    MirtPushButton b(makeImages(m_dir, 3));
    b.setText(QStringLiteral("Apply"));
    QCOMPARE(b.accessibleName(), QStringLiteral("Apply"));
    QCOMPARE(b.text(), QStringLiteral("Apply"));
    // A caption set through the base class is picked up when the button paints.
    static_cast<QPushButton &>(b).setText(QStringLiteral("Cancel"));
    b.resize(80, 20);
    QImage shot(b.size(), QImage::Format_ARGB32);
    b.render(&shot);
    QCOMPARE(b.accessibleName(), QStringLiteral("Cancel"));
}

void TestMirtPushButton::missingImagesPaintNothingAndDoNotCrash()
{
    MirtPushButton b({m_dir.filePath(QStringLiteral("nope.png")), QStringLiteral("/skin/nope.png")});
    b.resize(40, 20);
    QCOMPARE(b.imageCount(), 2);
    enter(&b);
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton);
    b.SetEnabledLook(false);
    QImage shot(b.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    b.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(shot.pixelColor(20, 10).alpha(), 0);
    QVERIFY(b.mask().isEmpty()); // no picture: no shape
}

void TestMirtPushButton::longCaptionIsElided()
{
    MirtPushButton b(makeImages(m_dir, 1));
    b.resize(60, 20);
    b.setText(QStringLiteral("A caption far too long for a sixty pixel button"));
    QImage shot(b.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    b.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    // Text pixels stay inside the button's own padding on the right.
    const QColor edge = shot.pixelColor(59, 10);
    QVERIFY(edge.red() > 150 && edge.green() < 60);
}

namespace {

bool containsColor(const QImage &img, const std::function<bool(const QColor &)> &match)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (match(img.pixelColor(x, y)))
                return true;
    return false;
}

QImage solid(const QColor &c, const QSize &size)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

} // namespace

void TestMirtPushButton::iconTextPensAndAccentGradient()
{
    const QString grey = m_dir.filePath(QStringLiteral("grey.png"));
    const QString icon = m_dir.filePath(QStringLiteral("icon.png"));
    QVERIFY(solid(QColor(40, 40, 40), QSize(40, 20)).save(grey));
    QVERIFY(solid(QColor(0, 220, 0), QSize(8, 8)).save(icon));

    // An icon without a caption sits in the middle.
    MirtPushButton iconOnly({grey, grey, grey}, nullptr, icon);
    iconOnly.resize(60, 30);
    QImage shot(iconOnly.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    iconOnly.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QVERIFY(shot.pixelColor(30, 15).green() > 200);

    // With a caption the icon moves to the left edge and the caption uses the state's pen.
    MirtPushButton withText({grey, grey, grey}, nullptr, icon);
    withText.resize(160, 30);
    withText.setText(QStringLiteral("WWWW"));
    withText.SetTextColors({QColor(0, 0, 255), QColor(), QColor(255, 255, 0)});
    shot = QImage(withText.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    withText.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QVERIFY(shot.pixelColor(30, 15).green() < 100);
    QVERIFY(containsColor(shot,
                          [](const QColor &c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }));
    QVERIFY(containsColor(shot.copy(0, 0, 20, 30),
                          [](const QColor &c) { return c.green() > 200 && c.red() < 60; }));

    // Pressed: the caption takes the pressed pen and the accent glows from the bottom.
    MirtKit::setThemeIndex(0);
    withText.SetState(2);
    shot.fill(Qt::transparent);
    withText.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QVERIFY(containsColor(shot,
                          [](const QColor &c) { return c.red() > 200 && c.green() > 200 && c.blue() < 60; }));
    const QColor bottom = shot.pixelColor(150, 29);
    const QColor top = shot.pixelColor(150, 0);
    QVERIFY(bottom.red() > 180 && bottom.green() < 60);
    QVERIFY(top.red() < bottom.red());
    // Not pressed and not selected: no accent.
    withText.SetState(0);
    shot.fill(Qt::transparent);
    withText.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QVERIFY(shot.pixelColor(150, 29).red() < 60);
}

void TestMirtPushButton::picturesFollowTheScaleFactor()
{
    // One skin picture in three renditions, each its own colour.
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const struct
    {
        const char *rel;
        QColor color;
        int width;
    } renditions[] = {
        {"skin/1x/face.png", QColor(255, 0, 0), 40},
        {"skin/2x/face.png", QColor(0, 255, 0), 80},
        {"skin/face.png", QColor(0, 0, 255), 200},
    };
    for (const auto &r : renditions) {
        const QString path = data.filePath(QString::fromLatin1(r.rel));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QImage img(r.width, r.width / 2, QImage::Format_ARGB32);
        img.fill(r.color);
        QVERIFY(img.save(path));
    }
    Paths::setDataDir(data.path());
    const auto shownColour = [](MirtPushButton &b) {
        QImage out(b.size(), QImage::Format_ARGB32);
        out.fill(Qt::black);
        b.render(&out);
        // The colour that stands out over the background.
        const QRgb c = out.pixel(out.width() / 2, out.height() / 2);
        if (qRed(c) > qGreen(c) + 100 && qRed(c) > qBlue(c) + 100)
            return 1;
        if (qGreen(c) > qRed(c) + 100 && qGreen(c) > qBlue(c) + 100)
            return 2;
        if (qBlue(c) > qRed(c) + 100 && qBlue(c) > qGreen(c) + 100)
            return 0;
        return -1;
    };

    // Made before the window publishes its factor: the design-size pictures.
    MirtKit::setScaleFactor(1.0);
    MirtPushButton b({QStringLiteral("/skin/face.png"), QStringLiteral("/skin/face.png")});
    QCOMPARE(b.loadedRendition(), 1);
    SetScaledGeometry(&b, 1.0, 0, 0, 40, 20);
    QCOMPARE(shownColour(b), 1);

    // Moved to a screen with a larger factor: loaded again, never enlarged.
    SetScaledGeometry(&b, 1.5, 0, 0, 40, 20);
    QCOMPARE(shownColour(b), 2);
    QCOMPARE(b.loadedRendition(), 2);
    QCOMPARE(b.size(), QSize(60, 30)); // design geometry × factor, not the picture's size
    SetScaledGeometry(&b, 5.0, 0, 0, 40, 20);
    QCOMPARE(shownColour(b), 0);
    QCOMPARE(b.size(), QSize(200, 100));
    QCOMPARE(b.imageCount(), 2);
    // And back to the small ones on the way down.
    SetScaledGeometry(&b, 1.0, 0, 0, 40, 20);
    QCOMPARE(shownColour(b), 1);
    // The hover picture is reloaded alike.
    SetScaledGeometry(&b, 2.0, 0, 0, 40, 20);
    enter(&b);
    QCOMPARE(b.imageIndex(), 1);
    QCOMPARE(shownColour(b), 2);

    Paths::setDataDir(QString());
    MirtKit::setScaleFactor(1.0);
}

QTEST_MAIN(TestMirtPushButton)
#include "tst_mirtpushbutton.moc"
