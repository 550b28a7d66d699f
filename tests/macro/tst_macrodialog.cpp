// The MACRO tab's page and the gun set dialog, offscreen: recording through a
// key source, the tree insertions, import refusals, and the gun set's events.

#include "../app/WindowParts.h"
#include "MacroDialog.h"
#include "MacroKeySource.h"
#include "MirtGunsetDialog.h"
#include "MirtMacroItemDelegate.h"
#include "MirtMacroSelect.h"
#include "MirtPushButton.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SkinCache.h"
#include "StorageTestUtil.h"
#include "X11RecordKeySource.h"

#include "ButtonCatalogue.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

using namespace WindowParts;

namespace {
class FakeKeys : public MacroKeySource
{
public:
    using MacroKeySource::MacroKeySource;
    bool start() override { return running = true; }
    void stop() override { running = false; }
    bool systemWide() const override { return true; }
    void key(int evdev, bool release, quint32 timeMs = 0) { emit keyEvent(evdev, release, timeMs); }
    bool running = false;
};

struct Page
{
    StorageSandbox box;
    MacroDialog dialog{nullptr};
    QStringList messages;
    QPointer<FakeKeys> keys;
    QStringList picked;
    Page()
    {
        dialog.setMessageSink([this](int, const QString &, const QString &text) { messages << text; });
        dialog.setKeySourceFactory(
            [this](QWidget *, QObject *parent) { return keys = new FakeKeys(parent); });
        dialog.setFilePicker([this](int) { return picked; });
    }
    void click(const char *name) { QTest::mouseClick(dialog.button(QLatin1String(name)), Qt::LeftButton); }
    int rows() const { return dialog.eventTable()->model()->rowCount(); }
};

QTreeWidgetItem *treeItem(QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}
} // namespace

class TestMacroDialog : public QObject
{
    Q_OBJECT

private slots:
    void recordsThroughTheKeySource();
    void treeAndRowEditing();
    void libraryButtons();
    void gunSetDialog();
    void macroSelect();
    void windowCaptureWhereRecordIsMissing();
    void windowBuildsThePageWhenShown();
    void xAutoRepeatIsOnePress();
};

void TestMacroDialog::recordsThroughTheKeySource()
{
    Page p;
    p.click("newButton");
    QCOMPARE(p.dialog.macroList()->count(), 1);
    p.click("startButton");
    QVERIFY(p.keys && p.keys->running);
    QVERIFY(!p.dialog.button(QStringLiteral("newButton"))->isEnabled());
    QCOMPARE(p.dialog.button(QStringLiteral("startButton"))->text(), QStringLiteral("STOP"));
    p.keys->key(30, false); // A down
    p.keys->key(30, false); // auto-repeat
    p.keys->key(48, false); // B down
    p.keys->key(48, true);
    QCOMPARE(p.rows(), 3);
    // The same keys reaching our own window touch none of its fields.
    auto *nameEdit = p.dialog.findChild<QLineEdit *>(QStringLiteral("macroNameEdit"));
    QTest::keyClick(nameEdit, Qt::Key_X);
    QCOMPARE(nameEdit->text(), QStringLiteral("name_1"));
    QCOMPARE(p.dialog.findChild<QLabel *>(QStringLiteral("recordNotice"))->text(),
             QStringLiteral("RECORDING KEYS FROM EVERY WINDOW."));
    p.click("startButton"); // STOP with A held
    QVERIFY(!p.keys);
    QCOMPARE(p.messages, QStringList{QStringLiteral("ONE OR MORE KEYS HAS NOT BEEN RELEASED.")});
    QVERIFY(p.dialog.button(QStringLiteral("newButton"))->isEnabled());
    MacroFile::MacroData stored;
    QVERIFY(MacroFile::loadMacro(QStringLiteral("name_1"), stored));
    QCOMPARE(stored.events.size(), 3);
    QVERIFY2(p.dialog.budgetText().contains(QStringLiteral("12/200")), qPrintable(p.dialog.budgetText()));

    // EDIT on a key row: the next key replaces it; SAVE ends the edit.
    p.dialog.SelectRow(1);
    p.click("editButton");
    QVERIFY(p.dialog.isEditingKey());
    // The notice says where the key goes, not that keys are being recorded.
    QCOMPARE(p.dialog.findChild<QLabel *>(QStringLiteral("recordNotice"))->text(),
             QStringLiteral("PRESS A KEY: IT GOES INTO THE SELECTED ROW."));
    p.keys->key(31, false); // S
    QCOMPARE(p.dialog.model().events().at(1), (MacroEvent{132, 0, 22}));
    QCOMPARE(p.dialog.findChild<QLineEdit *>(QStringLiteral("keyEdit"))->text(), QStringLiteral("S"));
    p.click("saveButton");
    QVERIFY(!p.dialog.isEditingKey());
    QVERIFY(!p.keys);
}

