#pragma once
// A command runner for tests: records every call and answers from a queue.

#include "CommandRunner.h"

#include <QList>

class FakeCommandRunner : public CommandRunner
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
    };

    CommandResult run(const QString &program, const QStringList &arguments) override;

    // Answers in order; when the queue is empty a call succeeds with no output.
    void enqueue(const CommandResult &result) { m_results.append(result); }
    void enqueueOutput(const QByteArray &standardOutput, int exitCode = 0);
    void enqueueNotStarted();

    const QList<Call> &calls() const { return m_calls; }
    void clear()
    {
        m_calls.clear();
        m_results.clear();
    }

private:
    QList<Call> m_calls;
    QList<CommandResult> m_results;
};
