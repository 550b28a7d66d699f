#include "ProgramLauncher.h"
#include "PlatformLog.h"

#include <QDebug>
#include <QProcess>

ProgramLauncher::~ProgramLauncher() = default;

bool DetachedProgramLauncher::startDetached(const QString &program, const QStringList &arguments,
                                            const QString &workingDirectory)
{
    const bool started = QProcess::startDetached(program, arguments, workingDirectory);
    if (!started)
        qCDebug(lcPlatform) << "cannot start" << program;
    return started;
}
