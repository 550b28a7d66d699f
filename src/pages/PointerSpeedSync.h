#pragma once
// Keeps the profile's pointer speed ("mousespeed", 1..20) and the desktop's
// in step: read into the active profile at start, handed to the desktop on
// every profile change.

#include "ProfileTypes.h"

class PointerSpeed;

namespace PointerSpeedSync {

// Start-up: the desktop's current speed into PROFILE. False (profile
// unchanged) when there is no backend or it cannot be read.
bool readInto(PointerSpeed *backend, ProfileData &profile);

// Profile change: the profile's speed to the desktop. A profile without a
// speed (0, never set) leaves the desktop alone. False when nothing was
// applied; the profile keeps its value either way.
bool apply(PointerSpeed *backend, const ProfileData &profile);

} // namespace PointerSpeedSync
