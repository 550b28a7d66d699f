#pragma once
// A fast path for profile sections in QSettings' own INI format. A profile
// file has 11,099 keys; going through QSettings key by key costs tens of
// milliseconds per file. This reader and writer handle the files QSettings
// writes for us byte for byte (the tests compare both) and report "not mine"
// for anything else, which then goes through QSettings as before.

#include "ProfileTypes.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace ProfileIni {

// Reads section SECTION of the INI text into profile (LedMoveOFF and
// LedSleepTime only with ledOptions). False when the text holds anything this
// reader does not handle exactly as QSettings would; profile is then untouched.
bool readSection(const QByteArray &text, int section, ProfileData &profile, bool ledOptions);

// The whole file QSettings would write for a file holding only this section.
QByteArray writeSection(int section, const ProfileData &profile, bool ledOptions);

// True when a file with this text may be replaced by writeSection(): it holds
// nothing but the same section with keys that writeSection() writes.
bool replaceable(const QByteArray &text, int section, bool ledOptions);

// QSettings' text for a value and its escaping in an INI file.
QString variantToString(const QVariant &value);
QByteArray escapedString(const QString &text);
// The inverse of escapedString() followed by the value decoding; false for
// anything outside what escapedString() produces.
bool decodeValue(const QByteArray &raw, QVariant &value);

} // namespace ProfileIni