void TestMacroDialog::treeAndRowEditing()
{
    Page p;
    p.click("newButton");
    auto *recordDelays = p.dialog.findChild<QCheckBox *>(QStringLiteral("recordDelayBox"));
    auto *defaultDelay = p.dialog.findChild<QCheckBox *>(QStringLiteral("defaultDelayBox"));
    QTest::mouseClick(defaultDelay, Qt::LeftButton, {}, QPoint(5, defaultDelay->height() / 2));
    QTest::mouseClick(recordDelays, Qt::LeftButton, {}, QPoint(5, recordDelays->height() / 2));
    QVERIFY(recordDelays->isChecked() && !defaultDelay->isChecked());
    auto *tree = p.dialog.findChild<QTreeWidget *>(QStringLiteral("actionTree"));
    p.dialog.TreeitemClick(treeItem(tree, QStringLiteral("LEFT CLICK")), 0);
    QCOMPARE(p.rows(), 4);
    const QModelIndex delay = p.dialog.eventTable()->model()->index(1, 0);
    QCOMPARE(MirtMacroItemDelegate::columnText(MirtMacroItemDelegate::rowEvent(delay), 0, 1),
             QStringLiteral("10 ms"));
    QCOMPARE(MirtMacroItemDelegate::columnText(MirtMacroItemDelegate::rowEvent(delay.sibling(0, 0)), 1, 1),
             QStringLiteral("Press"));

    // Selecting the delay row shows its field; a new value rewrites the row.
    p.dialog.eventTable()->setCurrentIndex(delay);
    auto *delayEdit = p.dialog.findChild<QLineEdit *>(QStringLiteral("delayEdit"));
    QVERIFY(delayEdit->isVisibleTo(&p.dialog));
    delayEdit->setText(QStringLiteral("45"));
    p.dialog.EditDelayChanged();
    QCOMPARE(p.dialog.model().events().at(1), (MacroEvent{6, 0, 45}));

    // CANCEL reloads the saved (empty) macro.
    p.click("cancelButton");
    QCOMPARE(p.rows(), 0);
}

