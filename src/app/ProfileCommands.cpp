#include "ProfileCommands.h"

#include "AppConfig.h"
#include "MirtAction.h"
#include "MirtMessageBox.h"
#include "MirtProcessDialog.h"
#include "MirtProcessThread.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "ProtocolConstants.h"
#include "WholeWrite.h"
#include "Log.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QVector>

#include <algorithm>
#include <memory>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ProfileCommands", text);
}

// Messages shown by the commands.
const char *const kMsgAlreadyUsed = QT_TRANSLATE_NOOP("ProfileCommands", "Profile is Already Used!");
const char *const kMsgExist = QT_TRANSLATE_NOOP("ProfileCommands", "Profile Exist!");
const char *const kMsgRetain = QT_TRANSLATE_NOOP("ProfileCommands", "AT LEAST ONE PROFILE TO BE RETAINED.");
const char *const kMsgDefault =
    QT_TRANSLATE_NOOP("ProfileCommands", "The default Profile cannot be deleted or renamed.");
const char *const kMsgAskDelete =
    QT_TRANSLATE_NOOP("ProfileCommands", "Are you sure you want delete this profile?");
const char *const kMsgAskReset =
    QT_TRANSLATE_NOOP("ProfileCommands", "Are you sure you want reset this profile?");
const char *const kMsgAskResetAll =
    QT_TRANSLATE_NOOP("ProfileCommands", "Are you sure you want reset all profiles?");
const char *const kMsgNotMatch = QT_TRANSLATE_NOOP("ProfileCommands", "The file is not match current mouse!");
const char *const kMsgSendFailed =
    QT_TRANSLATE_NOOP("ProfileCommands", "Send data failed, please try again.");
const char *const kMsgSleeping = QT_TRANSLATE_NOOP("ProfileCommands", "Mouse is sleeping or not connected.");
const char *const kMsgLibraryFull =
    QT_TRANSLATE_NOOP("ProfileCommands", "THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES.");
const char *const kMsgAllBound =
    QT_TRANSLATE_NOOP("ProfileCommands", "EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT.");
const char *const kMsgNotInLibrary =
    QT_TRANSLATE_NOOP("ProfileCommands", "THIS PROFILE IS NOT IN THE PROFILE LIBRARY.");

constexpr const char kTemplateName[] = "DefaultProfile";
constexpr const char kProfileSuffix[] = ".prof";
constexpr const char kConfigSuffix[] = ".conf";

// The chosen path with SUFFIX appended when the user typed none.
QString withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + suffix;
}

// Copies FROM over TO through a temporary file beside TO, so that a failed
// copy never leaves a half-written or missing target.
bool replaceFile(const QString &from, const QString &to, QString *errorText)
{
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    QFile source(from);
    if (!source.copy(part)) {
        if (errorText)
            *errorText = source.errorString();
        QFile::remove(part);
        return false;
    }
    if (QFile::exists(to) && !QFile::remove(to)) {
        if (errorText)
            *errorText = QFile(to).errorString();
        QFile::remove(part);
        return false;
    }
    if (!QFile::rename(part, to)) {
        if (errorText)
            *errorText = tr("cannot rename %1").arg(part);
        QFile::remove(part);
        return false;
    }
    return true;
}

} // namespace

ProfileCommandHost::~ProfileCommandHost() = default;

int ProfileCommandHost::showMessage(int kind, const QString &text)
{
    MirtMessageBox box(kind, QString(), tr("Warning"), text, dialogParent(), nullptr,
                       Qt::FramelessWindowHint);
    return box.exec();
}

QString ProfileCommandHost::saveFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getSaveFileName(dialogParent(), caption, QString(), filter);
}

QString ProfileCommandHost::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(dialogParent(), caption, QString(), filter);
}

int ProfileCommandHost::runWithProgress(const std::function<int()> &job)
{
    MirtProcessThread thread;
    thread.setJob(job);
    MirtProcessDialog dialog(dialogParent(), dialogParent());
    dialog.runThread(&thread);
    return thread.GetResult();
}

