#pragma once
// The main window: one frameless, skin-shaped 999 × 640 surface (design units,
// scaled by the window scale factor) that shows the mouse as its receiver and
// cable come and go, its connection and battery, switches profiles and hosts
// the settings pages under four tabs, with the tray icon.
//
// It shows what two owners hold and sends them the user's commands: the
// DeviceSession (the device list, handles, poller and the jobs that talk to
// the mouse) and the ProfileDocument (the current and last-sent profile sets,
// their loading and the stored files). The window itself holds only the view.

#include "DeviceChange.h"
#include "MirtMessageBox.h"
#include "MirtPlugInWatch.h"
#include "ProfileCommands.h"
#include "ProfileStore.h"
#include "ProfileTypes.h"

#include <QBitmap>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class ActiveWindowSource;
class AutoSwitchControl;
class DesktopNotifier;
class DeviceSession;
class ProfileDocument;
class HotplugFeed;
class LightingPreview;
class MirtBtnWindow;
class MirtColorWindow;
class MacroDialog;
class MirtDPIWindow;
class MirtPointSpeed;
class MirtReportRate;
class MouseSettingsLauncher;
class ProgramLauncher;
class MirtAction;
class MirtLabel;
class MirtProcessbar;
class QScreen;
class MirtPushButton;
class OsdClient;
class PointerSpeed;
class QLabel;
class QLineEdit;
class QMenu;
class QSettings;
class QTranslator;
class TrayLife;

// What the window needs from the system, handed in so tests can pass fakes.
// Nothing here is owned by the window; null members are simply not used.
struct MousecfgServices
{
    HotplugFeed *hotplug = nullptr;       // device arrival and removal
    PointerSpeed *pointerSpeed = nullptr; // the desktop's pointer speed
    OsdClient *osd = nullptr;             // on-screen notices
    ProgramLauncher *launcher = nullptr;  // starts the desktop's mouse settings
    // Makes a menu for the tray (the simulated mouse's controls), when the tray is made.
    std::function<QMenu *()> extraTrayMenu;
    bool simulated = false;              // the titles say " - simulated mouse"
    bool showTray = true;                // create the tray icon
    DesktopNotifier *notifier = nullptr; // the desktop's notices (battery low, charged)
    bool startMinimized = false;         // --minimized: start-up shows neither window nor warning
    // The profile set as read ahead while the program started (waits for that
    // read): the window's first read takes it instead of reading the files.
    std::function<ProfileStore::ProfileSetRead()> firstProfileRead;
    // The lock that keeps mousecfg-cli from the mouse while the window has it
    // (MouseLock); empty: none (tests that run no second program).
    QString mouseLockPath;
    // Makes the follower of the desktop's active window for auto-switch (owned
    // by the window once made); null: the one this session has, if any.
    std::function<ActiveWindowSource *()> activeWindowSource;
};

// True while the "Dongle Disconnect!" warning is open: the tray toggle then
// does not hide the window.
extern bool g_bWarningShown;

class MousecfgWidget : public QWidget, public MirtPlugInWatch, public ProfileCommandHost
{
    Q_OBJECT

public:
    // Tabs, in the order of their buttons.
    enum Tab
    {
        kTabLighting = 0,
        kTabCustomize = 1,
        kTabDpi = 2,
        kTabMacro = 3,
        kTabCount = 4
    };
    // Warnings the window can show instead of its content.
    enum class DeviceProblem
    {
        None,
        Disconnected,
        NoPermission
    };

    static constexpr int kMarkersPerView = 20;
    static constexpr int kMarkerCount = 2 * kMarkersPerView + 2;

    explicit MousecfgWidget(const MousecfgServices &services = MousecfgServices(), QWidget *parent = nullptr);
    ~MousecfgWidget() override;

    // --- start-up and shutdown ---
    void StartBatteryThread();
    void StopBatteryThread();
    bool batteryThreadRunning() const;
    // The window title for the product (and the simulation suffix).
    QString productTitle() const;
    // "PROFILE/CloseWindow" 0 hides the window (to the tray); otherwise the
    // program ends: poller stopped and device closed first, exit code 0.
    void closeButtonPressed();

    // --- discovery and hot-plug ---
    // One arrival or removal of a HID interface.
    void HandleDeviceChange(const DeviceChange &change);
    // An interface path of the other system's notifications (the leading
    // "\\?\" dropped), arrived true for an arrival.
    void HandleDeviceChange(const QString &path, bool arrived);
    void RefreshMouseList();
    int deviceCount() const;
    int deviceReady() const override { return m_bDeviceReady; }
    // What keeps the mouse from being used right now.
    DeviceProblem deviceProblem() const;
    // The open warning box, if any (tests answer it).
    MirtMessageBox *warningBox() const { return m_pWarningBox; }
    static QString permissionText();

