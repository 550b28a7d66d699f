// The lighting page, its colour dialog, the preview on the mouse picture and
// their place in the main window.

#include "../CliProcess.h"
#include "../app/WindowParts.h"
#include "DefaultColorArea.h"
#include "HColorArea.h"
#include "LightingModel.h"
#include "LightingPreview.h"
#include "MirtAction.h"
#include "MirtColorArea.h"
#include "MirtColorWindow.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"
#include "MirtSlider.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "PreviewColorArea.h"
#include "SVColorArea.h"
#include "ShippedModel.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SkinCache.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace LightingModel;
using namespace WindowParts;

namespace {

// A profile whose effects each have their own colour, brightness and speed.
ProfileData lightingProfileFor(int effect)
{
    ProfileData p;
    p.LedMode = uint8_t(effect);
    for (int n = 0; n < kLedModeCount; ++n) {
        p.LED_MODE[size_t(n)].RGB = QColor::fromHsv(n * 25, 255, 255);
        p.LED_MODE[size_t(n)].bright = 1 + n % 3;
        p.LED_MODE[size_t(n)].breath = 1 + n % 5;
    }
    return p;
}

// Runs FN on the colour dialog as soon as the page has opened it.
void answerDialog(std::function<void(MirtColorArea *)> fn)
{
    QTimer::singleShot(0, [fn] {
        auto *dialog = qobject_cast<MirtColorArea *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        fn(dialog);
    });
}

bool shown(QWidget *w)
{
    return !w->isHidden();
}

} // namespace

class TestLightingPage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { MirtKit::setScaleFactor(1.0); }

    void effectShowsOnlyItsControls();
    void effectEditsTheLightingSlot();
    void slidersAndMoveOffStoreValues();
    void sleepRangeAndVisibilityFromDescription();
    void swatchesEditTheEffectColour();

    void hexField_data();
    void hexField();
    void hueFieldAndHueBar();
    void squareAtScale_data();
    void squareAtScale();
    void oneChangeOneUpdate();

    void previewDrawsTheEffect();
    void previewRunsOnlyWhileSeen();

    void windowBuildsThePageOnceUp();
    void cliEditsAsThePageDoes();
};

// ---------------------------------------------------------------------------
// The page

void TestLightingPage::effectShowsOnlyItsControls()
{
    MirtColorWindow page;
    ProfileData p = lightingProfileFor(1);
    page.SetProfile(&p);
    auto controlsShown = [&page] {
        return QVector<bool>{shown(page.brightnessSlider()), shown(page.brightnessLabel()),
                             shown(page.speedSlider()),      shown(page.speedLabel()),
                             shown(page.colorSwatch()),      shown(page.presetSwatch(7)),
                             shown(page.colorLabel())};
    };
    QCOMPARE(controlsShown(), (QVector<bool>{true, true, false, false, true, true, true}));

    page.effectAction(kEffectBreathing)->trigger();
    QCOMPARE(page.effectButton()->text(), QStringLiteral("BREATHING"));
    QCOMPARE(controlsShown(), (QVector<bool>{false, false, false, false, true, true, true}));
    page.effectAction(kEffect7ColorBreathing)->trigger();
    QCOMPARE(controlsShown(), (QVector<bool>{false, false, true, true, false, false, false}));
    page.effectAction(kEffectOff)->trigger();
    QCOMPARE(controlsShown(), (QVector<bool>(7, false)));
    QVERIFY(shown(page.effectButton()));

    // The mouse reports an effect without a name: empty text, controls as they were.
    page.ShowEffect(12);
    QCOMPARE(int(p.LedMode), 12);
    QCOMPARE(page.effectButton()->text(), QString());
    QCOMPARE(controlsShown(), (QVector<bool>(7, false)));

    // The menu: "FULL LIGHTED" first, "OFF" last, nothing for 12 and 13.
    const QList<QAction *> menu = page.effectMenu()->actions();
    QCOMPARE(menu.size(), kOfferedEffectCount);
    QCOMPARE(menu.first()->text(), QStringLiteral("FULL LIGHTED"));
    QCOMPARE(menu.last()->text(), QStringLiteral("OFF"));
    QVERIFY(!menu.contains(page.effectAction(13)));
}

