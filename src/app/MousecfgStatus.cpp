// What the window shows of the mouse: connection mode, battery, the status
// reports of the poller, profile switching and on-screen notices.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "CommandSet.h"
#include "ConnectionMode.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "DpiEncoding.h"
#include "LightingModel.h"
#include "LightingPreview.h"
#include "MirtAction.h"
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
#include "ProfileStore.h"

#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace {

bool anyVendorFound(bool cable)
{
    DeviceList &list = deviceList();
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        if ((cable ? list.entries[e].cableVendorFound : list.entries[e].receiverVendorFound) == 1)
            return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------
// Connection and battery

void MousecfgWidget::RefreshConnectionMode()
{
    const ConnectionView v = connectionViewFor(anyVendorFound(true), anyVendorFound(false), m_iCharging != 0);
    m_iConnectionMode = v.mode;
    m_pReceiverLabel->setVisible(v.receiverShown);
    m_pBatteryBar->setVisible(v.batteryBarShown);
    m_pChargingLabel->hide();
    update();
}

void MousecfgWidget::setBatteryStyle(bool bGrey)
{
    const int px = int(16 * m_dScale);
    if (bGrey) {
        m_pBatteryBar->setStyleSheet(QStringLiteral("QProgressBar { background-color: rgb(100,100,100); border: none;"
                                                    " border-radius: 2px; color: white; font-weight: bold;"
                                                    " font-size: %1px; text-align: center; }"
                                                    "QProgressBar::chunk { background-color: rgb(100,100,100); }")
                                         .arg(px));
        return;
    }
    const QColor a = MirtKit::accentColor();
    m_pBatteryBar->setStyleSheet(QStringLiteral("QProgressBar { background-color: white; border: none;"
                                                " border-radius: 2px; color: black; font-weight: bold;"
                                                " font-size: %1px; text-align: center; }"
                                                "QProgressBar::chunk { background-color: rgb(%2,%3,%4);"
                                                " border-radius: 2px; }")
                                     .arg(px)
                                     .arg(a.red())
                                     .arg(a.green())
                                     .arg(a.blue()));
}

void MousecfgWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte)
{
    Q_UNUSED(iHiByte)
    if (iLowByte != 0) {
        const bool cable = anyVendorFound(true);
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
            AppConfig::writeBattery(level);
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
    qDebug("Test data:profile =%x, dpi= %x, iRate= %x, mode= %x", iProfile, iDPI, iRate, iMode);
    // Only a report that names a profile switches: the poller cannot tell it (0xFF).
    if (iProfile < kProfileCount && iProfile != m_ProfileSet.ProfileID)
        slotRefreshProfile(iProfile);
    const ProfileData &cur = m_ProfileSet.current();
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
    const ProfileData &cur = m_ProfileSet.current();
    const int dpi = DpiEncoding::stepToDpi(AppConfig::sensorModel(), cur.DPI_INFO[size_t(stage)].x);
    return tr("DPI") + QStringLiteral(" %1:%2").arg(stage + 1).arg(dpi);
}

void MousecfgWidget::slotRefreshDPIStage(quint8 iDPI)
{
    if (iDPI >= kDpiStageCount)
        return;
    ProfileData &cur = m_ProfileSet.current();
    cur.dpi = iDPI;
    if (m_pDpiPage)
        m_pDpiPage->MouseinSignal(iDPI);
    // The stage is kept in the current slot's own file, where the loader reads it.
    QString error;
    const QString file = ProfileStore::slotProfilePath(m_ProfileSet.names[m_ProfileSet.ProfileID], &error);
    if (!file.isEmpty()) {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(QStringLiteral("PROFILE_0/dpi"), int(iDPI));
    } else {
        qDebug() << "DPI stage not stored:" << error;
    }
    FillPages();
    ShowOsd(stageDpiText(iDPI));
}

void MousecfgWidget::slotRefreshRate(quint8 iRate)
{
    m_ProfileSet.current().pollrate = iRate;
    FillPages();
    QString text;
    switch (iRate) {
    case 8: text = tr("125 HZ"); break;
    case 4: text = tr("250 HZ"); break;
    case 2: text = tr("500 HZ"); break;
    case 1: text = tr("1000 HZ"); break;
    default: break;
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
    m_ProfileSet.LiftHigh = iLift;
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
    QString error;
    if (ProfileDefaults::loadProfileSetForStart(m_LastSentSet, &error) != 0)
        qDebug() << "profile set:" << error;
    m_ProfileSet = m_LastSentSet;
    m_iLift = m_ProfileSet.LiftHigh == 1 ? 1 : 2;
    if (m_services.pointerSpeed && m_services.pointerSpeed->isAvailable()) {
        int speed = m_ProfileSet.current().mousespeed;
        if (m_services.pointerSpeed->readSpeed(&speed))
            m_ProfileSet.current().mousespeed = quint8(speed);
    }
}

void MousecfgWidget::applyPointerSpeed()
{
    PointerSpeed *ps = m_services.pointerSpeed;
    const int speed = m_ProfileSet.current().mousespeed;
    // 0 means the profile never had a speed; the desktop's stays as it is.
    if (!ps || !ps->isAvailable() || speed < PointerSpeedScale::kMinimum || speed > PointerSpeedScale::kMaximum)
        return;
    if (!ps->applySpeed(speed))
        qDebug() << "pointer speed not applied:" << ps->errorString();
}

void MousecfgWidget::SetCurrentProfile(int index, bool bReload)
{
    if (index < 0 || index >= kProfileCount)
        return;
    m_pProfileMenuBtn->setText(m_profileActions[index]->text());
    m_ProfileSet.ProfileID = quint8(index);
    ProfileData &record = m_ProfileSet.profiles[size_t(index)];
    const QString name = m_ProfileSet.names[size_t(index)].isEmpty() ? record.ProfileName
                                                                     : m_ProfileSet.names[size_t(index)];
    if (bReload && !name.isEmpty()) {
        QString error;
        if (ProfileStore::readLibraryProfile(record, m_strProductName, name, &error))
            record.ProfileName = name;
        else
            qDebug() << "library profile" << name << ":" << error;
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
    SetCurrentProfile(i, false);
    if (m_pProfileCommands)
        m_pProfileCommands->rebuildLibraryMenu();
    SwitchProfile(i);
    ReloadSettings();
    applyPointerSpeed();
    showProfileName(m_ProfileSet.names[size_t(i)]);
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
    for (int i = 0; i < m_profileButtons.size(); ++i)
        m_profileButtons[i]->SetState(i == m_ProfileSet.ProfileID ? 1 : 0);
    ProfileData *cur = &m_ProfileSet.current();
    if (m_pDpiPage)
        m_pDpiPage->setProfileAndSensor(cur, AppConfig::sensorModel());
    if (m_pPointSpeed)
        m_pPointSpeed->setData(cur, m_ProfileSet.Sync, m_iLift, m_ProfileSet.AngleValue, m_ProfileSet.Jitter,
                               m_ProfileSet.Debounce);
    if (m_pReportRate)
        m_pReportRate->setProfile(cur, m_iLift);
    if (m_pColorPage) { // model 5960 keeps one lighting for all profiles, in slot 1
        m_pColorPage->SetProfile(&LightingModel::lightingProfile(m_ProfileSet, m_strProductName));
        m_pLightPreview->setProfile(m_pColorPage->profile());
    }
}

void MousecfgWidget::collectPages()
{
    // Stages, rate and speeds are edited in place; the sensor values are kept by the page.
    if (m_pPointSpeed)
        m_pPointSpeed->collectInto(m_ProfileSet);
    m_ProfileSet.LiftHigh = m_iLift;
}

void MousecfgWidget::showProfileName(const QString &name) { m_pNameEdit->setText(name); }

void MousecfgWidget::configurationImported()
{
    SelectTab(kTabLighting);
    setMarkerImages();
    RefreshMousePictures();
}

void MousecfgWidget::reloadCurrentProfile() { SetCurrentProfile(m_ProfileSet.ProfileID, true); }

void MousecfgWidget::slotProfileNameChange()
{
    if (m_pProfileCommands)
        m_pProfileCommands->renameProfile(m_pNameEdit->text().trimmed());
}
