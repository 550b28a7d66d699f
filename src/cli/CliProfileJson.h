#pragma once
// JSON images of the profile data for the command line (show, defaults and
// the simulated mouse's own dump). Values are those of the in-memory record,
// that is after their cut to the field widths.

#include "DeviceDescription.h"
#include "ProfileTypes.h"

#include <QJsonObject>

// {"pollrate":n,"dpi":n,...,"DPI_INFO":[8],"BUTTON_INFO":[42],"LED_MODE":[14],"ProfileName":s,"ProfilePath":s}
QJsonObject profileToJson(const ProfileData &profile);
// {"ProfileID":n,"AngleValue":n,...,"names":[5],"profiles":[5 profiles]}
QJsonObject profileSetToJson(const ProfileSet &set);
// {"AngleValue":n,"LiftHigh":n,"Sync":n,"Jitter":n,"Debounce":n,"Wake":n,"SensorMode":n}
QJsonObject sensorDefaultsToJson(const DeviceDescription::SensorDefaults &values);
// Compact UTF-8 text of a JSON object.
QString jsonText(const QJsonObject &object);
