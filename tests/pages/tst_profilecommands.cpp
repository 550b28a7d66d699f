// The profile area's commands against a temporary configuration folder: what
// the library commands show and ask (the file work itself is tested with the
// library in storage), reset, the configuration export/import, and the write
// with its messages, including a real write to the simulated mouse.

#include "AppConfig.h"
#include "DeviceLink.h"
#include "Paths.h"
#include "ProfileCommands.h"
#include "ProfileDefaults.h"
#include "ProfileLibrary.h"
#include "ProfileStore.h"
#include "ProfileWriter.h"
#include "ProtocolConstants.h"
#include "ShippedModel.h"
#include "SimulatedHidBackend.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

const QString kModel = QString::fromLatin1(kShippedProductName);

class FakeHost : public ProfileCommandHost
{
public:
    struct Message
    {
        int kind;
        QString text;
    };

    ProfileSet current;
    ProfileSet lastSent;
    QWidget window;
    QList<Message> messages;
    QList<int> answers; // answers to kind-1 boxes, in order
    int defaultAnswer = QDialog::Accepted;
    QString saveName;
    QString openName;
    QString shownName;
    bool realProgress = false;
    int fills = 0, stops = 0, starts = 0, hides = 0, reloads = 0, imports = 0, retranslates = 0, collects = 0,
        progressRuns = 0;

    ProfileSet &currentSet() override { return current; }
    ProfileSet &lastSentSet() override { return lastSent; }
    QWidget *dialogParent() override { return &window; }
    void stopPoller() override
    {
        ++stops;
        polling = false;
    }
    void startPoller() override
    {
        ++starts;
        polling = true;
    }
    bool polling = true;
    void collectPages() override { ++collects; }
    void fillPages() override { ++fills; }
    void showProfileName(const QString &name) override { shownName = name; }
    void retranslate() override { ++retranslates; }
    void configurationImported() override { ++imports; }
    void hideWindow() override { ++hides; }
    void reloadCurrentProfile() override { ++reloads; }

    int showMessage(int kind, const QString &text) override
    {
        messages.append({kind, text});
        if (kind == 1)
            return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
        return QDialog::Accepted;
    }
    QString saveFileName(const QString &, const QString &) override { return saveName; }
    QString openFileName(const QString &, const QString &) override { return openName; }
    int runWithProgress(const std::function<int()> &job) override
    {
        ++progressRuns;
        return realProgress ? ProfileCommandHost::runWithProgress(job) : job();
    }

    // The import questions and reports.
    QList<NameClash> clashAnswers; // in order; Skip when none is left
    QStringList clashNames;
    QList<bool> incompleteAnswers; // "No" when none is left
    QStringList incompleteTexts;
    QStringList reports;
    QStringList reportDetails;
    NameClash askNameClash(const QString &name) override
    {
        clashNames << name;
        return clashAnswers.isEmpty() ? NameClash::Skip : clashAnswers.takeFirst();
    }
    bool askLoadIncomplete(const QString &text, const QString &) override
    {
        incompleteTexts << text;
        return !incompleteAnswers.isEmpty() && incompleteAnswers.takeFirst();
    }
    void showReport(const QString &summary, const QString &details) override
    {
        reports << summary;
        reportDetails << details;
    }

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
};

// A library profile whose report rate and first DPI value tell it apart.
ProfileData markedProfile(int marker)
{
    ProfileData p;
    ProfileDefaults::buildDefaultProfile(p);
    p.pollrate = quint8(marker);
    p.DPI_INFO[0].x = p.DPI_INFO[0].y = 100 + marker;
    return p;
}

int markerOf(const ProfileData &p)
{
    return p.pollrate;
}

} // namespace

class TestProfileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addAndCopyShowTheNewName();
    void libraryFailuresAreShown();
    void deleteAsksAndShowsReplacement();
    void renameRefusedAndAccepted();
    void bindLibraryProfile();
    void resetOneAndAll();
    void exportImportConfigurationRoundTrip();
    void importOfAnotherModelRefused();
    void importConfigurationAsksBeforeReplacingLibraryProfiles();
    void incompleteConfigurationIsLoadedOnlyWhenAsked();
    void importProfile();
    void writeFailureKeepsEditsAndRetries();
    void macrosNotWrittenIsReported();
    void okAndCancel();
    void applyToSimulatedMouse();

private:
    void makeLibrary(const QStringList &names, bool withTemplate = true);
    void bindSlots(const QStringList &names);
    QString libFile(const QString &name) const { return ProfileStore::libraryProfilePath(kModel, name); }
    ProfileData readLib(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<ProfileCommands> m_commands;
    QList<int> m_writeResults;
    int m_writes = 0;
    int m_writesWhilePolling = 0;
};

void TestProfileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Paths::setConfigDir(m_dir->path());
    QSettings(AppConfig::globalConfigFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("MouseSenSor/1"), kShippedSensorModel);
    m_host = std::make_unique<FakeHost>();
    ProfileDefaults::buildDefaultSet(m_host->current);
    m_host->lastSent = m_host->current;
    m_commands = std::make_unique<ProfileCommands>(m_host.get());
    m_writeResults.clear();
    m_writes = 0;
    m_writesWhilePolling = 0;
    m_commands->setWriteFunction([this](ProfileSet &current, ProfileSet &lastSent) {
        ++m_writes;
        // Every command writes with the poller stopped (imports included).
        if (m_host->polling)
            ++m_writesWhilePolling;
        lastSent = current;
        const int result = m_writeResults.isEmpty() ? 0 : m_writeResults.takeFirst();
        AppConfig::writeDiff(result == kSendOk || result == kResultMacrosNotWritten ? 0 : 1);
        return result;
    });
}

void TestProfileCommands::cleanup()
{
    QCOMPARE(m_writesWhilePolling, 0);
    m_commands.reset();
    m_host.reset();
    Paths::setConfigDir(QString());
    m_dir.reset();
}

void TestProfileCommands::makeLibrary(const QStringList &names, bool withTemplate)
{
    int marker = 1;
    for (const QString &name : names) {
        QDir().mkpath(QFileInfo(libFile(name)).absolutePath());
        ProfileData p = markedProfile(marker++);
        p.ProfileName = name;
        QVERIFY(ProfileStore::writeProfileSection(0, p, libFile(name)));
    }
    if (withTemplate)
        QVERIFY(ProfileStore::writeProfileSection(0, markedProfile(99),
                                                  libFile(QStringLiteral("DefaultProfile"))));
    QVERIFY(AppConfig::saveProfileList(kModel, names));
    m_commands->setModelName(kModel);
    QCOMPARE(m_commands->library(), names);
}

// Binds the slots to NAMES (slot i gets names[i]) and loads their records.
void TestProfileCommands::bindSlots(const QStringList &names)
{
    for (int i = 0; i < kProfileCount; ++i) {
        m_host->current.names[i] = i < names.size() ? names[i] : ProfileDefaults::defaultSlotName(i);
        if (i < names.size() && QFileInfo(libFile(names[i])).isFile()) {
            QVERIFY(ProfileStore::readProfileSection(0, m_host->current.profiles[i], libFile(names[i])));
            m_host->current.profiles[i].ProfileName = names[i];
        }
    }
}

ProfileData TestProfileCommands::readLib(const QString &name) const
{
    ProfileData p;
    ProfileStore::readProfileSection(0, p, libFile(name));
    return p;
}

void TestProfileCommands::addAndCopyShowTheNewName()
{
    makeLibrary({QStringLiteral("Profile 1"), QStringLiteral("Profile 2"), QStringLiteral("Profile 3")});
    bindSlots({QStringLiteral("Profile 1"), QStringLiteral("Profile 2"), QStringLiteral("Profile 3"),
               QStringLiteral("Work"), QStringLiteral("Play")});
    int changes = 0;
    connect(m_commands.get(), &ProfileCommands::libraryChanged, this, [&changes] { ++changes; });
    m_commands->addProfile();
    QCOMPARE(m_host->current.names[0], QStringLiteral("Profile 4"));
    QCOMPARE(m_host->shownName, QStringLiteral("Profile 4"));
    QCOMPARE(markerOf(m_host->current.profiles[0]), 99); // the template's content
    QCOMPARE(m_host->fills, 1);
    QCOMPARE(m_commands->libraryMenu()->actions().size(), 4);
    QCOMPARE(m_commands->libraryMenu()->actions().last()->text(), QStringLiteral("Profile 4"));

    m_commands->copyProfile();
    QCOMPARE(m_host->shownName, QStringLiteral("Profile 4 copy"));
    QCOMPARE(m_host->fills, 1); // the slot keeps showing its record
    QCOMPARE(m_commands->libraryMenu()->actions().size(), 5);
    QCOMPARE(changes, 2);
    QVERIFY(m_host->messages.isEmpty());
    QCOMPARE(m_writes, 0); // nothing reaches the mouse before apply
}

