#include "CommandRunner.h"
#include "PlatformLog.h"

#include <QDebug>
#include <QProcess>

CommandRunner::~CommandRunner() = default;

CommandResult ProcessCommandRunner::run(const QString &program, const QStringList &arguments)
{
    CommandResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(m_timeoutMs)) {
        qCDebug(lcPlatform) << "cannot run" << program << process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(m_timeoutMs)) {
        qCDebug(lcPlatform) << program << "did not finish in time";
        process.kill();
        process.waitForFinished(1000);
        result.exitCode = -1;
        return result;
    }
    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}
