#pragma once
// A fast path for profile sections in QSettings' own INI format. A profile
// file has 11,099 keys; going through QSettings key by key costs tens of
// milliseconds per file. This reader and writer handle the files QSettings
// writes for us byte for byte (the tests compare both) and report "not mine"
// for anything else, which then goes through QSettings as before.

#include "ProfileKeys.h"
#include "ProfileTypes.h"

#include <QByteArray>
#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace ProfileIni {

// One table describes the keys of a profile section and the fields they
// fill; every reader and writer below goes through it.

// Number of keys of a section (11,099 with the LED options, 2 fewer without).
int keyCount(bool ledOptions);

// One key of a section as a checker of files sees it.
struct KeyView
{
    QString name; // as QSettings knows it: '/' where the file has a backslash
    ProfileKeys::Kind kind;
    bool ledOption; // LedMoveOFF or LedSleepTime
};
// Every key of a section in the order QSettings writes them (by name): a
// file cut short lacks a tail of this list.
const QVector<KeyView> &keysInFileOrder();

// Reads section SECTION of the INI text onto profile: each key found sets its
// field, a missing key leaves the field as it was (so a partial file lands on
// whatever profile held, the factory profile for slot files). LedMoveOFF and
// LedSleepTime only with ledOptions. *found receives the number of keys
// taken. False when the text holds anything this reader does not handle
// exactly as QSettings would; profile is then untouched.
bool readSection(const QByteArray &text, int section, ProfileData &profile, bool ledOptions,
                 int *found = nullptr);

// The same through QSettings, for files the fast reader does not take: the
// group of the section must be open. Returns the number of keys taken.
int readSettings(const QSettings &settings, ProfileData &profile, bool ledOptions);
// Sets every key of the section in the open group of SETTINGS.
void writeSettings(QSettings &settings, const ProfileData &profile, bool ledOptions);

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

// Every key and value of INI text as QSettings reads them ("Section/key";
// keys of [General] and before any section without a prefix, "\\" in a key
// as "/"), for text made of nothing but the lines readSection() takes. False,
// with values untouched, for anything else: the caller asks QSettings then.
bool readPlain(const QByteArray &text, QHash<QString, QVariant> &values);

// Sorted hashes of the "section/key" names of INI text as they are written
// (no unescaping, no values), for text readPlain() takes; false otherwise.
// Enough to see whether one file holds every key of another written alike,
// without a string made per key.
bool keyNameHashes(const QByteArray &text, std::vector<quint64> &hashes);

} // namespace ProfileIni
