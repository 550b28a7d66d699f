#pragma once
// The report rate that really arrives: the arrival times of the mouse's own
// input reports on its mouse collection (usage page 1, usage 2), and what
// they say over 100 ms windows. Only the times are kept; a report's content
// is dropped as soon as it is read. The performance page and
// `mousecfg-cli rate-check` both measure through these functions.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <atomic>
#include <cstdint>
#include <functional>

struct DeviceEntry;

namespace ReportRate {

constexpr int64_t kWindowUs = 100000; // one figure per 100 ms
// A gap this long is the mouse at rest (it sends nothing while still), not a
// slow link: five periods of the slowest rate, 125 Hz.
constexpr int64_t kPauseUs = 40000;
// A window counts when the mouse moved for at least half of it.
constexpr int64_t kMinMovingUs = kWindowUs / 2;
// Fewer windows with motion than this: the mouse was not moved enough to tell.
constexpr int kMinWindows = 5;
// The warning: the median below this share of the chosen rate.
constexpr int kWarnPercent = 90;
constexpr int kDefaultSeconds = 3;
constexpr int kMaxSeconds = 60;

struct Window
{
    int64_t startUs = 0; // from the start of the measurement
    double hz = 0;
};

struct Result
{
    int chosenHz = 0;
    int64_t durationUs = 0;
    int reports = 0;
    QVector<Window> windows; // the windows with motion, in time order
    double medianHz = 0;
    double lowHz = 0; // 5th percentile of the windows

    bool enoughMotion() const { return windows.size() >= kMinWindows; }
    // The warning: enough motion, and the median below 90 % of the chosen rate.
    bool belowChosen() const;
};

// The figures of the arrival times (microseconds, ascending) of a measurement
// that started at startUs and lasted durationUs, for a mouse set to chosenHz.
Result analyse(const QVector<int64_t> &arrivalsUs, int64_t startUs, int64_t durationUs, int chosenHz);

// A rate as shown: whole hertz.
int roundedHz(double hz);

// The mouse collection to read: the cable's when it was found (the mouse then
// reports through it), else the receiver's; empty when neither was found.
QByteArray mouseCollectionPath(const DeviceEntry &entry);

struct Reading
{
    bool ok = false;
    QString error; // one line for the user when !ok
    int64_t startUs = 0;
    int64_t durationUs = 0;
    QVector<int64_t> arrivalsUs;
};

// Opens PATH through the HID backend and reads it for durationUs on the
// calling thread, keeping only when each report arrived. progress(elapsedUs)
// is called about every 100 ms; a set *stop ends the reading early (not ok).
Reading readArrivals(const QByteArray &path, int64_t durationUs, const std::atomic<bool> *stop = nullptr,
                     const std::function<void(int64_t)> &progress = {});

} // namespace ReportRate
