#pragma once
// Profile files (.prof), the profile set in Config.ini plus one file per slot,
// and the configuration export (.conf). QSettings INI files; every save goes
// through QSettings' atomic save-file, so an interrupted save leaves the old
// file whole. Names that would leave their folder are refused.

#include "DeviceDescription.h"
#include "ImportReport.h"
#include "ProfileTypes.h"

#include <QString>

namespace ProfileStore {

// Configs/Profile/NAME.prof (empty, errorText set, when NAME is unsafe).
QString slotProfilePath(const QString &name, QString *errorText = nullptr);
// Configs/MODEL/Profile/NAME.prof (empty, errorText set, when a name is unsafe).
QString libraryProfilePath(const QString &model, const QString &name, QString *errorText = nullptr);
// Configs/Profile/DefaultProfile.prof.
QString defaultProfilePath();

// Reads section PROFILE_<section> of FILE onto the factory profile (or onto
// *base): every key the file holds sets its field, every key it lacks keeps
// the factory value - a profile that cannot be read whole is never zeros.
// *complete tells whether every key was there. False (with errorText) when
// the file is missing, unreadable, malformed or too large; profile then
// holds the factory values (and whatever could be read).
bool readProfileSection(int section, ProfileData &profile, const QString &file, QString *errorText = nullptr,
                        bool *complete = nullptr, const ProfileData *base = nullptr);
// Writes all 11,099 keys of profile to section PROFILE_<section> of FILE.
bool writeProfileSection(int section, const ProfileData &profile, const QString &file,
                         QString *errorText = nullptr);

// Reads Configs/Profile/NAME.prof, section PROFILE_0.
bool readSlotProfile(ProfileData &profile, const QString &name, QString *errorText = nullptr);
// Writes Configs/Profile/NAME.prof, section PROFILE_0.
bool writeSlotProfile(const ProfileData &profile, const QString &name, QString *errorText = nullptr);
// Reads / writes the library profile Configs/MODEL/Profile/NAME.prof.
bool readLibraryProfile(ProfileData &profile, const QString &model, const QString &name,
                        QString *errorText = nullptr);
bool writeLibraryProfile(const ProfileData &profile, const QString &model, const QString &name,
                         QString *errorText = nullptr);

// Loads the stored set - the one load of the window, the command line and
// the tests: the "Config" keys of Config.ini (the mouse's default sensor
// settings for those it lacks), the five slot files, and the button matrix
// of the device description into the global matrix table. A slot without a
// name gets "Profile N"; a slot whose file does not exist yet starts from the
// factory profile. A slot whose file is partial, unreadable or whose name is
// refused loads over the factory profile, key by key where keys exist.
// Returns 0 when every stored slot was read whole; -1 otherwise, with one line
// per reset slot in errorText (for the user) - the rest is still loaded.
// With slotsLeft, only the current slot's file is read: the other slots keep
// the factory profile under their names, their bits are set in *slotsLeft,
// and loadSlots(set, *slotsLeft) completes the set (the window's start, which
// shows the current slot first).
int loadProfileSet(ProfileSet &set, QString *errorText = nullptr, unsigned *slotsLeft = nullptr);
// The window's first read, loadProfileSet(set, problems, slotsLeft), kept as a
// value: it can be made on another thread while the program starts.
struct ProfileSetRead
{
    ProfileSet set;
    QString problems;
    unsigned slotsLeft = 0;
    int result = 0;
};
ProfileSetRead readStartingSet();
// Reads the files of the slots whose bits are set in slotMask into set, as
// loadProfileSet does, under the names set holds.
int loadSlots(ProfileSet &set, unsigned slotMask, QString *errorText = nullptr);
// Writes the "Config" keys and Profile1 to Config.ini, then slot 0's file
// under names[0]. Slots 1 to 4 are not written.
bool saveProfileSet(const ProfileSet &set, QString *errorText = nullptr);
// The whole set: Config.ini once ("Config" keys and all five slot names),
// then each named slot's file once; used by every write and import. Nothing
// is written when a name cannot be used or slot 1 has none.
bool saveWholeProfileSet(const ProfileSet &set, QString *errorText = nullptr);

// Reads the keys exportConfiguration writes back into set. LedMoveOFF and LedSleepTime keep their
// values; a slot name missing from the file (or unsafe) keeps the current name.
bool importProfileSet(ProfileSet &set, const QString &file, QString *errorText = nullptr);

// "MouseName/Name" of an export or profile file (empty when missing).
QString readExportModelName(const QString &file);
// Writes "MouseName/Name" into FILE.
bool writeExportModelName(const QString &file, const QString &model, QString *errorText = nullptr);

// The export command: replaces FILE with "MouseName/Name" = model, the
// "Config" keys, the five slot names and sections PROFILE_0..4 (without
// LedMoveOFF and LedSleepTime).
bool exportConfiguration(const ProfileSet &set, const QString &file, const QString &model,
                         QString *errorText = nullptr);
// The import command. The file is looked at first (ImportReport::check, into
// *report): one that cannot be read, is too large, or belongs to another model
// ("The file is not match current mouse!") is refused; so is an incomplete one
// (a section missing or held in part, the file having ended early), unless
// loadIncomplete is set - then what it holds is loaded and the rest has its
// factory value. On refusal set is untouched and errorText says why.
bool importConfiguration(ProfileSet &set, const QString &file, const QString &model,
                         QString *errorText = nullptr, ImportReport *report = nullptr,
                         bool loadIncomplete = false);

// The global button matrix: device slot of each profile button, loaded with
// the profile set. Safe to read from any thread.
DeviceDescription::ButtonMatrix buttonMatrix();
void setButtonMatrix(const DeviceDescription::ButtonMatrix &matrix);

} // namespace ProfileStore
