// The macro model: the recorder driven by synthetic key events on a virtual
// clock, the editor's row and library commands, what a macro costs in the
// mouse, and the gun set and macro selection rules.

#include "../CliProcess.h"
#include "ButtonCatalogue.h"
#include "MacroFile.h"
#include "MacroModel.h"
#include "MacroSelection.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "ProfileWriter.h"
#include "StorageTestUtil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QSettings>
#include <QtTest>

namespace {
constexpr int kEvdevA = 30;
constexpr int kEvdevB = 48;
constexpr int kEvdevRightAlt = 100;
constexpr int kIndexA = 30;
constexpr int kUsageA = 4;

// A model on a clock the test moves, with a saved macro "m" loaded.
struct Recorder
{
    qint64 now = 1000;
    MacroModel model;
    explicit Recorder(int unit, int delayMode) : model(unit)
    {
        model.setClock([this] { return now; });
        QVERIFY(MacroFile::saveMacro(QStringLiteral("m"), {}));
        QVERIFY(model.load(QStringLiteral("m")));
        model.setDelayMode(delayMode);
        QVERIFY(model.startRecording());
    }
};

QVector<MacroEvent> keyRows(int n)
{
    QVector<MacroEvent> rows;
    for (int i = 0; i < n; ++i)
        rows.append({i % 2 ? MacroFile::kTypeKeyUp : MacroFile::kTypeKeyDown, 0, kUsageA});
    return rows;
}
} // namespace

class TestMacroModel : public QObject
{
    Q_OBJECT

private slots:
    void recorderRows();
    void recorderTakesTheKeysOwnTimes();
    void recorderRowLimits();
    void stopWarnsAboutHeldKeysAndSaves();
    void rowCommands();
    void libraryCommands();
    void buttonsFollowDeleteAndRename();
    void slotBudget();
    void gunSet();
    void selectionCopiesTheMacro();
    void cliTwin();
};

void TestMacroModel::recorderRows()
{
    StorageSandbox box;
    Recorder r(10, MacroModel::kRecordDelays);
    // First event: no delay; auto-repeat of a held key: nothing.
    QCOMPARE(r.model.recordEvdev(kEvdevA, false), MacroModel::Recorded::Appended);
    r.now += 30;
    QCOMPARE(r.model.recordEvdev(kEvdevA, false), MacroModel::Recorded::Repeat);
    r.now += 27; // 57 ms after the press
    r.model.recordEvdev(kEvdevA, true);
    r.now += 4;
    r.model.recordEvdev(kEvdevRightAlt, false);
    r.now += 10;
    r.model.recordEvdev(kEvdevRightAlt, true);
    const QVector<MacroEvent> expected{{132, 0, kUsageA}, {6, 0, 5}, {4, 0, kUsageA}, {6, 0, 1},
                                       {132, 0, 230},     {6, 0, 1}, {4, 0, 230}};
    QCOMPARE(r.model.events(), expected);
    QCOMPARE(r.model.selectedRow(), expected.size() - 1);

    // Default-delay mode inserts the typed delay between events.
    Recorder d(10, MacroModel::kDefaultDelay);
    d.model.data().DefaultDelay = 250;
    d.model.recordKey(kIndexA, false);
    d.model.recordKey(kIndexA, true);
    QCOMPARE(d.model.events().at(1), (MacroEvent{6, 0, 25}));
}

void TestMacroModel::recorderTakesTheKeysOwnTimes()
{
    StorageSandbox box;
    // The window was busy: four keys typed 200 ms apart are handled in one
    // batch, the model's clock standing still. Their own times make the delays.
    Recorder r(1, MacroModel::kRecordDelays);
    const quint32 t0 = 0xffffff00u; // the X server's time wraps at 32 bits
    r.model.recordEvdev(kEvdevA, false, t0);
    r.model.recordEvdev(kEvdevA, true, t0 + 200);
    r.model.recordEvdev(kEvdevB, false, t0 + 400);
    r.model.recordEvdev(kEvdevB, true, t0 + 657);
    QCOMPARE(r.model.events(), (QVector<MacroEvent>{{132, 0, kUsageA},
                                                    {6, 0, 200},
                                                    {4, 0, kUsageA},
                                                    {6, 0, 200},
                                                    {132, 0, 5},
                                                    {6, 1, 1},
                                                    {4, 0, 5}}));
    // A time before the last one counts as no pause: one unit.
    Recorder back(10, MacroModel::kRecordDelays);
    back.model.recordKey(kIndexA, false, 5000);
    back.model.recordKey(kIndexA, true, 4990);
    QCOMPARE(back.model.events().at(1), (MacroEvent{6, 0, 1}));
}

