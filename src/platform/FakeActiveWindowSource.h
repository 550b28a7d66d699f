#pragma once
// An ActiveWindowSource for tests: activate() stands for the desktop's event.

#include "ActiveWindowSource.h"

class FakeActiveWindowSource : public ActiveWindowSource
{
    Q_OBJECT
public:
    using ActiveWindowSource::ActiveWindowSource;

    bool start(QString *errorText = nullptr) override;
    void stop() override { m_running = false; }
    bool running() const override { return m_running; }
    QList<ActiveWindow> openWindows() override { return m_windows; }

    // Makes WINDOW the active one (emitted only while running) and adds it to the open ones.
    void activate(const ActiveWindow &window);
    void setStartError(const QString &error) { m_startError = error; }
    int starts() const { return m_starts; }

private:
    bool m_running = false;
    int m_starts = 0;
    QString m_startError;
    QList<ActiveWindow> m_windows;
};
