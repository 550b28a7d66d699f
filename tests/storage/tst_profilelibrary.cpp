// The profile library's file and list work: free names, the full library,
// the delete's replacement walk, rename with the slot's own file, import and
// export, and every failure leaving files, list and set as they were. Its
// refusals are checked through the messages of tst_profilecommands.

#include "AppConfig.h"
#include "ProfileDefaults.h"
#include "ProfileLibrary.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {

using Code = ProfileLibrary::Code;
const QString kModel = QStringLiteral("MODELX");

// A library profile whose report rate tells it apart.
ProfileData markedProfile(int marker)
{
    ProfileData p;
    ProfileDefaults::buildDefaultProfile(p);
    p.pollrate = quint8(marker);
    p.DPI_INFO[0].x = p.DPI_INFO[0].y = 100 + marker;
    return p;
}

QString libFile(const QString &name)
{
    return ProfileStore::libraryProfilePath(kModel, name);
}

int markerIn(const QString &name)
{
    ProfileData p;
    return ProfileStore::readProfileSection(0, p, libFile(name)) ? p.pollrate : -1;
}

} // namespace

class TestProfileLibrary : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addAndCopyTakeFreeNames();
    void fullLibraryRefusesNewEntries();
    void deleteReplacementWalk_data();
    void deleteReplacementWalk();
    void failuresLeaveFilesListAndSet();
    void renameRefusedAndAccepted();
    void exportImportRoundTrip();
    void importOfATakenNameAsAnswered();
    void keepBothNames();
    void incompleteProfileFileIsRefused();

private:
    // Library files for NAMES (markers 1, 2, ...) plus the template (99); the list; the library loaded.
    void makeLibrary(const QStringList &names, bool withTemplate = true);
    // Slot i takes NAMES[i] (the default name beyond) and, when it has a library file, its record.
    void bindSlots(const QStringList &names);

    std::unique_ptr<StorageSandbox> m_box;
    ProfileLibrary m_lib;
    ProfileSet m_set;
};

void TestProfileLibrary::init()
{
    m_box = std::make_unique<StorageSandbox>();
    ProfileDefaults::buildDefaultSet(m_set);
}

void TestProfileLibrary::cleanup()
{
    m_box.reset();
}

void TestProfileLibrary::makeLibrary(const QStringList &names, bool withTemplate)
{
    int marker = 1;
    for (const QString &name : names)
        QVERIFY(ProfileStore::writeProfileSection(0, markedProfile(marker++), libFile(name)));
    if (withTemplate)
        QVERIFY(
            ProfileStore::writeProfileSection(0, markedProfile(99), libFile(ProfileLibrary::templateName())));
    QVERIFY(AppConfig::saveProfileList(kModel, names));
    m_lib = ProfileLibrary(kModel);
    QCOMPARE(m_lib.names(), names);
}

void TestProfileLibrary::bindSlots(const QStringList &names)
{
    for (int i = 0; i < kProfileCount; ++i) {
        m_set.names[i] = i < names.size() ? names[i] : ProfileDefaults::defaultSlotName(i);
        if (i < names.size() && QFileInfo(libFile(names[i])).isFile())
            QVERIFY(ProfileStore::readProfileSection(0, m_set.profiles[i], libFile(names[i])));
    }
}

