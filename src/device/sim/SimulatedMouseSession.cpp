#include "SimulatedMouseSession.h"

#include "Paths.h"

#include <QDir>
#include <QFileInfo>

QString SimulatedMouseSession::defaultMemoryFile()
{
    return QDir(Paths::configDir()).filePath(QStringLiteral("simulated-mouse.ini"));
}

SimulatedMouseSession::SimulatedMouseSession(bool withCable, const QString &memoryFile) : m_file(memoryFile)
{
    m_backend.plugReceiver(true);
    if (withCable)
        m_backend.plugCable(true);
    // A weak link to try the report-rate test with: the mouse collection
    // delivers this many reports per second whatever the mouse is set to.
    bool ok = false;
    const int fake = qEnvironmentVariableIntValue("MOUSECFG_SIM_FAKE_RATE", &ok);
    if (ok && fake > 0)
        m_backend.setFakeReportRate(fake);
    // A slower mouse, for scripts that need a write to last (milliseconds per echo).
    ok = false;
    const int latencyMs = qEnvironmentVariableIntValue("MOUSECFG_SIM_ECHO_MS", &ok);
    if (ok && latencyMs >= 0 && latencyMs <= 1000)
        m_backend.setEchoLatencyUs(int64_t(latencyMs) * 1000);
    setHidBackend(&m_backend);
}

SimulatedMouseSession::~SimulatedMouseSession()
{
    if (hidBackend() == &m_backend)
        setHidBackend(nullptr);
}

bool SimulatedMouseSession::load(QString *errorText)
{
    bool ok = true;
    m_backend.withFirmware([&](MouseFirmware &fw) { ok = fw.loadFromIni(m_file, errorText); });
    return ok;
}

bool SimulatedMouseSession::save(QString *errorText)
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    bool ok = true;
    m_backend.withFirmware([&](MouseFirmware &fw) { ok = fw.saveToIni(m_file, errorText); });
    return ok;
}
