#include "FakeActiveWindowSource.h"

bool FakeActiveWindowSource::start(QString *errorText)
{
    ++m_starts;
    if (!m_startError.isEmpty()) {
        if (errorText)
            *errorText = m_startError;
        return false;
    }
    m_running = true;
    return true;
}

void FakeActiveWindowSource::activate(const ActiveWindow &window)
{
    if (!m_windows.contains(window))
        m_windows.append(window);
    if (m_running)
        emit activeWindowChanged(window);
}
