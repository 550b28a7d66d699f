#include "ProfileIni.h"

#include "IniAccess.h"
#include "ProfileKeys.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

using namespace ProfileKeys;

// The table of keys, made when the program is built (ProfileKeysGen): kKeys in
// the walk order of reading and writing, kSorted in the order in which
// QSettings writes them (sorted by name), kSortedPos the place of each key there.
#include "ProfileKeyTable.inc"

template <class T> struct ConstSpan
{
    const T *data;
    size_t count;
    size_t size() const { return count; }
    const T &operator[](size_t i) const { return data[i]; }
    const T *begin() const { return data; }
    const T *end() const { return data + count; }
};

struct KeyTable
{
    ConstSpan<KeyDef> keys{kKeys, kKeyCount};
    ConstSpan<uint16_t> sorted{kSorted, kKeyCount};
    ConstSpan<uint16_t> sortedPos{kSortedPos, kKeyCount}; // position of each key in sorted

    // The key of that name as the file writes it, or -1: a binary search in the QSettings
    // order (for lines out of the expected order, which a hand-edited file may have).
    int find(std::string_view name) const
    {
        if (name.size() > size_t(KeyDef::kMaxName))
            return -1;
        auto logicalLess = [](std::string_view a, std::string_view b) {
            const size_t n = std::min(a.size(), b.size());
            for (size_t i = 0; i < n; ++i) {
                const uchar x = uchar(a[i] == '\\' ? '/' : a[i]);
                const uchar y = uchar(b[i] == '\\' ? '/' : b[i]);
                if (x != y)
                    return x < y;
            }
            return a.size() < b.size();
        };
        const auto it = std::lower_bound(sorted.begin(), sorted.end(), name, [&](int k, std::string_view n) {
            return logicalLess(keys[size_t(k)].view(), n);
        });
        if (it != sorted.end() && keys[size_t(*it)].view() == name)
            return *it;
        return -1;
    }
};

const KeyTable &table()
{
    static constexpr KeyTable t;
    return t;
}

QByteArray sectionHeader(int section)
{
    return "[PROFILE_" + QByteArray::number(section) + ']';
}

bool isPlainInteger(std::string_view raw)
{
    size_t i = (!raw.empty() && raw[0] == '-') ? 1 : 0;
    if (i >= raw.size() || raw.size() - i > 10)
        return false;
    for (; i < raw.size(); ++i) {
        if (raw[i] < '0' || raw[i] > '9')
            return false;
    }
    return true;
}

// The value QVariant::toInt / the 32-bit rule would give for a plain integer
// (at most ten digits, so it fits a 64-bit value).
int32_t plainToInt32(std::string_view raw, bool allowUnsigned)
{
    const bool negative = raw[0] == '-';
    qlonglong v = 0;
    for (size_t i = negative ? 1 : 0; i < raw.size(); ++i)
        v = v * 10 + (raw[i] - '0');
    if (negative)
        v = -v;
    if (v >= INT32_MIN && v <= INT32_MAX)
        return int32_t(v);
    if (allowUnsigned && v > 0 && v <= 0xffffffffLL)
        return int32_t(uint32_t(v));
    return 0;
}

bool isKeyChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '\\';
}

// One key line of the scanned section: the key's index in the table (-1 for
// a key of no field) and the raw value as offsets into the text.
struct Line
{
    int key;
    int valueStart;
    int valueLength;
};

