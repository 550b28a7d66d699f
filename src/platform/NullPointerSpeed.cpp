#include "NullPointerSpeed.h"

bool NullPointerSpeed::readSpeed(int *speed)
{
    if (m_value == 0) {
        setErrorString(QStringLiteral("this desktop offers no pointer-speed setting"));
        return false;
    }
    *speed = m_value;
    return true;
}

bool NullPointerSpeed::applySpeed(int speed)
{
    m_value = qBound(PointerSpeedScale::kMinimum, speed, PointerSpeedScale::kMaximum);
    setErrorString(QStringLiteral("this desktop offers no pointer-speed setting"));
    return false;
}
