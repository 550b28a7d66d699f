#pragma once
// Skin pictures are drawn large, so that they stay sharp up to scale factor
// 5.0; decoding them is what makes a start slow. The window keeps the copies
// it scales down in the per-user cache, keyed by the picture's path, size and
// modification time and by the target size, and reads those next time.

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
