// The main window against the simulated mouse, offscreen: what it shows of
// the connection and the battery, the status reports, and how it follows the
// receiver and the cable being plugged and pulled.

#include "AppConfig.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "FakePointerSpeed.h"
#include "MacroDialog.h"
#include "MirtBtnWindow.h"
#include "MirtColorWindow.h"
#include "MirtDPIWindow.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPointSpeed.h"
#include "MirtProcessbar.h"
#include "MirtPushButton.h"
#include "MirtReportRate.h"
#include "MouseLock.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileDocument.h"
#include "ProfileStore.h"
#include "ScaleTable.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SimulationMenu.h"
#include "SkinCache.h"
#include "SkinPictures.h"
#include "TrayLife.h"
#include "WindowParts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

using namespace WindowParts;

namespace {

const QString kReceiverMousePath =
    QStringLiteral("hid#vid_1209&pid_0001&mi_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}");
const QString kReceiverVendorPath =
    QStringLiteral("hid#vid_1209&pid_0001&mi_02#7&1a2b3c4d&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}");

// Runs FN once, as soon as the window's warning box is open. The box runs its
// own event loop, so anything a test does while it is open happens here.
class BoxWatcher : public QObject
{
public:
    BoxWatcher(MousecfgWidget *w, std::function<void(MirtMessageBox *)> fn) : m_w(w), m_fn(std::move(fn))
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (MirtMessageBox *box = m_w->warningBox(); box && box->isVisible()) {
                m_timer.stop();
                m_seen = true;
                m_elapsedAtOpen = m_clock.elapsed();
                m_text = box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))
                             ? box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))->text()
                             : QString();
                m_name = box->objectName();
                m_fn(box);
            }
        });
        m_clock.start();
        m_timer.start();
    }
    bool seen() const { return m_seen; }
    qint64 elapsedAtOpen() const { return m_elapsedAtOpen; }
    QString text() const { return m_text; }
    QString name() const { return m_name; }

private:
    MousecfgWidget *m_w;
    std::function<void(MirtMessageBox *)> m_fn;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_seen = false;
    qint64 m_elapsedAtOpen = -1;
    QString m_text;
    QString m_name;
};

// Answers every message box the window opens (accept or reject) and keeps
// their texts: the boxes run their own event loops inside the commands.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(bool accept)
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this, accept] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<MirtMessageBox *>(w);
                if (!box || !box->isVisible())
                    continue;
                auto *label = box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"));
                m_texts << (label ? label->text() : box->objectName());
                accept ? box->accept() : box->reject();
            }
        });
        m_timer.start();
    }
    QStringList texts() const { return m_texts; }
    QString all() const { return m_texts.join(QLatin1Char('|')); }

private:
    QTimer m_timer;
    QStringList m_texts;
};

// Passes every call to the simulated mouse and notes the thread of each
// frame written, so a test can tell that no control command ran on the
// window's thread.
class ThreadRecordingBackend : public HidBackend
{
public:
    void install(HidBackend *inner)
    {
        m_inner = inner;
        setHidBackend(this);
    }
    ~ThreadRecordingBackend() override
    {
        if (hidBackend() == this)
            setHidBackend(m_inner);
    }
    int writes() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_threads.size();
    }
    int writesOnThread(QThread *thread) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return int(std::count(m_threads.begin(), m_threads.end(), thread));
    }
    // Handles closed by the window's thread while a worker that wrote was still running.
    int closesUnderWorker() const { return m_closesUnderWorker.load(); }

    int init() override { return m_inner->init(); }
    QVector<HidDeviceInfo> enumerate(uint16_t v, uint16_t p) override { return m_inner->enumerate(v, p); }
    HidDevice *openPath(const QByteArray &path) override { return m_inner->openPath(path); }
    void close(HidDevice *d) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_worker && m_worker->isRunning() && QThread::currentThread() != m_worker.data())
                ++m_closesUnderWorker;
        }
        m_inner->close(d);
    }
    int exit() override { return m_inner->exit(); }
    int write(HidDevice *d, const uint8_t *data, size_t length) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_threads.push_back(QThread::currentThread());
            if (QThread::currentThread() != qApp->thread())
                m_worker = QThread::currentThread();
        }
        return m_inner->write(d, data, length);
    }
    int readTimeout(HidDevice *d, uint8_t *data, size_t length, int ms) override
    {
        return m_inner->readTimeout(d, data, length, ms);
    }
    QString error(HidDevice *d) override { return m_inner->error(d); }
    bool permissionDenied(const QByteArray &path) override { return m_inner->permissionDenied(path); }

private:
    HidBackend *m_inner = nullptr;
    mutable std::mutex m_mutex;
    std::vector<QThread *> m_threads;
    QPointer<QThread> m_worker; // the last thread other than the window's that wrote
    std::atomic<int> m_closesUnderWorker{0};
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithReceiverAndPolls();
    void sizeAndScaleAt96Dpi();
    void firstFrameBeforeFilesTrayAndPointerSpeed();
    void batteryReportReceiverOnly();
    void batteryReportWithCable();
    void batteryLevelZeroGreysBar();
    void statusThatMatchesSendsNothing();
    void statusSwitchesOnlyOnNamedProfile();
    void rateAndDpiNotices();
    void unappliedEditSurvivesPolling();
    void writeStatusMarksDiff();
    void profileActionSwitchesTheMouse();
    void unplugDuringAJobWaitsForIt_data();
    void unplugDuringAJobWaitsForIt();
    void failedSaveOnApplyIsShown();
    void storedProfilesChangedByAnotherProgram();
    void cliKeepsAwayWhileTheWindowHoldsTheMouse();
    void twoStartsKeepStoredProfiles_data();
    void twoStartsKeepStoredProfiles();
    void brokenSlotFilesLoadOverFactory();

    void receiverPluggedClosesWarning();
    void cablePulledWhileReceiverStays();
    void onlyDevicePulledWarns();
    void escapeDoesNotStickWarningFlag();
    void lowerCasePathsRecognised();
    void releaseOutsideRangeIgnored();
    void permissionProblemNamesTheRule();

    void pagesFollowTheProfile();
    void mouseSelectorWithTwoMice();
    void simulationMenuDrivesTheMouse();
    void tabsAndMarkers();
    void dragNeedsMoreThanFourPixels();
    void trayToggle();
    void closeHidesOrEndsCleanly();

private:
    void makeWindow(bool receiver = true, bool cable = false, std::function<void()> beforeWindow = {},
                    const QString &mouseLock = QString());
    QList<QString> notices() const { return m_notices; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SimulatedMouseSession> m_sim;
    std::unique_ptr<SimulatedMouseFeed> m_feed;
    std::unique_ptr<FakePointerSpeed> m_speed;
    std::unique_ptr<MousecfgWidget> m_w;
    QList<QString> m_notices;
    int m_arrivals = 0;
    int m_removals = 0;
    int m_reloads = 0;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Paths::setConfigDir(m_dir->path());
    SkinCache::setDirectory(m_dir->path() + QStringLiteral("/skin-cache"));
    // The shipped configuration, as a fresh install has it.
    const QString shipped = Paths::dataDir() + QStringLiteral("/Configs/Config.ini");
    if (QFile::exists(shipped))
        QVERIFY(QFile::copy(shipped, m_dir->path() + QStringLiteral("/Config.ini")));
    MirtKit::reloadConfig();
    g_bWarningShown = false;
    m_notices.clear();
    m_arrivals = m_removals = m_reloads = 0;
}

void TestMainWindow::cleanup()
{
    m_w.reset();
    m_feed.reset();
    m_sim.reset();
    m_speed.reset();
    m_dir.reset();
    Paths::setDataDir(QString());
}

