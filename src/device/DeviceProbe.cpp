#include "DeviceProbe.h"

#include "HidBackend.h"

QString udevRuleName()
{
    return QStringLiteral("70-mousecfg.rules");
}

OpenProbe probeOpen(const QByteArray &path)
{
    OpenProbe probe;
    HidBackend *backend = hidBackend();
    if (HidDevice *d = backend->openPath(path)) {
        backend->close(d);
        probe.opened = true;
        probe.text = QStringLiteral("can be opened");
        return probe;
    }
    if (backend->permissionDenied(path)) {
        probe.permissionDenied = true;
        probe.text = QStringLiteral("cannot be opened: permission denied; install the udev rule %1 "
                                    "(packaging/%1 into /etc/udev/rules.d), then re-plug the device")
                         .arg(udevRuleName());
        return probe;
    }
    const QString why = backend->error(nullptr);
    probe.text =
        QStringLiteral("cannot be opened%1").arg(why.isEmpty() ? QString() : QStringLiteral(": ") + why);
    return probe;
}
