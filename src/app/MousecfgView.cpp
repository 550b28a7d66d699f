// The main window's widgets: title area, tabs and pages, profile slots and the
// profile area, the mouse view with its markers, the connection and battery status.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "LightingModel.h"
#include "LightingPreview.h"
#include "MacroDialog.h"
#include "MirtAction.h"
#include "MirtBtnWindow.h"
#include "MirtColorWindow.h"
#include "MirtDPIWindow.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtMessageBox.h"
#include "MirtPointSpeed.h"
#include "MirtProcessbar.h"
#include "MirtPushButton.h"
#include "MirtReportRate.h"
#include "ModelQuirks.h"
#include "MouseSettingsLauncher.h"
#include "PointerSpeed.h"
#include "ProfileDocument.h"
#include "SkinCache.h"
#include "TrayLife.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QStringList kTabImages = {QStringLiteral("/skin/tabbutton-1.png"),
                                QStringLiteral("/skin/tabbutton-3.png"),
                                QStringLiteral("/skin/tabbutton-2.png")};
const QStringList kMarkerImages = {QStringLiteral("/skin/marker-1.png"), QStringLiteral("/skin/marker-2.png"),
                                   QStringLiteral("/skin/marker-3.png")};

QStringList fourImages(const QString &stem)
{
    QStringList images;
    for (int i = 1; i <= 4; ++i)
        images << QStringLiteral("/skin/%1-%2.png").arg(stem).arg(i);
    return images;
}

QStringList threeImages(const QString &stem)
{
    return fourImages(stem).mid(0, 3);
}

// The name field's font: the application's own, grown with the window's
// factor as the kit's texts are. At 1x it is the font the field was made
// with, so that no second font is loaded before the first frame.
QFont nameFieldFont(double scale)
{
    QFont font = QApplication::font();
    if (qFuzzyCompare(scale, 1.0))
        return font;
    // Its size at 1x in pixels: a point size counts at 96 dots an inch, as
    // the factor already holds the screen's density.
    const double designPx = font.pointSizeF() > 0 ? font.pointSizeF() * 96.0 / 72.0 : font.pixelSize();
    font.setPixelSize(qMax(1, qRound(designPx * scale)));
    return font;
}

// Where the markers sit over the pictures (design units, centre points).
constexpr int kMarkerSize = 18;
constexpr QRect kPictureRect(30, 80, 230, 306);

QPoint topMarkerCentre(int i)
{
    static const QPoint table[] = {{98, 130}, {176, 130}, {137, 112}, {52, 238},
                                   {52, 200}, {137, 170}, {137, 200}, {137, 300}};
    if (i < int(sizeof(table) / sizeof(table[0])))
        return table[i];
    return QPoint(238, 120 + (i - 8) * 22);
}

QPoint sideMarkerCentre(int i)
{
    // On the thumb buttons of the side picture (4 Forward, 5 Back).
    static const QPoint table[] = {{120, 246}, {175, 246}};
    if (i < int(sizeof(table) / sizeof(table[0])))
        return table[i];
    return QPoint(60 + (i % 8) * 24, 300 + (i / 8) * 24);
}

// The side picture shows the thumb buttons of the top view (4 Forward and 5
// Back of the shipped model): its markers stand for those first-set buttons,
// so the side view offers no button the model does not have.
constexpr int kSideViewButtons[] = {3, 4};
constexpr int kSideViewCount = int(sizeof(kSideViewButtons) / sizeof(kSideViewButtons[0]));

// The side marker standing for first-set button I; -1 when none does.
int sideMarkerOf(int i)
{
    for (int k = 0; k < kSideViewCount; ++k) {
        if (kSideViewButtons[k] == i)
            return k;
    }
    return -1;
}

QPoint extraMarkerCentre(int i)
{
    return QPoint(238, 330 + i * 26);
}

QString profileText(int i)
{
    return MousecfgWidget::tr("Profile") + QStringLiteral(" %1").arg(i + 1);
}

} // namespace

void MousecfgWidget::place(QWidget *widget, int x, int y, int w, int h)
{
    m_designRects.insert(widget, QRect(x, y, w, h));
    SetScaledGeometry(widget, m_dScale, x, y, w, h);
}

MirtPushButton *MousecfgWidget::makeButton(const QStringList &images, const QString &text)
{
    auto *btn = new MirtPushButton(images, this);
    if (!text.isEmpty())
        btn->setText(text);
    return btn;
}