void TestProfileCommands::libraryFailuresAreShown()
{
    QStringList names;
    for (int i = 0; i < AppConfig::kProfileLibraryMax; ++i)
        names << QStringLiteral("P%1").arg(i);
    QVERIFY(AppConfig::saveProfileList(kModel, names));
    m_commands->setModelName(kModel);
    bindSlots({QStringLiteral("P0")});
    m_commands->addProfile();
    QCOMPARE(m_host->lastText(),
             QStringLiteral("THE PROFILE LIBRARY IS FULL: IT HOLDS AT MOST 200 PROFILES."));
    m_commands->copyProfile();
    QCOMPARE(m_host->messages.size(), 2);

    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Broken")});
    // A profile "file" that can be neither read nor removed: a folder with something in it.
    QVERIFY(QFile::remove(libFile(QStringLiteral("Broken"))));
    QVERIFY(QDir().mkpath(libFile(QStringLiteral("Broken")) + QStringLiteral("/inside")));
    bindSlots({QStringLiteral("Broken")});
    m_commands->copyProfile();
    QVERIFY(m_host->lastText().startsWith(QLatin1String("THE PROFILE COULD NOT BE COPIED.\n")));
    m_commands->deleteProfile();
    QVERIFY(m_host->lastText().startsWith(QLatin1String("THE PROFILE FILE COULD NOT BE DELETED.\n")));
    QCOMPARE(m_host->shownName, QString());
    QCOMPARE(m_host->fills, 0);
    QCOMPARE(m_commands->libraryMenu()->actions().size(), 2);
}

void TestProfileCommands::deleteAsksAndShowsReplacement()
{
    makeLibrary({QStringLiteral("Profile 1")});
    bindSlots({QStringLiteral("Profile 1")});
    m_commands->deleteProfile();
    QCOMPARE(m_host->lastText(), QStringLiteral("AT LEAST ONE PROFILE TO BE RETAINED."));

    makeLibrary({QStringLiteral("Profile 2"), QStringLiteral("Gaming"), QStringLiteral("Other")});
    bindSlots({QStringLiteral("Profile 2")});
    m_commands->deleteProfile();
    QCOMPARE(m_host->lastText(), QStringLiteral("The default Profile cannot be deleted or renamed."));
    bindSlots({QStringLiteral("Stray")});
    m_commands->deleteProfile();
    QCOMPARE(m_host->lastText(), QStringLiteral("THIS PROFILE IS NOT IN THE PROFILE LIBRARY."));
    QCOMPARE(m_host->messages.size(), 3); // refused before the question

    // Asked first; every other entry is bound to another slot.
    bindSlots({QStringLiteral("Gaming"), QStringLiteral("Profile 2"), QStringLiteral("Other")});
    m_commands->deleteProfile();
    QCOMPARE(m_host->messages.at(3).text, QStringLiteral("Are you sure you want delete this profile?"));
    QCOMPARE(m_host->lastText(),
             QStringLiteral("EVERY OTHER PROFILE OF THE LIBRARY IS USED BY ANOTHER SLOT."));
    QCOMPARE(AppConfig::loadProfileList(kModel).size(), 3);
    QCOMPARE(m_host->current.names[0], QStringLiteral("Gaming"));

    // "No" to the question.
    bindSlots({QStringLiteral("Gaming")});
    m_host->messages.clear();
    m_host->answers = {QDialog::Rejected};
    m_commands->deleteProfile();
    QCOMPARE(m_host->messages.size(), 1);
    QVERIFY(QFile::exists(libFile(QStringLiteral("Gaming"))));
    QCOMPARE(m_host->fills, 0);

    m_commands->deleteProfile();
    QCOMPARE(m_host->messages.size(), 2); // the question only
    QCOMPARE(m_host->shownName, QStringLiteral("Other"));
    QCOMPARE(m_host->fills, 1);
    QCOMPARE(m_commands->libraryMenu()->actions().size(), 2);
    QCOMPARE(m_writes, 0);
}

