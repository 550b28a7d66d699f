#include "SkinRaw.h"

#include <QBitmap>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QVector>

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SkinRaw {

namespace {

constexpr char kMagic[8] = {'M', 'C', 'S', 'K', 'R', 'A', 'W', '1'};
constexpr quint32 kByteOrderMark = 0x01020304;

struct Header
{
    char magic[8];
    quint32 byteOrder;
    qint32 width;
    qint32 height;
    qint32 bytesPerLine;
    qint32 rectCount;
    quint32 pixelOffset; // from the start of the file, 64-byte aligned
};
static_assert(sizeof(Header) == 32, "raw skin header layout");

struct Mapping
{
    void *address;
    size_t length;
};

void unmap(void *info)
{
    auto *m = static_cast<Mapping *>(info);
    ::munmap(m->address, m->length);
    delete m;
}

} // namespace

QString suffix()
{
    return QStringLiteral(".raw");
}

QString sizedName(const QString &name, const QSize &size, Qt::AspectRatioMode mode, bool faded)
{
    return name + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x') +
           QString::number(size.height()) +
           (mode == Qt::KeepAspectRatio ? QLatin1String("-keep") : QLatin1String("-ignore")) +
           (faded ? QLatin1String("-faded") : QLatin1String()) + suffix();
}

QRegion opaqueArea(const QImage &image)
{
    if (image.isNull())
        return QRegion();
    if (!image.hasAlphaChannel())
        return QRegion(image.rect());
    // Every pixel that is not wholly transparent, as QPixmap::mask() has it.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage mask(argb.size(), QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, QColor(Qt::color0).rgba());
    mask.setColor(1, QColor(Qt::color1).rgba());
    mask.fill(0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *dst = mask.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(src[x]) > 0)
                dst[x >> 3] |= uchar(1 << (x & 7));
        }
    }
    return QRegion(QBitmap::fromImage(mask));
}

bool write(const QString &path, const QImage &source)
{
    if (source.isNull())
        return false;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRegion shape = opaqueArea(image);
    QVector<qint32> rects;
    for (const QRect &r : shape)
        rects << r.x() << r.y() << r.width() << r.height();
    Header h;
    std::memcpy(h.magic, kMagic, sizeof kMagic);
    h.byteOrder = kByteOrderMark;
    h.width = image.width();
    h.height = image.height();
    h.bytesPerLine = image.width() * 4;
    h.rectCount = rects.size() / 4;
    const quint32 head = quint32(sizeof h + size_t(rects.size()) * sizeof(qint32));
    h.pixelOffset = (head + 63) & ~quint32(63);

    QByteArray out(int(h.pixelOffset), '\0');
    std::memcpy(out.data(), &h, sizeof h);
    if (!rects.isEmpty())
        std::memcpy(out.data() + sizeof h, rects.constData(), size_t(rects.size()) * sizeof(qint32));
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        return false;
    for (int y = 0; y < image.height(); ++y) {
        if (f.write(reinterpret_cast<const char *>(image.constScanLine(y)), h.bytesPerLine) != h.bytesPerLine)
            return false;
    }
    return f.commit();
}

QImage read(const QString &path, QRegion *shape)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QImage();
    struct stat st;
    void *address = MAP_FAILED;
    if (::fstat(fd, &st) == 0 && st.st_size >= qint64(sizeof(Header)))
        address = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (address == MAP_FAILED)
        return QImage();
    const size_t length = size_t(st.st_size);
    const auto *bytes = static_cast<const uchar *>(address);
    Header h;
    std::memcpy(&h, bytes, sizeof h);
    const bool valid = std::memcmp(h.magic, kMagic, sizeof kMagic) == 0 && h.byteOrder == kByteOrderMark &&
                       h.width > 0 && h.height > 0 && h.width <= 32768 && h.height <= 32768 &&
                       h.bytesPerLine == h.width * 4 && h.rectCount >= 0 &&
                       sizeof h + size_t(h.rectCount) * 16 <= h.pixelOffset && h.pixelOffset % 64 == 0 &&
                       size_t(h.pixelOffset) + size_t(h.bytesPerLine) * size_t(h.height) <= length;
    if (!valid) {
        ::munmap(address, length);
        return QImage();
    }
    if (shape) {
        QVector<QRect> rects(h.rectCount);
        const auto *r = reinterpret_cast<const qint32 *>(bytes + sizeof h);
        for (int i = 0; i < h.rectCount; ++i)
            rects[i] = QRect(r[4 * i], r[4 * i + 1], r[4 * i + 2], r[4 * i + 3]);
        shape->setRects(rects.constData(), rects.size());
    }
    return QImage(bytes + h.pixelOffset, h.width, h.height, h.bytesPerLine,
                  QImage::Format_ARGB32_Premultiplied, unmap, new Mapping{address, length});
}

QImage faded(const QImage &image)
{
    if (image.isNull())
        return image;
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image);
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.fillRect(result.rect(), QColor(0, 0, 0, 200));
    return result;
}

} // namespace SkinRaw
