// The button page, the key capture dialogs, their place in the main window
// and `mousecfg-cli button`.

#include "../CliProcess.h"
#include "../app/WindowParts.h"
#include "ButtonModel.h"
#include "KeyTables.h"
#include "MacroDialog.h"
#include "MirtAction.h"
#include "MirtBtnWindow.h"
#include "MirtComboKeyWindow.h"
#include "MirtFireKeyWindow.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"
#include "MirtSingleKeyWindow.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SkinCache.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace ButtonModel;
using namespace WindowParts;

namespace {

// evdev codes as the X server reports them (+ 8).
enum Evdev
{
    kCtrl = 29,
    kAlt = 56,
    kA = 30,
    kB = 48,
    kDelete = 111,
    kRightCtrl = 97,
    kKp7 = 71,
    kHome = 102
};

void key(QWidget *target, int evdev, bool press)
{
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, 0, Qt::NoModifier, quint32(evdev + 8), 0, 0);
    QApplication::sendEvent(target, &e);
}
void tap(QWidget *target, int evdev)
{
    key(target, evdev, true);
    key(target, evdev, false);
}

// Runs FN on the modal dialog of type D as soon as the page has opened it.
template <typename D> void answerDialog(std::function<void(D *)> fn)
{
    QTimer::singleShot(0, [fn] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        fn(dialog);
    });
}

// A device description with BUTTONCOUNT buttons, second matrix MATRIX and the model switches.
void writeDescription(const QString &dir, const QVector<int> &matrix, int disableMacro = 0,
                      int ledDisable = 0)
{
    QSettings d(dir + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
    d.setValue(QStringLiteral("PROFILE/ButtonCount"), matrix.size()); // MouseDpi 0: stored unmasked
    for (int i = 0; i < kMatrixSize; ++i)
        d.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix2").arg(i),
                   i < matrix.size() ? matrix[i] : 255);
    d.setValue(QStringLiteral("PROFILE/DisableMacro"), disableMacro);
    d.setValue(QStringLiteral("PROFILE/ledDisable"), ledDisable);
}

Buttons leftOnlyOnFirst()
{
    Buttons b{};
    b[0].Fun = 1;
    for (int i = 1; i < kButtonCount; ++i)
        b[size_t(i)].Fun = 3;
    return b;
}

QStringList texts(const QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions())
        out << a->text();
    return out;
}

// A language whose every catalogue text is marked, as a loaded translation would.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const bool ours = qstrcmp(context, "ButtonCatalogue") == 0 || qstrcmp(context, "ButtonModel") == 0;
        return ours ? QStringLiteral("~") + QString::fromUtf8(source) : QString();
    }
    bool isEmpty() const override { return false; }
};

// Plain debug lines (the "default" category, printed without --verbose) seen
// since the last look; everything else goes on to Qt's handler.
QStringList g_plainDebug;
QtMessageHandler g_previousHandler = nullptr;

void catchPlainDebug(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg && qstrcmp(context.category, "default") == 0)
        g_plainDebug << text;
    else if (g_previousHandler)
        g_previousHandler(type, context, text);
}

} // namespace

class TestButtonPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<MirtPushButton *>();
        g_previousHandler = qInstallMessageHandler(catchPlainDebug);
    }
    void cleanup()
    {
        // Hovering the buttons and typing keys into the dialogs print nothing
        // unless asked (the mousecfg.pages category).
        QVERIFY2(g_plainDebug.isEmpty(), qPrintable(g_plainDebug.join(QLatin1Char('\n'))));
        MirtKit::setScaleFactor(1.0);
        Paths::setDataDir(QString());
    }

    void firstSetLayout();
    void clickRuleBothWays();
    void menusFollowTheModelSwitches();
    void labelsFollowTheLanguage();
    void labelsNameTheAssignment();
    void pageShowsLabelsAndRestsAfterDialogs();

    void keyIndexRules_data();
    void keyIndexRules();
    void comboSlotsAndDisplay();
    void fireKeyDialog();
    void numberFieldsShowWhatIsStored();

    void windowBuildsThePageWhenShown();
    void cliAssignsAsThePageDoes();
};

// ---------------------------------------------------------------------------
// The page