void TestMacroDialog::libraryButtons()
{
    Page p;
    p.click("newButton");
    p.click("newButton");
    QCOMPARE(p.dialog.macroList()->count(), 2);
    p.dialog.findChild<QLineEdit *>(QStringLiteral("macroNameEdit"))->setText(QStringLiteral("jump"));
    p.click("changeNameButton");
    QCOMPARE(p.dialog.macroList()->item(1)->text(), QStringLiteral("jump"));

    // Importing a name the library has is refused and changes nothing.
    const QString outside = p.box.root() + QStringLiteral("/jump.MSMACRO");
    QVERIFY(QFile::copy(MacroFile::macroFilePath(QStringLiteral("jump")), outside));
    p.picked = QStringList{outside};
    p.click("importButton");
    QCOMPARE(p.messages, QStringList{QStringLiteral("Macro Exist!")});
    QCOMPARE(p.dialog.macroList()->count(), 2);

    // Batch export writes the ticked macros into the chosen folder.
    p.click("batchButton");
    p.dialog.macroList()->item(0)->setCheckState(Qt::Checked);
    QDir(p.box.root()).mkdir(QStringLiteral("out"));
    p.picked = QStringList{p.box.root() + QStringLiteral("/out")};
    p.click("exportButton");
    QVERIFY(QFileInfo::exists(p.box.root() + QStringLiteral("/out/name_1.MSMACRO")));
    QVERIFY(!QFileInfo::exists(p.box.root() + QStringLiteral("/out/jump.MSMACRO")));

    p.click("deleteMacroButton");
    QCOMPARE(p.dialog.macroList()->count(), 1);

    // The page gives the model its set: deleting a macro a button runs asks first.
    ProfileSet set;
    set.profiles[0].BUTTON_INFO[1].Fun = 200;
    set.profiles[0].BUTTON_INFO[1].macroname = p.dialog.macroList()->item(0)->text();
    MacroDialog page(&set);
    page.setMessageSink([](int, const QString &, const QString &) {});
    int asked = 0;
    page.model().setQuestion([&asked](const QString &) {
        ++asked;
        return false;
    });
    QTest::mouseClick(page.button(QStringLiteral("deleteMacroButton")), Qt::LeftButton);
    QCOMPARE(asked, 1);
    QCOMPARE(page.macroList()->count(), 1);
}

void TestMacroDialog::gunSetDialog()
{
    StorageSandbox box;
    MirtGunsetDialog dlg;
    // The list shows the events as the shots are set: five shots of press, release and pause.
    QCOMPARE(dlg.eventList()->count(), 15);
    QStringList messages;
    dlg.setMessageSink([&messages](const QString &text) { messages << text; });
    dlg.OnYesClick();
    QCOMPARE(messages, QStringList{QStringLiteral("Please input file name.")});
    QVERIFY(dlg.result() != QDialog::Accepted);
    dlg.nameEdit()->setText(QStringLiteral("ak"));
    dlg.setShotCount(2);
    dlg.delayBox(1)->setValue(50);
    dlg.yBox(0)->setValue(5);
    dlg.xBox(1)->setValue(-3);
    QVERIFY(!dlg.delayBox(2)->isEnabled());
    QCOMPARE(dlg.eventList()->count(), 8);
    QCOMPARE(dlg.eventList()->item(6)->text(), QStringLiteral("(2,0,253)"));
    dlg.OnYesClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.eventList()->count(), 8);
    QCOMPARE(dlg.eventList()->item(6)->text(), QStringLiteral("(2,0,253)"));
    QCOMPARE(dlg.resultName(), QStringLiteral("ak"));
}

