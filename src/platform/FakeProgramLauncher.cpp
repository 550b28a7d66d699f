#include "FakeProgramLauncher.h"

bool FakeProgramLauncher::startDetached(const QString &program, const QStringList &arguments,
                                        const QString &workingDirectory)
{
    const Call call{program, arguments, workingDirectory};
    m_calls.append(call);
    if (m_onStart)
        m_onStart(call);
    return m_result;
}
