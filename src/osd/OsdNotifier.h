#pragma once
// Notices through the desktop's notification service (org.freedesktop.Notifications
// on the session bus), where a window of ours cannot stay over the others: a
// Wayland session without XWayland. Each notice replaces the one before it.

#include "OsdBlock.h"

#include <QDBusConnection>
#include <QObject>
#include <optional>

class QDBusPendingCallWatcher;

class OsdNotifier : public QObject
{
    Q_OBJECT
public:
    explicit OsdNotifier(const QDBusConnection &bus = QDBusConnection::sessionBus(),
                         QObject *parent = nullptr);

    // True when the bus has a notification service, running or to be started.
    bool isAvailable() const;
    void notify(const Osd::Notice &notice);

    // True while a notice is on its way to the service.
    bool isBusy() const { return m_pending || m_next.has_value(); }
    // The service's id of the notice shown last (0: none yet).
    quint32 lastId() const { return m_lastId; }

signals:
    // The service took a notice (ID) or refused it (0, with its error).
    void sent(quint32 id);
    void failed(const QString &error);

private:
    void send(const Osd::Notice &notice);
    void onReply(QDBusPendingCallWatcher *watcher);

    QDBusConnection m_bus;
    quint32 m_lastId = 0;
    bool m_pending = false;
    // A notice given while the last one was on its way: it waits for that one's
    // id so that it replaces it instead of standing beside it.
    std::optional<Osd::Notice> m_next;
};