void TestButtonPage::firstSetLayout()
{
    // Ten visible buttons: fixed spacing.
    const QVector<Slot> ten = ButtonModel::firstSetLayout(QVector<int>(10, 0), 400, 1.0);
    QCOMPARE(ten[0].geometry.y(), 10);
    QCOMPARE(ten[1].geometry.y(), 45);

    QTemporaryDir data;
    writeDescription(data.path(), {0, 1, 255, 3, 4, 5});
    Paths::setDataDir(data.path());
    Buttons b = leftOnlyOnFirst();
    MirtBtnWindow page(&b);
    page.resize(665, 400);
    page.Rescale(1.0);
    QVector<int> ys, numbers;
    for (int i = 0; i < 6; ++i) {
        MirtPushButton *btn = page.functionButton(kFirstSet, i);
        if (i == 2) {
            QVERIFY(btn->geometry().isEmpty() && btn->isHidden());
            continue;
        }
        QCOMPARE(btn->geometry(), QRect(56, btn->y(), 220, 30));
        ys << btn->y();
        numbers << btn->property("buttonNumber").toInt();
    }
    QCOMPARE(ys, (QVector<int>{41, 112, 183, 254, 325}));
    QCOMPARE(numbers, (QVector<int>{1, 2, 3, 4, 5}));
    // The buttons the page shows are the records the CLI accepts.
    QVector<int> onPage;
    for (int set = 0; set < kSetCount; ++set) {
        for (int i = 0; i < kSetSizes[set]; ++i) {
            if (!page.functionButton(set, i)->geometry().isEmpty())
                onPage << recordIndex(set, i);
        }
    }
    QCOMPARE(onPage, (QVector<int>{0, 1, 3, 4, 5, 20, 21, 40, 41}));
    QCOMPARE(shownRecords(secondMatrix()), onPage);
    // A press on a button selects it (and prints nothing).
    emit page.functionButton(kFirstSet, 3)->EnterSignal(page.functionButton(kFirstSet, 3));
    QCOMPARE(int(page.currentIndex()), 3);

    // The second set stands in its own place when selected; the wheel set beside the first.
    page.Select(0, kSecondSet);
    QVERIFY(!page.functionButton(kSecondSet, 0)->isHidden() && page.functionButton(kFirstSet, 0)->isHidden());
    page.Select(1, kWheelSet);
    QVERIFY(!page.functionButton(kWheelSet, 1)->isHidden() && page.functionButton(kSecondSet, 0)->isHidden());
    QVERIFY(!page.functionButton(kWheelSet, 1)
                 ->geometry()
                 .intersects(page.functionButton(kFirstSet, 1)->geometry()));
}

void TestButtonPage::clickRuleBothWays()
{
    Buttons b = leftOnlyOnFirst();
    const Buttons before = b;
    MirtBtnWindow page(&b);
    QSignalSpy pop(&page, &MirtBtnWindow::PopOneClickBox);
    QSignalSpy sel(&page, &MirtBtnWindow::SelBtnControl);
    page.Select(0, kFirstSet);
    page.entryAction(2)->trigger(); // "Right" for the only "Left"
    QCOMPARE(pop.count(), 1);
    QCOMPARE(b, before);
    // Highlighted while the message is up, released when it is gone.
    QCOMPARE(sel.count(), 2);
    QCOMPARE(sel.at(0).at(1).toBool(), true);
    QCOMPARE(sel.at(1).at(1).toBool(), false);

    // A wheel record holding "Left" too: the change goes through and the button relabels.
    b[41].Fun = 1;
    page.Select(0, kFirstSet);
    page.entryAction(48)->trigger();
    QCOMPARE(pop.count(), 1);
    QCOMPARE(b[0].Fun, 48);
    QCOMPARE(page.functionButton(kFirstSet, 0)->text(), QStringLiteral("DPI +"));
    QCOMPARE(sel.last().at(1).toBool(), false);
    QCOMPARE(page.currentSet(), kNoSelection);

    // "Macro Manager" hands over to the macro tab and changes nothing.
    QSignalSpy macro(&page, &MirtBtnWindow::GotoMacroTab);
    page.Select(3, kFirstSet);
    page.entryAction(200)->trigger();
    QCOMPARE(macro.count(), 1);
    QCOMPARE(macro.at(0).at(0).value<uchar>(), uchar(3));
    QCOMPARE(b[3].Fun, 3);
}

