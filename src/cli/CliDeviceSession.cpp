#include "CliDeviceSession.h"

#include "DeviceLink.h"
#include "MouseLock.h"
#include "SimulatedMouseSession.h"

#include <QDir>
#include <QLoggingCategory>

void cliQuietDeviceLog()
{
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.*.debug=false"));
}

CliDeviceSession::CliDeviceSession(const CliContext &ctx) : m_ctx(ctx)
{
    cliQuietDeviceLog();
}

CliDeviceSession::~CliDeviceSession()
{
    if (m_opened)
        CloseDevices();
    setFrameTraceHook(nullptr);
    QString ignored;
    finish(&ignored);
}

bool CliDeviceSession::open(QString *errorText, const QString &instead)
{
    // One program at a time talks to the mouse: frames of two would interleave,
    // and each would save over the other's files.
    m_lock = std::make_unique<MouseLock>(m_ctx.simulate ? MouseLock::simulatedMousePath(m_ctx.configDir)
                                                        : MouseLock::realMousePath());
    if (!m_lock->tryAcquire(QStringLiteral("mousecfg-cli"))) {
        *errorText = m_lock->holder().isEmpty()
                         ? m_lock->errorString()
                         : QStringLiteral("%1 is using the mouse; try again when it has let go of it "
                                          "(quit the window, or %2).")
                               .arg(m_lock->holder(), instead);
        m_lock.reset();
        return false;
    }
    if (m_ctx.simulate) {
        m_sim.reset(new SimulatedMouseSession(
            m_ctx.simulateCable, QDir(m_ctx.configDir).filePath(QStringLiteral("simulated-mouse.ini"))));
        if (!m_sim->load(errorText)) {
            m_sim.reset(); // keep the damaged file as it is
            return false;
        }
    }
    if (!m_ctx.traceFile.isEmpty()) {
        m_trace.setFileName(m_ctx.traceFile);
        if (!m_trace.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            *errorText = QStringLiteral("cannot open the trace file %1: %2")
                             .arg(m_ctx.traceFile, m_trace.errorString());
            return false;
        }
        setFrameTraceHook([this](bool written, const uint8_t *data, int length) {
            const QByteArray line = (written ? "> " : "< ") + hexBytes(data, length).toLatin1() + '\n';
            m_trace.write(line);
            m_trace.flush();
        });
    }
    LoadDeviceList();
    if (ScanDevices() != 0) {
        *errorText = QStringLiteral("the HID library could not be initialised");
        return false;
    }
    OpenDevices();
    m_opened = true;
    return true;
}

bool CliDeviceSession::finish(QString *errorText)
{
    if (!m_sim)
        return true;
    if (m_opened) {
        CloseDevices();
        m_opened = false;
    }
    const bool ok = m_sim->save(errorText);
    m_sim.reset();
    m_lock.reset();
    return ok;
}
