#include "TrayLife.h"

#include "AppConfig.h"
#include "DesktopNotifier.h"
#include "Log.h"
#include "MirtAction.h"

#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {
constexpr int kTrayWaitStepMs = 250;
constexpr int kTrayWaitSteps = 12; // a panel starting with the session has 3 s
} // namespace

TrayLife::TrayLife(DesktopNotifier *notifier, QObject *parent)
    : QObject(parent), m_notifier(notifier),
      m_notices(AppConfig::lowBatteryWarning(), AppConfig::criticalBatteryWarning())
{
}

void TrayLife::addToMenu(QMenu *menu, QAction *before)
{
    m_pStartAction = new MirtAction(tr("Start at lo&gin"), this);
    m_pStartAction->setObjectName(QStringLiteral("startAtLoginAction"));
    m_pStartAction->setCheckable(true);
    m_pStartAction->setChecked(m_autostart.isEnabled());
    connect(m_pStartAction, &QAction::triggered, this, &TrayLife::startAtLoginToggled);
    // The entry may have been removed elsewhere (the desktop's own settings).
    connect(menu, &QMenu::aboutToShow, this, [this] {
        m_pStartAction->setText(tr("Start at lo&gin"));
        m_pStartAction->setChecked(m_autostart.isEnabled());
    });
    menu->insertAction(before, m_pStartAction);
}

QAction *TrayLife::startAtLoginAction() const
{
    return m_pStartAction;
}

void TrayLife::startAtLoginToggled(bool bOn)
{
    QString error;
    bool done = false;
    if (bOn) {
        AutostartEntry::Content c;
        c.command = QStringList{AutostartEntry::programName(), QStringLiteral("--minimized")};
        c.name = QStringLiteral("mousecfg");
        c.comment = tr("Mouse settings in the system tray");
        c.icon = QStringLiteral("mousecfg");
        done = m_autostart.enable(c, &error);
    } else {
        done = m_autostart.disable(&error);
    }
    if (!done)
        qCWarning(lcApp) << "start at login:" << error;
    // The tick shows what is on disk, whatever was asked.
    m_pStartAction->setChecked(m_autostart.isEnabled());
}

void TrayLife::setTrayIcon(QSystemTrayIcon *tray, const QString &title)
{
    m_pTray = tray;
    m_strTitle = title;
    updateToolTip();
}

QString TrayLife::toolTip() const
{
    QString state;
    if (m_iMode == 3)
        state = tr("Not connected");
    else if (m_iLevel == 0)
        state = tr("Mouse off");
    else if (m_iLevel > 0)
        state = charging() ? tr("Battery %1 %, charging").arg(m_iLevel) : tr("Battery %1 %").arg(m_iLevel);
    if (state.isEmpty())
        return m_strTitle;
    return m_strTitle.isEmpty() ? state : m_strTitle + QLatin1Char('\n') + state;
}

void TrayLife::updateToolTip()
{
    if (m_pTray)
        m_pTray->setToolTip(toolTip());
}

void TrayLife::batteryReading(quint8 iCharge, quint8 iLowByte, quint8 iHiByte)
{
    m_iLevel = qMin<int>(iLowByte, 100);
    m_bReportCharging = iCharge != 0 || iHiByte != 0;
    updateToolTip();

    DesktopNotifier::Notice n;
    switch (m_notices.reading(m_iLevel, charging())) {
    case BatteryNotices::Notice::None:
        return;
    case BatteryNotices::Notice::Low:
        n.summary = tr("Mouse battery low");
        n.body = tr("%1 % left. Charge the mouse soon.").arg(m_iLevel);
        n.icon = QStringLiteral("battery-low");
        break;
    case BatteryNotices::Notice::Critical:
        n.summary = tr("Mouse battery almost empty");
        n.body = tr("%1 % left. Connect the charging cable now.").arg(m_iLevel);
        n.icon = QStringLiteral("battery-caution");
        n.urgency = DesktopNotifier::Urgency::Critical;
        break;
    case BatteryNotices::Notice::Charged:
        n.summary = tr("Mouse fully charged");
        n.body = tr("The battery is full.");
        n.icon = QStringLiteral("battery-full-charged");
        break;
    }
    qCDebug(lcApp) << "battery notice:" << n.summary;
    if (m_notifier)
        m_notifier->notify(n);
}

void TrayLife::setConnectionMode(int iMode)
{
    if (iMode == m_iMode)
        return;
    if (iMode == 3)
        m_iLevel = -1;
    m_iMode = iMode;
    updateToolTip();
}

void TrayLife::startMinimized(QWidget *window)
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return;
    auto *timer = new QTimer(window);
    auto steps = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, window, [window, timer, steps] {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            timer->deleteLater();
            return;
        }
        if (++*steps < kTrayWaitSteps)
            return;
        timer->deleteLater();
        qCDebug(lcApp) << "no system tray: the window starts minimised";
        if (window->isHidden())
            window->showMinimized();
    });
    timer->start(kTrayWaitStepMs);
}