    // --- window content ---
    void SelectTab(int index);
    int currentTab() const { return m_iCurrentTab; }
    void RefreshConnectionMode();
    int connectionMode() const { return m_iConnectionMode; }
    void SetCurrentProfile(int index, bool bReload);
    void FillPages();
    void RefreshMousePictures();
    // Every text again, the poller restarted and the mouse view laid out anew.
    void RetranslateUi();
    void ShowOsd(const QString &text);

    // --- firmware updater and language ---
    // The firmware update command. Without a firmware updater for this system
    // in Config.ini ("Firmware/Updater") it says where this mouse's updater
    // comes from and starts nothing; with one: the cable check, the question,
    // the updater started detached and the program ended; when it cannot be
    // started the program says so and keeps running.
    void firmwareUpdate();
    // What Firmware Update says when no updater for this system is configured.
    static QString firmwareUpdaterText();
    // Makes language INDEX current: "Config/LangID", its translation and every text.
    void changeLanguage(int index);
    int languageIndex() const { return m_iLangId; }
    void ShowFrontView(bool bFront);
    bool frontViewShown() const { return m_bFrontView; }

    // Work kept off the path to the first frame: JOB runs right after the
    // window's first frame (or on the first turn of the event loop when the
    // window starts hidden), in the order given; at once when that is past.
    void runAfterFirstFrame(std::function<void()> job);
    bool firstFrameDone() const { return m_bFirstFrameDone; }
    // The desktop's pointer speed when it comes after the window (opened after
    // the first frame): the current profile takes the desktop's speed.
    void setPointerSpeed(PointerSpeed *pointerSpeed);

    // Scale factor and its index (0 = 1.0 … 16 = 5.0).
    double scaleFactor() const { return m_dScale; }
    int scaleIndex() const { return m_iDpiVal; }
    // Lays the window and its pages out at factor index INDEX (clamped): the
    // size, the pictures, the fonts. The window does so itself when it comes
    // to a screen of another DPI or size.
    void setScaleIndex(int index);

    // The widgets are known by their object names ("batteryBar", "lightingTab",
    // "profileButton1", "marker0", "dpiPage", "trayIcon", ...), not by getters;
    // a page exists once its tab was first shown.

    // The profile commands and what the window shows.
    ProfileCommands *profileCommands() const { return m_pProfileCommands; }
    const QPixmap &batteryFrame() const;
    int lastBatteryLevel() const { return m_iLastBattery; }
    int selectedType() const { return m_iSelType; }
    int selectedIndex(int type) const { return m_iSelIndex[type < 3 && type >= 0 ? type : 0]; }
    quint8 liftValue() const { return m_iLift; }

    // --- ProfileCommandHost ---
    ProfileSet &currentSet() override;
    ProfileSet &lastSentSet() override;
    QWidget *dialogParent() override { return this; }
    void stopPoller() override { StopBatteryThread(); }
    void startPoller() override { StartBatteryThread(); }
    void collectPages() override;
    void fillPages() override { FillPages(); }
    void showProfileName(const QString &name) override;
    void retranslate() override { RetranslateUi(); }
    void configurationImported() override;
    void hideWindow() override { hideToTray(); }
    void reloadCurrentProfile() override;
    void pointerSpeedRestored() override { applyPointerSpeed(); }
    // The job runs while the device session holds its device changes back.
    int runWithProgress(const std::function<int()> &job) override;

    // The two owners the window shows.
    DeviceSession *deviceSession() const { return m_session.get(); }
    ProfileDocument *profileDocument() const { return m_document.get(); }

