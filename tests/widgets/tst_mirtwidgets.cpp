// Slider bubble, labels, list rows, scaled geometry and the kit's lookups.

#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtLineEdit.h"
#include "MirtListItem.h"
#include "MirtProcessbar.h"
#include "MirtSlider.h"
#include "TestConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

class TestMirtWidgets : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sliderBubbleFollowsPressMoveRelease();
    void sliderWithoutBubbleStillReportsRelease();
    void labelTextNumberAndAccessibleName();
    void labelPressEmitsEnterSignal();
    void processbarTextIsItsOwn();
    void listRowStoredValues_data();
    void listRowStoredValues();
    void listRowEditingShowsEditorAndEndsOnce();
    void listRowOtherTypesShowTheirText();
    void scaledGeometryTruncates();
    void fittedTextIsTheElidedText();
    void languageFontFollowsConfigAndLanguage();
    void missingFontGivesToolkitDefaults();
    void accentColourFromTheme();
    void colourModeChangesButtonPens();
    void spinArrowsStandOutOnTheDarkSkin();
    void resolvePathFindsSkinFolder();
    void resolvePathPicksRenditionForFactor_data();
    void resolvePathPicksRenditionForFactor();
};

void TestMirtWidgets::init()
{
    MirtKit::setScaleFactor(1.0);
    MirtKit::reloadConfig();
}

void TestMirtWidgets::sliderBubbleFollowsPressMoveRelease()
{
    TestConfig config;
    QWidget host;
    host.resize(300, 60);
    MirtSlider slider(&host);
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 100);
    slider.setGeometry(10, 10, 200, 30);
    slider.setValue(40);
    slider.SetBubbleEnabled(true);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QSignalSpy changed(&slider, &MirtSlider::MouseChange);

    QVERIFY(!slider.bubble()->isVisible());
    const QPoint handle(int(200 * 0.4), 15);
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, handle);
    QVERIFY(slider.bubble()->isVisible());
    QCOMPARE(slider.bubble()->text(), QString::number(slider.value()));
    QVERIFY(slider.bubble()->width() >= 20);
    QCOMPARE(slider.bubble()->height(), 20);

    slider.setValue(75);
    QCOMPARE(slider.bubble()->text(), QStringLiteral("75"));
    QCOMPARE(slider.bubble()->accessibleName(), QStringLiteral("75"));

    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, handle);
    QVERIFY(!slider.bubble()->isVisible());
    QCOMPARE(changed.count(), 1);
}

void TestMirtWidgets::sliderWithoutBubbleStillReportsRelease()
{
    MirtSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.resize(200, 30);
    QSignalSpy changed(&slider, &MirtSlider::MouseChange);
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(20, 15));
    QVERIFY(slider.bubble()->isHidden());
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(20, 15));
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(150, 15));
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(150, 15));
    QCOMPARE(changed.count(), 2);
    QVERIFY(slider.bubble()->isHidden());
}

