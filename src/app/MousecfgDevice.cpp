// The main window following the mouse: device arrival and removal, re-opening
// the handles, the first-device reload, the "Dongle Disconnect!" warning and
// the mouse selector.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "ProfileDefaults.h"

#include <QDebug>
#include <QLineEdit>
#include <QMenu>

#include <cstring>

namespace {

void storePath(char (&dest)[kPathCapacity], const QByteArray &path)
{
    std::memset(dest, 0, sizeof(dest));
    std::strncpy(dest, path.constData(), sizeof(dest) - 1);
}

} // namespace

void MousecfgWidget::onDeviceChanged(const DeviceChange &change)
{
    qCDebug(lcApp) << (change.arrived ? "DBT_DEVICEARRIVAL" : "DBT_DEVICEREMOVECOMPLETE") << change.path;
    HandleDeviceChange(change);
}

void MousecfgWidget::HandleDeviceChange(const QString &path, bool arrived)
{
    HandleDeviceChange(DeviceChange::fromInterfacePath(path, arrived));
}

void MousecfgWidget::HandleDeviceChange(const DeviceChange &change)
{
    DeviceList &list = deviceList();
    const QByteArray path = change.path.toLatin1();
    const int kind = int(change.kind);
    bool reloaded = false;

    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        DeviceEntry &d = list.entries[e];
        int conn;
        if (change.vendorId == d.receiverVendorId && change.productId == d.receiverProductId)
            conn = kReceiver;
        else if (change.vendorId == d.cableVendorId && change.productId == d.cableProductId)
            conn = kCable;
        else
            continue;

        bool newlyFound = false;
        if (change.arrived) {
            const int minRelease = conn == kCable ? d.cableMinRelease : d.receiverMinRelease;
            const int maxRelease = conn == kCable ? d.cableMaxRelease : d.receiverMaxRelease;
            const bool releaseOk =
                maxRelease == 0 || (change.release >= minRelease && change.release <= maxRelease);
            if (!releaseOk) {
                qCDebug(lcApp) << "release" << change.release << "outside" << minRelease << maxRelease
                               << "ignored";
            } else if (kind == int(InterfaceKind::Mouse)) {
                storePath(conn == kCable ? d.cableMousePath : d.receiverMousePath, path);
                newlyFound = d.mouseFound(conn) == 0;
                d.mouseFound(conn) = 1;
            } else if (kind == int(InterfaceKind::Vendor)) {
                storePath(conn == kCable ? d.cableVendorPath : d.receiverVendorPath, path);
                newlyFound = d.vendorFound(conn) == 0;
                d.vendorFound(conn) = 1;
            }
            if (d.mouseFound(conn) == 1 && d.vendorFound(conn) == 1) {
                // A pair is complete.
                if (m_iDeviceCount != 0) {
                    RefreshMouseList();
                } else {
                    RefreshMouseList();
                    QTimer::singleShot(200, Qt::PreciseTimer, this, &MousecfgWidget::slotWarnClose);
                }
            }
        } else {
            if (kind == int(InterfaceKind::Mouse)) {
                if (d.mouseFound(conn) == 0)
                    continue;
                d.mouseFound(conn) = 0;
            } else if (kind == int(InterfaceKind::Vendor)) {
                if (d.vendorFound(conn) == 0)
                    continue;
                d.vendorFound(conn) = 0;
            }
            const bool anyLeft =
                d.receiverMouseFound || d.receiverVendorFound || d.cableMouseFound || d.cableVendorFound;
            if (!anyLeft) {
                RefreshMouseList();
                if (m_iDeviceCount == 0) {
                    m_reopenTimer.stop();
                    StopBatteryThread();
                    CloseDevices();
                    g_bWarningShown = true;
                    m_bDeviceReady = 0;
                    slotRefreshBatteryStatus(0, 0, 0);
                    QTimer::singleShot(200, Qt::PreciseTimer, this, &MousecfgWidget::slotWarning);
                } else if (m_strProductName == QString::fromLatin1(d.name)) {
                    openDevicesAndPoll();
                    reloaded = true;
                }
            }
        }

        // Whatever is still there of this connection is opened again after a pause.
        if ((d.mouseFound(conn) == 1 || d.vendorFound(conn) == 1) && !reloaded)
            scheduleReopen();
        if (newlyFound)
            AppConfig::writeDiff(1);
    }
    RefreshConnectionMode();
}

