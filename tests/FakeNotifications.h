#pragma once
// For the tests of desktop notices: a stand-in for the desktop's notification
// service, and the re-run of a test on a private session bus so that no notice
// ever reaches the desktop's own.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QList>
#include <QStandardPaths>
#include <QVariantMap>

#include <cstdio>
#include <unistd.h>
#include <vector>

// What the service is told. Notify answers with the id it replaces or a new one
// counted up from firstId.
class FakeNotifications : public QDBusVirtualObject
{
public:
    struct Call
    {
        QString app;
        quint32 replacesId;
        QString icon, summary, body;
        int urgency;
        qint32 timeout;
    };
    QList<Call> calls;
    QList<quint32> closed;
    quint32 nextId;

    explicit FakeNotifications(quint32 firstId) : nextId(firstId) {}

    // Registers the service on a connection of its own, as another program's would.
    bool start()
    {
        m_bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notifications"));
        return m_bus.isConnected() && m_bus.registerVirtualObject(kPath, this) &&
               m_bus.registerService(kInterface);
    }

    QString introspect(const QString &) const override { return QString(); }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        const QList<QVariant> a = message.arguments();
        if (message.interface() != kInterface)
            return false;
        if (message.member() == QLatin1String("Notify") && a.size() == 8) {
            const QVariantMap hints = qdbus_cast<QVariantMap>(a.at(6));
            const quint32 replaces = a.at(1).toUInt();
            calls.append({a.at(0).toString(), replaces, a.at(2).toString(), a.at(3).toString(),
                          a.at(4).toString(), hints.value(QStringLiteral("urgency")).toInt(),
                          a.at(7).toInt()});
            const quint32 id = replaces ? replaces : ++nextId;
            connection.send(message.createReply(QVariant::fromValue(id)));
            return true;
        }
        if (message.member() == QLatin1String("CloseNotification") && a.size() == 1) {
            closed.append(a.at(0).toUInt());
            connection.send(message.createReply());
            return true;
        }
        return false;
    }

    // Runs the test again under dbus-run-session unless it already is: returns the
    // exit code to end with, or -1 to go on (on the private bus).
    static int rerunOnPrivateBus(int argc, char **argv)
    {
        if (qgetenv("MOUSECFG_PRIVATE_BUS") == "1")
            return -1;
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty()) {
            printf("SKIP   : dbus-run-session is missing (Debian package dbus-daemon)\n");
            return 77;
        }
        qputenv("MOUSECFG_PRIVATE_BUS", "1");
        std::vector<char *> args = {const_cast<char *>("dbus-run-session"), const_cast<char *>("--")};
        for (int i = 0; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        execvp("dbus-run-session", args.data());
        perror("dbus-run-session");
        return 1;
    }

private:
    const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection m_bus = QDBusConnection(QString());
};
