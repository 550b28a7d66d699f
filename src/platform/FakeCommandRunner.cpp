#include "FakeCommandRunner.h"

CommandResult FakeCommandRunner::run(const QString &program, const QStringList &arguments)
{
    m_calls.append({program, arguments});
    if (!m_results.isEmpty())
        return m_results.takeFirst();
    CommandResult ok;
    ok.started = true;
    ok.exitCode = 0;
    return ok;
}

void FakeCommandRunner::enqueueOutput(const QByteArray &standardOutput, int exitCode)
{
    CommandResult r;
    r.started = true;
    r.exitCode = exitCode;
    r.standardOutput = standardOutput;
    m_results.append(r);
}

void FakeCommandRunner::enqueueNotStarted()
{
    m_results.append(CommandResult());
}
