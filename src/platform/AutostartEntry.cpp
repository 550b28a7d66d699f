#include "AutostartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

QString autostartDir()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

// Newlines and the like cannot stand in a value.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    return text;
}

// The string escapes of a desktop entry value.
QString escapeValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    return out;
}

} // namespace

AutostartEntry::AutostartEntry(const QString &id) : m_id(id) {}

QString AutostartEntry::filePath() const
{
    return autostartDir() + QLatin1Char('/') + m_id + QStringLiteral(".desktop");
}

bool AutostartEntry::isEnabled() const
{
    QFile f(filePath());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inMainGroup = false;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if ((key == QLatin1String("Hidden") && value == QLatin1String("true")) ||
            (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false")))
            return false;
    }
    return true;
}

bool AutostartEntry::enable(const Content &content, QString *errorText) const
{
    const QString path = filePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (errorText)
            *errorText = QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=%1\n")
                       .arg(escapeValue(oneLine(content.name)));
    if (!content.comment.isEmpty())
        text += QStringLiteral("Comment=%1\n").arg(escapeValue(oneLine(content.comment)));
    if (!content.icon.isEmpty())
        text += QStringLiteral("Icon=%1\n").arg(escapeValue(oneLine(content.icon)));
    text += QStringLiteral("Exec=%1\n"
                           "Terminal=false\n"
                           "X-GNOME-Autostart-enabled=true\n")
                .arg(execValue(content.command));
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0 || !f.commit()) {
        if (errorText)
            *errorText = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool AutostartEntry::disable(QString *errorText) const
{
    QFile f(filePath());
    if (!f.exists() || f.remove())
        return true;
    if (errorText)
        *errorText = QStringLiteral("cannot remove %1: %2").arg(f.fileName(), f.errorString());
    return false;
}

QString AutostartEntry::execValue(const QStringList &command)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QStringList args;
    for (const QString &arg : command) {
        QString a = oneLine(arg);
        // A field code would be expanded by the desktop.
        a.replace(QLatin1Char('%'), QStringLiteral("%%"));
        bool quote = a.isEmpty();
        for (const QChar c : a)
            quote = quote || reserved.contains(c);
        if (quote) {
            QString q;
            for (const QChar c : a) {
                if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                    c == QLatin1Char('\\'))
                    q += QLatin1Char('\\');
                q += c;
            }
            a = QLatin1Char('"') + q + QLatin1Char('"');
        }
        args << a;
    }
    return escapeValue(args.join(QLatin1Char(' ')));
}

QString AutostartEntry::programName()
{
    QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (self.isEmpty()) // replaced on disk while running: the path it was started from
        self = QCoreApplication::applicationFilePath();
    const QString name = QFileInfo(self).fileName();
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty() && QFileInfo(found).canonicalFilePath() == self)
        return name;
    return self;
}