void MousecfgWidget::buildWidgets()
{
    // Title area.
    m_pLogoLabel = new QLabel(this);
    m_pLogoLabel->setObjectName(QStringLiteral("logoLabel"));
    place(m_pLogoLabel, 24, 10, 160, 40);
    m_pTitleLabel = new MirtLabel(QString(), this);
    m_pTitleLabel->SetBold(true);
    m_pTitleLabel->SetFontSize(13);
    place(m_pTitleLabel, 26, 50, 250, 20);
    m_pVersionLabel = new MirtLabel(DeviceDescription::version(), this);
    m_pVersionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pVersionLabel->SetFontSize(12);
    m_pVersionLabel->SetTextColor(MirtKit::mutedTextColor());
    place(m_pVersionLabel, 830, 48, 150, 16);

    m_pMinBtn = makeButton(threeImages(QStringLiteral("min")));
    m_pMinBtn->setObjectName(QStringLiteral("minButton"));
    place(m_pMinBtn, 914, 14, 30, 30);
    connect(m_pMinBtn, &QPushButton::clicked, this, &QWidget::showMinimized);
    m_pCloseBtn = makeButton(threeImages(QStringLiteral("close")));
    m_pCloseBtn->setObjectName(QStringLiteral("closeButton"));
    place(m_pCloseBtn, 950, 14, 30, 30);
    connect(m_pCloseBtn, &QPushButton::clicked, this, &MousecfgWidget::closeButtonPressed);

    // The language button (its menu: buildLanguageMenu) and the firmware updater.
    m_pLangBtn = makeButton({QStringLiteral("/skin/lang.png"), QStringLiteral("/skin/lang.png"),
                             QStringLiteral("/skin/lang.png")});
    m_pLangBtn->setObjectName(QStringLiteral("languageButton"));
    m_pLangBtn->SetFontSize(12);
    place(m_pLangBtn, 800, 17, 104, 24);
    m_pFirmwareBtn = makeButton(fourImages(QStringLiteral("cmd")), tr("Firmware Update"));
    m_pFirmwareBtn->setObjectName(QStringLiteral("firmwareButton"));
    m_pFirmwareBtn->SetFontSize(12);
    place(m_pFirmwareBtn, 662, 17, 132, 24);
    connect(m_pFirmwareBtn, &MirtPushButton::EnterSignal, this, [this] { firmwareUpdate(); });

    // The mouse selector is made when a second mouse shows up (ensureMouseSelector).

    // Tabs and their page areas.
    const QStringList tabNames = {QStringLiteral("lightingTab"), QStringLiteral("customizeTab"),
                                  QStringLiteral("dpiTab"), QStringLiteral("macroTab")};
    for (int i = 0; i < kTabCount; ++i) {
        MirtPushButton *tab = makeButton(fourImages(QStringLiteral("tab")));
        tab->SetHoverLatch(true);
        tab->setObjectName(tabNames.at(i));
        place(tab, 285 + i * 116, 34, 110, 32);
        connect(tab, &MirtPushButton::EnterSignal, this, &MousecfgWidget::onTabPressed);
        m_tabButtons.append(tab);

        auto *area = new QWidget(this);
        area->setObjectName(QStringLiteral("pageArea%1").arg(i));
        place(area, 285, 74, 665, 467);
        area->hide();
        m_pageAreas.append(area);
    }

    // Mouse view.
    m_pTopPicture = new QLabel(this);
    m_pTopPicture->setObjectName(QStringLiteral("topPicture"));
    m_pTopPicture->setAlignment(Qt::AlignCenter);
    place(m_pTopPicture, kPictureRect.x(), kPictureRect.y(), kPictureRect.width(), kPictureRect.height());
    m_pSidePicture = new QLabel(this);
    m_pSidePicture->setObjectName(QStringLiteral("sidePicture"));
    m_pSidePicture->setAlignment(Qt::AlignCenter);
    place(m_pSidePicture, kPictureRect.x(), kPictureRect.y(), kPictureRect.width(), kPictureRect.height());
    m_pSidePicture->hide();
    m_pFrontBtn = makeButton(fourImages(QStringLiteral("cmd")));
    m_pFrontBtn->SetHoverLatch(true);
    m_pFrontBtn->setObjectName(QStringLiteral("frontButton"));
    place(m_pFrontBtn, 40, 394, 100, 26);
    connect(m_pFrontBtn, &QPushButton::clicked, this, [this] { ShowFrontView(true); });
    m_pSideBtn = makeButton(fourImages(QStringLiteral("cmd")));
    m_pSideBtn->SetHoverLatch(true);
    m_pSideBtn->setObjectName(QStringLiteral("sideButton"));
    place(m_pSideBtn, 150, 394, 100, 26);
    connect(m_pSideBtn, &QPushButton::clicked, this, [this] { ShowFrontView(false); });

    for (int i = 0; i < kMarkerCount; ++i) {
        MirtPushButton *m = makeButton(kMarkerImages);
        m->SetHoverLatch(true);
        m->setObjectName(QStringLiteral("marker%1").arg(i));
        m->setProperty("markerIndex", i);
        connect(m, &QPushButton::clicked, this, &MousecfgWidget::onMarkerClicked);
        m->hide();
        m_markers.append(m);
    }
    m_markers.first()->installEventFilter(this);
    layoutMarkers();

    // Profile slots.
    for (int i = 0; i < kProfileCount; ++i) {
        MirtPushButton *b = makeButton(fourImages(QStringLiteral("profile")));
        b->SetHoverLatch(true);
        b->setObjectName(QStringLiteral("profileButton%1").arg(i + 1));
        place(b, 30, 430 + i * 29, 230, 26);
        connect(b, &QPushButton::clicked, this, &MousecfgWidget::onProfileButtonClicked);
        m_profileButtons.append(b);
    }

    // Connection and battery.
    m_pBatteryBar = new MirtProcessbar(this);
    m_pBatteryBar->setObjectName(QStringLiteral("batteryBar"));
    m_pBatteryBar->setRange(0, 100);
    m_pBatteryBar->setAlignment(Qt::AlignCenter);
    place(m_pBatteryBar, 76, 590, 68, 29);
    m_pChargingLabel = new QLabel(this);
    m_pChargingLabel->setObjectName(QStringLiteral("chargingLabel"));
    m_pChargingLabel->setAlignment(Qt::AlignCenter);
    place(m_pChargingLabel, 160, 588, 22, 32);
    m_pChargingLabel->hide();
    m_pReceiverLabel = new QLabel(this);
    m_pReceiverLabel->setObjectName(QStringLiteral("receiverLabel"));
    m_pReceiverLabel->setAlignment(Qt::AlignCenter);
    place(m_pReceiverLabel, 188, 586, 64, 36);
    m_pReceiverLabel->hide();

    // Profile area.
    buildProfileMenu();
    m_pProfileMenuBtn =
        makeButton({QStringLiteral("/skin/profilesel.png"), QStringLiteral("/skin/profilesel.png"),
                    QStringLiteral("/skin/profilesel.png")});
    m_pProfileMenuBtn->setObjectName(QStringLiteral("profileMenuButton"));
    m_pProfileMenuBtn->setMenu(m_pProfileMenu);
    place(m_pProfileMenuBtn, 285, 552, 120, 30);
    m_pNameLabel = new MirtLabel(QString(), this);
    m_pNameLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_pNameLabel, 408, 552, 48, 30);
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("nameEditor"));
    m_pNameEdit->setMaxLength(64);
    m_pNameEdit->setStyleSheet(QStringLiteral("QLineEdit { background: rgba(0,0,0,120); color: white;"
                                              " border: 1px solid rgba(255,255,255,60); border-radius: 3px;"
                                              " padding-left: 4px; }"));
    place(m_pNameEdit, 460, 552, 142, 30);
    connect(m_pNameEdit, &QLineEdit::returnPressed, this, &MousecfgWidget::slotProfileNameChange);
    // Auto-switch's rules (the dialog opens from MousecfgAutoSwitch.cpp).
    m_pAutoSwitchBtn = makeButton(fourImages(QStringLiteral("cmd")), QStringLiteral("\u21C4"));
    m_pAutoSwitchBtn->setObjectName(QStringLiteral("autoSwitchButton"));
    place(m_pAutoSwitchBtn, 606, 552, 32, 30);
    m_pLibraryBtn = makeButton(fourImages(QStringLiteral("cmd")), QStringLiteral("\u25BE"));
    m_pLibraryBtn->setObjectName(QStringLiteral("libraryButton"));
    place(m_pLibraryBtn, 642, 552, 32, 30);
    m_pExportProfileBtn = makeButton(fourImages(QStringLiteral("cmd")));
    m_pExportProfileBtn->setObjectName(QStringLiteral("exportProfileButton"));
    place(m_pExportProfileBtn, 679, 552, 74, 30);
    m_pImportProfileBtn = makeButton(fourImages(QStringLiteral("cmd")));
    m_pImportProfileBtn->setObjectName(QStringLiteral("importProfileButton"));
    place(m_pImportProfileBtn, 757, 552, 74, 30);

    // RESET, ADD, DELETE, COPY, Reset All, OK, Cancel, Apply, LOAD1, SAVE.
    static const char *const names[] = {"resetButton",    "addButton", "deleteButton", "copyButton",
                                        "resetAllButton", "okButton",  "cancelButton", "applyButton",
                                        "load1Button",    "saveButton"};
    for (int i = 0; i < 10; ++i) {
        MirtPushButton *b = makeButton(fourImages(QStringLiteral("cmd")));
        b->setObjectName(QLatin1String(names[i]));
        m_commandButtons.append(b);
    }
    place(m_commandButtons[0], 835, 552, 64, 30); // RESET
    place(m_commandButtons[4], 903, 552, 80, 30); // Reset All
    const int row2[] = {1, 3, 2, 8, 9, 7, 5, 6};  // ADD COPY DELETE LOAD1 SAVE Apply OK Cancel
    for (int i = 0; i < 8; ++i)
        place(m_commandButtons[row2[i]], 285 + i * 88, 592, 83, 30);
}