// Walks the lines of INI text without copying it: section(name) for every
// section header, key(line, eq, lineEnd) for every key line (the key runs
// from line to eq, its raw value from eq + 1 to lineEnd). Returns false when
// a line is one the fast readers do not take (anything but blank lines, ';'
// comments, plain section headers and key=value lines, or a value continued
// on the next line) or when a callback says so. Whether a key is plain is for
// the callback to check.
template <typename Section, typename Key> bool walkLines(const QByteArray &text, Section section, Key key)
{
    const char *p = text.constData();
    const char *const end = p + text.size();
    while (p < end) {
        const char *eol = static_cast<const char *>(memchr(p, '\n', size_t(end - p)));
        if (!eol)
            eol = end;
        const char *lineEnd = eol;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        const char *line = p;
        p = eol < end ? eol + 1 : end;
        if (line == lineEnd || *line == ';')
            continue;
        if (memchr(line, '\r', size_t(lineEnd - line)))
            return false;
        if (*line == '[') {
            if (lineEnd[-1] != ']' || lineEnd - line < 3)
                return false;
            for (const char *c = line + 1; c < lineEnd - 1; ++c) {
                if (!isKeyChar(*c) || *c == '\\')
                    return false;
            }
            if (!section(std::string_view(line + 1, size_t(lineEnd - line - 2))))
                return false;
            continue;
        }
        const char *eq = static_cast<const char *>(memchr(line, '=', size_t(lineEnd - line)));
        if (!eq || eq == line || lineEnd[-1] == '\\')
            return false;
        if (!key(line, eq, lineEnd))
            return false;
    }
    return true;
}

// fn(line) for every key line of section WANTED; lines of other sections go
// to other(). False as walkLines(), and for a key that is not plain. Keys are
// expected in the order QSettings writes them, which spares the hash lookup.
template <typename Fn, typename Other>
bool scan(const QByteArray &text, const QByteArray &wanted, Fn fn, Other other)
{
    const KeyTable &t = table();
    const char *const base = text.constData();
    const std::string_view wantedName(wanted.constData(), size_t(wanted.size()));
    bool inWanted = false;
    size_t next = 0; // expected position in t.sorted
    return walkLines(
        text,
        [&](std::string_view name) {
            inWanted = name == wantedName;
            return true;
        },
        [&](const char *line, const char *eq, const char *lineEnd) {
            const std::string_view name(line, size_t(eq - line));
            // The key QSettings writes next is a plain key; anything else is checked.
            const bool expected =
                inWanted && next < t.sorted.size() && t.keys[size_t(t.sorted[next])].view() == name;
            if (!expected) {
                for (const char *c = line; c < eq; ++c) {
                    if (!isKeyChar(*c))
                        return false;
                }
            }
            if (!inWanted)
                return bool(other());
            const int key = expected ? t.sorted[next] : t.find(name);
            if (key >= 0)
                next = size_t(t.sortedPos[size_t(key)]) + 1;
            return bool(fn(Line{key, int(eq + 1 - base), int(lineEnd - eq - 1)}));
        });
}

} // namespace

namespace ProfileIni {

QString variantToString(const QVariant &v)
{
    switch (v.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const QString s = v.toString();
        if (s.contains(QChar::Null))
            return QStringLiteral("@String(") + s + QLatin1Char(')');
        if (s.startsWith(QLatin1Char('@')))
            return QLatin1Char('@') + s;
        return s;
    }
    default: {
        QByteArray a;
        {
            QDataStream s(&a, QIODevice::WriteOnly);
            s.setVersion(QDataStream::Qt_4_0);
            s << v;
        }
        return QStringLiteral("@Variant(") + QString::fromLatin1(a.constData(), a.size()) + QLatin1Char(')');
    }
    }
}

QByteArray escapedString(const QString &str)
{
    QByteArray result;
    result.reserve(str.size() * 3 / 2);
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar qc : str) {
        const uint ch = qc.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit &&
            ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'))) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1f || ch >= 0x7f) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                result += char(ch);
            }
        }
    }
    if (needsQuotes || (!result.isEmpty() && (result.at(0) == ' ' || result.at(result.size() - 1) == ' '))) {
        result.prepend('"');
        result += '"';
    }
    return result;
}