void TestMacroModel::recorderRowLimits()
{
    StorageSandbox box;
    // Without delays: 56 rows, the 57th event is dropped.
    Recorder plain(10, MacroModel::kNoDelays);
    for (int key = 2; plain.model.events().size() < 56; ++key)
        plain.model.recordKey(key, false);
    QCOMPARE(plain.model.recordKey(1, false), MacroModel::Recorded::Full);
    QCOMPARE(plain.model.events().size(), 56);

    // With delays: at 82 rows an event still adds its delay and key rows (84);
    // at 83 rows it is dropped.
    Recorder timed(10, MacroModel::kRecordDelays);
    timed.model.recordKey(2, false); // 1 row
    for (int key = 3; timed.model.events().size() < 81; ++key)
        timed.model.recordKey(key, false); // 2 rows each
    QCOMPARE(timed.model.events().size(), 81);
    timed.model.data().events.append({6, 0, 1}); // 82
    QCOMPARE(timed.model.recordKey(60, false), MacroModel::Recorded::Appended);
    QCOMPARE(timed.model.events().size(), 84);
    timed.model.data().events.removeLast(); // 83
    QCOMPARE(timed.model.recordKey(61, false), MacroModel::Recorded::Full);
    QCOMPARE(timed.model.events().size(), 83);
}

void TestMacroModel::stopWarnsAboutHeldKeysAndSaves()
{
    StorageSandbox box;
    Recorder r(1, MacroModel::kNoDelays);
    r.model.recordKey(kIndexA, false);
    MacroModel::StopResult stop = r.model.stopRecording();
    QVERIFY(stop.unreleased);
    QVERIFY(stop.saved);
    QVERIFY(!r.model.isRecording());
    QCOMPARE(r.model.recordKey(kIndexA, true), MacroModel::Recorded::Idle);
    MacroFile::MacroData stored;
    QVERIFY(MacroFile::loadMacro(QStringLiteral("m"), stored));
    QCOMPARE(stored.events, (QVector<MacroEvent>{{132, 0, kUsageA}}));

    // Released, but a different key than pressed: still a warning.
    Recorder odd(1, MacroModel::kNoDelays);
    odd.model.recordEvdev(kEvdevA, false);
    odd.model.recordEvdev(kEvdevB, true);
    QVERIFY(odd.model.stopRecording().unreleased);
    Recorder fine(1, MacroModel::kNoDelays);
    fine.model.recordEvdev(kEvdevA, false);
    fine.model.recordEvdev(kEvdevA, true);
    QVERIFY(!fine.model.stopRecording().unreleased);
}

