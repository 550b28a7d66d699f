// The firmware update command. This mouse's firmware updater is its maker's
// program for Windows; on this system the window says so and starts nothing,
// unless a firmware updater for this system is named in Config.ini
// ("[Firmware] Updater"). That one needs the cable and the mouse to itself, so
// the program ends once it is on its way.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "Log.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "ProgramLauncher.h"

#include <QCoreApplication>
#include <QScopeGuard>

QString MousecfgWidget::firmwareUpdaterText()
{
    return tr("The firmware of this mouse is updated with its maker's firmware updater, a Windows "
              "program from the maker's support page. It needs Windows, with the mouse connected by "
              "its cable; mousecfg does not start it.") +
           QLatin1Char('\n') +
           tr("A firmware updater for this system can be named in Config.ini: Updater in the section "
              "[Firmware].");
}

void MousecfgWidget::firmwareUpdate()
{
    m_pFirmwareBtn->SetState(1);
    auto release = qScopeGuard([this] { m_pFirmwareBtn->SetState(0); });
    const QString updater = AppConfig::firmwareUpdater();
    if (updater.isEmpty()) {
        MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"), firmwareUpdaterText(), this);
        box.exec();
        return;
    }
    if (deviceList().entries[0].cableMouseFound != 1) {
        MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"),
                           tr("To update the firmware, please connect to the computer with a cable."), this);
        box.exec();
        return;
    }
    MirtMessageBox ask(MirtMessageBox::kQuestion, QString(), tr("Warning"),
                       tr("Do you want to upgrade the firmware?"), this);
    if (ask.exec() != QDialog::Accepted)
        return;

    StopBatteryThread();
    if (!m_services.launcher || !m_services.launcher->startDetached(updater, {})) {
        qCDebug(lcApp) << "firmware updater not started:" << updater;
        MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"),
                           tr("The firmware updater could not be started.") + QLatin1Char('\n') + updater,
                           this);
        box.exec();
        StartBatteryThread();
        return;
    }
    // The updater has the mouse to itself from here on.
    m_session->closeDevices();
    emit exitRequested(0);
    QCoreApplication::exit(0);
}