void TestLightingPage::effectEditsTheLightingSlot()
{
    for (const QString &model : {QString::fromLatin1(kSharedLightingModel), QStringLiteral("ORVALE8")}) {
        ProfileSet set;
        for (ProfileData &p : set.profiles)
            p = lightingProfileFor(kEffectFullLighted);
        set.ProfileID = 3;
        const ProfileSet before = set;
        MirtColorWindow page;
        page.SetProfile(&lightingProfile(set, model));
        QSignalSpy changed(&page, &MirtColorWindow::LightingChangedSignal);
        page.effectAction(kEffectReactive)->trigger();

        const int edited = model == QLatin1String(kSharedLightingModel) ? 0 : 3;
        QCOMPARE(int(set.profiles[size_t(edited)].LedMode), int(kEffectReactive));
        for (int i = 0; i < kProfileCount; ++i) {
            if (i != edited)
                QVERIFY(set.profiles[size_t(i)] == before.profiles[size_t(i)]);
        }
        QCOMPARE(changed.count(), 1);
        // The controls and the swatch now show the new effect's own values.
        const LedModeSetting &reactive = set.profiles[size_t(edited)].LED_MODE[kEffectReactive];
        QCOMPARE(page.brightnessSlider()->value(), reactive.bright);
        QCOMPARE(page.speedSlider()->value(), reactive.breath);
        QCOMPARE(page.colorSwatch()->color(), reactive.RGB);
    }
}

void TestLightingPage::slidersAndMoveOffStoreValues()
{
    MirtColorWindow page;
    ProfileData p = lightingProfileFor(kEffectReactive);
    p.LedSleepTime = 7;
    p.LedMoveOFF = 0;
    page.SetProfile(&p);
    QCOMPARE(page.sleepSlider()->value(), 7);
    QVERIFY(page.moveOffBox()->isChecked());

    page.brightnessSlider()->setValue(3);
    page.speedSlider()->setValue(5);
    QCOMPARE(p.LED_MODE[kEffectReactive].bright, 3);
    QCOMPARE(p.LED_MODE[kEffectReactive].breath, 5);
    QCOMPARE(p.LED_MODE[kEffectFullLighted].bright,
             lightingProfileFor(0).LED_MODE[kEffectFullLighted].bright);

    page.sleepSlider()->setValue(5);
    QCOMPARE(int(p.LedSleepTime), 5);
    QCOMPARE(page.sleepValueLabel()->text(), QStringLiteral("5 MINUTE"));

    page.moveOffBox()->click();
    QCOMPARE(int(p.LedMoveOFF), 255);
    page.moveOffBox()->click();
    QCOMPARE(int(p.LedMoveOFF), 0);

    // Detached, the page edits nothing.
    page.SetProfile(nullptr);
    QVERIFY(!page.isEnabled());
    page.sleepSlider()->setValue(2);
    QCOMPARE(int(p.LedSleepTime), 5);
}

void TestLightingPage::sleepRangeAndVisibilityFromDescription()
{
    QTemporaryDir data;
    {
        QSettings d(data.filePath(QStringLiteral("DefaultProfile.bin")), QSettings::IniFormat);
        d.setValue(QStringLiteral("PROFILE/ShowSleep"), 0);
        d.setValue(QStringLiteral("PROFILE/SleepMin"), 2);
        d.setValue(QStringLiteral("PROFILE/SleepMax"), 30);
    }
    Paths::setDataDir(data.path());
    MirtColorWindow page;
    page.resize(665, 467);
    ProfileData p = lightingProfileFor(kEffectFullLighted);
    p.LedSleepTime = 20;
    page.SetProfile(&p);
    page.Rescale(1.0);
    Paths::setDataDir(QString());

    QCOMPARE(page.sleepSlider()->minimum(), 2);
    QCOMPARE(page.sleepSlider()->maximum(), 30);
    QCOMPARE(page.sleepSlider()->value(), 20);
    QVERIFY(page.sleepSlider()->geometry().isEmpty());
    QVERIFY(page.sleepValueLabel()->geometry().isEmpty());
    QVERIFY(page.moveOffBox()->geometry().isEmpty());
    QVERIFY(!page.brightnessSlider()->geometry().isEmpty());
}

