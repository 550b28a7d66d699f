#pragma once
// Watches the process that started us (the main window) and says when it has
// gone, whether it quit or was killed. A pidfd (pidfd_open) becomes readable
// when the process ends; where the kernel has none, kill(pid, 0) is polled
// once a second.

#include <QObject>
#include <QTimer>

class QSocketNotifier;

class OwnerWatch : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        Auto,   // a pidfd where the kernel has one, else polling
        Polling // polling only
    };

    explicit OwnerWatch(QObject *parent = nullptr);
    ~OwnerWatch() override;

    // Starts watching PID. An owner that is already gone is reported from the
    // event loop, as any other. False for a PID that cannot be one.
    bool watch(qint64 pid, Mode mode = Mode::Auto);
    // True while a pidfd, not polling, does the watching.
    bool usesPidfd() const { return m_pidfd >= 0; }

signals:
    void ownerGone();

private:
    void poll();
    void onPidfd();

    qint64 m_pid = 0;
    int m_pidfd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_pollTimer;
    bool m_gone = false;
};