void TestButtonPage::menusFollowTheModelSwitches()
{
    const QStringList full = {
        QStringLiteral("Left"),       QStringLiteral("Right"),        QStringLiteral("Middle"),
        QStringLiteral("Forward"),    QStringLiteral("Back"),         QStringLiteral("Basic"),
        QStringLiteral("Windows"),    QStringLiteral("Advance"),      QStringLiteral("Media"),
        QStringLiteral("DPI"),        QStringLiteral("Polling Rate"), QStringLiteral("Macro Manager"),
        QStringLiteral("Led Switch"), QStringLiteral("Button Off")};
    QTemporaryDir data;
    for (int macro = 0; macro <= 1; ++macro) {
        for (int led = 0; led <= 1; ++led) {
            writeDescription(data.path(), {0, 1, 2}, macro, led);
            Paths::setDataDir(data.path());
            Buttons b{};
            MirtBtnWindow page(&b);
            QStringList expected = full;
            if (macro)
                expected.removeAll(QStringLiteral("Macro Manager"));
            if (led)
                expected.removeAll(QStringLiteral("Led Switch"));
            QCOMPARE(texts(page.buttonMenu()), expected);
            QCOMPARE(page.functionButton(kFirstSet, 0)->menu(), page.buttonMenu());
            QCOMPARE(page.functionButton(kWheelSet, 0)->menu(), page.wheelMenu());
        }
    }
    Buttons b{};
    MirtBtnWindow page(&b);
    QCOMPARE(texts(page.wheelMenu()),
             (QStringList{"Scroll Up", "Scroll Down", "Volume Up", "Volume Down", "Left", "Right", "Middle",
                          "Forward", "Back", "SINGLE KEY", "COMBO KEY"}));
    QCOMPARE(texts(page.buttonMenu()->actions()[7]->menu()),
             (QStringList{"SINGLE KEY", "COMBO KEY", "FIRE KEY", "SNIPER"}));
}

void TestButtonPage::labelsFollowTheLanguage()
{
    Buttons b{};
    for (int i = 0; i < kButtonCount; ++i)
        b[size_t(i)].Fun = 17 + i % 20;
    b[5].Fun = ButtonCatalogue::kFunMacro;
    b[5].macroname = QStringLiteral("my macro");
    b[7].Fun = 52; // "Scroll Up" shows only on the wheel set
    b[40].Fun = 52;
    MirtBtnWindow page(&b);
    MarkingTranslator language;
    QCoreApplication::installTranslator(&language);
    page.Retranslate();
    QCoreApplication::removeTranslator(&language);
    for (int s = 0; s < kSetCount; ++s) {
        for (int i = 0; i < kSetSizes[s]; ++i) {
            const int r = recordIndex(s, i);
            const QString label = page.functionButton(s, i)->text();
            if (r == 5)
                QCOMPARE(label, QStringLiteral("~Macro: my macro"));
            else if (r == 7)
                QCOMPARE(label, QString());
            else
                QVERIFY2(label.startsWith(QLatin1Char('~')),
                         qPrintable(QStringLiteral("%1: %2").arg(r).arg(label)));
        }
    }
    QCOMPARE(page.functionButton(kWheelSet, 0)->text(), QStringLiteral("~Scroll Up"));
    QCOMPARE(page.entryAction(48)->text(), QStringLiteral("~DPI +"));
}

