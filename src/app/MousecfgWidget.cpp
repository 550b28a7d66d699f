// The main window's construction, window chrome, tray icon, poller and shutdown.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "AutoSwitchControl.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "HotplugFeed.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtBtnWindow.h"
#include "MirtColorWindow.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPointSpeed.h"
#include "MirtPushButton.h"
#include "MirtStyle.h"
#include "MouseSettingsLauncher.h"
#include "Paths.h"
#include "PointerSpeed.h"
#include "ProfileDefaults.h"
#include "ProfileDocument.h"
#include "ProfileStore.h"
#include "ScaleTable.h"
#include "SkinCache.h"
#include "TrayLife.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QTranslator>
#include <QWindow>

#include <cmath>
#include <cstdlib>

bool g_bWarningShown = false;

MousecfgWidget::MousecfgWidget(const MousecfgServices &services, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    qRegisterMetaType<DeviceChange>("DeviceChange");
    setObjectName(QStringLiteral("MousecfgWidget"));
    // No focus rectangles on the skin.
    MirtStyle::install();
    resize(400, 300);
    setWindowTitle(tr("MousecfgWidget"));
    setAttribute(Qt::WA_TranslucentBackground, false);

    // Pictures of the window itself.
    m_strAppDir = Paths::dataDir();

    // Size from the screen's logical DPI (a step smaller when the window would
    // not fit the screen), placed inside the primary screen's free area.
    computeScale();
    MirtKit::setScaleFactor(m_dScale);
    // Skin pictures come in the rendition of the factor (see applyScale()).
    loadBatteryFrames();
    setBaseSize(ScaleTable::kDesignWidth, ScaleTable::kDesignHeight);
    setMinimumSize(ScaleTable::kDesignWidth, ScaleTable::kDesignHeight);
    resize(m_iExpectWidth, m_iExpectHeight);
    if (m_scaleArea.isValid())
        move(ScaleTable::placeInside(m_scaleArea, QSize(m_iExpectWidth, m_iExpectHeight)));
    ensureBackground(m_iDpiVal);
    if (!m_maskBack[size_t(m_iDpiVal)].isEmpty())
        setMask(m_maskBack[size_t(m_iDpiVal)]);

    m_iConnectionMode = 3;
    m_bDeviceReady = 0;
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    m_strProductName = DeviceDescription::productName();

    // The owners of the profiles and of the mouse; the window follows them.
    m_document = std::make_unique<ProfileDocument>(m_strProductName);
    m_document->setFirstRead(std::exchange(m_services.firstProfileRead, nullptr));
    connect(m_document.get(), &ProfileDocument::loadNoticeChanged, this,
            [this] { QTimer::singleShot(0, this, &MousecfgWidget::showLoadNotice); });
    connect(m_document.get(), &ProfileDocument::setReplaced, this, &MousecfgWidget::onStoredProfilesReplaced);
    connect(m_document.get(), &ProfileDocument::externalConflict, this, &MousecfgWidget::onExternalConflict,
            Qt::QueuedConnection);
    m_session = std::make_unique<DeviceSession>(m_services.hotplug, m_strProductName);
    m_session->setMouseLockPath(m_services.mouseLockPath);
    connect(m_session.get(), &DeviceSession::mouseListChanged, this, &MousecfgWidget::onMouseListChanged);
    connect(m_session.get(), &DeviceSession::firstMouseArrived, this,
            [this] { QTimer::singleShot(200, Qt::PreciseTimer, this, &MousecfgWidget::slotWarnClose); });
    connect(m_session.get(), &DeviceSession::lastMouseGone, this, &MousecfgWidget::onLastMouseGone);
    connect(m_session.get(), &DeviceSession::connectionChanged, this, &MousecfgWidget::RefreshConnectionMode);
    connect(m_session.get(), &DeviceSession::mouseFound, this, [this] { queueConfigWrite(QString(), true); });
    m_configWriteTimer.setSingleShot(true);
    m_configWriteTimer.setInterval(300);
    connect(&m_configWriteTimer, &QTimer::timeout, this, &MousecfgWidget::writePendingConfig);
    connect(m_session.get(), &DeviceSession::batteryStatus, this,
            [this](quint8 iCharge, quint8 iLowByte, quint8 iHiByte) {
                slotRefreshBatteryStatus(iCharge, iLowByte, iHiByte);
                // Only the mouse's own readings: the tray's notices never follow a placeholder.
                if (m_pTrayLife)
                    m_pTrayLife->batteryReading(iCharge, iLowByte, iHiByte);
            });
    connect(m_session.get(), &DeviceSession::statusReport, this, &MousecfgWidget::slotRefreshStatus);

    // Find the mouse: device notifications are listened to before enumerating,
    // so nothing slips between.
    m_session->start();

    // Language and colour scheme.
    MirtKit::setLanguageId(AppConfig::readLangID());
    MirtKit::setColorMode(DeviceDescription::colorMode());
    m_pTranslator = new QTranslator(this);

    buildWidgets();
    RefreshMouseList();

    // The language menu, and the translation of the language chosen last.
    buildLanguageMenu();
    if (loadTranslation(m_iLangId))
        QCoreApplication::installTranslator(m_pTranslator);

    // Open the mouse and start listening to it.
    m_session->openDevicesAndPoll();

    // The stored settings: last-sent copy, then the working copy.
    loadProfileData();

    m_bDragging = false;
    m_bFrontView = true;
    createPages();
    if (m_pProfileCommands)
        m_pProfileCommands->setModelName(m_strProductName);
    setMarkerImages();
    layoutWidgets();

    SelectTab(kTabLighting);
    FillPages();
    retranslateTexts();
    RefreshMousePictures();
    showProfileName(m_document->set().names[m_document->set().ProfileID]);
    // The template for new library profiles; written once the window is up.
    runAfterFirstFrame([] { ProfileDefaults::writeDefaultProfileFile(); });

    // Auto-switch's profile menu entry; its rules and the desktop after the first frame.
    setUpAutoSwitch();
    // The tray and the window icon come right after the first frame, and so
    // does the watch on the stored profiles (another program may change them).
    runAfterFirstFrame([this] {
        m_document->watchFiles();
        if (m_services.showTray)
            createTray();
        setWindowIcon(QIcon(MirtKit::skinPath(QStringLiteral("/skin/icon.ico"))));
    });

    slotRefreshBatteryStatus(0, 1, 1);
    RefreshConnectionMode();

    if (!m_services.startMinimized)
        QTimer::singleShot(200, Qt::PreciseTimer, this, &MousecfgWidget::slotWarning);
    // A window that is not shown (no mouse, or started minimised) has no
    // first frame to wait for; one that is shown waits for it (paintEvent),
    // but not for ever.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            afterFirstFrame();
    });
    QTimer::singleShot(500, this, &MousecfgWidget::afterFirstFrame);
}

