#include "SkinCache.h"

#include "Log.h"
#include "MirtKit.h"
#include "Paths.h"
#include "SkinRaw.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace SkinCache {

namespace {

struct Entry
{
    QImage image;
    QRegion shape;
};

QString &overrideDir()
{
    static QString dir;
    return dir;
}

// What this run has loaded or scaled already (the window asks again when it
// is shown and when the mouse pictures are refreshed).
QHash<QString, Entry> &loaded()
{
    static QHash<QString, Entry> entries;
    return entries;
}

QString keyFor(const QFileInfo &source, const QSize &size, Qt::AspectRatioMode mode)
{
    const QByteArray id = source.absoluteFilePath().toUtf8() + '|' + QByteArray::number(source.size()) + '|' +
                          QByteArray::number(source.lastModified().toMSecsSinceEpoch()) + '|' +
                          QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height()) + '|' +
                          QByteArray::number(int(mode));
    return QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex()) +
           SkinRaw::suffix();
}

} // namespace

QString directory()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/mousecfg/skin");
}

void setDirectory(const QString &dir)
{
    overrideDir() = dir;
    loaded().clear();
}

QString prescaledPath(const QString &name, const QSize &size, Qt::AspectRatioMode mode)
{
    QString rel = name;
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    if (!rel.startsWith(QLatin1String("skin/")) || !rel.endsWith(QLatin1String(".png")))
        return QString();
    rel = rel.mid(5, rel.size() - 9);
    return QDir(Paths::dataDir())
        .filePath(QStringLiteral("skin/sized/") + SkinRaw::sizedName(rel, size, mode));
}

QImage scaled(const QString &name, const QSize &size, Qt::AspectRatioMode mode, QRegion *shape)
{
    if (size.isEmpty())
        return QImage();
    const QString memoKey = QStringLiteral("%1|%2x%3|%4|%5")
                                .arg(name)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode))
                                .arg(MirtKit::skinRendition());
    auto hit = loaded().constFind(memoKey);
    if (hit != loaded().constEnd()) {
        if (shape)
            *shape = hit->shape;
        return hit->image;
    }
    Entry entry;
    // Scaled when the program was built...
    entry.image = SkinRaw::read(prescaledPath(name, size, mode), &entry.shape);
    if (entry.image.isNull()) {
        const QFileInfo source(MirtKit::resolvePath(name));
        if (!source.isFile())
            return QImage();
        // ... or on an earlier start...
        const QString cached = directory() + QLatin1Char('/') + keyFor(source, size, mode);
        entry.image = SkinRaw::read(cached, &entry.shape);
        if (entry.image.isNull()) {
            // ... or now, kept for the next start. A copy that cannot be
            // written only costs the next start its time.
            QImage image;
            if (!image.load(source.absoluteFilePath()))
                return QImage();
            if (image.size() != size)
                image = image.scaled(size, mode, Qt::SmoothTransformation);
            entry.image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            entry.shape = SkinRaw::opaqueArea(entry.image);
            if (!QDir().mkpath(directory()) || !SkinRaw::write(cached, entry.image))
                qCDebug(lcApp) << "skin cache not written:" << cached;
        }
    }
    loaded().insert(memoKey, entry);
    if (shape)
        *shape = entry.shape;
    return entry.image;
}

} // namespace SkinCache
