#pragma once
// The simulated mouse behind the HID backend seam: a receiver and a cable
// (one vendor ID, one product ID each; interface 0 the mouse collection,
// interface 2 the vendor collection) in front of one MouseFirmware. Answers
// arrive after a configurable echo latency; faults can be injected on what
// the mouse answers (lost, late, corrupted, all-zero, duplicated and short
// echoes, reports stolen by another reader), on writes (errors, frames lost
// on their way in, the mouse's DPI button pressed in the middle of a write)
// and on the link (unplugging in the middle of a write). Plugging and
// unplugging raise the same events as the udev hot-plug source.

#include "HidBackend.h"
#include "MouseFirmware.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <random>

class SimulatedHidBackend : public QObject, public HidBackend
{
    Q_OBJECT
public:
    // What happens to one answer of the mouse.
    enum class Answer
    {
        Normal,
        Lost,
        Late,
        Corrupt,
        Zero,
        Stolen,
        Duplicate,
        Short
    };

    struct Faults
    {
        double lostEcho = 0;      // answer never arrives
        double lateEcho = 0;      // answer arrives after lateDelayMs
        double corruptEcho = 0;   // one byte of the answer flipped
        double zeroEcho = 0;      // eight zero bytes instead of the answer
        double stolen = 0;        // another reader takes the answer
        double writeError = 0;    // hid_write fails
        double inboundLoss = 0;   // a verified frame is lost before the mouse sees it
        double duplicateEcho = 0; // answer arrives twice
        double shortEcho = 0;     // only the first 1..31 bytes of the answer arrive
        double statusReport = 0;  // per frame of an open write: the DPI button is pressed first
        int lateDelayMs = 200;
        uint32_t seed = 1;
    };

    struct PlugEvent
    {
        bool arrived = false;
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        int interfaceNumber = 0; // 0 mouse collection, 2 vendor collection
        uint16_t release = 0;
        QByteArray path;
    };

    explicit SimulatedHidBackend(QObject *parent = nullptr);
    ~SimulatedHidBackend() override;

    // HidBackend
    int init() override;
    QVector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice *openPath(const QByteArray &path) override;
    void close(HidDevice *device) override;
    int exit() override;
    int write(HidDevice *device, const uint8_t *data, size_t length) override;
    int readTimeout(HidDevice *device, uint8_t *data, size_t length, int milliseconds) override;
    int readStamped(HidDevice *device, uint8_t *data, size_t length, int milliseconds,
                    int64_t *arrivalUs) override;
    QString error(HidDevice *device) override;
    bool permissionDenied(const QByteArray &path) override;

    // Plugging; each change raises two plug events (interface 0 and 2).
    void plugReceiver(bool plugged);
    void plugCable(bool plugged);
    bool receiverPlugged() const;
    bool cablePlugged() const;
    // Unplug the connection carrying the writes after this many more writes
    // (the write that hits zero fails); -1 switches it off.
    void unplugAfterWrites(int writes);

    void setEchoLatencyUs(int64_t us);
    void setFaults(const Faults &faults);
    // Answers to come, in order, before the random faults apply again.
    void scriptAnswers(const QList<Answer> &answers);
    // The next n reads fail (-1) / the next n writes fail (-1).
    void scriptReadErrors(int n);
    void scriptWriteErrors(int n);
    // Motion reports at HZ whatever rate the mouse is set to (a weak link);
    // 0 follows the mouse's rate again.
    void setFakeReportRate(int hz);
    int fakeReportRate() const;
    // Nodes exist but this user may not open them.
    void setPermissionDenied(bool denied);

    // The mouse's own buttons (the status report goes to the active connection).
    void pressDpiButton();
    void pressRateButton();
    // A report of our choosing arrives on the connection's vendor collection.
    void injectReport(int connection, const Report &report);

    // The firmware, under the backend's lock.
    void withFirmware(const std::function<void(MouseFirmware &)> &fn);
    MouseFirmware firmwareSnapshot() const;

    // Every frame written to a vendor collection (33 bytes), in order.
    QVector<Frame> writtenFrames() const;
    void clearWrittenFrames();
    int openHandleCount() const;
    // Frames written through each connection (0 receiver, 1 cable).
    int writesOn(int connection) const;
    // Counts of injected faults, by kind and in all (unplugging by
    // unplugAfterWrites counts as a fault).
    struct FaultCounts
    {
        int lost = 0, late = 0, corrupt = 0, zero = 0, stolen = 0, duplicate = 0, shortReport = 0;
        int writeError = 0, inboundLoss = 0, statusReport = 0, unplug = 0;
        int total() const;
    };
    FaultCounts faultCounts() const;
    int faultsInjected() const;

    static QByteArray pathOf(int connection, int interfaceNumber);

    // Also called for every plug event (besides the signal). Both may be raised
    // inside a write that unplugs the mouse, with DeviceLink's lock held: a
    // handler must not call back into DeviceLink (connect the signal queued).
    std::function<void(const PlugEvent &)> onPlugEvent;

signals:
    void plugEvent(bool arrived, quint16 vendorId, quint16 productId, int interfaceNumber, quint16 release,
                   const QByteArray &path);

private:
    struct Pending
    {
        int64_t dueUs = 0;
        Report report{};
        int length = kReportSize;
    };
    struct SimHandle;

    void setPlugged(int connection, bool plugged);
    void deliverLocked(int connection, Report report, Answer fate);
    Answer nextFateLocked();
    void unplugLocked(int connection, QList<PlugEvent> &events);
    void raise(const QList<PlugEvent> &events);
    int activeConnectionLocked() const;
    int motionRateLocked() const;
    int readLocked(std::unique_lock<std::mutex> &lock, SimHandle *h, uint8_t *data, size_t length,
                   int milliseconds, int64_t *arrivalUs);

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    MouseFirmware m_firmware;
    bool m_plugged[2] = {false, false};
    QList<SimHandle *> m_handles;
    int64_t m_latencyUs = 1000;
    Faults m_faults;
    std::mt19937 m_rng{1};
    QList<Answer> m_script;
    int m_readErrors = 0;
    int m_writeErrors = 0;
    int m_unplugAfter = -1;
    bool m_permissionDenied = false;
    int m_fakeRateHz = 0;
    QVector<Frame> m_written;
    FaultCounts m_faultCounts;
    int m_writesOn[2] = {0, 0};
    QString m_lastError;
};