ProfileCommands::ProfileCommands(ProfileCommandHost *host, QObject *parent)
    : QObject(parent), m_host(host), m_libraryMenu(new QMenu())
{
    m_libraryMenu->setObjectName(QStringLiteral("profileLibraryMenu"));
    connect(m_libraryMenu, &QMenu::triggered, this, &ProfileCommands::onLibraryAction);
    m_write = [](ProfileSet &current, ProfileSet &lastSent) {
        // The poller is stopped and restarted by the commands on the
        // user-interface thread, around the dialog.
        WriteContext context = WriteContext::fromConfiguration();
        context.stopPoller = nullptr;
        context.startPoller = nullptr;
        const WholeWriteOutcome outcome = runWholeWrite(current, lastSent, false, context);
        if (!outcome.saveError.isEmpty())
            qCDebug(lcApp) << "profile set not saved:" << outcome.saveError;
        return outcome.result;
    };
}

ProfileCommands::~ProfileCommands()
{
    delete m_libraryMenu;
}

void ProfileCommands::setWriteFunction(WriteFunction write)
{
    m_write = std::move(write);
}

void ProfileCommands::setModelName(const QString &model)
{
    m_model = model;
    m_library = AppConfig::loadProfileList(model);
    rebuildLibraryMenu();
}

QString ProfileCommands::libraryFile(const QString &name) const
{
    return ProfileStore::libraryProfilePath(m_model, name);
}

bool ProfileCommands::isDefaultProfileName(const QString &name)
{
    for (int i = 0; i < kProfileCount; ++i) {
        if (name == ProfileDefaults::defaultSlotName(i))
            return true;
    }
    return false;
}

QString ProfileCommands::writeFailureText(int result)
{
    switch (result) {
    case kSendOk:
        return QString();
    case kSendNoDevice:
        return tr(kMsgSleeping);
    case kResultMacrosNotWritten:
        return wholeWriteMessage(result);
    default:
        return tr(kMsgSendFailed);
    }
}

void ProfileCommands::rebuildLibraryMenu()
{
    m_libraryMenu->clear();
    for (const QString &name : qAsConst(m_library)) {
        auto *action = new MirtAction(name, m_libraryMenu);
        action->setData(name);
        m_libraryMenu->addAction(action);
    }
}

void ProfileCommands::onLibraryAction(QAction *action)
{
    if (!action)
        return;
    const int index = m_libraryMenu->actions().indexOf(action);
    if (index < 0 || index >= AppConfig::kProfileLibraryMax)
        return;
    bindLibraryProfile(action->data().toString());
}

bool ProfileCommands::nameTaken(const QString &name) const
{
    const ProfileSet &set = m_host->currentSet();
    return m_library.contains(name) || QFile::exists(libraryFile(name)) ||
           std::find(set.names.begin(), set.names.end(), name) != set.names.end();
}

QString ProfileCommands::currentSlotName() const
{
    const ProfileSet &set = m_host->currentSet();
    return set.names[set.ProfileID < kProfileCount ? set.ProfileID : 0];
}

bool ProfileCommands::appendToLibrary(const QString &name, const QString &file)
{
    QStringList names = m_library;
    names.append(name);
    if (saveLibrary(names))
        return true;
    QFile::remove(file); // the list was not saved: leave no file it does not name
    return false;
}

bool ProfileCommands::saveLibrary(const QStringList &names)
{
    QString error;
    if (!AppConfig::saveProfileList(m_model, names, &error)) {
        m_host->showMessage(MirtMessageBox::kWarning,
                            tr("THE PROFILE LIST COULD NOT BE SAVED.") + QLatin1Char('\n') + error);
        return false;
    }
    m_library = names;
    return true;
}

bool ProfileCommands::fileOperationFailed(const QString &text)
{
    m_host->showMessage(MirtMessageBox::kWarning, text);
    return false;
}

