#pragma once
// The simulated mouse as the program and the command line use it: a
// SimulatedHidBackend installed as the HID backend, its firmware memory
// loaded from and saved to "simulated-mouse.ini" in the configuration folder
// so that consecutive runs see one mouse. MOUSECFG_SIM_FAKE_RATE=HZ makes its
// mouse collection deliver HZ reports per second (a weak link).

#include "SimulatedHidBackend.h"

#include <QString>

class SimulatedMouseSession
{
public:
    static QString defaultMemoryFile(); // Configs/simulated-mouse.ini

    // Installs the backend with the receiver plugged in (and the cable with
    // withCable); the memory is loaded by load(). MOUSECFG_SIM_ECHO_MS (0 to
    // 1000) sets the echo latency, 1 ms otherwise.
    explicit SimulatedMouseSession(bool withCable, const QString &memoryFile = defaultMemoryFile());
    ~SimulatedMouseSession(); // restores the hidapi backend (call save() first)

    bool load(QString *errorText);
    bool save(QString *errorText);
    SimulatedHidBackend &backend() { return m_backend; }
    const QString &memoryFile() const { return m_file; }

private:
    SimulatedHidBackend m_backend;
    QString m_file;
};
