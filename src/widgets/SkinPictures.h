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
// picture() or faded() smoothly scaled to SIZE: the build's rendition at that
// size when there is one (prescaledPath()), scaledHere() otherwise.
QPixmap scaled(const QString &path, bool fadedLook, const QSize &size);
// Where the build keeps PATH (a picture of the skin's 1x or 2x rendition)
// scaled to SIZE: skin/sized/1x|2x/NAME@WxH-ignore[-faded].raw. Empty for
// other pictures.
QString prescaledPath(const QString &path, bool fadedLook, const QSize &size);
// The window's own scaling of the picture, and how many it has made so far.
QPixmap scaledHere(const QString &path, bool fadedLook, const QSize &size);
int scaledHereCount();
// The area of scaled(PATH, FADED, SIZE) at least half opaque: a button's shape.
QRegion shape(const QString &path, bool fadedLook, const QSize &size);

// Forgets every picture (the files changed).
void clear();

} // namespace SkinPictures