void TestMacroModel::rowCommands()
{
    MacroModel m(10);
    m.data().events = {{132, 0, 4}, {6, 0, 1}, {4, 0, 4}};
    const QVector<MacroEvent> before = m.events();
    m.selectRow(0);
    m.moveUp();
    m.selectRow(2);
    m.moveDown();
    QCOMPARE(m.events(), before);
    m.moveTop();
    QCOMPARE(m.events().first(), (MacroEvent{4, 0, 4}));
    QCOMPARE(m.selectedRow(), 0);
    m.moveBottom();
    QCOMPARE(m.events(), before);

    // Delay row edited to 45 ms with unit 10 holds count 4; a key row refuses a delay.
    m.selectRow(1);
    QVERIFY(m.setRowDelay(45));
    QCOMPARE(m.events().at(1), (MacroEvent{6, 0, 4}));
    QCOMPARE(MacroModel::rowName(m.events().at(1), 10), QStringLiteral("40 ms"));
    m.selectRow(0);
    QVERIFY(!m.setRowDelay(45));

    // LEFT CLICK with delay mode 1: press, 10 ms, release, 10 ms after the selection.
    m.clearRows();
    m.setDelayMode(MacroModel::kRecordDelays);
    m.insertButton(0, MacroModel::kClick);
    QCOMPARE(m.events(), (QVector<MacroEvent>{{129, 0, 1}, {6, 0, 1}, {1, 0, 1}, {6, 0, 1}}));
    m.setDelayMode(MacroModel::kNoDelays);
    m.selectRow(0);
    m.insertButton(2, MacroModel::kRelease);
    QCOMPARE(m.events().at(1), (MacroEvent{1, 0, 2}));

    // Movements: 256 − n for left and up; editing keeps the direction.
    m.clearRows();
    m.insertMove(MacroModel::kLeft, 5);
    m.insertMove(MacroModel::kDown, 120);
    QCOMPARE(m.events(), (QVector<MacroEvent>{{2, 0, 251}, {2, 120, 0}}));
    m.selectRow(0);
    QVERIFY(m.setRowDistance(7));
    QCOMPARE(m.events().at(0), (MacroEvent{2, 0, 249}));
    QCOMPARE(MacroModel::rowName(m.events().at(0), 10), QStringLiteral("MOVE LEFT"));
    QCOMPARE(MacroModel::rowAction(m.events().at(0)), QStringLiteral("7"));

    // Deleting the only row leaves nothing selected.
    m.clearRows();
    m.insertDelay(30);
    m.deleteRow();
    QVERIFY(m.events().isEmpty());
    QCOMPARE(m.selectedRow(), -1);

    // Edit-key mode replaces the usage once per distinct key event.
    m.data().events = {{132, 0, 4}};
    m.selectRow(0);
    QVERIFY(m.editKey(48, false)); // B
    QVERIFY(!m.editKey(48, false));
    QCOMPARE(m.events().at(0), (MacroEvent{132, 0, 5}));
}

void TestMacroModel::libraryCommands()
{
    StorageSandbox box;
    // The first import makes the library's folder.
    const QString first = box.root() + QStringLiteral("/first.MSMACRO");
    StorageSandbox::writeFile(first, "[Setting]\nCount=0\n");
    QString imported, error;
    QVERIFY2(MacroModel::importFile(first, &imported, &error), qPrintable(error));
    QVERIFY(MacroFile::removeFromLibrary(imported) && MacroFile::deleteMacroFile(imported));

    MacroModel m(1);
    QVERIFY(m.newMacro());
    QCOMPARE(m.name(), QStringLiteral("name_1"));
    m.data().events = {{132, 0, 4}, {4, 0, 4}};
    QVERIFY(m.save());

    // Import: a new base name joins the library; an existing one is refused.
    const QString outside = box.root() + QStringLiteral("/jump.MSMACRO");
    QVERIFY(MacroModel::exportFile(QStringLiteral("name_1"), outside));
    QVERIFY(MacroModel::importFile(outside, &imported, &error));
    QCOMPARE(imported, QStringLiteral("jump"));
    const QStringList library = MacroFile::libraryNames();
    QVERIFY(!MacroModel::importFile(outside, &imported, &error));
    QCOMPARE(error, QStringLiteral("Macro Exist!"));
    QCOMPARE(MacroFile::libraryNames(), library);
    QVERIFY(!MacroModel::importFile(box.root() + QStringLiteral("/..MSMACRO"), &imported, &error));
    // Only what the editor would show enters the library: a file is taken whole or not at all.
    const QByteArray head = "[Setting]\nCount=3\nMap_0=132\nDataL_0=4\nMap_2=4\nDataL_2=4\n";
    const QList<QPair<QString, QByteArray>> hostile = {
        {QStringLiteral("bigmap"), head + "Map_1=999\nDataL_1=4\n"},
        {QStringLiteral("bit3"), head + "Map_1=129\nDataL_1=3\n"},
        {QStringLiteral("still"), head + "Map_1=2\nDataH_1=0\nDataL_1=0\n"},
        {QStringLiteral("garbage"), QByteArray("\x7f"
                                               "ELF\x02\x01\x01\0\0\0\xff\xfe",
                                               13)}};
    for (const auto &h : hostile) {
        const QString file = box.root() + QLatin1Char('/') + h.first + QStringLiteral(".MSMACRO");
        StorageSandbox::writeFile(file, h.second);
        QVERIFY2(!MacroModel::importFile(file, &imported, &error), qPrintable(h.first));
        QVERIFY(error.contains(h.first));
        QVERIFY(!MacroFile::macroExists(h.first));
    }
    QVERIFY(error.contains(QStringLiteral("IS NOT A MACRO FILE")));
    QCOMPARE(MacroFile::libraryNames(), library);

    // Rename checks the name as storage does; delete loads the macro taking its place.
    QVERIFY(!m.rename(QStringLiteral("a/b"), &error));
    QVERIFY(m.rename(QStringLiteral("jump")));
    QCOMPARE(m.name(), QStringLiteral("jump_2"));
    QVERIFY(m.deleteCurrent());
    QCOMPARE(m.name(), QStringLiteral("jump"));
    QCOMPARE(m.events().size(), 2);
    QVERIFY(m.deleteCurrent());
    QVERIFY(m.name().isEmpty());
    QVERIFY(MacroFile::libraryNames().isEmpty());
}

