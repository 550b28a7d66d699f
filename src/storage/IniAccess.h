#pragma once
// Helpers shared by the storage accessors: value conversion with the cut to
// field widths, the size guard against absurd files, and write status.

#include <QByteArray>
#include <QColor>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <cstdint>

namespace IniAccess {

// No file of ours comes near this; anything larger is refused unread.
constexpr qint64 kMaxIniBytes = 16 * 1024 * 1024;

// Sets *errorText when errorText is given.
void setError(QString *errorText, const QString &text);

// True when FILE exists and is small enough to parse; otherwise false with a
// message (no message for a file that simply does not exist). TEXT, when
// given, receives the bytes the check read (null when the file could not be
// opened), so that a caller parsing them reads the file once.
bool checkReadable(const QString &file, QString *errorText = nullptr, QByteArray *text = nullptr);
// True when FILE may be opened by QSettings at all (missing is fine, too large
// is not). TEXT as for checkReadable.
bool notTooLarge(const QString &file, QString *errorText = nullptr, QByteArray *text = nullptr);

// QVariant::toInt: a missing or malformed value is 0.
int toInt(const QVariant &value);
// As toInt, but also accepts the unsigned spelling of a negative 32-bit value
// ("4294967295" is -1), which is how signed fields are written.
int32_t toInt32(const QVariant &value);
// The low 8 bits of toInt.
inline uint8_t toByte(const QVariant &value)
{
    return uint8_t(toInt(value) & 0xff);
}
// A colour from a QColor variant or a colour name; invalid when missing.
QColor toColor(const QVariant &value);
// The value under KEY, or def when the key is missing.
int intOr(const QSettings &settings, const QString &key, int def);

// Flushes SETTINGS to disk and reports whether that worked.
bool finish(QSettings &settings, QString *errorText = nullptr);

} // namespace IniAccess
