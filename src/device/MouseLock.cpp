#include "MouseLock.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

MouseLock::MouseLock(const QString &path) : m_path(path) {}

MouseLock::~MouseLock()
{
    release();
}

bool MouseLock::tryAcquire(const QString &holder)
{
    if (m_fd >= 0)
        return true;
    m_holder.clear();
    m_error.clear();
    const QByteArray name = QFile::encodeName(m_path);
    // A link planted at the lock's name is not followed.
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        // No lock file can be had here (a folder that does not exist): none
        // can be held by another program either. A link planted at the name
        // is refused.
        const int error = errno;
        m_error =
            QStringLiteral("%1 cannot be opened: %2").arg(m_path, QString::fromLocal8Bit(strerror(error)));
        return error != ELOOP;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK) {
            char buffer[256] = {};
            const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
            m_holder = n > 0 ? QString::fromUtf8(buffer, int(n)).trimmed() : QString();
            if (m_holder.isEmpty())
                m_holder = QStringLiteral("another mousecfg program");
            m_error = QStringLiteral("%1 is using the mouse").arg(m_holder);
            ::close(fd);
            return false;
        }
        // A file system without locks: nothing to keep another program out with.
        m_error =
            QStringLiteral("%1 cannot be locked: %2").arg(m_path, QString::fromLocal8Bit(strerror(error)));
        ::close(fd);
        return true;
    }
    const QByteArray text = QStringLiteral("%1 (process %2)\n").arg(holder).arg(::getpid()).toUtf8();
    // Who holds it is only said to others: the lock stands whether this lands or not.
    const int truncated = ::ftruncate(fd, 0);
    const ssize_t written = ::pwrite(fd, text.constData(), size_t(text.size()), 0);
    (void)truncated;
    (void)written;
    m_fd = fd;
    return true;
}

void MouseLock::release()
{
    if (m_fd < 0)
        return;
    // The name says nothing any more: the next holder writes its own.
    const int truncated = ::ftruncate(m_fd, 0);
    (void)truncated;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

QString MouseLock::realMousePath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/mousecfg-mouse.lock");
    return QDir::tempPath() + QStringLiteral("/mousecfg-mouse-%1.lock").arg(::getuid());
}

QString MouseLock::simulatedMousePath(const QString &configDir)
{
    return QDir(configDir).filePath(QStringLiteral("simulated-mouse.lock"));
}