void MousecfgWidget::ensureMouseSelector()
{
    if (m_pMouseSelector)
        return;
    m_pMouseSelector = makeButton(kTabImages);
    m_pMouseSelector->setObjectName(QStringLiteral("mouseSelector"));
    place(m_pMouseSelector, 760, 44, 100, 20);
    m_pMouseSelector->hide();
}

void MousecfgWidget::buildProfileMenu()
{
    m_pProfileMenu = new QMenu(this);
    m_pProfileMenu->setObjectName(QStringLiteral("profileMenu"));
    MirtKit::setMenuStyleSheetWhenShown(m_pProfileMenu, 120);
    for (int i = 0; i < kProfileCount; ++i) {
        auto *a = new MirtAction(profileText(i), m_pProfileMenu);
        a->setData(i);
        m_pProfileMenu->addAction(a);
        m_profileActions.append(a);
    }
    connect(m_pProfileMenu, &QMenu::triggered, this, &MousecfgWidget::onProfileAction);
}

void MousecfgWidget::layoutWidgets()
{
    for (auto it = m_designRects.cbegin(); it != m_designRects.cend(); ++it) {
        const QRect &r = it.value();
        SetScaledGeometry(it.key(), m_dScale, r.x(), r.y(), r.width(), r.height());
    }
    // The name field is the one text of the window not drawn by the kit: its
    // font follows the factor as the kit's do.
    m_pNameEdit->setFont(nameFieldFont(m_dScale));
    layoutMarkers();
}

