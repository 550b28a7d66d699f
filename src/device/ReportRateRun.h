#pragma once
// One report-rate measurement beside the user interface: readArrivals on a
// thread of its own, the figures handed back to the owner's thread. The run
// owns its handle; destroying or stopping it waits for the thread.

#include "ReportRate.h"

#include <QObject>

#include <atomic>
#include <thread>

class ReportRateRun : public QObject
{
    Q_OBJECT
public:
    explicit ReportRateRun(QObject *parent = nullptr);
    ~ReportRateRun() override; // stops and waits

    // Measures PATH for SECONDS, for a mouse set to chosenHz. False when a run
    // is under way.
    bool start(const QByteArray &path, int chosenHz, int seconds);
    bool running() const { return m_thread.joinable() && !m_done.load(); }
    // Ends a run early and waits for its thread; nothing more is emitted for it.
    void stop();

signals:
    // About every 100 ms while reading.
    void progress(int elapsedMs);
    // The run ended; error is empty when the figures are valid.
    void finished(const ReportRate::Result &result, const QString &error);

private:
    void join();

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    int m_generation = 0;
};

Q_DECLARE_METATYPE(ReportRate::Result)
