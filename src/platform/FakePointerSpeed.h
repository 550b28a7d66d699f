#pragma once
// A pointer-speed backend for tests: holds a value and records the calls.

#include "PointerSpeed.h"

#include <QList>

class FakePointerSpeed : public PointerSpeed
{
public:
    explicit FakePointerSpeed(int initial = PointerSpeedScale::kDefault) : m_value(initial) {}

    QString backendName() const override { return QStringLiteral("fake"); }
    bool isAvailable() const override { return m_available; }
    bool readSpeed(int *speed) override;
    bool applySpeed(int speed) override;

    void setAvailable(bool available) { m_available = available; }
    void setFailing(bool failing) { m_failing = failing; } // reads and writes fail
    int value() const { return m_value; }
    int readCount() const { return m_readCount; }
    const QList<int> &applied() const { return m_applied; }

private:
    int m_value;
    bool m_available = true;
    bool m_failing = false;
    int m_readCount = 0;
    QList<int> m_applied;
};
