#pragma once
// KWin's input-device interface on the session bus (org.kde.KWin,
// /org/kde/KWin/InputDevice): the pointer devices and their acceleration.

#include <QString>
#include <QStringList>

class KWinInputBus
{
public:
    virtual ~KWinInputBus();
    // System names ("event5") of the devices that are pointers and not touchpads.
    virtual QStringList pointerDevices() = 0;
    virtual bool readAcceleration(const QString &device, double *accel) = 0;
    virtual bool writeAcceleration(const QString &device, double accel) = 0;
};

class DBusKWinInputBus : public KWinInputBus
{
public:
    QStringList pointerDevices() override;
    bool readAcceleration(const QString &device, double *accel) override;
    bool writeAcceleration(const QString &device, double accel) override;

    // True when KWin answers on the session bus.
    static bool isAvailable();
};
