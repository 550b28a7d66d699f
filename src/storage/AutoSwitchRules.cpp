#include "AutoSwitchRules.h"

#include "IniAccess.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QLatin1String kGeneralSection("AutoSwitch");
const QLatin1String kRulesSection("Rules");
const QLatin1String kEnabledKey("Enabled");
const QLatin1String kOtherwiseKey("Otherwise");
const QLatin1String kKeepText("keep");
// A file full of bad lines is named by its first few; the rest are counted.
constexpr int kMaxProblemLines = 10;
// kMaxRules rules of the longest names, and room for comments.
constexpr qint64 kMaxFileBytes = 2 * AutoSwitchRules::kMaxRules * AutoSwitchRules::kMaxNameLength;

bool hasControl(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == QChar::ReplacementCharacter || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

// "1" … "5" → the slot; anything else → -1.
int parseSlot(const QString &text)
{
    bool ok = false;
    const int slot = text.toInt(&ok);
    return ok && slot >= 1 && slot <= 5 && text == QString::number(slot) ? slot : -1;
}

// Collects what a load left out, naming the first kMaxProblemLines.
class ProblemList
{
public:
    explicit ProblemList(const QString &file) : m_file(file) {}
    void add(int line, const QString &what)
    {
        if (m_count++ < kMaxProblemLines)
            m_lines << QStringLiteral("%1, line %2: %3").arg(m_file).arg(line).arg(what);
    }
    QStringList lines() const
    {
        QStringList all = m_lines;
        if (m_count > kMaxProblemLines)
            all << QStringLiteral("%1: %2 more lines were left out.")
                       .arg(m_file)
                       .arg(m_count - kMaxProblemLines);
        return all;
    }
    bool any() const { return m_count > 0; }

private:
    QString m_file;
    QStringList m_lines;
    int m_count = 0;
};

} // namespace

QString AutoSwitchRules::defaultFile()
{
    return QDir(Paths::configDir()).filePath(QStringLiteral("AutoSwitch.ini"));
}

bool AutoSwitchRules::setOtherwise(int slot)
{
    if (slot != kKeep && (slot < 1 || slot > 5))
        return false;
    m_otherwise = slot;
    return true;
}

bool AutoSwitchRules::checkApplication(const QString &name, QString *errorText)
{
    using IniAccess::setError;
    if (name.isEmpty()) {
        setError(errorText, QStringLiteral("The application's name is empty."));
        return false;
    }
    if (name.size() > kMaxNameLength) {
        setError(errorText,
                 QStringLiteral("The application's name is longer than %1 characters.").arg(kMaxNameLength));
        return false;
    }
    if (hasControl(name)) {
        setError(errorText, QStringLiteral("The application's name holds control characters."));
        return false;
    }
    if (name.trimmed() != name) {
        setError(errorText, QStringLiteral("The application's name begins or ends with a blank."));
        return false;
    }
    const QChar first = name.at(0);
    if (first == QLatin1Char('[') || first == QLatin1Char(';') || first == QLatin1Char('#')) {
        setError(errorText, QStringLiteral("The application's name cannot begin with '%1'.").arg(first));
        return false;
    }
    return true;
}