void TestProfileLibrary::addAndCopyTakeFreeNames()
{
    // ADD: the first "Profile n" neither listed, nor a file, nor a slot's name.
    makeLibrary({QStringLiteral("Profile 1"), QStringLiteral("Profile 2"), QStringLiteral("Profile 3")});
    bindSlots({QStringLiteral("Profile 1"), QStringLiteral("Profile 2"), QStringLiteral("Profile 3"),
               QStringLiteral("Work"), QStringLiteral("Play")});
    QVERIFY(m_lib.add(m_set).ok());
    QStringList expected = {QStringLiteral("Profile 1"), QStringLiteral("Profile 2"),
                            QStringLiteral("Profile 3"), QStringLiteral("Profile 4")};
    QCOMPARE(AppConfig::loadProfileList(kModel), expected);
    QCOMPARE(m_lib.names(), expected);
    QCOMPARE(markerIn(QStringLiteral("Profile 4")), 99); // the template's content
    QCOMPARE(m_set.names[0], QStringLiteral("Profile 4"));
    QCOMPARE(m_set.profiles[0].pollrate, quint8(99));
    QCOMPARE(m_set.profiles[0].ProfilePath, libFile(QStringLiteral("Profile 4")));

    // Without the template: the factory profile. "Profile 5" is a slot's name now.
    QVERIFY(QFile::remove(libFile(ProfileLibrary::templateName())));
    QVERIFY(m_lib.add(m_set).ok());
    QCOMPARE(m_set.names[0], QStringLiteral("Profile 5"));
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    QCOMPARE(markerIn(QStringLiteral("Profile 5")), int(factory.pollrate));
    QCOMPARE(m_set.profiles[0].DPI_INFO, factory.DPI_INFO);

    // COPY: the library file's content; the slot keeps its (unapplied) record.
    QVERIFY(m_lib.bind(m_set, QStringLiteral("Profile 1")).ok());
    m_set.profiles[0].pollrate = 7;
    QVERIFY(m_lib.copy(m_set).ok());
    QCOMPARE(m_set.names[0], QStringLiteral("Profile 1 copy"));
    QCOMPARE(m_set.profiles[0].ProfileName, QStringLiteral("Profile 1 copy"));
    QCOMPARE(m_set.profiles[0].pollrate, quint8(7));
    QCOMPARE(markerIn(QStringLiteral("Profile 1 copy")), 1);
    QVERIFY(m_lib.bind(m_set, QStringLiteral("Profile 1")).ok());
    QVERIFY(m_lib.copy(m_set).ok());
    QCOMPARE(m_set.names[0], QStringLiteral("Profile 1 copy2"));
    expected << QStringLiteral("Profile 5") << QStringLiteral("Profile 1 copy")
             << QStringLiteral("Profile 1 copy2");
    QCOMPARE(AppConfig::loadProfileList(kModel), expected);

    // A slot without a library file is copied from what it shows.
    m_set.names[0] = QStringLiteral("Loose");
    m_set.profiles[0].pollrate = 5;
    QVERIFY(m_lib.copy(m_set).ok());
    QCOMPARE(markerIn(QStringLiteral("Loose copy")), 5);
}

void TestProfileLibrary::fullLibraryRefusesNewEntries()
{
    QStringList names;
    for (int i = 0; i < AppConfig::kProfileLibraryMax; ++i)
        names << QStringLiteral("P%1").arg(i);
    QVERIFY(AppConfig::saveProfileList(kModel, names));
    m_lib = ProfileLibrary(kModel);
    bindSlots({QStringLiteral("P0")});
    const QString outside = m_box->root() + QStringLiteral("/New.prof");
    QVERIFY(m_lib.exportProfile(markedProfile(3), outside).ok());
    const ProfileSet before = m_set;

    QCOMPARE(m_lib.add(m_set).code, Code::Full);
    QCOMPARE(m_lib.copy(m_set).code, Code::Full);
    QCOMPARE(m_lib.importProfile(m_set, outside).code, Code::Full);
    QCOMPARE(AppConfig::loadProfileList(kModel).size(), AppConfig::kProfileLibraryMax);
    QVERIFY(QDir(m_box->configDir() + QLatin1Char('/') + kModel + QStringLiteral("/Profile"))
                .entryList(QDir::Files)
                .isEmpty());
    QVERIFY(m_set == before);
}

void TestProfileLibrary::deleteReplacementWalk_data()
{
    QTest::addColumn<QStringList>("library");
    QTest::addColumn<QStringList>("slotNames"); // slot 0 (current) first
    QTest::addColumn<QString>("replacement");
    const QString a = QStringLiteral("Alpha"), b = QStringLiteral("Beta"), c = QStringLiteral("Gamma"),
                  d = QStringLiteral("Delta");
    QTest::newRow("first entry: the next one") << QStringList{a, b, c} << QStringList{a} << b;
    QTest::newRow("middle entry: the next one") << QStringList{a, b, c} << QStringList{b} << c;
    QTest::newRow("last of three: the second") << QStringList{a, b, c} << QStringList{c} << b;
    QTest::newRow("next bound elsewhere: walks towards the start")
        << QStringList{a, b, c, d} << QStringList{b, c} << a;
    QTest::newRow("walk passes the deleted entry") << QStringList{a, b, c, d} << QStringList{c, d, b} << a;
    QTest::newRow("walk runs off the start: an entry after it")
        << QStringList{a, b, c} << QStringList{a, b} << c;
    QTest::newRow("current slot not the first") << QStringList{a, b, c} << QStringList{} << c;
}

