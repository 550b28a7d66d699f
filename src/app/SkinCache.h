#pragma once
// Skin pictures the window shows at a size of its own. The build scales the
// common ones for the usual scale factors (skin/sized/ in the data folder);
// the window scales any other once, keeps the copy in the per-user cache,
// keyed by the picture's path, size and modification time and by the target
// size, and reads it next time. Both are raw pixels (SkinRaw): nothing to
// decode. The picture scaled is the rendition for the current scale factor
// (MirtKit::resolvePath): publish the factor before asking for a picture
// sized for it.

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

namespace SkinCache {

// The skin picture NAME ("/skin/cfgMainback.png") scaled to SIZE, smooth;
// MODE says whether the aspect ratio is kept. Null when the picture is
// missing. SHAPE, when given, receives the picture's opaque area.
QImage scaled(const QString &name, const QSize &size, Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio,
              QRegion *shape = nullptr);

// Where the build puts NAME scaled to SIZE (empty for a name outside the skin).
QString prescaledPath(const QString &name, const QSize &size, Qt::AspectRatioMode mode);

// Where the copies are kept ($XDG_CACHE_HOME/mousecfg/skin unless set).
QString directory();
void setDirectory(const QString &dir);

} // namespace SkinCache