bool ProfileCommands::libraryFull()
{
    if (m_library.size() < AppConfig::kProfileLibraryMax)
        return false;
    m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgLibraryFull));
    return true;
}

// Reads the library file of NAME into the current slot's record; on failure
// the record is left as it was and the user is told.
bool ProfileCommands::loadIntoCurrentSlot(const QString &name)
{
    QString error;
    const QString path = ProfileStore::libraryProfilePath(m_model, name, &error);
    ProfileData profile;
    if (path.isEmpty() || !ProfileStore::readProfileSection(0, profile, path, &error)) {
        m_host->showMessage(MirtMessageBox::kWarning,
                            tr("THE PROFILE FILE COULD NOT BE READ.") + QLatin1Char('\n') + error);
        return false;
    }
    profile.ProfileName = name;
    profile.ProfilePath = path;
    m_host->currentSet().current() = profile;
    return true;
}

void ProfileCommands::bindToCurrentSlot(const QString &name)
{
    ProfileSet &set = m_host->currentSet();
    set.names[set.ProfileID < kProfileCount ? set.ProfileID : 0] = name;
    set.current().ProfileName = name;
}

void ProfileCommands::bindLibraryProfile(const QString &name)
{
    ProfileSet &set = m_host->currentSet();
    const int slot = set.ProfileID < kProfileCount ? set.ProfileID : 0;
    for (int i = 0; i < kProfileCount; ++i) {
        if (i != slot && set.names[i] == name) {
            m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgAlreadyUsed));
            return;
        }
    }
    if (!loadIntoCurrentSlot(name))
        return;
    bindToCurrentSlot(name);
    m_host->showProfileName(name);
    m_host->fillPages();
}

void ProfileCommands::addProfile()
{
    if (libraryFull())
        return;
    // The first "Profile n" that is neither a library file nor the name of a
    // slot (a slot name not yet in the library must not be bound twice).
    QString name;
    for (int n = 1;; ++n) {
        name = QStringLiteral("Profile %1").arg(n);
        if (!nameTaken(name))
            break;
    }
    const QString target = libraryFile(name);
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString templ = libraryFile(QString::fromLatin1(kTemplateName));
    QString error;
    bool created = false;
    if (QFile::exists(templ)) {
        created = QFile::copy(templ, target);
        if (!created)
            error = QFile(templ).errorString();
    } else {
        // No template in the library: build the factory profile.
        ProfileData profile;
        ProfileDefaults::buildDefaultProfile(profile);
        profile.ProfileName = name;
        created = ProfileStore::writeProfileSection(0, profile, target, &error);
    }
    if (!created) {
        QFile::remove(target);
        fileOperationFailed(tr("THE PROFILE FILE COULD NOT BE CREATED.") + QLatin1Char('\n') + error);
        return;
    }
    if (!appendToLibrary(name, target))
        return;
    rebuildLibraryMenu();
    emit libraryChanged();
    if (loadIntoCurrentSlot(name)) {
        bindToCurrentSlot(name);
        m_host->showProfileName(name);
        m_host->fillPages();
    }
}

