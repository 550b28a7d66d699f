#pragma once
// Notices for the desktop's notification service: the battery running low,
// or charged. The freedesktop implementation talks to
// org.freedesktop.Notifications on the session bus; each notice replaces the
// one it sent before, so a stale "low" gives way to "critical" or "charged".

#include <QDBusConnection>

#include <QObject>
#include <QString>
#include <optional>
#include <thread>

class QDBusPendingCallWatcher;

class DesktopNotifier
{
public:
    enum class Urgency
    {
        Low = 0,
        Normal = 1,
        Critical = 2
    };
    struct Notice
    {
        QString summary;
        QString body;
        QString icon; // a theme icon name ("battery-low")
        Urgency urgency = Urgency::Normal;
    };

    virtual ~DesktopNotifier();
    virtual void notify(const Notice &notice) = 0;
};

class FreedesktopNotifier : public QObject, public DesktopNotifier
{
    Q_OBJECT
public:
    // On the session bus, taken when the first notice is sent (SessionBusWarmUp
    // has usually connected it by then).
    explicit FreedesktopNotifier(QObject *parent = nullptr);
    FreedesktopNotifier(const QDBusConnection &bus, QObject *parent = nullptr);
    void notify(const Notice &notice) override;

    // The service's id of the last notice it took (0: none yet).
    quint32 lastId() const { return m_lastId; }

signals:
    // The service took a notice (its id) or refused it.
    void sent(quint32 id);
    void failed(const QString &error);

private:
    void onReply(QDBusPendingCallWatcher *watcher);

    std::optional<QDBusConnection> m_bus;
    quint32 m_lastId = 0;
};

// The toolkit's accessibility bridge connects to the session bus when the
// first widget is named, and the window waits for it there: for the socket,
// the handshake and the bus's hello, or without a bus for libdbus's attempt
// to start one (a child process). SessionBusWarmUp makes that connection on a
// thread of its own as soon as the application object exists, so the bridge,
// the notices and the pointer-speed backends find it made. The connection is
// the one every toolkit program on the desktop makes; nothing more is opened.
class SessionBusWarmUp
{
public:
    // After the QCoreApplication is made.
    SessionBusWarmUp();
    // Waits for the thread.
    ~SessionBusWarmUp();
    SessionBusWarmUp(const SessionBusWarmUp &) = delete;
    SessionBusWarmUp &operator=(const SessionBusWarmUp &) = delete;

private:
    std::thread m_thread;
};
