#pragma once
// Shared by the device tests: a private configuration folder, the simulated
// mouse installed as the HID backend, optionally a virtual clock.

#include "DeviceLink.h"
#include "ProtocolClock.h"
#include "SimulatedHidBackend.h"

#include "ProfileTypes.h"

#include <QTemporaryDir>

#include <memory>

// Quiet developer log unless MOUSECFG_TEST_LOG is set.
void quietDeviceLog();

class SimRig
{
public:
    // virtualTime: protocol pauses and timeouts cost nothing.
    explicit SimRig(bool virtualTime, bool receiver = true, bool cable = false);
    ~SimRig();

    // LoadDeviceList, ScanDevices, OpenDevices (after closing what is open).
    void rescan();
    SimulatedHidBackend &sim() { return *m_sim; }
    VirtualClock &clock() { return m_clock; }
    QString configDir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedHidBackend> m_sim;
    VirtualClock m_clock;
    bool m_virtual;
};

// A profile set with recognisable values in every block of every slot.
ProfileSet sampleSet(int seed = 0);