void MousecfgWidget::layoutMarkers()
{
    for (int i = 0; i < m_markers.size(); ++i) {
        QPoint c;
        if (i < kMarkersPerView)
            c = topMarkerCentre(i);
        else if (i < 2 * kMarkersPerView)
            c = sideMarkerCentre(i - kMarkersPerView);
        else
            c = extraMarkerCentre(i - 2 * kMarkersPerView);
        SetScaledGeometry(m_markers[i], m_dScale, c.x() - kMarkerSize / 2, c.y() - kMarkerSize / 2,
                          kMarkerSize, kMarkerSize);
    }
}

void MousecfgWidget::createPages()
{
    // Pages are built when their tab is first selected (SelectTab).
    // The profile commands run on the profile area.
    m_pProfileCommands = new ProfileCommands(this, this);
    m_pLibraryBtn->setMenu(m_pProfileCommands->libraryMenu());
    // The library menu in the skin's menu style, the profile in use checked.
    QMenu *library = m_pProfileCommands->libraryMenu();
    MirtKit::setMenuStyleSheetWhenShown(library, MirtKit::menuStyleSheet());
    connect(library, &QMenu::aboutToShow, this, [this, library] {
        const ProfileSet &set = currentSet();
        const QString inUse = set.names[set.ProfileID < kProfileCount ? set.ProfileID : 0];
        for (QAction *a : library->actions()) {
            a->setCheckable(true);
            a->setChecked(a->data().toString() == inUse);
        }
    });
    ProfileCommands *pc = m_pProfileCommands;
    connect(m_commandButtons[0], &QPushButton::clicked, pc, &ProfileCommands::resetProfile);
    connect(m_commandButtons[1], &QPushButton::clicked, pc, &ProfileCommands::addProfile);
    connect(m_commandButtons[2], &QPushButton::clicked, pc, &ProfileCommands::deleteProfile);
    connect(m_commandButtons[3], &QPushButton::clicked, pc, &ProfileCommands::copyProfile);
    connect(m_commandButtons[4], &QPushButton::clicked, pc, &ProfileCommands::resetAllProfiles);
    connect(m_commandButtons[5], &QPushButton::clicked, pc, &ProfileCommands::ok);
    connect(m_commandButtons[6], &QPushButton::clicked, pc, &ProfileCommands::cancel);
    connect(m_commandButtons[7], &QPushButton::clicked, pc, &ProfileCommands::apply);
    connect(m_commandButtons[8], &QPushButton::clicked, pc, &ProfileCommands::importConfiguration);
    connect(m_commandButtons[9], &QPushButton::clicked, pc, &ProfileCommands::exportConfiguration);
    connect(m_pExportProfileBtn, &QPushButton::clicked, pc, &ProfileCommands::exportProfile);
    connect(m_pImportProfileBtn, &QPushButton::clicked, pc, &ProfileCommands::importProfile);
    connect(pc, &ProfileCommands::libraryChanged, this,
            [this] { m_pLibraryBtn->setMenu(m_pProfileCommands->libraryMenu()); });
}