void TestMacroModel::buttonsFollowDeleteAndRename()
{
    StorageSandbox box;
    MacroFile::MacroData two;
    two.events = keyRows(2);
    QVERIFY(MacroFile::saveMacro(QStringLiteral("jump"), two) &&
            MacroFile::addToLibrary(QStringLiteral("jump")));
    QVERIFY(MacroFile::saveMacro(QStringLiteral("duck"), two) &&
            MacroFile::addToLibrary(QStringLiteral("duck")));
    auto runs = [](ButtonAssignment &b, const QString &name) {
        b.Fun = ButtonCatalogue::kFunMacro;
        b.macroname = name;
    };
    // The window's set (slot 0 not applied yet), a stored slot and a library profile.
    ProfileSet set;
    set.names[0] = QStringLiteral("Profile 1");
    set.names[1] = QStringLiteral("Profile 2");
    runs(set.profiles[0].BUTTON_INFO[2], QStringLiteral("jump"));
    runs(set.profiles[0].BUTTON_INFO[40], QStringLiteral("duck"));
    ProfileData stored;
    runs(stored.BUTTON_INFO[7], QStringLiteral("jump"));
    QVERIFY(ProfileStore::writeSlotProfile(stored, QStringLiteral("Profile 2")));
    set.profiles[1] = stored;
    ProfileData library;
    runs(library.BUTTON_INFO[1], QStringLiteral("jump"));
    runs(library.BUTTON_INFO[2], QStringLiteral("jump")); // a gun file by the same name
    library.BUTTON_INFO[2].Fun = ButtonCatalogue::kFunGunFile;
    QVERIFY(ProfileStore::writeLibraryProfile(library, QStringLiteral("M1"), QStringLiteral("Fast")));
    const QString fastFile = ProfileStore::libraryProfilePath(QStringLiteral("M1"), QStringLiteral("Fast"));

    MacroModel m(1);
    m.setProfileSet(&set);
    QVERIFY(m.load(QStringLiteral("jump")));
    QCOMPARE(m.uses(QStringLiteral("jump")).size(), 4);

    // Renamed: every button runs it under its new name, in memory and on disk.
    QVERIFY(m.rename(QStringLiteral("hop")));
    QVERIFY(m.uses(QStringLiteral("jump")).isEmpty());
    QCOMPARE(set.profiles[0].BUTTON_INFO[2].macroname, QStringLiteral("hop"));
    QCOMPARE(set.profiles[1].BUTTON_INFO[7].macroname, QStringLiteral("hop"));
    ProfileData back;
    QVERIFY(ProfileStore::readSlotProfile(back, QStringLiteral("Profile 2")));
    QCOMPARE(back.BUTTON_INFO[7].macroname, QStringLiteral("hop"));
    QVERIFY(ProfileStore::readProfileSection(0, back, fastFile));
    QCOMPARE(back.BUTTON_INFO[1].macroname, QStringLiteral("hop"));
    QCOMPARE(back.BUTTON_INFO[2].Fun, ButtonCatalogue::kFunGunFile);
    QCOMPARE(back.BUTTON_INFO[2].macroname, QStringLiteral("hop"));
    QCOMPARE(set.profiles[0].BUTTON_INFO[40].macroname, QStringLiteral("duck"));

    // Deleting asks, naming profile and button; "no" (or no question) changes nothing.
    const QVector<MacroModel::Use> used = m.uses(QStringLiteral("hop"));
    QString asked;
    m.setQuestion([&asked](const QString &text) {
        asked = text;
        return false;
    });
    QString error;
    QVERIFY(!m.deleteCurrent(&error));
    QVERIFY(error.isEmpty());
    QCOMPARE(asked, MacroModel::deleteQuestion(QStringLiteral("hop"), used));
    QVERIFY(asked.contains(QStringLiteral("Profile 1: BUTTON 3")));
    QVERIFY(asked.contains(QStringLiteral("Profile 2: BUTTON 8")));
    QVERIFY(asked.contains(QStringLiteral("Fast: BUTTON 2")));
    QVERIFY(MacroFile::libraryNames().contains(QStringLiteral("hop")));
    QCOMPARE(set.profiles[0].BUTTON_INFO[2].macroname, QStringLiteral("hop"));
    m.setQuestion(nullptr);
    QVERIFY(!m.deleteCurrent(&error));
    QVERIFY(MacroFile::macroExists(QStringLiteral("hop")));

    // "Yes": the buttons get their factory function, then the macro goes.
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    m.setQuestion([](const QString &) { return true; });
    QVERIFY2(m.deleteCurrent(&error), qPrintable(error));
    QVERIFY(!MacroFile::macroExists(QStringLiteral("hop")));
    QVERIFY(m.uses(QStringLiteral("hop")).isEmpty());
    QCOMPARE(set.profiles[0].BUTTON_INFO[2].Fun, factory.BUTTON_INFO[2].Fun);
    QVERIFY(ProfileStore::readProfileSection(0, back, fastFile));
    QCOMPARE(back.BUTTON_INFO[1].Fun, factory.BUTTON_INFO[1].Fun);
    QVERIFY(ProfileStore::readSlotProfile(back, QStringLiteral("Profile 2")));
    QCOMPARE(back.BUTTON_INFO[7].Fun, factory.BUTTON_INFO[7].Fun);
    QCOMPARE(set.profiles[0].BUTTON_INFO[40].macroname, QStringLiteral("duck"));
    QCOMPARE(m.name(), QStringLiteral("duck"));
}

