// Auto-switch in the window, wired to a fake desktop and the simulated mouse:
// a focused window switches the mouse through the profile path with a notice,
// the follower runs only while auto-switch is on, the tray entry turns it off,
// and the dialog from the profile area writes the rules.

#include "AutoSwitchControl.h"
#include "AutoSwitchDialog.h"
#include "AutoSwitchRules.h"
#include "FakeActiveWindowSource.h"
#include "MirtKit.h"
#include "MirtPushButton.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SkinCache.h"
#include "WindowParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using WindowParts::part;

class TestAutoSwitchWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void focusSwitchesTheMouse();
    void offFollowsNothing();
    void dialogWritesTheRules();

private:
    void writeRules(bool on);
    void makeWindow();
    int mouseProfile()
    {
        int active = -1;
        m_sim->backend().withFirmware([&](MouseFirmware &fw) { active = fw.activeProfile(); });
        return active + 1;
    }
    static ActiveWindow window(const QString &cls, qint64 pid = 4242)
    {
        ActiveWindow w;
        w.classes = QStringList{cls, QStringLiteral("Game")};
        w.pid = pid;
        return w;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SimulatedMouseSession> m_sim;
    std::unique_ptr<SimulatedMouseFeed> m_feed;
    std::unique_ptr<MousecfgWidget> m_w;
    FakeActiveWindowSource *m_source = nullptr; // owned by the window once made
    int m_made = 0;
    QStringList m_notices;
};

void TestAutoSwitchWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Paths::setConfigDir(m_dir->path());
    SkinCache::setDirectory(m_dir->path() + QStringLiteral("/skin-cache"));
    Paths::seedConfigDir(m_dir->path());
    MirtKit::reloadConfig();
    m_source = nullptr;
    m_made = 0;
    m_notices.clear();
}

void TestAutoSwitchWindow::cleanup()
{
    m_w.reset();
    m_feed.reset();
    m_sim.reset();
    m_dir.reset();
}

void TestAutoSwitchWindow::writeRules(bool on)
{
    AutoSwitchRules rules;
    rules.setEnabled(on);
    rules.setRule(QStringLiteral("game-a"), 2);
    rules.setRule(QStringLiteral("game-b"), 4);
    QVERIFY(rules.save(AutoSwitchRules::defaultFile()));
}

void TestAutoSwitchWindow::makeWindow()
{
    m_sim = std::make_unique<SimulatedMouseSession>(false,
                                                    m_dir->path() + QStringLiteral("/simulated-mouse.ini"));
    m_sim->backend().setEchoLatencyUs(200);
    m_feed = std::make_unique<SimulatedMouseFeed>(&m_sim->backend());
    MousecfgServices s;
    s.hotplug = m_feed.get();
    s.showTray = false;
    s.activeWindowSource = [this] {
        ++m_made;
        m_source = new FakeActiveWindowSource;
        m_source->activate(window(QStringLiteral("editor"))); // an open window for the pick list
        return m_source;
    };
    m_w = std::make_unique<MousecfgWidget>(s);
    connect(m_w.get(), &MousecfgWidget::osdNotice, this, [this](const QString &t) { m_notices << t; });
    m_w->show();
    QTRY_VERIFY(m_w->firstFrameDone());
}

