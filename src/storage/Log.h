#pragma once
// Logging categories of the program. Debug output is off by default; it is
// switched on with mousecfg --verbose or QT_LOGGING_RULES (for example
// QT_LOGGING_RULES="mousecfg.device.debug=true"). Warnings go to stderr.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcStorage) // mousecfg.storage
Q_DECLARE_LOGGING_CATEGORY(lcDevice)  // mousecfg.device
Q_DECLARE_LOGGING_CATEGORY(lcApp)     // mousecfg.app
Q_DECLARE_LOGGING_CATEGORY(lcPages)   // mousecfg.pages
Q_DECLARE_LOGGING_CATEGORY(lcWidgets) // mousecfg.widgets

namespace Log {
// Turns on debug output of every mousecfg category.
void enableVerbose();
} // namespace Log
