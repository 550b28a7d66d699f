#include "CommandRunner.h"
#include "PlatformLog.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QProcess>

CommandRunner::~CommandRunner() = default;

CommandResult ProcessCommandRunner::run(const QString &program, const QStringList &arguments)
{
    CommandResult result;
    // One limit for the whole run, start included.
    const QDeadlineTimer deadline(m_timeoutMs);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(int(qMax<qint64>(1, deadline.remainingTime())))) {
        qCDebug(lcPlatform) << "cannot run" << program << process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(int(qMax<qint64>(1, deadline.remainingTime())))) {
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
