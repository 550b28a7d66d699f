#include "IniAccess.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The next character Qt's INI reader makes of the text at P, for the scan below: escapes as
// it reads them (a hex or octal escape runs as long as its digits, cut to 16 bits), an escaped
// line break or unknown escape makes nothing. Returns -1 for a quote, which makes nothing
// either, and -2 at END.
int nextReadChar(const char *&p, const char *end)
{
    while (p < end) {
        const char ch = *p++;
        if (ch == '"')
            return -1;
        if (ch != '\\')
            return uchar(ch);
        if (p >= end)
            return -2;
        const char e = *p++;
        static const char codes[] = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
        for (const char *q = codes; *q; q += 2) {
            if (*q == e)
                return uchar(q[1]);
        }
        if (e == 'x' && p < end && isxdigit(uchar(*p))) {
            uint v = 0;
            for (; p < end && isxdigit(uchar(*p)); ++p)
                v = (v << 4) | uint(isdigit(uchar(*p)) ? *p - '0' : (*p | 0x20) - 'a' + 10);
            return int(v & 0xffff);
        }
        if (e >= '0' && e <= '7') {
            uint v = uint(e - '0');
            for (; p < end && *p >= '0' && *p <= '7'; ++p)
                v = (v << 3) | uint(*p - '0');
            return int(v & 0xffff);
        }
        if ((e == '\n' || e == '\r') && p < end && (*p == '\n' || *p == '\r') && *p != e)
            ++p;
    }
    return -2;
}

// Whether the text at P, after the reader has made the first DONE characters of "@Variant("
// of it, can go on to an object of another type than a colour (0, 0, 0, 67). A quote makes
// nothing and, when it closes a quoted part, drops the blanks after it: both readings are
// followed, and past a few quotes the text counts as foreign.
bool foreignFrom(const char *p, const char *end, int done, int quotes)
{
    static const char prefix[] = "@Variant(";
    static const int colourType[] = {0, 0, 0, 0x43};
    constexpr int prefixLength = int(sizeof prefix) - 1;
    while (done < prefixLength + 4) {
        const int c = nextReadChar(p, end);
        if (c == -2)
            return false; // too short to name a type: the reader makes nothing of it
        if (c == -1) {
            if (++quotes > 3)
                return true;
            const char *blanksDropped = p;
            while (blanksDropped < end && (*blanksDropped == ' ' || *blanksDropped == '\t'))
                ++blanksDropped;
            if (blanksDropped != p && foreignFrom(blanksDropped, end, done, quotes))
                return true;
            continue;
        }
        if (done < prefixLength) {
            if (c != uchar(prefix[done]))
                return false;
        } else if ((c > 0xff ? '?' : c) != colourType[done - prefixLength]) { // as toLatin1() reads it
            return true;
        }
        ++done;
    }
    return false;
}

// QSettings makes an object of every "@Variant(...)" value as it parses a file, through Qt's
// deserialiser: a picture or cursor there needs a running GUI and aborts without one, and
// strings and lists reserve whatever count a corrupt value gives. The only objects our files
// hold are colours, which are of a fixed size. True when some '@' in TEXT, written as is or as
// an escape, reads as the start of another object. Every '@' counts, not only those that begin
// a value: the scan errs towards refusing, which only a text holding "@Variant(" after
// something other than '@' can meet.
bool holdsForeignObject(const QByteArray &text)
{
    const char *const begin = text.constData();
    const char *const end = begin + text.size();
    auto find = [end](const char *from, char c) {
        return from < end ? static_cast<const char *>(memchr(from, c, size_t(end - from))) : nullptr;
    };
    // Only the places that can make an '@' are looked at: the '@'s and the escapes.
    const char *nextAt = find(begin, '@');
    const char *nextEscape = find(begin, '\\');
    while (nextAt || nextEscape) {
        const bool isAt = nextAt && (!nextEscape || nextAt < nextEscape);
        const char *const at = isAt ? nextAt : nextEscape;
        if (isAt)
            nextAt = find(at + 1, '@');
        else
            nextEscape = find(at + 1, '\\');
        // "@@" begins text that itself begins with '@', as QSettings writes it ("\\@" makes
        // nothing of the first '@', so there the second may begin an object).
        if (isAt && at > begin && at[-1] == '@' && !(at - 1 > begin && at[-2] == '\\'))
            continue;
        const char *p = at;
        if (nextReadChar(p, end) == '@' && foreignFrom(p, end, 1, 0))
            return true;
    }
    return false;
}

