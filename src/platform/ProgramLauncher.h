#pragma once
// Starting another program detached (the on-screen display, the firmware
// updater, the desktop's mouse settings). No shell is involved: the program
// and each argument are passed as they are.

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
};
