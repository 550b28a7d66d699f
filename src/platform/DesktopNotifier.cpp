#include "DesktopNotifier.h"

#include "PlatformLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr qint32 kServerTimeout = -1; // as long as the desktop keeps such notices
} // namespace

DesktopNotifier::~DesktopNotifier() = default;

FreedesktopNotifier::FreedesktopNotifier(QObject *parent) : QObject(parent) {}

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{
}

void FreedesktopNotifier::notify(const Notice &notice)
{
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    if (!m_bus->isConnected()) {
        qCDebug(lcPlatform) << "no session bus for the notice" << notice.summary;
        return;
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(notice.urgency)));
    hints.insert(QStringLiteral("category"), QStringLiteral("device"));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.mousecfg.mousecfg"));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("mousecfg") << m_lastId << notice.icon << notice.summary << notice.body
         << QStringList() << hints << kServerTimeout;
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &FreedesktopNotifier::onReply);
}

void FreedesktopNotifier::onReply(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<quint32> reply = *watcher;
    if (reply.isError()) {
        qCDebug(lcPlatform) << "the notification service refused a notice:" << reply.error().message();
        emit failed(reply.error().message());
        return;
    }
    m_lastId = reply.value();
    emit sent(m_lastId);
}

void warmUpSessionBus()
{
    QDBusConnection::sessionBus();
}
