#pragma once
// The commands of the main window's profile area: the per-model profile
// library (bind, add, copy, delete, rename, export and import of a profile
// file), reset of one or all profiles, export and import of a configuration
// file, and the write to the mouse behind the progress dialog (apply, OK,
// cancel).
//
// The main window owns one ProfileCommands and hands it a ProfileCommandHost:
// the few things the commands need from the window (the two profile sets,
// the poller, the pages, the name editor, the window itself). Message boxes,
// file dialogs and the progress dialog also go through the host, with
// default implementations on the skinned widget kit, so tests can answer them.

#include "ImportReport.h"
#include "ProfileLibrary.h"
#include "ProfileTypes.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;

class ProfileCommandHost
{
public:
    virtual ~ProfileCommandHost();

    // The set every page edits, and the copy last written to the mouse.
    virtual ProfileSet &currentSet() = 0;
    virtual ProfileSet &lastSentSet() = 0;

    // Parent of message boxes and dialogs (the main window).
    virtual QWidget *dialogParent() = 0;

    // The battery and status poller.
    virtual void stopPoller() = 0;
    virtual void startPoller() = 0;

    // Copies the values of the DPI and performance pages and the report rate
    // into the current set (before an apply).
    virtual void collectPages() = 0;
    // Fills every page from the current record of the current set (FillPages).
    virtual void fillPages() = 0;
    // Shows NAME in the name editor.
    virtual void showProfileName(const QString &name) = 0;
    // RetranslateUi: texts again, then the poller restarted after 500 ms.
    virtual void retranslate() {}
    // After a configuration import: first tab, model-dependent pictures.
    virtual void configurationImported() {}
    // "OK" and "Cancel" hide the window.
    virtual void hideWindow() {}
    // SetCurrentProfile(current slot, reload = true): reloads the slot's
    // library file into its record and fills the pages.
    virtual void reloadCurrentProfile() {}
    // After "Cancel": the desktop's pointer speed is set to the restored profile's.
    virtual void pointerSpeedRestored() {}

    // A MirtMessageBox titled "Warning", frameless, parented to dialogParent():
    // kind 1 asks "Yes"/"No", kind 2 has "Ok". Returns the dialog's result
    // (QDialog::Accepted for "Yes" and "Ok").
    virtual int showMessage(int kind, const QString &text);
    // What to do with an imported profile whose name is already in the library.
    enum class NameClash
    {
        Overwrite, // the library profile is replaced by the imported one
        KeepBoth,  // the imported one is kept beside it under a new name ("NAME (2)")
        Skip,      // the imported one is left out; the library keeps its own
    };
    // Asks about NAME with three buttons on the skin's message box; closing
    // the box skips.
    virtual NameClash askNameClash(const QString &name);
    // Asks whether to load what an incomplete file holds; TEXT says what it
    // lacks and DETAILS lists it (shown on demand). True for "Yes".
    virtual bool askLoadIncomplete(const QString &text, const QString &details);
    // What a load adjusted: a one-line SUMMARY, the entries in DETAILS on demand.
    virtual void showReport(const QString &summary, const QString &details);
    // QFileDialog::getSaveFileName / getOpenFileName; empty when cancelled.
    virtual QString saveFileName(const QString &caption, const QString &filter);
    virtual QString openFileName(const QString &caption, const QString &filter);
    // Runs JOB on a MirtProcessThread while a modal MirtProcessDialog shows
    // the progress; returns JOB's result code.
    virtual int runWithProgress(const std::function<int()> &job);
};

class ProfileCommands : public QObject
{
    Q_OBJECT

public:
    // The write behind the progress dialog, run on the worker thread: saves
    // the current set, computes the change mask, writes the set to the mouse,
    // copies it over the last-sent copy and writes "Config/Diff". Returns the
    // writer's result code (0 written).
    using WriteFunction = std::function<int(ProfileSet &current, ProfileSet &lastSent)>;

    // HOST is not owned and must outlive this object.
    explicit ProfileCommands(ProfileCommandHost *host, QObject *parent = nullptr);
    ~ProfileCommands() override;

    // Replaces the write (tests); the default is the device layer's whole write.
    void setWriteFunction(WriteFunction write);

    // The model whose library is used ("PROFILE/ProductName"); reloads the
    // library list and rebuilds the menu. Called at start and on a device change.
    void setModelName(const QString &model);
    QString modelName() const { return m_library.model(); }

    // The library list as loaded (at most 200 names).
    QStringList library() const { return m_library.names(); }
    // The library menu: one action per library name; attach it to the
    // library button. Rebuilt after every change of the list.
    QMenu *libraryMenu() const { return m_libraryMenu; }
    void rebuildLibraryMenu();

    // Path of a library profile: config folder/MODEL/Profile/NAME.prof.
    QString libraryFile(const QString &name) const;

    // Result code of the last write (0 when it succeeded), -1 before any.
    int lastWriteResult() const { return m_lastWriteResult; }

    // True for "Profile 1" ... "Profile 5", which cannot be renamed or deleted.
    static bool isDefaultProfileName(const QString &name);
    // The user-visible text for a write result code (empty for 0).
    static QString writeFailureText(int result);

public slots:
    // Library menu entry: binds NAME to the current slot and loads it.
    void bindLibraryProfile(const QString &name);
    void addProfile();                          // "ADD"
    void copyProfile();                         // "COPY"
    void deleteProfile();                       // "DELETE"
    void renameProfile(const QString &newName); // name editor, Enter
    void resetProfile();                        // "RESET"
    void resetAllProfiles();                    // "Reset All"
    void exportProfile();                       // export-profile button
    void importProfile();                       // import-profile button
    void exportConfiguration();                 // "SAVE"
    void importConfiguration();                 // "LOAD1"
    void apply();                               // "Apply"
    void ok();                                  // "OK"
    // "Cancel": hides the window, then the slot goes back to its library file
    // (or, without one, to what was last written to the mouse).
    void cancel();

    // Write with progress; returns the result code and shows the failure message.
    // OVERWRITE names library profiles the write replaces although the slot's
    // record did not change (an import the user let overwrite them), KEEP those
    // it leaves alone (an import the user skipped).
    int writeWithProgress(const QSet<QString> &overwrite = {}, const QSet<QString> &keep = {});

signals:
    // The library list changed (added, copied, deleted, renamed, imported).
    void libraryChanged();

private slots:
    void onLibraryAction(QAction *action);

private:
    // Shows why a library operation failed; WRITETEXT heads the message when
    // a profile file could not be written, READTEXT when one could not be read.
    void showLibraryFailure(const ProfileLibrary::Result &result, const QString &writeText,
                            const QString &readText = QString());
    // After a change of the list: the menu rebuilt, libraryChanged emitted.
    void libraryListChanged();
    QString currentSlotName() const;
    // The question of an incomplete file: what it lacks; "Yes" loads what it holds.
    bool askLoadIncomplete(const ImportReport &report);
    // The report of a load, when it has entries.
    void showImportReport(const ImportReport &report);
    // Why a configuration file was refused before anything was read.
    void showConfigurationRefusal(const ImportReport &report, const QString &error);

    ProfileCommandHost *m_host;
    WriteFunction m_write;
    ProfileLibrary m_library;
    QMenu *m_libraryMenu;
    int m_lastWriteResult = -1;
    // Saves of the set that failed during the last write (the default write
    // function adds them on the worker; read after it has finished).
    std::shared_ptr<QStringList> m_saveFailures;
};