void TestMacroModel::slotBudget()
{
    // Without delays the download adds one after every fourth event and at the
    // end: 52 events fill 198 bytes, 53 would be cut. With own delays 66 fit.
    QVERIFY(MacroModel::fitsSlot(keyRows(52)));
    QVERIFY(!MacroModel::fitsSlot(keyRows(53)));
    QVector<MacroEvent> timed = keyRows(65);
    timed.append({6, 0, 1});
    QVERIFY(MacroModel::fitsSlot(timed));
    timed.append({6, 0, 1});
    QVERIFY(!MacroModel::fitsSlot(timed));
    // The count agrees with the packer: 52 events end with its closing delay.
    WriteContext ctx;
    ctx.send = [](const Frame &) { return 0; };
    ProfileWriter w(ctx);
    w.PackMacro(keyRows(52), 0);
    QCOMPARE(MacroModel::packedBytes(keyRows(52)), 198);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(w.macroSlot(0)) + 195, 5),
             QByteArray("\x06\x01\x00\x00\x00", 5));

    // Twelve distinct macros fill the slots; a thirteenth needs a slot, a reused name does not.
    ProfileData p;
    for (int i = 0; i < 12; ++i) {
        p.BUTTON_INFO[size_t(i)].Fun = ButtonCatalogue::kFunMacro;
        p.BUTTON_INFO[size_t(i)].macroname = QStringLiteral("m%1").arg(i);
    }
    QCOMPARE(MacroModel::slotNames(p.BUTTON_INFO).size(), 12);
    QVERIFY(MacroModel::needsThirteenthSlot(p.BUTTON_INFO, 20, QStringLiteral("new")));
    QVERIFY(!MacroModel::needsThirteenthSlot(p.BUTTON_INFO, 20, QStringLiteral("m3")));
    QVERIFY(!MacroModel::needsThirteenthSlot(p.BUTTON_INFO, 0, QStringLiteral("new"))); // replaces m0
}

