#pragma once
// A program launcher for tests: records every start and starts nothing.

#include "ProgramLauncher.h"

#include <QList>

#include <functional>

class FakeProgramLauncher : public ProgramLauncher
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };

    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDirectory = QString()) override;

    // What startDetached() returns (true by default).
    void setResult(bool result) { m_result = result; }
    // Runs on every start, after it was recorded (a test may bring up a server here).
    void setOnStart(std::function<void(const Call &)> hook) { m_onStart = std::move(hook); }

    const QList<Call> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    QList<Call> m_calls;
    bool m_result = true;
    std::function<void(const Call &)> m_onStart;
};
