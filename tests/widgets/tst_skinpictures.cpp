// Every picture the program loads exists in the built skin folder, is a real
// picture (not blank) and is large enough to stay sharp at scale 5; its
// renditions at one and two times the design size exist beside it.

#include "MirtKit.h"
#include "Paths.h"
#include "ShippedModel.h"
#include "SkinPictures.h"
#include "SkinRaw.h"

#include <QBitmap>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMovie>
#include <QtMath>
#include <QtTest>

namespace {

QString model()
{
    return QString::fromLatin1(kShippedProductName);
}

// The names the windows, pages and dialogs load from the skin folder.
QStringList namesTheProgramLoads()
{
    QStringList names = {
        QStringLiteral("cfgMainback.png"), QStringLiteral("bat1.png"),
        QStringLiteral("bat2.png"),        QStringLiteral("icon.ico"),
        QStringLiteral("tabbutton-1.png"), QStringLiteral("tabbutton-2.png"),
        QStringLiteral("tabbutton-3.png"), QStringLiteral("mouselogo.png"),
        QStringLiteral("dongle.png"),      QStringLiteral("lightning.png"),
        QStringLiteral("lang.png"),        QStringLiteral("dlg.png"),
        QStringLiteral("warn.png"),        QStringLiteral("dongle2.png"),
        QStringLiteral("process.png"),     QStringLiteral("DPI-ON.png"),
        QStringLiteral("DPI-OFF.png"),     QStringLiteral("rate.png"),
        QStringLiteral("profilesel.png"),  QStringLiteral("checkbox2-1.png"),
        QStringLiteral("checkbox2-2.png"), QStringLiteral("dlg_gun.png"),
        QStringLiteral("bulletsel.png"),   QStringLiteral("gunset_bullet.png"),
    };
    for (int n = 1; n <= 4; ++n)
        names << QStringLiteral("btn_up%1.png").arg(n) << QStringLiteral("btn_down%1.png").arg(n);
    names << QStringLiteral("mouse/%1/Mouse.png").arg(model());
    for (int n = 1; n <= kShippedButtonCount; ++n)
        names << QStringLiteral("mouse/%1/mouse_%2.png").arg(model()).arg(n);
    names << QStringLiteral("mouse/%1_Side.png").arg(model());
    return names;
}

// Design sizes of pictures drawn large: at scale 5 they must not be enlarged
// by more than a quarter.
struct DesignSize
{
    const char *name;
    int width;
    int height;
};
const DesignSize kDesignSizes[] = {
    {"cfgMainback.png", 999, 640},
    {"dlg.png", 478, 309},
    {"dlg_gun.png", 619, 400},
    {"process.png", 128, 128},
    {"bat1.png", 86, 47},
    {"tabbutton-1.png", 220, 30},
    {"warn.png", 45, 45},
    {"mouse/%1/Mouse.png", 300, 400},
    {"mouse/%1_Side.png", 300, 400},
};

QString designName(const DesignSize &d)
{
    const QString name = QString::fromLatin1(d.name);
    return name.contains(QStringLiteral("%1")) ? name.arg(model()) : name;
}

// The icon is for the desktop and the tray, which pick their own sizes.
bool hasRenditions(const QString &name)
{
    return !name.startsWith(QStringLiteral("icon."));
}

bool hasVisiblePixels(const QImage &img)
{
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    QRgb first = argb.pixel(argb.width() / 2, argb.height() / 2);
    bool varied = false;
    for (int y = 0; y < argb.height(); y += qMax(1, argb.height() / 64)) {
        for (int x = 0; x < argb.width(); x += qMax(1, argb.width() / 64)) {
            const QRgb c = argb.pixel(x, y);
            if (qAlpha(c) > 64)
                ++opaque;
            if (c != first)
                varied = true;
        }
    }
    return opaque > 0 && varied;
}

} // namespace

class TestSkinPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLoadedPictureExists_data();
    void everyLoadedPictureExists();
    void kitListCoversWhatTheProgramLoads();
    void kitPicturesExist();
    void picturesAreLargeEnoughForScaleFive();
    void buttonHighlightsDifferFromTheMouse();
    void windowShapeIsTheOpaqueArea();
    void iconHasEverySize();
    void compiledInResources();
    void everyPictureHasItsRenditions();
    void theFactorPicksTheRendition();
    void prescaledButtonsAreWhatTheWindowMakes();
};

void TestSkinPictures::initTestCase()
{
    // Above 2.0 names resolve to the full-size pictures, which most checks are about.
    MirtKit::setScaleFactor(5.0);
}

void TestSkinPictures::everyLoadedPictureExists_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &n : namesTheProgramLoads())
        QTest::newRow(qPrintable(n)) << n;
}

void TestSkinPictures::everyLoadedPictureExists()
{
    QFETCH(QString, name);
    const QString path = QDir(Paths::dataDir()).filePath(QStringLiteral("skin/") + name);
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    // The program asks for "/skin/NAME" under its folder.
    QCOMPARE(MirtKit::resolvePath(QStringLiteral("/skin/") + name), path);
    const QImage img(path);
    QVERIFY2(!img.isNull(), qPrintable(path));
    QVERIFY2(hasVisiblePixels(img), qPrintable(path + QStringLiteral(" is blank")));
}

void TestSkinPictures::kitListCoversWhatTheProgramLoads()
{
    const QStringList kit = MirtKit::skinPictureNames(model(), kShippedButtonCount);
    for (const QString &n : namesTheProgramLoads())
        QVERIFY2(kit.contains(n), qPrintable(n));
}

void TestSkinPictures::kitPicturesExist()
{
    for (const QString &n : MirtKit::skinPictureNames(model(), kShippedButtonCount)) {
        const QImage img(MirtKit::skinPath(n));
        QVERIFY2(!img.isNull(), qPrintable(n));
        QVERIFY2(hasVisiblePixels(img), qPrintable(n + QStringLiteral(" is blank")));
    }
}

void TestSkinPictures::picturesAreLargeEnoughForScaleFive()
{
    for (const DesignSize &d : kDesignSizes) {
        const QString name = designName(d);
        const QSize size = QImageReader(MirtKit::skinPath(name)).size();
        QVERIFY2(size.width() * 5 >= d.width * 5 * 4 && size.height() * 5 >= d.height * 5 * 4,
                 qPrintable(QStringLiteral("%1 is %2x%3").arg(name).arg(size.width()).arg(size.height())));
        // Drawn at its design aspect ratio.
        QVERIFY(qAbs(double(size.width()) / size.height() - double(d.width) / d.height) < 0.01);
    }
    const QSize mouse =
        QImageReader(MirtKit::skinPath(QStringLiteral("mouse/%1/Mouse.png").arg(model()))).size();
    QVERIFY(mouse.width() >= 300 * 4 && mouse.height() >= 400 * 4);
}

void TestSkinPictures::buttonHighlightsDifferFromTheMouse()
{
    const QImage plain(MirtKit::skinPath(QStringLiteral("mouse/%1/Mouse.png").arg(model())));
    QVector<QImage> seen;
    for (int n = 1; n <= kShippedButtonCount; ++n) {
        const QImage hl(MirtKit::skinPath(QStringLiteral("mouse/%1/mouse_%2.png").arg(model()).arg(n)));
        QCOMPARE(hl.size(), plain.size());
        QVERIFY2(hl != plain, qPrintable(QStringLiteral("mouse_%1 highlights nothing").arg(n)));
        for (const QImage &other : seen)
            QVERIFY(hl != other);
        seen.append(hl);
    }
}