void TestButtonPage::labelsNameTheAssignment()
{
    using namespace ButtonCatalogue;
    ButtonAssignment single;
    assignSingleKey(single, 63);
    QCOMPARE(buttonLabel(single, kFirstSet), QStringLiteral("F5"));
    assignSingleKey(single, 0); // a key without a name: what the button does
    QCOMPARE(buttonLabel(single, kFirstSet), QStringLiteral("SINGLE KEY"));

    // A combo names its keys in the usual order, whatever order they were held in.
    ButtonAssignment combo;
    std::array<ComboSlot, kComboSlots> keys{};
    keys[kComboAlt] = {true, 239}; // the right Alt counts as Alt
    keys[kComboCtrl] = {true, 29};
    keys[kComboOther] = {true, 83};
    assignComboKey(combo, keys);
    QCOMPARE(buttonLabel(combo, kWheelSet), QStringLiteral("Ctrl+Alt+Delete"));
    keys = {};
    keys[kComboWindows] = {true, 91};
    keys[kComboShift] = {true, 42};
    keys[kComboOther] = {true, 30};
    assignComboKey(combo, keys);
    QCOMPARE(comboLabel(combo), QStringLiteral("Shift+Win+") + KeyTables::keyName(30));
    assignComboKey(combo, {});
    QCOMPARE(buttonLabel(combo, kFirstSet), QStringLiteral("COMBO KEY"));

    // A fire key: source, count and pause, with the dialog's own values for zeros.
    ButtonAssignment fire;
    assignFireKey(fire, 0x81, 7, 30);
    QCOMPARE(buttonLabel(fire, kFirstSet), QStringLiteral("Fire: Left ×7, 30 ms"));
    assignFireKey(fire, 0x84, 0, 0);
    QCOMPARE(buttonLabel(fire, kFirstSet), QStringLiteral("Fire: Middle ×3, 10 ms"));
    assignFireKey(fire, fireSource(30), 2, 50);
    QCOMPARE(buttonLabel(fire, kFirstSet), QStringLiteral("Fire: %1 ×2, 50 ms").arg(KeyTables::keyName(30)));

    ButtonAssignment macro;
    assignMacro(macro, ButtonCatalogue::kFunMacro, QStringLiteral("spray"), 1, 0, 0, {});
    QCOMPARE(buttonLabel(macro, kFirstSet), QStringLiteral("Macro: spray"));
    assignMacro(macro, kFunGunFile, QStringLiteral("ak"), 1, 0, 0, {});
    QCOMPARE(buttonLabel(macro, kFirstSet), QStringLiteral("Gun file: ak"));
    assignMacro(macro, ButtonCatalogue::kFunMacro, QString(), 1, 0, 0, {});
    QCOMPARE(buttonLabel(macro, kFirstSet), QStringLiteral("Macro Manager"));

    ButtonAssignment plain;
    assignFunction(plain, 48);
    QCOMPARE(buttonLabel(plain, kFirstSet), QStringLiteral("DPI +"));

    // In the window's language: every word of the label is translated.
    MarkingTranslator language;
    QCoreApplication::installTranslator(&language);
    assignFireKey(fire, 0x81, 7, 30);
    QCOMPARE(buttonLabel(fire, kFirstSet), QStringLiteral("~Fire: ~Left ×7, 30 ms"));
    keys = {};
    keys[kComboCtrl] = {true, 29};
    keys[kComboOther] = {true, 83};
    assignComboKey(combo, keys);
    QCOMPARE(buttonLabel(combo, kFirstSet), QStringLiteral("~Ctrl+Delete"));
    QCoreApplication::removeTranslator(&language);
}

void TestButtonPage::pageShowsLabelsAndRestsAfterDialogs()
{
    Buttons b = leftOnlyOnFirst();
    MirtBtnWindow page(&b);
    QSignalSpy mirrored(&page, &MirtBtnWindow::SelBtnControl);
    MirtPushButton *btn = page.functionButton(kFirstSet, 3);
    auto hover = [](MirtPushButton *button) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
        QCOMPARE(button->imageIndex(), 1);
    };

    // The dialog takes the pointer's leave; when it closes (the pointer not
    // over the button) the button and its hot spot are at rest again.
    hover(btn);
    page.Select(3, kFirstSet);
    answerDialog<MirtSingleKeyWindow>([](MirtSingleKeyWindow *d) {
        QVERIFY(!d->prompt()->text().isEmpty()); // it says what to do
        key(d->keyDisplay(), 28, false);         // the Return that chose the entry lets go: no key
        QVERIFY(d->keyDisplay()->text().isEmpty());
        tap(d->keyDisplay(), 63 /* F5 */);
        d->okButton()->released();
    });
    page.entryAction(ButtonCatalogue::kFunSingleKey)->trigger();
    QCOMPARE(btn->text(), buttonLabel(b[3], kFirstSet));
    QCOMPARE(btn->text(), QStringLiteral("F5"));
    QCOMPARE(btn->imageIndex(), 0);
    QVERIFY(!btn->isOn());
    QCOMPARE(mirrored.last().at(0).value<MirtPushButton *>(), btn);
    QCOMPARE(mirrored.last().at(1).toBool(), false);
    QVERIFY(btn->toolTip().isEmpty()); // it fits

    // After the message of the click rule too.
    MirtPushButton *left = page.functionButton(kFirstSet, 0);
    hover(left);
    page.Select(0, kFirstSet);
    QSignalSpy oneClick(&page, &MirtBtnWindow::PopOneClickBox);
    page.entryAction(2)->trigger();
    QCOMPARE(oneClick.count(), 1);
    QCOMPARE(left->imageIndex(), 0);
    QCOMPARE(mirrored.last().at(1).toBool(), false);

    // A label cut short carries the whole label as tool tip.
    b[4].Fun = ButtonCatalogue::kFunMacro;
    b[4].macroname = QStringLiteral("a macro whose name is far too long for any button of the page");
    page.SetRecords(&b);
    MirtPushButton *longOne = page.functionButton(kFirstSet, 4);
    QCOMPARE(longOne->toolTip(), buttonLabel(b[4], kFirstSet));
}