void MousecfgWidget::runAfterFirstFrame(std::function<void()> job)
{
    if (m_bFirstFrameDone)
        job();
    else
        m_afterFirstFrame.append(std::move(job));
}

void MousecfgWidget::afterFirstFrame()
{
    if (m_bFirstFrameDone)
        return;
    m_bFirstFrameDone = true;
    // Jobs may queue more: they run at once now.
    const QList<std::function<void()>> jobs = std::move(m_afterFirstFrame);
    m_afterFirstFrame.clear();
    for (const std::function<void()> &job : jobs)
        job();
}

void MousecfgWidget::setPointerSpeed(PointerSpeed *pointerSpeed)
{
    m_services.pointerSpeed = pointerSpeed;
    // As at load: the current profile shows the desktop's speed.
    if (pointerSpeed && pointerSpeed->isAvailable()) {
        int speed = m_document->set().current().mousespeed;
        if (pointerSpeed->readSpeed(&speed))
            m_document->set().current().mousespeed = quint8(speed);
    }
    if (m_pPointSpeed) {
        m_pPointSpeed->setPointerSpeedAvailable(pointerSpeed && pointerSpeed->isAvailable());
        FillPages();
    }
}

MousecfgWidget::~MousecfgWidget()
{
    // The mouse first (poller stopped, handles closed), then the pages, which
    // point into the profiles, then the profiles (a stage the mouse reported
    // just before the end is still stored).
    m_session->disconnect(this);
    m_session.reset();
    if (m_configWriteTimer.isActive()) {
        m_configWriteTimer.stop();
        m_bFirstFrameDone = true;
        writePendingConfig();
    }
    if (m_pTranslator)
        QCoreApplication::removeTranslator(m_pTranslator);
    if (m_pTray)
        m_pTray->hide();
    qDeleteAll(findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
    m_document->disconnect(this);
    m_document.reset();
}

QString MousecfgWidget::productTitle() const
{
    return m_services.simulated ? m_strProductName + tr(" - simulated mouse") : m_strProductName;
}

// ---------------------------------------------------------------------------
// Scale

void MousecfgWidget::computeScale()
{
    chooseScaleFor(QGuiApplication::primaryScreen());
    m_dScale = ScaleTable::factorOf(m_iDpiVal);
    m_iExpectWidth = ScaleTable::expectedWidth(m_iDpiVal);
    m_iExpectHeight = ScaleTable::expectedHeight(m_iDpiVal);
}

bool MousecfgWidget::chooseScaleFor(QScreen *screen)
{
    const QString name = screen ? screen->name() : QString();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (m_bScaleChosen && name == m_scaleScreen && dpi == m_dScaleDpi && area == m_scaleArea)
        return false;
    // The factor of the screen's DPI, or a smaller one when that window
    // would not fit the screen's free area.
    m_bScaleChosen = true;
    m_scaleScreen = name;
    m_dScaleDpi = dpi;
    m_scaleArea = area;
    m_iDpiVal = ScaleTable::indexForScreen(dpi, area.size());
    return true;
}

void MousecfgWidget::setScaleIndex(int index)
{
    index = qBound(0, index, ScaleTable::kIndexCount - 1);
    const QSize expected(ScaleTable::expectedWidth(index), ScaleTable::expectedHeight(index));
    if (index == m_iDpiVal && size() == expected)
        return;
    m_iDpiVal = index;
    m_dScale = ScaleTable::factorOf(index);
    m_iExpectWidth = expected.width();
    m_iExpectHeight = expected.height();
    if (size() != expected)
        resize(expected);
    applyScale();
    // The menus' entries and the tray menu follow the factor; the profile and
    // language menus make their style sheets again when they open.
    for (MirtAction *action : findChildren<MirtAction *>())
        action->applyFont();
    if (m_pTrayMenu)
        m_pTrayMenu->setStyleSheet(MirtKit::menuStyleSheet());
    // The pages built so far lay themselves out for the new factor.
    if (m_pColorPage)
        m_pColorPage->Rescale(m_dScale);
    if (m_pBtnPage)
        m_pBtnPage->Rescale(m_dScale);
}

void MousecfgWidget::ensureBackground(int index)
{
    if (index < 0 || index >= int(m_pixBack.size()) || !m_pixBack[size_t(index)].isNull())
        return;
    // The window's shape is the opaque area of the skin.
    QRegion shape;
    const QImage back =
        SkinCache::scaled(QStringLiteral("/skin/cfgMainback.png"),
                          QSize(ScaleTable::expectedWidth(index), ScaleTable::expectedHeight(index)),
                          Qt::IgnoreAspectRatio, &shape);
    if (back.isNull())
        return;
    m_pixBack[size_t(index)] = QPixmap::fromImage(back);
    m_maskBack[size_t(index)] = shape;
}

void MousecfgWidget::loadBatteryFrames()
{
    m_batteryRendition = MirtKit::skinRendition();
    m_pixBattery[0] = MirtKit::skinPixmap(QStringLiteral("/skin/bat1.png"));
    m_pixBattery[1] = MirtKit::skinPixmap(QStringLiteral("/skin/bat2.png"));
}

void MousecfgWidget::applyScale()
{
    // The factor first: the pictures loaded from here on are the rendition
    // for it, and the kept battery frames are loaded again when it changed.
    MirtKit::setScaleFactor(m_dScale);
    if (m_batteryRendition != MirtKit::skinRendition())
        loadBatteryFrames();
    ensureBackground(m_iDpiVal);
    const QPixmap &back = m_pixBack[size_t(m_iDpiVal)];
    if (!back.isNull()) {
        if (back.size() == size())
            setMask(m_maskBack[size_t(m_iDpiVal)]);
        else
            setMask(back.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation).mask());
    }
    layoutWidgets();
    RefreshMousePictures();
}

void MousecfgWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QScreen *screen = nullptr;
    if (windowHandle())
        screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // On another screen, or the screen's DPI or free area changed: the factor
    // is chosen again for it; a new factor lays everything out again.
    const int before = m_iDpiVal;
    if (chooseScaleFor(screen) && m_iDpiVal != before) {
        const int index = m_iDpiVal;
        m_iDpiVal = before;
        setScaleIndex(index);
    } else if (width() == m_iExpectWidth && height() == m_iExpectHeight) {
        const int snapped = ScaleTable::indexForWidth(width());
        if (snapped >= 0) {
            m_iDpiVal = snapped;
            m_dScale = ScaleTable::factorOf(snapped);
        }
        applyScale();
    } else {
        // Resized by someone else (a window manager): the mask follows the new size.
        applyScale();
    }
    qCDebug(lcApp, "width = %d, height = %d m_iDpiVal = %d\n", width(), height(), m_iDpiVal);
}

// ---------------------------------------------------------------------------
// Painting

const QPixmap &MousecfgWidget::batteryFrame() const
{
    return m_pixBattery[m_iConnectionMode <= 1 ? 1 : 0];
}

void MousecfgWidget::paintEvent(QPaintEvent *)
{
    if (!m_bFirstFrameDone && !m_bFirstFrameQueued) {
        // Queued: it runs once this frame is on the screen.
        m_bFirstFrameQueued = true;
        QTimer::singleShot(0, this, &MousecfgWidget::afterFirstFrame);
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QPixmap &back = m_pixBack[size_t(m_iDpiVal)];
    if (back.isNull())
        p.fillRect(rect(), MirtKit::panelColor());
    else if (back.size() == size())
        p.drawPixmap(0, 0, back);
    else
        p.drawPixmap(rect(), back);
    const QRect frame(MirtKit::scaled(69), MirtKit::scaled(581), MirtKit::scaled(86), MirtKit::scaled(47));
    const QPixmap &bat = batteryFrame();
    if (!bat.isNull())
        p.drawPixmap(frame, bat);
}

// ---------------------------------------------------------------------------
// Window chrome

void MousecfgWidget::closeButtonPressed()
{
    if (DeviceDescription::closeWindow() == 0) {
        hideToTray();
        return;
    }
    // End the program, but not under a thread that still reads the mouse.
    m_session->closeDevices();
    emit exitRequested(0);
    QCoreApplication::exit(0);
}

void MousecfgWidget::closeEvent(QCloseEvent *event)
{
    // The window manager's close (Alt+F4) behaves like the close button.
    event->ignore();
    closeButtonPressed();
}

void MousecfgWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDragging = true;
        m_bManualDrag = false;
        const QPointF g = event->screenPos();
        m_pressPos = QPoint(int(std::lround(g.x())), int(std::lround(g.y())));
        m_frameOrigin = frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void MousecfgWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        const QPointF g = event->screenPos();
        const int dx = int(std::lround(g.x())) - m_pressPos.x();
        const int dy = int(std::lround(g.y())) - m_pressPos.y();
        if (std::abs(dx) + std::abs(dy) > 4) {
            // The desktop moves the window where it can (Wayland allows no
            // other way); elsewhere it follows the pointer by hand.
            if (!m_bManualDrag && windowHandle() && windowHandle()->startSystemMove())
                m_bDragging = false;
            else {
                m_bManualDrag = true;
                move(m_frameOrigin + QPoint(dx, dy));
            }
        }
    }
    QWidget::mouseMoveEvent(event);
}

void MousecfgWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    QWidget::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------------------
// Tray

void MousecfgWidget::createTray()
{
    m_pLoadAction = new MirtAction(tr("&Load Config"), this);
    connect(m_pLoadAction, &QAction::triggered, this, &MousecfgWidget::slotWarning);
    m_pQuitAction = new MirtAction(tr("&Quit"), this);
    connect(m_pQuitAction, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    m_pTrayMenu = new QMenu(this);
    m_pTrayMenu->setObjectName(QStringLiteral("trayMenu"));
    m_pTrayMenu->setStyleSheet(MirtKit::menuStyleSheet());
    m_pTrayMenu->addAction(m_pLoadAction);
    if (m_services.extraTrayMenu) {
        if (QMenu *extra = m_services.extraTrayMenu())
            m_pTrayMenu->addMenu(extra);
    }
    m_pTrayMenu->addAction(m_pQuitAction);
    m_pTrayLife = new TrayLife(m_services.notifier, this);
    m_pTrayLife->setObjectName(QStringLiteral("trayLife"));
    m_pTrayLife->addToMenu(m_pTrayMenu, m_pQuitAction);
    m_pAutoSwitch->addToMenu(m_pTrayMenu, m_pQuitAction);

    m_pTray = new QSystemTrayIcon(this);
    m_pTray->setObjectName(QStringLiteral("trayIcon"));
    m_pTray->setContextMenu(m_pTrayMenu);
    connect(m_pTray, &QSystemTrayIcon::activated, this, &MousecfgWidget::iconActivated);
    m_pTray->setIcon(QIcon(MirtKit::skinPath(QStringLiteral("/skin/icon.ico"))));
    m_pTrayLife->setConnectionMode(m_iConnectionMode);
    m_pTrayLife->setTrayIcon(m_pTray, productTitle());
    m_pTray->setVisible(true);
}

void MousecfgWidget::hideToTray()
{
    if (m_pTray && m_pTray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void MousecfgWidget::showAndRaise()
{
    // As the tray's "&Load Config": shown, raised, and the warning when the mouse is missing.
    slotWarning();
}

void MousecfgWidget::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::DoubleClick && reason != QSystemTrayIcon::Trigger)
        return;
    if (isHidden() || isMinimized()) {
        if (isMinimized())
            showNormal();
        slotWarning();
    } else if (!g_bWarningShown) {
        hide();
    }
}

// ---------------------------------------------------------------------------
// Poller

void MousecfgWidget::StartBatteryThread()
{
    m_session->startPoller();
}

void MousecfgWidget::StopBatteryThread()
{
    m_session->stopPoller();
}

bool MousecfgWidget::batteryThreadRunning() const
{
    return m_session->pollerRunning();
}

int MousecfgWidget::runWithProgress(const std::function<int()> &job)
{
    m_session->beginJob();
    qCDebug(lcApp) << "mouse job: begins";
    const int result = ProfileCommandHost::runWithProgress(job);
    qCDebug(lcApp) << "mouse job: ends, result" << result;
    m_session->endJob();
    return result;
}

ProfileSet &MousecfgWidget::currentSet()
{
    return m_document->wholeSet();
}

ProfileSet &MousecfgWidget::lastSentSet()
{
    return m_document->wholeLastSent();
}

QString MousecfgWidget::pendingLoadNotice() const
{
    return m_document->pendingLoadNotice();
}

unsigned MousecfgWidget::slotsLeftToRead() const
{
    return m_document->slotsLeft();
}
