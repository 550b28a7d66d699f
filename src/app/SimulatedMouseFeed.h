#pragma once
// Under --simulate the simulated mouse's plug events stand in for the
// system's hot-plug notifications.

#include "HotplugFeed.h"

class SimulatedHidBackend;

class SimulatedMouseFeed : public HotplugFeed
{
    Q_OBJECT
public:
    // BACKEND is not owned.
    explicit SimulatedMouseFeed(SimulatedHidBackend *backend, QObject *parent = nullptr);

    bool start() override;
    void stop() override { m_running = false; }

private:
    SimulatedHidBackend *m_backend;
    bool m_running = false;
};