void TestProfileCommands::renameRefusedAndAccepted()
{
    makeLibrary({QStringLiteral("Profile 2"), QStringLiteral("Gaming"), QStringLiteral("Other")});
    bindSlots({QStringLiteral("Profile 2")});
    m_commands->renameProfile(QStringLiteral("Mine"));
    QCOMPARE(m_host->lastText(), QStringLiteral("The default Profile cannot be deleted or renamed."));
    QCOMPARE(m_host->shownName, QStringLiteral("Profile 2"));

    bindSlots({QStringLiteral("Gaming")});
    m_commands->renameProfile(QStringLiteral("Other"));
    QCOMPARE(m_host->lastText(), QStringLiteral("Profile Exist!"));
    QCOMPARE(m_host->shownName, QStringLiteral("Gaming"));
    m_host->shownName.clear();
    m_commands->renameProfile(QStringLiteral("a/b"));
    QVERIFY(m_host->lastText().startsWith(QLatin1String("THIS NAME CANNOT BE USED FOR A PROFILE.\n")));
    QCOMPARE(m_host->shownName, QStringLiteral("Gaming"));
    const int before = m_host->messages.size();
    m_commands->renameProfile(QStringLiteral("Gaming")); // unchanged: nothing to do
    QCOMPARE(m_host->messages.size(), before);

    m_commands->renameProfile(QStringLiteral("Fast"));
    QCOMPARE(m_host->messages.size(), before);
    QCOMPARE(m_host->shownName, QStringLiteral("Fast"));
    QCOMPARE(m_commands->libraryMenu()->actions().at(1)->text(), QStringLiteral("Fast"));
}

void TestProfileCommands::bindLibraryProfile()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office"), QStringLiteral("Third")});
    bindSlots({QStringLiteral("Gaming"), QStringLiteral("Profile 2"), QStringLiteral("Office")});
    m_commands->bindLibraryProfile(QStringLiteral("Office"));
    QCOMPARE(m_host->lastText(), QStringLiteral("Profile is Already Used!"));
    QCOMPARE(m_host->current.names[0], QStringLiteral("Gaming"));
    QCOMPARE(m_host->fills, 0);

    // Through the library menu.
    QAction *third = m_commands->libraryMenu()->actions().at(2);
    QCOMPARE(third->text(), QStringLiteral("Third"));
    third->trigger();
    QCOMPARE(m_host->current.names[0], QStringLiteral("Third"));
    QCOMPARE(markerOf(m_host->current.profiles[0]), 3);
    QCOMPARE(m_host->shownName, QStringLiteral("Third"));
    QCOMPARE(m_host->fills, 1);
    QCOMPARE(m_writes, 0);

    // A library file that cannot be read changes nothing.
    QVERIFY(QFile::remove(libFile(QStringLiteral("Gaming"))));
    m_commands->bindLibraryProfile(QStringLiteral("Gaming"));
    QVERIFY(m_host->lastText().startsWith(QLatin1String("THE PROFILE FILE COULD NOT BE READ.")));
    QCOMPARE(m_host->current.names[0], QStringLiteral("Third"));
}

void TestProfileCommands::resetOneAndAll()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office")});
    bindSlots({QStringLiteral("Gaming"), QStringLiteral("Office")});
    m_host->answers = {QDialog::Rejected};
    m_commands->resetProfile();
    QCOMPARE(markerOf(m_host->current.profiles[0]), 1);
    QCOMPARE(m_writes, 0);

    m_commands->resetProfile();
    ProfileData defaults;
    ProfileDefaults::buildDefaultProfile(defaults);
    QCOMPARE(m_host->current.profiles[0].DPI_INFO, defaults.DPI_INFO);
    QCOMPARE(m_host->current.profiles[0].pollrate, defaults.pollrate);
    QCOMPARE(m_host->current.names[0], QStringLiteral("Gaming"));
    QCOMPARE(m_host->current.profiles[0].ProfileName, QStringLiteral("Gaming"));
    QCOMPARE(markerOf(m_host->current.profiles[1]), 2);
    QCOMPARE(m_host->stops, 1);
    QCOMPARE(m_host->retranslates, 1);
    QCOMPARE(m_writes, 1);
    QCOMPARE(m_host->starts, 1);
    // The library keeps what was applied.
    QCOMPARE(readLib(QStringLiteral("Gaming")).pollrate, defaults.pollrate);

    m_commands->resetAllProfiles();
    for (int i = 0; i < kProfileCount; ++i) {
        QCOMPARE(m_host->current.names[i], QStringLiteral("Profile %1").arg(i + 1));
        QCOMPARE(m_host->current.profiles[i].DPI_INFO, defaults.DPI_INFO);
    }
    QCOMPARE(m_writes, 2);
    QCOMPARE(m_host->shownName, QStringLiteral("Profile 1"));
    // The default names are in the library again.
    QVERIFY(m_commands->library().contains(QStringLiteral("Profile 5")));
    QVERIFY(QFile::exists(libFile(QStringLiteral("Profile 5"))));
}

