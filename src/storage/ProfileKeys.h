#pragma once
// The keys of a profile section and the fields they fill: shared by the
// profile reader and writer (ProfileIni.cpp) and the build-time program that
// lays out their table (gen/ProfileKeysGen.cpp).

#include "ProfileTypes.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <type_traits>

namespace ProfileKeys {

enum class Kind
{
    Byte,
    Int32,
    Text,
    Color
};

// One key of a profile section: its name as written in the file (LED keys
// with a backslash) and its kind. Names are short ASCII, kept inline, so that
// the table of over eleven thousand keys is plain constant data.
struct KeyDef
{
    static constexpr int kMaxName = 31;
    char name[kMaxName + 1];
    uint8_t length;
    Kind kind;
    bool ledOption; // LedMoveOFF or LedSleepTime
    bool asSigned;  // a 32-bit field written with its sign (button heads); others unsigned

    std::string_view view() const { return std::string_view(name, length); }
    // The name as QSettings knows it: '/' where the file has '\'.
    QString logical() const
    {
        return QString::fromLatin1(name, length).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
};

// The one walk over a profile's fields, in the order of the key table:
// reading, writing, the fast path and the QSettings path all go through it.
// A field is added in two places: here and in the key list of
// gen/ProfileKeysGen.cpp, which stops the build when the two disagree.
template <class Profile, class Visit> void walkFields(Profile &p, Visit &&v)
{
    v(p.pollrate);
    v(p.dpi);
    for (auto &d : p.DPI_INFO) {
        v(d.used);
        v(d.link);
        v(d.xy);
        v(d.x);
        v(d.y);
    }
    v(p.mousespeed);
    v(p.dbclickspeed);
    v(p.scrollispage);
    v(p.scrollspeed);
    v(p.accelenable);
    v(p.acee);
    for (auto &a : p.BUTTON_INFO) {
        v(a.ID);
        v(a.Fun);
        v(a.LoopNumber);
        v(a.KeyNumber);
        v(a.Res1);
        v(a.Res2);
        v(a.Res3);
        v(a.Res4);
        v(a.macroname);
        for (auto &ki : a.KeyInfo) {
            v(ki.map);
            v(ki.key);
            v(ki.H);
        }
    }
    v(p.ProfileName);
    v(p.ProfilePath);
    v(p.LedMode);
    v(p.LedMoveOFF);
    v(p.LedSleepTime);
    for (auto &l : p.LED_MODE) {
        v(l.RGB);
        v(l.h);
        v(l.s);
        v(l.v);
        v(l.bright);
        v(l.breath);
    }
}

template <class T> constexpr Kind kindOf()
{
    if constexpr (std::is_same_v<T, uint8_t>)
        return Kind::Byte;
    else if constexpr (std::is_same_v<T, int32_t>)
        return Kind::Int32;
    else if constexpr (std::is_same_v<T, QString>)
        return Kind::Text;
    else
        return Kind::Color;
}

} // namespace ProfileKeys
