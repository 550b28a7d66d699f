// The firmware update command: the updater needs the cable and the mouse to
// itself, so the program ends once the updater is on its way.

#include "MousecfgWidget.h"

#include "DeviceLink.h"
#include "DeviceSession.h"
#include "Log.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "ProgramLauncher.h"

#include <QCoreApplication>
#include <QScopeGuard>

QString MousecfgWidget::updaterPath(int langId) const
{
    return m_strAppDir + (langId == 0 ? QStringLiteral("/skin/mouse/bin/K522-8146-A17-en.exe")
                                      : QStringLiteral("/skin/mouse/bin/K522-8146-A17.exe"));
}

void MousecfgWidget::firmwareUpdate()
{
    m_pFirmwareBtn->SetState(1);
    auto release = qScopeGuard([this] { m_pFirmwareBtn->SetState(0); });
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
    const QString updater = updaterPath(MirtKit::languageId());
    if (!m_services.launcher || !m_services.launcher->startDetached(updater, {updater})) {
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
