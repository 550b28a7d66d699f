#include "SingleInstance.h"

#include <QDebug>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &productName, const QString &directory)
{
    const QString dir = directory.isEmpty() ? defaultDirectory() : directory;
    m_path = QDir(dir).filePath(lockName(productName) + QStringLiteral(".lock"));
}

SingleInstance::~SingleInstance() { release(); }

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
    qDebug() << "single instance:" << m_errorString;
    m_lock.reset();
    return false;
}

void SingleInstance::release()
{
    if (m_lock && m_acquired)
        m_lock->unlock();
    m_lock.reset();
    m_acquired = false;
}