void TestLightingPage::swatchesEditTheEffectColour()
{
    MirtColorWindow page;
    ProfileData p = lightingProfileFor(kEffectBreathing);
    page.SetProfile(&p);
    const ProfileData before = p;

    // A preset gives the current effect its colour at once.
    emit page.presetSwatch(6)->ClickedSignal();
    QCOMPARE(p.LED_MODE[kEffectBreathing].RGB, QColor(255, 128, 0));
    QCOMPARE(page.colorSwatch()->color(), QColor(255, 128, 0));
    QVERIFY(page.presetSwatch(6)->isSelected() && !page.presetSwatch(0)->isSelected());
    QCOMPARE(p.LED_MODE[6], before.LED_MODE[6]);

    // The current colour opens the dialog on it; Cancel keeps the colour.
    answerDialog([](MirtColorArea *d) {
        QCOMPARE(d->color(), QColor(255, 128, 0));
        d->setColor(QColor(1, 2, 3));
        d->cancelButton()->click();
    });
    emit page.colorSwatch()->ClickedSignal();
    QCOMPARE(p.LED_MODE[kEffectBreathing].RGB, QColor(255, 128, 0));

    // OK stores it.
    answerDialog([](MirtColorArea *d) {
        d->setColor(QColor(10, 20, 30));
        d->okButton()->click();
    });
    emit page.colorSwatch()->ClickedSignal();
    QCOMPARE(p.LED_MODE[kEffectBreathing].RGB, QColor(10, 20, 30));
    QCOMPARE(page.colorSwatch()->color(), QColor(10, 20, 30));

    // APPLY stores it and leaves the dialog open; a later Cancel keeps what was applied.
    ProfileData *profile = &p;
    answerDialog([profile](MirtColorArea *d) {
        d->setColor(QColor(0, 0, 255));
        d->applyButton()->click();
        QVERIFY(d->isVisible());
        QCOMPARE(profile->LED_MODE[kEffectBreathing].RGB, QColor(0, 0, 255));
        d->setColor(QColor(9, 9, 9));
        d->cancelButton()->click();
    });
    emit page.colorSwatch()->ClickedSignal();
    QCOMPARE(p.LED_MODE[kEffectBreathing].RGB, QColor(0, 0, 255));
}

// ---------------------------------------------------------------------------
// The colour dialog

void TestLightingPage::hexField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("finished");
    QTest::newRow("short form") << "f80" << QColor(255, 136, 0) << "ff8800";
    QTest::newRow("four digits") << "1234" << QColor(0, 0x12, 0x34) << "001234";
    QTest::newRow("one digit is blue") << "5" << QColor(0, 0, 5) << "000005";
    QTest::newRow("five digits") << "12345" << QColor(1, 0x23, 0x45) << "012345";
    QTest::newRow("upper case") << "A0B0C0" << QColor(0xa0, 0xb0, 0xc0) << "a0b0c0";
}

void TestLightingPage::hexField()
{
    QFETCH(QString, typed);
    QFETCH(QColor, colour);
    QFETCH(QString, finished);
    MirtColorArea dialog(QColor(9, 9, 9));
    dialog.show();
    QLineEdit *hex = dialog.hexField();
    QCOMPARE(hex->text(), QStringLiteral("090909"));
    hex->selectAll();
    QTest::keyClicks(hex, typed);
    QCOMPARE(dialog.color(), colour);
    QCOMPARE(dialog.redBox()->value(), colour.red());
    QCOMPARE(dialog.blueBox()->value(), colour.blue());
    QCOMPARE(hex->text(), typed); // not rewritten while typing
    // Enter finishes the field and accepts the dialog.
    QTest::keyClick(hex, Qt::Key_Return);
    QCOMPARE(hex->text(), finished);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // An emptied field becomes black when it is left.
    hex->clear();
    emit hex->editingFinished();
    QCOMPARE(hex->text(), QStringLiteral("000000"));
    QCOMPARE(dialog.color(), QColor(0, 0, 0));
}

void TestLightingPage::hueFieldAndHueBar()
{
    MirtColorArea dialog(QColor(255, 0, 0));
    dialog.hueBox()->selectAll();
    QTest::keyClicks(dialog.hueBox(), QStringLiteral("300"));
    QCOMPARE(dialog.color().hsvHue(), 300);
    QCOMPARE(dialog.color(), QColor(255, 0, 255));
    QCOMPARE(dialog.hexField()->text(), QStringLiteral("ff00ff"));
    QCOMPARE(dialog.hueBar()->hue(), 300);

    // The top of the bar is hue 360, which the preview takes as 0.
    QTest::mouseClick(dialog.hueBar(), Qt::LeftButton, {}, QPoint(5, kHueBarTop));
    QCOMPARE(dialog.hueBar()->hue(), 360);
    QCOMPARE(dialog.hueBox()->value(), 0);
    QCOMPARE(dialog.color(), QColor(255, 0, 0)); // full saturation and value survive the square
    // Half-way down is 180.
    QTest::mouseClick(dialog.hueBar(), Qt::LeftButton, {}, QPoint(5, kHueBarTop + 64));
    QCOMPARE(dialog.hueBox()->value(), 180);
}

