#include "AppOptions.h"

AppOptions AppOptions::parse(const QStringList &arguments)
{
    AppOptions o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--simulate")) {
            o.simulate = true;
        } else if (a == QLatin1String("--simulate-cable")) {
            o.simulate = true;
            o.simulateCable = true;
        } else if (a == QLatin1String("--config-dir") || a == QLatin1String("--data-dir")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                o.error = QStringLiteral("mousecfg: %1 needs a folder").arg(a);
                return o;
            }
            (a == QLatin1String("--config-dir") ? o.configDir : o.dataDir) = arguments.at(++i);
        } else if (a.startsWith(QLatin1String("--config-dir="))) {
            o.configDir = a.mid(13);
        } else if (a.startsWith(QLatin1String("--data-dir="))) {
            o.dataDir = a.mid(11);
        } else {
            o.error = QStringLiteral("mousecfg: unknown option %1 (see --help)").arg(a);
            return o;
        }
    }
    if ((o.configDir.isNull() == false && o.configDir.isEmpty()) ||
        (o.dataDir.isNull() == false && o.dataDir.isEmpty()))
        o.error = QStringLiteral("mousecfg: an empty folder name was given");
    return o;
}

QString AppOptions::helpText()
{
    return QStringLiteral(
        "Usage: mousecfg [options]\n"
        "\n"
        "Configures the wireless gaming mouse through its receiver or its cable.\n"
        "\n"
        "Options:\n"
        "  --config-dir DIR   configuration folder (default: as the program resolves it)\n"
        "  --data-dir DIR     folder holding DefaultProfile.bin, skin and lang\n"
        "  --simulate         run against the simulated mouse (receiver plugged in)\n"
        "  --simulate-cable   with --simulate, plug the simulated cable in as well\n"
        "  --help             show this help\n"
        "\n"
        "Exit codes: 0 normal end, 1 another copy is running or start-up failed, 2 bad usage.");
}