void MousecfgWidget::ensureDpiPages()
{
    if (m_pDpiPage)
        return;
    // The DPI tab: stages, the mouse settings and the report rate.
    m_pDpiPage = new MirtDPIWindow(this);
    m_pDpiPage->setObjectName(QStringLiteral("dpiPage"));
    m_pDpiPage->setSensorModel(AppConfig::sensorModel());
    m_pDpiPage->setStageCount(DeviceDescription::dpiStageCount());
    place(m_pDpiPage, 286, 75, 456, 386);
    m_pPointSpeed = new MirtPointSpeed(this);
    m_pPointSpeed->setObjectName(QStringLiteral("pointSpeedPage"));
    place(m_pPointSpeed, 286, 413, 506, 77);
    m_pPointSpeed->setPointerSpeedAvailable(m_services.pointerSpeed &&
                                            m_services.pointerSpeed->isAvailable());
    m_pPointSpeed->setShowMouseButton(DeviceDescription::showMouseButton() != 0);
    if (m_services.launcher) {
        m_pSettingsLauncher = std::make_unique<MouseSettingsLauncher>(m_services.launcher);
        m_pPointSpeed->setMouseSettingsLauncher(m_pSettingsLauncher.get());
    }
    m_pReportRate = new MirtReportRate(this);
    m_pReportRate->setObjectName(QStringLiteral("reportRatePage"));
    place(m_pReportRate, 746, 75, 149, 334);
    m_pReportRate->setMouseCollectionSource(
        [this] { return m_session ? m_session->mouseCollectionPath() : QByteArray(); });
    for (QWidget *page : {static_cast<QWidget *>(m_pDpiPage), static_cast<QWidget *>(m_pPointSpeed),
                          static_cast<QWidget *>(m_pReportRate)})
        page->hide();
    connect(m_pReportRate, &MirtReportRate::RefreshLift, this, &MousecfgWidget::slotLiftChange);
    connect(m_pPointSpeed, &MirtPointSpeed::RefreshLift, this, &MousecfgWidget::slotLiftChange);
    connect(m_pPointSpeed, &MirtPointSpeed::SensorSettingsChanged, this, &MousecfgWidget::collectPages);
    connect(m_pPointSpeed, &MirtPointSpeed::PointerSpeedSignal, this,
            [this](quint8) { applyPointerSpeed(); });
    connect(m_pPointSpeed, &MirtPointSpeed::MouseSettingFailed, this, [this](const QString &reason) {
        MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"), reason, this, nullptr,
                           Qt::FramelessWindowHint);
        box.exec();
    });
    FillPages();
}

void MousecfgWidget::ensureColorPage()
{
    if (m_pColorPage)
        return;
    // A window on its way to the screen gets its first frame before the page
    // (half a second at most: a window that starts minimised waits no longer).
    if (isVisible() && windowHandle() && !windowHandle()->isExposed() && m_iColorPageWaits++ < 50) {
        QTimer::singleShot(10, this, &MousecfgWidget::ensureColorPage);
        return;
    }
    // The page fills the LIGHTING tab's area; the lights of its profile are
    // drawn on the mouse picture while that tab is selected.
    QWidget *area = m_pageAreas[kTabLighting];
    m_pColorPage = new MirtColorWindow(area, m_dScale);
    m_pColorPage->setObjectName(QStringLiteral("colorPage"));
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pColorPage);
    m_pLightPreview =
        new LightingPreview(m_pTopPicture, QStringLiteral("/skin/mouse/%1/Light.png").arg(m_strProductName));
    connect(m_pColorPage, &MirtColorWindow::LightingChangedSignal, m_pLightPreview,
            &LightingPreview::refresh);
    FillPages();
    m_pLightPreview->setActive(m_iCurrentTab == kTabLighting);
}