void TestMacroModel::gunSet()
{
    StorageSandbox box;
    using MacroSelection::Shot;
    // The delay count is ms / unit, as in a recording: what is typed is what the editor shows.
    const QVector<MacroEvent> events = MacroSelection::gunEvents({Shot{100, 5, 0}, Shot{50, 0, -3}}, 1);
    QCOMPARE(events, (QVector<MacroEvent>{{1, 0, 1},
                                          {129, 0, 1},
                                          {2, 5, 0},
                                          {6, 0, 100},
                                          {1, 0, 1},
                                          {129, 0, 1},
                                          {2, 0, 253},
                                          {6, 0, 50}}));
    QCOMPARE(MacroSelection::gunEvents({Shot{999, 0, 0}}, 1).last(), (MacroEvent{6, 3, 231}));
    QCOMPARE(MacroSelection::gunEvents({Shot{5, 0, 0}}, 1).last(), (MacroEvent{6, 0, 5}));
    for (int unit : {1, 4, 10})
        QCOMPARE(MacroModel::rowName(MacroSelection::gunEvents({Shot{100, 0, 0}}, unit).last(), unit),
                 QStringLiteral("100 ms"));

    QVERIFY(MacroFile::saveMacro(QStringLiteral("ak"), {}));
    QVERIFY(MacroFile::saveMacro(QStringLiteral("ak_2"), {}));
    QString name, error;
    QVERIFY(MacroSelection::writeGunFile(QStringLiteral("ak"), {Shot{100, 5, 0}, Shot{50, 0, -3}}, 1, &name));
    QCOMPARE(name, QStringLiteral("ak_3"));
    QVERIFY(MacroFile::libraryNames().contains(name));
    QSettings s(MacroFile::macroFilePath(name), QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("Setting/Count")).toInt(), 8);
    QCOMPARE(s.value(QStringLiteral("Setting/DelayType")).toInt(), 1);
    MacroModel editor(1);
    QVERIFY(editor.load(name));
    QCOMPARE(MacroModel::rowName(editor.events().at(3), 1), QStringLiteral("100 ms"));
    QVERIFY(!MacroSelection::writeGunFile(QString(), {Shot{}}, 1, &name, &error));
    QCOMPARE(error, QStringLiteral("Please input file name."));
}

void TestMacroModel::selectionCopiesTheMacro()
{
    StorageSandbox box;
    MacroFile::MacroData ten;
    ten.events = keyRows(10);
    QVERIFY(MacroFile::saveMacro(QStringLiteral("ten"), ten));
    ButtonAssignment b;
    b.KeyInfo[10] = {9, 9, 9};
    QCOMPARE(MacroSelection::initialChoice(b, ButtonCatalogue::kFunMacro).loopCount, 1);
    MacroSelection::Choice c{QStringLiteral("ten"), 7, MacroSelection::kRepeatUntilDown, 1};
    MacroSelection::applyChoice(b, ButtonCatalogue::kFunMacro, c);
    QCOMPARE(b.KeyNumber, 10);
    QCOMPARE(b.KeyInfo[1].map, uint8_t(4));
    QCOMPARE(b.KeyInfo[1].key, uint8_t(kUsageA));
    QCOMPARE(b.KeyInfo[10], (KeyInfo{9, 9, 9}));
    // "Left Button Macro" forces run mode 0 and one loop.
    QCOMPARE(int(b.Res2), 1);
    QCOMPARE(int(b.Res1), 0);
    QCOMPARE(b.LoopNumber, 1);
    const MacroSelection::Choice again = MacroSelection::initialChoice(b, ButtonCatalogue::kFunMacro);
    QCOMPARE(again.name, QStringLiteral("ten"));
    QCOMPARE(again.leftButtonOption, 1);
    QVERIFY(MacroSelection::initialChoice(b, ButtonCatalogue::kFunGunFile).name.isEmpty());

    // A longer file: 84 entries at most.
    MacroFile::MacroData long_;
    long_.events = keyRows(100);
    QVERIFY(MacroFile::saveMacro(QStringLiteral("long"), long_));
    MacroSelection::applyChoice(b, ButtonCatalogue::kFunMacro, {QStringLiteral("long"), 1, 0, 0});
    QCOMPARE(b.KeyNumber, 84);
}

