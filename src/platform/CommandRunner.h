#pragma once
// Runs a short helper program (gsettings) and collects its output. No shell.

#include <QString>
#include <QStringList>

struct CommandResult
{
    bool started = false; // the program could be run
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;

    bool ok() const { return started && exitCode == 0; }
};

class CommandRunner
{
public:
    virtual ~CommandRunner();
    virtual CommandResult run(const QString &program, const QStringList &arguments) = 0;
};

// QProcess, bounded by a timeout for the whole run (the process is killed
// after it). Blocks: callers run it off the user interface's thread.
class ProcessCommandRunner : public CommandRunner
{
public:
    explicit ProcessCommandRunner(int timeoutMs = 3000) : m_timeoutMs(timeoutMs) {}
    CommandResult run(const QString &program, const QStringList &arguments) override;

private:
    int m_timeoutMs;
};
