#include "SingleInstance.h"
#include "PlatformLog.h"
#include "UnixSocket.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char kActivateRequest[] = "show\n";
} // namespace

SingleInstance::SingleInstance(const QString &productName, const QString &directory)
{
    const QString dir = directory.isEmpty() ? defaultDirectory() : directory;
    m_path = QDir(dir).filePath(lockName(productName) + QStringLiteral(".lock"));
    m_socketPath = QDir(dir).filePath(lockName(productName) + QStringLiteral(".sock"));
}

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::lockName(const QString &productName)
{
    QString name = productName + QStringLiteral(" Wireless Gaming Mouse Mutex1");
    // The product name comes from a data file: keep the lock inside its folder.
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    if (name.startsWith(QLatin1Char('.')))
        name[0] = QLatin1Char('_');
    return name.left(200);
}

QString SingleInstance::defaultDirectory()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir().mkpath(runtime))
        return runtime;
    return QDir::tempPath();
}

bool SingleInstance::tryAcquire()
{
    if (m_acquired)
        return true;
    m_otherRunning = false;
    m_errorString.clear();
    const QByteArray path = QFile::encodeName(m_path);
    // The kernel drops the lock with its holder, so a file left by a copy that
    // crashed is simply locked again. Nothing is synced to disk: the lock is
    // the open file, not what it holds.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            m_errorString =
                errno == EACCES
                    ? QStringLiteral("cannot create the lock file %1: permission denied").arg(m_path)
                    : QStringLiteral("cannot create the lock file %1 (%2)")
                          .arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) {
                m_otherRunning = true;
                const qint64 pid = holderPid(fd);
                m_errorString = pid > 0 ? QStringLiteral("another copy is running (process %1)").arg(pid)
                                        : QStringLiteral("another copy is running");
            } else {
                m_errorString = QStringLiteral("cannot lock %1 (%2)")
                                    .arg(m_path, QString::fromLocal8Bit(std::strerror(error)));
            }
            ::close(fd);
            break;
        }
        // A holder that let go between our open and our lock may have removed
        // the file: a lock on a file no longer at the path locks nothing.
        struct stat opened, named;
        if (::fstat(fd, &opened) != 0 || ::stat(path.constData(), &named) != 0 ||
            opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
            ::close(fd);
            continue;
        }
        // Who holds it, for a second copy's message (the format QLockFile writes).
        const QByteArray info = QByteArray::number(qint64(::getpid())) + '\n' +
                                QCoreApplication::applicationName().toUtf8() + '\n' +
                                QSysInfo::machineHostName().toUtf8() + '\n';
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, info.constData(), size_t(info.size()), 0) != info.size())
            qCDebug(lcPlatform) << "single instance: the lock file's owner line was not written";
        m_fd = fd;
        m_acquired = true;
        return true;
    }
    if (m_errorString.isEmpty())
        m_errorString = QStringLiteral("cannot lock %1: it keeps being replaced").arg(m_path);
    qCDebug(lcPlatform) << "single instance:" << m_errorString;
    return false;
}

qint64 SingleInstance::holderPid(int fd)
{
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    if (n <= 0)
        return 0;
    const QByteArray line = QByteArray(text, int(n)).split('\n').value(0);
    bool ok = false;
    const qint64 pid = line.toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

bool SingleInstance::listenForActivation(std::function<void()> onActivate)
{
    if (!m_acquired)
        return false;
    m_server = std::make_unique<UnixListener>();
    // Only the holder of the lock listens, so a socket left behind by a copy
    // that crashed is ours to take over.
    QFile::remove(m_socketPath);
    if (!m_server->listen(m_socketPath)) {
        qCWarning(lcPlatform) << "single instance:" << m_server->errorString();
        m_server.reset();
        return false;
    }
    UnixListener *server = m_server.get();
    QObject::connect(server, &UnixListener::newConnection, server, [server, onActivate] {
        int fd;
        while ((fd = server->nextPendingConnection()) >= 0) {
            auto *peer = new UnixSocketNotifier(fd, QSocketNotifier::Read, server);
            QObject::connect(peer, &QSocketNotifier::activated, peer, [peer, fd, onActivate] {
                // One short request; anything else is dropped unread.
                char request[sizeof kActivateRequest - 1];
                const qint64 n = UnixSocket::read(fd, request, sizeof request);
                if (n < 0 && errno == EAGAIN)
                    return;
                peer->setEnabled(false);
                peer->deleteLater();
                if (n == qint64(sizeof request) &&
                    std::memcmp(request, kActivateRequest, sizeof request) == 0 && onActivate)
                    onActivate();
            });
        }
    });
    return true;
}

bool SingleInstance::activateRunningCopy(int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    int fd;
    while ((fd = UnixSocket::connectTo(m_socketPath)) < 0) {
        if (errno != EAGAIN || clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(10); // its queue is full: the holder is busy
    }
    const qint64 size = qint64(sizeof kActivateRequest - 1);
    qint64 sent = 0;
    while (sent < size) {
        const qint64 n = UnixSocket::write(fd, kActivateRequest + sent, size - sent);
        if (n < 0)
            break;
        sent += n;
        if (sent < size && !UnixSocket::waitWritable(fd, int(qMax<qint64>(0, timeoutMs - clock.elapsed()))))
            break;
    }
    ::close(fd);
    return sent == size;
}

void SingleInstance::release()
{
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_fd >= 0) {
        // Removed while still locked, so no later copy locks a file on its way out.
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
        m_fd = -1;
    }
    m_acquired = false;
}