void TestLightingPage::squareAtScale_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("saturation");
    QTest::addColumn<int>("value");
    for (double scale : {1.0, 2.0}) {
        const QByteArray tag = QByteArray::number(scale);
        QTest::newRow("(64,0) at " + tag) << scale << QPoint(int(64 * scale), 0) << 128 << 255;
        QTest::newRow("(127,127) at " + tag)
            << scale << QPoint(int(127 * scale), int(127 * scale)) << 254 << 2;
    }
}

void TestLightingPage::squareAtScale()
{
    QFETCH(double, scale);
    QFETCH(QPoint, click);
    QFETCH(int, saturation);
    QFETCH(int, value);
    MirtKit::setScaleFactor(scale);
    MirtColorArea dialog(QColor(0, 0, 255));
    QCOMPARE(dialog.square()->squareSize(), int(128 * scale));
    QTest::mouseClick(dialog.square(), Qt::LeftButton, {}, click);
    QCOMPARE(dialog.saturationBox()->value(), saturation);
    QCOMPARE(dialog.valueBox()->value(), value);
    QCOMPARE(dialog.hueBox()->value(), 240);
    QCOMPARE(dialog.color(), QColor::fromHsv(240, saturation, value).toRgb());
}

void TestLightingPage::oneChangeOneUpdate()
{
    MirtColorArea dialog(QColor(10, 20, 30));
    QSignalSpy changes(&dialog, &MirtColorArea::MirtChangeColor);
    dialog.redBox()->setValue(200);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(dialog.color(), QColor(200, 20, 30));
    QCOMPARE(dialog.hexField()->text(), QStringLiteral("c8141e"));
    QCOMPARE(dialog.hueBox()->value(), QColor(200, 20, 30).hsvHue());

    // A preset sets R, G and B; a grey leaves the hue where it was.
    const int hue = dialog.hueBox()->value();
    emit dialog.presetSwatch(6)->ClickedSignal();
    QCOMPARE(changes.count(), 2);
    QCOMPARE(dialog.color(), QColor(255, 255, 255));
    QCOMPARE(dialog.hueBox()->value(), hue);
    QCOMPARE(dialog.saturationBox()->value(), 0);
}

// ---------------------------------------------------------------------------
// The preview on the mouse picture

void TestLightingPage::previewDrawsTheEffect()
{
    QLabel picture;
    picture.resize(230, 306);
    LightingPreview preview(
        &picture, QStringLiteral("/skin/mouse/%1/Light.png").arg(QLatin1String(kShippedProductName)));
    QVERIFY2(preview.hasMask(), "the light areas of the shipped mouse are missing");
    QCOMPARE(preview.size(), picture.size());
    ProfileData p = lightingProfileFor(kEffectFullLighted);
    p.LED_MODE[kEffectFullLighted].RGB = QColor(255, 0, 0);
    p.LED_MODE[kEffectFullLighted].bright = 3;
    preview.setProfile(&p);

    // The brightest pixel of the lights is the effect's colour.
    auto brightest = [&preview](qint64 ms) {
        const QImage frame = preview.frameAt(ms, QSize(230, 306)).convertToFormat(QImage::Format_ARGB32);
        QColor best(0, 0, 0, 0);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (qAlpha(frame.pixel(x, y)) > best.alpha())
                    best = QColor::fromRgba(frame.pixel(x, y));
        return best;
    };
    const QColor lit = brightest(0);
    QVERIFY(lit.alpha() > 200);
    QCOMPARE(lit.rgb(), QColor(255, 0, 0).rgb());

    p.LedMode = kEffectBreathing;
    p.LED_MODE[kEffectBreathing].RGB = QColor(0, 0, 255);
    QVERIFY(brightest(0).alpha() < brightest(2000).alpha()); // breathing in
    QCOMPARE(brightest(2000).rgb(), QColor(0, 0, 255).rgb());

    p.LedMode = kEffectOff;
    QCOMPARE(brightest(1000).alpha(), 0);
}

