#pragma once
// Starting the program at login: an XDG autostart entry, ID.desktop (ID the
// application id, the name of its installed desktop entry) in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart when that is unset or not
// an absolute path). The entry's presence is the setting; nothing else keeps it.

#include <QString>
#include <QStringList>

class AutostartEntry
{
public:
    explicit AutostartEntry(const QString &id = QStringLiteral("org.mousecfg.mousecfg"));

    QString filePath() const;
    // The entry is there and the desktop has not been told to skip it
    // ("Hidden=true" or "X-GNOME-Autostart-enabled=false").
    bool isEnabled() const;

    struct Content
    {
        QStringList command; // program and arguments, as given to exec
        QString name;
        QString comment;
        QString icon;
    };
    // Writes the entry (folder made as needed); false with errorText when it could not.
    bool enable(const Content &content, QString *errorText = nullptr) const;
    // Removes the entry; true when none is left.
    bool disable(QString *errorText = nullptr) const;

    // The Exec value for COMMAND: each argument quoted where the desktop
    // entry rules ask for it, then escaped as a string value.
    static QString execValue(const QStringList &command);
    // How the entry names this program: "mousecfg" when that is what PATH
    // finds, else the running executable's absolute path.
    static QString programName();

private:
    QString m_id;
};
