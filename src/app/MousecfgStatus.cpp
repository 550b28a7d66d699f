// What the window shows of the mouse: connection mode, battery, the status
// reports of the poller, profile switching and on-screen notices.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "CommandSet.h"
#include "ConnectionMode.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "DpiEncoding.h"
#include "LightingModel.h"
#include "LightingPreview.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtBtnWindow.h"
#include "MirtColorWindow.h"
#include "MirtDPIWindow.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPointSpeed.h"
#include "MirtProcessbar.h"
#include "MirtPushButton.h"
#include "MirtReportRate.h"
#include "OsdClient.h"
#include "PointerSpeed.h"
#include "ProfileDefaults.h"
#include "ProfileDocument.h"
#include "ProfileStore.h"
#include "TrayLife.h"

#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>

#include <utility>

// ---------------------------------------------------------------------------
// Connection and battery

void MousecfgWidget::RefreshConnectionMode()
{
    const ConnectionView v =
        connectionViewFor(m_session->vendorFound(true), m_session->vendorFound(false), m_iCharging != 0);
    m_iConnectionMode = v.mode;
    m_pReceiverLabel->setVisible(v.receiverShown);
    m_pBatteryBar->setVisible(v.batteryBarShown);
    m_pChargingLabel->hide();
    if (m_pTrayLife)
        m_pTrayLife->setConnectionMode(v.mode);
    update();
}

void MousecfgWidget::setBatteryStyle(bool bGrey)
{
    const int px = int(16 * m_dScale);
    QString sheet;
    if (bGrey) {
        sheet = QStringLiteral("QProgressBar { background-color: rgb(100,100,100); border: none;"
                               " border-radius: 2px; color: white; font-weight: bold;"
                               " font-size: %1px; text-align: center; }"
                               "QProgressBar::chunk { background-color: rgb(100,100,100); }")
                    .arg(px);
    } else {
        const QColor a = MirtKit::accentColor();
        sheet = QStringLiteral("QProgressBar { background-color: white; border: none;"
                               " border-radius: 2px; color: black; font-weight: bold;"
                               " font-size: %1px; text-align: center; }"
                               "QProgressBar::chunk { background-color: rgb(%2,%3,%4);"
                               " border-radius: 2px; }")
                    .arg(px)
                    .arg(a.red())
                    .arg(a.green())
                    .arg(a.blue());
    }
    // Every battery report comes here: the sheet is parsed again only when the look changes.
    if (m_pBatteryBar->styleSheet() != sheet)
        m_pBatteryBar->setStyleSheet(sheet);
}

void MousecfgWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte)
{
    Q_UNUSED(iHiByte)
    if (iLowByte != 0) {
        const bool cable = m_session->vendorFound(true);
        m_pBatteryBar->SetText(QString());
        m_pBatteryBar->setTextVisible(true);
        m_pBatteryBar->setFormat(cable ? QString() : QStringLiteral("%p%"));
        setBatteryStyle(false);
        m_iCharging = iCharge;
        m_pChargingLabel->setVisible(iCharge != 0);
        // A level above 100 is not a level: show a full bar rather than overflow.
        const int level = qMin<int>(iLowByte, 100);
        if (level != m_iLastBattery) {
            m_iLastBattery = level;
            runAfterFirstFrame([level] { AppConfig::writeBattery(level); });
        }
        m_pBatteryBar->setValue(cable ? 100 : level);
        RefreshConnectionMode();
        // The charging label follows the report, also in the modes that hide it.
        m_pChargingLabel->setVisible(iCharge != 0);
    } else {
        m_pBatteryBar->setFormat(tr("MOUSE OFF"));
        m_pBatteryBar->setTextVisible(false);
        m_pBatteryBar->SetText(tr("MOUSE OFF"));
        m_pBatteryBar->SetText(QString());
        setBatteryStyle(true);
        m_pChargingLabel->hide();
    }
}

// ---------------------------------------------------------------------------
// Status reports of the poller

