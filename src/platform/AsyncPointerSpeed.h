#pragma once
// A pointer-speed backend run on a worker thread of its own. Setting the
// speed runs gsettings, asks KWin over the bus or the X server: up to seconds
// on a busy desktop, and the window sets it at every profile switch. Here
// applySpeed() only hands the value over and returns; when several arrive
// while one is being set, only the latest one is set next. readSpeed() gives
// the value last read or requested; the first read is made when the worker
// starts, and the first readSpeed() waits a few milliseconds for it at most.
// A failure is logged (mousecfg.platform) and kept in errorString().
//
// The destructor waits for a call in flight (the backend bounds it: the
// gsettings runner's timeout, KWin's bus timeout), drops what is queued and
// joins the worker.

#include "PointerSpeed.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

class AsyncPointerSpeed : public PointerSpeed
{
public:
    // How long the first readSpeed() waits for the worker's first read.
    static constexpr int kFirstReadWaitMs = 15;

    // Takes BACKEND over; asks it whether it is available once, here.
    explicit AsyncPointerSpeed(std::unique_ptr<PointerSpeed> backend);
    ~AsyncPointerSpeed() override;

    QString backendName() const override { return m_name; }
    bool isAvailable() const override { return m_available; }
    // The value last read from the desktop or requested; a fresh read follows
    // on the worker for the next call. False before any value is known.
    bool readSpeed(int *speed) override;
    // Queues SPEED (clamped to 1..20) for the worker; true unless the backend
    // is unavailable.
    bool applySpeed(int speed) override;

    // Waits until the worker has nothing queued or running. False on timeout.
    bool waitForIdle(int timeoutMs);

private:
    void run();

    const std::unique_ptr<PointerSpeed> m_backend;
    const QString m_name;
    const bool m_available;

    std::mutex m_mutex;
    std::condition_variable m_wake; // work queued, or stop
    std::condition_variable m_done; // a call finished
    std::optional<int> m_pendingApply;
    bool m_readWanted = true;
    bool m_running = false;
    bool m_stop = false;
    bool m_firstReadDone = false;
    bool m_known = false;
    int m_value = 0;
    quint64 m_requests = 0; // applySpeed() calls: a read older than the last one is stale

    std::unique_ptr<QThread> m_thread;
};