void TestLightingPage::previewRunsOnlyWhileSeen()
{
    QWidget window;
    window.resize(300, 400);
    auto *picture = new QLabel(&window);
    picture->setGeometry(10, 10, 230, 306);
    LightingPreview preview(
        picture, QStringLiteral("/skin/mouse/%1/Light.png").arg(QLatin1String(kShippedProductName)));
    ProfileData p = lightingProfileFor(kEffectWave);
    preview.setProfile(&p);
    preview.setActive(true);
    QVERIFY(!preview.isAnimating()); // the window is not shown yet
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(preview.isAnimating());

    window.hide();
    QVERIFY(!preview.isAnimating());
    window.show();
    QVERIFY(preview.isAnimating());
    window.setWindowState(Qt::WindowMinimized);
    QVERIFY(!preview.isAnimating());
    window.setWindowState(Qt::WindowNoState);
    QVERIFY(preview.isAnimating());

    // A still effect needs no frames; another tab shows nothing.
    p.LedMode = kEffectFullLighted;
    preview.refresh();
    QVERIFY(!preview.isAnimating());
    p.LedMode = kEffectWave;
    preview.refresh();
    QVERIFY(preview.isAnimating());
    preview.setActive(false);
    QVERIFY(!preview.isAnimating() && preview.isHidden());
}

// ---------------------------------------------------------------------------
// The main window

void TestLightingPage::windowBuildsThePageOnceUp()
{
    QTemporaryDir dir;
    Paths::setConfigDir(dir.path());
    SkinCache::setDirectory(dir.filePath(QStringLiteral("skin-cache")));
    MirtKit::reloadConfig();
    {
        SimulatedMouseSession sim(false, dir.filePath(QStringLiteral("simulated-mouse.ini")));
        SimulatedMouseFeed feed(&sim.backend());
        MousecfgServices services;
        services.hotplug = &feed;
        services.showTray = false;
        MousecfgWidget w(services);
        QCOMPARE(w.currentTab(), int(MousecfgWidget::kTabLighting));
        QVERIFY(
            !findPart<MirtColorWindow>(&w, "colorPage")); // not in the constructor: the start stays as fast
        QTRY_VERIFY(findPart<MirtColorWindow>(&w, "colorPage"));
        MirtColorWindow *page = part<MirtColorWindow>(&w, "colorPage");
        const LightingPreview *preview = part<LightingPreview>(&w, "lightingPreview");
        QCOMPARE(page->parentWidget(), pageArea(&w, MousecfgWidget::kTabLighting));
        QCOMPARE(page->profile(), &w.currentSet().current());
        QVERIFY(preview->isActive() && preview->hasMask());

        // FillPages follows the profile; the preview shows the page's profile.
        w.SetCurrentProfile(2, false);
        QCOMPARE(page->profile(), &w.currentSet().profiles[2]);
        page->effectAction(kEffectWave)->trigger();
        QCOMPARE(int(w.currentSet().profiles[2].LedMode), int(kEffectWave));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(preview->isAnimating());
        w.SelectTab(MousecfgWidget::kTabDpi);
        QVERIFY(!preview->isActive() && !preview->isAnimating());
    }
    Paths::setConfigDir(QString());
}

// ---------------------------------------------------------------------------
// mousecfg-cli light

