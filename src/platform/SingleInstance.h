#pragma once
// One running copy per product and user: a lock file in the runtime folder,
// named after the product as the mutex name was
// ("<product> Wireless Gaming Mouse Mutex1"), held with flock(): the kernel
// lets go when its holder ends, so a file left behind by a copy that crashed
// is locked again at once. The file names the holder's process (the format
// QLockFile writes, which holds the same lock). Beside it, a Unix
// socket through which a second copy asks the running one to show itself.

#include <QString>

#include <functional>
#include <memory>

class UnixListener;

class SingleInstance
{
public:
    // DIRECTORY empty: the runtime location, or the temporary folder.
    explicit SingleInstance(const QString &productName, const QString &directory = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process now holds the lock (or already held it). False
    // when another live copy holds it, or the lock cannot be written
    // (errorString() tells which).
    bool tryAcquire();
    bool isAcquired() const { return m_acquired; }
    void release();

    // The holder of the lock listens on a local socket beside the lock file:
    // a later copy calls activateRunningCopy(), and onActivate runs here (on
    // this thread's event loop). False when the socket cannot be opened.
    bool listenForActivation(std::function<void()> onActivate);
    // A second copy asks the running one to show its window. True when the
    // request was delivered.
    bool activateRunningCopy(int timeoutMs = 1000) const;

    // True when tryAcquire() failed because another copy runs.
    bool otherInstanceRunning() const { return m_otherRunning; }
    QString errorString() const { return m_errorString; }
    QString lockFilePath() const { return m_path; }

    // "ORVALE8 Wireless Gaming Mouse Mutex1", made safe as a file name.
    static QString lockName(const QString &productName);
    static QString defaultDirectory();

private:
    QString m_path;
    QString m_socketPath;
    static qint64 holderPid(int fd);

    int m_fd = -1;
    std::unique_ptr<UnixListener> m_server;
    bool m_acquired = false;
    bool m_otherRunning = false;
    QString m_errorString;
};
