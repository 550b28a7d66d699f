#include "OwnerWatch.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 1000;
} // namespace

OwnerWatch::OwnerWatch(QObject *parent) : QObject(parent)
{
    m_pollTimer.setInterval(kPollMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &OwnerWatch::poll);
}

OwnerWatch::~OwnerWatch()
{
    delete m_notifier;
    if (m_pidfd >= 0)
        ::close(m_pidfd);
}

bool OwnerWatch::watch(qint64 pid, Mode mode)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)) || m_pid != 0)
        return false;
    m_pid = pid;
#ifdef SYS_pidfd_open
    if (mode == Mode::Auto) {
        const long fd = ::syscall(SYS_pidfd_open, pid_t(pid), 0u);
        if (fd >= 0) { // close-on-exec already
            m_pidfd = int(fd);
            m_notifier = new QSocketNotifier(m_pidfd, QSocketNotifier::Read, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &OwnerWatch::onPidfd);
            return true;
        }
        if (errno == ESRCH) {
            QTimer::singleShot(0, this, &OwnerWatch::poll);
            return true;
        }
        // ENOSYS (an older kernel) or a seccomp filter: poll instead.
    }
#else
    Q_UNUSED(mode);
#endif
    m_pollTimer.start();
    QTimer::singleShot(0, this, &OwnerWatch::poll);
    return true;
}

void OwnerWatch::poll()
{
    // EPERM: it runs under another user, but it runs.
    if (m_gone || ::kill(pid_t(m_pid), 0) == 0 || errno != ESRCH)
        return;
    m_gone = true;
    m_pollTimer.stop();
    emit ownerGone();
}

void OwnerWatch::onPidfd()
{
    // Readable once the process has ended; it stays readable.
    m_notifier->setEnabled(false);
    if (m_gone)
        return;
    m_gone = true;
    emit ownerGone();
}
