#pragma once
// The tray's "Simulated mouse" menu: plug and unplug the receiver and the
// cable, press the mouse's own DPI and rate buttons, set its battery level
// and whether it charges.

#include <QMenu>

class QAction;
class QActionGroup;
class SimulatedHidBackend;

class SimulationMenu : public QMenu
{
    Q_OBJECT
public:
    // BACKEND is not owned.
    explicit SimulationMenu(SimulatedHidBackend *backend, QWidget *parent = nullptr);

    QAction *receiverAction() const { return m_pReceiver; }
    QAction *cableAction() const { return m_pCable; }
    QAction *dpiAction() const { return m_pDpi; }
    QAction *rateAction() const { return m_pRate; }
    QAction *chargingAction() const { return m_pCharging; }
    // The battery level entries (100, 80, 57, 30, 10, 5, 0 per cent).
    QList<QAction *> batteryActions() const;

protected:
    // Every text again in the language now installed.
    void changeEvent(QEvent *event) override;

private slots:
    void syncFromBackend();

private:
    void retranslate();

    SimulatedHidBackend *m_backend;
    QAction *m_pReceiver = nullptr;
    QAction *m_pCable = nullptr;
    QAction *m_pDpi = nullptr;
    QAction *m_pRate = nullptr;
    QAction *m_pCharging = nullptr;
    QMenu *m_pBattery = nullptr;
    QActionGroup *m_pBatteryGroup = nullptr;
};