bool decodeValue(const QByteArray &raw, QVariant &value)
{
    QByteArray body = raw;
    if (body.startsWith('"')) {
        if (body.size() < 2 || !body.endsWith('"'))
            return false;
        body = body.mid(1, body.size() - 2);
    } else if (body.startsWith(' ') || body.endsWith(' ') || body.startsWith('\t') || body.endsWith('\t')) {
        return false; // QSettings drops blanks and tabs around an unquoted value
    }
    QString text;
    text.reserve(body.size());
    for (int i = 0; i < body.size(); ++i) {
        const uchar c = uchar(body.at(i));
        // escapedString() writes control characters and everything past ASCII as escapes.
        if (c >= 0x7f || c < 0x20 || c == '"' || (!raw.startsWith('"') && (c == ',' || c == ';' || c == '=')))
            return false;
        if (c != '\\') {
            text += QLatin1Char(char(c));
            continue;
        }
        if (++i >= body.size())
            return false;
        const char e = body.at(i);
        static const char codes[] = "a\ab\bf\fn\nr\rt\tv\v\"\"\\\\";
        const char *hit = nullptr;
        for (const char *q = codes; *q; q += 2) {
            if (*q == e)
                hit = q;
        }
        if (hit) {
            text += QLatin1Char(hit[1]);
        } else if (e == 'x') {
            uint v = 0;
            int digits = 0;
            while (i + 1 < body.size() && isxdigit(uchar(body.at(i + 1))) && digits < 4) {
                v = v * 16 + uint(QByteArray(1, body.at(i + 1)).toUInt(nullptr, 16));
                ++i;
                ++digits;
            }
            if (digits == 0 || (i + 1 < body.size() && isxdigit(uchar(body.at(i + 1)))))
                return false;
            text += QChar(ushort(v));
        } else if (e >= '0' && e <= '7') {
            uint v = uint(e - '0');
            while (i + 1 < body.size() && body.at(i + 1) >= '0' && body.at(i + 1) <= '7' && v < 0x1000) {
                v = v * 8 + uint(body.at(i + 1) - '0');
                ++i;
            }
            if (i + 1 < body.size() && body.at(i + 1) >= '0' && body.at(i + 1) <= '7')
                return false;
            text += QChar(ushort(v));
        } else {
            return false;
        }
    }
    if (!text.startsWith(QLatin1Char('@'))) {
        value = text;
        return true;
    }
    if (text.startsWith(QLatin1String("@@"))) {
        value = text.mid(1);
        return true;
    }
    if (text.startsWith(QLatin1String("@String(")) && text.endsWith(QLatin1Char(')'))) {
        value = text.mid(8, text.size() - 9);
        return true;
    }
    if (text == QLatin1String("@Invalid()")) {
        value = QVariant();
        return true;
    }
    if (text.startsWith(QLatin1String("@Variant(")) && text.endsWith(QLatin1Char(')'))) {
        for (const QChar c : text) {
            if (c.unicode() > 0xff)
                return false;
        }
        QByteArray a = text.toLatin1().mid(9);
        a.chop(1);
        // Colours are the only objects a profile holds, and of a fixed size; any other
        // type is left to QSettings (a corrupt count must not reach the deserialiser here).
        if (!a.startsWith(QByteArray("\0\0\0\x43", 4)))
            return false;
        QDataStream s(&a, QIODevice::ReadOnly);
        s.setVersion(QDataStream::Qt_4_0);
        QVariant v;
        s >> v;
        if (s.status() != QDataStream::Ok || !s.atEnd())
            return false;
        value = v;
        return true;
    }
    return false;
}

namespace {

// What a reader found for each key of the table.
struct Found
{
    std::vector<bool> present;
    std::vector<QVariant> decoded; // text and colour values, and integers that were not plain
    std::vector<int32_t> number;   // integer values

    explicit Found(size_t n) : present(n, false), decoded(n), number(n, 0) {}
};

QString textOf(const QVariant &v)
{
    // A hand-written value with commas reads as a list, joined back.
    return v.userType() == QMetaType::QStringList ? v.toStringList().join(QStringLiteral(", "))
                                                  : v.toString();
}

// Puts what was found onto profile; missing keys (and the LED options unless
// asked for) keep the value profile had. Returns the number of keys taken.
int applyFound(const Found &f, ProfileData &profile, bool ledOptions)
{
    const KeyTable &t = table();
    ProfileData p = profile;
    size_t n = 0;
    int taken = 0;
    walkFields(p, [&](auto &field) {
        const size_t k = n++;
        if (!f.present[k] || (t.keys[k].ledOption && !ledOptions))
            return;
        ++taken;
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, uint8_t>)
            field = uint8_t(f.number[k] & 0xff);
        else if constexpr (std::is_same_v<T, int32_t>)
            field = f.number[k];
        else if constexpr (std::is_same_v<T, QString>)
            field = textOf(f.decoded[k]);
        else
            field = IniAccess::toColor(f.decoded[k]);
    });
    profile = p;
    return taken;
}

