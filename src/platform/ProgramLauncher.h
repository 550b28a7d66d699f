#pragma once
// Starting another program detached (the on-screen display, the firmware
// updater, the desktop's mouse settings). No shell is involved: the program
// and each argument are passed as they are.
//
// A started program keeps none of our streams or other descriptors: its
// standard input, output and error are /dev/null, so that a pipe reading our
// output (mousecfg | cat, a log collector) ends when we do, however long the
// program runs. It runs in a session of its own and is not our child: it is
// not ended with us (the on-screen display watches us itself).

#include <QString>
#include <QStringList>

class ProgramLauncher
{
public:
    virtual ~ProgramLauncher();
    // True when the program was started. WORKINGDIRECTORY empty: inherit ours.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingDirectory = QString()) = 0;
};

class DetachedProgramLauncher : public ProgramLauncher
{
public:
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDirectory = QString()) override;

    // The same; *PID (when given) receives the started program's process id.
    // False, with the reason logged, when it cannot be found or executed.
    static bool start(const QString &program, const QStringList &arguments, const QString &workingDirectory,
                      qint64 *pid = nullptr);
};
