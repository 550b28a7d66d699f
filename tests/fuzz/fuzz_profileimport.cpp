// The import of a configuration file and the reading of a single profile
// file, both on the same arbitrary file. A refused import leaves the set
// alone; an accepted one holds only names that stay inside their folder.

#include "FuzzSupport.h"
#include "Paths.h"
#include "ProfileStore.h"
#include "ShippedModel.h"

namespace {
QString g_file;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    g_file = Fuzz::configDir() + QStringLiteral("/import.conf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::writeInput(g_file, data, size);
    const QString model = QString::fromLatin1(kShippedProductName);

    ProfileData single;
    ProfileStore::readProfileSection(0, single, g_file);
    ProfileStore::readProfileSection(4, single, g_file);

    ProfileSet set;
    set.names = {QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3"), QStringLiteral("P4"),
                 QStringLiteral("P5")};
    const ProfileSet before = set;
    QString error;
    if (!ProfileStore::importConfiguration(set, g_file, model, &error)) {
        Fuzz::check(set == before, "a refused import changed the set");
        Fuzz::check(!error.isEmpty(), "a refused import gave no reason");
        return 0;
    }
    for (size_t i = 0; i < set.names.size(); ++i)
        Fuzz::check(set.names[i] == before.names[i] || Paths::isSafeName(set.names[i]),
                    "an import took a name that leaves its folder");
    return 0;
}
