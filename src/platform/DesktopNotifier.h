#pragma once
// Notices for the desktop's notification service: the battery running low,
// or charged. The freedesktop implementation talks to
// org.freedesktop.Notifications on the session bus; each notice replaces the
// one it sent before, so a stale "low" gives way to "critical" or "charged".

#include <QDBusConnection>

#include <QObject>
#include <QString>
#include <optional>

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
    // has connected it by then).
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

// Every toolkit window connects to the session bus: the accessibility bridge
// asks for it with the first widget that is given a text or a name, and the
// window waits there for the socket, the handshake and the bus's hello or,
// where no bus is set, for libdbus's attempt to start one in a forked child.
// A fork copies the process's page tables and holds up its other threads
// meanwhile, so it costs least at the very start. warmUpSessionBus() makes
// that same connection, called on the start-up thread as the program starts
// (after the main thread has made itself the toolkit's main thread: the first
// thread to use the toolkit's thread data becomes it); the bridge, the notices
// and the pointer-speed backends then find it made. Nothing is opened that the
// toolkit would not open anyway.
void warmUpSessionBus();
