// The main window following the mouse: device arrival and removal, re-opening
// the handles, the first-device reload, the "Dongle Disconnect!" warning and
// the mouse selector.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "ProfileDefaults.h"
#include "ProfileDocument.h"

#include <QDebug>
#include <QLineEdit>
#include <QMenu>

void MousecfgWidget::HandleDeviceChange(const QString &path, bool arrived)
{
    HandleDeviceChange(DeviceChange::fromInterfacePath(path, arrived));
}

void MousecfgWidget::HandleDeviceChange(const DeviceChange &change)
{
    // The session keeps the list (and holds the change back while a job
    // runs); the window follows its signals.
    m_session->handleDeviceChange(change);
}

void MousecfgWidget::onLastMouseGone()
{
    g_bWarningShown = true;
    m_bDeviceReady = 0;
    slotRefreshBatteryStatus(0, 0, 0);
    QTimer::singleShot(200, Qt::PreciseTimer, this, &MousecfgWidget::slotWarning);
}

int MousecfgWidget::deviceCount() const
{
    return m_session->deviceCount();
}

MousecfgWidget::DeviceProblem MousecfgWidget::deviceProblem() const
{
    if (m_session->deviceCount() == 0)
        return DeviceProblem::Disconnected;
    if (commandHandleOpen() || m_session->reopenPending())
        return DeviceProblem::None;
    return m_session->permissionDenied() ? DeviceProblem::NoPermission : DeviceProblem::None;
}

QString MousecfgWidget::permissionText()
{
    return tr("THE MOUSE IS CONNECTED, BUT THIS USER MAY NOT OPEN IT. INSTALL THE UDEV RULE "
              "70-mousecfg.rules (SEE README) AND PLUG THE MOUSE IN AGAIN.");
}

void MousecfgWidget::slotWarnClose()
{
    m_session->openDevicesAndPoll();
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
    const ProfileSet &set = m_document->set();
    m_pProfileMenuBtn->setText(m_profileActions[set.ProfileID]->text());
    showProfileName(set.names[set.ProfileID]);
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
    // The session counts the mice again; onMouseListChanged() shows them.
    m_session->refreshList();
}

void MousecfgWidget::onMouseListChanged()
{
    const QStringList names = m_session->mouseNames();
    const int count = names.size();
    if (count < 2 && m_pMouseSelector)
        m_pMouseSelector->hide();

    auto *menu = new QMenu(this);
    for (const QString &name : names)
        menu->addAction(new MirtAction(name, menu));
    QMenu *old = m_pMouseMenu;
    m_pMouseMenu = menu;

    if (count < 2) {
        if (m_pMouseSelector) {
            m_pMouseSelector->hide();
            m_pMouseSelector->setMenu(nullptr);
        }
        if (count == 1) {
            qCDebug(lcApp) << "RefreshMouseList " << names.first();
            queueConfigWrite(names.first(), false);
        } else {
            queueConfigWrite(QString(), false);
        }
    } else {
        ensureMouseSelector();
        m_pMouseSelector->show();
        const int found = names.indexOf(m_strProductName);
        const QString current = found >= 0 ? names.at(found) : names.first();
        if (found >= 0)
            m_pMouseSelector->setText(current);
        queueConfigWrite(current, false);
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
    m_iSelType = 0;
    m_iSelIndex[0] = m_iSelIndex[1] = m_iSelIndex[2] = 0;
    ShowFrontView(true);
    if (m_pMouseSelector)
        m_pMouseSelector->setText(action->text());
    // The user's choice is written now; a write the list had queued is dropped.
    m_bProductPending = false;
    m_strWrittenProduct = action->text();
    m_session->selectMouse(action->text());
    reloadAfterDeviceChange(false);
}

void MousecfgWidget::queueConfigWrite(const QString &productName, bool diff)
{
    // Config.ini is written (locked, saved, synced) once after a burst of
    // device changes, not once per change: each write takes the window's
    // thread for tens of milliseconds.
    if (diff) {
        m_bDiffPending = true;
    } else {
        m_strPendingProduct = productName;
        m_bProductPending = true;
    }
    if (!m_configWriteTimer.isActive())
        m_configWriteTimer.start();
}

void MousecfgWidget::writePendingConfig()
{
    if (!m_bFirstFrameDone) {
        runAfterFirstFrame([this] { writePendingConfig(); });
        return;
    }
    if (m_bProductPending) {
        m_bProductPending = false;
        if (m_strPendingProduct != m_strWrittenProduct || m_strWrittenProduct.isNull()) {
            AppConfig::writeCurrentProductName(m_strPendingProduct);
            m_strWrittenProduct = m_strPendingProduct.isNull() ? QStringLiteral("") : m_strPendingProduct;
        }
    }
    if (m_bDiffPending) {
        m_bDiffPending = false;
        AppConfig::writeDiff(1);
    }
}