void MousecfgWidget::slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode)
{
    qCDebug(lcApp, "Test data:profile =%x, dpi= %x, iRate= %x, mode= %x", iProfile, iDPI, iRate, iMode);
    // Only a report that names a profile switches: the poller cannot tell it (0xFF).
    if (iProfile < kProfileCount && iProfile != m_document->set().ProfileID)
        slotRefreshProfile(iProfile);
    const ProfileData &cur = m_document->set().current();
    const bool dpiMoved = iDPI != m_iReportedDpi;
    const bool rateMoved = iRate != m_iReportedRate;
    m_iReportedDpi = iDPI;
    m_iReportedRate = iRate;
    if (iDPI < kDpiStageCount && dpiMoved && iDPI != cur.dpi)
        slotRefreshDPIStage(iDPI);
    if (iRate != 0 && rateMoved && iRate != cur.pollrate)
        slotRefreshRate(iRate);
}

void MousecfgWidget::slotRefreshProfile(quint8 iProfile)
{
    if (iProfile >= kProfileCount)
        return;
    SetCurrentProfile(iProfile, false);
    if (m_pProfileCommands)
        m_pProfileCommands->rebuildLibraryMenu();
    applyPointerSpeed();
    ShowOsd(tr("Profile") + QStringLiteral(" %1").arg(iProfile + 1));
}

QString MousecfgWidget::stageDpiText(int stage) const
{
    const ProfileData &cur = m_document->set().current();
    const int dpi = DpiEncoding::stepToDpi(AppConfig::sensorModel(), cur.DPI_INFO[size_t(stage)].x);
    return tr("DPI") + QStringLiteral(" %1:%2").arg(stage + 1).arg(dpi);
}

void MousecfgWidget::slotRefreshDPIStage(quint8 iDPI)
{
    if (iDPI >= kDpiStageCount)
        return;
    const int slot = m_document->set().ProfileID < kProfileCount ? m_document->set().ProfileID : 0;
    // Both sets follow; the stage is kept in the slot's own file.
    m_document->noteReportedStage(slot, iDPI);
    if (m_pDpiPage)
        m_pDpiPage->MouseinSignal(iDPI);
    FillPages();
    ShowOsd(stageDpiText(iDPI));
}

void MousecfgWidget::slotRefreshRate(quint8 iRate)
{
    ProfileSet &set = m_document->set();
    set.current().pollrate = iRate;
    // The mouse itself holds this rate now.
    m_document->lastSent().profiles[size_t(set.ProfileID < kProfileCount ? set.ProfileID : 0)].pollrate =
        iRate;
    FillPages();
    QString text;
    switch (iRate) {
    case 8:
        text = tr("125 HZ");
        break;
    case 4:
        text = tr("250 HZ");
        break;
    case 2:
        text = tr("500 HZ");
        break;
    case 1:
        text = tr("1000 HZ");
        break;
    default:
        break;
    }
    ShowOsd(text);
}

void MousecfgWidget::slotRefreshWriteStatus(quint8 iStatus)
{
    if (iStatus == 0)
        AppConfig::writeDiff(1);
}

void MousecfgWidget::slotLiftChange(quint8 iLift)
{
    m_iLift = iLift;
    m_document->set().LiftHigh = iLift;
    // Both panels show the lift distance.
    if (m_pPointSpeed && sender() != static_cast<QObject *>(m_pPointSpeed))
        m_pPointSpeed->setLift(iLift);
    if (m_pReportRate && sender() != static_cast<QObject *>(m_pReportRate))
        m_pReportRate->setLift(iLift);
}

void MousecfgWidget::slotPopOneClickBox()
{
    QWidget *parent = qobject_cast<QWidget *>(sender());
    MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"),
                       tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."), parent ? parent : this, nullptr,
                       Qt::FramelessWindowHint);
    box.exec();
}

void MousecfgWidget::ShowOsd(const QString &text)
{
    emit osdNotice(text);
    if (m_services.osd)
        m_services.osd->showOsd(text, MirtKit::accentColor());
}