void TestMacroModel::cliTwin()
{
    StorageSandbox box;
    MacroFile::MacroData m;
    m.events = {{132, 0, 4}, {6, 0, 50}, {4, 0, 4}, {129, 0, 2}, {2, 251, 0}};
    QVERIFY(MacroFile::saveMacro(QStringLiteral("src"), m));
    const QString file = MacroFile::macroFilePath(QStringLiteral("src"));
    QString out, err;
    auto cli = [&](const QStringList &args) {
        const CliRun r = runCli(args, box.configDir());
        out = r.out;
        err = r.err;
        return r.code;
    };
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("import"), file}), 1); // "src" is its own file
    QVERIFY2(err.contains(QStringLiteral("Macro Exist!")), qPrintable(err));
    const QString copy = box.root() + QStringLiteral("/jump.MSMACRO");
    QVERIFY(QFile::copy(file, copy));
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("import"), copy}), 0);
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("list")}), 0);
    QVERIFY2(out.startsWith(QStringLiteral("jump\t5 events\t15/200 bytes")), qPrintable(out));
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("show"), QStringLiteral("jump")}), 0);
    const QJsonArray events = QJsonDocument::fromJson(out.toUtf8()).array();
    QCOMPARE(events.size(), 5);
    QCOMPARE(events.at(0).toObject().value(QStringLiteral("type")).toString(), QStringLiteral("key-down"));
    QCOMPARE(events.at(0).toObject().value(QStringLiteral("key")).toString(), QStringLiteral("A"));
    QCOMPARE(events.at(1).toObject().value(QStringLiteral("ms")).toInt(), 50);
    QCOMPARE(events.at(3).toObject().value(QStringLiteral("button")).toString(), QStringLiteral("right"));
    QCOMPARE(events.at(4).toObject().value(QStringLiteral("dy")).toInt(), -5);
    const QString back = box.root() + QStringLiteral("/out.MSMACRO");
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("export"), QStringLiteral("jump"), back}), 0);
    QVERIFY(QFileInfo::exists(back));
    // A button bound to it as the macro selection binds it.
    QCOMPARE(cli({QStringLiteral("button"), QStringLiteral("3"), QStringLiteral("macro"),
                  QStringLiteral("jump"), QStringLiteral("--mode"), QStringLiteral("left"),
                  QStringLiteral("--count"), QStringLiteral("9")}),
             0);
    ProfileSet set;
    ProfileStore::loadProfileSet(set);
    const ButtonAssignment &bound = set.current().BUTTON_INFO[3];
    QCOMPARE(bound.Fun, ButtonCatalogue::kFunMacro);
    QCOMPARE(bound.macroname, QStringLiteral("jump"));
    QCOMPARE(bound.KeyNumber, 5);
    QCOMPARE(bound.LoopNumber, 1); // "left" forces one loop
    QCOMPARE(int(bound.Res2), 1);
    QCOMPARE(
        cli({QStringLiteral("button"), QStringLiteral("3"), QStringLiteral("macro"), QStringLiteral("nope")}),
        1);
    // Button 3 runs it: named, and deleted only with --force, the button then back to its factory function.
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("delete"), QStringLiteral("jump")}), 1);
    QVERIFY2(err.contains(QStringLiteral("BUTTON 4")), qPrintable(err));
    QVERIFY(MacroFile::libraryNames().contains(QStringLiteral("jump")));
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("delete"), QStringLiteral("jump"),
                  QStringLiteral("--force")}),
             0);
    QVERIFY(!MacroFile::libraryNames().contains(QStringLiteral("jump")));
    ProfileStore::loadProfileSet(set);
    QVERIFY(set.current().BUTTON_INFO[3].macroname.isEmpty());
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("delete"), QStringLiteral("jump")}), 1);
    QCOMPARE(cli({QStringLiteral("macro"), QStringLiteral("show")}), 2);
}

QTEST_GUILESS_MAIN(TestMacroModel)
#include "tst_macromodel.moc"