// ---------------------------------------------------------------------------
// The dialogs

void TestButtonPage::keyIndexRules_data()
{
    QTest::addColumn<int>("evdev");
    QTest::addColumn<int>("keyIndex");
    QTest::newRow("Right Ctrl") << int(kRightCtrl) << 238;
    QTest::newRow("Num 7") << int(kKp7) << 235;
    QTest::newRow("Home") << int(kHome) << 71;
    QTest::newRow("Delete") << int(kDelete) << 83;
    QTest::newRow("A") << int(kA) << 30;
}

void TestButtonPage::keyIndexRules()
{
    QFETCH(int, evdev);
    QFETCH(int, keyIndex);
    MirtSingleKeyWindow dialog;
    QSignalSpy value(&dialog, &MirtSingleKeyWindow::SetSingleKeyValue);
    key(dialog.keyDisplay(), evdev, true);
    key(dialog.keyDisplay(), evdev, true); // auto-repeat: one event
    QCOMPARE(value.count(), 1);
    QCOMPARE(int(dialog.key()), keyIndex);
    QCOMPARE(dialog.keyDisplay()->text(), KeyTables::keyName(keyIndex));

    // The exact flags of the keyboard hook decide: (scan code, flags) pairs.
    QCOMPARE(keyIndexFromScan(29, kFlagExtended), 238);
    QCOMPARE(keyIndexFromScan(71, 0x00), 235);
    QCOMPARE(keyIndexFromScan(71, kFlagExtended), 71);
    QCOMPARE(keyIndexFromScan(56, 0x21), 239);
    QCOMPARE(keyIndexFromScan(56, 0x20), 56);
}

void TestButtonPage::comboSlotsAndDisplay()
{
    {
        MirtComboKeyWindow dialog;
        dialog.show();
        QCOMPARE(QWidget::keyboardGrabber(), &dialog);
        QWidget *k = dialog.keyDisplay();
        key(k, kCtrl, true);
        key(k, kAlt, true);
        key(k, kDelete, true);
        key(k, kDelete, false);
        key(k, kAlt, false);
        key(k, kCtrl, false);
        const auto flags = dialog.capture().comboKey();
        QCOMPARE(QVector<int>(flags.begin(), flags.end()), (QVector<int>{0, 1, 0, 1, 1}));
        QCOMPARE(dialog.keyDisplay()->text(), QStringLiteral("LCtr + LAlt + Delete"));
        dialog.reject();
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);
    }
    {
        MirtComboKeyWindow dialog;
        key(dialog.keyDisplay(), kCtrl, true);
        tap(dialog.keyDisplay(), kA);
        tap(dialog.keyDisplay(), kB);
        QCOMPARE(dialog.keyDisplay()->text(), QStringLiteral("LCtr + B"));
    }

    // Through the page: the record's KeyInfo, and the dialog filled from it next time.
    Buttons b = leftOnlyOnFirst();
    b[3].KeyNumber = 9;
    MirtBtnWindow page(&b);
    page.Select(3, kFirstSet);
    answerDialog<MirtComboKeyWindow>([](MirtComboKeyWindow *d) {
        key(d->keyDisplay(), kAlt, true);
        key(d->keyDisplay(), kCtrl, true);
        tap(d->keyDisplay(), kDelete);
        d->okButton()->released();
    });
    page.entryAction(ButtonCatalogue::kFunComboKey)->trigger();
    const ButtonAssignment &r = b[3];
    QCOMPARE(r.Fun, ButtonCatalogue::kFunComboKey);
    QCOMPARE(r.KeyNumber, 9);
    const int usages[6] = {0xE0, 0xE2, 0x4C, 0x4C, 0xE2, 0xE0}; // Ctrl, Alt, Delete in slot order
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(int(r.KeyInfo[size_t(i)].map), usages[i]);
        QCOMPARE(int(r.KeyInfo[size_t(i)].H), i < 3 ? 0x80 : 0);
    }
    QCOMPARE(r.KeyInfo[6].map, uint8_t(0));
    MirtComboKeyWindow refill;
    refill.fill(r);
    QCOMPARE(refill.keyDisplay()->text(), QStringLiteral("LCtr + LAlt + Delete"));
}