// The value of every key as QSettings is given it, in table order.
std::vector<QVariant> valuesOf(const ProfileData &profile)
{
    const KeyTable &t = table();
    std::vector<QVariant> values;
    values.reserve(t.keys.size());
    walkFields(profile, [&](const auto &field) {
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, uint8_t>)
            values.emplace_back(uint(field));
        else if constexpr (std::is_same_v<T, int32_t>)
            values.emplace_back(t.keys[values.size()].asSigned ? QVariant(int(field))
                                                               : QVariant(uint(uint32_t(field))));
        else
            values.emplace_back(field);
    });
    return values;
}

} // namespace

int keyCount(bool ledOptions)
{
    return int(table().keys.size()) - (ledOptions ? 0 : 2);
}

const QVector<KeyView> &keysInFileOrder()
{
    static const QVector<KeyView> keys = [] {
        const KeyTable &t = table();
        QVector<KeyView> list;
        list.reserve(int(t.sorted.size()));
        for (int k : t.sorted) {
            const KeyDef &def = t.keys[size_t(k)];
            list.append(KeyView{def.logical(), def.kind, def.ledOption});
        }
        return list;
    }();
    return keys;
}

bool readSection(const QByteArray &text, int section, ProfileData &profile, bool ledOptions, int *found)
{
    const KeyTable &t = table();
    const QByteArray wanted = sectionHeader(section).mid(1).chopped(1);
    std::vector<Line> raw(t.keys.size(), Line{-1, 0, 0});
    const bool clean = scan(
        text, wanted,
        [&](const Line &line) {
            if (line.key >= 0)
                raw[size_t(line.key)] = line; // a later line wins, as in QSettings
            return true;
        },
        [] { return true; });
    if (!clean)
        return false;

    // Decode everything first so that a value this reader cannot take leaves the record alone.
    Found f(t.keys.size());
    for (size_t i = 0; i < t.keys.size(); ++i) {
        if (raw[i].key < 0)
            continue;
        f.present[i] = true;
        const std::string_view value(text.constData() + raw[i].valueStart, size_t(raw[i].valueLength));
        const KeyDef &k = t.keys[i];
        if (k.kind != Kind::Text && k.kind != Kind::Color && isPlainInteger(value)) {
            f.number[i] = plainToInt32(value, k.kind == Kind::Int32);
            continue;
        }
        if (!decodeValue(QByteArray(value.data(), int(value.size())), f.decoded[i]))
            return false;
        f.number[i] =
            k.kind == Kind::Int32 ? IniAccess::toInt32(f.decoded[i]) : IniAccess::toInt(f.decoded[i]);
    }
    const int taken = applyFound(f, profile, ledOptions);
    if (found)
        *found = taken;
    return true;
}

int readSettings(const QSettings &s, ProfileData &profile, bool ledOptions)
{
    const KeyTable &t = table();
    Found f(t.keys.size());
    for (size_t i = 0; i < t.keys.size(); ++i) {
        const KeyDef &k = t.keys[i];
        const QVariant v = s.value(k.logical());
        if (!v.isValid())
            continue;
        f.present[i] = true;
        f.decoded[i] = v;
        f.number[i] = k.kind == Kind::Int32 ? IniAccess::toInt32(v) : IniAccess::toInt(v);
    }
    return applyFound(f, profile, ledOptions);
}

void writeSettings(QSettings &s, const ProfileData &profile, bool ledOptions)
{
    const KeyTable &t = table();
    const std::vector<QVariant> values = valuesOf(profile);
    for (size_t i = 0; i < t.keys.size(); ++i) {
        if (!t.keys[i].ledOption || ledOptions)
            s.setValue(t.keys[i].logical(), values[i]);
    }
}

