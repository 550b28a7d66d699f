#pragma once
// What a load of a configuration file (.conf) or a profile file (.prof)
// would adjust, made by looking at the file without loading it: values out
// of their range or unreadable, keys the program does not know, names it
// refuses, and sections missing or held only in part (a file that ended
// early). The window and the command line show the same report. A file this
// program wrote gives an empty one.

#include <QString>
#include <QStringList>
#include <QVector>

class ImportReport
{
public:
    enum class Reason
    {
        OutOfRange,     // the value does not fit its field; it was cut or replaced
        Unreadable,     // not a number (or colour) where one belongs
        UnknownKey,     // a key no load reads; ignored
        RefusedName,    // a slot name that would leave its folder; the slot keeps its own
        MissingSection, // a whole profile section is absent
        MissingKeys,    // a section is held in part (the file ended early)
    };
    struct Entry
    {
        QString file;
        QString key;   // "PROFILE_2/pollrate", "Config/Profile3", or a section name
        QString found; // the value in the file (for missing keys: how many there were)
        QString used;  // what a load takes instead
        Reason why;
    };
    enum class FileKind
    {
        Configuration, // the export of the whole set: Config keys and PROFILE_0..4
        Profile,       // one profile: PROFILE_0 with the LED options
    };
    // Why a file is refused before anything of it is read.
    enum class Refusal
    {
        None,
        Missing,    // no such file, or not a readable file
        TooLarge,   // far larger than any file of ours
        Unreadable, // malformed, or holding a value that cannot be read safely
        OtherModel, // "MouseName/Name" is not this model's
    };

    ImportReport() = default;

    // Looks at FILE as a load of KIND for MODEL would read it.
    static ImportReport check(const QString &file, FileKind kind, const QString &model);
    // Profile for a ".prof" name, Configuration for ".conf"; otherwise a file
    // with a [Config] section is a configuration file.
    static FileKind kindOf(const QString &file);

    Refusal refusal() const { return m_refusal; }
    bool refused() const { return m_refusal != Refusal::None; }
    // Why the file is refused, in a sentence (untranslated).
    QString refusalText() const { return m_refusalText; }
    // "MouseName/Name" as the file holds it.
    QString fileModel() const { return m_fileModel; }

    const QVector<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    void add(const Entry &entry) { m_entries.append(entry); }
    // A section missing or held in part: the file is loaded whole or not at all,
    // unless the user asks for what it holds.
    bool isIncomplete() const;
    // Which sections lack what, in a sentence per section (untranslated).
    QString incompleteText() const;

    // One line per entry: FILE: KEY: found "X", used "Y" (REASON).
    QStringList lines() const;
    static QString entryText(const Entry &entry);
    // The reason in words, through the translator (context "ImportReport").
    static QString reasonText(Reason why);

private:
    void refuse(Refusal refusal, const QString &text);

    Refusal m_refusal = Refusal::None;
    QString m_refusalText;
    QString m_fileModel;
    QVector<Entry> m_entries;
};