void TestMirtWidgets::labelTextNumberAndAccessibleName()
{
    MirtLabel label(QStringLiteral("DPI"));
    QCOMPARE(label.text(), QStringLiteral("DPI"));
    QCOMPARE(label.accessibleName(), QStringLiteral("DPI"));
    QCOMPARE(label.alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    QVERIFY(label.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(label.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    label.setNum(-42);
    QCOMPARE(label.text(), QStringLiteral("-42"));
    QCOMPARE(label.accessibleName(), QStringLiteral("-42"));

    // Fill first, then text: a filled empty label is the fill colour.
    label.setText(QString());
    label.SetFillColor(QColor(10, 200, 30));
    label.resize(30, 20);
    QImage shot(label.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    label.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(shot.pixelColor(15, 10), QColor(10, 200, 30));
}

void TestMirtWidgets::labelPressEmitsEnterSignal()
{
    MirtLabel label(QStringLiteral("X:100"));
    label.resize(60, 20);
    QSignalSpy spy(&label, &MirtLabel::EnterSignal);
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<MirtLabel *>(), &label);
    QTest::mouseClick(&label, Qt::RightButton);
    QCOMPARE(spy.count(), 1);
}

void TestMirtWidgets::processbarTextIsItsOwn()
{
    MirtProcessbar bar;
    bar.setRange(0, 100);
    bar.setValue(57);
    QVERIFY(!bar.isTextVisible());
    bar.SetText(QStringLiteral("MOUSE OFF"));
    QCOMPARE(bar.GetText(), QStringLiteral("MOUSE OFF"));
    QCOMPARE(bar.accessibleName(), QStringLiteral("MOUSE OFF"));
    bar.SetText(QString());
    QCOMPARE(bar.GetText(), QString());

    // Without a caption it paints exactly the plain bar; the caption adds white text.
    const auto shotOf = [](QProgressBar &b) {
        b.resize(80, 20);
        QImage shot(b.size(), QImage::Format_ARGB32);
        shot.fill(Qt::black);
        b.render(&shot);
        return shot;
    };
    QProgressBar plain;
    plain.setRange(0, 100);
    plain.setValue(57);
    plain.setTextVisible(false);
    const QImage bare = shotOf(bar);
    QCOMPARE(bare, shotOf(plain));
    bar.SetText(QStringLiteral("OFF"));
    const QImage captioned = shotOf(bar);
    int newWhite = 0; // white text over the coloured part of the bar
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x)
            newWhite +=
                captioned.pixel(x, y) == qRgb(255, 255, 255) && bare.pixel(x, y) != qRgb(255, 255, 255);
    QVERIFY2(newWhite > 10, qPrintable(QString::number(newWhite)));
}

void TestMirtWidgets::listRowStoredValues_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("below minimum") << QStringLiteral("7") << 10 << 0 << 1;
    QTest::newRow("above maximum") << QStringLiteral("123456") << 65530 << 0x19 << 0x99;
    QTest::newRow("rounded down") << QStringLiteral("1234") << 1230 << 0 << 123;
    QTest::newRow("largest kept") << QStringLiteral("65529") << 65520 << 0x19 << 0x98;
    QTest::newRow("first clamped") << QStringLiteral("65530") << 65530 << 0x19 << 0x99;
    QTest::newRow("exact ten") << QStringLiteral("10") << 10 << 0 << 1;
    QTest::newRow("empty") << QString() << 10 << 0 << 1;
    QTest::newRow("zero") << QStringLiteral("0") << 10 << 0 << 1;
}

void TestMirtWidgets::listRowStoredValues()
{
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(int, high);
    QFETCH(int, low);
    MirtListItem row;
    row.SetType(MirtListItem::kDelayType);
    QSignalSpy edited(&row, &MirtListItem::valueEdited);
    row.editPressSlot();
    row.editor()->setText(typed);
    row.lostFocusSlot();
    QCOMPARE(row.GetStoredValue(), stored);
    QCOMPARE(int(row.GetHigh()), high);
    QCOMPARE(int(row.GetLow()), low);
    QCOMPARE(row.shownText(), QString::number(stored));
    QCOMPARE(edited.count(), 1);
}

void TestMirtWidgets::listRowEditingShowsEditorAndEndsOnce()
{
    QWidget host;
    MirtListItem row(&host);
    row.SetType(MirtListItem::kDelayType);
    row.SetValue(0x01, 0x02); // 258 × 10
    QCOMPARE(row.shownText(), QStringLiteral("2580"));
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));

    QSignalSpy edited(&row, &MirtListItem::valueEdited);
    row.editPressSlot();
    QVERIFY(row.isEditing());
    QVERIFY(row.editor()->isVisible());
    QVERIFY(!row.label()->isVisible());
    QCOMPARE(row.editor()->text(), QStringLiteral("2580"));
    QCOMPARE(row.editor()->cursorPosition(), 4);
    // The validator refuses letters.
    QTest::keyClicks(row.editor(), QStringLiteral("x"));
    QCOMPARE(row.editor()->text(), QStringLiteral("2580"));

    row.editor()->setText(QStringLiteral("99"));
    QTest::keyClick(row.editor(), Qt::Key_Return);
    QVERIFY(!row.isEditing());
    QVERIFY(!row.editor()->isVisible());
    QVERIFY(row.label()->isVisible());
    QCOMPARE(row.GetStoredValue(), 90);
    // The focus loss that follows a confirmation does not end editing twice.
    row.lostFocusSlot();
    QCOMPARE(edited.count(), 1);
}

void TestMirtWidgets::listRowOtherTypesShowTheirText()
{
    MirtListItem row;
    row.SetType(1);
    row.SetValue(0x12, 0x34);
    row.SetText(QStringLiteral("A Press"));
    QCOMPARE(row.shownText(), QStringLiteral("A Press"));
    QCOMPARE(row.label()->accessibleName(), QStringLiteral("A Press"));
    row.SetType(MirtListItem::kDelayType);
    QCOMPARE(row.shownText(), QString::number((0x12 * 256 + 0x34) * 10));
}