// The bytes of FILE (see IniAccess::readFile).
IniAccess::ReadStatus readSettingsFile(const QString &file, QByteArray *bytes)
{
    using IniAccess::ReadStatus;
    // Opened without waiting (a FIFO without a writer holds a plain open up for
    // good), links followed; read only when what was opened is a regular file.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st;
    ReadStatus status = ReadStatus::Read;
    if (::fstat(fd, &st) != 0)
        status = ReadStatus::Failed;
    else if (!S_ISREG(st.st_mode))
        status = ReadStatus::NotRegular;
    else if (st.st_size > IniAccess::kMaxIniBytes)
        status = ReadStatus::TooLarge;
    QByteArray data;
    // Never more than the limit and one byte: a file that grows is not read
    // without end. A file that does not is read in one go.
    const qint64 chunk = status == ReadStatus::Read ? qMax<qint64>(st.st_size + 1, 4096) : 0;
    while (status == ReadStatus::Read) {
        const qint64 room = IniAccess::kMaxIniBytes + 1 - data.size();
        if (room <= 0) {
            status = ReadStatus::TooLarge;
            break;
        }
        const int old = data.size();
        data.resize(old + int(qMin(room, chunk)));
        const ssize_t n = ::read(fd, data.data() + old, size_t(data.size() - old));
        if (n < 0 && errno == EINTR) {
            data.resize(old);
            continue;
        }
        data.resize(old + int(qMax<ssize_t>(n, 0)));
        if (n < 0)
            status = ReadStatus::Failed;
        if (n <= 0)
            break;
    }
    ::close(fd);
    if (status == ReadStatus::Read && bytes)
        *bytes = data.isNull() ? QByteArray("") : data;
    return status;
}

} // namespace

namespace IniAccess {

void setError(QString *errorText, const QString &text)
{
    if (errorText)
        *errorText = text;
}

namespace {
QString notRegularText(const QString &file)
{
    return QStringLiteral("%1 is not a regular file; it was not read.").arg(file);
}
QString tooLargeText(const QString &file, qint64 size)
{
    return QStringLiteral("%1 is too large (%2 bytes) to be a settings file; it was not read.")
        .arg(file)
        .arg(size);
}
} // namespace

ReadStatus readFile(const QString &file, QByteArray *bytes, QString *errorText)
{
    const ReadStatus status = readSettingsFile(file, bytes);
    switch (status) {
    case ReadStatus::Read:
    case ReadStatus::Missing:
        break;
    case ReadStatus::NotRegular:
        setError(errorText, notRegularText(file));
        break;
    case ReadStatus::TooLarge:
        setError(errorText, QStringLiteral("%1 is larger than %2 bytes, too large to be a settings file; "
                                           "it was not read.")
                                .arg(file)
                                .arg(kMaxIniBytes));
        break;
    case ReadStatus::Failed:
        setError(errorText, QStringLiteral("%1 cannot be read.").arg(file));
        break;
    }
    return status;
}

bool notTooLarge(const QString &file, QString *errorText, QByteArray *text)
{
    if (text)
        *text = QByteArray();
    const QFileInfo fi(file);
    if (!fi.exists())
        return true;
    // Not even opened: a FIFO, a device or a link to one, a folder.
    if (!fi.isFile()) {
        setError(errorText, notRegularText(file));
        return false;
    }
    if (fi.size() > kMaxIniBytes) {
        setError(errorText, tooLargeText(file, fi.size()));
        return false;
    }
    QByteArray bytes;
    switch (readFile(file, &bytes, errorText)) {
    case ReadStatus::Read:
        break;
    case ReadStatus::Missing:
    case ReadStatus::Failed:
        return true; // as QSettings meets it: nothing to read (TEXT stays null)
    case ReadStatus::NotRegular:
    case ReadStatus::TooLarge:
        return false; // it changed since it was looked at
    }
    if (holdsForeignObject(bytes)) {
        setError(errorText,
                 QStringLiteral("%1 holds a value that cannot be read; it was not read.").arg(file));
        return false;
    }
    if (text)
        *text = bytes;
    return true;
}

bool checkReadable(const QString &file, QString *errorText, QByteArray *text)
{
    const QFileInfo fi(file);
    if (!fi.exists()) {
        setError(errorText, QStringLiteral("%1 does not exist.").arg(file));
        return false;
    }
    if (!fi.isFile()) {
        setError(errorText, notRegularText(file));
        return false;
    }
    if (!fi.isReadable()) {
        setError(errorText, QStringLiteral("%1 cannot be read.").arg(file));
        return false;
    }
    return notTooLarge(file, errorText, text);
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
