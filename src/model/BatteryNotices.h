#pragma once
// Which desktop notice, if any, a battery reading calls for: the level first
// falling to the low or the critical threshold while the mouse is not
// charging (each once per discharge; charging starts a new one), and a charge
// that reaches full. Readings come from the status poller; a level of 0 (mouse
// off, no answer) tells nothing and changes nothing.

class BatteryNotices
{
public:
    enum class Notice
    {
        None,
        Low,
        Critical,
        Charged
    };

    // Thresholds in percent; 0 switches that notice off.
    BatteryNotices(int lowPercent, int criticalPercent);

    Notice reading(int level, bool charging);

    int lowPercent() const { return m_iLow; }
    int criticalPercent() const { return m_iCritical; }

private:
    int m_iLow;
    int m_iCritical;
    bool m_bLowShown = false;
    bool m_bCriticalShown = false;
    // A charge seen below full that has not been reported complete yet: a
    // mouse already full when we first hear of it is not news.
    bool m_bChargePending = false;
};