QByteArray writeSection(int section, const ProfileData &p, bool ledOptions)
{
    const KeyTable &t = table();
    const std::vector<QVariant> values = valuesOf(p);
    QByteArray out;
    out.reserve(400 * 1024);
    out += sectionHeader(section);
    out += '\n';
    for (int k : t.sorted) {
        const KeyDef &def = t.keys[size_t(k)];
        if (def.ledOption && !ledOptions)
            continue;
        out.append(def.name, def.length);
        out += '=';
        const QVariant &v = values[size_t(k)];
        if (def.kind == Kind::Text || def.kind == Kind::Color)
            out += escapedString(variantToString(v));
        else if (v.userType() == QMetaType::Int)
            out += QByteArray::number(v.toInt());
        else
            out += QByteArray::number(v.toUInt());
        out += '\n';
    }
    return out;
}

bool replaceable(const QByteArray &text, int section, bool ledOptions)
{
    const KeyTable &t = table();
    const QByteArray wanted = sectionHeader(section).mid(1).chopped(1);
    // Only keys of this section that we write; QSettings would keep anything else.
    return scan(
        text, wanted,
        [&](const Line &line) {
            return line.key >= 0 && (ledOptions || !t.keys[size_t(line.key)].ledOption);
        },
        [] { return false; });
}

bool keyNameHashes(const QByteArray &text, std::vector<quint64> &hashes)
{
    // FNV-1a over "section/key" as written.
    constexpr quint64 kBasis = 14695981039346656037ull;
    constexpr quint64 kPrime = 1099511628211ull;
    auto mix = [](quint64 h, const char *from, const char *to) {
        for (const char *c = from; c < to; ++c)
            h = (h ^ quint8(*c)) * kPrime;
        return h;
    };
    std::vector<quint64> found;
    quint64 section = kBasis;
    const bool plain = walkLines(
        text,
        [&](std::string_view name) {
            section = (mix(kBasis, name.data(), name.data() + name.size()) ^ quint8('/')) * kPrime;
            return true;
        },
        [&](const char *line, const char *eq, const char *) {
            found.push_back(mix(section, line, eq));
            return true;
        });
    if (!plain)
        return false;
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    hashes.swap(found);
    return true;
}

bool readPlain(const QByteArray &text, QHash<QString, QVariant> &values)
{
    QHash<QString, QVariant> read;
    QString prefix;
    const bool plain = walkLines(
        text,
        [&](std::string_view name) {
            const QString section = QString::fromLatin1(name.data(), int(name.size()));
            prefix = section == QLatin1String("General") ? QString() : section + QLatin1Char('/');
            return true;
        },
        [&](const char *line, const char *eq, const char *lineEnd) {
            if (*line == '\\' || eq[-1] == '\\')
                return false;
            for (const char *c = line; c < eq; ++c) {
                if (!isKeyChar(*c) || (*c == '\\' && c[1] == '\\'))
                    return false;
            }
            // Most values are plain words and numbers: taken as they stand.
            const char *v = eq + 1;
            bool asIs = v == lineEnd || (*v != '@' && *v != '"' && *v != ' ' && *v != '\t' &&
                                         lineEnd[-1] != ' ' && lineEnd[-1] != '\t');
            for (const char *c = v; asIs && c < lineEnd; ++c) {
                const uchar u = uchar(*c);
                asIs = u >= 0x20 && u < 0x7f && u != '\\' && u != '"' && u != ',' && u != ';' && u != '=';
            }
            QVariant value;
            if (asIs)
                value = QString::fromLatin1(v, int(lineEnd - v));
            else if (!decodeValue(QByteArray(v, int(lineEnd - v)), value))
                return false;
            QString key = prefix + QString::fromLatin1(line, int(eq - line));
            key.replace(QLatin1Char('\\'), QLatin1Char('/'));
            read.insert(key, value); // a later line wins, as in QSettings
            return true;
        });
    if (!plain)
        return false;
    values = std::move(read);
    return true;
}

} // namespace ProfileIni
