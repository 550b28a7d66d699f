#include "GnomePointerSpeed.h"

#include "CommandRunner.h"
#include "PlatformLog.h"

#include <QDebug>

namespace {
const QString kSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");
const QString kKey = QStringLiteral("speed");
} // namespace

GnomePointerSpeed::GnomePointerSpeed(CommandRunner *runner, const QString &gsettings)
    : m_runner(runner), m_gsettings(gsettings)
{
}

bool GnomePointerSpeed::readSpeed(int *speed)
{
    const CommandResult r = m_runner->run(m_gsettings, {QStringLiteral("get"), kSchema, kKey});
    if (!r.ok()) {
        setErrorString(r.started ? QStringLiteral("gsettings could not read the pointer speed: %1")
                                       .arg(QString::fromLocal8Bit(r.standardError).trimmed())
                                 : QStringLiteral("gsettings cannot be run"));
        return false;
    }
    // A GVariant double: "0.0", "-0.25", "1e-05"; older versions may print
    // the type first ("double 0.5").
    QString out = QString::fromUtf8(r.standardOutput).trimmed();
    if (out.startsWith(QLatin1String("double ")))
        out = out.mid(7).trimmed();
    bool ok = false;
    const double accel = out.toDouble(&ok);
    if (!ok) {
        setErrorString(QStringLiteral("gsettings gave an unreadable pointer speed: %1").arg(out.left(40)));
        return false;
    }
    *speed = PointerSpeedScale::fromLibinput(accel);
    return true;
}

bool GnomePointerSpeed::applySpeed(int speed)
{
    const double accel = PointerSpeedScale::toLibinput(speed);
    const CommandResult r =
        m_runner->run(m_gsettings, {QStringLiteral("set"), kSchema, kKey, QString::number(accel, 'g', 6)});
    if (!r.ok()) {
        setErrorString(r.started ? QStringLiteral("gsettings refused the pointer speed: %1")
                                       .arg(QString::fromLocal8Bit(r.standardError).trimmed())
                                 : QStringLiteral("gsettings cannot be run"));
        qCDebug(lcPlatform) << "pointer speed:" << errorString();
        return false;
    }
    return true;
}
