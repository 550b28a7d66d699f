#include "AutoSwitcher.h"

AutoSwitcher::AutoSwitcher(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &AutoSwitcher::decide);
}

void AutoSwitcher::setRules(const AutoSwitchRules &rules)
{
    m_rules = rules;
    if (!m_rules.enabled()) {
        m_settle.stop();
        m_target = AutoSwitchRules::kKeep;
        m_waiting = false;
    }
}

void AutoSwitcher::windowActivated(const QStringList &classes, const QString &exePath)
{
    if (!m_rules.enabled())
        return;
    // The window focused last decides; one that kept the focus less than the
    // settle time is passed over.
    m_target = m_rules.slotFor(classes, exePath);
    m_waiting = false;
    m_settle.start();
}

void AutoSwitcher::setBusy(bool busy)
{
    m_busy = busy;
    if (!busy && m_waiting) {
        m_waiting = false;
        decide();
    }
}

void AutoSwitcher::decide()
{
    if (m_target == AutoSwitchRules::kKeep)
        return;
    if (m_busy) {
        m_waiting = true;
        return;
    }
    const int target = m_target;
    m_target = AutoSwitchRules::kKeep;
    const int current = m_mouseSlot ? m_mouseSlot() : 0;
    if (current == 0 || current == target)
        return;
    emit switchRequested(target);
}
