#include "DevicePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QRegularExpression &mousePattern()
{
    static const QRegularExpression re(
        QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})(?:&[^&]+)*&MI_00"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &vendorPattern()
{
    static const QRegularExpression re(
        QStringLiteral("HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})(?:&[^&]+)*&MI_02"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A capture of four word characters read as hexadecimal; 0 when it is not hex.
quint16 hexCapture(const QRegularExpressionMatch &m, const QString &name)
{
    bool ok = false;
    const uint v = m.captured(name).toUInt(&ok, 16);
    return ok ? quint16(v) : 0;
}

int readHexFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const uint v = QString::fromLatin1(f.read(32)).trimmed().toUInt(&ok, 16);
    return ok && v <= 0xFFFF ? int(v) : -1;
}

} // namespace

namespace DevicePath {

DevicePathInfo parse(const QString &path)
{
    DevicePathInfo info;
    QRegularExpressionMatch m = mousePattern().match(path);
    if (m.hasMatch()) {
        info.kind = InterfaceKind::Mouse;
    } else {
        m = vendorPattern().match(path);
        if (m.hasMatch())
            info.kind = InterfaceKind::Vendor;
    }
    if (info.kind != InterfaceKind::None) {
        info.vendorId = hexCapture(m, QStringLiteral("vid"));
        info.productId = hexCapture(m, QStringLiteral("pid"));
    }
    return info;
}

InterfaceKind kindFromInterfaceNumber(int interfaceNumber)
{
    switch (interfaceNumber) {
    case 0:
        return InterfaceKind::Mouse;
    case 2:
        return InterfaceKind::Vendor;
    default:
        return InterfaceKind::None;
    }
}

int releaseNumber(const QString &path, const QString &sysfsRoot)
{
    static const QRegularExpression rev(QStringLiteral("[#&\\\\]REV_([0-9A-F]{4})(?![0-9A-F])"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = rev.match(path);
    if (m.hasMatch())
        return int(m.captured(1).toUInt(nullptr, 16));

    static const QRegularExpression hidraw(QStringLiteral("^/dev/(hidraw\\d+)$"));
    const QRegularExpressionMatch h = hidraw.match(path);
    if (!h.hasMatch())
        return -1;

    // /sys/class/hidraw/hidrawN/device is the HID device; its parents are the
    // USB interface and then the USB device, which holds bcdDevice.
    const QString link =
        sysfsRoot + QStringLiteral("/class/hidraw/") + h.captured(1) + QStringLiteral("/device");
    QString dir = QFileInfo(link).canonicalFilePath();
    const QString root = QFileInfo(sysfsRoot).canonicalFilePath();
    if (dir.isEmpty() || root.isEmpty())
        return -1;
    while (dir.startsWith(root) && dir.length() > root.length()) {
        if (QFileInfo::exists(dir + QStringLiteral("/bcdDevice")))
            return readHexFile(dir + QStringLiteral("/bcdDevice"));
        dir = QFileInfo(dir).path();
    }
    return -1;
}

} // namespace DevicePath
