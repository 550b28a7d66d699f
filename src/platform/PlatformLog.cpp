#include "PlatformLog.h"

Q_LOGGING_CATEGORY(lcPlatform, "mousecfg.platform", QtWarningMsg)
