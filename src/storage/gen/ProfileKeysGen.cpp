// Writes the table of profile keys (ProfileKeyTable.inc) when the program is
// built: every key of a profile section in the walk order of reading and
// writing, and the order in which QSettings writes them (sorted by name). The
// table is then constant data; no start of the program or the CLI builds it.
//   ProfileKeysGen OUTPUT_FILE

#include "ProfileKeys.h"

#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace ProfileKeys;

namespace {

// A key name under construction: text and numbers appended in place.
struct Name
{
    char text[KeyDef::kMaxName + 1] = {};
    int length = 0;

    Name &operator<<(const char *part)
    {
        for (; *part; ++part)
            put(*part);
        return *this;
    }
    Name &operator<<(int number)
    {
        const std::string digits = std::to_string(number);
        return *this << digits.c_str();
    }
    void put(char c)
    {
        if (length >= KeyDef::kMaxName) {
            std::fprintf(stderr, "ProfileKeysGen: key name too long: %s\n", text);
            std::exit(1);
        }
        text[length++] = c;
    }
};

std::vector<KeyDef> g_keys;

void add(const Name &name, Kind kind, bool ledOption = false, bool asSigned = false)
{
    KeyDef k = {};
    std::memcpy(k.name, name.text, sizeof k.name);
    k.length = uint8_t(name.length);
    k.kind = kind;
    k.ledOption = ledOption;
    k.asSigned = asSigned;
    g_keys.push_back(k);
}
void add(const char *name, Kind kind, bool ledOption = false)
{
    add(Name() << name, kind, ledOption);
}

// The names in the order of walkFields.
void listKeys()
{
    add("pollrate", Kind::Byte);
    add("dpi", Kind::Byte);
    static const char *const stage[5] = {"used", "link", "xy", "x", "y"};
    for (int i = 0; i < kDpiStageCount; ++i)
        for (int k = 0; k < 5; ++k)
            add(Name() << "DPI_INFO_" << i << "_" << stage[k], k < 2 ? Kind::Byte : Kind::Int32);
    for (const char *p : {"mousespeed", "dbclickspeed", "scrollispage", "scrollspeed", "accelenable", "acee"})
        add(p, Kind::Byte);
    static const char *const head[8] = {"ID",   "Fun",  "LoopNumber", "KeyNumber",
                                        "Res1", "Res2", "Res3",       "Res4"};
    for (int b = 0; b < kButtonCount; ++b) {
        Name button;
        button << "BUTTON_INFO_" << b << "_";
        for (int k = 0; k < 8; ++k)
            add(Name(button) << head[k], k < 4 ? Kind::Int32 : Kind::Byte, false, k < 4);
        add(Name(button) << "macroname", Kind::Text);
        for (int e = 0; e < kKeyInfoCount; ++e) {
            Name info = button;
            info << "KeyInfo_" << e << "_";
            add(Name(info) << "map", Kind::Byte);
            add(info, Kind::Byte);
            add(Name(info) << "H", Kind::Byte);
        }
    }
    add("ProfileName", Kind::Text);
    add("ProfilePath", Kind::Text);
    add("LedMode", Kind::Byte);
    add("LedMoveOFF", Kind::Byte, true);
    add("LedSleepTime", Kind::Byte, true);
    static const char *const led[6] = {"RGB", "h", "s", "v", "bright", "breath"};
    for (int m = 0; m < kLedModeCount; ++m)
        for (int k = 0; k < 6; ++k)
            add(Name() << "LedMode\\LED_MODE_" << m << "_" << led[k], k == 0 ? Kind::Color : Kind::Int32);
}

// QSettings orders by the key as it knows it, with '/' where the file has '\'. The names are
// ASCII, so their bytes sort as the strings do: each name, zero-padded to 32 bytes, compares
// as four big-endian words.
std::vector<int> qsettingsOrder()
{
    struct Entry
    {
        uint64_t w[4];
        int key;
        bool operator<(const Entry &o) const { return std::lexicographical_compare(w, w + 4, o.w, o.w + 4); }
    };
    static_assert(sizeof(KeyDef::name) == sizeof(Entry::w), "a name fills the four words");
    std::vector<Entry> order(g_keys.size());
    for (size_t i = 0; i < g_keys.size(); ++i) {
        char logical[sizeof(KeyDef::name)];
        std::memcpy(logical, g_keys[i].name, sizeof logical);
        std::replace(logical, logical + g_keys[i].length, '\\', '/');
        for (int w = 0; w < 4; ++w)
            order[i].w[w] = qFromBigEndian<quint64>(logical + w * 8);
        order[i].key = int(i);
    }
    std::sort(order.begin(), order.end());
    std::vector<int> sorted(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = order[i].key;
    return sorted;
}

const char *kindName(Kind k)
{
    switch (k) {
    case Kind::Byte:
        return "Kind::Byte";
    case Kind::Int32:
        return "Kind::Int32";
    case Kind::Text:
        return "Kind::Text";
    case Kind::Color:
        return "Kind::Color";
    }
    return "";
}

void writeNumbers(std::FILE *out, const char *name, const std::vector<int> &values)
{
    std::fprintf(out, "constexpr uint16_t %s[kKeyCount] = {", name);
    for (size_t i = 0; i < values.size(); ++i)
        std::fprintf(out, "%s%d,", i % 16 ? "" : "\n", values[i]);
    std::fprintf(out, "\n};\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ProfileKeysGen OUTPUT_FILE\n");
        return 2;
    }
    listKeys();

    // The names above and the walk must describe the same fields.
    ProfileData probe;
    size_t n = 0;
    bool same = true;
    walkFields(probe, [&](auto &field) {
        using T = std::decay_t<decltype(field)>;
        same = same && n < g_keys.size() && g_keys[n].kind == kindOf<T>();
        ++n;
    });
    if (!same || n != g_keys.size() || g_keys.size() > 65535) {
        std::fprintf(stderr, "ProfileKeysGen: the key list and the field walk disagree\n");
        return 1;
    }
    const std::vector<int> sorted = qsettingsOrder();
    std::vector<int> sortedPos(sorted.size());
    for (size_t i = 0; i < sorted.size(); ++i)
        sortedPos[size_t(sorted[i])] = int(i);

    const std::string part = std::string(argv[1]) + ".part";
    std::FILE *out = std::fopen(part.c_str(), "w");
    if (!out) {
        std::perror(part.c_str());
        return 1;
    }
    std::fprintf(out, "// Written by ProfileKeysGen when the program is built: do not edit.\n");
    std::fprintf(out, "constexpr size_t kKeyCount = %zu;\n", g_keys.size());
    std::fprintf(out, "constexpr KeyDef kKeys[kKeyCount] = {\n");
    for (const KeyDef &k : g_keys) {
        std::string name;
        for (int i = 0; i < k.length; ++i) {
            if (k.name[i] == '\\')
                name += '\\';
            name += k.name[i];
        }
        std::fprintf(out, "{\"%s\", %d, %s, %s, %s},\n", name.c_str(), k.length, kindName(k.kind),
                     k.ledOption ? "true" : "false", k.asSigned ? "true" : "false");
    }
    std::fprintf(out, "};\n");
    writeNumbers(out, "kSorted", sorted);
    writeNumbers(out, "kSortedPos", sortedPos);
    if (std::fclose(out) != 0 || std::rename(part.c_str(), argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
