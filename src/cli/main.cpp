// mousecfg-cli: the command-line companion of mousecfg.

#include "CliCommand.h"
#include "Paths.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace {

QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
}

void printHelp()
{
    QString text = QStringLiteral(
        "Usage: mousecfg-cli [options] COMMAND [arguments]\n"
        "\n"
        "Options:\n"
        "  --config-dir DIR   configuration folder (default: as the program resolves it)\n"
        "  --data-dir DIR     folder holding DefaultProfile.bin (default: beside the program)\n"
        "  --simulate         use the simulated mouse (receiver plugged in)\n"
        "  --simulate-cable   with --simulate, plug the simulated cable in as well\n"
        "  --trace FILE       append every frame written ('> ') and read ('< ') to FILE\n"
        "  --help             show this help\n"
        "\n"
        "Commands:\n");
    QList<CliCommand> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    for (const CliCommand &c : sorted)
        text += QStringLiteral("  %1\n      %2\n").arg(c.synopsis, -30).arg(c.summary);
    text += QStringLiteral("\nExit codes: 0 success, 1 failure, 2 bad usage.");
    cliPrint(text);
}

} // namespace

void registerCliCommand(const CliCommand &command)
{
    registry().append(command);
}
const QList<CliCommand> &cliCommands()
{
    return registry();
}

void cliPrint(const QString &text)
{
    const QByteArray out = text.toUtf8() + '\n';
    fwrite(out.constData(), 1, size_t(out.size()), stdout);
    fflush(stdout);
}

void cliError(const QString &text)
{
    const QByteArray out = text.toUtf8() + '\n';
    fwrite(out.constData(), 1, size_t(out.size()), stderr);
    fflush(stderr);
}

int cliUsageError(const QString &text)
{
    cliError(text);
    return CliUsage;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mousecfg"));

    QStringList args = app.arguments().mid(1);
    CliContext ctx;
    QString configDir, dataDir;
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!rest.isEmpty()) { // options after the command belong to the command
            rest << a;
            continue;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            printHelp();
            return CliOk;
        } else if (a == QLatin1String("--config-dir") || a == QLatin1String("--data-dir") ||
                   a == QLatin1String("--trace")) {
            if (i + 1 >= args.size())
                return cliUsageError(QStringLiteral("mousecfg-cli: %1 needs a value").arg(a));
            const QString v = args.at(++i);
            if (a == QLatin1String("--config-dir"))
                configDir = v;
            else if (a == QLatin1String("--data-dir"))
                dataDir = v;
            else
                ctx.traceFile = v;
        } else if (a == QLatin1String("--simulate")) {
            ctx.simulate = true;
        } else if (a == QLatin1String("--simulate-cable")) {
            ctx.simulate = true;
            ctx.simulateCable = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return cliUsageError(QStringLiteral("mousecfg-cli: unknown option %1 (see --help)").arg(a));
        } else {
            rest << a;
        }
    }
    if (rest.isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: no command given (see --help)"));

    if (!dataDir.isEmpty())
        Paths::setDataDir(dataDir);
    if (!configDir.isEmpty()) {
        Paths::setConfigDir(configDir);
        // A new folder starts from the shipped defaults, as the window's does.
        Paths::seedConfigDir(Paths::configDir());
    }
    ctx.dataDir = Paths::dataDir();
    ctx.configDir = Paths::configDir();

    const QString name = rest.takeFirst();
    for (const CliCommand &c : registry()) {
        if (c.name == name)
            return c.run(ctx, rest);
    }
    return cliUsageError(QStringLiteral("mousecfg-cli: unknown command %1 (see --help)").arg(name));
}