void TestProfileLibrary::deleteReplacementWalk()
{
    QFETCH(QStringList, library);
    QFETCH(QStringList, slotNames);
    QFETCH(QString, replacement);
    makeLibrary(library);
    if (slotNames.isEmpty()) {
        // Slot 3 is current and holds Beta; Alpha is bound to slot 0.
        bindSlots({QStringLiteral("Alpha"), QString(), QString(), QStringLiteral("Beta")});
        m_set.ProfileID = 3;
        slotNames = QStringList{QStringLiteral("Beta")};
    } else {
        bindSlots(slotNames);
    }
    const ProfileSet before = m_set;
    const QString deleted = slotNames.first();

    QVERIFY(m_lib.remove(m_set).ok());
    QStringList expected = library;
    expected.removeAll(deleted);
    QCOMPARE(AppConfig::loadProfileList(kModel), expected);
    QCOMPARE(m_lib.names(), expected);
    QVERIFY(!QFile::exists(libFile(deleted)));
    QCOMPARE(m_set.current().ProfileName, replacement);
    QCOMPARE(int(m_set.current().pollrate), library.indexOf(replacement) + 1);
    for (int i = 0; i < kProfileCount; ++i) {
        if (i != m_set.ProfileID)
            QCOMPARE(m_set.names[i], before.names[i]);
        else
            QCOMPARE(m_set.names[i], replacement);
    }
}

void TestProfileLibrary::failuresLeaveFilesListAndSet()
{
    const QStringList names = {QStringLiteral("Gaming"), QStringLiteral("Broken"), QStringLiteral("Office")};
    makeLibrary(names);

    // Delete: a profile "file" that cannot be removed (a folder with something in it).
    QVERIFY(QFile::remove(libFile(QStringLiteral("Broken"))));
    QVERIFY(QDir().mkpath(libFile(QStringLiteral("Broken")) + QStringLiteral("/inside")));
    bindSlots({QStringLiteral("Broken")});
    ProfileSet before = m_set;
    QCOMPARE(m_lib.remove(m_set).code, Code::WriteFailed);
    QCOMPARE(AppConfig::loadProfileList(kModel), names);
    QCOMPARE(m_lib.names(), names);
    QVERIFY(m_set == before);

    // Copy and bind: the file cannot be read; no copy is left behind.
    QCOMPARE(m_lib.copy(m_set).code, Code::ReadFailed);
    QVERIFY(!QFile::exists(libFile(QStringLiteral("Broken copy"))));
    // Delete: the replacement ("Broken" follows "Gaming") cannot be read.
    bindSlots({QStringLiteral("Gaming")});
    before = m_set;
    QCOMPARE(m_lib.remove(m_set).code, Code::ReadFailed);
    QCOMPARE(m_lib.bind(m_set, QStringLiteral("Broken")).code, Code::ReadFailed);
    QVERIFY(m_set == before);

    // The list cannot be written (its file is a folder): a new file goes
    // again, a renamed one moves back.
    const QString list = AppConfig::modelConfigFile(kModel);
    QVERIFY(QFile::remove(list));
    QVERIFY(QDir().mkpath(list + QStringLiteral("/inside")));
    const QString outside = m_box->root() + QStringLiteral("/Travel.prof");
    QVERIFY(m_lib.exportProfile(markedProfile(5), outside).ok());
    QCOMPARE(m_lib.add(m_set).code, Code::ListNotSaved);
    QCOMPARE(m_lib.copy(m_set).code, Code::ListNotSaved);
    QCOMPARE(m_lib.importProfile(m_set, outside).code, Code::ListNotSaved);
    QCOMPARE(m_lib.rename(m_set, QStringLiteral("Fast")).code, Code::ListNotSaved);
    QCOMPARE(QDir(QFileInfo(libFile(QStringLiteral("Gaming"))).absolutePath()).entryList(QDir::Files),
             (QStringList{QStringLiteral("DefaultProfile.prof"), QStringLiteral("Gaming.prof"),
                          QStringLiteral("Office.prof")}));
    QCOMPARE(m_lib.names(), names);
    QVERIFY(m_set == before);
}