void MousecfgWidget::ensureButtonPage()
{
    if (m_pBtnPage)
        return;
    // The page fills the CUSTOMIZE tab's area and mirrors its buttons on the markers.
    QWidget *area = m_pageAreas[kTabCustomize];
    m_pBtnPage = new MirtBtnWindow(&m_document->set().current().BUTTON_INFO, area, m_dScale);
    m_pBtnPage->setObjectName(QStringLiteral("buttonPage"));
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBtnPage);
    connect(m_pBtnPage, &MirtBtnWindow::SelBtnControl, this, &MousecfgWidget::slotMouseOver);
    connect(m_pBtnPage, &MirtBtnWindow::GotoMacroTab, this, &MousecfgWidget::slotGotoMacro);
    connect(m_pBtnPage, &MirtBtnWindow::PopOneClickBox, this, &MousecfgWidget::slotPopOneClickBox);
    m_pBtnPage->Select(quint8(m_iSelIndex[m_iSelType]), quint8(m_iSelType));
    FillPages();
}

void MousecfgWidget::ensureMacroPage()
{
    if (m_pMacroPage)
        return;
    loadOtherSlots(); // the page is given the whole set
    // The macro editor fills the MACRO tab's area; it counts the macro slots of the current profile.
    QWidget *area = m_pageAreas[kTabMacro];
    m_pMacroPage = new MacroDialog(&m_document->set(), area, m_dScale);
    // A macro renamed or deleted changes the buttons that ran it: the pages show them anew.
    connect(m_pMacroPage, &MacroDialog::MacroLibraryChanged, this, [this] { FillPages(); });
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pMacroPage);
}

void MousecfgWidget::setMarkerImages()
{
    // Some models' two extra markers use the third and fourth image pair.
    const bool alt = ModelQuirks::has(m_strProductName, ModelQuirks::kAltMarkerImages);
    const QString up = alt ? QStringLiteral("4") : QStringLiteral("2");
    const QString upSel = alt ? QStringLiteral("3") : QStringLiteral("1");
    const QStringList images[2] = {
        {QStringLiteral("/skin/btn_up%1.png").arg(up), QStringLiteral("/skin/btn_up%1.png").arg(upSel),
         QStringLiteral("/skin/btn_up%1.png").arg(upSel)},
        {QStringLiteral("/skin/btn_down%1.png").arg(up), QStringLiteral("/skin/btn_down%1.png").arg(upSel),
         QStringLiteral("/skin/btn_down%1.png").arg(upSel)}};
    for (int e = 0; e < 2; ++e) {
        const int index = 2 * kMarkersPerView + e;
        MirtPushButton *old = m_markers[index];
        MirtPushButton *m = makeButton(images[e]);
        m->SetHoverLatch(true);
        m->setObjectName(old->objectName());
        m->setProperty("markerIndex", index);
        m->setVisible(old->isVisible());
        connect(m, &QPushButton::clicked, this, &MousecfgWidget::onMarkerClicked);
        m_markers[index] = m;
        delete old;
    }
    layoutMarkers();
    updateMarkerVisibility();
}

void MousecfgWidget::updateMarkerVisibility()
{
    const int buttons = qBound(0, DeviceDescription::buttonCount(), kMarkersPerView);
    const bool customize = m_iCurrentTab == kTabCustomize;
    const bool anyMarkers = m_iCurrentTab != kTabMacro;
    for (int i = 0; i < kMarkersPerView; ++i) {
        // The top view shows the buttons seen from above; the side view the two side buttons.
        m_markers[i]->setVisible(anyMarkers && m_bFrontView && i < buttons);
        m_markers[kMarkersPerView + i]->setVisible(anyMarkers && !m_bFrontView && i < kSideViewCount &&
                                                   kSideViewButtons[i] < buttons);
    }
    for (int e = 0; e < 2; ++e)
        m_markers[2 * kMarkersPerView + e]->setVisible(customize);
    for (MirtPushButton *m : qAsConst(m_markers))
        m->raise();
}

// ---------------------------------------------------------------------------
// Tabs, views and markers

void MousecfgWidget::SelectTab(int index)
{
    if (index < 0 || index >= kTabCount)
        return;
    if (index == kTabLighting && DeviceDescription::ledDisable() != 0)
        index = kTabCustomize;
    for (MirtPushButton *t : qAsConst(m_tabButtons))
        t->SetState(0);
    m_tabButtons[index]->SetState(1);
    m_iCurrentTab = index;
    if (index == kTabDpi)
        ensureDpiPages();
    for (int i = 0; i < kTabCount; ++i)
        m_pageAreas[i]->setVisible(i == index);
    for (QWidget *page : {static_cast<QWidget *>(m_pDpiPage), static_cast<QWidget *>(m_pPointSpeed),
                          static_cast<QWidget *>(m_pReportRate)}) {
        if (page) {
            page->setVisible(index == kTabDpi);
            page->raise();
        }
    }
    // The lighting page is built on its first showing; at start, once the window is up.
    if (index == kTabLighting && !m_pColorPage)
        QTimer::singleShot(0, this, &MousecfgWidget::ensureColorPage);
    if (index == kTabCustomize && !m_pBtnPage)
        QTimer::singleShot(0, this, &MousecfgWidget::ensureButtonPage);
    if (index == kTabMacro && !m_pMacroPage)
        QTimer::singleShot(0, this, &MousecfgWidget::ensureMacroPage);
    if (m_pLightPreview)
        m_pLightPreview->setActive(index == kTabLighting);
    ShowFrontView(m_bFrontView);
}

