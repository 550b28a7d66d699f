#pragma once
// Skin pictures kept as raw premultiplied pixels, so that loading one is a
// file mapping and no decoding: the build writes them beside the skin's PNG
// renditions, and the window keeps the ones it scales itself in the same form.
//
// A file holds a small header, the picture's opaque area as rectangles (the
// shape of a window or button drawn with it) and the rows of pixels in
// QImage::Format_ARGB32_Premultiplied, in the byte order of the machine that
// wrote it; a file of the other byte order, or damaged, does not load.

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

namespace SkinRaw {

// The file name suffix, ".raw".
QString suffix();

// The file name of picture NAME as the build scales it to SIZE:
// "NAME@WxH-keep|ignore[-faded].raw" (keep: its aspect ratio kept; faded: the
// resting look of a button, see faded()).
QString sizedName(const QString &name, const QSize &size, Qt::AspectRatioMode mode, bool faded = false);

// The opaque area of IMAGE: every pixel not wholly transparent, as
// QPixmap::mask() finds it.
QRegion opaqueArea(const QImage &image);

// Writes IMAGE and its opaque area to PATH (atomically). False on failure.
bool write(const QString &path, const QImage &image);

// IMAGE as a button's resting picture shows it: at 200/255 of its opacity.
// The window fades its pictures so, and the build its renditions of them.
QImage faded(const QImage &image);

// Maps PATH: the picture (sharing the mapping until it is copied or
// released), and its opaque area into *SHAPE when given. Null when the file
// is missing or not a picture of this form.
QImage read(const QString &path, QRegion *shape = nullptr);

} // namespace SkinRaw
