#include "ProgramLauncher.h"

#include <QDebug>
#include <QProcess>

ProgramLauncher::~ProgramLauncher() = default;

bool DetachedProgramLauncher::startDetached(const QString &program, const QStringList &arguments,
                                            const QString &workingDirectory)
{
    const bool started = QProcess::startDetached(program, arguments, workingDirectory);
    if (!started)
        qDebug() << "cannot start" << program;
    return started;
}