void TestMainWindow::makeWindow(bool receiver, bool cable, std::function<void()> beforeWindow,
                                const QString &mouseLock)
{
    m_sim = std::make_unique<SimulatedMouseSession>(cable,
                                                    m_dir->path() + QStringLiteral("/simulated-mouse.ini"));
    if (!receiver)
        m_sim->backend().plugReceiver(false);
    m_sim->backend().setEchoLatencyUs(200);
    m_feed = std::make_unique<SimulatedMouseFeed>(&m_sim->backend());
    connect(m_feed.get(), &HotplugFeed::deviceChanged, this,
            [this](const DeviceChange &c) { ++(c.arrived ? m_arrivals : m_removals); });
    m_speed = std::make_unique<FakePointerSpeed>(14);
    if (beforeWindow)
        beforeWindow();
    MousecfgServices s;
    s.hotplug = m_feed.get();
    s.pointerSpeed = m_speed.get();
    s.showTray = false;
    s.mouseLockPath = mouseLock;
    m_w = std::make_unique<MousecfgWidget>(s);
    connect(m_w.get(), &MousecfgWidget::osdNotice, this, [this](const QString &t) { m_notices << t; });
    connect(m_w.get(), &MousecfgWidget::deviceReloaded, this, [this] { ++m_reloads; });
}

// ---------------------------------------------------------------------------
// What is stored survives the window

namespace {

ProfileSet storedSet()
{
    ProfileSet set;
    ProfileStore::loadProfileSet(set);
    return set;
}

} // namespace

void TestMainWindow::twoStartsKeepStoredProfiles_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("option") << QStringLiteral("option");
    QTest::newRow("environment") << QStringLiteral("environment");
    QTest::newRow("per-user") << QStringLiteral("per-user");
    QTest::newRow("padded names") << QStringLiteral("padded");
}

