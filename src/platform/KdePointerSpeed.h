#pragma once
// KDE Plasma under Wayland: the pointer acceleration of KWin's input devices.

#include "PointerSpeed.h"

class KWinInputBus;

class KdePointerSpeed : public PointerSpeed
{
public:
    // BUS is not owned.
    explicit KdePointerSpeed(KWinInputBus *bus);

    QString backendName() const override { return QStringLiteral("kde"); }
    bool isAvailable() const override { return true; }
    // The first pointer device's value.
    bool readSpeed(int *speed) override;
    // Every pointer device (touchpads keep their own).
    bool applySpeed(int speed) override;

private:
    KWinInputBus *m_bus;
};
