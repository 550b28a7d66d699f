#include "SkinPictures.h"

#include "SkinRaw.h"

#include <QBitmap>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>

namespace SkinPictures {

namespace {

struct Store
{
    QHash<QString, QPixmap> pictures; // path, and "faded|" + path
    QHash<QString, QPixmap> scaled;   // key(path, faded, size)
    QHash<QString, QRegion> shapes;
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
    QPixmap result = first;
    if (!first.isNull()) {
        result = QPixmap(first.size());
        result.fill(Qt::transparent);
        QPainter p(&result);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawPixmap(0, 0, first);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.fillRect(result.rect(), QColor(0, 0, 0, 200));
    }
    store().pictures.insert(key, result);
    return result;
}

QPixmap scaled(const QString &path, bool fadedLook, const QSize &size)
{
    const QString key = sizedKey(path, fadedLook, size);
    auto it = store().scaled.constFind(key);
    if (it != store().scaled.constEnd())
        return it.value();
    const QPixmap source = fadedLook ? faded(path) : picture(path);
    const QPixmap result = source.isNull() || size.isEmpty()
                               ? source
                               : source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    store().scaled.insert(key, result);
    return result;
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
