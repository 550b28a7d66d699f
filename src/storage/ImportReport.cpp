#include "ImportReport.h"

#include "IniAccess.h"
#include "Paths.h"
#include "ProfileIni.h"
#include "ProfileTypes.h"

#include <QColor>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

#include <algorithm>

namespace {

using Reason = ImportReport::Reason;
using Kind = ProfileKeys::Kind;

const char *const kModelKey = "MouseName/Name";
const char *const kSlotKey = "Config/ProfileID";
// The sensor bytes of the "Config" section, as a configuration file holds them.
const char *const kSensorKeys[] = {"Config/AngleValue", "Config/LiftHigh", "Config/Sync",
                                   "Config/Jitter",     "Config/Debounce", "Config/Wake",
                                   "Config/SensorMode", "Config/Count"};

// How many missing keys a report names before it counts the rest.
constexpr int kNamedMissingKeys = 3;

QString valueText(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("@Invalid()");
    if (v.userType() == QMetaType::QColor)
        return v.value<QColor>().name(QColor::HexArgb);
    if (v.userType() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

// A file that ended early may end inside a key, where no "=" follows: that
// last line is dropped (the keys it would have held are missing). True when
// TEXT ended so.
bool dropCutLine(QByteArray &text)
{
    if (text.isEmpty() || text.endsWith('\n'))
        return false;
    const int start = text.lastIndexOf('\n') + 1;
    const QByteArray last = text.mid(start);
    if (last.contains('=') || last.startsWith('[') || last.startsWith(';'))
        return false;
    text.truncate(start);
    return true;
}

// Every key and value of the file as QSettings reads them; false when
// QSettings finds the file malformed. A line dropped by dropCutLine() is one
// QSettings finds malformed too, and skips.
bool readValues(const QString &file, const QByteArray &text, bool cutLine, QHash<QString, QVariant> &values)
{
    if (ProfileIni::readPlain(text, values))
        return true;
    QSettings s(file, QSettings::IniFormat);
    const QStringList keys = s.allKeys();
    if (s.status() == QSettings::FormatError && !cutLine)
        return false;
    for (const QString &key : keys)
        values.insert(key, s.value(key));
    return true;
}

// Checks one value of a byte or 32-bit field the way the readers convert it.
// LIMIT, when positive, is the size of the table the byte indexes (a value
// past it reads as 0).
void checkNumber(ImportReport &report, const QString &file, const QString &key, const QVariant &v, Kind kind,
                 int limit = 0)
{
    bool ok = false;
    const qlonglong found = v.toLongLong(&ok);
    qlonglong used = 0;
    bool fits = false;
    if (kind == Kind::Int32) {
        const int32_t value = IniAccess::toInt32(v);
        used = value;
        // Signed fields are written as unsigned 32-bit numbers.
        fits = found == value || (found >= 0 && found == qlonglong(uint32_t(value)));
    } else {
        used = IniAccess::toByte(v);
        if (limit > 0 && used >= limit)
            used = 0;
        fits = found == used;
    }
    if (ok && fits)
        return;
    report.add(
        {file, key, valueText(v), QString::number(used), ok ? Reason::OutOfRange : Reason::Unreadable});
}

// Which keys of a section are missing, for the user: a tail of the file order
// when the file ended early, otherwise the first few names.
QString missingKeysText(const QStringList &missing, bool isTail)
{
    if (isTail)
        return QStringLiteral("every key from %1 on").arg(missing.first());
    QStringList named = missing.mid(0, kNamedMissingKeys);
    if (missing.size() > kNamedMissingKeys)
        named << QStringLiteral("... (%1 in all)").arg(missing.size());
    return named.join(QStringLiteral(", "));
}

// Checks section PROFILE_<section>: every key the load reads, taken from VALUES.
void checkProfileSection(ImportReport &report, const QString &file, QHash<QString, QVariant> &values,
                         int section, bool ledOptions)
{
    const QString prefix = QStringLiteral("PROFILE_%1/").arg(section);
    const QString sectionName = prefix.chopped(1);
    QStringList missing;
    int expected = 0;
    bool tail = true; // so far, every missing key came after every present one
    for (const ProfileIni::KeyView &k : ProfileIni::keysInFileOrder()) {
        if (k.ledOption && !ledOptions)
            continue;
        ++expected;
        const QString key = prefix + k.name;
        const auto it = values.constFind(key);
        if (it == values.constEnd()) {
            missing << k.name;
            continue;
        }
        if (!missing.isEmpty())
            tail = false;
        const QVariant v = it.value();
        values.erase(it);
        switch (k.kind) {
        case Kind::Byte: {
            int limit = 0;
            if (k.name == QLatin1String("dpi"))
                limit = kDpiStageCount;
            else if (k.name == QLatin1String("LedMode"))
                limit = kLedModeCount;
            checkNumber(report, file, key, v, k.kind, limit);
            break;
        }
        case Kind::Int32:
            checkNumber(report, file, key, v, k.kind);
            break;
        case Kind::Color:
            // Colours are written as colour objects; a colour name also reads.
            if (v.userType() != QMetaType::QColor && !IniAccess::toColor(v).isValid())
                report.add({file, key, valueText(v), QStringLiteral("no colour"), Reason::Unreadable});
            break;
        case Kind::Text:
            break;
        }
    }
    if (missing.isEmpty())
        return;
    const QString factory = QStringLiteral("factory values");
    if (missing.size() == expected) {
        report.add({file, sectionName, QStringLiteral("absent"), factory, Reason::MissingSection});
        return;
    }
    report.add({file, sectionName,
                QStringLiteral("%1 of %2 keys; missing %3")
                    .arg(expected - missing.size())
                    .arg(expected)
                    .arg(missingKeysText(missing, tail)),
                factory, Reason::MissingKeys});
}

// The "Config" section of a configuration file: current slot, sensor bytes, slot names.
void checkConfigSection(ImportReport &report, const QString &file, QHash<QString, QVariant> &values)
{
    const QString kept = QStringLiteral("the value in use");
    QStringList missing;
    int expected = 0;
    auto take = [&](const QString &key, QVariant *v) {
        ++expected;
        const auto it = values.constFind(key);
        if (it == values.constEnd()) {
            missing << key.mid(key.indexOf(QLatin1Char('/')) + 1);
            return false;
        }
        *v = it.value();
        values.erase(it);
        return true;
    };
    QVariant v;
    if (take(QLatin1String(kSlotKey), &v)) {
        bool ok = false;
        const qlonglong slot = v.toLongLong(&ok);
        if (!ok || slot < 0 || slot >= kProfileCount)
            report.add({file, QLatin1String(kSlotKey), valueText(v), QStringLiteral("0"),
                        ok ? Reason::OutOfRange : Reason::Unreadable});
    }
    for (const char *key : kSensorKeys) {
        if (take(QLatin1String(key), &v))
            checkNumber(report, file, QLatin1String(key), v, Kind::Byte);
    }
    if (!missing.isEmpty()) {
        const Reason why = missing.size() == expected ? Reason::MissingSection : Reason::MissingKeys;
        report.add({file, QStringLiteral("Config"),
                    why == Reason::MissingSection ? QStringLiteral("absent")
                                                  : QStringLiteral("%1 of %2 keys; missing %3")
                                                        .arg(expected - missing.size())
                                                        .arg(expected)
                                                        .arg(missing.join(QStringLiteral(", "))),
                    kept, why});
    }
    // Files written before the slot names were exported lack them: the slots keep theirs.
    for (int i = 1; i <= kProfileCount; ++i) {
        const QString key = QStringLiteral("Config/Profile%1").arg(i);
        const auto it = values.constFind(key);
        if (it == values.constEnd())
            continue;
        const QString name = valueText(it.value());
        values.erase(it);
        QString why;
        if (!name.isEmpty() && !Paths::isSafeName(name, &why))
            report.add(
                {file, key, name, QStringLiteral("the slot's own name (%1)").arg(why), Reason::RefusedName});
    }
}

} // namespace

ImportReport ImportReport::check(const QString &file, FileKind kind, const QString &model)
{
    ImportReport report;
    const QString what = kind == FileKind::Configuration ? QStringLiteral("a configuration file")
                                                         : QStringLiteral("a profile file");
    const QFileInfo fi(file);
    if (!fi.exists() || !fi.isFile() || !fi.isReadable()) {
        report.refuse(Refusal::Missing, fi.exists() ? QStringLiteral("%1 cannot be read.").arg(file)
                                                    : QStringLiteral("%1 does not exist.").arg(file));
        return report;
    }
    if (fi.size() > IniAccess::kMaxIniBytes) {
        report.refuse(Refusal::TooLarge,
                      QStringLiteral("%1 is too large (%2 bytes) to be %3; it was not read.")
                          .arg(file)
                          .arg(fi.size())
                          .arg(what));
        return report;
    }
    QByteArray text;
    QString why;
    if (!IniAccess::checkReadable(file, &why, &text)) {
        report.refuse(Refusal::Unreadable, why);
        return report;
    }
    if (text.isNull() && fi.size() > 0) {
        report.refuse(Refusal::Missing, QStringLiteral("%1 cannot be read.").arg(file));
        return report;
    }
    QHash<QString, QVariant> values;
    const bool cutLine = dropCutLine(text);
    if (!readValues(file, text, cutLine, values)) {
        report.refuse(Refusal::Unreadable, QStringLiteral("%1 is malformed; it was not read.").arg(file));
        return report;
    }
    const QVariant fileModel = values.take(QLatin1String(kModelKey));
    report.m_fileModel = fileModel.isValid() ? valueText(fileModel) : QString();
    if (report.m_fileModel != model) {
        // The message the program has always given for a file of another mouse.
        report.refuse(Refusal::OtherModel, QStringLiteral("The file is not match current mouse!"));
        return report;
    }

    if (kind == FileKind::Configuration) {
        checkConfigSection(report, file, values);
        for (int i = 0; i < kProfileCount; ++i)
            checkProfileSection(report, file, values, i, false);
    } else {
        checkProfileSection(report, file, values, 0, true);
    }
    // Whatever no load reads.
    QStringList unknown = values.keys();
    std::sort(unknown.begin(), unknown.end());
    for (const QString &key : qAsConst(unknown))
        report.add({file, key, valueText(values.value(key)), QStringLiteral("ignored"), Reason::UnknownKey});
    return report;
}

ImportReport::FileKind ImportReport::kindOf(const QString &file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("prof"))
        return FileKind::Profile;
    if (suffix == QLatin1String("conf"))
        return FileKind::Configuration;
    QString why;
    if (!IniAccess::checkReadable(file, &why))
        return FileKind::Configuration;
    QSettings s(file, QSettings::IniFormat);
    return s.childGroups().contains(QStringLiteral("Config")) ? FileKind::Configuration : FileKind::Profile;
}

void ImportReport::refuse(Refusal refusal, const QString &text)
{
    m_refusal = refusal;
    m_refusalText = text;
}

bool ImportReport::isIncomplete() const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [](const Entry &e) {
        return e.why == Reason::MissingSection || e.why == Reason::MissingKeys;
    });
}

