#include "MirtGetBatteryThread.h"

#include "CommandSet.h"
#include "DeviceLink.h"
#include "ProtocolClock.h"

#include <algorithm>
#include <cstring>

namespace {
// A handle that fails this many reads in a row belongs to a vanished device.
constexpr int kDeadHandleReads = 10;
constexpr int kStopStepMs = 5;
constexpr int kStatusLength = 8; // bytes a status report must carry
} // namespace

MirtGetBatteryThread::MirtGetBatteryThread(QObject *parent) : QThread(parent) {}

MirtGetBatteryThread::~MirtGetBatteryThread()
{
    stopAndWait();
}

void MirtGetBatteryThread::stop()
{
    m_bStop.store(true);
}

void MirtGetBatteryThread::stopAndWait()
{
    stop();
    if (isRunning())
        wait();
}

void MirtGetBatteryThread::stopAndDelete(MirtGetBatteryThread *&thread)
{
    if (!thread)
        return;
    thread->stopAndWait();
    delete thread;
    thread = nullptr;
}

bool MirtGetBatteryThread::pause(int milliseconds)
{
    ProtocolClock *clock = protocolClock();
    while (milliseconds > 0) {
        if (m_bStop.load())
            return false;
        const int step = std::min(milliseconds, kStopStepMs);
        clock->sleepMs(step);
        milliseconds -= step;
    }
    return !m_bStop.load();
}

int MirtGetBatteryThread::readReport(uint8_t *buffer, int timeoutMs)
{
    std::memset(buffer, 0, 64);
    std::lock_guard<std::mutex> lock(deviceLinkMutex());
    HidDevice *handle = commandHandleLocked();
    if (!handle)
        return -2;
    return linkRead(handle, buffer + 1, kFrameSize, timeoutMs);
}

bool MirtGetBatteryThread::decodeStatus(const uint8_t *r, int length, const char *tag)
{
    if (length < kStatusLength || r[1] != kStatusMark[0] || r[2] != kStatusMark[1] || r[3] != kStatusMark[2])
        return false;
    LogLine(QString::asprintf("hid_read 1 %s %x %x %x %x %x %x %x %x.\n", tag, r[0], 0xAA, 0xFF, 0xDD, r[4],
                              r[5], r[6], r[7]));
    return true;
}

void MirtGetBatteryThread::run()
{
    LogLine(QStringLiteral("MirtGetBatteryThread.\n"));
    const Frame query = BlockFrame::batteryQuery();
    uint8_t buffer[64];
    int k = 0;
    int failedReads = 0;
    auto stopped = [] { LogLine(QStringLiteral("MirtGetBatteryThread Stop.\n")); };
    auto vanished = [this] { emit RefreshBatteryStatus(0, 0, 0); };

    for (;;) {
        if (m_bStop.load())
            return stopped();
        int n = readReport(buffer, kPollReadTimeoutMs);
        if (n == -2)
            return vanished();
        if (!pause(kPollPassMs))
            return stopped();
        failedReads = n < 0 ? failedReads + 1 : 0;
        if (failedReads >= kDeadHandleReads)
            return vanished();
        const uint8_t *report = buffer + 1;

        if (k != 0) { // listening step
            if (n > 0 && decodeStatus(report, n, "s"))
                emit RefreshStatus(kProfileUnknown, report[6] & 0x0F, report[7], 0);
            if (++k >= kPollListenPasses)
                k = 0;
            continue;
        }

        // query step
        {
            std::lock_guard<std::mutex> lock(deviceLinkMutex());
            HidDevice *handle = commandHandleLocked();
            if (!handle) {
                emit RefreshBatteryStatus(0, 0, 0);
                return;
            }
            if (linkWrite(handle, query.data(), kFrameSize) < 0)
                LogLine(QStringLiteral("Unable to send a feature report.\n"));
        }
        if (!pause(kPollQueryWaitMs))
            return stopped();
        n = readReport(buffer, kPollReadTimeoutMs);
        if (n == -2)
            return vanished();
        failedReads = n < 0 ? failedReads + 1 : 0;
        if (n > 0 && decodeStatus(report, n, "f")) {
            emit RefreshBatteryStatus(0, report[4], report[5]);
            emit RefreshStatus(kProfileUnknown, report[6] & 0x0F, report[7], 0);
        }
        k = 1;
    }
}
