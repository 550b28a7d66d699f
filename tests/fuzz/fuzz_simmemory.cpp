// The simulated mouse's memory file. A file that loads saves and loads back
// to the same mouse; a refused file leaves the mouse as it was.

#include "FuzzSupport.h"
#include "MouseFirmware.h"

#include <QFile>

namespace {
QString g_file;
QString g_saved;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    g_file = Fuzz::configDir() + QStringLiteral("/simulated-mouse.ini");
    g_saved = Fuzz::configDir() + QStringLiteral("/saved-mouse.ini");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::writeInput(g_file, data, size);
    MouseFirmware mouse;
    mouse.pressDpiButton(); // a state that differs from the factory one
    const QJsonObject before = mouse.toJson();
    QString error;
    if (!mouse.loadFromIni(g_file, &error)) {
        Fuzz::check(mouse.toJson() == before, "a refused memory file changed the mouse");
        Fuzz::check(!error.isEmpty(), "a refused memory file gave no reason");
        return 0;
    }
    Fuzz::check(mouse.activeProfile() >= 0 && mouse.activeProfile() < MouseFirmware::kProfiles,
                "active profile out of range");
    mouse.statusReport();
    QFile::remove(g_saved);
    Fuzz::check(mouse.saveToIni(g_saved), "cannot save a loaded mouse");
    MouseFirmware back;
    Fuzz::check(back.loadFromIni(g_saved) && back.toJson() == mouse.toJson(),
                "the mouse changes through save and load");
    return 0;
}
