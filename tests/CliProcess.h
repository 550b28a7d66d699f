#pragma once
// mousecfg-cli as the tests run it: a process of its own (the MOUSECFG_CLI
// the test's target was built with), waited for, its exit code and both
// streams kept. One runner for every test that drives the command line.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliRun
{
    int code = -1; // -1: it crashed or did not end within the minute
    QString out;
    QString err;
};

// Runs mousecfg-cli ARGS, after "--config-dir CONFIGDIR" when CONFIGDIR is not empty.
inline CliRun runCli(const QStringList &args, const QString &configDir = QString(),
                     const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MOUSECFG_CLI),
            configDir.isEmpty() ? args : QStringList{QStringLiteral("--config-dir"), configDir} + args);
    CliRun r;
    if (!p.waitForFinished(60000))
        return r;
    if (p.exitStatus() == QProcess::NormalExit)
        r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