void TestProfileCommands::exportImportConfigurationRoundTrip()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office")});
    bindSlots({QStringLiteral("Gaming"), QStringLiteral("Office")});
    ProfileSet &set = m_host->current;
    set.ProfileID = 1;
    set.AngleValue = 1;
    set.LiftHigh = 2;
    set.Sync = 1;
    set.Jitter = 1;
    set.Debounce = 17;
    set.profiles[1].DPI_INFO[3].x = 77;
    set.profiles[1].DPI_INFO[3].link = 0;
    set.profiles[4].scrollspeed = 9;
    const ProfileSet exported = set;

    QTemporaryDir outside;
    m_host->saveName = outside.path() + QStringLiteral("/mine"); // no suffix typed
    m_commands->exportConfiguration();
    QVERIFY(m_host->messages.isEmpty());
    const QString file = outside.path() + QStringLiteral("/mine.conf");
    QVERIFY(QFile::exists(file));

    // A clean configuration folder and a fresh window.
    cleanup();
    init();
    m_commands->setModelName(kModel);
    m_host->openName = file;
    m_commands->importConfiguration();
    QVERIFY2(m_host->messages.isEmpty(), qPrintable(m_host->lastText()));
    QCOMPARE(m_host->imports, 1);
    QCOMPARE(m_writes, 1);
    ProfileSet got = m_host->current;
    ProfileSet want = exported;
    for (int i = 0; i < kProfileCount; ++i) {
        got.profiles[i].ProfilePath.clear();
        want.profiles[i].ProfilePath.clear();
        // A configuration file carries neither the LED options (they stay
        // with the slot) nor a record name apart from the slot name.
        want.profiles[i].LedMoveOFF = got.profiles[i].LedMoveOFF;
        want.profiles[i].LedSleepTime = got.profiles[i].LedSleepTime;
        want.profiles[i].ProfileName = want.names[i];
    }
    QCOMPARE(got.ProfileID, want.ProfileID);
    QCOMPARE(got.names, want.names);
    QVERIFY(got.profiles == want.profiles);
    QCOMPARE(got.Debounce, quint8(17));
    QVERIFY(got == want);
    // The imported names are library profiles of this folder now.
    QVERIFY(m_commands->library().contains(QStringLiteral("Office")));
    QCOMPARE(readLib(QStringLiteral("Office")).DPI_INFO[3].x, 77);
}

void TestProfileCommands::importOfAnotherModelRefused()
{
    makeLibrary({QStringLiteral("Gaming")});
    bindSlots({QStringLiteral("Gaming")});
    QTemporaryDir outside;
    const QString conf = outside.path() + QStringLiteral("/other.conf");
    QVERIFY(ProfileStore::exportConfiguration(m_host->current, conf, QStringLiteral("SOMEOTHER")));
    m_host->current.profiles[0].pollrate = 8; // an unapplied edit stays
    m_host->openName = conf;
    m_commands->importConfiguration();
    QCOMPARE(m_host->lastText(), QStringLiteral("The file is not match current mouse!"));
    QCOMPARE(m_host->current.profiles[0].pollrate, quint8(8));
    QCOMPARE(m_writes, 0);

    const QString prof = outside.path() + QStringLiteral("/Foreign.prof");
    QVERIFY(ProfileStore::writeProfileSection(0, markedProfile(4), prof));
    QVERIFY(ProfileStore::writeExportModelName(prof, QStringLiteral("SOMEOTHER")));
    m_host->openName = prof;
    m_host->messages.clear();
    m_commands->importProfile();
    QCOMPARE(m_host->lastText(), QStringLiteral("The file is not match current mouse!"));
    QCOMPARE(m_writes, 0);

    // A file far too large is said to be so, not to be another mouse's.
    const QString huge = outside.path() + QStringLiteral("/huge.conf");
    QVERIFY(ProfileStore::exportConfiguration(m_host->current, huge, kModel));
    QVERIFY(QFile(huge).resize(60 * 1024 * 1024)); // sparse
    m_host->openName = huge;
    m_commands->importConfiguration();
    QCOMPARE(m_host->lastText(),
             QStringLiteral("THE FILE IS TOO LARGE TO BE A CONFIGURATION FILE. NOTHING WAS CHANGED."));

    // A profile file cut short: refused unless the user asks for what it holds,
    // and a malformed one refused with a message that says nothing changed.
    const QString cut = outside.path() + QStringLiteral("/Cut.prof");
    QVERIFY(ProfileLibrary(kModel).exportProfile(markedProfile(4), cut).ok());
    QFile f(cut);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(f.size() / 2));
    f.close();
    m_host->openName = cut;
    m_host->messages.clear();
    m_commands->importProfile();
    QCOMPARE(m_host->incompleteTexts.size(), 1);
    QVERIFY2(m_host->incompleteTexts.first().contains(QLatin1String("PROFILE_0")),
             qPrintable(m_host->incompleteTexts.first()));
    QVERIFY(m_host->messages.isEmpty());
    QVERIFY(!QFile::exists(libFile(QStringLiteral("Cut"))));
    {
        QFile malformed(cut);
        QVERIFY(malformed.open(QIODevice::Append));
        malformed.write("\n[PROFILE_0\n");
    }
    m_commands->importProfile();
    QVERIFY2(
        m_host->lastText().startsWith(QLatin1String("THE PROFILE FILE WAS REFUSED. NOTHING WAS CHANGED.")),
        qPrintable(m_host->lastText()));
    QVERIFY(!m_host->lastText().contains(QLatin1String("factory")));
    QCOMPARE(m_writes, 0);
    QCOMPARE(m_host->current.profiles[0].pollrate, quint8(8));
}

