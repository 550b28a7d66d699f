#include "SkinCache.h"

#include "Log.h"
#include "MirtKit.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>

namespace SkinCache {

namespace {

QString &overrideDir()
{
    static QString dir;
    return dir;
}

QString keyFor(const QFileInfo &source, const QSize &size, Qt::AspectRatioMode mode)
{
    const QByteArray id = source.absoluteFilePath().toUtf8() + '|' + QByteArray::number(source.size()) + '|' +
                          QByteArray::number(source.lastModified().toMSecsSinceEpoch()) + '|' +
                          QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height()) + '|' +
                          QByteArray::number(int(mode));
    return QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".png");
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
}

QImage scaled(const QString &name, const QSize &size, Qt::AspectRatioMode mode)
{
    const QFileInfo source(MirtKit::resolvePath(name));
    if (!source.isFile() || size.isEmpty())
        return QImage();
    const QString cached = directory() + QLatin1Char('/') + keyFor(source, size, mode);
    QImage image;
    if (QFileInfo::exists(cached) && image.load(cached, "PNG"))
        return image;

    if (!image.load(source.absoluteFilePath()))
        return QImage();
    if (image.size() != size)
        image = image.scaled(size, mode, Qt::SmoothTransformation);

    // Stored uncompressed: reading it is then mostly a copy. A copy that cannot
    // be written only costs the next start its time.
    if (QDir().mkpath(directory())) {
        QSaveFile out(cached);
        if (out.open(QIODevice::WriteOnly) && image.save(&out, "PNG", 100))
            out.commit();
        else
            qCDebug(lcApp) << "skin cache not written:" << cached;
    }
    return image;
}

} // namespace SkinCache