void ProfileCommands::copyProfile()
{
    if (libraryFull())
        return;
    ProfileSet &set = m_host->currentSet();
    const QString base = currentSlotName();
    QString name = base + QStringLiteral(" copy");
    for (int n = 2; nameTaken(name); ++n)
        name = base + QStringLiteral(" copy") + QString::number(n);
    QString error;
    const QString target = ProfileStore::libraryProfilePath(m_model, name, &error);
    if (target.isEmpty()) {
        fileOperationFailed(error);
        return;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString source = libraryFile(base);
    bool copied;
    if (!source.isEmpty() && QFile::exists(source)) {
        QFile file(source);
        copied = file.copy(target);
        if (!copied)
            error = file.errorString();
    } else {
        // The slot's profile has no library file (yet): copy what is shown.
        ProfileData profile = set.current();
        profile.ProfileName = name;
        copied = ProfileStore::writeProfileSection(0, profile, target, &error);
    }
    if (!copied) {
        QFile::remove(target);
        fileOperationFailed(tr("THE PROFILE COULD NOT BE COPIED.") + QLatin1Char('\n') + error);
        return;
    }
    if (!appendToLibrary(name, target))
        return;
    bindToCurrentSlot(name);
    set.current().ProfilePath = target;
    m_host->showProfileName(name);
    rebuildLibraryMenu();
    emit libraryChanged();
}

void ProfileCommands::deleteProfile()
{
    if (m_library.size() <= 1) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgRetain));
        return;
    }
    const QString name = currentSlotName();
    if (isDefaultProfileName(name)) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgDefault));
        return;
    }
    const int k = m_library.indexOf(name);
    if (k < 0) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgNotInLibrary));
        return;
    }
    if (m_host->showMessage(MirtMessageBox::kQuestion, tr(kMsgAskDelete)) != QDialog::Accepted)
        return;

    // The replacement: the next entry (the previous one for the last entry),
    // moving towards the start past entries bound to other slots. When that
    // walk runs off the start, the entries after the deleted one are tried.
    ProfileSet &set = m_host->currentSet();
    const int slot = set.ProfileID < kProfileCount ? set.ProfileID : 0;
    auto boundElsewhere = [&](int index) {
        for (int i = 0; i < kProfileCount; ++i) {
            if (i != slot && set.names[i] == m_library[index])
                return true;
        }
        return false;
    };
    int candidate = k + 1 < m_library.size() ? k + 1 : k - 1;
    while (candidate >= 0 && (candidate == k || boundElsewhere(candidate)))
        --candidate;
    if (candidate < 0) {
        for (candidate = k + 1; candidate < m_library.size() && boundElsewhere(candidate); ++candidate) {
        }
        if (candidate >= m_library.size()) {
            m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgAllBound));
            return;
        }
    }
    const QString replacement = m_library[candidate];

    // Read the replacement before anything changes, so a failure keeps all.
    QString error;
    ProfileData replacementProfile;
    const QString replacementPath = libraryFile(replacement);
    if (!ProfileStore::readProfileSection(0, replacementProfile, replacementPath, &error)) {
        fileOperationFailed(tr("THE PROFILE FILE COULD NOT BE READ.") + QLatin1Char('\n') + error);
        return;
    }
    const QStringList oldList = m_library;
    QStringList names = m_library;
    names.removeAt(k);
    if (!saveLibrary(names))
        return;
    const QString path = libraryFile(name);
    if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path)) {
        const QString reason = QFile(path).errorString();
        saveLibrary(oldList);
        fileOperationFailed(tr("THE PROFILE FILE COULD NOT BE DELETED.") + QLatin1Char('\n') + reason);
        return;
    }
    replacementProfile.ProfileName = replacement;
    replacementProfile.ProfilePath = replacementPath;
    set.current() = replacementProfile;
    bindToCurrentSlot(replacement);
    m_host->showProfileName(replacement);
    rebuildLibraryMenu();
    emit libraryChanged();
    m_host->fillPages();
}