void TestLightingPage::cliEditsAsThePageDoes()
{
    QTemporaryDir conf;
    QTemporaryDir shared; // a description of the model with one lighting for all profiles
    {
        QSettings d(shared.filePath(QStringLiteral("DefaultProfile.bin")), QSettings::IniFormat);
        d.setValue(QStringLiteral("PROFILE/ProductName"), QString::fromLatin1(kSharedLightingModel));
        d.setValue(QStringLiteral("PROFILE/SleepMax"), 20);
    }
    {
        // Named slots, as every configuration saved once has them.
        QSettings c(conf.filePath(QStringLiteral("Config.ini")), QSettings::IniFormat);
        for (int i = 1; i <= kProfileCount; ++i)
            c.setValue(QStringLiteral("Config/Profile%1").arg(i), QStringLiteral("Profile %1").arg(i));
    }
    QString err;
    auto cli = [&](QStringList args, const QString &dataDir = QString()) {
        if (!dataDir.isEmpty())
            args = QStringList{QStringLiteral("--data-dir"), dataDir} + args;
        const CliRun r = runCli(args, conf.path());
        err = r.err.trimmed();
        return r.code;
    };
    auto profile = [&](int slot, const QString &dataDir = QString()) {
        QStringList args{QStringLiteral("show")};
        if (!dataDir.isEmpty())
            args = QStringList{QStringLiteral("--data-dir"), dataDir} + args;
        return QJsonDocument::fromJson(runCli(args, conf.path()).out.toUtf8())
            .object()[QStringLiteral("profiles")]
            .toArray()[slot]
            .toObject();
    };

    QCOMPARE(cli({QStringLiteral("light"), QStringLiteral("--slot"), QStringLiteral("3"),
                  QStringLiteral("7-color-breathing"), QStringLiteral("--speed"), QStringLiteral("4")}),
             0);
    QJsonObject p3 = profile(2);
    QCOMPARE(p3[QStringLiteral("LedMode")].toInt(), int(kEffect7ColorBreathing));
    QCOMPARE(p3[QStringLiteral("LED_MODE")]
                 .toArray()[kEffect7ColorBreathing]
                 .toObject()[QStringLiteral("breath")]
                 .toInt(),
             4);
    QVERIFY(profile(0)[QStringLiteral("LedMode")].toInt() != int(kEffect7ColorBreathing));

    // Out of range, or a control the effect does not have: one line, exit 1, nothing stored.
    const QList<QStringList> refused = {
        {QStringLiteral("wave"), QStringLiteral("--speed"), QStringLiteral("6")},
        {QStringLiteral("full-lighted"), QStringLiteral("--brightness"), QStringLiteral("0")},
        {QStringLiteral("off"), QStringLiteral("--sleep"), QStringLiteral("10")},
        {QStringLiteral("12")},
        {QStringLiteral("breathing"), QStringLiteral("--brightness"), QStringLiteral("2")},
        {QStringLiteral("reactive"), QStringLiteral("--move-off"), QStringLiteral("yes")}};
    for (const QStringList &args : refused) {
        QCOMPARE(
            cli(QStringList{QStringLiteral("light"), QStringLiteral("--slot"), QStringLiteral("3")} + args),
            1);
        QVERIFY2(!err.isEmpty() && !err.contains(QLatin1Char('\n')), qPrintable(err));
    }
    // --colour takes exactly six hex digits, as its help says: anything else
    // (the short forms the page's field completes included) is bad usage.
    for (const char *colour : {"ff", "abc", "#fff", "1234567", "12345g", "#"}) {
        QCOMPARE(cli({QStringLiteral("light"), QStringLiteral("--slot"), QStringLiteral("3"),
                      QStringLiteral("reactive"), QStringLiteral("--colour"), QLatin1String(colour)}),
                 2);
        QVERIFY2(err.contains(QStringLiteral("RRGGBB")) && !err.contains(QLatin1Char('\n')), qPrintable(err));
    }
    QCOMPARE(profile(2), p3);
    QCOMPARE(cli({QStringLiteral("light")}), 2);
    QCOMPARE(cli({QStringLiteral("light"), QStringLiteral("wave"), QStringLiteral("--speed")}), 2);

    // Model 5960: whichever slot is named, slot 1 holds the lighting; its own sleep range.
    QCOMPARE(cli({QStringLiteral("light"), QStringLiteral("--slot"), QStringLiteral("3"),
                  QStringLiteral("Breathing"), QStringLiteral("--colour"), QStringLiteral("#00ff00"),
                  QStringLiteral("--sleep"), QStringLiteral("15"), QStringLiteral("--move-off"),
                  QStringLiteral("on")},
                 shared.path()),
             0);
    const QJsonObject p1 = profile(0, shared.path());
    QCOMPARE(p1[QStringLiteral("LedMode")].toInt(), int(kEffectBreathing));
    QCOMPARE(p1[QStringLiteral("LED_MODE")]
                 .toArray()[kEffectBreathing]
                 .toObject()[QStringLiteral("RGB")]
                 .toString(),
             QStringLiteral("#00ff00"));
    QCOMPARE(p1[QStringLiteral("LedSleepTime")].toInt(), 15);
    QCOMPARE(p1[QStringLiteral("LedMoveOFF")].toInt(), 0);
    QCOMPARE(profile(2, shared.path())[QStringLiteral("LedMode")].toInt(), int(kEffect7ColorBreathing));
}

QTEST_MAIN(TestLightingPage)
#include "tst_lightingpage.moc"
