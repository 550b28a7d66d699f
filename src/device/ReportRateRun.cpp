#include "ReportRateRun.h"

#include <QMetaObject>

ReportRateRun::ReportRateRun(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<ReportRate::Result>();
}

ReportRateRun::~ReportRateRun()
{
    stop();
}

bool ReportRateRun::start(const QByteArray &path, int chosenHz, int seconds)
{
    if (running())
        return false;
    join(); // a finished run's thread
    m_stop = false;
    m_done = false;
    const int generation = ++m_generation;
    const int64_t durationUs = int64_t(seconds) * 1000000;
    // The thread works on copies and reaches back only through queued calls
    // on this object (dropped with it), which ignore a run that was replaced.
    m_thread = std::thread([this, path, chosenHz, durationUs, generation] {
        auto post = [this, generation](std::function<void()> fn) {
            QMetaObject::invokeMethod(
                this,
                [this, generation, fn] {
                    if (m_generation == generation)
                        fn();
                },
                Qt::QueuedConnection);
        };
        const ReportRate::Reading reading =
            ReportRate::readArrivals(path, durationUs, &m_stop, [this, &post](int64_t elapsedUs) {
                post([this, ms = int(elapsedUs / 1000)] { emit progress(ms); });
            });
        const ReportRate::Result result =
            ReportRate::analyse(reading.arrivalsUs, reading.startUs, reading.durationUs, chosenHz);
        m_done = true;
        post([this, result, error = reading.ok ? QString() : reading.error] {
            join();
            emit finished(result, error);
        });
    });
    return true;
}

void ReportRateRun::stop()
{
    m_stop = true;
    ++m_generation; // what the stopped run still posts is dropped
    join();
}

void ReportRateRun::join()
{
    if (m_thread.joinable())
        m_thread.join();
}