void TestButtonPage::fireKeyDialog()
{
    ButtonAssignment held;
    held.Fun = ButtonCatalogue::kFunFireKey;
    MirtFireKeyWindow dialog;
    dialog.fill(held); // LoopNumber and KeyNumber 0
    QCOMPARE(dialog.timesEdit()->text(), QStringLiteral("3"));
    QCOMPARE(dialog.delayEdit()->text(), QStringLiteral("10"));
    QVERIFY(dialog.sourceBox(kFireLeft)->isChecked());

    // Keyboard key: captured, but not from a number field; "Left" clears it.
    dialog.sourceBox(kFireKeyboard)->click();
    tap(dialog.keyDisplay(), kA);
    QCOMPARE(dialog.settings().key, 30);
    dialog.timesEdit()->setFocus();
    key(dialog.timesEdit(), kB, true);
    QCOMPARE(dialog.settings().key, 30);
    dialog.sourceBox(kFireLeft)->click();
    QCOMPARE(dialog.settings().key, 0);
    QVERIFY(!dialog.sourceBox(kFireKeyboard)->isChecked());

    // Through the page: the middle button fires as 0x84.
    Buttons b = leftOnlyOnFirst();
    MirtBtnWindow page(&b);
    page.Select(2, kFirstSet);
    answerDialog<MirtFireKeyWindow>([](MirtFireKeyWindow *d) {
        d->sourceBox(kFireMiddle)->click();
        d->timesEdit()->setText(QStringLiteral("7"));
        d->okButton()->released();
    });
    page.entryAction(ButtonCatalogue::kFunFireKey)->trigger();
    QCOMPARE(int(b[2].Res1), 0x84);
    QCOMPARE(b[2].LoopNumber, 7);
    QCOMPARE(b[2].KeyNumber, 100);
    // A rejected dialog changes nothing.
    const ButtonAssignment kept = b[2];
    page.Select(2, kFirstSet);
    answerDialog<MirtSingleKeyWindow>([](MirtSingleKeyWindow *d) {
        tap(d->keyDisplay(), kA);
        d->cancelButton()->released();
    });
    page.entryAction(ButtonCatalogue::kFunSingleKey)->trigger();
    QCOMPARE(b[2], kept);
    // An accepted one is stored.
    page.Select(2, kFirstSet);
    answerDialog<MirtSingleKeyWindow>([](MirtSingleKeyWindow *d) {
        tap(d->keyDisplay(), kB);
        d->okButton()->released();
    });
    page.entryAction(ButtonCatalogue::kFunSingleKey)->trigger();
    QCOMPARE(b[2].Fun, ButtonCatalogue::kFunSingleKey);
}

void TestButtonPage::numberFieldsShowWhatIsStored()
{
    // A value the field refuses (times 0, below 1), Enter: the stored value again.
    MirtFireKeyWindow dialog;
    QLineEdit *times = dialog.timesEdit();
    times->selectAll();
    QTest::keyClicks(times, QStringLiteral("0"));
    QCOMPARE(times->text(), QStringLiteral("0"));
    QTest::keyClick(times, Qt::Key_Return);
    QCOMPARE(times->text(), QStringLiteral("3"));
    QCOMPARE(dialog.settings().times, 3);
    // A value it accepts is the stored one from then on; leaving the field reverts too.
    times->selectAll();
    QTest::keyClicks(times, QStringLiteral("7"));
    QTest::keyClick(times, Qt::Key_Return);
    times->selectAll();
    QTest::keyClicks(times, QStringLiteral("0"));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(times, &out);
    QCOMPARE(times->text(), QStringLiteral("7"));
    // What the program fills in is stored as well.
    ButtonAssignment held;
    held.Fun = ButtonCatalogue::kFunFireKey;
    held.LoopNumber = 9;
    dialog.fill(held);
    times->selectAll();
    QTest::keyClicks(times, QStringLiteral("0"));
    QTest::keyClick(times, Qt::Key_Return);
    QCOMPARE(times->text(), QStringLiteral("9"));

    // The macro editor's rows: a delay of 5 (at least 10) and a distance of
    // 999 (at most 120) leave the row as it was, and the field shows it.
    QTemporaryDir dir;
    Paths::setConfigDir(dir.path());
    {
        MacroDialog editor(nullptr);
        editor.setMessageSink([](int, const QString &, const QString &) {});
        QTest::mouseClick(editor.button(QStringLiteral("newButton")), Qt::LeftButton);
        editor.model().insertDelay(30);
        editor.model().insertMove(MacroModel::Direction(0), 10);
        const QVector<MacroEvent> rows = editor.model().events();
        QCOMPARE(rows.size(), 2);
        const struct
        {
            int row;
            const char *field;
            const char *typed;
            const char *stored;
        } cases[] = {{0, "delayEdit", "5", "30"}, {1, "moveEdit", "999", "10"}};
        for (const auto &c : cases) {
            editor.SelectRow(c.row);
            auto *field = editor.findChild<QLineEdit *>(QLatin1String(c.field));
            QCOMPARE(field->text(), QLatin1String(c.stored));
            field->selectAll();
            QTest::keyClicks(field, QLatin1String(c.typed));
            QCOMPARE(field->text(), QLatin1String(c.typed));
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(field->text(), QLatin1String(c.stored));
            QCOMPARE(editor.model().events(), rows);
        }
    }
    Paths::setConfigDir(QString());
}

