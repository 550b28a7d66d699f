#include "CliCommand.h"

// "help" as a command as well as an option.
static CliRegistrar helpCommand({QStringLiteral("help"), QStringLiteral("help"),
                                 QStringLiteral("list the commands (same as --help)"),
                                 [](const CliContext &, const QStringList &) {
                                     QStringList names;
                                     for (const CliCommand &c : cliCommands())
                                         names << c.synopsis;
                                     names.sort();
                                     cliPrint(names.join(QLatin1Char('\n')));
                                     return int(CliOk);
                                 }});