void TestProfileCommands::importConfigurationAsksBeforeReplacingLibraryProfiles()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office")});
    bindSlots({QStringLiteral("Office")});
    // A configuration whose second slot holds another profile named Gaming,
    // a library profile no slot uses.
    ProfileSet other = m_host->current;
    other.names[1] = QStringLiteral("Gaming");
    other.profiles[1] = markedProfile(50);
    QTemporaryDir outside;
    const QString conf = outside.path() + QStringLiteral("/other.conf");
    QVERIFY(ProfileStore::exportConfiguration(other, conf, kModel));
    m_host->openName = conf;

    // Skip: the library keeps its Gaming, and the slot shows it.
    m_commands->importConfiguration();
    QCOMPARE(m_host->clashNames, QStringList{QStringLiteral("Gaming")});
    QCOMPARE(m_writes, 1);
    QCOMPARE(markerOf(readLib(QStringLiteral("Gaming"))), 1);
    QCOMPARE(m_host->current.names[1], QStringLiteral("Gaming"));
    QCOMPARE(markerOf(m_host->current.profiles[1]), 1);

    // Keep both: the file's profile under a new name beside it.
    m_host->clashAnswers = {ProfileCommandHost::NameClash::KeepBoth};
    m_commands->importConfiguration();
    QCOMPARE(m_host->clashNames.size(), 2);
    QCOMPARE(m_host->current.names[1], QStringLiteral("Gaming (2)"));
    QCOMPARE(markerOf(readLib(QStringLiteral("Gaming (2)"))), 50);
    QCOMPARE(markerOf(readLib(QStringLiteral("Gaming"))), 1);
    QVERIFY(m_commands->library().contains(QStringLiteral("Gaming (2)")));

    // Overwrite: only now is the library's Gaming replaced.
    m_host->clashAnswers = {ProfileCommandHost::NameClash::Overwrite};
    m_commands->importConfiguration();
    QCOMPARE(m_host->clashNames.size(), 3);
    QCOMPARE(m_host->current.names[1], QStringLiteral("Gaming"));
    QCOMPARE(markerOf(readLib(QStringLiteral("Gaming"))), 50);
    QCOMPARE(m_writes, 3);
    QVERIFY2(m_host->messages.isEmpty(), qPrintable(m_host->lastText()));
    QVERIFY(m_host->reports.isEmpty());
}

