// The fast profile reader, the value decoder and the value conversions.
// Whatever the reader accepts must mean what QSettings reads from the same
// text, and a profile it reads must come back unchanged through the writer.

#include "FuzzSupport.h"
#include "IniAccess.h"
#include "ProfileIni.h"

#include <QSettings>

namespace {
QString g_file;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    g_file = Fuzz::configDir() + QStringLiteral("/value.ini");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));

    if (!text.contains('\n')) {
        // One raw value: what decodeValue accepts, QSettings reads alike.
        QVariant fast;
        if (ProfileIni::decodeValue(text, fast)) {
            IniAccess::toInt32(fast);
            IniAccess::toColor(fast);
            Fuzz::writeInput(g_file, "[s]\nk=" + text + '\n');
            QSettings s(g_file, QSettings::IniFormat);
            Fuzz::check(s.status() == QSettings::NoError, "QSettings refuses a value decodeValue takes");
            Fuzz::check(s.value(QStringLiteral("s/k")) == fast, "decodeValue differs from QSettings");
            QVariant again;
            Fuzz::check(ProfileIni::decodeValue(ProfileIni::escapedString(ProfileIni::variantToString(fast)),
                                                again) &&
                            again == fast,
                        "escapedString(variantToString()) does not decode back");
        }
        return 0;
    }

    for (int section : {0, 3}) {
        ProfileData p;
        const ProfileData before = p;
        const bool led = section == 0;
        ProfileIni::replaceable(text, section, led);
        if (!ProfileIni::readSection(text, section, p, led)) {
            Fuzz::check(p == before, "a refused section changed the profile");
            continue;
        }
        const QByteArray written = ProfileIni::writeSection(section, p, led);
        Fuzz::check(ProfileIni::replaceable(written, section, led), "the writer's text is not replaceable");
        ProfileData back;
        Fuzz::check(ProfileIni::readSection(written, section, back, led), "the writer's text is refused");
        Fuzz::check(back == p, "a profile changes through writeSection/readSection");
    }
    return 0;
}
