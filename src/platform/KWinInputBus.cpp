#include "KWinInputBus.h"
#include "PlatformLog.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDebug>

namespace {

const QString kService = QStringLiteral("org.kde.KWin");
const QString kManagerPath = QStringLiteral("/org/kde/KWin/InputDevice");
const QString kManagerInterface = QStringLiteral("org.kde.KWin.InputDeviceManager");
const QString kDeviceInterface = QStringLiteral("org.kde.KWin.InputDevice");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kTimeoutMs = 1000;

bool getProperty(const QString &path, const QString &interface, const QString &name, QVariant *value)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, kProperties, QStringLiteral("Get"));
    call << interface << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCDebug(lcPlatform) << "KWin:" << name << "of" << path << "unreadable:" << reply.errorMessage();
        return false;
    }
    *value = reply.arguments().constFirst().value<QDBusVariant>().variant();
    return true;
}

QString devicePath(const QString &device)
{
    return kManagerPath + QLatin1Char('/') + device;
}

} // namespace

KWinInputBus::~KWinInputBus() = default;

bool DBusKWinInputBus::isAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (!bus.interface()->isServiceRegistered(kService).value())
        return false;
    QVariant names;
    return getProperty(kManagerPath, kManagerInterface, QStringLiteral("devicesSysNames"), &names);
}

QStringList DBusKWinInputBus::pointerDevices()
{
    QStringList result;
    QVariant names;
    if (!getProperty(kManagerPath, kManagerInterface, QStringLiteral("devicesSysNames"), &names))
        return result;
    for (const QString &device : names.toStringList()) {
        // A sysName becomes an object path element: only plain names.
        if (device.isEmpty() || device.contains(QLatin1Char('/')))
            continue;
        QVariant pointer, touchpad;
        if (!getProperty(devicePath(device), kDeviceInterface, QStringLiteral("pointer"), &pointer) ||
            !pointer.toBool())
            continue;
        if (getProperty(devicePath(device), kDeviceInterface, QStringLiteral("touchpad"), &touchpad) &&
            touchpad.toBool())
            continue;
        result.append(device);
    }
    return result;
}

bool DBusKWinInputBus::readAcceleration(const QString &device, double *accel)
{
    QVariant v;
    if (!getProperty(devicePath(device), kDeviceInterface, QStringLiteral("pointerAcceleration"), &v))
        return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return false;
    *accel = d;
    return true;
}

bool DBusKWinInputBus::writeAcceleration(const QString &device, double accel)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, devicePath(device), kProperties, QStringLiteral("Set"));
    call << kDeviceInterface << QStringLiteral("pointerAcceleration")
         << QVariant::fromValue(QDBusVariant(QVariant(accel)));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCDebug(lcPlatform) << "KWin: pointerAcceleration of" << device << "refused:" << reply.errorMessage();
        return false;
    }
    return true;
}