// ---------------------------------------------------------------------------
// The main window

void TestButtonPage::windowBuildsThePageWhenShown()
{
    QTemporaryDir dir;
    Paths::setConfigDir(dir.path());
    SkinCache::setDirectory(dir.filePath(QStringLiteral("skin-cache")));
    MirtKit::reloadConfig();
    {
        SimulatedMouseSession sim(false, dir.filePath(QStringLiteral("simulated-mouse.ini")));
        SimulatedMouseFeed feed(&sim.backend());
        MousecfgServices services;
        services.hotplug = &feed;
        services.showTray = false;
        MousecfgWidget w(services);
        QTest::qWait(50);
        QVERIFY(!findPart<MirtBtnWindow>(&w, "buttonPage")); // not before its tab is shown
        w.SelectTab(MousecfgWidget::kTabCustomize);
        QTRY_VERIFY(findPart<MirtBtnWindow>(&w, "buttonPage"));
        MirtBtnWindow *page = part<MirtBtnWindow>(&w, "buttonPage");
        QCOMPARE(page->parentWidget(), pageArea(&w, MousecfgWidget::kTabCustomize));
        QCOMPARE(page->records(), &w.currentSet().current().BUTTON_INFO);
        w.SetCurrentProfile(2, false);
        QCOMPARE(page->records(), &w.currentSet().profiles[2].BUTTON_INFO);

        // A marker selects the page's button; the page's hover lights the marker.
        w.SelBtnChanged(1, 0);
        QCOMPARE(int(page->currentIndex()), 1);
        emit page->SelBtnControl(page->functionButton(kFirstSet, 4), true);
        QCOMPARE(marker(&w, 4)->GetState(), 1);
        // The side view's markers stand for the thumb buttons of the first set,
        // never for the second set's empty buttons.
        w.ShowFrontView(false);
        QVERIFY(!marker(&w, MousecfgWidget::kMarkersPerView)->isHidden());
        QVERIFY(marker(&w, MousecfgWidget::kMarkersPerView + 2)->isHidden());
        marker(&w, MousecfgWidget::kMarkersPerView + 1)->click();
        QCOMPARE(int(page->currentSet()), int(kFirstSet));
        QCOMPARE(int(page->currentIndex()), 4);
        QVERIFY(marker(&w, MousecfgWidget::kMarkersPerView + 1)->isOn());
        QVERIFY(!page->functionButton(kFirstSet, 4)->isHidden());
        QVERIFY(page->functionButton(kSecondSet, 0)->isHidden());
        w.ShowFrontView(true);

        page->entryAction(200)->trigger();
        QCOMPARE(w.currentTab(), int(MousecfgWidget::kTabMacro));
    }
    Paths::setConfigDir(QString());
}

// ---------------------------------------------------------------------------
// mousecfg-cli button