// ---------------------------------------------------------------------------
// Profiles

void MousecfgWidget::loadProfileData()
{
    // The first frame shows the current slot: the others are read right after it.
    m_document->load(!m_bFirstFrameDone);
    if (m_document->slotsLeft())
        runAfterFirstFrame([this] { loadOtherSlots(); });
    ProfileSet &set = m_document->set();
    m_iLift = set.LiftHigh == 1 ? 1 : 2;
    // A new set: the next report of the mouse is taken as it stands.
    m_iReportedDpi = 0xFF;
    m_iReportedRate = 0xFF;
    if (m_services.pointerSpeed && m_services.pointerSpeed->isAvailable()) {
        int speed = set.current().mousespeed;
        if (m_services.pointerSpeed->readSpeed(&speed))
            set.current().mousespeed = quint8(speed);
    }
}

void MousecfgWidget::loadOtherSlots()
{
    m_document->loadOtherSlots();
}

void MousecfgWidget::showLoadNotice()
{
    if (m_document->pendingLoadNotice().isEmpty() || m_pLoadNoticeBox)
        return;
    if (!isVisible() || g_bWarningShown)
        return; // shown when the window is (slotWarning)
    const QString text = m_document->takeLoadNotice();
    auto *box = new MirtMessageBox(MirtMessageBox::kWarning, QString(), tr("Warning"), text, this, this,
                                   Qt::FramelessWindowHint);
    box->setObjectName(QStringLiteral("loadNoticeBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    m_pLoadNoticeBox = box;
    box->open();
}

void MousecfgWidget::onStoredProfilesReplaced()
{
    // Another program changed stored profiles the user had not edited here.
    FillPages();
    showProfileName(m_document->set().names[size_t(m_document->set().ProfileID % kProfileCount)]);
}

void MousecfgWidget::onExternalConflict(const QList<int> &slotList)
{
    QStringList names;
    for (int i : slotList)
        names << m_document->set().names[size_t(i)];
    const QString text =
        tr("ANOTHER PROGRAM CHANGED THE STORED PROFILE %1, WHICH YOU HAVE EDITED HERE. LOAD THE STORED "
           "ONE? (NO KEEPS YOUR EDITS.)")
            .arg(names.join(QStringLiteral(", ")));
    const bool take = showMessage(MirtMessageBox::kQuestion, text) == QDialog::Accepted;
    m_document->resolveConflict(slotList, take);
}

void MousecfgWidget::applyPointerSpeed()
{
    PointerSpeed *ps = m_services.pointerSpeed;
    const int speed = m_document->set().current().mousespeed;
    // 0 means the profile never had a speed; the desktop's stays as it is.
    if (!ps || !ps->isAvailable() || speed < PointerSpeedScale::kMinimum ||
        speed > PointerSpeedScale::kMaximum)
        return;
    if (!ps->applySpeed(speed))
        qCDebug(lcApp) << "pointer speed not applied:" << ps->errorString();
}

void MousecfgWidget::SetCurrentProfile(int index, bool bReload)
{
    if (index < 0 || index >= kProfileCount)
        return;
    loadOtherSlots();
    m_pProfileMenuBtn->setText(m_profileActions[index]->text());
    m_document->set().ProfileID = quint8(index);
    ProfileData &record = m_document->set().profiles[size_t(index)];
    const QString name = m_document->set().names[size_t(index)].isEmpty()
                             ? record.ProfileName
                             : m_document->set().names[size_t(index)];
    if (bReload && !name.isEmpty()) {
        QString error;
        if (ProfileStore::readLibraryProfile(record, m_strProductName, name, &error))
            record.ProfileName = name;
        else
            qCDebug(lcApp) << "library profile" << name << ":" << error;
    }
    showProfileName(name);
    FillPages();
    AppConfig::setCurrentSlot(index);
}

void MousecfgWidget::onProfileAction(QAction *action)
{
    const int i = m_profileActions.indexOf(qobject_cast<MirtAction *>(action));
    if (i < 0)
        return;
    const int result = switchToProfile(i);
    if (result != kSendOk)
        showMessage(MirtMessageBox::kWarning, tr("THE MOUSE DID NOT SWITCH TO PROFILE %1.").arg(i + 1) +
                                                  QLatin1Char('\n') +
                                                  ProfileCommands::writeFailureText(result));
}

int MousecfgWidget::switchToProfile(int i)
{
    const int previous = m_document->set().ProfileID;
    SetCurrentProfile(i, false);
    if (m_pProfileCommands)
        m_pProfileCommands->rebuildLibraryMenu();
    if (commandHandleOpen()) {
        const int result = switchMouseProfile(i);
        if (result != kSendOk) {
            // The mouse stays on its profile, and so does the window.
            SetCurrentProfile(previous, false);
            if (m_pProfileCommands)
                m_pProfileCommands->rebuildLibraryMenu();
            return result;
        }
    }
    applyPointerSpeed();
    showProfileName(m_document->set().names[size_t(i)]);
    return kSendOk;
}

int MousecfgWidget::switchMouseProfile(int index)
{
    // Like a write: on the worker thread behind the progress dialog, which
    // shows itself only when the mouse is slow; the poller stopped around it.
    StopBatteryThread();
    const int result = runWithProgress([index] {
        int res = SwitchProfile(index);
        if (res == kSendOk)
            res = ReloadSettings();
        return res;
    });
    qCDebug(lcApp) << "profile switch to" << index << "result" << result;
    StartBatteryThread();
    return result;
}

void MousecfgWidget::onProfileButtonClicked()
{
    // A slot button does what its profile action does, and stays checked.
    const int i = m_profileButtons.indexOf(qobject_cast<MirtPushButton *>(sender()));
    if (i >= 0)
        onProfileAction(m_profileActions[i]);
}

void MousecfgWidget::FillPages()
{
    m_iLift = m_document->set().LiftHigh == 1 ? 1 : 2;
    for (int i = 0; i < m_profileButtons.size(); ++i)
        m_profileButtons[i]->SetState(i == m_document->set().ProfileID ? 1 : 0);
    ProfileData *cur = &m_document->set().current();
    if (m_pDpiPage)
        m_pDpiPage->setProfileAndSensor(cur, AppConfig::sensorModel());
    if (m_pPointSpeed)
        m_pPointSpeed->setData(cur, m_document->set().Sync, m_iLift, m_document->set().AngleValue,
                               m_document->set().Jitter, m_document->set().Debounce);
    if (m_pReportRate)
        m_pReportRate->setProfile(cur, m_iLift);
    if (m_pBtnPage)
        m_pBtnPage->SetRecords(&cur->BUTTON_INFO);
    if (m_pColorPage) { // model 5960 keeps one lighting for all profiles, in slot 1
        m_pColorPage->SetProfile(&LightingModel::lightingProfile(m_document->set(), m_strProductName));
        m_pLightPreview->setProfile(m_pColorPage->profile());
    }
}

void MousecfgWidget::collectPages()
{
    // Stages, rate and speeds are edited in place; the sensor values are kept by the page.
    if (m_pPointSpeed)
        m_pPointSpeed->collectInto(m_document->set());
    m_document->set().LiftHigh = m_iLift;
}

void MousecfgWidget::showProfileName(const QString &name)
{
    m_pNameEdit->setText(name);
}

void MousecfgWidget::configurationImported()
{
    SelectTab(kTabLighting);
    setMarkerImages();
    RefreshMousePictures();
}

void MousecfgWidget::reloadCurrentProfile()
{
    SetCurrentProfile(m_document->set().ProfileID, true);
}

void MousecfgWidget::slotProfileNameChange()
{
    if (m_pProfileCommands)
        m_pProfileCommands->renameProfile(m_pNameEdit->text().trimmed());
}