void TestMirtWidgets::scaledGeometryTruncates()
{
    QWidget w;
    SetScaledGeometry(&w, 1.25, 69, 581, 86, 47);
    QCOMPARE(w.geometry(), QRect(86, 726, 107, 58));
    QCOMPARE(MirtKit::scaleFactor(), 1.25);
    QCOMPARE(MirtKit::scaled(999), 1248);
    RescaleGeometry(&w, 1.5);
    QCOMPARE(w.geometry(), QRect(129, 1089, 160, 87));
    SetScaledGeometry(&w, 1.75, 999, 640, 3, 3);
    QCOMPARE(w.geometry(), QRect(1748, 1120, 5, 5));
    RescaleGeometry(nullptr, 2.0); // tolerated
}

void TestMirtWidgets::fittedTextIsTheElidedText()
{
    // The shortcut past shaping must never keep a caption whole that the
    // toolkit would cut: same result at every width, in every script.
    const QStringList texts = {QStringLiteral("WAVE AV To. fi ffl"),
                               QStringLiteral("Profile 1"),
                               QString::fromUtf8("宏设置 配置文件"),
                               QString::fromUtf8("e\u0301te\u0301 na\u0308ive"),
                               QString::fromUtf8("مرحبا بالعالم"),
                               QStringLiteral("two\nlines"),
                               QString()};
    for (int px : {9, 14, 23}) {
        QFont font;
        font.setPixelSize(px);
        const QFontMetrics fm(font);
        for (const QString &text : texts) {
            const int full = fm.horizontalAdvance(text);
            for (int width = 0; width <= full + 40; width += 3)
                QCOMPARE(MirtKit::fittedText(fm, text, width), fm.elidedText(text, Qt::ElideRight, width));
        }
    }
}

