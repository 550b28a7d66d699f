// MousecfgWidget: auto-switch of the mouse's profile as windows gain focus
// (AutoSwitchControl holds the rules and the follower), its notice and its dialog.

#include "MousecfgWidget.h"

#include "AutoSwitchControl.h"
#include "AutoSwitchDialog.h"
#include "DeviceLink.h"
#include "DeviceSession.h"
#include "Log.h"
#include "MirtPushButton.h"
#include "ProfileDocument.h"

void MousecfgWidget::setUpAutoSwitch()
{
    m_pAutoSwitch = new AutoSwitchControl(m_session.get(), m_services.activeWindowSource, this);
    m_pAutoSwitch->setObjectName(QStringLiteral("autoSwitch"));
    // The mouse's slot is the window's: the buttons and the mouse's own reports keep them together.
    m_pAutoSwitch->setMouseSlot([this] { return commandHandleOpen() ? m_document->set().ProfileID + 1 : 0; });
    m_pAutoSwitch->setSwitchFunction([this](int slot) { autoSwitchProfile(slot); });
    connect(m_pAutoSwitch, &AutoSwitchControl::problem, this, &MousecfgWidget::ShowOsd);

    connect(m_pAutoSwitchBtn, &QPushButton::clicked, this, &MousecfgWidget::openAutoSwitchDialog);

    // Nothing of it before the first frame: the file is read, and the desktop
    // followed, after it (and only while auto-switch is on).
    runAfterFirstFrame([this] { m_pAutoSwitch->start(); });
}

void MousecfgWidget::autoSwitchProfile(int slot)
{
    const int index = slot - 1;
    if (index < 0 || index >= kProfileCount || m_session->jobRunning() || !commandHandleOpen())
        return;
    const int result = switchToProfile(index);
    if (result != kSendOk) {
        // No box over a game: the notice says it.
        ShowOsd(tr("THE MOUSE DID NOT SWITCH TO PROFILE %1.").arg(slot));
        return;
    }
    // "Auto-switch: Profile 2", with the profile's name when it has its own.
    const QString name = m_document->set().names[size_t(index)];
    QString profile = tr("Profile") + QStringLiteral(" %1").arg(slot);
    if (!name.isEmpty() && name != QStringLiteral("Profile %1").arg(slot))
        profile += QStringLiteral(" (%1)").arg(name);
    ShowOsd(tr("Auto-switch: %1").arg(profile));
}

void MousecfgWidget::openAutoSwitchDialog()
{
    AutoSwitchDialog dialog(m_pAutoSwitch->rules(), m_pAutoSwitch->openWindows(),
                            m_pAutoSwitch->unsupportedText(), m_pAutoSwitch->loadProblems(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!m_pAutoSwitch->saveRules(dialog.rules(), &error))
        showMessage(MirtMessageBox::kWarning, error);
}
