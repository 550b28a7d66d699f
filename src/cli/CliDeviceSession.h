#pragma once
// The device side of a mousecfg-cli command: the simulated mouse (with its
// memory file) or hidapi, the frame trace, and the opened device list.

#include "CliCommand.h"

#include <QFile>
#include <QString>

#include <memory>

class MouseLock;
class SimulatedMouseSession;

class CliDeviceSession
{
public:
    explicit CliDeviceSession(const CliContext &ctx);
    ~CliDeviceSession(); // closes the handles, stores the simulated mouse's memory

    // Takes the mouse lock (the window, or another mousecfg-cli, may hold the
    // mouse), loads the simulated memory, opens the trace file, scans and
    // opens the devices. False with errorText when the command cannot go on;
    // while another program holds the mouse, the text ends with INSTEAD, what
    // the user can do meanwhile.
    bool open(QString *errorText, const QString &instead = QStringLiteral("make the change there"));
    // Stores the simulated mouse's memory; false with errorText on failure.
    bool finish(QString *errorText);

    bool simulated() const { return m_sim != nullptr; }

private:
    const CliContext &m_ctx;
    std::unique_ptr<MouseLock> m_lock;
    std::unique_ptr<SimulatedMouseSession> m_sim;
    QFile m_trace;
    bool m_opened = false;
};

// Developer log off for the command line unless QT_LOGGING_RULES asks for it.
void cliQuietDeviceLog();
