#pragma once
// Plain X11 with the libinput driver: the "libinput Accel Speed" property of
// the slave pointer devices, through XInput2.

#include "PointerSpeed.h"

class X11PointerSpeed : public PointerSpeed
{
public:
    // DISPLAYNAME empty: $DISPLAY. The connection is opened per call.
    explicit X11PointerSpeed(const QString &displayName = QString());

    QString backendName() const override { return QStringLiteral("x11"); }
    bool isAvailable() const override;
    // The first slave pointer that has the property.
    bool readSpeed(int *speed) override;
    // Every slave pointer that has the property.
    bool applySpeed(int speed) override;

    static const char *propertyName() { return "libinput Accel Speed"; }

private:
    QString m_displayName;
};
