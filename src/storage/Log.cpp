#include "Log.h"

Q_LOGGING_CATEGORY(lcStorage, "mousecfg.storage", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDevice, "mousecfg.device", QtWarningMsg)
Q_LOGGING_CATEGORY(lcApp, "mousecfg.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPages, "mousecfg.pages", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWidgets, "mousecfg.widgets", QtWarningMsg)

namespace Log {

void enableVerbose()
{
    QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.*.debug=true\nmousecfg.*.info=true"));
}

} // namespace Log