void TestMacroDialog::macroSelect()
{
    StorageSandbox box;
    Paths::setDataDir(QString()); // the build's skin
    // Initial values: run mode 2, then the left button option unticks every mode.
    MirtMacroSelect a(QStringLiteral("MACRO SELECT"), QStringLiteral("m"), 7, 2, 0);
    QVERIFY(a.modeBox(2)->isChecked() && !a.leftButtonBox()->isChecked());
    QCOMPARE(a.choice().runMode, 2);
    QTest::mouseClick(a.leftButtonBox(), Qt::LeftButton, {}, QPoint(5, a.leftButtonBox()->height() / 2));
    QVERIFY(!a.modeBox(2)->isChecked());
    QCOMPARE(a.leftButtonOption(), 1);
    QTest::mouseClick(a.modeBox(1), Qt::LeftButton, {}, QPoint(5, a.modeBox(1)->height() / 2));
    QCOMPARE(a.leftButtonOption(), 0);
    QCOMPARE(a.choice().runMode, 1);
    QCOMPARE(a.choice().loopCount, 7);
    // MOUSECFG_SCREENSHOT_DIR keeps a picture of the dialog for a person.
    const QString shots = qEnvironmentVariable("MOUSECFG_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QVERIFY(a.grab().save(shots + QStringLiteral("/macro-select.png")));

    // OK is refused when the choice needs a thirteenth slot.
    ProfileData p;
    for (int i = 0; i < 12; ++i) {
        p.BUTTON_INFO[size_t(i)].Fun = ButtonCatalogue::kFunMacro;
        p.BUTTON_INFO[size_t(i)].macroname = QStringLiteral("m%1").arg(i);
    }
    MirtMacroSelect b(QStringLiteral("MACRO SELECT"), QString(), 1, 0, 0);
    QStringList messages;
    b.setMessageSink([&messages](const QString &text) { messages << text; });
    b.setSlotCheck(&p.BUTTON_INFO, 20);
    b.chooseName(QStringLiteral("new"));
    b.onOk();
    QCOMPARE(messages.size(), 1);
    QVERIFY(b.result() != QDialog::Accepted);
    b.chooseName(QStringLiteral("m4"));
    b.onOk();
    QCOMPARE(b.result(), int(QDialog::Accepted));
}

void TestMacroDialog::windowCaptureWhereRecordIsMissing()
{
    QWidget window;
    QLineEdit field(&window);
    window.show();
    field.setFocus();
    WindowKeySource source(&window);
    QSignalSpy keys(&source, &MacroKeySource::keyEvent);
    QVERIFY(!source.systemWide());
    QVERIFY(source.notice().contains(QStringLiteral("THIS WINDOW ONLY")));
    QVERIFY(source.start());
    QTest::keyClick(&field, Qt::Key_A);
    QCOMPARE(keys.count(), 2); // press and release of evdev 30, kept from the field
    QCOMPARE(keys.at(0).at(0).toInt(), 30);
    QCOMPARE(keys.at(1).at(1).toBool(), true);
    QVERIFY(field.text().isEmpty());
    source.stop();
    QTest::keyClick(&field, Qt::Key_B);
    QCOMPARE(keys.count(), 2);
    QCOMPARE(field.text(), QStringLiteral("b"));
    // No X server here: the window source is the one chosen.
    std::unique_ptr<MacroKeySource> chosen(createKeySource(&window, nullptr));
    QVERIFY(!chosen->systemWide());
}

void TestMacroDialog::windowBuildsThePageWhenShown()
{
    QTemporaryDir dir;
    Paths::setConfigDir(dir.path());
    SkinCache::setDirectory(dir.filePath(QStringLiteral("skin-cache")));
    {
        SimulatedMouseSession sim(false, dir.filePath(QStringLiteral("simulated-mouse.ini")));
        SimulatedMouseFeed feed(&sim.backend());
        MousecfgServices services;
        services.hotplug = &feed;
        services.showTray = false;
        MousecfgWidget w(services);
        QTest::qWait(50);
        QVERIFY(!findPart<MacroDialog>(&w, "macroPage")); // not at start
        w.SelectTab(MousecfgWidget::kTabMacro);
        QTRY_VERIFY(findPart<MacroDialog>(&w, "macroPage"));
        const MacroDialog *page = part<MacroDialog>(&w, "macroPage");
        QCOMPARE(page->parentWidget(), pageArea(&w, MousecfgWidget::kTabMacro));
        QVERIFY(!page->isWindow());
    }
    Paths::setConfigDir(QString());
}

void TestMacroDialog::xAutoRepeatIsOnePress()
{
    RepeatFold fold;
    QStringList seen;
    // Each key keeps the server's time, the release held back to fold a repeat included.
    const RepeatFold::Sink out = [&seen](int code, bool up, unsigned long time) {
        seen << QStringLiteral("%1%2@%3").arg(code).arg(up ? "u" : "d").arg(time);
    };
    fold.feed(38, false, 100, out);
    fold.feed(38, true, 600, out); // repeat: release and press at one time
    fold.feed(38, false, 600, out);
    fold.feed(38, true, 650, out);
    fold.feed(39, false, 700, out); // a real release, then another key
    fold.feed(39, true, 800, out);
    fold.flush(out);
    QCOMPARE(seen, (QStringList{QStringLiteral("38d@100"), QStringLiteral("38u@650"),
                                QStringLiteral("39d@700"), QStringLiteral("39u@800")}));
}

QTEST_MAIN(TestMacroDialog)
#include "tst_macrodialog.moc"
