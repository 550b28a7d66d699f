#pragma once
// The factory-default profile and set (from the device description's template
// or from built-in tables) and the change mask against the last-sent set.

#include "DeviceDescription.h"
#include "ProfileTypes.h"

#include <QString>

namespace ProfileDefaults {

// Bits of the change mask.
enum ChangeBit
{
    kChangeGeneral = 1,  // slot, sensor bytes, rates, current stage and LED options
    kChangeDpi = 2,      // DPI stages
    kChangeButtons = 4,  // buttons and the macros they run
    kChangeLighting = 8, // lighting
    kChangeAll = 15
};

// Fills profile with the factory defaults.
void buildDefaultProfile(ProfileData &profile);
// Resets the current slot, the sensor bytes, slot 0 and the five names;
// slots 1 to 4 and the count stay.
void buildDefaultSet(ProfileSet &set);
// Every slot back to the defaults and the names back to "Profile 1".."Profile 5".
void resetAllProfiles(ProfileSet &set);
// Name of slot i in a default set: "Profile <i+1>".
QString defaultSlotName(int slot);
// The seven default sensor bytes: the device description's, or the built-in ones.
DeviceDescription::SensorDefaults defaultSensorBytes();
// Sets the seven sensor bytes of SET to those defaults.
void setDefaultSensorBytes(ProfileSet &set);
// Writes a default profile to Configs/Profile/DefaultProfile.prof.
bool writeDefaultProfileFile(QString *errorText = nullptr);

// Which parts of current differ from lastSent. Reading a macro's write flag
// clears it, so a saved macro counts as changed once.
int changeMask(const ProfileSet &current, const ProfileSet &lastSent);

} // namespace ProfileDefaults