void TestProfileCommands::incompleteConfigurationIsLoadedOnlyWhenAsked()
{
    makeLibrary({QStringLiteral("Gaming")});
    bindSlots({QStringLiteral("Gaming")});
    QTemporaryDir outside;
    const QString conf = outside.path() + QStringLiteral("/cut.conf");
    ProfileSet other = m_host->current;
    other.profiles[4].pollrate = 3;
    other.profiles[3].pollrate = 4;
    QVERIFY(ProfileStore::exportConfiguration(other, conf, kModel));
    QFile f(conf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    QFile out(conf);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(whole.left(whole.indexOf("BUTTON_INFO_9_", whole.indexOf("[PROFILE_4]"))));
    out.close();
    m_host->openName = conf;
    const ProfileSet before = m_host->current;

    m_commands->importConfiguration(); // "No"
    QCOMPARE(m_host->incompleteTexts.size(), 1);
    QVERIFY2(m_host->incompleteTexts.first().contains(QLatin1String("PROFILE_4")),
             qPrintable(m_host->incompleteTexts.first()));
    QVERIFY(m_host->current == before);
    QCOMPARE(m_writes, 0);
    QVERIFY(!QFile::exists(ProfileStore::slotProfilePath(QStringLiteral("Profile 5"))));

    m_host->incompleteAnswers = {true};
    m_commands->importConfiguration();
    QCOMPARE(m_writes, 1);
    QCOMPARE(m_host->current.profiles[3].pollrate, quint8(4));
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    QCOMPARE(m_host->current.profiles[4].pollrate, factory.pollrate); // past the cut
    // The report of what the load made of it: the one-line summary, the entries on demand.
    QCOMPARE(m_host->reports.size(), 1);
    QVERIFY(m_host->reports.first().contains(QLatin1String("cut.conf")));
    QVERIFY(m_host->reportDetails.first().contains(QLatin1String("PROFILE_4")));
}

void TestProfileCommands::importProfile()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office")});
    bindSlots({QStringLiteral("Gaming")});
    QTemporaryDir outside;

    // What the slot shows is exported; a name typed without suffix gets ".prof".
    m_host->current.profiles[0].DPI_INFO[1].x = 61;
    m_host->saveName = outside.path() + QStringLiteral("/Travel");
    m_commands->exportProfile();
    QVERIFY(m_host->messages.isEmpty());
    m_host->openName = m_host->saveName + QStringLiteral(".prof");
    QCOMPARE(ProfileStore::readExportModelName(m_host->openName), kModel);

    m_commands->importProfile();
    QVERIFY2(m_host->messages.isEmpty(), qPrintable(m_host->lastText()));
    QCOMPARE(m_host->shownName, QStringLiteral("Travel"));
    QCOMPARE(m_host->current.profiles[0].DPI_INFO[1].x, 61);
    QCOMPARE(m_host->fills, 1);
    QCOMPARE(m_commands->libraryMenu()->actions().at(2)->text(), QStringLiteral("Travel"));
    QCOMPARE(m_writes, 1);

    // The same file again: the name exists, and the user says what happens.
    m_commands->importProfile(); // skipped
    QCOMPARE(m_host->clashNames, QStringList{QStringLiteral("Travel")});
    QVERIFY(m_host->messages.isEmpty());
    QCOMPARE(m_writes, 1);
    QCOMPARE(m_host->fills, 1);
    m_host->clashAnswers = {ProfileCommandHost::NameClash::KeepBoth};
    m_commands->importProfile();
    QCOMPARE(m_host->shownName, QStringLiteral("Travel (2)"));
    QCOMPARE(readLib(QStringLiteral("Travel (2)")).DPI_INFO[1].x, 61);
    QCOMPARE(m_writes, 2);
    m_host->current.profiles[0].DPI_INFO[1].x = 62; // not applied: the import replaces it
    QVERIFY(ProfileStore::writeProfileSection(0, markedProfile(5), libFile(QStringLiteral("Travel"))));
    m_host->clashAnswers = {ProfileCommandHost::NameClash::Overwrite};
    m_commands->importProfile();
    QCOMPARE(m_host->shownName, QStringLiteral("Travel"));
    QCOMPARE(readLib(QStringLiteral("Travel")).DPI_INFO[1].x, 61);
    QCOMPARE(m_commands->library().count(QStringLiteral("Travel")), 1);
    QCOMPARE(m_writes, 3);
    QVERIFY(m_host->messages.isEmpty());
    QVERIFY(m_host->reports.isEmpty()); // a file of ours: nothing to report
}

void TestProfileCommands::writeFailureKeepsEditsAndRetries()
{
    makeLibrary({QStringLiteral("Gaming")});
    bindSlots({QStringLiteral("Gaming")});
    m_host->current.profiles[0].pollrate = 2;

    // No device: "Mouse is sleeping or not connected. Try again?", "No" keeps the edits.
    m_writeResults = {kSendNoDevice};
    m_host->answers = {QDialog::Rejected};
    m_commands->apply();
    QCOMPARE(m_host->collects, 1);
    QCOMPARE(m_host->stops, 1);
    QCOMPARE(m_host->messages.size(), 1);
    QCOMPARE(m_host->messages.first().kind, 1);
    QCOMPARE(m_host->lastText(), QStringLiteral("Mouse is sleeping or not connected. Try again?"));
    QCOMPARE(m_commands->lastWriteResult(), int(kSendNoDevice));
    QCOMPARE(m_host->current.profiles[0].pollrate, quint8(2));
    QCOMPARE(AppConfig::readDiff(), 1);
    QCOMPARE(m_host->starts, 0); // polling stays stopped

    // No echo: "Send data failed, please try again."; "Yes" tries again.
    m_host->messages.clear();
    m_writeResults = {kSendRetriesExhausted, kSendOk};
    m_host->answers = {QDialog::Accepted};
    m_commands->apply();
    QCOMPARE(m_host->messages.size(), 1);
    QCOMPARE(m_host->lastText(), QStringLiteral("Send data failed, please try again."));
    QCOMPARE(m_writes, 3);
    QCOMPARE(m_commands->lastWriteResult(), 0);
    QCOMPARE(AppConfig::readDiff(), 0);
    QCOMPARE(m_host->starts, 1);
}