void TestButtonPage::cliAssignsAsThePageDoes()
{
    QTemporaryDir conf;
    {
        QSettings c(conf.filePath(QStringLiteral("Config.ini")), QSettings::IniFormat);
        for (int i = 1; i <= kProfileCount; ++i)
            c.setValue(QStringLiteral("Config/Profile%1").arg(i), QStringLiteral("Profile %1").arg(i));
    }
    QString out, err;
    auto cli = [&](const QStringList &args) {
        const CliRun r = runCli(args, conf.path());
        out = r.out;
        err = r.err.trimmed();
        return r.code;
    };
    auto buttons = [&](int slot) {
        cli({QStringLiteral("show")});
        return QJsonDocument::fromJson(out.toUtf8())
            .object()[QStringLiteral("profiles")]
            .toArray()[slot]
            .toObject()[QStringLiteral("BUTTON_INFO")]
            .toArray();
    };
    auto button = [&](int slot, int record) { return buttons(slot)[record].toObject(); };

    QCOMPARE(cli({QStringLiteral("button"), QStringLiteral("--list")}), 0);
    QVERIFY(out.contains(QStringLiteral("dpi+\tDPI +\n")));
    QVERIFY(out.contains(QStringLiteral("media play-pause\tPlay/Pause\n")));

    QCOMPARE(cli({"button", "--slot", "2", "3", "dpi+"}), 0);
    QCOMPARE(button(1, 3)[QStringLiteral("Fun")].toInt(), 48);
    QCOMPARE(cli({"button", "--slot", "2", "4", "combo", "ctrl+alt+delete"}), 0);
    const QJsonArray keys = button(1, 4)[QStringLiteral("KeyInfo")].toArray();
    QCOMPARE(keys[0].toArray(), (QJsonArray{0xE0, 5, 0x80}));
    QCOMPARE(keys[2].toArray(), (QJsonArray{0x4C, 5, 0x80}));
    QCOMPARE(keys[5].toArray(), (QJsonArray{0xE0, 5, 0}));
    QCOMPARE(cli({"button", "--slot", "2", "5", "fire", "middle", "--times", "5", "--delay", "20"}), 0);
    QCOMPARE(button(1, 5)[QStringLiteral("Res1")].toInt(), 0x84);
    QCOMPARE(button(1, 5)[QStringLiteral("LoopNumber")].toInt(), 5);
    QCOMPARE(cli({"button", "--slot", "2", "6", "key", "page-up"}), 0);
    QCOMPARE(button(1, 6)[QStringLiteral("Res1")].toInt(), 73);

    // The click rule: the page's message, exit 1, nothing stored.
    const QJsonArray before = buttons(1);
    int lefts = 0;
    for (const QJsonValue &v : before)
        lefts += v.toObject()[QStringLiteral("Fun")].toInt() == 1 ? 1 : 0;
    QVERIFY(lefts >= 1);
    for (int r = 0; r < kButtonCount; ++r) {
        if (before[r].toObject()[QStringLiteral("Fun")].toInt() != 1)
            continue;
        const int code = cli({"button", "--slot", "2", QString::number(r), "off"});
        if (--lefts == 0) {
            QCOMPARE(code, 1);
            QCOMPARE(err, QStringLiteral("mousecfg-cli: AT LEAST ONE CLICK FUNCTION TO BE RETAINED."));
        } else {
            QCOMPARE(code, 0);
        }
    }
    const QList<QStringList> refused = {{"40", "dpi+"},        {"3", "fire", "left", "--times", "0"},
                                        {"3", "key", "nokey"}, {"3", "combo", "a+b"},
                                        {"42", "left"},        {"3", "warp"},
                                        {"8", "dpi+"},         {"19", "left"},
                                        {"22", "left"},        {"39", "macro", "m"},
                                        {"-1", "left"},        {"x", "left"}};
    const QJsonArray kept = buttons(1);
    for (const QStringList &args : refused) {
        QCOMPARE(cli(QStringList{"button", "--slot", "2"} + args), 1);
        QVERIFY2(!err.isEmpty() && !err.contains(QLatin1Char('\n')), qPrintable(err));
    }
    QCOMPARE(buttons(1), kept);
    // Only the buttons the mouse has, as the window shows them (the shipped
    // model: eight on top, two on the side, the wheel); the error names them.
    QCOMPARE(cli({"button", "--slot", "2", "9", "dpi+"}), 1);
    QCOMPARE(err, QStringLiteral(
                      "mousecfg-cli: this mouse has no button \"9\"; its buttons are 0-7, 20, 21, 40, 41"));
    QCOMPARE(cli({"button", "--slot", "2", "21", "left"}), 0);
    QCOMPARE(button(1, 21)[QStringLiteral("Fun")].toInt(), 1);

    // Another model: its second matrix has no third button.
    QTemporaryDir data;
    writeDescription(data.path(), {0, 1, 255, 3});
    const QStringList otherModel = {QStringLiteral("--data-dir"), data.path()};
    QCOMPARE(cli(otherModel + QStringList{"button", "--slot", "2", "2", "dpi+"}), 1);
    QCOMPARE(err,
             QStringLiteral(
                 "mousecfg-cli: this mouse has no button \"2\"; its buttons are 0, 1, 3, 20, 21, 40, 41"));
    QCOMPARE(cli(otherModel + QStringList{"button", "--slot", "2", "3", "dpi+"}), 0);
    QCOMPARE(cli({QStringLiteral("button"), QStringLiteral("3")}), 2);
}

QTEST_MAIN(TestButtonPage)
#include "tst_buttonpage.moc"
