#include "CliProfileEdit.h"

#include "CliCommand.h"
#include "ProfileStore.h"

int cliRefuse(const QString &text)
{
    cliError(QStringLiteral("mousecfg-cli: %1").arg(text));
    return CliFailure;
}

bool cliNumber(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok, 10);
    return ok;
}

int cliTakeSlot(QStringList &args, int *slot, const QString &usage)
{
    for (int i = args.indexOf(QStringLiteral("--slot")); i >= 0; i = args.indexOf(QStringLiteral("--slot"))) {
        int value = 0;
        if (i + 1 >= args.size() || !cliNumber(args.at(i + 1), &value))
            return cliUsageError(usage);
        if (value < 1 || value > kProfileCount)
            return cliRefuse(QStringLiteral("--slot must be 1 to %1").arg(kProfileCount));
        *slot = value;
        args.erase(args.begin() + i, args.begin() + i + 2);
    }
    return CliOk;
}

ProfileSet cliLoadStoredSet()
{
    ProfileSet set;
    QString problem;
    ProfileStore::loadProfileSet(set, &problem);
    if (!problem.isEmpty())
        cliError(QStringLiteral("mousecfg-cli: warning: %1").arg(problem));
    return set;
}

ProfileData &cliProfileOf(ProfileSet &set, int slot)
{
    return slot > 0 ? set.profiles[size_t(slot - 1)] : set.current();
}

int cliSaveStoredSet(const ProfileSet &set)
{
    QString error;
    if (!ProfileStore::saveWholeProfileSet(set, &error))
        return cliRefuse(QStringLiteral("the profile could not be saved: %1").arg(error));
    return CliOk;
}
