#pragma once
// Unix-domain stream sockets for the local channels (a second copy asking the
// running one to show itself, notices to the on-screen display), without the
// network module. Names resolve as QLocalServer and QLocalSocket resolve
// them, so either end may be a Qt local socket: an absolute path is used as
// it is, any other name lies in the temporary folder. Every socket is
// non-blocking and closed on exec.

#include <QObject>
#include <QSocketNotifier>
#include <QString>

namespace UnixSocket {

QString fullPath(const QString &name);
// A socket connected to the server NAME, or -1 with errno set (EAGAIN: the
// server's queue is full for now).
int connectTo(const QString &name);
// Writes what the socket takes now: the bytes written, 0 when it takes none
// for now, -1 when the peer is gone. Never raises SIGPIPE.
qint64 write(int fd, const char *data, qint64 size);
// Reads what is there: the bytes read, 0 at the end, -1 with errno set
// (EAGAIN: nothing yet).
qint64 read(int fd, char *data, qint64 size);
// Waits at most TIMEOUTMS for FD to take more bytes.
bool waitWritable(int fd, int timeoutMs);

} // namespace UnixSocket

// A notifier that owns its socket and closes it when deleted.
class UnixSocketNotifier : public QSocketNotifier
{
public:
    UnixSocketNotifier(int fd, Type type, QObject *parent) : QSocketNotifier(fd, type, parent) {}
    ~UnixSocketNotifier() override;
};

// A listening socket, readable and writable by this user only. Closing it
// removes the socket file, as QLocalServer does.
class UnixListener : public QObject
{
    Q_OBJECT
public:
    explicit UnixListener(QObject *parent = nullptr);
    ~UnixListener() override;

    // Fails when a file NAME exists already: remove one left behind first.
    bool listen(const QString &name);
    void close();
    bool isListening() const { return m_fd >= 0; }
    QString fullServerName() const { return m_path; }
    QString errorString() const { return m_errorString; }
    // A connection waiting to be taken, non-blocking and now the caller's to
    // close; -1 when there is none.
    int nextPendingConnection();

signals:
    void newConnection();

private:
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QString m_path;
    QString m_errorString;
};
