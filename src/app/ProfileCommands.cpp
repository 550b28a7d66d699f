#include "ProfileCommands.h"

#include "AppConfig.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtMessageBox.h"
#include "MirtProcessDialog.h"
#include "MirtProcessThread.h"
#include "ProfileDefaults.h"
#include "ProfileQuestionBox.h"
#include "ProfileStore.h"
#include "ProtocolConstants.h"
#include "WholeWrite.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QVector>

#include <memory>
#include <utility>

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
// A question: "Yes" tries the write again.
const char *const kMsgSleeping =
    QT_TRANSLATE_NOOP("ProfileCommands", "Mouse is sleeping or not connected. Try again?");
const char *const kMsgLibraryFull =
    QT_TRANSLATE_NOOP("ProfileCommands", "THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES.");
const char *const kMsgAllBound =
    QT_TRANSLATE_NOOP("ProfileCommands", "EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT.");
const char *const kMsgNotInLibrary =
    QT_TRANSLATE_NOOP("ProfileCommands", "THIS PROFILE IS NOT IN THE PROFILE LIBRARY.");

const char *const kMsgNameClash = QT_TRANSLATE_NOOP(
    "ProfileCommands", "A PROFILE NAMED \"%1\" IS ALREADY IN THE LIBRARY. OVERWRITE IT, KEEP "
                       "BOTH (THE IMPORTED ONE UNDER A NEW NAME), OR SKIP THE IMPORTED ONE?");
const char *const kAnswerOverwrite = QT_TRANSLATE_NOOP("ProfileCommands", "Overwrite");
const char *const kAnswerKeepBoth = QT_TRANSLATE_NOOP("ProfileCommands", "Keep both");
const char *const kAnswerSkip = QT_TRANSLATE_NOOP("ProfileCommands", "Skip");
const char *const kAnswerYes = QT_TRANSLATE_NOOP("ProfileCommands", "Yes");
const char *const kAnswerNo = QT_TRANSLATE_NOOP("ProfileCommands", "No");
const char *const kAnswerOk = QT_TRANSLATE_NOOP("ProfileCommands", "Ok");
const char *const kMsgIncomplete = QT_TRANSLATE_NOOP(
    "ProfileCommands", "THE FILE ENDS EARLY OR IS CUT: %1 LACK SETTINGS. NOTHING WAS CHANGED. "
                       "LOAD WHAT IT HOLDS, THE REST AT FACTORY VALUES?");
const char *const kMsgReport = QT_TRANSLATE_NOOP(
    "ProfileCommands", "SETTINGS OF %2 ADJUSTED OR IGNORED WHILE LOADING: %1. THE DETAILS SAY WHICH.");
const char *const kMsgConfTooLarge = QT_TRANSLATE_NOOP(
    "ProfileCommands", "THE FILE IS TOO LARGE TO BE A CONFIGURATION FILE. NOTHING WAS CHANGED.");
const char *const kMsgProfTooLarge =
    QT_TRANSLATE_NOOP("ProfileCommands", "THE FILE IS TOO LARGE TO BE A PROFILE FILE. NOTHING WAS CHANGED.");
const char *const kMsgConfRefused =
    QT_TRANSLATE_NOOP("ProfileCommands", "THE CONFIGURATION FILE WAS REFUSED. NOTHING WAS CHANGED.");
const char *const kMsgProfRefused =
    QT_TRANSLATE_NOOP("ProfileCommands", "THE PROFILE FILE WAS REFUSED. NOTHING WAS CHANGED.");

constexpr const char kProfileSuffix[] = ".prof";
constexpr const char kConfigSuffix[] = ".conf";

// The chosen path with SUFFIX appended when the user typed none.
QString withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + suffix;
}

} // namespace

ProfileCommandHost::~ProfileCommandHost() = default;

int ProfileCommandHost::showMessage(int kind, const QString &text)
{
    MirtMessageBox box(kind, QString(), tr("Warning"), text, dialogParent(), nullptr,
                       Qt::FramelessWindowHint);
    return box.exec();
}