void MousecfgWidget::scheduleReopen()
{
    // The handles go at once; they come back 500 ms after the last change, so
    // the two interfaces of one plug share one re-open and the window never freezes.
    StopBatteryThread();
    CloseDevices();
    m_reopenTimer.start();
}

void MousecfgWidget::reopenDevices()
{
    openDevicesAndPoll();
}

bool MousecfgWidget::openDevicesAndPoll()
{
    m_reopenTimer.stop();
    StopBatteryThread();
    CloseDevices();
    const int opened = OpenDevices();
    if (opened == 1)
        StartBatteryThread();
    return commandHandleOpen();
}

MousecfgWidget::DeviceProblem MousecfgWidget::deviceProblem() const
{
    if (m_iDeviceCount == 0)
        return DeviceProblem::Disconnected;
    if (commandHandleOpen() || m_reopenTimer.isActive())
        return DeviceProblem::None;
    DeviceList &list = deviceList();
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        DeviceEntry &d = list.entries[e];
        const char *paths[] = {d.receiverVendorPath, d.cableVendorPath, d.receiverMousePath,
                               d.cableMousePath};
        const int32_t found[] = {d.receiverVendorFound, d.cableVendorFound, d.receiverMouseFound,
                                 d.cableMouseFound};
        for (int i = 0; i < 4; ++i) {
            if (found[i] == 1 && hidBackend()->permissionDenied(QByteArray(paths[i])))
                return DeviceProblem::NoPermission;
        }
    }
    return DeviceProblem::None;
}

QString MousecfgWidget::permissionText()
{
    return tr("THE MOUSE IS CONNECTED, BUT THIS USER MAY NOT OPEN IT. INSTALL THE UDEV RULE "
              "70-mousecfg.rules (SEE README) AND PLUG THE MOUSE IN AGAIN.");
}

void MousecfgWidget::slotWarnClose()
{
    openDevicesAndPoll();
    if (deviceProblem() == DeviceProblem::NoPermission) {
        // Found, but not ours to open: say so instead of pretending it is ready.
        QTimer::singleShot(0, this, &MousecfgWidget::slotWarning);
        return;
    }
    m_iSelType = 0;
    m_iSelIndex[0] = m_iSelIndex[1] = m_iSelIndex[2] = 0;
    ShowFrontView(true);
    reloadAfterDeviceChange(true);
    m_bDeviceReady = 1;
}

void MousecfgWidget::reloadAfterDeviceChange(bool bSelectFirstButton)
{
    showProductTitle();
    RefreshMousePictures();
    loadProfileData();
    m_pProfileMenuBtn->setText(m_profileActions[m_ProfileSet.ProfileID]->text());
    showProfileName(m_ProfileSet.names[m_ProfileSet.ProfileID]);
    if (m_pProfileCommands)
        m_pProfileCommands->setModelName(m_strProductName);
    ProfileDefaults::writeDefaultProfileFile();
    SelectTab(kTabLighting);
    if (bSelectFirstButton)
        SelBtnChanged(0, 0);
    setMarkerImages();
    FillPages();
    emit deviceReloaded();
}

