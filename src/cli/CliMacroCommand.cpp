// macro: the macro library, listed, shown, imported, exported and deleted as
// the macro editor does it.

#include "CliCommand.h"
#include "CliProfileEdit.h"

#include "DeviceDescription.h"
#include "KeyTables.h"
#include "MacroFile.h"
#include "MacroModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kUsage = QStringLiteral(
    "mousecfg-cli: usage: macro list | macro show NAME | macro import FILE | macro export NAME FILE | "
    "macro delete NAME [--force]");

const char *buttonKey(uint8_t bit)
{
    switch (bit) {
    case 1:
        return "left";
    case 2:
        return "right";
    case 4:
        return "middle";
    case 8:
        return "forward";
    case 16:
        return "backward";
    default:
        return "unknown";
    }
}

QJsonObject eventJson(const MacroEvent &e, int unit)
{
    QJsonObject o;
    if (MacroModel::isKeyRow(e)) {
        o.insert(QStringLiteral("type"),
                 MacroModel::isPress(e) ? QStringLiteral("key-down") : QStringLiteral("key-up"));
        o.insert(QStringLiteral("usage"), e.low);
        o.insert(QStringLiteral("key"), MacroModel::rowName(e, unit));
    } else if (MacroModel::isButtonRow(e)) {
        o.insert(QStringLiteral("type"),
                 MacroModel::isPress(e) ? QStringLiteral("button-down") : QStringLiteral("button-up"));
        o.insert(QStringLiteral("button"), QLatin1String(buttonKey(e.low)));
    } else if (MacroModel::isMoveRow(e)) {
        const int size = MacroModel::moveSize(e);
        const int direction = MacroModel::moveDirection(e);
        o.insert(QStringLiteral("type"), QStringLiteral("move"));
        o.insert(QStringLiteral("dx"), direction == MacroModel::kLeft    ? -size
                                       : direction == MacroModel::kRight ? size
                                                                         : 0);
        o.insert(QStringLiteral("dy"), direction == MacroModel::kUp     ? -size
                                       : direction == MacroModel::kDown ? size
                                                                        : 0);
    } else {
        o.insert(QStringLiteral("type"), QStringLiteral("delay"));
        o.insert(QStringLiteral("ms"), MacroFile::delayMs(e, unit));
    }
    return o;
}

bool listed(const QString &name)
{
    return MacroFile::libraryNames().contains(name);
}

int runMacro(const CliContext &, const QStringList &args)
{
    const QString verb = args.value(0);
    if (verb == QLatin1String("list") && args.size() == 1) {
        for (const QString &name : MacroFile::libraryNames()) {
            MacroFile::MacroData m;
            MacroFile::loadMacro(name, m);
            cliPrint(QStringLiteral("%1\t%2 events\t%3/%4 bytes%5")
                         .arg(name)
                         .arg(m.events.size())
                         .arg(MacroModel::packedBytes(m.events))
                         .arg(MacroModel::kSlotBytes)
                         .arg(MacroModel::fitsSlot(m.events) ? QString()
                                                             : QStringLiteral("\t(cut in the mouse)")));
        }
        return CliOk;
    }
    if (verb == QLatin1String("show") && args.size() == 2) {
        const QString name = args.at(1);
        if (!listed(name))
            return cliRefuse(QStringLiteral("there is no macro \"%1\"").arg(name));
        MacroFile::MacroData m;
        QString error;
        if (!MacroFile::loadMacro(name, m, &error))
            return cliRefuse(error);
        const int unit = DeviceDescription::minDelay();
        QJsonArray events;
        for (const MacroEvent &e : m.events)
            events.append(eventJson(e, unit));
        cliPrint(QString::fromUtf8(QJsonDocument(events).toJson(QJsonDocument::Indented)).trimmed());
        return CliOk;
    }
    if (verb == QLatin1String("import") && args.size() == 2) {
        QString name, error;
        if (!MacroModel::importFile(args.at(1), &name, &error))
            return cliRefuse(error);
        cliPrint(name);
        return CliOk;
    }
    if (verb == QLatin1String("export") && args.size() == 3) {
        QString error;
        if (!MacroModel::exportFile(args.at(1), args.at(2), &error))
            return cliRefuse(error);
        return CliOk;
    }
    const bool force = args.size() == 3 && args.at(2) == QLatin1String("--force");
    if (verb == QLatin1String("delete") && (args.size() == 2 || force)) {
        const QString name = args.at(1);
        if (!listed(name))
            return cliRefuse(QStringLiteral("there is no macro \"%1\"").arg(name));
        MacroModel model(DeviceDescription::minDelay());
        // Buttons that run it: named, and changed to their factory function only with --force.
        QString question;
        model.setQuestion([force, &question](const QString &text) {
            question = text;
            return force;
        });
        QString error;
        if (!model.load(name, &error))
            return cliRefuse(error);
        if (!model.deleteCurrent(&error)) {
            if (error.isEmpty() && !question.isEmpty())
                error = question + QStringLiteral("\n(add --force to delete it)");
            return cliRefuse(
                error.isEmpty() ? QStringLiteral("the macro \"%1\" could not be deleted").arg(name) : error);
        }
        return CliOk;
    }
    return cliUsageError(kUsage);
}

CliRegistrar macroCommand(
    {QStringLiteral("macro"),
     QStringLiteral("macro list | show NAME | import FILE | export NAME FILE | delete NAME [--force]"),
     QStringLiteral("the macro library: list it, show a macro's events as JSON, import, "
                    "export or delete a macro file (--force: also when buttons run it; "
                    "they get their factory function)"),
     runMacro});

} // namespace
