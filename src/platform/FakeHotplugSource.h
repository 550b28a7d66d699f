#pragma once
// A hot-plug source for tests: plug() and unplug() raise the same signals the
// udev source does, filtered the same way.

#include "HotplugSource.h"

class FakeHotplugSource : public HotplugSource
{
    Q_OBJECT
public:
    explicit FakeHotplugSource(QObject *parent = nullptr);

    bool start() override;
    void stop() override { m_running = false; }
    bool isRunning() const override { return m_running; }
    QList<HidNodeInfo> presentDevices() const override;

    // Present before start(): found by start(), not announced.
    void addPresent(const HidNodeInfo &node);
    // Emits deviceArrived when running and supported; the node becomes present.
    void plug(const HidNodeInfo &node);
    // Emits deviceRemoved with what arrived at DEVNODE; false when unknown.
    bool unplug(const QString &devnode);
    // start() fails with this message when non-empty.
    void setStartError(const QString &text) { m_startError = text; }

    int startCount() const { return m_startCount; }

private:
    QList<HidNodeInfo> m_present;
    bool m_running = false;
    int m_startCount = 0;
    QString m_startError;
};