QString ImportReport::incompleteText() const
{
    QStringList parts;
    for (const Entry &e : m_entries) {
        if (e.why == Reason::MissingSection)
            parts << QStringLiteral("section %1 is missing").arg(e.key);
        else if (e.why == Reason::MissingKeys)
            parts << QStringLiteral("section %1 holds %2").arg(e.key, e.found);
    }
    if (parts.isEmpty())
        return QString();
    QString file = m_entries.first().file;
    return QStringLiteral("%1 is incomplete: %2.").arg(file, parts.join(QStringLiteral("; ")));
}

QString ImportReport::reasonText(Reason why)
{
    switch (why) {
    case Reason::OutOfRange:
        return QCoreApplication::translate("ImportReport", "out of range");
    case Reason::Unreadable:
        return QCoreApplication::translate("ImportReport", "not a valid value");
    case Reason::UnknownKey:
        return QCoreApplication::translate("ImportReport", "unknown key");
    case Reason::RefusedName:
        return QCoreApplication::translate("ImportReport", "name refused");
    case Reason::MissingSection:
        return QCoreApplication::translate("ImportReport", "missing section");
    case Reason::MissingKeys:
        return QCoreApplication::translate("ImportReport", "missing keys");
    }
    return QString();
}

QString ImportReport::entryText(const Entry &e)
{
    return QStringLiteral("%1: %2: found \"%3\", used \"%4\" (%5)")
        .arg(QFileInfo(e.file).fileName(), e.key, e.found, e.used, reasonText(e.why));
}

QStringList ImportReport::lines() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        out << entryText(e);
    return out;
}
