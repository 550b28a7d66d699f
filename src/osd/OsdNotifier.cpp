#include "OsdNotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
} // namespace

OsdNotifier::OsdNotifier(const QDBusConnection &bus, QObject *parent) : QObject(parent), m_bus(bus) {}

bool OsdNotifier::isAvailable() const
{
    if (!m_bus.isConnected() || !m_bus.interface())
        return false;
    QDBusConnectionInterface *bus = m_bus.interface();
    return bus->isServiceRegistered(kService).value() ||
           bus->activatableServiceNames().value().contains(kService);
}

void OsdNotifier::notify(const Osd::Notice &notice)
{
    if (m_pending) {
        m_next = notice;
        return;
    }
    send(notice);
}

void OsdNotifier::send(const Osd::Notice &notice)
{
    QDBusMessage call;
    if (notice.text.isEmpty()) {
        // An empty notice takes the last one away.
        if (m_lastId == 0)
            return;
        call =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
        call << m_lastId;
    } else {
        QVariantMap hints;
        hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(0)));
        hints.insert(QStringLiteral("transient"), true);
        hints.insert(QStringLiteral("category"), QStringLiteral("device"));
        call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
        call << QStringLiteral("mousecfg") << m_lastId << QStringLiteral("input-mouse") << notice.text
             << QString() << QStringList() << hints << qint32(notice.duration);
    }
    m_pending = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &OsdNotifier::onReply);
}

void OsdNotifier::onReply(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    m_pending = false;
    const QDBusMessage reply = watcher->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        emit failed(reply.errorMessage());
    } else if (reply.arguments().size() == 1 && reply.arguments().first().canConvert<quint32>()) {
        m_lastId = reply.arguments().first().value<quint32>();
        emit sent(m_lastId);
    } else {
        // CloseNotification: nothing of it is left to replace.
        m_lastId = 0;
        emit sent(0);
    }
    if (m_next) {
        const Osd::Notice next = *m_next;
        m_next.reset();
        send(next);
    }
}
