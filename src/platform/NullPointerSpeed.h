#pragma once
// No way to reach the desktop's pointer speed: the value is only kept.

#include "PointerSpeed.h"

class NullPointerSpeed : public PointerSpeed
{
public:
    QString backendName() const override { return QStringLiteral("none"); }
    bool isAvailable() const override { return false; }
    // The value kept by the last applySpeed(); false before any.
    bool readSpeed(int *speed) override;
    // Keeps the value; returns false since the desktop is not changed.
    bool applySpeed(int speed) override;

private:
    int m_value = 0;
};
