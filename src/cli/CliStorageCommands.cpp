// Commands over the stored configuration: show (and show --check FILE),
// defaults, export-conf, import-conf, key-name and key-usage.

#include "AppConfig.h"
#include "CliCommand.h"
#include "CliProfileEdit.h"
#include "CliProfileJson.h"
#include "DeviceDescription.h"
#include "ImportReport.h"
#include "KeyTables.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"

namespace {

bool parseInt(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (ok)
        *value = v;
    return ok;
}

// What a load of a file adjusted, one line per entry, on stderr.
void printReport(const ImportReport &report)
{
    for (const QString &line : report.lines())
        cliError(line);
}

// show --check FILE: what loading FILE would adjust, without loading it.
int runCheck(const QString &file)
{
    const ImportReport::FileKind kind = ImportReport::kindOf(file);
    const QString model = DeviceDescription::productName();
    const ImportReport report = ImportReport::check(file, kind, model);
    const QString what = kind == ImportReport::FileKind::Profile ? QStringLiteral("profile file")
                                                                 : QStringLiteral("configuration file");
    for (const QString &line : report.lines())
        cliPrint(line);
    if (report.refused()) {
        QString why = report.refusalText();
        if (report.refusal() == ImportReport::Refusal::OtherModel)
            why = QStringLiteral("%1 is a %2 of another mouse (\"%3\", not \"%4\").")
                      .arg(file, what, report.fileModel(), model);
        cliError(QStringLiteral("mousecfg-cli: refused: %1").arg(why));
        return CliFailure;
    }
    if (report.isIncomplete()) {
        cliError(QStringLiteral("mousecfg-cli: refused: %1 An import loads it only with --partial.")
                     .arg(report.incompleteText()));
        return CliFailure;
    }
    if (!report.isEmpty()) {
        cliError(QStringLiteral("mousecfg-cli: %1 setting(s) of this %2 would be adjusted or ignored.")
                     .arg(report.entries().size())
                     .arg(what));
        return CliFailure;
    }
    cliError(
        QStringLiteral("mousecfg-cli: %1 is a %2 of %3 that loads as it stands.").arg(file, what, model));
    return CliOk;
}

int runShow(const CliContext &, const QStringList &args)
{
    if (args.size() == 2 && args.first() == QLatin1String("--check") && !args.at(1).isEmpty())
        return runCheck(args.at(1));
    if (!args.isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: show [--check FILE]"));
    cliPrint(jsonText(profileSetToJson(cliLoadStoredSet())));
    return CliOk;
}

int runDefaults(const CliContext &, const QStringList &args)
{
    if (!args.isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: defaults takes no arguments"));
    ProfileData profile;
    ProfileDefaults::buildDefaultProfile(profile);
    const QJsonObject out{
        {QStringLiteral("profile"), profileToJson(profile)},
        {QStringLiteral("sensor"), sensorDefaultsToJson(ProfileDefaults::defaultSensorBytes())}};
    cliPrint(jsonText(out));
    return CliOk;
}

int runExport(const CliContext &, const QStringList &args)
{
    if (args.size() != 1 || args.first().isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: export-conf FILE"));
    const ProfileSet set = cliLoadStoredSet();
    QString error;
    if (!ProfileStore::exportConfiguration(set, args.first(), DeviceDescription::productName(), &error)) {
        cliError(QStringLiteral("mousecfg-cli: export failed: %1").arg(error));
        return CliFailure;
    }
    return CliOk;
}

int runImport(const CliContext &, const QStringList &args)
{
    const bool partial = args.contains(QStringLiteral("--partial"));
    QStringList files = args;
    files.removeAll(QStringLiteral("--partial"));
    if (files.size() != 1 || files.first().isEmpty() || files.first().startsWith(QLatin1String("--")))
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: import-conf [--partial] FILE"));
    ProfileSet set = cliLoadStoredSet();
    QString error;
    ImportReport report;
    const bool imported = ProfileStore::importConfiguration(
        set, files.first(), DeviceDescription::productName(), &error, &report, partial);
    printReport(report);
    if (!imported) {
        if (!report.refused() && report.isIncomplete())
            error += QStringLiteral(" Use --partial to load what it holds, the rest at factory values.");
        cliError(error);
        return CliFailure;
    }
    // A slot that neither the file nor the configuration names gets its default name.
    for (int i = 0; i < kProfileCount; ++i) {
        if (set.names[size_t(i)].isEmpty())
            set.names[size_t(i)] = ProfileDefaults::defaultSlotName(i);
    }
    if (!ProfileStore::saveWholeProfileSet(set, &error)) {
        cliError(
            QStringLiteral("mousecfg-cli: the imported configuration could not be saved: %1").arg(error));
        return CliFailure;
    }
    return CliOk;
}

int runKeyName(const CliContext &, const QStringList &args)
{
    int index = 0;
    int lang = AppConfig::readLangID();
    if (args.isEmpty() || !parseInt(args.first(), &index))
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: key-name INDEX [--lang N]"));
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--lang") && i + 1 < args.size() && parseInt(args.at(i + 1), &lang))
            ++i;
        else
            return cliUsageError(QStringLiteral("mousecfg-cli: usage: key-name INDEX [--lang N]"));
    }
    KeyTables::setFrenchLanguageId(DeviceDescription::french());
    KeyTables::setCurrentLanguageId(lang);
    cliPrint(KeyTables::keyName(index));
    return CliOk;
}

int runKeyUsage(const CliContext &, const QStringList &args)
{
    int index = 0;
    if (args.size() != 1 || !parseInt(args.first(), &index))
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: key-usage INDEX"));
    int usage = 0;
    if (!KeyTables::indexToUsage(index, usage)) {
        cliError(QStringLiteral("mousecfg-cli: key index %1 has no HID usage").arg(index));
        return CliFailure;
    }
    cliPrint(QString::number(usage));
    return CliOk;
}

CliRegistrar showCommand({QStringLiteral("show"), QStringLiteral("show [--check FILE]"),
                          QStringLiteral("print the stored profile set as JSON; with --check, what loading "
                                         "a .conf or .prof FILE would adjust (exit 1 when anything)"),
                          runShow});
CliRegistrar defaultsCommand({QStringLiteral("defaults"), QStringLiteral("defaults"),
                              QStringLiteral("print the default profile and sensor settings as JSON"),
                              runDefaults});
CliRegistrar exportCommand({QStringLiteral("export-conf"), QStringLiteral("export-conf FILE"),
                            QStringLiteral("export the profile set to a configuration file"), runExport});
CliRegistrar importCommand({QStringLiteral("import-conf"), QStringLiteral("import-conf [--partial] FILE"),
                            QStringLiteral("import a configuration file of this model and save it; what was "
                                           "adjusted goes to stderr; --partial loads an incomplete file"),
                            runImport});
CliRegistrar keyNameCommand({QStringLiteral("key-name"), QStringLiteral("key-name INDEX [--lang N]"),
                             QStringLiteral("print the display name of a key index"), runKeyName});
CliRegistrar keyUsageCommand({QStringLiteral("key-usage"), QStringLiteral("key-usage INDEX"),
                              QStringLiteral("print the HID keyboard usage of a key index"), runKeyUsage});

} // namespace