void TestSkinPictures::windowShapeIsTheOpaqueArea()
{
    const QPixmap back(MirtKit::skinPath(QStringLiteral("cfgMainback.png")));
    const QPixmap scaled = back.scaled(999, 640, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRegion shape(scaled.mask());
    // Chamfered corners are outside the window, the middle and edges inside.
    QVERIFY(!shape.contains(QPoint(1, 1)));
    QVERIFY(!shape.contains(QPoint(997, 638)));
    QVERIFY(shape.contains(QPoint(500, 320)));
    QVERIFY(shape.contains(QPoint(500, 1)));
    QVERIFY(shape.contains(QPoint(30, 320)));
}

void TestSkinPictures::iconHasEverySize()
{
    const QIcon icon(MirtKit::skinPath(QStringLiteral("icon.ico")));
    QVERIFY(!icon.isNull());
    for (int s : {16, 32, 48, 256}) {
        const QPixmap pm = icon.pixmap(s, s);
        QCOMPARE(pm.size(), QSize(s, s));
        QVERIFY(hasVisiblePixels(pm.toImage()));
    }
    QVERIFY(!QImage(MirtKit::skinPath(QStringLiteral("icon.png"))).isNull());
}

void TestSkinPictures::compiledInResources()
{
    MirtKit::initResources();
    for (const char *name : {":/yes_Btn", ":/no_Btn"}) {
        const QImage img{QString::fromLatin1(name)};
        QVERIFY2(!img.isNull(), name);
        QVERIFY(img.width() >= 110 * 5);
        QVERIFY(hasVisiblePixels(img));
    }
    QMovie movie(QStringLiteral(":/skin/loading.gif"));
    QVERIFY(movie.isValid());
    QVERIFY(movie.frameCount() >= 8);
    QVERIFY(movie.jumpToFrame(0));
    const QImage first = movie.currentImage();
    for (int i = 0; i < 3; ++i)
        QVERIFY(movie.jumpToNextFrame());
    const QImage later = movie.currentImage();
    QVERIFY(hasVisiblePixels(first));
    QVERIFY(first != later); // it does move
    QVERIFY(first.width() >= 127 * 4);
    // All twelve dots of the ring are drawn (none lost to the GIF's one-bit transparency).
    const QImage argb = first.convertToFormat(QImage::Format_ARGB32);
    const double unit = argb.width() / 127.0;
    for (int i = 0; i < 12; ++i) {
        const double a = qDegreesToRadians(i * 30.0);
        const int x = int((63.5 + 36 * qCos(a)) * unit);
        const int y = int((63.5 + 36 * qSin(a)) * unit);
        QVERIFY2(qAlpha(argb.pixel(x, y)) == 255, qPrintable(QStringLiteral("dot %1 missing").arg(i)));
    }
    // Transparent corners, so the rounded busy panel shows around the dots.
    QCOMPARE(qAlpha(first.convertToFormat(QImage::Format_ARGB32).pixel(0, 0)), 0);
}

void TestSkinPictures::everyPictureHasItsRenditions()
{
    const QDir skin(QDir(Paths::dataDir()).filePath(QStringLiteral("skin")));
    int checked = 0;
    for (const QString &n : MirtKit::skinPictureNames(model(), kShippedButtonCount)) {
        if (!hasRenditions(n))
            continue;
        const QSize full = QImageReader(skin.filePath(n)).size();
        const QString one = skin.filePath(QStringLiteral("1x/") + n);
        const QString two = skin.filePath(QStringLiteral("2x/") + n);
        QVERIFY2(QFileInfo::exists(one) && QFileInfo::exists(two), qPrintable(n));
        const QImage small(one);
        const QImage twice(two);
        QVERIFY2(!small.isNull() && hasVisiblePixels(small), qPrintable(one));
        QVERIFY2(!twice.isNull() && hasVisiblePixels(twice), qPrintable(two));
        // The full-size picture is four or five times the design size.
        QCOMPARE(twice.size(), small.size() * 2);
        QVERIFY2(full == small.size() * 4 || full == small.size() * 5,
                 qPrintable(QStringLiteral("%1: %2x%3 at 1x, %4x%5 full")
                                .arg(n)
                                .arg(small.width())
                                .arg(small.height())
                                .arg(full.width())
                                .arg(full.height())));
        ++checked;
    }
    QVERIFY(checked > 60);
    // At 1x exactly the design size.
    for (const DesignSize &d : kDesignSizes) {
        const QString name = designName(d);
        QCOMPARE(QImageReader(skin.filePath(QStringLiteral("1x/") + name)).size(), QSize(d.width, d.height));
    }
    // The highlighted mouse pictures stay distinct in the small renditions too.
    const QImage plain(skin.filePath(QStringLiteral("1x/mouse/%1/Mouse.png").arg(model())));
    const QImage first(skin.filePath(QStringLiteral("1x/mouse/%1/mouse_1.png").arg(model())));
    QVERIFY(plain != first);
}

void TestSkinPictures::theFactorPicksTheRendition()
{
    const QDir skin(QDir(Paths::dataDir()).filePath(QStringLiteral("skin")));
    const struct
    {
        double factor;
        const char *folder;
    } cases[] = {
        {1.0, "1x/"}, {1.5, "2x/"}, {2.0, "2x/"}, {2.5, ""}, {5.0, ""},
    };
    for (const auto &c : cases) {
        for (const QString &n :
             {QStringLiteral("cfgMainback.png"), QStringLiteral("mouse/%1/Mouse.png").arg(model())}) {
            const QString path = MirtKit::resolvePath(QStringLiteral("/skin/") + n, c.factor);
            QCOMPARE(path, skin.filePath(QString::fromLatin1(c.folder) + n));
            // Pages put these paths into style sheets unquoted: url(...).
            static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./-]+$"));
            QVERIFY2(plain.match(path.mid(Paths::dataDir().size())).hasMatch(), qPrintable(path));
            // A rendition is never enlarged: at least design size × factor.
            const QSize size = QImageReader(path).size();
            const QSize design = QImageReader(skin.filePath(QStringLiteral("1x/") + n)).size();
            if (*c.folder)
                QVERIFY(size.width() >= design.width() * c.factor &&
                        size.height() >= design.height() * c.factor);
            else
                QVERIFY(size.width() >= design.width() * 4 && size.height() >= design.height() * 4);
        }
        // The icon has no renditions: always the one file.
        QCOMPARE(MirtKit::resolvePath(QStringLiteral("/skin/icon.png"), c.factor),
                 skin.filePath(QStringLiteral("icon.png")));
    }
}

