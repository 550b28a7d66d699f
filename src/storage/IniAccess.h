#pragma once
// Helpers shared by the storage accessors: value conversion with the cut to
// field widths, the guard against absurd files (too large, or not regular
// files at all), and write status.

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

enum class ReadStatus
{
    Read,
    Missing,
    NotRegular, // a FIFO, a device, a folder (links are followed): never read
    TooLarge,   // more than kMaxIniBytes, or grew past them while it was read
    Failed,     // no permission, or an error of the file system
};
// The whole of FILE into *bytes (an empty, not null, array for an empty file).
// Opened without waiting and read only when it is a regular file, never past
// kMaxIniBytes and one byte. Anything but Read or Missing sets errorText.
ReadStatus readFile(const QString &file, QByteArray *bytes, QString *errorText = nullptr);

// True when FILE exists as a regular file and is small enough to parse;
// otherwise false with a message (no message for a file that simply does not
// exist). TEXT, when given, receives the bytes the check read (null when the
// file could not be opened), so that a caller parsing them reads the file once.
bool checkReadable(const QString &file, QString *errorText = nullptr, QByteArray *text = nullptr);
// True when FILE may be opened by QSettings at all: missing is fine; a FIFO,
// device or folder (whatever a link leads to), a file too large, or one
// holding objects other than colours is not, and is never parsed. TEXT as for
// checkReadable.
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