    // Hides the window to the tray; without a tray to come back from (no
    // system tray, or none created) the window is minimised instead, so it is
    // never lost.
    void hideToTray();
    // Shows, un-minimises and raises the window (a second launch asks for it).
    void showAndRaise();
    // What the last load of the stored set had to reset, until it is shown.
    QString pendingLoadNotice() const;
    unsigned slotsLeftToRead() const;

signals:
    // Every on-screen notice, as sent.
    void osdNotice(const QString &text);
    // The settings were loaded again after a device change (first device, mouse chosen).
    void deviceReloaded();
    // The window asked the program to end (close button with "PROFILE/CloseWindow" set).
    void exitRequested(int code);

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void SelBtnChanged(quint8 iBtn, quint8 iType);
    void slotGotoMacro(quint8 iTab);
    void slot_show_mousename(QAction *action);
    void slotPopOneClickBox();
    void slotEnableButtons(bool bEnable);
    void slotLiftChange(quint8 iLift);
    void slotProfileNameChange();
    void slotRefreshProfile(quint8 iProfile);
    void slotRefreshDPIStage(quint8 iDPI);
    void slotRefreshRate(quint8 iRate);
    void slotWarning();
    void slotWarnClose();
    void slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void slotRefreshWriteStatus(quint8 iStatus);
    void slotMouseOver(MirtPushButton *btn, bool bType);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onProfileAction(QAction *action);
    void onTabPressed(MirtPushButton *btn);
    void onProfileButtonClicked();
    void onMarkerClicked();
    void onMouseListChanged();
    void onLastMouseGone();
    void onStoredProfilesReplaced();
    void onExternalConflict(const QList<int> &slotList);

private:
    // Construction pieces (MousecfgWidget.cpp).
    void computeScale();
    // Chooses the factor index for SCREEN (ScaleTable::indexForScreen) unless
    // it was chosen for that screen as it is; true when it chose.
    bool chooseScaleFor(QScreen *screen);
    void ensureBackground(int index);
    void applyScale();
    void loadBatteryFrames();
    void createTray();
    // The widgets (MousecfgView.cpp).
    void buildWidgets();
    void layoutWidgets();
    void retranslateTexts();
    void createPages();
    void ensureDpiPages();
    void afterFirstFrame();
    void ensureColorPage();
    void ensureButtonPage();
    void ensureMacroPage();
    void buildProfileMenu();
    void ensureMouseSelector();
    void setMarkerImages();
    void layoutMarkers();
    void updateMarkerVisibility();
    // Language (MousecfgLanguage.cpp).
    void buildLanguageMenu();
    bool loadTranslation(int langId);
    MirtPushButton *makeButton(const QStringList &images, const QString &text = QString());
    // Places WIDGET at its design rectangle (kept for later re-layouts).
    void place(QWidget *widget, int x, int y, int w, int h);
    // Hot-plug (MousecfgDevice.cpp).
    void reloadAfterDeviceChange(bool bSelectFirstButton);
    void showProductTitle();
    // Config.ini's current product name (or, DIFF, "Config/Diff" = 1), written
    // once after a burst of device changes.
    void queueConfigWrite(const QString &productName, bool diff);
    void writePendingConfig();
    // Status (MousecfgStatus.cpp).
    void setBatteryStyle(bool bGrey);
    QString stageDpiText(int stage) const;
    void applyPointerSpeed();
    void loadProfileData();
    // Before the first frame only the current slot is read; the other four
    // right after it, or at once when anything needs the whole set.
    void loadOtherSlots();
    void showLoadNotice();
    // Switches the mouse to profile INDEX on the worker thread; SendCommand's code.
    int switchMouseProfile(int index);
    // What a profile button does: the window's slot, then the mouse's, each
    // back where it was when the mouse did not switch; SendCommand's code.
    int switchToProfile(int index);
    // Auto-switch (MousecfgAutoSwitch.cpp): set up, its switch with the notice, its dialog.
    void setUpAutoSwitch();
    void autoSwitchProfile(int slot);
    void openAutoSwitchDialog();

    MousecfgServices m_services;
    QString m_strAppDir;
    QString m_strProductName;

    // Scale.
    int m_iDpiVal = 0;
    double m_dScale = 1.0;
    int m_iExpectWidth = 999;
    int m_iExpectHeight = 640;
    // The screen the factor was chosen for: its name, DPI and free area.
    bool m_bScaleChosen = false;
    QString m_scaleScreen;
    double m_dScaleDpi = 0.0;
    QRect m_scaleArea;
    std::array<QPixmap, 17> m_pixBack;  // the background scaled for each index, made on demand
    std::array<QRegion, 17> m_maskBack; // and its opaque area
    std::array<QPixmap, 2> m_pixBattery;
    int m_batteryRendition = -1; // MirtKit::renditionFor() of m_pixBattery

    // Dragging.
    bool m_bDragging = false;
    bool m_bManualDrag = false; // the desktop would not move the window itself
    QPoint m_pressPos;
    QPoint m_frameOrigin;

    // The owners of the mouse and of the profiles.
    std::unique_ptr<DeviceSession> m_session;
    std::unique_ptr<ProfileDocument> m_document;

