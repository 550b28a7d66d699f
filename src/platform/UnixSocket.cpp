#include "UnixSocket.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// False when PATH does not fit a socket address.
bool fillAddress(const QByteArray &path, sockaddr_un *addr)
{
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof addr->sun_path)
        return false;
    std::memcpy(addr->sun_path, path.constData(), size_t(path.size()));
    return true;
}

void closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

} // namespace

QString UnixSocket::fullPath(const QString &name)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    return QDir::cleanPath(QDir::tempPath()) + QLatin1Char('/') + name;
}

int UnixSocket::connectTo(const QString &name)
{
    sockaddr_un addr;
    if (!fillAddress(QFile::encodeName(fullPath(name)), &addr)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int r;
    do {
        r = ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr);
    } while (r < 0 && errno == EINTR);
    if (r < 0) {
        closeKeepingErrno(fd);
        return -1;
    }
    return fd;
}

qint64 UnixSocket::write(int fd, const char *data, qint64 size)
{
    ssize_t n;
    do {
        n = ::send(fd, data, size_t(size), MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    return n;
}

qint64 UnixSocket::read(int fd, char *data, qint64 size)
{
    ssize_t n;
    do {
        n = ::recv(fd, data, size_t(size), 0);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool UnixSocket::waitWritable(int fd, int timeoutMs)
{
    pollfd p = {fd, POLLOUT, 0};
    int r;
    do {
        r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r > 0 && (p.revents & POLLOUT);
}

UnixSocketNotifier::~UnixSocketNotifier()
{
    setEnabled(false);
    ::close(int(socket()));
}

UnixListener::UnixListener(QObject *parent) : QObject(parent) {}

UnixListener::~UnixListener()
{
    close();
}

bool UnixListener::listen(const QString &name)
{
    close();
    m_errorString.clear();
    const QString path = UnixSocket::fullPath(name);
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un addr;
    if (!fillAddress(encoded, &addr)) {
        m_errorString = QStringLiteral("cannot listen on %1: the name is too long").arg(path);
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_errorString = QStringLiteral("cannot listen on %1: %2").arg(path, qt_error_string(errno));
        return false;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) != 0) {
        m_errorString = QStringLiteral("cannot listen on %1: %2").arg(path, qt_error_string(errno));
        ::close(fd);
        return false;
    }
    // No one can connect before listen(): the socket is the user's alone first.
    if (::chmod(encoded.constData(), S_IRWXU) != 0 || ::listen(fd, 50) != 0) {
        m_errorString = QStringLiteral("cannot listen on %1: %2").arg(path, qt_error_string(errno));
        ::close(fd);
        ::unlink(encoded.constData());
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixListener::newConnection);
    return true;
}

void UnixListener::close()
{
    if (m_fd < 0)
        return;
    // Perhaps called from its own signal: it goes later.
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(QFile::encodeName(m_path).constData());
}

int UnixListener::nextPendingConnection()
{
    if (m_fd < 0)
        return -1;
    int fd;
    do {
        fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}
