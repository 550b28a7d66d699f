#pragma once
// mousecfg-cli commands register themselves here, one file per group of commands.

#include <QString>
#include <QStringList>

#include <functional>

// Options common to every command, parsed by main() before the command runs.
struct CliContext
{
    QString configDir;          // resolved configuration folder
    QString dataDir;            // resolved read-only data folder
    bool simulate = false;      // --simulate: the simulated mouse instead of hidapi
    bool simulateCable = false; // --simulate-cable: plug the simulated cable in too
    QString traceFile;          // --trace FILE: frame log
};

// Exit codes of the command line.
enum CliExit
{
    CliOk = 0,
    CliFailure = 1,
    CliUsage = 2
};

// A command returns one of CliExit. It prints its result on stdout and a
// one-line message on stderr when it fails.
using CliHandler = std::function<int(const CliContext &ctx, const QStringList &args)>;

struct CliCommand
{
    QString name;
    QString synopsis; // "show", "key-name INDEX [--lang N]" ...
    QString summary;  // one line for --help
    CliHandler run;
};

// Register a command; call from a static CliRegistrar in the command's file.
void registerCliCommand(const CliCommand &command);
const QList<CliCommand> &cliCommands();

struct CliRegistrar
{
    explicit CliRegistrar(const CliCommand &command) { registerCliCommand(command); }
};

// Helpers for command files.
void cliPrint(const QString &text);     // stdout, adds a newline
void cliError(const QString &text);     // stderr, adds a newline
int cliUsageError(const QString &text); // prints text and returns CliUsage
