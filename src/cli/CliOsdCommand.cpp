// mousecfg-cli osd: one on-screen notice, sent as the main window sends it
// (for scripts and desktop hotkeys).

#include "AppConfig.h"
#include "CliCommand.h"
#include "OsdBlock.h"
#include "OsdClient.h"
#include "ProgramLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QRegularExpression>

namespace {

const char kOsdHelp[] = "Usage: mousecfg-cli osd TEXT [--colour RRGGBB] [--ms N]\n"
                        "\n"
                        "Shows TEXT on the on-screen display, starting mousecfg-osd (beside this\n"
                        "program) when it is not running. TEXT is cut to 255 UTF-16 code units.\n"
                        "\n"
                        "  --colour RRGGBB  the text's colour (default: the accent colour of the\n"
                        "                   colour theme, \"Config/GColorID\")\n"
                        "  --ms N           how long the notice stays, 1 to 60000 ms (default 1500)\n"
                        "\n"
                        "Exit code 1 when the on-screen display could not be reached.\n";

int runOsd(const CliContext &, const QStringList &args)
{
    if (args.contains(QStringLiteral("--help"))) {
        cliPrint(QString::fromLatin1(kOsdHelp).trimmed());
        return CliOk;
    }
    Osd::Notice notice;
    notice.colorRef = Osd::colorRef(AppConfig::accentColor(AppConfig::colorThemeIndex()));
    bool haveText = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--colour") || a == QLatin1String("--color")) {
            static const QRegularExpression hex(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
            const QRegularExpressionMatch m = hex.match(args.value(i + 1));
            if (!m.hasMatch())
                return cliUsageError(QStringLiteral("osd: --colour needs RRGGBB, e.g. ff7d00"));
            notice.colorRef = Osd::colorRef(QColor(QLatin1Char('#') + m.captured(1)));
            ++i;
        } else if (a == QLatin1String("--ms")) {
            bool ok = false;
            const int ms = args.value(i + 1).toInt(&ok);
            if (!ok || ms < 1 || ms > 60000)
                return cliUsageError(QStringLiteral("osd: --ms needs a number from 1 to 60000"));
            notice.duration = ms;
            ++i;
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            return cliUsageError(QStringLiteral("osd: unknown option %1").arg(a));
        } else if (!haveText) {
            notice.text = a;
            haveText = true;
        } else {
            return cliUsageError(QStringLiteral("osd: one TEXT only (quote it when it has blanks)"));
        }
    }
    if (!haveText)
        return cliUsageError(QStringLiteral("osd: TEXT is missing; see mousecfg-cli osd --help"));

    DetachedProgramLauncher launcher;
    OsdClient client(&launcher,
                     QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("mousecfg-osd")));
    QEventLoop loop;
    int result = CliFailure;
    QObject::connect(&client, &OsdClient::delivered, &loop, [&] {
        result = CliOk;
        loop.quit();
    });
    QObject::connect(&client, &OsdClient::dropped, &loop, [&] {
        cliError(QStringLiteral("osd: the on-screen display did not answer (is mousecfg-osd installed beside "
                                "mousecfg-cli?)"));
        loop.quit();
    });
    client.showOsd(Osd::buildBlock(notice));
    loop.exec();
    return result;
}

CliRegistrar osdCommand({QStringLiteral("osd"), QStringLiteral("osd TEXT [--colour RRGGBB] [--ms N]"),
                         QStringLiteral("show TEXT on the on-screen display, as the window does"), runOsd});

} // namespace
