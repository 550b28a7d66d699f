#pragma once
// The profile library of one mouse model: the list "PROFILE_LIST" of
// Configs/MODEL/MODEL.ini and one file per name, Configs/MODEL/Profile/NAME.prof.
//
// Every operation works on the set the window edits (its current slot) and
// either does all of its file and list work or leaves the files, the list and
// the set as they were, returning why. Profile files are written whole
// through ProfileStore's atomic save; a source is read whole before anything
// is written. The caller turns a code into its message.

#include "ImportReport.h"
#include "ProfileTypes.h"

#include <QString>
#include <QStringList>

class ProfileLibrary
{
public:
    enum class Code
    {
        Ok,
        Exists,       // the name is in the library, has a file, or names a slot
        Full,         // the library holds AppConfig::kProfileLibraryMax names
        NotInLibrary, // the current slot's name is not a library entry
        DefaultName,  // "Profile 1" ... "Profile 5" cannot be deleted or renamed
        Retain,       // the last entry cannot be deleted
        AllBound,     // every other entry is bound to another slot
        InUse,        // the name is bound to another slot
        ReadFailed,   // a profile file could not be read
        WriteFailed,  // a profile file could not be written, moved or removed
        ListNotSaved, // the library list could not be written
        BadName,      // the name cannot be a profile name (detail says why)
        BadModel,     // the model or a derived name cannot be a file name (detail says why)
        OtherModel,   // an imported file belongs to another model
        TooLarge,     // an imported file is far larger than any profile file
        Incomplete,   // an imported file lacks keys (it ended early); detail says which
    };
    // What an import does when the name it would take is already taken.
    enum class OnClash
    {
        Refuse,    // Exists
        Overwrite, // the library profile of that name is replaced
        KeepBoth,  // the import takes freeKeepBothName()
    };
    struct ImportOptions
    {
        OnClash onClash = OnClash::Refuse;
        bool loadIncomplete = false; // load what an incomplete file holds, the rest factory values
    };
    struct Result
    {
        Code code = Code::Ok;
        QString detail; // the file system's or the store's reason, untranslated
        bool ok() const { return code == Code::Ok; }
    };

    ProfileLibrary() = default;
    // Loads MODEL's list (at most AppConfig::kProfileLibraryMax names).
    explicit ProfileLibrary(const QString &model);

    QString model() const { return m_model; }
    QStringList names() const { return m_names; }
    // Configs/MODEL/Profile/NAME.prof (empty for an unsafe name).
    QString file(const QString &name) const;
    bool isFull() const;

    // "Profile 1" ... "Profile 5".
    static bool isDefaultName(const QString &name);
    // The library file "DefaultProfile.prof" that ADD copies; never a profile name.
    static QString templateName();
    // In the list, a library file, or the name of one of SET's slots.
    bool nameTaken(const QString &name, const ProfileSet &set) const;
    // ADD's name: the first free "Profile n".
    QString freeAddName(const ProfileSet &set) const;
    // COPY's name: "BASE copy", then "BASE copy2", "BASE copy3", ...
    QString freeCopyName(const QString &base, const ProfileSet &set) const;
    // The name an import keeps both under: "NAME (2)", "NAME (3)", ... the
    // first not taken; a NAME that already ends in " (n)" counts on from its stem.
    QString freeKeepBothName(const QString &name, const ProfileSet &set) const;
    // True when storing PROFILE under NAME would replace a library file that
    // holds another profile (or cannot be read). Name, path and the LED
    // options, which a configuration file does not carry, do not count.
    bool wouldReplace(const QString &name, const ProfileData &profile) const;
    // The library name an imported profile file takes: its base name.
    static QString importName(const QString &path);

    // Writes NAMES as the whole list; the list kept here changes only when that worked.
    Result setNames(const QStringList &names);

    // Loads NAME's file into the current slot and binds the name to it.
    Result bind(ProfileSet &set, const QString &name) const;
    // A new entry under freeAddName: the template file's profile (the factory
    // one without it), appended to the list, loaded into the current slot.
    Result add(ProfileSet &set);
    // A new entry under freeCopyName of the current slot's name: its library
    // file (or, without one, the slot's record) appended to the list; the
    // current slot takes the new name and keeps its record.
    Result copy(ProfileSet &set);
    // The refusals of remove(), checked before anything is asked or walked.
    Result canRemove(const ProfileSet &set) const;
    // Removes the current slot's entry and file; the slot takes the
    // replacement (see replacementIndex) and loads its file.
    Result remove(ProfileSet &set);
    // The entry remove() puts in place of entry K: the next one (the previous
    // one for the last), walking towards the start past entries bound to
    // other slots than the current one; when that runs off the start, the
    // first entry after K not bound elsewhere. -1 when there is none.
    int replacementIndex(int k, const ProfileSet &set) const;
    // Renames the current slot's entry (its file moved, or written from the
    // record when it has none); the slot's own file Configs/Profile/NAME.prof
    // follows the name, and Config.ini's slot names are written. When the
    // slot's file cannot follow (WriteFailed) or Config.ini cannot be written
    // (ListNotSaved), the steps done are undone.
    Result rename(ProfileSet &set, const QString &newName);
    // A profile file exported for this model becomes an entry named after the
    // file (importName) and is loaded into the current slot. The file is
    // checked and read whole before anything changes (*report receives the
    // check). A taken name is refused, overwritten (not when another slot
    // uses it: InUse) or kept beside under freeKeepBothName, as OPTIONS say.
    Result importProfile(ProfileSet &set, const QString &path, const ImportOptions &options,
                         ImportReport *report = nullptr);
    Result importProfile(ProfileSet &set, const QString &path);
    // Writes PROFILE plus this model's name to PATH, through a file beside it.
    Result exportProfile(const ProfileData &profile, const QString &path) const;

private:
    // Appends NAME, whose file is FILE, to the list; on failure removes FILE.
    Result append(const QString &name, const QString &file);
    // Writes PROFILE as a new library file for NAME.
    Result writeNew(const QString &name, ProfileData profile, QString *path);

    QString m_model;
    QStringList m_names;
};
