#include "SimulationMenu.h"

#include "MirtKit.h"
#include "SimulatedHidBackend.h"

#include <QActionGroup>
#include <QEvent>

SimulationMenu::SimulationMenu(SimulatedHidBackend *backend, QWidget *parent)
    : QMenu(parent), m_backend(backend)
{
    setObjectName(QStringLiteral("simulationMenu"));
    MirtKit::setMenuStyleSheetWhenShown(this, MirtKit::menuStyleSheet());
    m_pReceiver = addAction(QString());
    m_pReceiver->setCheckable(true);
    connect(m_pReceiver, &QAction::triggered, this, [this](bool on) { m_backend->plugReceiver(on); });
    m_pCable = addAction(QString());
    m_pCable->setCheckable(true);
    connect(m_pCable, &QAction::triggered, this, [this](bool on) { m_backend->plugCable(on); });
    addSeparator();
    m_pDpi = addAction(QString());
    connect(m_pDpi, &QAction::triggered, this, [this] { m_backend->pressDpiButton(); });
    m_pRate = addAction(QString());
    connect(m_pRate, &QAction::triggered, this, [this] { m_backend->pressRateButton(); });
    addSeparator();
    m_pBattery = addMenu(QString());
    m_pBatteryGroup = new QActionGroup(this);
    for (int level : {100, 80, 57, 30, 10, 5, 0}) {
        QAction *a = m_pBattery->addAction(QString());
        a->setCheckable(true);
        a->setData(level);
        m_pBatteryGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, level] {
            m_backend->withFirmware([level](MouseFirmware &f) { f.setBatteryLevel(level); });
        });
    }
    m_pCharging = addAction(QString());
    m_pCharging->setCheckable(true);
    connect(m_pCharging, &QAction::triggered, this,
            [this](bool on) { m_backend->withFirmware([on](MouseFirmware &f) { f.setCharging(on); }); });

    // The menu shows the mouse as it is, however it got there.
    connect(this, &QMenu::aboutToShow, this, &SimulationMenu::syncFromBackend);
    connect(m_backend, &SimulatedHidBackend::plugEvent, this, &SimulationMenu::syncFromBackend,
            Qt::QueuedConnection);
    syncFromBackend();
    retranslate();
}

void SimulationMenu::retranslate()
{
    setTitle(tr("&Simulated mouse"));
    m_pReceiver->setText(tr("&Receiver plugged in"));
    m_pCable->setText(tr("&Cable plugged in"));
    m_pDpi->setText(tr("Press the &DPI button"));
    m_pRate->setText(tr("Press the r&eport-rate button"));
    m_pBattery->setTitle(tr("&Battery level"));
    for (QAction *a : m_pBatteryGroup->actions()) {
        const int level = a->data().toInt();
        a->setText(level ? tr("%1 %").arg(level) : tr("0 % (mouse off)"));
    }
    m_pCharging->setText(tr("C&harging"));
}

void SimulationMenu::changeEvent(QEvent *event)
{
    QMenu::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

QList<QAction *> SimulationMenu::batteryActions() const
{
    return m_pBatteryGroup->actions();
}

void SimulationMenu::syncFromBackend()
{
    m_pReceiver->setChecked(m_backend->receiverPlugged());
    m_pCable->setChecked(m_backend->cablePlugged());
    const MouseFirmware f = m_backend->firmwareSnapshot();
    m_pCharging->setChecked(f.charging());
    for (QAction *a : m_pBatteryGroup->actions())
        a->setChecked(a->data().toInt() == f.batteryLevel());
}