void ProfileCommands::renameProfile(const QString &newName)
{
    ProfileSet &set = m_host->currentSet();
    const QString oldName = currentSlotName();
    if (newName == oldName)
        return;
    if (isDefaultProfileName(oldName)) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgDefault));
        m_host->showProfileName(oldName);
        return;
    }
    QString error;
    if (!Paths::isSafeName(newName, &error)) {
        m_host->showMessage(MirtMessageBox::kWarning,
                            tr("THIS NAME CANNOT BE USED FOR A PROFILE.") + QLatin1Char('\n') + error);
        m_host->showProfileName(oldName);
        return;
    }
    const QString target = ProfileStore::libraryProfilePath(m_model, newName, &error);
    if (target.isEmpty()) {
        m_host->showMessage(MirtMessageBox::kWarning, error);
        m_host->showProfileName(oldName);
        return;
    }
    if (nameTaken(newName)) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgExist));
        m_host->showProfileName(oldName);
        return;
    }
    const QString source = libraryFile(oldName);
    const bool hadSource = !source.isEmpty() && QFile::exists(source);
    bool moved;
    if (hadSource) {
        moved = QFile::rename(source, target);
        if (!moved)
            error = QFile(source).errorString();
    } else {
        ProfileData profile = set.current();
        profile.ProfileName = newName;
        QDir().mkpath(QFileInfo(target).absolutePath());
        moved = ProfileStore::writeProfileSection(0, profile, target, &error);
    }
    if (!moved) {
        fileOperationFailed(tr("THE PROFILE COULD NOT BE RENAMED.") + QLatin1Char('\n') + error);
        m_host->showProfileName(oldName);
        return;
    }
    QStringList names = m_library;
    const int k = names.indexOf(oldName);
    if (k >= 0)
        names[k] = newName;
    else
        names.append(newName);
    if (!saveLibrary(names)) {
        if (hadSource)
            QFile::rename(target, source);
        else
            QFile::remove(target);
        m_host->showProfileName(oldName);
        return;
    }
    // The slot's own file (Configs/Profile/NAME.prof) follows the name.
    const QString slotOld = ProfileStore::slotProfilePath(oldName);
    const QString slotNew = ProfileStore::slotProfilePath(newName);
    if (!slotOld.isEmpty() && !slotNew.isEmpty() && QFile::exists(slotOld) && !QFile::exists(slotNew))
        QFile::rename(slotOld, slotNew);
    bindToCurrentSlot(newName);
    set.current().ProfilePath = target;
    m_host->showProfileName(newName);
    AppConfig::saveSlotNames(set);
    rebuildLibraryMenu();
    emit libraryChanged();
}

void ProfileCommands::resetProfile()
{
    if (m_host->showMessage(MirtMessageBox::kQuestion, tr(kMsgAskReset)) != QDialog::Accepted)
        return;
    ProfileSet &set = m_host->currentSet();
    qCDebug(lcApp, "Accepted %d", set.ProfileID);
    ProfileData &record = set.current();
    const QString name = record.ProfileName;
    const QString path = record.ProfilePath;
    ProfileDefaults::buildDefaultProfile(record);
    record.ProfileName = name;
    record.ProfilePath = path;
    m_host->retranslate();
    m_host->fillPages();
    m_host->showProfileName(currentSlotName());
    writeWithProgress();
}

void ProfileCommands::resetAllProfiles()
{
    if (m_host->showMessage(MirtMessageBox::kQuestion, tr(kMsgAskResetAll)) != QDialog::Accepted)
        return;
    ProfileSet &set = m_host->currentSet();
    ProfileDefaults::resetAllProfiles(set);
    for (int i = 0; i < kProfileCount; ++i)
        set.profiles[i].ProfileName = set.names[i];
    m_host->fillPages();
    m_host->showProfileName(currentSlotName());
    writeWithProgress();
}

void ProfileCommands::exportProfile()
{
    QString path = m_host->saveFileName(tr("Save Profile File"), tr("Profile File(*.prof)"));
    if (path.isEmpty())
        return;
    path = withSuffix(path, QString::fromLatin1(kProfileSuffix));
    // What the user sees is exported, through a temporary file beside the target.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    QString error;
    ProfileData profile = m_host->currentSet().current();
    bool ok = ProfileStore::writeProfileSection(0, profile, part, &error) &&
              ProfileStore::writeExportModelName(part, m_model, &error);
    if (ok && QFile::exists(path) && !QFile::remove(path)) {
        error = QFile(path).errorString();
        ok = false;
    }
    if (ok && !QFile::rename(part, path)) {
        error = tr("cannot write %1").arg(path);
        ok = false;
    }
    if (!ok) {
        QFile::remove(part);
        fileOperationFailed(tr("THE PROFILE FILE COULD NOT BE SAVED.") + QLatin1Char('\n') + error);
    }
}

