#include "IniAccess.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <new>

namespace {

// True when a value of TEXT may reach Qt's deserialiser as something other than a colour:
// it holds '@' or a backslash (an escape may spell '@') and is not a colour as QSettings
// writes one ("@Variant(\0\0\0\x43\...", type 67, fixed size). A value continued on the
// next line ends with a backslash, so lines without '=' add nothing.
bool mayHoldForeignValue(const QByteArray &text)
{
    static const QByteArray colour("@Variant(\\0\\0\\0\\x43\\");
    const char *p = text.constData();
    const char *const end = p + text.size();
    while (p < end) {
        const char *eol = static_cast<const char *>(memchr(p, '\n', size_t(end - p)));
        if (!eol)
            eol = end;
        const char *lineEnd = eol > p && eol[-1] == '\r' ? eol - 1 : eol;
        const char *eq = static_cast<const char *>(memchr(p, '=', size_t(lineEnd - p)));
        p = eol < end ? eol + 1 : end;
        if (!eq)
            continue;
        const char *value = eq + 1;
        const size_t n = size_t(lineEnd - value);
        if (!memchr(value, '@', n) && !memchr(value, '\\', n))
            continue;
        if (n < size_t(colour.size()) || memcmp(value, colour.constData(), size_t(colour.size())) != 0 ||
            memchr(value, ',', n) || memchr(value, '"', n) || memchr(value, '\r', n) || value[n - 1] == '\\')
            return true;
    }
    return false;
}

// QSettings turns "@Variant(...)" values into objects as it parses a section, and Qt's
// deserialiser reserves whatever count a corrupt value gives: parse the whole file once
// here and report whether that ran out of memory.
bool parsesWithinMemory(const QString &file)
{
    try {
        QSettings s(file, QSettings::IniFormat);
        s.allKeys();
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace

namespace IniAccess {

void setError(QString *errorText, const QString &text)
{
    if (errorText)
        *errorText = text;
}

bool notTooLarge(const QString &file, QString *errorText)
{
    const QFileInfo fi(file);
    if (fi.exists() && fi.size() > kMaxIniBytes) {
        setError(errorText,
                 QStringLiteral("%1 is too large (%2 bytes) to be a settings file; it was not read.")
                     .arg(file)
                     .arg(fi.size()));
        return false;
    }
    if (fi.exists()) {
        QFile f(file);
        if (f.open(QIODevice::ReadOnly) && mayHoldForeignValue(f.readAll()) && !parsesWithinMemory(file)) {
            setError(errorText,
                     QStringLiteral("%1 holds a value that cannot be read; it was not read.").arg(file));
            return false;
        }
    }
    return true;
}

bool checkReadable(const QString &file, QString *errorText)
{
    const QFileInfo fi(file);
    if (!fi.exists()) {
        setError(errorText, QStringLiteral("%1 does not exist.").arg(file));
        return false;
    }
    if (!fi.isFile() || !fi.isReadable()) {
        setError(errorText, QStringLiteral("%1 cannot be read.").arg(file));
        return false;
    }
    return notTooLarge(file, errorText);
}

int toInt(const QVariant &value)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    return ok ? v : 0;
}

int32_t toInt32(const QVariant &value)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    if (ok)
        return v;
    const qulonglong u = value.toULongLong(&ok);
    if (ok && u <= 0xffffffffULL)
        return int32_t(uint32_t(u));
    return 0;
}

QColor toColor(const QVariant &value)
{
    if (!value.isValid())
        return QColor();
    if (value.userType() == QMetaType::QColor) {
        // A colour read from a file carries its spec unchecked: look at the spec as QColor
        // streams it before the colour is copied, and take one outside QColor's specs as no colour.
        const QColor &stored = *static_cast<const QColor *>(value.constData());
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << stored;
        }
        const qint8 spec = bytes.isEmpty() ? qint8(-1) : qint8(bytes.at(0));
        if (spec < QColor::Invalid || spec > QColor::ExtendedRgb)
            return QColor();
        // Profiles hold 8-bit RGB; another spec (a hand-edited file) is converted, so that
        // a colour of not-a-number channels still equals itself.
        const QColor c = stored;
        return c.isValid() && c.spec() != QColor::Rgb ? c.toRgb() : c;
    }
    if (value.userType() == QMetaType::QString) {
        const QString name = value.toString().trimmed();
        return QColor::isValidColor(name) ? QColor(name) : QColor();
    }
    return QColor();
}

int intOr(const QSettings &settings, const QString &key, int def)
{
    const QVariant v = settings.value(key);
    return v.isValid() ? toInt(v) : def;
}

bool finish(QSettings &settings, QString *errorText)
{
    settings.sync();
    if (settings.status() == QSettings::AccessError) {
        setError(errorText, QStringLiteral("%1 could not be written.").arg(settings.fileName()));
        return false;
    }
    return true;
}

} // namespace IniAccess
