#include "FakePointerSpeed.h"

bool FakePointerSpeed::readSpeed(int *speed)
{
    ++m_readCount;
    if (m_failing || !m_available) {
        setErrorString(QStringLiteral("pointer speed unavailable"));
        return false;
    }
    *speed = m_value;
    return true;
}

bool FakePointerSpeed::applySpeed(int speed)
{
    m_applied.append(speed);
    if (m_failing || !m_available) {
        setErrorString(QStringLiteral("pointer speed unavailable"));
        return false;
    }
    m_value = qBound(PointerSpeedScale::kMinimum, speed, PointerSpeedScale::kMaximum);
    return true;
}
