#include "BatteryNotices.h"

namespace {
constexpr int kFull = 100;
}

BatteryNotices::BatteryNotices(int lowPercent, int criticalPercent)
    : m_iLow(lowPercent), m_iCritical(criticalPercent)
{
}

BatteryNotices::Notice BatteryNotices::reading(int level, bool charging)
{
    if (level <= 0)
        return Notice::None;
    if (charging) {
        // The discharge is over: its notices may come again in the next one.
        m_bLowShown = m_bCriticalShown = false;
    }
    if (level >= kFull) {
        // Full, whether the mouse still says it charges or has stopped saying so.
        const bool completed = m_bChargePending;
        m_bChargePending = false;
        return completed ? Notice::Charged : Notice::None;
    }
    if (charging) {
        m_bChargePending = true;
        return Notice::None;
    }
    // Unplugged before it was full: that charge is not completed later.
    m_bChargePending = false;
    if (m_iCritical > 0 && level <= m_iCritical && !m_bCriticalShown) {
        // The critical notice says all the low one would have.
        m_bCriticalShown = m_bLowShown = true;
        return Notice::Critical;
    }
    if (m_iLow > 0 && level <= m_iLow && !m_bLowShown) {
        m_bLowShown = true;
        return Notice::Low;
    }
    return Notice::None;
}
