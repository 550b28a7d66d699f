#include "SingleInstance.h"
#include "PlatformLog.h"
#include "UnixSocket.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstring>
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
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a lock whose owner no longer runs is stale; however old, a live
    // owner's lock stands.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_acquired = true;
        return true;
    }
    switch (m_lock->error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host, app;
        m_lock->getLockInfo(&pid, &host, &app);
        m_otherRunning = true;
        m_errorString = QStringLiteral("another copy is running (process %1)").arg(pid);
        break;
    }
    case QLockFile::PermissionError:
        m_errorString = QStringLiteral("cannot create the lock file %1: permission denied").arg(m_path);
        break;
    default:
        m_errorString = QStringLiteral("cannot create the lock file %1").arg(m_path);
        break;
    }
    qCDebug(lcPlatform) << "single instance:" << m_errorString;
    m_lock.reset();
    return false;
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
    if (m_lock && m_acquired)
        m_lock->unlock();
    m_lock.reset();
    m_acquired = false;
}