void ProfileCommands::importProfile()
{
    const QString file = m_host->openFileName(tr("Load Profile File"), tr("Profile File(*.prof)"));
    if (file.isEmpty())
        return;
    if (ProfileStore::readExportModelName(file) != m_model) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgNotMatch));
        return;
    }
    const QString name = QFileInfo(file).completeBaseName();
    QString error;
    if (!Paths::isSafeName(name, &error) || name == QLatin1String(kTemplateName)) {
        m_host->showMessage(MirtMessageBox::kWarning,
                            tr("THIS NAME CANNOT BE USED FOR A PROFILE.") + QLatin1Char('\n') + error);
        return;
    }
    const QString target = ProfileStore::libraryProfilePath(m_model, name, &error);
    if (target.isEmpty()) {
        m_host->showMessage(MirtMessageBox::kWarning, error);
        return;
    }
    if (nameTaken(name)) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgExist));
        return;
    }
    if (libraryFull())
        return;
    // Read it whole first: a file that cannot be read changes nothing.
    ProfileData profile;
    if (!ProfileStore::readProfileSection(0, profile, file, &error)) {
        fileOperationFailed(tr("THE PROFILE FILE COULD NOT BE READ.") + QLatin1Char('\n') + error);
        return;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!replaceFile(file, target, &error)) {
        fileOperationFailed(tr("THE PROFILE FILE COULD NOT BE COPIED.") + QLatin1Char('\n') + error);
        return;
    }
    if (!appendToLibrary(name, target))
        return;
    rebuildLibraryMenu();
    emit libraryChanged();

    ProfileSet &set = m_host->currentSet();
    const int slot = set.ProfileID < kProfileCount ? set.ProfileID : 0;
    profile.ProfileName = name;
    profile.ProfilePath = target;
    // LED options of a profile file are kept by the slot.
    set.current() = profile;
    set.names[slot] = name;
    m_host->fillPages();
    m_host->showProfileName(name);
    writeWithProgress();
}

void ProfileCommands::exportConfiguration()
{
    QString path = m_host->saveFileName(tr("Save Config File"), tr("Config File(*.conf)"));
    if (path.isEmpty())
        return;
    path = withSuffix(path, QString::fromLatin1(kConfigSuffix));
    QString error;
    if (!ProfileStore::exportConfiguration(m_host->currentSet(), path, m_model, &error))
        fileOperationFailed(tr("THE CONFIGURATION FILE COULD NOT BE SAVED.") + QLatin1Char('\n') + error);
}

void ProfileCommands::importConfiguration()
{
    const QString file = m_host->openFileName(tr("Load Config File"), tr("Config File(*.conf)"));
    if (file.isEmpty())
        return;
    if (ProfileStore::readExportModelName(file) != m_model) {
        m_host->showMessage(MirtMessageBox::kWarning, tr(kMsgNotMatch));
        return;
    }
    ProfileSet imported = m_host->currentSet();
    QString error;
    if (!ProfileStore::importConfiguration(imported, file, m_model, &error)) {
        fileOperationFailed(tr("THE CONFIGURATION FILE COULD NOT BE READ.") + QLatin1Char('\n') + error);
        return;
    }
    for (int i = 0; i < kProfileCount; ++i) {
        imported.profiles[i].ProfileName = imported.names[i];
        imported.profiles[i].ProfilePath = libraryFile(imported.names[i]);
    }
    m_host->currentSet() = imported;
    m_host->configurationImported();
    m_host->fillPages();
    m_host->showProfileName(currentSlotName());
    writeWithProgress();
}

void ProfileCommands::apply()
{
    m_host->collectPages();
    writeWithProgress();
}

void ProfileCommands::ok()
{
    m_host->collectPages();
    const int result = writeWithProgress();
    // A failed write keeps the window open with the user's edits.
    if (result == kSendOk || result == kResultMacrosNotWritten)
        m_host->hideWindow();
}

