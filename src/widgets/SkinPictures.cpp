#include "SkinPictures.h"

#include "SkinRaw.h"

#include <QBitmap>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>

namespace SkinPictures {

namespace {

struct Store
{
    QHash<QString, QPixmap> pictures; // path, and "faded|" + path
    QHash<QString, QPixmap> scaled;   // key(path, faded, size)
    QHash<QString, QRegion> shapes;
    int scaledHere = 0;
};

Store &store()
{
    static Store s;
    return s;
}

QString sizedKey(const QString &path, bool fadedLook, const QSize &size)
{
    // Asked for on every resize and paint of every button: built without arg()'s parsing.
    return path + (fadedLook ? QLatin1String("|1|") : QLatin1String("|0|")) + QString::number(size.width()) +
           QLatin1Char('x') + QString::number(size.height());
}

QPixmap load(const QString &path)
{
    if (path.endsWith(QLatin1String(".png"))) {
        const QImage raw = SkinRaw::read(path.left(path.size() - 4) + SkinRaw::suffix());
        if (!raw.isNull())
            return QPixmap::fromImage(raw);
    }
    return QPixmap(path);
}

} // namespace

QPixmap picture(const QString &path)
{
    if (path.isEmpty())
        return QPixmap();
    auto it = store().pictures.find(path);
    if (it == store().pictures.end())
        it = store().pictures.insert(path, load(path));
    return it.value();
}

QPixmap faded(const QString &path)
{
    const QString key = QStringLiteral("faded|") + path;
    auto it = store().pictures.constFind(key);
    if (it != store().pictures.constEnd())
        return it.value();
    const QPixmap first = picture(path);
    const QPixmap result = first.isNull() ? first : QPixmap::fromImage(SkinRaw::faded(first.toImage()));
    store().pictures.insert(key, result);
    return result;
}

QString prescaledPath(const QString &path, bool fadedLook, const QSize &size)
{
    // Only a picture of the 1x or 2x rendition: the build scales from the same one.
    const QFileInfo source(path);
    const QString rendition = source.dir().dirName();
    if ((rendition != QLatin1String("1x") && rendition != QLatin1String("2x")) ||
        !path.endsWith(QLatin1String(".png")))
        return QString();
    return source.path() + QLatin1String("/../sized/") + rendition + QLatin1Char('/') +
           SkinRaw::sizedName(source.completeBaseName(), size, Qt::IgnoreAspectRatio, fadedLook);
}

QPixmap scaledHere(const QString &path, bool fadedLook, const QSize &size)
{
    const QPixmap source = fadedLook ? faded(path) : picture(path);
    if (source.isNull() || size.isEmpty() || source.size() == size)
        return source;
    ++store().scaledHere;
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPixmap scaled(const QString &path, bool fadedLook, const QSize &size)
{
    const QString key = sizedKey(path, fadedLook, size);
    auto it = store().scaled.constFind(key);
    if (it != store().scaled.constEnd())
        return it.value();
    QPixmap result;
    const QString built = size.isEmpty() ? QString() : prescaledPath(path, fadedLook, size);
    if (!built.isEmpty()) {
        const QImage image = SkinRaw::read(built);
        if (!image.isNull() && image.size() == size)
            result = QPixmap::fromImage(image);
    }
    if (result.isNull())
        result = scaledHere(path, fadedLook, size);
    store().scaled.insert(key, result);
    return result;
}

int scaledHereCount()
{
    return store().scaledHere;
}

QRegion shape(const QString &path, bool fadedLook, const QSize &size)
{
    const QString key = sizedKey(path, fadedLook, size);
    auto it = store().shapes.constFind(key);
    if (it != store().shapes.constEnd())
        return it.value();
    // From the picture as the button draws it: scaled once for both.
    const QPixmap drawn = scaled(path, fadedLook, size);
    QRegion region;
    if (!drawn.isNull() && !size.isEmpty())
        region = QRegion(QBitmap::fromImage(drawn.toImage().createAlphaMask(Qt::ThresholdAlphaDither)));
    store().shapes.insert(key, region);
    return region;
}

void clear()
{
    store() = Store();
}

} // namespace SkinPictures