void TestMirtWidgets::languageFontFollowsConfigAndLanguage()
{
    TestConfig config;
    config.setGlobal(QStringLiteral("FONT_LIST/FONT_0"), QStringLiteral("DejaVu Sans"));
    config.setGlobal(QStringLiteral("FONT_LIST/FONT_SIZE_0"), 12);
    config.setGlobal(QStringLiteral("FONT_LIST/FONT_1"), QStringLiteral("WenQuanYi Micro Hei"));
    config.setGlobal(QStringLiteral("FONT_LIST/FONT_SIZE_1"), 14);
    config.setLang(0);
    MirtKit::setScaleFactor(1.5);
    QCOMPARE(MirtKit::languageId(), 0);
    QCOMPARE(MirtKit::languageFontFamily(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(MirtKit::languageFont().pixelSize(), 18);
    QCOMPARE(MirtKit::languageFont(20).pixelSize(), 30);   // fixed size replaces
    QCOMPARE(MirtKit::languageFont(0, 2).pixelSize(), 15); // reduction
    MirtKit::setLanguageId(1);
    QCOMPARE(MirtKit::languageFontFamily(), QStringLiteral("WenQuanYi Micro Hei"));
    QCOMPARE(MirtKit::languageFont().pixelSize(), 21);

    MirtAction action(QStringLiteral("&Quit"));
    QCOMPARE(action.font().pixelSize(), 21);
    MirtKit::setLanguageId(0);
    action.setText(QStringLiteral("&Load Config"));
    QCOMPARE(action.font().pixelSize(), 18);
    QCOMPARE(action.font().family(), QStringLiteral("DejaVu Sans"));
}

void TestMirtWidgets::missingFontGivesToolkitDefaults()
{
    TestConfig config;
    config.setLang(7);
    QCOMPARE(MirtKit::languageId(), 7);
    QCOMPARE(MirtKit::languageFontFamily(), QString());
    QCOMPARE(MirtKit::languageFontPixelSize(), 0);
    const QFont f = MirtKit::languageFont();
    QCOMPARE(f.family(), QFont().family());
    // Painting still works with the toolkit's font: the text leaves ink.
    MirtLabel label(QStringLiteral("text"));
    label.resize(60, 20);
    QImage shot(label.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    label.render(&shot);
    int inked = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            inked += qAlpha(shot.pixel(x, y)) != 0 ? 1 : 0;
    QVERIFY(inked > 10);
}

void TestMirtWidgets::accentColourFromTheme()
{
    TestConfig config;
    QCOMPARE(MirtKit::accentColor(), QColor(255, 0, 0)); // no entry: theme 0
    config.setGlobal(QStringLiteral("Config/GColorID"), 6);
    QCOMPARE(MirtKit::accentColor(), QColor(255, 125, 0));
    config.setGlobal(QStringLiteral("Config/GColorID"), 3);
    QCOMPARE(MirtKit::accentColor(), QColor(219, 200, 182));
    config.setGlobal(QStringLiteral("Config/GColorID"), 42);
    QCOMPARE(MirtKit::accentColor(), QColor(255, 0, 0));
    config.setGlobal(QStringLiteral("Config/GColorID"), -3);
    QCOMPARE(MirtKit::accentColor(), QColor(255, 0, 0));
    QCOMPARE(MirtKit::accentCount(), 7);

    // Menus: the selected item in the accent colour, readable text on it.
    config.setGlobal(QStringLiteral("Config/GColorID"), 2);
    QVERIFY(MirtKit::menuStyleSheet().contains(
        QStringLiteral("QMenu::item:selected{background:rgb(0,0,255);color:#ffffff;}")));
    config.setGlobal(QStringLiteral("Config/GColorID"), 5);
    QVERIFY(MirtKit::menuStyleSheet().contains(
        QStringLiteral("QMenu::item:selected{background:rgb(0,255,255);color:#101114;}")));
    QVERIFY(MirtKit::menuStyleSheet(220).contains(QStringLiteral("min-width:220px")));
    // The checked item (the one in use) in accent text with an accent dot; the dot
    // stays visible on the selected item's accent background.
    QVERIFY(MirtKit::menuStyleSheet().contains(QStringLiteral("QMenu::item:checked{color:rgb(0,255,255);")));
    QVERIFY(MirtKit::menuStyleSheet().contains(
        QStringLiteral("QMenu::indicator:checked{background:rgb(0,255,255);")));
    QVERIFY(MirtKit::menuStyleSheet().contains(
        QStringLiteral("QMenu::indicator:checked:selected{background:#101114;}")));
}

void TestMirtWidgets::spinArrowsStandOutOnTheDarkSkin()
{
    // A spin box on the dark panel, styled as the pages style it: its arrows
    // are drawn in the skin's text colour, and dimmed when it is disabled.
    QSpinBox box;
    box.setStyleSheet(
        QStringLiteral("QSpinBox{color:#e2e5eb;background:rgb(30,30,34);border:1px solid rgb(90,90,96);}") +
        MirtKit::spinBoxArrowSheet());
    box.setRange(0, 10);
    box.setValue(5);
    box.resize(70, 24);
    auto brightPixels = [&box](bool upper) {
        QImage image(box.size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        box.render(&image);
        int bright = 0;
        const int top = upper ? 2 : box.height() / 2;
        for (int y = top; y < top + box.height() / 2 - 2; ++y) {
            for (int x = box.width() - 14; x < box.width() - 2; ++x)
                bright += QColor(image.pixel(x, y)).lightness() > 170 ? 1 : 0;
        }
        return bright;
    };
    QVERIFY2(brightPixels(true) >= 6, qPrintable(QString::number(brightPixels(true))));
    QVERIFY2(brightPixels(false) >= 6, qPrintable(QString::number(brightPixels(false))));
    box.setEnabled(false);
    QCOMPARE(brightPixels(true), 0);
    QCOMPARE(brightPixels(false), 0);
}

void TestMirtWidgets::colourModeChangesButtonPens()
{
    MirtKit::setThemeIndex(1);
    MirtKit::setColorMode(0);
    const QColor standard = MirtKit::buttonTextColor(0);
    MirtKit::setColorMode(5);
    QCOMPARE(MirtKit::colorMode(), 1);
    QCOMPARE(MirtKit::buttonTextColor(0), QColor(0, 255, 0));
    QVERIFY(MirtKit::buttonTextColor(0) != standard);
    MirtKit::setColorMode(0);
    QCOMPARE(MirtKit::buttonTextColor(0), standard);
    QVERIFY(MirtKit::buttonTextColor(3) != MirtKit::buttonTextColor(1)); // disabled is dim
}

void TestMirtWidgets::resolvePathFindsSkinFolder()
{
    // Above 2.0 the full-size picture.
    MirtKit::setScaleFactor(2.5);
    const QString skin = QDir(Paths::dataDir()).filePath(QStringLiteral("skin/dlg.png"));
    QCOMPARE(MirtKit::resolvePath(QStringLiteral("/skin/dlg.png")), skin);
    QCOMPARE(MirtKit::resolvePath(QStringLiteral("skin/dlg.png")), skin);
    QCOMPARE(MirtKit::resolvePath(QStringLiteral("dlg.png")), skin);
    QCOMPARE(MirtKit::resolvePath(QStringLiteral("./skin/dlg.png")), skin);
    QCOMPARE(MirtKit::resolvePath(QStringLiteral(":/yes_Btn")), QStringLiteral(":/yes_Btn"));
    QCOMPARE(MirtKit::resolvePath(skin), skin);
    QCOMPARE(MirtKit::resolvePath(QStringLiteral("/nowhere/x.png")), QStringLiteral("/nowhere/x.png"));
    QVERIFY(!MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png")).isNull());
    QVERIFY(MirtKit::skinPixmap(QStringLiteral("/skin/no-such-picture.png")).isNull());
    // At 1.0 the same names give the picture at design size, in every spelling.
    MirtKit::setScaleFactor(1.0);
    const QString small = QDir(Paths::dataDir()).filePath(QStringLiteral("skin/1x/dlg.png"));
    for (const char *name : {"/skin/dlg.png", "skin/dlg.png", "dlg.png"})
        QCOMPARE(MirtKit::resolvePath(QString::fromLatin1(name)), small);
}

void TestMirtWidgets::resolvePathPicksRenditionForFactor_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<QString>("both");   // a picture with 1x and 2x
    QTest::addColumn<QString>("only2x"); // a picture with 2x only
    QTest::addColumn<int>("rendition");
    QTest::newRow("1.0") << 1.0 << "1x/pic.png"
                         << "half.png" << 1;
    QTest::newRow("1.5") << 1.5 << "2x/pic.png"
                         << "2x/half.png" << 2;
    QTest::newRow("2.0") << 2.0 << "2x/pic.png"
                         << "2x/half.png" << 2;
    QTest::newRow("2.5") << 2.5 << "pic.png"
                         << "half.png" << 0;
    QTest::newRow("5.0") << 5.0 << "pic.png"
                         << "half.png" << 0;
}

void TestMirtWidgets::resolvePathPicksRenditionForFactor()
{
    QFETCH(double, factor);
    QFETCH(QString, both);
    QFETCH(QString, only2x);
    QFETCH(int, rendition);

    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QDir skin(data.filePath(QStringLiteral("skin")));
    for (const char *rel : {"pic.png", "1x/pic.png", "2x/pic.png", "half.png", "2x/half.png",
                            "mouse/M/Mouse.png", "1x/mouse/M/Mouse.png", "2x/mouse/M/Mouse.png"}) {
        const QString path = skin.filePath(QString::fromLatin1(rel));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    Paths::setDataDir(data.path());
    MirtKit::setScaleFactor(factor);
    QCOMPARE(MirtKit::skinRendition(), rendition);
    QCOMPARE(MirtKit::renditionFor(factor), rendition);

    const QString picked = MirtKit::resolvePath(QStringLiteral("/skin/pic.png"));
    const QString pickedHalf = MirtKit::resolvePath(QStringLiteral("half.png"));
    const QString pickedMouse = MirtKit::resolvePath(QStringLiteral("/skin/mouse/M/Mouse.png"));
    const QString explicitFactor = MirtKit::resolvePath(QStringLiteral("pic.png"), factor);
    const QString missing = MirtKit::resolvePath(QStringLiteral("/skin/none.png"));
    Paths::setDataDir(QString());

    QCOMPARE(picked, skin.filePath(both));
    QCOMPARE(explicitFactor, picked);
    // A missing rendition falls back to the full-size picture.
    QCOMPARE(pickedHalf, skin.filePath(only2x));
    // Names in subfolders keep their relative path inside the rendition.
    QCOMPARE(pickedMouse, skin.filePath(rendition ? QStringLiteral("%1x/mouse/M/Mouse.png").arg(rendition)
                                                  : QStringLiteral("mouse/M/Mouse.png")));
    // A picture that is nowhere still names its full-size place.
    QCOMPARE(missing, skin.filePath(QStringLiteral("none.png")));
}

QTEST_MAIN(TestMirtWidgets)
#include "tst_mirtwidgets.moc"