// The user's path: a fresh folder, the window started against the simulated
// mouse, a poll, the mouse's DPI button, quit; start again, quit. Every slot's
// stored profile is what it was apart from the current stage, and the sensor
// settings are unchanged.
void TestMainWindow::twoStartsKeepStoredProfiles()
{
    QFETCH(QString, how);
    QTemporaryDir fresh;
    QString folder = fresh.path() + QStringLiteral("/Configs");
    const QByteArray oldEnv = qgetenv("MOUSECFG_CONFIG_DIR");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    auto restore = qScopeGuard([&] {
        qputenv("MOUSECFG_CONFIG_DIR", oldEnv);
        qputenv("XDG_DATA_HOME", oldXdg);
    });
    if (how == QLatin1String("environment")) {
        qputenv("MOUSECFG_CONFIG_DIR", QFile::encodeName(folder));
        Paths::setConfigDir(QString());
    } else if (how == QLatin1String("per-user")) {
        qunsetenv("MOUSECFG_CONFIG_DIR");
        qputenv("XDG_DATA_HOME", QFile::encodeName(fresh.path() + QStringLiteral("/xdg")));
        Paths::setConfigDir(QString());
    } else {
        Paths::setConfigDir(folder);
        // An empty Config.ini, as a copy cut short by a crash leaves it, is seeded again.
        QVERIFY(QDir().mkpath(folder));
        QFile cut(folder + QStringLiteral("/Config.ini"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.close();
        Paths::seedConfigDir(folder);
        QVERIFY(!QFile::exists(cut.fileName() + QStringLiteral(".part")));
    }
    folder = Paths::configDir(); // as the program resolved it
    QVERIFY2(QFile::exists(folder + QStringLiteral("/Config.ini")), qPrintable(folder));
    QVERIFY(folder.startsWith(fresh.path()));
    if (how == QLatin1String("padded")) {
        // Names written by older copies and other tools, blanks included.
        QSettings c(folder + QStringLiteral("/Config.ini"), QSettings::IniFormat);
        c.setValue(QStringLiteral("Config/Profile1"), QStringLiteral("  padded"));
        c.setValue(QStringLiteral("Config/Profile3"), QStringLiteral("trailing "));
        c.sync();
        ProfileData p;
        ProfileDefaults::buildDefaultProfile(p);
        p.BUTTON_INFO[2].Fun = 7;
        QVERIFY(ProfileStore::writeSlotProfile(p, QStringLiteral("  padded")));
        p.DPI_INFO[1].x = 33;
        QVERIFY(ProfileStore::writeSlotProfile(p, QStringLiteral("trailing ")));
    }
    MirtKit::reloadConfig();
    const ProfileSet before = storedSet();
    QString problem;
    ProfileSet check;
    QCOMPARE(ProfileStore::loadProfileSet(check, &problem), 0);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(int(before.Debounce), 8); // the shipped sensor settings, not zeros
    QVERIFY(before.profiles[0].BUTTON_INFO[0].Fun != 0);

    for (int start = 0; start < 2; ++start) {
        m_sim =
            std::make_unique<SimulatedMouseSession>(false, folder + QStringLiteral("/simulated-mouse.ini"));
        QString error;
        m_sim->load(&error);
        m_sim->backend().setEchoLatencyUs(200);
        m_feed = std::make_unique<SimulatedMouseFeed>(&m_sim->backend());
        MousecfgServices services;
        services.hotplug = m_feed.get();
        services.showTray = false;
        // As the program starts: the profile set is read ahead on another thread.
        std::shared_future<ProfileStore::ProfileSetRead> ahead =
            std::async(std::launch::async, &ProfileStore::readStartingSet).share();
        services.firstProfileRead = [ahead] { return ahead.get(); };
        m_w = std::make_unique<MousecfgWidget>(services);
        m_w->show();
        // The poller answered, then the mouse's own DPI button.
        QTRY_VERIFY_WITH_TIMEOUT(m_w->lastBatteryLevel() > 0, 5000);
        if (start == 0) {
            m_sim->backend().pressDpiButton();
            const int stage = m_sim->backend().firmwareSnapshot().dpiStage();
            QTRY_COMPARE_WITH_TIMEOUT(int(m_w->currentSet().current().dpi), stage, 5000);
        }
        QVERIFY(m_w->pendingLoadNotice().isEmpty());
        m_w.reset(); // quit
        QVERIFY(m_sim->save(&error));
        m_feed.reset();
        m_sim.reset();
    }

    const ProfileSet after = storedSet();
    const int slot = before.ProfileID;
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileData a = after.profiles[size_t(i)];
        if (i == slot)
            a.dpi = before.profiles[size_t(i)].dpi;
        QVERIFY2(a == before.profiles[size_t(i)], qPrintable(QStringLiteral("slot %1").arg(i + 1)));
    }
    QCOMPARE(after.names, before.names);
    QCOMPARE(after.AngleValue, before.AngleValue);
    QCOMPARE(after.LiftHigh, before.LiftHigh);
    QCOMPARE(after.Sync, before.Sync);
    QCOMPARE(after.Jitter, before.Jitter);
    QCOMPARE(after.Debounce, before.Debounce);
    QCOMPARE(after.Wake, before.Wake);
    QCOMPARE(after.SensorMode, before.SensorMode);
    QVERIFY(after.profiles[size_t(slot)].dpi != before.profiles[size_t(slot)].dpi);
    Paths::setConfigDir(m_dir->path());
}

// A slot file that cannot be read whole loads over the factory profile, key
// by key where keys exist, and the window says once which slot and why.
void TestMainWindow::brokenSlotFilesLoadOverFactory()
{
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    const QString dir = m_dir->path() + QStringLiteral("/Profile/");
    QDir().mkpath(dir);
    auto write = [](const QString &file, const QByteArray &text) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    // Slot 1: one key, as the old stage writer left it.
    write(dir + QStringLiteral("Profile 1.prof"), "[PROFILE_0]\ndpi=3\n");
    // Slot 2: a whole file cut in the middle of a line.
    ProfileData p2 = factory;
    p2.BUTTON_INFO[0].Fun = 9; // early in the file
    p2.pollrate = 2;           // near its end
    QVERIFY(ProfileStore::writeSlotProfile(p2, QStringLiteral("Profile 2")));
    QByteArray whole;
    {
        QFile f(dir + QStringLiteral("Profile 2.prof"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        whole = f.readAll();
    }
    write(dir + QStringLiteral("Profile 2.prof"), whole.left(whole.size() / 2 + 7));
    // Slot 3: not a file that can be read at all.
    QVERIFY(QDir().mkpath(dir + QStringLiteral("Profile 3.prof")));

    makeWindow();
    m_w->show();
    const ProfileSet &set = m_w->lastSentSet();
    QCOMPARE(int(set.profiles[0].dpi), 3);
    ProfileData p = set.profiles[0];
    p.dpi = factory.dpi;
    p.ProfileName = factory.ProfileName;
    QVERIFY(p == factory);
    QCOMPARE(set.profiles[1].BUTTON_INFO[0].Fun, 9);                // before the cut
    QCOMPARE(int(set.profiles[1].pollrate), int(factory.pollrate)); // after it
    p = set.profiles[2];
    p.ProfileName = factory.ProfileName;
    QVERIFY(p == factory);
    // Said once, naming each slot.
    MirtMessageBox *box = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((box = m_w->findChild<MirtMessageBox *>(QStringLiteral("loadNoticeBox"))), 3000);
    const QString text = box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))->text();
    for (const char *slot : {"PROFILE 1", "PROFILE 2", "PROFILE 3"})
        QVERIFY2(text.contains(QLatin1String(slot)), qPrintable(text));
    box->accept();
    QTRY_VERIFY(!m_w->findChild<MirtMessageBox *>(QStringLiteral("loadNoticeBox")));
    // A device reload loads the set again; the same notice is not repeated.
    BoxWatcher watcher(m_w.get(), [this](MirtMessageBox *) { m_sim->backend().plugReceiver(true); });
    m_sim->backend().plugReceiver(false);
    QTRY_VERIFY_WITH_TIMEOUT(watcher.seen(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_w->warningBox() && m_reloads > 0, 5000);
    QVERIFY(!m_w->findChild<MirtMessageBox *>(QStringLiteral("loadNoticeBox")));
    QVERIFY(m_w->pendingLoadNotice().isEmpty());
}

// ---------------------------------------------------------------------------
// Start-up and status

void TestMainWindow::startsWithReceiverAndPolls()
{
    makeWindow();
    QCOMPARE(m_w->deviceCount(), 1);
    QVERIFY(receiverOpen());
    QVERIFY(m_w->batteryThreadRunning());
    QCOMPARE(m_w->connectionMode(), 2);
    // The pointer speed of the desktop is taken into the current profile.
    QCOMPARE(m_speed->readCount(), 1);
    QCOMPARE(int(m_w->currentSet().current().mousespeed), 14);
    // The poller's first battery answer reaches the bar.
    m_sim->backend().withFirmware([](MouseFirmware &f) { f.setBatteryLevel(64); });
    QTRY_COMPARE_WITH_TIMEOUT(part<MirtProcessbar>(m_w.get(), "batteryBar")->value(), 64, 5000);
    QCOMPARE(part<QLineEdit>(m_w.get(), "nameEditor")->text(), QStringLiteral("Profile 1"));
    QVERIFY(m_w->windowTitle().startsWith(QStringLiteral("ORVALE8")));
    // Quitting stops the poller and closes every handle.
    QVERIFY(m_sim->backend().openHandleCount() > 0);
    m_w.reset();
    QCOMPARE(m_sim->backend().openHandleCount(), 0);
    QVERIFY(!commandHandleOpen());
}

void TestMainWindow::sizeAndScaleAt96Dpi()
{
    makeWindow();
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    // The offscreen screen reports 96 logical DPI.
    QCOMPARE(m_w->scaleIndex(), 0);
    QCOMPARE(m_w->size(), QSize(999, 640));
    QCOMPARE(MirtKit::scaleFactor(), 1.0);
    QVERIFY(m_w->windowFlags() & Qt::FramelessWindowHint);
    // The offscreen screen (800 × 600) is smaller than the window even at
    // 1.0: it keeps 1.0 and opens with its top-left corner on the screen.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(m_w->pos(), ScaleTable::placeInside(area, m_w->size()));
    QVERIFY(area.contains(m_w->geometry().topLeft()));
    // A width within nine pixels of 999 keeps factor 1.0 (only 999 × 640 is re-checked).
    m_w->resize(999, 640);
    QCOMPARE(m_w->scaleIndex(), 0);
}

void TestMainWindow::firstFrameBeforeFilesTrayAndPointerSpeed()
{
    QFile ini(AppConfig::globalConfigFile());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    ini.close();
    ProfileData saved;
    ProfileDefaults::buildDefaultProfile(saved);
    saved.pollrate = 2;
    QVERIFY(ProfileStore::writeSlotProfile(saved, QStringLiteral("Profile 4")));
    SkinPictures::clear();
    makeWindow();
    // A window on its way to the screen: nothing written, no hidden page, only the current slot read.
    QVERIFY(!m_w->firstFrameDone());
    QCOMPARE(m_w->slotsLeftToRead(), 0x1eu);
    QVERIFY(!findPart<MirtDPIWindow>(m_w.get(), "dpiPage") &&
            !findPart<MirtColorWindow>(m_w.get(), "colorPage"));
    QVERIFY(!findPart<MirtBtnWindow>(m_w.get(), "buttonPage") &&
            !findPart<MacroDialog>(m_w.get(), "macroPage"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), stored);
    ini.close();
    QList<int> order;
    m_w->runAfterFirstFrame([&order] { order << 1; });
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    QTRY_VERIFY(m_w->firstFrameDone());
    // Its buttons' pictures came scaled from the build (the skin's list of sizes follows the layout).
    QCOMPARE(SkinPictures::scaledHereCount(), 0);
    // Right after it: the other slots read, the start-up's settings stored, the jobs run in order.
    QCOMPARE(m_w->slotsLeftToRead(), 0u);
    QCOMPARE(int(m_w->lastSentSet().profiles[3].pollrate), 2);
    m_w->runAfterFirstFrame([&order] { order << 2; });
    QCOMPARE(order, QList<int>({1, 2}));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll() != stored);
    ini.close();
    // A pointer-speed backend arriving now gives the current profile its speed.
    m_w->SelectTab(MousecfgWidget::kTabDpi);
    FakePointerSpeed later(17);
    m_w->setPointerSpeed(&later);
    QCOMPARE(int(m_w->currentSet().current().mousespeed), 17);
    m_w->setPointerSpeed(m_speed.get());
    m_w.reset();

    // Started hidden (no window to paint): the tray comes on the first turn of the event loop.
    MousecfgServices s;
    s.hotplug = m_feed.get();
    s.pointerSpeed = m_speed.get();
    MousecfgWidget hidden(s);
    QVERIFY(!findPart<QSystemTrayIcon>(&hidden, "trayIcon"));
    QCoreApplication::processEvents();
    QVERIFY(hidden.firstFrameDone());
    QVERIFY(findPart<QSystemTrayIcon>(&hidden, "trayIcon") && findPart<QMenu>(&hidden, "trayMenu"));
    QVERIFY(findPart<TrayLife>(&hidden, "trayLife"));
}

void TestMainWindow::batteryReportReceiverOnly()
{
    makeWindow();
    m_w->StopBatteryThread();
    m_w->slotRefreshBatteryStatus(0, 57, 0);
    MirtProcessbar *bar = part<MirtProcessbar>(m_w.get(), "batteryBar");
    QCOMPARE(bar->value(), 57);
    QCOMPARE(bar->format(), QStringLiteral("%p%"));
    QVERIFY(bar->isTextVisible());
    QVERIFY(!bar->isHidden());
    QVERIFY(bar->styleSheet().contains(QStringLiteral("background-color: white")));
    const QColor a = MirtKit::accentColor();
    QVERIFY(bar->styleSheet().contains(
        QStringLiteral("rgb(%1,%2,%3)").arg(a.red()).arg(a.green()).arg(a.blue())));
    // The percentage is the bar's own text, large and bold in black.
    bar->ensurePolished();
    QCOMPARE(bar->font().pixelSize(), 16);
    QVERIFY(bar->font().bold());
    QCOMPARE(bar->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(m_w->connectionMode(), 2);
    QVERIFY(!part<QLabel>(m_w.get(), "receiverLabel")->isHidden());
    QVERIFY(part<QLabel>(m_w.get(), "chargingLabel")->isHidden());
    // Frame "bat1" in mode 2.
    QVERIFY(!m_w->batteryFrame().isNull());
    QCOMPARE(m_w->batteryFrame().toImage(), MirtKit::skinPixmap(QStringLiteral("/skin/bat1.png")).toImage());
    QTRY_COMPARE(AppConfig::readBattery(), 57);
    // Levels beyond 100 are shown full, never as an overflowing bar.
    m_w->slotRefreshBatteryStatus(0, 230, 0);
    QCOMPARE(bar->value(), 100);
}

void TestMainWindow::batteryReportWithCable()
{
    makeWindow(true, true);
    m_w->StopBatteryThread();
    QVERIFY(cableOpen());
    m_w->slotRefreshBatteryStatus(0, 57, 0);
    QCOMPARE(m_w->connectionMode(), 1);
    const MirtProcessbar *bar = part<MirtProcessbar>(m_w.get(), "batteryBar");
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->value(), 100);
    QCOMPARE(bar->format(), QString());
    QVERIFY(!part<QLabel>(m_w.get(), "receiverLabel")->isHidden());
    // The cable's frame ("bat2") in modes 0 and 1.
    QCOMPARE(m_w->batteryFrame().toImage(), MirtKit::skinPixmap(QStringLiteral("/skin/bat2.png")).toImage());
}

void TestMainWindow::batteryLevelZeroGreysBar()
{
    makeWindow();
    m_w->StopBatteryThread();
    m_w->slotRefreshBatteryStatus(1, 57, 0);
    const QLabel *charging = part<QLabel>(m_w.get(), "chargingLabel");
    QVERIFY(!charging->isHidden());
    const int mode = m_w->connectionMode();
    m_w->slotRefreshBatteryStatus(0, 0, 0);
    MirtProcessbar *bar = part<MirtProcessbar>(m_w.get(), "batteryBar");
    QVERIFY(!bar->isTextVisible());
    QCOMPARE(bar->GetText(), QString());
    QVERIFY(bar->styleSheet().contains(QStringLiteral("rgb(100,100,100)")));
    QVERIFY(charging->isHidden());
    QCOMPARE(m_w->connectionMode(), mode);
    // The last real level is kept, stored once the first frame is out.
    QTRY_VERIFY(m_w->firstFrameDone());
    QCOMPARE(AppConfig::readBattery(), 57);
}

void TestMainWindow::statusThatMatchesSendsNothing()
{
    makeWindow();
    m_w->StopBatteryThread();
    m_sim->backend().clearWrittenFrames();
    const ProfileData cur = m_w->currentSet().current();
    const int profile = m_w->currentSet().ProfileID;
    m_w->slotRefreshStatus(quint8(profile), cur.dpi, cur.pollrate, 0);
    m_w->slotRefreshStatus(0xFF, cur.dpi, cur.pollrate, 7);
    QTest::qWait(50);
    QVERIFY(notices().isEmpty());
    QVERIFY(m_sim->backend().writtenFrames().isEmpty());
    QCOMPARE(int(m_w->currentSet().ProfileID), profile);
    QVERIFY(m_speed->applied().isEmpty());
}

void TestMainWindow::statusSwitchesOnlyOnNamedProfile()
{
    makeWindow();
    m_w->StopBatteryThread();
    ProfileData &cur = m_w->currentSet().current();
    // The poller cannot tell the profile: 0xFF leaves it alone.
    m_w->slotRefreshStatus(0xFF, cur.dpi, cur.pollrate, 0);
    QCOMPARE(int(m_w->currentSet().ProfileID), 0);
    m_w->currentSet().profiles[2].mousespeed = 7;
    m_w->slotRefreshStatus(2, m_w->currentSet().profiles[2].dpi, m_w->currentSet().profiles[2].pollrate, 0);
    QCOMPARE(int(m_w->currentSet().ProfileID), 2);
    QCOMPARE(notices(), QList<QString>{QStringLiteral("Profile 3")});
    QCOMPARE(m_speed->applied(), QList<int>{7});
    QVERIFY(profileButton(m_w.get(), 2)->isOn());
    QVERIFY(!profileButton(m_w.get(), 0)->isOn());
    QCOMPARE(AppConfig::readProfileID(), 2);
    // A profile number beyond the five slots is not a profile.
    m_w->slotRefreshStatus(9, m_w->currentSet().current().dpi, m_w->currentSet().current().pollrate, 0);
    QCOMPARE(int(m_w->currentSet().ProfileID), 2);
}

void TestMainWindow::rateAndDpiNotices()
{
    makeWindow();
    m_w->StopBatteryThread();
    ProfileData &cur = m_w->currentSet().current();
    cur.pollrate = 1;
    m_w->slotRefreshStatus(0, cur.dpi, 2, 0);
    QCOMPARE(notices().last(), QStringLiteral("500 HZ"));
    QCOMPARE(int(m_w->currentSet().current().pollrate), 2);
    m_w->slotRefreshRate(3);
    QCOMPARE(notices().last(), QString()); // an unknown code still sends, with no text
    QCOMPARE(notices().size(), 2);

    const quint8 other = quint8((cur.dpi + 1) % 4);
    m_w->slotRefreshStatus(0, other, m_w->currentSet().current().pollrate, 0);
    QCOMPARE(int(m_w->currentSet().current().dpi), int(other));
    QVERIFY(notices().last().startsWith(QStringLiteral("DPI %1:").arg(other + 1)));
    // The stage lands in the current slot's own file, where the loader reads
    // it - as a whole profile, never as a file of one key read back as zeros.
    const QString file = m_dir->path() + QStringLiteral("/Profile/Profile 1.prof");
    ProfileData stored;
    bool complete = false;
    QTRY_VERIFY_WITH_TIMEOUT(ProfileStore::readProfileSection(0, stored, file, nullptr, &complete), 3000);
    QVERIFY(complete);
    QCOMPARE(int(stored.dpi), int(other));
    ProfileData factory;
    ProfileDefaults::buildDefaultProfile(factory);
    QCOMPARE(int(stored.pollrate), 3); // the rate the mouse reported last
    stored.dpi = factory.dpi;
    stored.pollrate = factory.pollrate;
    stored.ProfileName = factory.ProfileName;
    QVERIFY(stored == factory);
    // A stage number beyond the table is ignored.
    const int before = notices().size();
    m_w->slotRefreshDPIStage(12);
    QCOMPARE(notices().size(), before);
}

void TestMainWindow::unappliedEditSurvivesPolling()
{
    makeWindow();
    m_w->StopBatteryThread();
    ProfileData &cur = m_w->currentSet().current();
    cur.pollrate = 1;
    cur.dpi = 0;
    // The mouse reports what it holds.
    m_w->slotRefreshStatus(0xFF, 0, 1, 0);
    // The user picks 500 Hz and stage 3 but has not applied yet: the mouse keeps
    // reporting its own values, and the edit must not be undone by them.
    cur.pollrate = 2;
    cur.dpi = 2;
    for (int i = 0; i < 3; ++i)
        m_w->slotRefreshStatus(0xFF, 0, 1, 0);
    QCOMPARE(int(m_w->currentSet().current().pollrate), 2);
    QCOMPARE(int(m_w->currentSet().current().dpi), 2);
    // A poller restart (a cable plugged in) neither: its first report is the same.
    m_w->StartBatteryThread();
    m_w->StopBatteryThread();
    m_w->slotRefreshStatus(0xFF, 0, 1, 0);
    QCOMPARE(int(m_w->currentSet().current().pollrate), 2);
    QCOMPARE(int(m_w->currentSet().current().dpi), 2);
    // A sensor setting of the performance panel survives the reports and a
    // profile switch of the mouse and back.
    const quint8 angle = m_w->currentSet().AngleValue;
    m_w->SelectTab(MousecfgWidget::kTabDpi);
    MirtPointSpeed *speed = part<MirtPointSpeed>(m_w.get(), "pointSpeedPage");
    (angle == 0 ? speed->angleOffBox() : speed->angleOnBox())->click();
    QCOMPARE(int(m_w->currentSet().AngleValue), angle == 0 ? 1 : 0);
    m_w->slotRefreshStatus(2, 0, 1, 0);
    m_w->slotRefreshStatus(0, 0, 1, 0);
    QCOMPARE(int(m_w->currentSet().AngleValue), angle == 0 ? 1 : 0);
    QCOMPARE(int(m_w->currentSet().current().dpi), 2);
    QVERIFY(speed->angle() != angle);
    // The mouse's own buttons move it: now the record follows.
    m_w->slotRefreshStatus(0xFF, 1, 4, 0);
    QCOMPARE(int(m_w->currentSet().current().pollrate), 4);
    QCOMPARE(int(m_w->currentSet().current().dpi), 1);
}

void TestMainWindow::writeStatusMarksDiff()
{
    makeWindow();
    AppConfig::writeDiff(0);
    m_w->slotRefreshWriteStatus(3);
    QCOMPARE(AppConfig::readDiff(), 0);
    m_w->slotRefreshWriteStatus(0);
    QCOMPARE(AppConfig::readDiff(), 1);
}

void TestMainWindow::profileActionSwitchesTheMouse()
{
    ThreadRecordingBackend recorder;
    makeWindow(true, false, [&] { recorder.install(&m_sim->backend()); });
    m_w->currentSet().profiles[3].mousespeed = 5;
    profileButton(m_w.get(), 3)->click();
    QCOMPARE(int(m_w->currentSet().ProfileID), 3);
    QCOMPARE(m_sim->backend().firmwareSnapshot().activeProfile(), 3);
    QCOMPARE(m_speed->applied(), QList<int>{5});
    QCOMPARE(part<QLineEdit>(m_w.get(), "nameEditor")->text(), QStringLiteral("Profile 4"));
    QVERIFY(profileButton(m_w.get(), 3)->isOn());
    // The switch and its reloads went through the worker, never the window's thread.
    QVERIFY(recorder.writes() >= 7);
    QCOMPARE(recorder.writesOnThread(QThread::currentThread()), 0);
    QVERIFY(m_w->batteryThreadRunning());

    // A mouse that does not take the switch: the window says so and stays on
    // the profile the mouse has.
    m_sim->backend().scriptWriteErrors(1000);
    QTimer answer;
    QString said;
    answer.setInterval(20);
    connect(&answer, &QTimer::timeout, this, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<MirtMessageBox *>(w);
            if (box && box->isVisible()) {
                if (auto *l = box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2")))
                    said = l->text();
                box->accept();
            }
        }
    });
    answer.start();
    profileButton(m_w.get(), 1)->click();
    answer.stop();
    m_sim->backend().scriptWriteErrors(0);
    QVERIFY2(said.contains(QStringLiteral("PROFILE 2")), qPrintable(said));
    QCOMPARE(int(m_w->currentSet().ProfileID), 3);
    QVERIFY(profileButton(m_w.get(), 3)->isOn());
    QCOMPARE(m_sim->backend().firmwareSnapshot().activeProfile(), 3);
    QCOMPARE(recorder.writesOnThread(QThread::currentThread()), 0);
}