    // Device.
    int m_bDeviceReady = 0;
    QPointer<MirtMessageBox> m_pWarningBox;
    QTimer m_configWriteTimer;
    QString m_strPendingProduct;
    QString m_strWrittenProduct; // null: nothing written by this window yet
    bool m_bProductPending = false;
    bool m_bDiffPending = false;
    DeviceProblem m_warningProblem = DeviceProblem::None; // what the open box says
    bool m_bSwitchWarning = false;                        // the open box makes room for another

    // Status.
    int m_iConnectionMode = 3;
    quint8 m_iCharging = 0;
    // What the mouse reported last (0xFF: nothing yet from this poller). A report
    // moves the record only when the mouse itself changed, so an edit that has
    // not been applied yet is not undone by the next poll.
    quint8 m_iReportedDpi = 0xFF;
    quint8 m_iReportedRate = 0xFF;
    QPointer<MirtMessageBox> m_pLoadNoticeBox;
    int m_iLastBattery = -1;
    quint8 m_iLift = 1;
    int m_iSelType = 0;
    int m_iSelIndex[3] = {0, 0, 0};
    bool m_bFrontView = true;
    int m_iCurrentTab = kTabCustomize;
    int m_iHoverButton = -1;

    // Widgets and their design rectangles.
    QHash<QWidget *, QRect> m_designRects;
    QTranslator *m_pTranslator = nullptr;
    MirtPushButton *m_pCloseBtn = nullptr;
    MirtPushButton *m_pMinBtn = nullptr;
    MirtPushButton *m_pLangBtn = nullptr;
    QMenu *m_pLangMenu = nullptr;
    QList<MirtAction *> m_langActions;
    QStringList m_langFiles;
    int m_iLangId = 0;
    MirtPushButton *m_pFirmwareBtn = nullptr;
    MirtPushButton *m_pMouseSelector = nullptr;
    QMenu *m_pMouseMenu = nullptr;
    MirtLabel *m_pVersionLabel = nullptr;
    QLabel *m_pLogoLabel = nullptr;
    MirtLabel *m_pTitleLabel = nullptr;
    QList<MirtPushButton *> m_tabButtons;
    QList<QWidget *> m_pageAreas;
    QList<MirtPushButton *> m_profileButtons;
    MirtPushButton *m_pProfileMenuBtn = nullptr;
    QMenu *m_pProfileMenu = nullptr;
    QList<MirtAction *> m_profileActions;
    MirtLabel *m_pNameLabel = nullptr;
    QLineEdit *m_pNameEdit = nullptr;
    MirtPushButton *m_pLibraryBtn = nullptr;
    MirtPushButton *m_pExportProfileBtn = nullptr;
    MirtPushButton *m_pImportProfileBtn = nullptr;
    QList<MirtPushButton *>
        m_commandButtons; // RESET, ADD, DELETE, COPY, Reset All, OK, Cancel, Apply, LOAD1, SAVE
    QLabel *m_pTopPicture = nullptr;
    QLabel *m_pSidePicture = nullptr;
    MirtPushButton *m_pFrontBtn = nullptr;
    MirtPushButton *m_pSideBtn = nullptr;
    QList<MirtPushButton *> m_markers; // 0..19 top, 20..39 side, 40..41 extra
    QLabel *m_pChargingLabel = nullptr;
    QLabel *m_pReceiverLabel = nullptr;
    MirtProcessbar *m_pBatteryBar = nullptr;
    ProfileCommands *m_pProfileCommands = nullptr;
    MirtDPIWindow *m_pDpiPage = nullptr;
    MirtPointSpeed *m_pPointSpeed = nullptr;
    MirtReportRate *m_pReportRate = nullptr;
    MirtColorWindow *m_pColorPage = nullptr;
    MirtBtnWindow *m_pBtnPage = nullptr;
    MacroDialog *m_pMacroPage = nullptr;
    LightingPreview *m_pLightPreview = nullptr;
    int m_iColorPageWaits = 0; // 10 ms steps waited for the first frame
    std::unique_ptr<MouseSettingsLauncher> m_pSettingsLauncher;
    // Start-up work waiting for the first frame (runAfterFirstFrame).
    QList<std::function<void()>> m_afterFirstFrame;
    bool m_bFirstFrameDone = false;
    bool m_bFirstFrameQueued = false;

    // Tray.
    QSystemTrayIcon *m_pTray = nullptr;
    QMenu *m_pTrayMenu = nullptr;
    MirtAction *m_pLoadAction = nullptr;
    MirtAction *m_pQuitAction = nullptr;
    TrayLife *m_pTrayLife = nullptr;
    AutoSwitchControl *m_pAutoSwitch = nullptr;
    MirtPushButton *m_pAutoSwitchBtn = nullptr; // opens the rules dialog
};