void MousecfgWidget::onTabPressed(MirtPushButton *btn)
{
    const int index = m_tabButtons.indexOf(btn);
    if (index >= 0)
        SelectTab(index);
}

void MousecfgWidget::slotGotoMacro(quint8 iTab)
{
    SelectTab(iTab);
}

void MousecfgWidget::ShowFrontView(bool bFront)
{
    m_bFrontView = bFront;
    m_pTopPicture->setVisible(bFront);
    m_pSidePicture->setVisible(!bFront);
    m_pFrontBtn->SetState(bFront ? 1 : 0);
    m_pSideBtn->SetState(bFront ? 0 : 1);
    updateMarkerVisibility();
}

void MousecfgWidget::SelBtnChanged(quint8 iBtn, quint8 iType)
{
    if (iType > 2)
        return;
    m_iSelType = iType;
    m_iSelIndex[iType] = iBtn;
    for (MirtPushButton *m : qAsConst(m_markers))
        m->SetState(0);
    int index = -1;
    if (iType == 0 && iBtn < kMarkersPerView)
        index = iBtn;
    else if (iType == 1 && iBtn < kMarkersPerView)
        index = kMarkersPerView + iBtn;
    else if (iType == 2 && iBtn < 2)
        index = 2 * kMarkersPerView + iBtn;
    if (index >= 0)
        m_markers[index]->SetState(1);
    if (iType == 0 && sideMarkerOf(iBtn) >= 0)
        m_markers[kMarkersPerView + sideMarkerOf(iBtn)]->SetState(1);
    if (m_pBtnPage)
        m_pBtnPage->Select(iBtn, iType);
}

void MousecfgWidget::onMarkerClicked()
{
    auto *m = qobject_cast<MirtPushButton *>(sender());
    if (!m)
        return;
    const int index = m->property("markerIndex").toInt();
    if (index < kMarkersPerView)
        SelBtnChanged(quint8(index), 0);
    else if (index < kMarkersPerView + kSideViewCount)
        SelBtnChanged(quint8(kSideViewButtons[index - kMarkersPerView]), 0);
    else if (index < 2 * kMarkersPerView)
        SelBtnChanged(quint8(index - kMarkersPerView), 1);
    else
        SelBtnChanged(quint8(index - 2 * kMarkersPerView), 2);
}

void MousecfgWidget::slotMouseOver(MirtPushButton *btn, bool bType)
{
    // The button page reports its rows; without it, the markers report themselves.
    int i = m_markers.indexOf(btn);
    if (i < 0 || i >= kMarkersPerView)
        i = btn ? btn->property("rowIndex").toInt() : -1;
    if (i < 0 || i >= kMarkersPerView)
        return;
    const int state = bType ? 1 : (m_iSelType == 0 && m_iSelIndex[0] == i ? 1 : 0);
    m_markers[i]->SetState(state);
    if (sideMarkerOf(i) >= 0)
        m_markers[kMarkersPerView + sideMarkerOf(i)]->SetState(state);
    const QString folder = QStringLiteral("/skin/mouse/") + m_strProductName + QStringLiteral("/");
    const QString file = bType ? QStringLiteral("mouse_%1.png").arg(i + 1) : QStringLiteral("Mouse.png");
    m_iHoverButton = bType ? i : -1;
    const QImage pix = SkinCache::scaled(folder + file, m_pTopPicture->size(), Qt::KeepAspectRatio);
    if (!pix.isNull())
        m_pTopPicture->setPixmap(QPixmap::fromImage(pix));
    else
        RefreshMousePictures();
}

bool MousecfgWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_markers.isEmpty() && watched == m_markers.first()) {
        if (event->type() == QEvent::Enter)
            m_markers.first()->SetState(1);
        else if (event->type() == QEvent::Leave)
            m_markers.first()->SetState(m_iSelType == 0 && m_iSelIndex[0] == 0 ? 1 : 0);
    }
    return QWidget::eventFilter(watched, event);
}