void ProfileCommands::cancel()
{
    m_host->hideWindow();
    // The sensor settings and the lift distance belong to the whole set: back
    // to what was last written to the mouse.
    ProfileSet &set = m_host->currentSet();
    const ProfileSet &sent = m_host->lastSentSet();
    set.AngleValue = sent.AngleValue;
    set.LiftHigh = sent.LiftHigh;
    set.Sync = sent.Sync;
    set.Jitter = sent.Jitter;
    set.Debounce = sent.Debounce;
    const QString path = libraryFile(currentSlotName());
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        m_host->reloadCurrentProfile();
    } else {
        // No library file to go back to (a slot never applied): the record as
        // it was last written to the mouse, rather than an empty one.
        const int slot = set.ProfileID < kProfileCount ? set.ProfileID : 0;
        set.profiles[slot] = sent.profiles[slot];
        set.profiles[slot].ProfileName = set.names[slot];
        m_host->fillPages();
    }
    // The desktop's pointer speed follows the restored profile.
    m_host->pointerSpeedRestored();
}

int ProfileCommands::writeWithProgress()
{
    // Every write (apply, OK, reset, imports) runs with the poller stopped:
    // no status report lands between the begin and end blocks, and no status
    // slot changes the set while the worker reads it.
    m_host->stopPoller();
    ProfileSet &set = m_host->currentSet();
    ProfileSet &lastSent = m_host->lastSentSet();
    // Each slot's profile also goes into its library file, so the library
    // (and a later "Cancel" or bind) holds what was applied: the slots whose
    // record changed since the last write, and names new to the library.
    QStringList names = m_library;
    QVector<int> toSave;
    for (int i = 0; i < kProfileCount; ++i) {
        const QString &name = set.names[i];
        if (name.isEmpty() || libraryFile(name).isEmpty())
            continue;
        if (!names.contains(name)) {
            if (names.size() >= AppConfig::kProfileLibraryMax)
                continue;
            names.append(name);
            toSave.append(i);
        } else if (set.profiles[i] != lastSent.profiles[i]) {
            toSave.append(i);
        }
    }
    if (names != m_library && saveLibrary(names)) {
        rebuildLibraryMenu();
        emit libraryChanged();
    }

    // The files are written on the worker thread, behind the progress dialog,
    // which keeps the set from being edited meanwhile.
    auto failures = std::make_shared<QStringList>();
    ProfileSet *current = &set;
    ProfileSet *sent = &lastSent;
    const QString model = m_model;
    WriteFunction write = m_write;
    auto pending = std::make_shared<QVector<int>>(toSave);
    auto job = [write, current, sent, model, pending, failures]() {
        for (int i : qAsConst(*pending)) {
            QString error;
            const QString path = ProfileStore::libraryProfilePath(model, current->names[i], &error);
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (!ProfileStore::writeProfileSection(0, current->profiles[i], path, &error))
                failures->append(current->names[i] + QStringLiteral(": ") + error);
        }
        pending->clear(); // a retry only sends again
        return write(*current, *sent);
    };
    for (;;) {
        const int result = m_host->runWithProgress(job);
        m_lastWriteResult = result;
        qCDebug(lcApp, "write result %d", result);
        if (!failures->isEmpty()) {
            m_host->showMessage(MirtMessageBox::kWarning, tr("THE PROFILE LIBRARY COULD NOT BE UPDATED.") +
                                                              QLatin1Char('\n') +
                                                              failures->join(QLatin1Char('\n')));
            failures->clear();
        }
        if (result == kSendOk || result == kResultMacrosNotWritten) {
            m_host->startPoller();
            if (result == kResultMacrosNotWritten)
                m_host->showMessage(MirtMessageBox::kWarning, writeFailureText(result));
            return result;
        }
        // "Yes" tries again (the whole set, as "Config/Diff" is now 1);
        // "No" keeps the edits for a later apply.
        if (m_host->showMessage(MirtMessageBox::kQuestion, writeFailureText(result)) != QDialog::Accepted)
            return result;
    }
}
