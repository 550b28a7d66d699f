#include "StatusQuery.h"

#include "CommandSet.h"
#include "DeviceLink.h"
#include "ProtocolClock.h"

#include <cstring>

int queryStatus(StatusReading &reading, int timeoutMs)
{
    std::lock_guard<std::mutex> lock(deviceLinkMutex());
    HidDevice *handle = commandHandleLocked();
    if (!handle)
        return kSendNoDevice;
    const Frame query = BlockFrame::batteryQuery();
    if (linkWrite(handle, query.data(), kFrameSize) < 0)
        return kSendWriteFailed;
    ProtocolClock *clock = protocolClock();
    const int64_t deadline = clock->nowUs() + int64_t(timeoutMs) * 1000;
    for (;;) {
        const int64_t left = (deadline - clock->nowUs()) / 1000;
        if (left <= 0)
            return kSendRetriesExhausted;
        uint8_t r[64] = {};
        const int n = linkRead(handle, r, kReportSize, int(left));
        if (n < 0)
            return kSendRetriesExhausted;
        if (n >= 8 && r[1] == kStatusMark[0] && r[2] == kStatusMark[1] && r[3] == kStatusMark[2]) {
            reading.battery = r[4];
            reading.high = r[5];
            reading.dpiStage = r[6] & 0x0F;
            reading.rate = r[7];
            return kSendOk;
        }
    }
}
