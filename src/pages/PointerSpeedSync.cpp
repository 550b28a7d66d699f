#include "PointerSpeedSync.h"

#include "Log.h"
#include "PointerSpeed.h"

#include <QDebug>

namespace PointerSpeedSync {

bool readInto(PointerSpeed *backend, ProfileData &profile)
{
    if (!backend)
        return false;
    int speed = 0;
    if (!backend->readSpeed(&speed)) {
        qCDebug(lcPages) << "pointer speed not read:" << backend->backendName() << backend->errorString();
        return false;
    }
    profile.mousespeed = quint8(qBound(PointerSpeedScale::kMinimum, speed, PointerSpeedScale::kMaximum));
    return true;
}

bool apply(PointerSpeed *backend, const ProfileData &profile)
{
    if (!backend)
        return false;
    const int speed = profile.mousespeed;
    if (speed < PointerSpeedScale::kMinimum || speed > PointerSpeedScale::kMaximum) {
        qCDebug(lcPages, "pointer speed %d of the profile not applied", speed);
        return false;
    }
    const bool ok = backend->applySpeed(speed);
    qCDebug(lcPages) << "pointer speed" << speed << "via" << backend->backendName()
                     << (ok ? QStringLiteral("applied") : backend->errorString());
    return ok;
}

} // namespace PointerSpeedSync