void TestProfileLibrary::renameRefusedAndAccepted()
{
    makeLibrary({QStringLiteral("Profile 2"), QStringLiteral("Gaming"), QStringLiteral("Other")});
    bindSlots({QStringLiteral("Profile 2")});
    QCOMPARE(m_lib.rename(m_set, QStringLiteral("Mine")).code, Code::DefaultName);

    bindSlots({QStringLiteral("Gaming")});
    const ProfileSet before = m_set;
    QCOMPARE(m_lib.rename(m_set, QStringLiteral("Other")).code, Code::Exists);
    // The name of another slot, not yet in the library, is taken too.
    QCOMPARE(m_lib.rename(m_set, QStringLiteral("Profile 4")).code, Code::Exists);
    QVERIFY(!QFile::exists(libFile(QStringLiteral("Profile 4"))));
    // Names that would leave the library folder.
    for (const QString &bad : {QStringLiteral("../../escape"), QStringLiteral(".."), QStringLiteral("a/b"),
                               QStringLiteral(""), QStringLiteral("tab\there")})
        QCOMPARE(m_lib.rename(m_set, bad).code, Code::BadName);
    QVERIFY(!QFile::exists(m_box->configDir() + QStringLiteral("/escape.prof")));
    QVERIFY(!QFile::exists(m_box->configDir() + QLatin1Char('/') + kModel + QStringLiteral("/escape.prof")));
    QVERIFY(m_set == before);

    // The last steps fail: the slot's own file cannot follow the name (a folder holds the new
    // one), or Config.ini's slot names cannot be written (a folder stands in its place). Each is
    // reported, and nothing is left half-renamed.
    QVERIFY(ProfileStore::writeSlotProfile(markedProfile(42), QStringLiteral("Gaming")));
    const QStringList listBefore = AppConfig::loadProfileList(kModel);
    auto nothingRenamed = [&] {
        QCOMPARE(AppConfig::loadProfileList(kModel), listBefore);
        QCOMPARE(m_lib.names(), listBefore);
        QCOMPARE(markerIn(QStringLiteral("Gaming")), 2);
        QVERIFY(!QFile::exists(libFile(QStringLiteral("Fast"))));
        ProfileData slotFile;
        QVERIFY(ProfileStore::readSlotProfile(slotFile, QStringLiteral("Gaming")));
        QCOMPARE(slotFile.pollrate, quint8(42));
        QVERIFY(m_set == before);
    };
    const QString slotFast = ProfileStore::slotProfilePath(QStringLiteral("Fast"));
    QVERIFY(QDir().mkpath(slotFast + QStringLiteral("/inside")));
    ProfileLibrary::Result failed = m_lib.rename(m_set, QStringLiteral("Fast"));
    QCOMPARE(failed.code, Code::WriteFailed);
    QVERIFY2(failed.detail.contains(slotFast), qPrintable(failed.detail));
    nothingRenamed();
    QVERIFY(QDir(slotFast).removeRecursively());
    const QString global = AppConfig::globalConfigFile();
    QFile::remove(global);
    QVERIFY(QDir().mkpath(global + QStringLiteral("/inside")));
    failed = m_lib.rename(m_set, QStringLiteral("Fast"));
    QCOMPARE(failed.code, Code::ListNotSaved);
    QVERIFY2(failed.detail.contains(global), qPrintable(failed.detail));
    nothingRenamed();
    QVERIFY(QDir(global).removeRecursively());

    // Accepted: the library file and the slot's own file follow the name.
    QVERIFY(m_lib.rename(m_set, QStringLiteral("Fast")).ok());
    QCOMPARE(AppConfig::loadProfileList(kModel),
             (QStringList{QStringLiteral("Profile 2"), QStringLiteral("Fast"), QStringLiteral("Other")}));
    QVERIFY(!QFile::exists(libFile(QStringLiteral("Gaming"))));
    QCOMPARE(markerIn(QStringLiteral("Fast")), 2);
    QVERIFY(!QFile::exists(ProfileStore::slotProfilePath(QStringLiteral("Gaming"))));
    ProfileData slotFile;
    QVERIFY(ProfileStore::readSlotProfile(slotFile, QStringLiteral("Fast")));
    QCOMPARE(slotFile.pollrate, quint8(42));
    QCOMPARE(m_set.names[0], QStringLiteral("Fast"));
    QCOMPARE(m_set.profiles[0].ProfileName, QStringLiteral("Fast"));
    QCOMPARE(m_set.profiles[0].ProfilePath, libFile(QStringLiteral("Fast")));
    QSettings config(AppConfig::globalConfigFile(), QSettings::IniFormat);
    QCOMPARE(config.value(QStringLiteral("Config/Profile1")).toString(), QStringLiteral("Fast"));

    // An entry without a library file gets one written from its record.
    m_set.names[0] = QStringLiteral("Loose");
    m_set.profiles[0].pollrate = 6;
    QVERIFY(m_lib.rename(m_set, QStringLiteral("Kept")).ok());
    QCOMPARE(markerIn(QStringLiteral("Kept")), 6);
    QCOMPARE(m_lib.names().last(), QStringLiteral("Kept"));
}