void TestProfileCommands::macrosNotWrittenIsReported()
{
    makeLibrary({QStringLiteral("Gaming")});
    bindSlots({QStringLiteral("Gaming")});
    m_writeResults = {kResultMacrosNotWritten};
    m_commands->apply();
    QCOMPARE(m_host->messages.size(), 1);
    QCOMPARE(m_host->messages.first().kind, 2);
    QVERIFY(m_host->lastText().contains(QLatin1String("MACROS")));
    QCOMPARE(m_host->starts, 1);
}

void TestProfileCommands::okAndCancel()
{
    makeLibrary({QStringLiteral("Gaming")});
    bindSlots({QStringLiteral("Gaming")});
    m_writeResults = {kSendWriteFailed};
    m_host->answers = {QDialog::Rejected};
    m_commands->ok();
    QCOMPARE(m_host->hides, 0); // a failed write keeps the window and its edits
    m_commands->ok();
    QCOMPARE(m_host->hides, 1);
    m_commands->cancel();
    QCOMPARE(m_host->hides, 2);
    QCOMPARE(m_host->reloads, 1);
    QCOMPARE(m_writes, 2);

    // A slot without a library file goes back to what the mouse was last sent.
    m_host->current.names[0] = QStringLiteral("Profile 1");
    m_host->lastSent.profiles[0].pollrate = 4;
    m_host->current.profiles[0].pollrate = 8;
    m_commands->cancel();
    QCOMPARE(m_host->reloads, 1);
    QCOMPARE(m_host->current.profiles[0].pollrate, quint8(4));
    QCOMPARE(m_host->current.profiles[0].ProfileName, QStringLiteral("Profile 1"));
    QCOMPARE(m_host->fills, 1);
}

void TestProfileCommands::applyToSimulatedMouse()
{
    makeLibrary({QStringLiteral("Profile 1")});
    bindSlots({QStringLiteral("Profile 1")});
    // The real write behind the real progress dialog.
    m_commands = std::make_unique<ProfileCommands>(m_host.get());
    m_commands->setModelName(kModel);
    m_host->realProgress = true;

    SimulatedHidBackend sim;
    setHidBackend(&sim);
    LoadDeviceList();
    ScanDevices();
    OpenDevices();

    ProfileSet &set = m_host->current;
    set.profiles[0].DPI_INFO[2].x = set.profiles[0].DPI_INFO[2].y = 300;
    set.profiles[0].pollrate = 2;
    set.Debounce = 11;

    // Unplugged.
    m_host->answers = {QDialog::Rejected};
    m_commands->apply();
    QCOMPARE(m_commands->lastWriteResult(), int(kSendNoDevice));
    QCOMPARE(m_host->lastText(), QStringLiteral("Mouse is sleeping or not connected. Try again?"));
    QCOMPARE(AppConfig::readDiff(), 1);
    QCOMPARE(set.profiles[0].DPI_INFO[2].x, 300);

    // Plugged in: the next apply succeeds.
    sim.plugReceiver(true);
    ScanDevices();
    OpenDevices();
    m_host->messages.clear();
    m_commands->apply();
    QCOMPARE(m_commands->lastWriteResult(), 0);
    QVERIFY2(m_host->messages.isEmpty(), qPrintable(m_host->lastText()));
    QCOMPARE(AppConfig::readDiff(), 0);
    QVERIFY(m_host->lastSent == set);

    // The mouse holds exactly the blocks of the applied set.
    const MouseFirmware firmware = sim.firmwareSnapshot();
    const QVector<Frame> frames = wholeWriteFrames(set, WriteContext::fromConfiguration());
    int compared = 0;
    for (const Frame &frame : frames) {
        const int code = frame[1];
        if (code < 1 || code > 9)
            continue;
        const MouseFirmware::Block &block = firmware.block(firmware.activeProfile(), code);
        QVERIFY2(std::equal(block.begin(), block.end(), frame.begin() + 2),
                 qPrintable(QString::number(code)));
        ++compared;
    }
    QCOMPARE(compared, 8);

    CloseDevices();
    setHidBackend(nullptr);
}

QTEST_MAIN(TestProfileCommands)
#include "tst_profilecommands.moc"