void TestSkinPictures::prescaledButtonsAreWhatTheWindowMakes()
{
    // The build's renditions at the buttons' sizes, pixel for pixel what the
    // window would make from the same picture, and found where it looks.
    const QDir skin(QDir(Paths::dataDir()).filePath(QStringLiteral("skin")));
    static const QRegularExpression name(QStringLiteral("^(.+)@(\\d+)x(\\d+)-ignore(-faded)?\\.raw$"));
    int seen = 0;
    for (const QString &rendition : {QStringLiteral("1x"), QStringLiteral("2x")}) {
        const QDir sized(skin.filePath(QStringLiteral("sized/") + rendition));
        for (const QString &file : sized.entryList({QStringLiteral("*.raw")}, QDir::Files)) {
            const QRegularExpressionMatch m = name.match(file);
            QVERIFY2(m.hasMatch(), qPrintable(file));
            const QString source =
                skin.filePath(rendition + QLatin1Char('/') + m.captured(1) + QStringLiteral(".png"));
            const QSize size(m.captured(2).toInt(), m.captured(3).toInt());
            const bool faded = !m.captured(4).isEmpty();
            QCOMPARE(QFileInfo(SkinPictures::prescaledPath(source, faded, size)).canonicalFilePath(),
                     QFileInfo(sized.filePath(file)).canonicalFilePath());
            const QImage built = SkinRaw::read(sized.filePath(file));
            const QImage here = SkinPictures::scaledHere(source, faded, size)
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(!built.isNull() && built == here, qPrintable(file));
            ++seen;
        }
    }
    QVERIFY(seen >= 16);
    // Anything else has no rendition to look for.
    QVERIFY(SkinPictures::prescaledPath(skin.filePath(QStringLiteral("cmd-1.png")), false, QSize(10, 10))
                .isEmpty());
}

QTEST_MAIN(TestSkinPictures)
#include "tst_skinpictures.moc"
