#pragma once
// Logging category of the platform layer (mousecfg.platform); debug output is
// off unless mousecfg --verbose or QT_LOGGING_RULES turn it on.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
