// mousecfg-gadget: the mouse's firmware model on the device side of USB
// gadgets (/dev/hidgN), so that the program meets the same mouse through the
// real kernel, usbhid, hidraw and udev.
//
//   mousecfg-gadget --state FILE [--control FIFO] [--ready FILE]
//                   --port NAME:NODE[:UDCFILE] [--port ...] [--motion NAME:NODE ...]

#include "GadgetServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSet>

#include <cstdio>

namespace {

int usageError(const QString &text)
{
    fprintf(stderr, "mousecfg-gadget: %s\n", qPrintable(text));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The mouse's firmware model on USB gadget HID functions."));
    parser.addHelpOption();
    const QCommandLineOption stateOption(QStringLiteral("state"),
                                         QStringLiteral("Memory of the mouse (INI), loaded and kept."),
                                         QStringLiteral("file"));
    const QCommandLineOption controlOption(QStringLiteral("control"),
                                           QStringLiteral("Control FIFO, one command per line."),
                                           QStringLiteral("fifo"));
    const QCommandLineOption readyOption(QStringLiteral("ready"),
                                         QStringLiteral("File created once the mouse serves."),
                                         QStringLiteral("file"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("A vendor HID function: name, /dev/hidgN and, "
                                                       "for unplug-after, the gadget's UDC file."),
                                        QStringLiteral("name:node[:udc]"));
    const QCommandLineOption motionOption(QStringLiteral("motion"),
                                          QStringLiteral("A mouse HID function for the motion reports of "
                                                         "\"move on\": name and /dev/hidgN."),
                                          QStringLiteral("name:node"));
    parser.addOptions({stateOption, controlOption, readyOption, portOption, motionOption});
    if (!parser.parse(app.arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    GadgetOptions options;
    options.statePath = parser.value(stateOption);
    options.controlPath = parser.value(controlOption);
    if (options.statePath.isEmpty())
        return usageError(QStringLiteral("--state FILE is required"));
    QSet<QString> names;
    for (const QString &spec : parser.values(portOption)) {
        const QStringList parts = spec.split(QLatin1Char(':'));
        if (parts.size() < 2 || parts.size() > 3 || parts.at(0).isEmpty() || parts.at(1).isEmpty())
            return usageError(QStringLiteral("--port expects name:node[:udc], got \"%1\"").arg(spec));
        if (names.contains(parts.at(0)))
            return usageError(QStringLiteral("port \"%1\" given twice").arg(parts.at(0)));
        names.insert(parts.at(0));
        options.ports.push_back({parts.at(0), parts.at(1), parts.value(2)});
    }
    for (const QString &spec : parser.values(motionOption)) {
        const QStringList parts = spec.split(QLatin1Char(':'));
        if (parts.size() != 2 || parts.at(0).isEmpty() || parts.at(1).isEmpty())
            return usageError(QStringLiteral("--motion expects name:node, got \"%1\"").arg(spec));
        options.motion.push_back({parts.at(0), parts.at(1)});
    }
    if (options.ports.empty())
        return usageError(QStringLiteral("at least one --port is required"));

    GadgetServer server(options);
    QString error;
    if (!server.start(&error)) {
        fprintf(stderr, "mousecfg-gadget: %s\n", qPrintable(error));
        return 1;
    }
    if (parser.isSet(readyOption)) {
        QFile ready(parser.value(readyOption));
        if (!ready.open(QIODevice::WriteOnly)) {
            fprintf(stderr, "mousecfg-gadget: cannot create %s\n", qPrintable(ready.fileName()));
            return 1;
        }
    }
    return server.run();
}
