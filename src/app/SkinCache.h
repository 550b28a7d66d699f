#pragma once
// The window keeps the copies of skin pictures it scales to a size in the
// per-user cache, keyed by the picture's path, size and modification time and
// by the target size, and reads those next time. The picture is the rendition
// for the current scale factor (MirtKit::resolvePath): publish the factor
// before asking for a picture sized for it.

#include <QImage>
#include <QSize>
#include <QString>

namespace SkinCache {

// The skin picture NAME ("/skin/cfgMainback.png") scaled to SIZE, smooth;
// MODE says whether the aspect ratio is kept. Null when the picture is missing.
QImage scaled(const QString &name, const QSize &size, Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio);

// Where the copies are kept ($XDG_CACHE_HOME/mousecfg/skin unless set).
QString directory();
void setDirectory(const QString &dir);

} // namespace SkinCache