void TestProfileLibrary::exportImportRoundTrip()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office")});
    bindSlots({QStringLiteral("Gaming")});

    // What the slot shows is exported with this model's name.
    m_set.profiles[0].DPI_INFO[1].x = 61;
    const QString exported = m_box->root() + QStringLiteral("/Travel.prof");
    QVERIFY(m_lib.exportProfile(m_set.current(), exported).ok());
    QCOMPARE(ProfileStore::readExportModelName(exported), kModel);
    QVERIFY(!QFile::exists(exported + QStringLiteral(".part")));

    QVERIFY(m_lib.importProfile(m_set, exported).ok());
    QCOMPARE(m_lib.names().last(), QStringLiteral("Travel"));
    QCOMPARE(AppConfig::loadProfileList(kModel).last(), QStringLiteral("Travel"));
    QCOMPARE(m_set.names[0], QStringLiteral("Travel"));
    QCOMPARE(m_set.profiles[0].DPI_INFO[1].x, 61);
    ProfileData stored;
    QVERIFY(ProfileStore::readProfileSection(0, stored, libFile(QStringLiteral("Travel"))));
    QCOMPARE(stored.DPI_INFO[1].x, 61);
    QCOMPARE(m_lib.importProfile(m_set, exported).code, Code::Exists);

    // Refused before anything changes: another model, the template's name, a
    // file far too large for a profile (whose model cannot be read either).
    const ProfileSet before = m_set;
    const QString foreign = m_box->root() + QStringLiteral("/Foreign.prof");
    QVERIFY(ProfileLibrary(QStringLiteral("SOMEOTHER")).exportProfile(markedProfile(4), foreign).ok());
    QCOMPARE(m_lib.importProfile(m_set, foreign).code, Code::OtherModel);
    const QString templ = m_box->root() + QStringLiteral("/DefaultProfile.prof");
    QVERIFY(QFile::copy(exported, templ));
    QCOMPARE(m_lib.importProfile(m_set, templ).code, Code::BadName);
    const QString big = m_box->root() + QStringLiteral("/Big.prof");
    QVERIFY(QFile::copy(exported, big));
    QVERIFY(QFile(big).resize(17 * 1024 * 1024)); // sparse
    // Too large to read, and said so (not "another model").
    const ProfileLibrary::Result bigResult = m_lib.importProfile(m_set, big);
    QCOMPARE(bigResult.code, Code::TooLarge);
    QVERIFY2(bigResult.detail.contains(QLatin1String("too large")), qPrintable(bigResult.detail));
    QVERIFY(m_set == before);
    QCOMPARE(m_lib.names().size(), 3);
    for (const QString &name : {QStringLiteral("Foreign"), QStringLiteral("Big")})
        QVERIFY(!QFile::exists(libFile(name)));
}