bool AutoSwitchRules::sameApplication(const QString &a, const QString &b)
{
    if (isPath(a) || isPath(b))
        return a == b;
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString AutoSwitchRules::otherwiseText(int otherwise)
{
    return otherwise == kKeep ? QString(kKeepText) : QString::number(otherwise);
}

bool AutoSwitchRules::setRule(const QString &application, int slot, QString *errorText)
{
    if (!checkApplication(application, errorText))
        return false;
    if (slot < 1 || slot > 5) {
        IniAccess::setError(errorText, QStringLiteral("The profile slot must be 1 to 5."));
        return false;
    }
    for (Rule &r : m_rules) {
        if (sameApplication(r.application, application)) {
            r.application = application;
            r.slot = slot;
            return true;
        }
    }
    if (m_rules.size() >= kMaxRules) {
        IniAccess::setError(
            errorText, QStringLiteral("There are %1 rules already, as many as can be kept.").arg(kMaxRules));
        return false;
    }
    m_rules.append({application, slot});
    return true;
}

bool AutoSwitchRules::removeRule(const QString &application)
{
    for (int i = 0; i < m_rules.size(); ++i) {
        if (sameApplication(m_rules.at(i).application, application)) {
            m_rules.removeAt(i);
            return true;
        }
    }
    return false;
}

int AutoSwitchRules::slotFor(const QStringList &classes, const QString &exePath) const
{
    if (!exePath.isEmpty()) {
        for (const Rule &r : m_rules) {
            if (isPath(r.application) && r.application == exePath)
                return r.slot;
        }
    }
    for (const Rule &r : m_rules) {
        if (isPath(r.application))
            continue;
        for (const QString &c : classes) {
            if (!c.isEmpty() && sameApplication(r.application, c))
                return r.slot;
        }
    }
    return m_otherwise;
}

bool AutoSwitchRules::load(const QString &file, QStringList *problems)
{
    *this = AutoSwitchRules();
    if (problems)
        problems->clear();
    QByteArray bytes;
    QString error;
    switch (IniAccess::readFile(file, &bytes, &error)) {
    case IniAccess::ReadStatus::Missing:
        return true;
    case IniAccess::ReadStatus::Read:
        if (bytes.size() <= kMaxFileBytes)
            break;
        error = QStringLiteral("%1 is larger than %2 bytes, too large to hold rules; it was not read.")
                    .arg(file)
                    .arg(kMaxFileBytes);
        Q_FALLTHROUGH();
    default:
        m_loadedWithProblems = true;
        if (problems)
            *problems << error + QStringLiteral(" Auto-switch stays off.");
        return false;
    }

    ProblemList found(QDir::toNativeSeparators(file));
    QString section;
    int lineNumber = 0;
    bool tooMany = false;
    for (const QByteArray &raw : bytes.split('\n')) {
        ++lineNumber;
        QByteArray bytesOfLine = raw;
        if (bytesOfLine.endsWith('\r'))
            bytesOfLine.chop(1);
        const QString line = QString::fromUtf8(bytesOfLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (hasControl(line) || bytesOfLine.contains('\0')) {
            found.add(lineNumber,
                      QStringLiteral("holds control characters or bytes that are not text; left out."));
            continue;
        }
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            if (section != kGeneralSection && section != kRulesSection)
                found.add(lineNumber,
                          QStringLiteral("unknown section [%1]; its lines are left out.").arg(section));
            continue;
        }
        const int eq = line.lastIndexOf(QLatin1Char('='));
        if (eq < 0) {
            found.add(lineNumber, QStringLiteral("is not KEY=VALUE; left out."));
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (section == kGeneralSection) {
            if (key == kEnabledKey) {
                if (value == QLatin1String("1") || value == QLatin1String("true"))
                    m_enabled = true;
                else if (value == QLatin1String("0") || value == QLatin1String("false"))
                    m_enabled = false;
                else
                    found.add(lineNumber,
                              QStringLiteral("Enabled must be 1 or 0, not \"%1\"; auto-switch stays off.")
                                  .arg(value));
            } else if (key == kOtherwiseKey) {
                const int slot = value == kKeepText ? int(kKeep) : parseSlot(value);
                if (slot < 0)
                    found.add(lineNumber, QStringLiteral("Otherwise must be keep or a slot 1 to 5, not "
                                                         "\"%1\"; the mouse is left as it is.")
                                              .arg(value));
                else
                    m_otherwise = slot;
            } else {
                found.add(lineNumber, QStringLiteral("unknown key %1; left out.").arg(key));
            }
        } else if (section == kRulesSection) {
            QString why;
            const int slot = parseSlot(value);
            if (!checkApplication(key, &why)) {
                found.add(lineNumber, why + QStringLiteral(" Left out."));
            } else if (slot < 0) {
                found.add(
                    lineNumber,
                    QStringLiteral("the slot of %1 must be 1 to 5, not \"%2\"; left out.").arg(key, value));
            } else if (m_rules.size() >= kMaxRules) {
                if (!tooMany)
                    found.add(lineNumber,
                              QStringLiteral("more than %1 rules; this one and those after it are left out.")
                                  .arg(kMaxRules));
                tooMany = true;
            } else {
                bool twice = false;
                for (const Rule &r : m_rules)
                    twice = twice || sameApplication(r.application, key);
                if (twice)
                    found.add(lineNumber,
                              QStringLiteral("%1 has a rule already; this one is left out.").arg(key));
                else
                    m_rules.append({key, slot});
            }
        } else if (section.isEmpty()) {
            found.add(lineNumber, QStringLiteral("stands outside [%1] and [%2]; left out.")
                                      .arg(kGeneralSection, kRulesSection));
        }
    }
    m_loadedWithProblems = found.any();
    if (problems)
        *problems = found.lines();
    return true;
}

bool AutoSwitchRules::save(const QString &file, QString *errorText, QString *notice)
{
    QByteArray text = "; mousecfg: the applications whose window switches the mouse's onboard profile.\n";
    text += "[AutoSwitch]\n";
    text += "Enabled=" + QByteArray(m_enabled ? "1" : "0") + '\n';
    text += "Otherwise=" + otherwiseText(m_otherwise).toUtf8() + '\n';
    text += "[Rules]\n";
    for (const Rule &r : m_rules)
        text += r.application.toUtf8() + '=' + QByteArray::number(r.slot) + '\n';

    QDir().mkpath(QFileInfo(file).absolutePath());
    if (m_loadedWithProblems && QFileInfo::exists(file)) {
        // What could not be read stays beside, as it was.
        const QString kept = file + QStringLiteral(".bak");
        QFile::remove(kept);
        if (!QFile::rename(file, kept)) {
            IniAccess::setError(
                errorText,
                QStringLiteral("%1 could not be kept as %2; nothing was written.").arg(file, kept));
            return false;
        }
        if (notice)
            *notice = QStringLiteral("The file as it was is kept as %1.").arg(kept);
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        IniAccess::setError(errorText,
                            QStringLiteral("%1 could not be written: %2").arg(file, out.errorString()));
        return false;
    }
    m_loadedWithProblems = false;
    return true;
}