ProfileCommandHost::NameClash ProfileCommandHost::askNameClash(const QString &name)
{
    ProfileQuestionBox box(tr(kMsgNameClash).arg(name),
                           {tr(kAnswerOverwrite), tr(kAnswerKeepBoth), tr(kAnswerSkip)}, dialogParent());
    switch (box.ask()) {
    case 0:
        return NameClash::Overwrite;
    case 1:
        return NameClash::KeepBoth;
    default:
        return NameClash::Skip;
    }
}

bool ProfileCommandHost::askLoadIncomplete(const QString &text, const QString &details)
{
    ProfileQuestionBox box(text, {tr(kAnswerYes), tr(kAnswerNo)}, dialogParent(), details);
    return box.ask() == 0;
}

void ProfileCommandHost::showReport(const QString &summary, const QString &details)
{
    ProfileQuestionBox box(summary, {tr(kAnswerOk)}, dialogParent(), details);
    box.ask();
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
    : QObject(parent), m_host(host), m_libraryMenu(new QMenu()),
      m_saveFailures(std::make_shared<QStringList>())
{
    m_libraryMenu->setObjectName(QStringLiteral("profileLibraryMenu"));
    connect(m_libraryMenu, &QMenu::triggered, this, &ProfileCommands::onLibraryAction);
    m_write = [failures = m_saveFailures](ProfileSet &current, ProfileSet &lastSent) {
        // The poller is stopped and restarted by the commands on the
        // user-interface thread, around the dialog.
        WriteContext context = WriteContext::fromConfiguration();
        context.stopPoller = nullptr;
        context.startPoller = nullptr;
        const WholeWriteOutcome outcome = runWholeWrite(current, lastSent, false, context);
        // Read by the commands once the worker has finished.
        if (!outcome.saveError.isEmpty())
            failures->append(outcome.saveError);
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
    m_library = ProfileLibrary(model);
    rebuildLibraryMenu();
}

QString ProfileCommands::libraryFile(const QString &name) const
{
    return m_library.file(name);
}

bool ProfileCommands::isDefaultProfileName(const QString &name)
{
    return ProfileLibrary::isDefaultName(name);
}

QString ProfileCommands::writeFailureText(int result)
{
    switch (result) {
    case kSendOk:
        return QString();
    case kSendNoDevice:
        return tr(kMsgSleeping);
    case kResultMacrosNotWritten:
    case kResultMacroMissing:
        return wholeWriteMessage(result);
    default:
        return tr(kMsgSendFailed);
    }
}

void ProfileCommands::rebuildLibraryMenu()
{
    m_libraryMenu->clear();
    for (const QString &name : m_library.names()) {
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

QString ProfileCommands::currentSlotName() const
{
    const ProfileSet &set = m_host->currentSet();
    return set.names[set.ProfileID < kProfileCount ? set.ProfileID : 0];
}

void ProfileCommands::showLibraryFailure(const ProfileLibrary::Result &result, const QString &writeText,
                                         const QString &readText)
{
    using Code = ProfileLibrary::Code;
    const QString detail = QLatin1Char('\n') + result.detail;
    QString text;
    switch (result.code) {
    case Code::Ok:
        return;
    case Code::Exists:
        text = tr(kMsgExist);
        break;
    case Code::Full:
        text = tr(kMsgLibraryFull);
        break;
    case Code::NotInLibrary:
        text = tr(kMsgNotInLibrary);
        break;
    case Code::DefaultName:
        text = tr(kMsgDefault);
        break;
    case Code::Retain:
        text = tr(kMsgRetain);
        break;
    case Code::AllBound:
        text = tr(kMsgAllBound);
        break;
    case Code::InUse:
        text = tr(kMsgAlreadyUsed);
        break;
    case Code::OtherModel:
        text = tr(kMsgNotMatch);
        break;
    case Code::TooLarge:
        text = tr(kMsgProfTooLarge);
        break;
    case Code::Incomplete:
        text = tr(kMsgProfRefused) + detail;
        break;
    case Code::ReadFailed:
        text = (readText.isEmpty() ? tr("THE PROFILE FILE COULD NOT BE READ.") : readText) + detail;
        break;
    case Code::WriteFailed:
        text = writeText + detail;
        break;
    case Code::ListNotSaved:
        text = tr("THE PROFILE LIST COULD NOT BE SAVED.") + detail;
        break;
    case Code::BadName:
        text = tr("THIS NAME CANNOT BE USED FOR A PROFILE.") + detail;
        break;
    case Code::BadModel:
        text = result.detail;
        break;
    }
    m_host->showMessage(MirtMessageBox::kWarning, text);
}

void ProfileCommands::libraryListChanged()
{
    rebuildLibraryMenu();
    emit libraryChanged();
}

void ProfileCommands::bindLibraryProfile(const QString &name)
{
    const ProfileLibrary::Result result = m_library.bind(m_host->currentSet(), name);
    if (!result.ok()) {
        showLibraryFailure(result, QString());
        return;
    }
    m_host->showProfileName(name);
    m_host->fillPages();
}

void ProfileCommands::addProfile()
{
    const QString created = tr("THE PROFILE FILE COULD NOT BE CREATED.");
    const ProfileLibrary::Result result = m_library.add(m_host->currentSet());
    if (!result.ok()) {
        showLibraryFailure(result, created, created);
        return;
    }
    libraryListChanged();
    m_host->showProfileName(currentSlotName());
    m_host->fillPages();
}

void ProfileCommands::copyProfile()
{
    const QString copied = tr("THE PROFILE COULD NOT BE COPIED.");
    const ProfileLibrary::Result result = m_library.copy(m_host->currentSet());
    if (!result.ok()) {
        showLibraryFailure(result, copied, copied);
        return;
    }
    m_host->showProfileName(currentSlotName());
    libraryListChanged();
}

void ProfileCommands::deleteProfile()
{
    ProfileSet &set = m_host->currentSet();
    ProfileLibrary::Result result = m_library.canRemove(set);
    if (!result.ok()) {
        showLibraryFailure(result, QString());
        return;
    }
    if (m_host->showMessage(MirtMessageBox::kQuestion, tr(kMsgAskDelete)) != QDialog::Accepted)
        return;
    result = m_library.remove(set);
    if (!result.ok()) {
        showLibraryFailure(result, tr("THE PROFILE FILE COULD NOT BE DELETED."));
        return;
    }
    m_host->showProfileName(currentSlotName());
    libraryListChanged();
    m_host->fillPages();
}

void ProfileCommands::renameProfile(const QString &newName)
{
    const QString oldName = currentSlotName();
    if (newName == oldName)
        return;
    const ProfileLibrary::Result result = m_library.rename(m_host->currentSet(), newName);
    if (!result.ok()) {
        showLibraryFailure(result, tr("THE PROFILE COULD NOT BE RENAMED."));
        m_host->showProfileName(oldName);
        return;
    }
    m_host->showProfileName(newName);
    libraryListChanged();
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
    // What the user sees is exported.
    const ProfileLibrary::Result result = m_library.exportProfile(m_host->currentSet().current(), path);
    if (!result.ok())
        showLibraryFailure(result, tr("THE PROFILE FILE COULD NOT BE SAVED."));
}

void ProfileCommands::importProfile()
{
    const QString file = m_host->openFileName(tr("Load Profile File"), tr("Profile File(*.prof)"));
    if (file.isEmpty())
        return;
    using Code = ProfileLibrary::Code;
    using OnClash = ProfileLibrary::OnClash;
    ProfileLibrary::ImportOptions options;
    ImportReport report;
    for (;;) {
        const ProfileLibrary::Result result =
            m_library.importProfile(m_host->currentSet(), file, options, &report);
        if (result.ok())
            break;
        // Nothing has changed yet: ask, then try again with the answer.
        if (result.code == Code::Incomplete && !options.loadIncomplete) {
            if (!askLoadIncomplete(report))
                return;
            options.loadIncomplete = true;
            continue;
        }
        if (result.code == Code::Exists && options.onClash == OnClash::Refuse) {
            switch (m_host->askNameClash(ProfileLibrary::importName(file))) {
            case ProfileCommandHost::NameClash::Overwrite:
                options.onClash = OnClash::Overwrite;
                continue;
            case ProfileCommandHost::NameClash::KeepBoth:
                options.onClash = OnClash::KeepBoth;
                continue;
            case ProfileCommandHost::NameClash::Skip:
                return;
            }
        }
        showLibraryFailure(result, tr("THE PROFILE FILE COULD NOT BE COPIED."), tr(kMsgProfRefused));
        return;
    }
    libraryListChanged();
    m_host->fillPages();
    m_host->showProfileName(currentSlotName());
    showImportReport(report);
    writeWithProgress();
}

void ProfileCommands::exportConfiguration()
{
    QString path = m_host->saveFileName(tr("Save Config File"), tr("Config File(*.conf)"));
    if (path.isEmpty())
        return;
    path = withSuffix(path, QString::fromLatin1(kConfigSuffix));
    QString error;
    if (!ProfileStore::exportConfiguration(m_host->currentSet(), path, modelName(), &error))
        m_host->showMessage(MirtMessageBox::kWarning,
                            tr("THE CONFIGURATION FILE COULD NOT BE SAVED.") + QLatin1Char('\n') + error);
}

void ProfileCommands::importConfiguration()
{
    const QString file = m_host->openFileName(tr("Load Config File"), tr("Config File(*.conf)"));
    if (file.isEmpty())
        return;
    ProfileSet imported = m_host->currentSet();
    ImportReport report;
    QString error;
    bool loadIncomplete = false;
    while (!ProfileStore::importConfiguration(imported, file, modelName(), &error, &report, loadIncomplete)) {
        if (report.refused() || !report.isIncomplete() || loadIncomplete) {
            showConfigurationRefusal(report, error);
            return;
        }
        if (!askLoadIncomplete(report))
            return;
        loadIncomplete = true;
    }
    // A slot's name that names another profile of the library: the user
    // says whether the file's profile replaces it.
    QSet<QString> overwrite;
    QSet<QString> keep;
    for (int i = 0; i < kProfileCount; ++i) {
        const QString name = imported.names[i];
        ProfileData &record = imported.profiles[i];
        if (!m_library.wouldReplace(name, record))
            continue;
        switch (m_host->askNameClash(name)) {
        case ProfileCommandHost::NameClash::Overwrite:
            overwrite.insert(name);
            break;
        case ProfileCommandHost::NameClash::KeepBoth:
            imported.names[i] = m_library.freeKeepBothName(name, imported);
            break;
        case ProfileCommandHost::NameClash::Skip:
            // The slot takes the library's own profile of that name.
            ProfileStore::readProfileSection(0, record, libraryFile(name));
            keep.insert(name);
            break;
        }
    }
    for (int i = 0; i < kProfileCount; ++i) {
        imported.profiles[i].ProfileName = imported.names[i];
        imported.profiles[i].ProfilePath = libraryFile(imported.names[i]);
    }
    m_host->currentSet() = imported;
    m_host->configurationImported();
    m_host->fillPages();
    m_host->showProfileName(currentSlotName());
    showImportReport(report);
    writeWithProgress(overwrite, keep);
}

bool ProfileCommands::askLoadIncomplete(const ImportReport &report)
{
    QStringList sections;
    for (const ImportReport::Entry &e : report.entries()) {
        if (e.why == ImportReport::Reason::MissingSection || e.why == ImportReport::Reason::MissingKeys)
            sections << e.key;
    }
    return m_host->askLoadIncomplete(tr(kMsgIncomplete).arg(sections.join(QStringLiteral(", "))),
                                     report.lines().join(QLatin1Char('\n')));
}

void ProfileCommands::showImportReport(const ImportReport &report)
{
    if (report.isEmpty())
        return;
    const QString file = QFileInfo(report.entries().first().file).fileName();
    m_host->showReport(tr(kMsgReport).arg(report.entries().size()).arg(file),
                       report.lines().join(QLatin1Char('\n')));
}

void ProfileCommands::showConfigurationRefusal(const ImportReport &report, const QString &error)
{
    QString text;
    switch (report.refusal()) {
    case ImportReport::Refusal::OtherModel:
        text = tr(kMsgNotMatch);
        break;
    case ImportReport::Refusal::TooLarge:
        text = tr(kMsgConfTooLarge);
        break;
    default:
        text = tr(kMsgConfRefused) + QLatin1Char('\n') + error;
        break;
    }
    m_host->showMessage(MirtMessageBox::kWarning, text);
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
    if (wholeWriteReachedEnd(result))
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

int ProfileCommands::writeWithProgress(const QSet<QString> &overwrite, const QSet<QString> &keep)
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
    QStringList names = m_library.names();
    QVector<int> toSave;
    for (int i = 0; i < kProfileCount; ++i) {
        const QString &name = set.names[i];
        if (name.isEmpty() || libraryFile(name).isEmpty())
            continue;
        if (keep.contains(name)) {
            // The user kept the library's own file: listed, never written over.
            if (!names.contains(name) && names.size() < AppConfig::kProfileLibraryMax)
                names.append(name);
            continue;
        }
        if (!names.contains(name)) {
            if (names.size() >= AppConfig::kProfileLibraryMax)
                continue;
            names.append(name);
            toSave.append(i);
        } else if (overwrite.contains(name) || set.profiles[i] != lastSent.profiles[i]) {
            toSave.append(i);
        }
    }
    if (names != m_library.names()) {
        const ProfileLibrary::Result saved = m_library.setNames(names);
        if (saved.ok())
            libraryListChanged();
        else
            showLibraryFailure(saved, QString());
    }

    // The files are written on the worker thread, behind the progress dialog.
    // The job works on copies it is handed: nothing the window holds changes
    // under it, and the last-sent copy is taken back once it has finished.
    struct JobState
    {
        ProfileSet current;
        ProfileSet sent;
        QVector<int> pending;
        QStringList libraryFailures;
    };
    auto state = std::make_shared<JobState>();
    state->current = set;
    state->sent = lastSent;
    state->pending = toSave;
    const QString model = modelName();
    WriteFunction write = m_write;
    auto job = [write, state, model]() {
        for (int i : qAsConst(state->pending)) {
            QString error;
            const QString path = ProfileStore::libraryProfilePath(model, state->current.names[i], &error);
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (!ProfileStore::writeProfileSection(0, state->current.profiles[i], path, &error))
                state->libraryFailures.append(state->current.names[i] + QStringLiteral(": ") + error);
        }
        state->pending.clear(); // a retry only sends again
        return write(state->current, state->sent);
    };
    for (;;) {
        m_saveFailures->clear();
        const int result = m_host->runWithProgress(job);
        m_host->lastSentSet() = state->sent;
        m_lastWriteResult = result;
        qCDebug(lcApp, "write result %d", result);
        if (!state->libraryFailures.isEmpty()) {
            m_host->showMessage(MirtMessageBox::kWarning, tr("THE PROFILE LIBRARY COULD NOT BE UPDATED.") +
                                                              QLatin1Char('\n') +
                                                              state->libraryFailures.join(QLatin1Char('\n')));
            state->libraryFailures.clear();
        }
        if (!m_saveFailures->isEmpty()) {
            // The mouse may hold the settings, but the next start would load the old files.
            m_host->showMessage(
                MirtMessageBox::kWarning,
                tr("THE SETTINGS COULD NOT BE SAVED: THE NEXT START WOULD LOAD THE OLD ONES.") +
                    QLatin1Char('\n') + m_saveFailures->join(QLatin1Char('\n')));
            m_saveFailures->clear();
        }
        if (wholeWriteReachedEnd(result)) {
            m_host->startPoller();
            if (result != kSendOk)
                m_host->showMessage(MirtMessageBox::kWarning, writeFailureText(result));
            return result;
        }
        // "Yes" tries again (the whole set, as "Config/Diff" is now 1);
        // "No" keeps the edits for a later apply.
        if (m_host->showMessage(MirtMessageBox::kQuestion, writeFailureText(result)) != QDialog::Accepted)
            return result;
    }
}
