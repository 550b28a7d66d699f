#pragma once
// The battery and status poller: queries the battery now and then and listens
// for the status reports the mouse sends when its own buttons change the DPI
// stage or the report rate. Signals cross to the window queued.

#include <QThread>

#include <atomic>

class MirtGetBatteryThread : public QThread
{
    Q_OBJECT
public:
    explicit MirtGetBatteryThread(QObject *parent = nullptr);
    ~MirtGetBatteryThread() override;

    // Asks the loop to end; it leaves within one pass step.
    void stop();
    // stop() and wait until run() has returned.
    void stopAndWait();
    bool isStopRequested() const { return m_bStop.load(); }

    // Stops and waits for thread, deletes it and sets the pointer to null.
    static void stopAndDelete(MirtGetBatteryThread *&thread);

signals:
    // After each answered battery query; (0, 0, 0) when no device is open.
    void RefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    // After each status report. The report names no profile: iProfile is
    // 0xFF (unknown) and the window keeps its current profile.
    void RefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);

protected:
    void run() override;

private:
    // Sleeps in small steps; false when a stop was asked for meanwhile.
    bool pause(int milliseconds);
    // Reads one report into buffer (cleared first); bytes read, -1 on error,
    // -2 when no handle is open.
    int readReport(uint8_t *buffer, int timeoutMs);
    bool decodeStatus(const uint8_t *report, int length, const char *tag);

    std::atomic<bool> m_bStop{false};
};
