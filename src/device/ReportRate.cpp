#include "ReportRate.h"

#include "DeviceLink.h"
#include "DeviceProbe.h"
#include "HidBackend.h"
#include "ProtocolClock.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace ReportRate {

bool Result::belowChosen() const
{
    return enoughMotion() && chosenHz > 0 && medianHz * 100 < double(chosenHz) * kWarnPercent;
}

int roundedHz(double hz)
{
    return int(std::lround(hz));
}

Result analyse(const QVector<int64_t> &arrivalsUs, int64_t startUs, int64_t durationUs, int chosenHz)
{
    Result r;
    r.chosenHz = chosenHz;
    r.durationUs = durationUs;
    r.reports = arrivalsUs.size();
    const int windowCount = int(std::max<int64_t>(durationUs, 0) / kWindowUs);
    QVector<int> intervals(windowCount, 0);
    QVector<int64_t> movingUs(windowCount, 0);
    // Each interval between two reports belongs to the window where it ends;
    // a window's rate is its intervals over the time they took.
    for (int i = 1; i < arrivalsUs.size(); ++i) {
        const int64_t gap = arrivalsUs.at(i) - arrivalsUs.at(i - 1);
        if (gap < 0 || gap >= kPauseUs)
            continue;
        const int64_t at = arrivalsUs.at(i) - startUs;
        if (at < 0)
            continue;
        const int64_t w = at / kWindowUs;
        if (w >= windowCount)
            break;
        ++intervals[int(w)];
        movingUs[int(w)] += gap;
    }
    QVector<double> rates;
    for (int w = 0; w < windowCount; ++w) {
        if (intervals.at(w) < 2 || movingUs.at(w) < kMinMovingUs)
            continue;
        const double hz = double(intervals.at(w)) * 1e6 / double(movingUs.at(w));
        r.windows.append(Window{int64_t(w) * kWindowUs, hz});
        rates.append(hz);
    }
    if (rates.isEmpty())
        return r;
    std::sort(rates.begin(), rates.end());
    const int n = rates.size();
    r.medianHz = n % 2 ? rates.at(n / 2) : (rates.at(n / 2 - 1) + rates.at(n / 2)) / 2;
    // Nearest rank: the smallest rate that at least 5 % of the windows reach down to.
    const int rank = std::max(1, int(std::ceil(0.05 * n)));
    r.lowHz = rates.at(rank - 1);
    return r;
}

QByteArray mouseCollectionPath(const DeviceEntry &entry)
{
    if (entry.cableMouseFound == 1 && entry.cableMousePath[0])
        return QByteArray(entry.cableMousePath);
    if (entry.receiverMouseFound == 1 && entry.receiverMousePath[0])
        return QByteArray(entry.receiverMousePath);
    return QByteArray();
}

Reading readArrivals(const QByteArray &path, int64_t durationUs, const std::atomic<bool> *stop,
                     const std::function<void(int64_t)> &progress)
{
    Reading reading;
    HidBackend *backend = hidBackend();
    HidDevice *device = nullptr;
    {
        // Opening touches the HID library's shared state: one at a time with the link.
        std::lock_guard<std::mutex> lock(deviceLinkMutex());
        device = backend->openPath(path);
    }
    if (!device) {
        const OpenProbe probe = probeOpen(path);
        reading.error = QStringLiteral("the mouse collection %1 %2")
                            .arg(QString::fromLocal8Bit(path),
                                 probe.opened ? QStringLiteral("could not be opened") : probe.text);
        return reading;
    }
    ProtocolClock *clock = protocolClock();
    reading.startUs = clock->nowUs();
    reading.durationUs = durationUs;
    reading.arrivalsUs.reserve(int(std::min<int64_t>(durationUs / 1000 + 64, 1 << 20)));
    const int64_t end = reading.startUs + durationUs;
    int64_t nextProgress = reading.startUs + kWindowUs;
    uint8_t buffer[64];
    reading.ok = true;
    for (;;) {
        if (stop && stop->load()) {
            reading.ok = false;
            reading.error = QStringLiteral("the measurement was stopped");
            break;
        }
        const int64_t now = clock->nowUs();
        if (now >= end)
            break;
        if (progress && now >= nextProgress) {
            progress(now - reading.startUs);
            nextProgress = now + kWindowUs;
        }
        const int waitMs = int(std::clamp<int64_t>((end - now + 999) / 1000, 1, 100));
        int64_t arrival = 0;
        const int n = backend->readStamped(device, buffer, sizeof buffer, waitMs, &arrival);
        if (n < 0) {
            reading.ok = false;
            reading.error = QStringLiteral("the mouse went away during the measurement");
            break;
        }
        if (n > 0 && arrival >= reading.startUs && arrival < end)
            reading.arrivalsUs.append(arrival);
        // Only the time is kept.
        std::fill(std::begin(buffer), std::end(buffer), uint8_t(0));
    }
    {
        std::lock_guard<std::mutex> lock(deviceLinkMutex());
        backend->close(device);
    }
    return reading;
}

} // namespace ReportRate