void TestProfileLibrary::importOfATakenNameAsAnswered()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Office"), QStringLiteral("Travel")});
    bindSlots({QStringLiteral("Office"), QStringLiteral("Travel")});
    const QString file = m_box->root() + QStringLiteral("/Gaming.prof");
    QVERIFY(m_lib.exportProfile(markedProfile(50), file).ok());
    using OnClash = ProfileLibrary::OnClash;

    // Refused unless told otherwise: nothing changes.
    QCOMPARE(m_lib.importProfile(m_set, file).code, Code::Exists);
    QCOMPARE(markerIn(QStringLiteral("Gaming")), 1);

    // Keep both: the imported profile beside the library's, under a new name.
    QVERIFY(m_lib.importProfile(m_set, file, {OnClash::KeepBoth, false}).ok());
    QCOMPARE(m_set.names[0], QStringLiteral("Gaming (2)"));
    QCOMPARE(markerIn(QStringLiteral("Gaming (2)")), 50);
    QCOMPARE(markerIn(QStringLiteral("Gaming")), 1);
    QCOMPARE(m_lib.names().last(), QStringLiteral("Gaming (2)"));

    // Overwrite: the library's file replaced, listed once.
    QVERIFY(m_lib.importProfile(m_set, file, {OnClash::Overwrite, false}).ok());
    QCOMPARE(m_set.names[0], QStringLiteral("Gaming"));
    QCOMPARE(markerIn(QStringLiteral("Gaming")), 50);
    QCOMPARE(m_lib.names().count(QStringLiteral("Gaming")), 1);
    QCOMPARE(AppConfig::loadProfileList(kModel).size(), 4);

    // Not over a profile another slot uses.
    const QString travel = m_box->root() + QStringLiteral("/Travel.prof");
    QVERIFY(m_lib.exportProfile(markedProfile(60), travel).ok());
    const ProfileSet before = m_set;
    QCOMPARE(m_lib.importProfile(m_set, travel, {OnClash::Overwrite, false}).code, Code::InUse);
    QVERIFY(m_set == before);
    QCOMPARE(markerIn(QStringLiteral("Travel")), 3);

    // What a configuration would store under a name: a replacement only when it differs.
    ProfileData same;
    QVERIFY(ProfileStore::readProfileSection(0, same, libFile(QStringLiteral("Office"))));
    same.ProfileName = QStringLiteral("elsewhere");
    same.LedMoveOFF = 3; // a configuration file does not carry it
    QVERIFY(!m_lib.wouldReplace(QStringLiteral("Office"), same));
    same.pollrate = 77;
    QVERIFY(m_lib.wouldReplace(QStringLiteral("Office"), same));
    QVERIFY(!m_lib.wouldReplace(QStringLiteral("Nowhere"), same));
}

void TestProfileLibrary::keepBothNames()
{
    makeLibrary({QStringLiteral("Gaming"), QStringLiteral("Gaming (2)")});
    bindSlots({QStringLiteral("Office")});
    QCOMPARE(m_lib.freeKeepBothName(QStringLiteral("Gaming"), m_set), QStringLiteral("Gaming (3)"));
    // A numbered name counts on from its stem rather than growing a second number.
    QCOMPARE(m_lib.freeKeepBothName(QStringLiteral("Gaming (2)"), m_set), QStringLiteral("Gaming (3)"));
    // A slot's name and a file outside the list are taken too.
    m_set.names[1] = QStringLiteral("Office (2)");
    QVERIFY(ProfileStore::writeProfileSection(0, markedProfile(7), libFile(QStringLiteral("Office (3)"))));
    QCOMPARE(m_lib.freeKeepBothName(QStringLiteral("Office"), m_set), QStringLiteral("Office (4)"));
    QCOMPARE(m_lib.freeKeepBothName(QStringLiteral("(2)"), m_set), QStringLiteral("(2) (2)"));
}

void TestProfileLibrary::incompleteProfileFileIsRefused()
{
    makeLibrary({QStringLiteral("Gaming")});
    bindSlots({QStringLiteral("Gaming")});
    const QString file = m_box->root() + QStringLiteral("/Short.prof");
    QVERIFY(m_lib.exportProfile(markedProfile(40), file).ok());
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    // Cut in the middle of the lighting keys, after the DPI stages.
    const int cut = whole.indexOf("LedMode\\LED_MODE_3_h");
    QVERIFY(cut > 0);
    StorageSandbox::writeFile(file, whole.left(cut + 5));

    const ProfileSet before = m_set;
    ImportReport report;
    const ProfileLibrary::Result refused =
        m_lib.importProfile(m_set, file, ProfileLibrary::ImportOptions(), &report);
    QCOMPARE(refused.code, Code::Incomplete);
    QVERIFY2(refused.detail.contains(QLatin1String("PROFILE_0")), qPrintable(refused.detail));
    QVERIFY(report.isIncomplete());
    QVERIFY(m_set == before);
    QVERIFY(!QFile::exists(libFile(QStringLiteral("Short"))));
    QCOMPARE(m_lib.names().size(), 1);

    // Asked for: what it holds, over the factory profile.
    QVERIFY(m_lib.importProfile(m_set, file, {ProfileLibrary::OnClash::Refuse, true}).ok());
    QCOMPARE(m_set.names[0], QStringLiteral("Short"));
    QCOMPARE(m_set.profiles[0].DPI_INFO[0].x, 140);
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    QCOMPARE(m_set.profiles[0].pollrate, factory.pollrate);
}

QTEST_MAIN(TestProfileLibrary)
#include "tst_profilelibrary.moc"