void MousecfgWidget::slotWarning()
{
    // The warning (or the window itself) is meant to be seen: a minimised window comes back.
    if (isMinimized())
        showNormal();
    show();
    raise();
    if (m_pWarningBox) {
        // A box is open already; when the reason changed, it makes room for the right one.
        const DeviceProblem now = deviceProblem();
        if (now != DeviceProblem::None && now != m_warningProblem) {
            m_bSwitchWarning = true;
            m_pWarningBox->reject();
        }
        return;
    }
    for (;;) {
        const DeviceProblem problem = deviceProblem();
        if (problem == DeviceProblem::None) {
            g_bWarningShown = false;
            activateWindow();
            showLoadNotice();
            return;
        }
        g_bWarningShown = true;
        m_warningProblem = problem;
        const bool disconnected = problem == DeviceProblem::Disconnected;
        auto *box = new MirtMessageBox(
            disconnected ? MirtMessageBox::kDongle : MirtMessageBox::kWarning, QString(), tr("Warning"),
            disconnected ? tr("Dongle Disconnect!") : permissionText(), this, this, Qt::FramelessWindowHint);
        box->setObjectName(disconnected ? QStringLiteral("disconnectBox") : QStringLiteral("permissionBox"));
        // Modal to the window only: the tray menu (and "&Quit") stays usable.
        box->setWindowModality(Qt::WindowModal);
        m_pWarningBox = box;
        const int result = box->exec();
        delete box;
        m_pWarningBox = nullptr;
        // The flag never outlives the box: the tray toggle works again however it closed.
        g_bWarningShown = false;
        if (m_bSwitchWarning) {
            m_bSwitchWarning = false;
            continue;
        }
        if (result == QDialog::Accepted && deviceProblem() != DeviceProblem::None)
            hideToTray();
        return;
    }
}

void MousecfgWidget::RefreshMouseList()
{
    DeviceList &list = deviceList();
    m_mouseNames.clear();
    if (list.count < 2 && m_pMouseSelector)
        m_pMouseSelector->hide();

    m_iDeviceCount = 0;
    auto *menu = new QMenu(this);
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        DeviceEntry &d = list.entries[e];
        if (!d.complete(kReceiver) && !d.complete(kCable))
            continue;
        const QString name = QString::fromLatin1(d.name);
        m_mouseNames.append(name);
        menu->addAction(new MirtAction(name, menu));
        ++m_iDeviceCount;
    }
    QMenu *old = m_pMouseMenu;
    m_pMouseMenu = menu;

    if (m_iDeviceCount < 2) {
        if (m_pMouseSelector) {
            m_pMouseSelector->hide();
            m_pMouseSelector->setMenu(nullptr);
        }
        if (m_iDeviceCount == 1) {
            qCDebug(lcApp) << "RefreshMouseList " << m_mouseNames.first();
            runAfterFirstFrame([name = m_mouseNames.first()] { AppConfig::writeCurrentProductName(name); });
        } else {
            runAfterFirstFrame([] { AppConfig::writeCurrentProductName(QString()); });
        }
    } else {
        ensureMouseSelector();
        m_pMouseSelector->show();
        const int found = m_mouseNames.indexOf(m_strProductName);
        const QString current = found >= 0 ? m_mouseNames.at(found) : m_mouseNames.first();
        if (found >= 0)
            m_pMouseSelector->setText(current);
        runAfterFirstFrame([current] { AppConfig::writeCurrentProductName(current); });
        connect(menu, &QMenu::triggered, this, &MousecfgWidget::slot_show_mousename);
        m_pMouseSelector->setMenu(menu);
        menu->setFixedWidth(int(150 * m_dScale));
        const QColor accent = MirtKit::accentColor();
        menu->setStyleSheet(
            QStringLiteral("QMenu { background: rgb(24,24,28); color: white; font-family: \"%1\";"
                           " font-size: %2px; } QMenu::item:selected { background: rgb(%3,%4,%5); }")
                .arg(MirtKit::languageFontFamily())
                .arg(int(MirtKit::languageFontPixelSize() * m_dScale))
                .arg(accent.red())
                .arg(accent.green())
                .arg(accent.blue()));
    }
    if (old)
        old->deleteLater();
}

void MousecfgWidget::slot_show_mousename(QAction *action)
{
    if (!action)
        return;
    StopBatteryThread();
    CloseDevices();
    m_iSelType = 0;
    m_iSelIndex[0] = m_iSelIndex[1] = m_iSelIndex[2] = 0;
    ShowFrontView(true);
    if (m_pMouseSelector)
        m_pMouseSelector->setText(action->text());
    AppConfig::writeCurrentProductName(action->text());
    OpenDevices();
    reloadAfterDeviceChange(false);
    StartBatteryThread();
}