void TestAutoSwitchWindow::focusSwitchesTheMouse()
{
    writeRules(true);
    makeWindow();
    QTRY_VERIFY(m_source && m_source->running());
    QCOMPARE(mouseProfile(), 1);

    m_source->activate(window(QStringLiteral("game-a")));
    QTRY_COMPARE(mouseProfile(), 2);
    QTRY_VERIFY(m_notices.contains(QStringLiteral("Auto-switch: Profile 2")));
    QVERIFY(part<MirtPushButton>(m_w.get(), "profileButton2")->GetState() == 1);

    // Hidden in the tray it still switches (and the button follows for when it shows again).
    m_w->hide();
    m_source->activate(window(QStringLiteral("game-b")));
    QTRY_COMPARE(mouseProfile(), 4);
    QVERIFY(part<MirtPushButton>(m_w.get(), "profileButton4")->GetState() == 1);
    m_source->activate(window(QStringLiteral("game-a")));
    QTRY_COMPARE(mouseProfile(), 2);
    m_w->show();

    // The program's own windows want nothing.
    m_source->activate(window(QStringLiteral("game-b"), QCoreApplication::applicationPid()));
    QTest::qWait(AutoSwitcher::kSettleMs + 300);
    QCOMPARE(mouseProfile(), 2);

    // The tray's entry turns it off: stored, and the desktop no longer followed.
    auto *control = part<AutoSwitchControl>(m_w.get(), "autoSwitch");
    QMenu menu;
    control->addToMenu(&menu, nullptr);
    QAction *entry = control->trayAction();
    QVERIFY(entry->isChecked());
    entry->trigger();
    QVERIFY(!entry->isChecked());
    QVERIFY(!m_source->running());
    AutoSwitchRules stored;
    QVERIFY(stored.load(AutoSwitchRules::defaultFile()));
    QVERIFY(!stored.enabled());
    QCOMPARE(stored.rules().size(), 2);

    // On again from another program (mousecfg-cli): the window follows the file.
    stored.setEnabled(true);
    QVERIFY(stored.save(AutoSwitchRules::defaultFile()));
    QTRY_VERIFY(m_source->running());
    QTRY_VERIFY(entry->isChecked());
    m_source->activate(window(QStringLiteral("game-b")));
    QTRY_COMPARE(mouseProfile(), 4);
    QCOMPARE(m_made, 1);
}

void TestAutoSwitchWindow::offFollowsNothing()
{
    writeRules(false);
    makeWindow();
    QTest::qWait(200);
    QCOMPARE(m_made, 0); // no connection to the desktop while auto-switch is off
}

void TestAutoSwitchWindow::dialogWritesTheRules()
{
    writeRules(false);
    makeWindow();
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<AutoSwitchDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        auto *application = part<QComboBox>(dialog, "autoSwitchApplication");
        QVERIFY(application->findData(QStringLiteral("editor")) >= 0); // the open window offered
        // A refused name says why and adds nothing.
        QVERIFY(!dialog->addRule(QStringLiteral("bad\tname"), 3));
        QVERIFY(part<QLabel>(dialog, "autoSwitchError")->isVisibleTo(dialog));
        application->setCurrentIndex(application->findData(QStringLiteral("editor")));
        part<QComboBox>(dialog, "autoSwitchNewSlot")->setCurrentIndex(2);
        QTest::mouseClick(part<MirtPushButton>(dialog, "autoSwitchAdd"), Qt::LeftButton);
        QCOMPARE(part<QTableWidget>(dialog, "autoSwitchRules")->rowCount(), 3);
        part<QCheckBox>(dialog, "autoSwitchEnabled")->setChecked(true);
        auto *otherwise = part<QComboBox>(dialog, "autoSwitchOtherwise");
        otherwise->setCurrentIndex(otherwise->findData(5));
        QTest::mouseClick(part<MirtPushButton>(dialog, "autoSwitchOk"), Qt::LeftButton);
    });
    part<MirtPushButton>(m_w.get(), "autoSwitchButton")->click();
    QVERIFY(seen);
    AutoSwitchRules stored;
    QVERIFY(stored.load(AutoSwitchRules::defaultFile()));
    QVERIFY(stored.enabled());
    QCOMPARE(stored.otherwise(), 5);
    QCOMPARE(stored.slotFor({QStringLiteral("editor")}, QString()), 3);
    QCOMPARE(stored.slotFor({QStringLiteral("game-b")}, QString()), 4);
    QTRY_VERIFY(m_source->running());
}

QTEST_MAIN(TestAutoSwitchWindow)
#include "tst_autoswitchwindow.moc"