void MousecfgWidget::RefreshMousePictures()
{
    const QString base = QStringLiteral("/skin/mouse/") + m_strProductName;
    auto setPicture = [](QLabel *label, const QString &path) {
        const QImage pix = SkinCache::scaled(path, label->size(), Qt::KeepAspectRatio);
        if (pix.isNull())
            label->clear();
        else
            label->setPixmap(QPixmap::fromImage(pix));
    };
    if (m_iHoverButton < 0)
        setPicture(m_pTopPicture, base + QStringLiteral("/Mouse.png"));
    setPicture(m_pSidePicture, base + QStringLiteral("_Side.png"));
    setPicture(m_pChargingLabel, QStringLiteral("/skin/lightning.png"));
    setPicture(m_pReceiverLabel, QStringLiteral("/skin/dongle.png"));
    setPicture(m_pLogoLabel, QStringLiteral("/skin/mouselogo.png"));
}

// ---------------------------------------------------------------------------
// Texts and enabling

void MousecfgWidget::RetranslateUi()
{
    retranslateTexts();
    // The poller starts afresh with the new texts; stopping waits for it.
    if (m_session->pollerRunning()) {
        StopBatteryThread();
        StartBatteryThread();
    }
    RefreshMousePictures();
    layoutMarkers();
}

void MousecfgWidget::showProductTitle()
{
    // In the language shown now: the window, its title bar and the tray icon's tip.
    setWindowTitle(productTitle());
    m_pTitleLabel->setText(productTitle());
    if (m_pTrayLife && m_pTray)
        m_pTrayLife->setTrayIcon(m_pTray, productTitle());
}

void MousecfgWidget::retranslateTexts()
{
    showProductTitle();
    m_pMinBtn->setToolTip(tr("Minimize"));
    m_pCloseBtn->setToolTip(tr("Close"));
    m_pReceiverLabel->setToolTip(tr("Receiver connected"));
    const QStringList tabs = {tr("LIGHTING"), tr("CUSTOMIZE"), tr("DPI"), tr("MACRO")};
    for (int i = 0; i < kTabCount; ++i)
        m_tabButtons[i]->setText(tabs.at(i));
    for (int i = 0; i < kProfileCount; ++i) {
        m_profileButtons[i]->setText(profileText(i));
        m_profileActions[i]->setText(profileText(i));
    }
    m_pProfileMenuBtn->setText(profileText(m_document->set().ProfileID));
    m_pNameLabel->setText(tr("NAME"));
    m_pNameEdit->setToolTip(tr("Press Enter To Apply"));
    m_pLibraryBtn->setToolTip(tr("Profile Library"));
    m_pAutoSwitchBtn->setToolTip(tr("Auto-switch profiles by application"));
    m_pExportProfileBtn->setText(tr("EXPORT"));
    m_pImportProfileBtn->setText(tr("IMPORT"));
    const QStringList commands = {tr("RESET"), tr("ADD"),    tr("DELETE"), tr("COPY"),  tr("Reset All"),
                                  tr("OK"),    tr("Cancel"), tr("Apply"),  tr("LOAD1"), tr("SAVE")};
    for (int i = 0; i < m_commandButtons.size(); ++i)
        m_commandButtons[i]->setText(commands.at(i));
    m_pFrontBtn->setText(tr("Front"));
    m_pSideBtn->setText(tr("Side"));
    m_pFirmwareBtn->setText(tr("Firmware Update"));
    m_pLangBtn->setToolTip(tr("Language"));
    m_pVersionLabel->setText(DeviceDescription::version());
    if (m_pDpiPage) {
        m_pDpiPage->retranslate();
        m_pPointSpeed->retranslate();
        m_pReportRate->retranslate();
    }
    if (m_pColorPage)
        m_pColorPage->Retranslate();
    if (m_pBtnPage)
        m_pBtnPage->Retranslate();
    if (m_pLoadAction)
        m_pLoadAction->setText(tr("&Load Config"));
    if (m_pQuitAction)
        m_pQuitAction->setText(tr("&Quit"));
}

void MousecfgWidget::slotEnableButtons(bool bEnable)
{
    for (MirtPushButton *t : qAsConst(m_tabButtons))
        t->SetEnabledLook(bEnable);
    for (MirtPushButton *b : {m_pLangBtn, m_pCloseBtn, m_pMinBtn, m_pFirmwareBtn, m_pProfileMenuBtn,
                              m_pLibraryBtn, m_pExportProfileBtn, m_pImportProfileBtn, m_pMouseSelector}) {
        if (b)
            b->SetEnabledLook(bEnable);
    }
    for (MirtPushButton *b : qAsConst(m_commandButtons))
        b->SetEnabledLook(bEnable);
    m_pNameEdit->setEnabled(bEnable);
    // The selected tab keeps its selected look.
    if (bEnable && m_iCurrentTab >= 0)
        m_tabButtons[m_iCurrentTab]->SetState(1);
}
