#include "KdePointerSpeed.h"

#include "KWinInputBus.h"

KdePointerSpeed::KdePointerSpeed(KWinInputBus *bus) : m_bus(bus) {}

bool KdePointerSpeed::readSpeed(int *speed)
{
    const QStringList devices = m_bus->pointerDevices();
    for (const QString &device : devices) {
        double accel = 0;
        if (m_bus->readAcceleration(device, &accel)) {
            *speed = PointerSpeedScale::fromLibinput(accel);
            return true;
        }
    }
    setErrorString(devices.isEmpty() ? QStringLiteral("KWin lists no pointer device")
                                     : QStringLiteral("KWin did not give the pointer acceleration"));
    return false;
}

bool KdePointerSpeed::applySpeed(int speed)
{
    const QStringList devices = m_bus->pointerDevices();
    if (devices.isEmpty()) {
        setErrorString(QStringLiteral("KWin lists no pointer device"));
        return false;
    }
    const double accel = PointerSpeedScale::toLibinput(speed);
    int written = 0;
    for (const QString &device : devices) {
        if (m_bus->writeAcceleration(device, accel))
            ++written;
    }
    if (written != devices.size()) {
        setErrorString(QStringLiteral("KWin refused the pointer acceleration for %1 of %2 devices")
                           .arg(devices.size() - written)
                           .arg(devices.size()));
        return false;
    }
    return true;
}