void TestMainWindow::unplugDuringAJobWaitsForIt_data()
{
    QTest::addColumn<bool>("apply");
    QTest::newRow("apply") << true;
    QTest::newRow("switch") << false;
}

void TestMainWindow::unplugDuringAJobWaitsForIt()
{
    QFETCH(bool, apply);
    ThreadRecordingBackend recorder;
    makeWindow(true, false, [&] { recorder.install(&m_sim->backend()); });
    m_w->show();
    QTest::qWait(300); // past the start-up check
    ProfileSet &set = m_w->currentSet();
    set.profiles[0].dpi = 3; // an edit not yet applied
    const ProfileSet before = set;
    // The mouse goes away in the middle of the job: its removal waits for the
    // job's end, the job stops between frames, and the worker's handles stay
    // open until it has finished.
    m_sim->backend().setEchoLatencyUs(3000);
    m_sim->backend().unplugAfterWrites(3);
    BoxAnswerer answers(false); // "No" to the retry question
    if (apply)
        m_w->profileCommands()->apply();
    else
        profileButton(m_w.get(), 2)->click();
    QCOMPARE(recorder.closesUnderWorker(), 0);
    // The window's set is what it was (the failed switch leaves it on its profile).
    QVERIFY(m_w->currentSet().profiles == before.profiles);
    QCOMPARE(int(m_w->currentSet().ProfileID), 0);
    QVERIFY(m_w->deviceSession()->queuedChanges() > 0 || m_w->deviceCount() == 0);
    // After the job the removal is handled: the mouse is gone, and said so.
    QTRY_COMPARE_WITH_TIMEOUT(m_w->deviceCount(), 0, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(answers.all().contains(QStringLiteral("Dongle Disconnect!")), 5000);
    QVERIFY(!receiverOpen());
    QVERIFY(!m_w->batteryThreadRunning());
    // Plugged in again, the mouse is opened and polled as before.
    m_sim->backend().unplugAfterWrites(-1);
    m_sim->backend().plugReceiver(true);
    QTRY_VERIFY_WITH_TIMEOUT(receiverOpen() && m_w->batteryThreadRunning(), 5000);
    QCOMPARE(recorder.closesUnderWorker(), 0);
}

void TestMainWindow::failedSaveOnApplyIsShown()
{
    makeWindow();
    // The slot's file cannot be replaced: a folder stands in its place.
    QVERIFY(QDir().mkpath(m_dir->path() + QStringLiteral("/Profile/Profile 1.prof/x")));
    m_w->currentSet().profiles[0].dpi = 2;
    BoxAnswerer answers(true);
    m_w->profileCommands()->apply();
    QTRY_VERIFY_WITH_TIMEOUT(!answers.texts().isEmpty(), 3000);
    QVERIFY2(answers.all().contains(QStringLiteral("COULD NOT BE SAVED")), qPrintable(answers.all()));
    // The mouse has the settings all the same.
    QCOMPARE(m_w->profileCommands()->lastWriteResult(), 0);
}

void TestMainWindow::storedProfilesChangedByAnotherProgram()
{
    makeWindow();
    m_w->show();
    QTest::qWait(600); // past the first frame: the stored files are watched
    ProfileDocument *doc = m_w->profileDocument();
    QSignalSpy replaced(doc, &ProfileDocument::setReplaced);
    // Another program (mousecfg-cli light, say) changes slot 2, not edited here.
    auto storeElsewhere = [](int slot, quint8 dpi) {
        ProfileSet stored;
        ProfileStore::loadProfileSet(stored);
        stored.profiles[size_t(slot)].dpi = dpi;
        QVERIFY(ProfileStore::saveWholeProfileSet(stored));
    };
    storeElsewhere(1, 4);
    QTRY_VERIFY_WITH_TIMEOUT(replaced.count() > 0, 5000);
    QCOMPARE(int(m_w->currentSet().profiles[1].dpi), 4);
    // The mouse does not have it yet: Apply sends it.
    QCOMPARE(int(m_w->lastSentSet().profiles[1].dpi) == 4, false);

    // Slot 1 was edited here: the window asks; "No" keeps the edit, once.
    m_w->currentSet().profiles[0].dpi = 5;
    {
        BoxAnswerer answers(false);
        storeElsewhere(0, 6);
        QTRY_VERIFY_WITH_TIMEOUT(!answers.texts().isEmpty(), 5000);
        QVERIFY2(answers.all().contains(QStringLiteral("ANOTHER PROGRAM")), qPrintable(answers.all()));
        QCOMPARE(int(m_w->currentSet().profiles[0].dpi), 5);
    }
    // Our own save (Apply) is not taken for another program's.
    {
        BoxAnswerer answers(false);
        m_w->profileCommands()->apply();
        QTest::qWait(800);
        QVERIFY2(!answers.all().contains(QStringLiteral("ANOTHER PROGRAM")), qPrintable(answers.all()));
        QCOMPARE(int(m_w->currentSet().profiles[0].dpi), 5);
    }
    // "Yes" takes the stored profile.
    m_w->currentSet().profiles[0].dpi = 1;
    {
        BoxAnswerer answers(true);
        storeElsewhere(0, 7);
        QTRY_COMPARE_WITH_TIMEOUT(int(m_w->currentSet().profiles[0].dpi), 7, 5000);
    }
}

void TestMainWindow::cliKeepsAwayWhileTheWindowHoldsTheMouse()
{
    // As main() sets it up: the simulated mouse's lock beside its memory.
    makeWindow(true, false, {}, MouseLock::simulatedMousePath(m_dir->path()));
    QTRY_VERIFY_WITH_TIMEOUT(m_w->batteryThreadRunning(), 3000);
    m_sim->backend().clearWrittenFrames();
    const QString trace = m_dir->path() + QStringLiteral("/cli-trace");
    QProcess cli;
    cli.start(QStringLiteral(MOUSECFG_CLI),
              {QStringLiteral("--simulate"), QStringLiteral("--config-dir"), m_dir->path(),
               QStringLiteral("--trace"), trace, QStringLiteral("write")});
    QVERIFY(cli.waitForFinished(60000));
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY2(err.contains(QStringLiteral("the mousecfg window")) &&
                 err.contains(QStringLiteral("is using the mouse")),
             qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    // Not one frame of the command line's.
    QVERIFY(!QFileInfo(trace).exists() || QFileInfo(trace).size() == 0);

    // Once the window has let go, the command line has the mouse.
    m_w.reset();
    cli.start(QStringLiteral(MOUSECFG_CLI),
              {QStringLiteral("--simulate"), QStringLiteral("--config-dir"), m_dir->path(),
               QStringLiteral("--trace"), trace, QStringLiteral("write")});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    QVERIFY(QFileInfo(trace).size() > 0);
}

// ---------------------------------------------------------------------------
// Hot-plug

void TestMainWindow::receiverPluggedClosesWarning()
{
    makeWindow(false);
    QCOMPARE(m_w->deviceCount(), 0);
    QCOMPARE(m_w->deviceProblem(), MousecfgWidget::DeviceProblem::Disconnected);
    QElapsedTimer sincePlug;
    BoxWatcher watcher(m_w.get(), [&](MirtMessageBox *) {
        QVERIFY(g_bWarningShown);
        sincePlug.start();
        m_sim->backend().plugReceiver(true);
    });
    QTRY_VERIFY_WITH_TIMEOUT(watcher.seen(), 3000);
    QCOMPARE(watcher.name(), QStringLiteral("disconnectBox"));
    // The box closes by itself once the settings are reloaded.
    QTRY_VERIFY_WITH_TIMEOUT(!m_w->warningBox(), 5000);
    QVERIFY(sincePlug.elapsed() < 2000);
    QCOMPARE(m_arrivals, 2);
    QCOMPARE(m_reloads, 1);
    QCOMPARE(m_w->deviceReady(), 1);
    QCOMPARE(m_w->deviceCount(), 1);
    QVERIFY(m_w->isVisible());
    QVERIFY(!g_bWarningShown);
    QTRY_VERIFY_WITH_TIMEOUT(receiverOpen() && m_w->batteryThreadRunning(), 3000);
    QCOMPARE(m_w->connectionMode(), 2);
    QCOMPARE(AppConfig::readDiff(), 1);
    // After the pause nothing re-opens again behind the reload's back.
    QTest::qWait(700);
    QCOMPARE(m_reloads, 1);
    QVERIFY(receiverOpen());
}

void TestMainWindow::cablePulledWhileReceiverStays()
{
    makeWindow(true, true);
    QCOMPARE(m_w->connectionMode(), 1);
    BoxWatcher watcher(m_w.get(), [](MirtMessageBox *box) { box->reject(); });
    m_sim->backend().plugCable(false);
    QTRY_COMPARE(m_removals, 2);
    // Only the receiver comes back, after the pause.
    QTRY_VERIFY_WITH_TIMEOUT(receiverOpen() && !cableOpen() && m_w->batteryThreadRunning(), 3000);
    QTest::qWait(300);
    QVERIFY(!watcher.seen());
    QCOMPARE(m_w->deviceCount(), 1);
    QCOMPARE(m_w->connectionMode(), 2);
    QVERIFY(!part<MirtProcessbar>(m_w.get(), "batteryBar")->isHidden());
    QCOMPARE(m_reloads, 0);
}

void TestMainWindow::onlyDevicePulledWarns()
{
    makeWindow();
    m_w->show();
    QTest::qWait(300); // past the start-up check
    bool pollerStoppedFirst = false;
    bool closedFirst = false;
    BoxWatcher watcher(m_w.get(), [&](MirtMessageBox *box) {
        pollerStoppedFirst = !m_w->batteryThreadRunning();
        closedFirst = !receiverOpen();
        box->accept(); // "Ok"
    });
    QElapsedTimer clock;
    clock.start();
    m_sim->backend().plugReceiver(false);
    QTRY_VERIFY_WITH_TIMEOUT(watcher.seen(), 3000);
    QVERIFY2(clock.elapsed() >= 190, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(pollerStoppedFirst);
    QVERIFY(closedFirst);
    QCOMPARE(watcher.text(), QStringLiteral("Dongle Disconnect!"));
    QTRY_VERIFY(!m_w->warningBox());
    // "Ok" with no device puts the window away: minimised, as there is no tray here.
    QVERIFY(m_w->isMinimized());
    QCOMPARE(m_w->deviceReady(), 0);
    QVERIFY(!g_bWarningShown);
    QVERIFY(!part<MirtProcessbar>(m_w.get(), "batteryBar")->isTextVisible()); // greyed: the mouse is gone
}

void TestMainWindow::escapeDoesNotStickWarningFlag()
{
    makeWindow(false);
    BoxWatcher watcher(m_w.get(), [](MirtMessageBox *box) { box->reject(); }); // Escape
    QTRY_VERIFY_WITH_TIMEOUT(watcher.seen(), 3000);
    QTRY_VERIFY(!m_w->warningBox());
    QVERIFY(m_w->isVisible());
    QVERIFY(!g_bWarningShown);
    // So the tray toggle can hide the window again.
    m_w->iconActivated(QSystemTrayIcon::Trigger);
    QVERIFY(m_w->isHidden());
}

void TestMainWindow::lowerCasePathsRecognised()
{
    makeWindow(false);
    m_w->HandleDeviceChange(kReceiverMousePath, true);
    QCOMPARE(deviceList().entries[0].receiverMouseFound, 1);
    QCOMPARE(m_w->deviceCount(), 0);
    m_w->HandleDeviceChange(kReceiverVendorPath, true);
    QCOMPARE(deviceList().entries[0].receiverVendorFound, 1);
    QCOMPARE(QString::fromLatin1(deviceList().entries[0].receiverVendorPath), kReceiverVendorPath);
    QCOMPARE(m_w->deviceCount(), 1);
    QCOMPARE(m_w->connectionMode(), 2);
    QCOMPARE(AppConfig::readDiff(), 1);
    // A removal of the other interface kind leaves the vendor flag.
    m_w->HandleDeviceChange(kReceiverMousePath, false);
    QCOMPARE(deviceList().entries[0].receiverMouseFound, 0);
    QCOMPARE(deviceList().entries[0].receiverVendorFound, 1);
    // A path of another device changes nothing.
    m_w->HandleDeviceChange(QStringLiteral("hid#vid_046d&pid_c077&mi_02#x"), false);
    QCOMPARE(deviceList().entries[0].receiverVendorFound, 1);
}

void TestMainWindow::releaseOutsideRangeIgnored()
{
    makeWindow(false);
    DeviceEntry &d = deviceList().entries[0];
    d.receiverMinRelease = 0x0200;
    d.receiverMaxRelease = 0x0300; // the simulated receiver is release 0x0100
    m_sim->backend().plugReceiver(true);
    QTRY_COMPARE(m_arrivals, 2);
    QCOMPARE(d.receiverMouseFound, 0);
    QCOMPARE(d.receiverVendorFound, 0);
    QCOMPARE(m_w->deviceCount(), 0);

    // Inside the range it is recorded.
    DeviceChange c;
    c.arrived = true;
    c.vendorId = 0x1209;
    c.productId = 0x0001;
    c.kind = InterfaceKind::Vendor;
    c.release = 0x0250;
    c.path = QStringLiteral("/dev/hidraw9");
    m_w->HandleDeviceChange(c);
    QCOMPARE(d.receiverVendorFound, 1);
    // A zero maximum switches the check off.
    d.receiverMaxRelease = 0;
    c.kind = InterfaceKind::Mouse;
    c.release = 0x9999;
    m_w->HandleDeviceChange(c);
    QCOMPARE(d.receiverMouseFound, 1);
    // Let the warning that was due from the start show, and answer it.
    // The start-up check is due 200 ms after the window was made; a warning it
    // opens is answered (none may be left open when the window goes).
    BoxWatcher watcher(m_w.get(), [](MirtMessageBox *box) { box->reject(); });
    QTest::qWait(400);
}

void TestMainWindow::permissionProblemNamesTheRule()
{
    makeWindow(true, false, [this] { m_sim->backend().setPermissionDenied(true); });
    QCOMPARE(m_w->deviceCount(), 1);
    QVERIFY(!commandHandleOpen());
    QCOMPARE(m_w->deviceProblem(), MousecfgWidget::DeviceProblem::NoPermission);
    BoxWatcher watcher(m_w.get(), [](MirtMessageBox *box) { box->reject(); });
    QTRY_VERIFY_WITH_TIMEOUT(watcher.seen(), 3000);
    QCOMPARE(watcher.name(), QStringLiteral("permissionBox"));
    QVERIFY(watcher.text().contains(QStringLiteral("70-mousecfg.rules")));
    QVERIFY(!watcher.text().contains(QStringLiteral("Dongle Disconnect!")));
}

// ---------------------------------------------------------------------------
// Window

void TestMainWindow::pagesFollowTheProfile()
{
    makeWindow();
    m_w->StopBatteryThread();
    // Built when the DPI tab is first selected, with the current profile.
    QVERIFY(!findPart<MirtDPIWindow>(m_w.get(), "dpiPage"));
    QVERIFY(!findPart<MirtPointSpeed>(m_w.get(), "pointSpeedPage"));
    QVERIFY(!findPart<MirtReportRate>(m_w.get(), "reportRatePage"));
    m_w->slotRefreshProfile(2);
    m_w->SelectTab(MousecfgWidget::kTabDpi);
    MirtDPIWindow *dpi = part<MirtDPIWindow>(m_w.get(), "dpiPage");
    MirtPointSpeed *speed = part<MirtPointSpeed>(m_w.get(), "pointSpeedPage");
    MirtReportRate *rate = part<MirtReportRate>(m_w.get(), "reportRatePage");
    QCOMPARE(dpi->profile(), &m_w->currentSet().profiles[2]);
    QCOMPARE(int(speed->lift()), int(m_w->liftValue()));
    m_w->show();
    QVERIFY(dpi->isVisible());
    QVERIFY(rate->isVisible());
    m_w->SelectTab(MousecfgWidget::kTabMacro);
    QVERIFY(!dpi->isVisible());

    m_w->slotRefreshProfile(3);
    QCOMPARE(dpi->profile(), &m_w->currentSet().profiles[3]);
    QCOMPARE(rate->profile(), &m_w->currentSet().profiles[3]);
    QCOMPARE(speed->profile(), &m_w->currentSet().profiles[3]);

    // The lift distance chosen on one panel shows on the other and is collected.
    rate->liftRadio(1)->click();
    QCOMPARE(int(m_w->liftValue()), 2);
    QCOMPARE(int(speed->lift()), 2);
    m_w->collectPages();
    QCOMPARE(int(m_w->currentSet().LiftHigh), 2);

    // A stage reported by the mouse is selected on the page.
    m_w->slotRefreshDPIStage(1);
    QCOMPARE(dpi->currentStage(), 1);
}

void TestMainWindow::mouseSelectorWithTwoMice()
{
    makeWindow();
    const MirtPushButton *unused = findPart<MirtPushButton>(m_w.get(), "mouseSelector");
    QVERIFY(!unused || unused->isHidden()); // made when a second mouse shows up
    // One entry: the current product name follows it (stored once the window is
    // up, and once after a burst of device changes).
    QTRY_VERIFY(m_w->firstFrameDone());
    const auto storedName = [] {
        return QSettings(AppConfig::globalConfigFile(), QSettings::IniFormat)
            .value(QStringLiteral("Config/CurrentProductName"))
            .toString();
    };
    QTRY_COMPARE(storedName(), QString::fromLatin1(deviceList().entries[0].name));

    // A second entry, complete on its cable.
    DeviceList &list = deviceList();
    list.count = 2;
    DeviceEntry &second = list.entries[1];
    second = DeviceEntry();
    qstrncpy(second.name, "OTHER MOUSE", sizeof(second.name));
    second.cableMouseFound = second.cableVendorFound = 1;
    m_w->RefreshMouseList();
    QCOMPARE(m_w->deviceCount(), 2);
    MirtPushButton *selector = part<MirtPushButton>(m_w.get(), "mouseSelector");
    QVERIFY(!selector->isHidden());
    QVERIFY(selector->menu());
    QCOMPARE(selector->menu()->actions().size(), 2);

    QAction *other = selector->menu()->actions().at(1);
    m_w->slot_show_mousename(other);
    QCOMPARE(selector->text(), QStringLiteral("OTHER MOUSE"));
    QCOMPARE(storedName(), QStringLiteral("OTHER MOUSE"));
    // The list's own write, due after the burst, does not undo the user's choice.
    QTest::qWait(400);
    QCOMPARE(storedName(), QStringLiteral("OTHER MOUSE"));
    QCOMPARE(m_reloads, 1);
    QVERIFY(m_w->batteryThreadRunning());
    list.count = 1;
    second = DeviceEntry();
}

void TestMainWindow::simulationMenuDrivesTheMouse()
{
    makeWindow();
    SimulationMenu menu(&m_sim->backend());
    QVERIFY(menu.receiverAction()->isChecked());
    QVERIFY(!menu.cableAction()->isChecked());

    menu.cableAction()->trigger();
    QVERIFY(m_sim->backend().cablePlugged());
    QTRY_COMPARE(m_arrivals, 2);
    QTRY_COMPARE_WITH_TIMEOUT(m_w->connectionMode(), 1, 3000);

    for (QAction *a : menu.batteryActions()) {
        if (a->data().toInt() == 30)
            a->trigger();
    }
    QCOMPARE(m_sim->backend().firmwareSnapshot().batteryLevel(), 30);
    menu.chargingAction()->trigger();
    QVERIFY(m_sim->backend().firmwareSnapshot().charging());

    // The mouse's own report-rate button: the poller hears it and the window follows.
    // (First the re-open after the cable's arrival, and the poller's first answer.)
    QTRY_VERIFY_WITH_TIMEOUT(cableOpen() && m_w->batteryThreadRunning(), 3000);
    const int before = m_w->currentSet().current().pollrate;
    menu.rateAction()->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(m_w->currentSet().current().pollrate != before, 5000);
    QVERIFY(!notices().isEmpty());
    QVERIFY(notices().last().endsWith(QStringLiteral(" HZ")));

    menu.receiverAction()->trigger();
    QVERIFY(!m_sim->backend().receiverPlugged());
    emit menu.aboutToShow();
    QVERIFY(!menu.receiverAction()->isChecked());
    QVERIFY(menu.cableAction()->isChecked());
}

void TestMainWindow::tabsAndMarkers()
{
    makeWindow();
    m_w->show();
    m_w->SelectTab(MousecfgWidget::kTabCustomize);
    QVERIFY(part<MirtPushButton>(m_w.get(), "customizeTab")->isOn());
    QVERIFY(!part<MirtPushButton>(m_w.get(), "lightingTab")->isOn());
    QVERIFY(pageArea(m_w.get(), 1)->isVisible());
    QVERIFY(!pageArea(m_w.get(), 0)->isVisible());
    QVERIFY(marker(m_w.get(), 40)->isVisible()); // the two extra markers belong to this tab
    QVERIFY(marker(m_w.get(), 0)->isVisible());

    m_w->ShowFrontView(false);
    QVERIFY(!marker(m_w.get(), 0)->isVisible());
    QVERIFY(marker(m_w.get(), 20)->isVisible());
    m_w->SelBtnChanged(1, 1);
    QVERIFY(marker(m_w.get(), 21)->isOn());
    QVERIFY(!marker(m_w.get(), 1)->isOn());
    QCOMPARE(m_w->selectedType(), 1);
    QCOMPARE(m_w->selectedIndex(1), 1);

    // Pressing a tab button selects its page.
    QTest::mousePress(part<MirtPushButton>(m_w.get(), "macroTab"), Qt::LeftButton);
    QTest::mouseRelease(part<MirtPushButton>(m_w.get(), "macroTab"), Qt::LeftButton);
    QCOMPARE(m_w->currentTab(), int(MousecfgWidget::kTabMacro));
    for (int i = 0; i < MousecfgWidget::kMarkerCount; ++i)
        QVERIFY(!marker(m_w.get(), i)->isVisible());
    m_w->slotGotoMacro(2);
    QCOMPARE(m_w->currentTab(), 2);
    QVERIFY(!marker(m_w.get(), 40)->isVisible());

    // The title buttons and tabs go grey while a macro records; the profile slots stay.
    m_w->slotEnableButtons(false);
    QVERIFY(!part<MirtPushButton>(m_w.get(), "lightingTab")->isEnabled());
    QVERIFY(!part<MirtPushButton>(m_w.get(), "closeButton")->isEnabled());
    QVERIFY(!part<QLineEdit>(m_w.get(), "nameEditor")->isEnabled());
    QVERIFY(profileButton(m_w.get(), 0)->isEnabled());
    m_w->slotEnableButtons(true);
    QVERIFY(part<MirtPushButton>(m_w.get(), "lightingTab")->isEnabled());
}

void TestMainWindow::dragNeedsMoreThanFourPixels()
{
    makeWindow();
    m_w->move(100, 100);
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    const QPoint origin = m_w->frameGeometry().topLeft();
    const QPoint local(400, 20);
    auto send = [this](QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons) {
        const QPoint l = m_w->mapFromGlobal(global);
        QMouseEvent e(type, l, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(m_w.get(), &e);
    };
    const QPoint press = m_w->mapToGlobal(local);
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    send(QEvent::MouseMove, press + QPoint(2, 2), Qt::LeftButton);
    QCOMPARE(m_w->frameGeometry().topLeft(), origin);
    send(QEvent::MouseMove, press + QPoint(3, 2), Qt::LeftButton);
    QCOMPARE(m_w->frameGeometry().topLeft(), origin + QPoint(3, 2));
    send(QEvent::MouseButtonRelease, press + QPoint(3, 2), Qt::NoButton);
    send(QEvent::MouseMove, press + QPoint(40, 40), Qt::NoButton);
    QCOMPARE(m_w->frameGeometry().topLeft(), origin + QPoint(3, 2));
}

void TestMainWindow::trayToggle()
{
    makeWindow();
    m_w->show();
    m_w->iconActivated(QSystemTrayIcon::Context); // the menu, not a toggle
    QVERIFY(m_w->isVisible());
    m_w->iconActivated(QSystemTrayIcon::Trigger);
    QVERIFY(m_w->isHidden());
    m_w->iconActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(m_w->isVisible());
    g_bWarningShown = true;
    m_w->iconActivated(QSystemTrayIcon::Trigger);
    QVERIFY(m_w->isVisible());
    g_bWarningShown = false;
}

void TestMainWindow::closeHidesOrEndsCleanly()
{
    makeWindow();
    m_w->show();
    QTest::qWait(300); // past the start-up check, which would open a second warning
    // Without a tray to come back from, nothing hides the window: the
    // disconnect warning's "Ok", close and "OK" minimise it.
    BoxWatcher watcher(m_w.get(), [](MirtMessageBox *box) { box->accept(); });
    m_sim->backend().plugReceiver(false);
    QTRY_VERIFY_WITH_TIMEOUT(watcher.seen(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_w->warningBox(), 3000);
    QVERIFY(m_w->isVisible());
    QVERIFY(m_w->isMinimized());
    m_sim->backend().plugReceiver(true);
    QTRY_VERIFY_WITH_TIMEOUT(receiverOpen() && m_w->batteryThreadRunning(), 5000);
    // A second launch asks for the window: it comes back, not minimised.
    m_w->showAndRaise();
    QVERIFY(m_w->isVisible() && !m_w->isMinimized());
    part<MirtPushButton>(m_w.get(), "closeButton")->click();
    QVERIFY(m_w->isVisible());
    QVERIFY(m_w->isMinimized());
    QVERIFY(m_w->batteryThreadRunning());
    QVERIFY(receiverOpen());
    m_w->showNormal();
    m_w->hideWindow();
    QVERIFY(m_w->isVisible() && m_w->isMinimized());

    // "PROFILE/CloseWindow" = 1: the program ends, but only after the poller
    // stopped and the mouse was closed.
    QTemporaryDir data;
    QFile::copy(Paths::deviceDescriptionFile(), data.path() + QStringLiteral("/DefaultProfile.bin"));
    {
        QSettings s(data.path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
        s.setValue(QStringLiteral("PROFILE/CloseWindow"), 1);
    }
    Paths::setDataDir(data.path());
    QSignalSpy exit(m_w.get(), &MousecfgWidget::exitRequested);
    m_w->show();
    m_w->closeButtonPressed();
    QCOMPARE(exit.count(), 1);
    QCOMPARE(exit.at(0).at(0).toInt(), 0);
    QVERIFY(!m_w->batteryThreadRunning());
    QVERIFY(!receiverOpen());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
