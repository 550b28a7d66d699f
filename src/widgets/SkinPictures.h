#pragma once
// The skin pictures the kit's widgets draw, loaded once per run and shared:
// dozens of buttons show the same few pictures, at the same few sizes. A
// picture's raw form beside it (SkinRaw, "cmd-1.raw" for "cmd-1.png") is read
// instead of decoding it.

#include <QPixmap>
#include <QRegion>
#include <QSize>
#include <QString>

namespace SkinPictures {

// The picture at PATH (a resolved path, MirtKit::resolvePath); null when missing.
QPixmap picture(const QString &path);
// The same with its alpha taken down to 200/255: the normal look of a button.
QPixmap faded(const QString &path);
// picture() or faded() smoothly scaled to SIZE.
QPixmap scaled(const QString &path, bool fadedLook, const QSize &size);
// The area of scaled(PATH, FADED, SIZE) at least half opaque: a button's shape.
QRegion shape(const QString &path, bool fadedLook, const QSize &size);

// Forgets every picture (the files changed).
void clear();

} // namespace SkinPictures
