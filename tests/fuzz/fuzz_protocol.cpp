// The host side of the protocol fed arbitrary input reports: SendCommand's
// write-and-verify loop, the one-off status query and the battery poller,
// over a HID backend whose every read answer (report, timeout or error)
// comes from the fuzzer, on a virtual clock.
//
// Input: one byte choosing which collections enumerate and open, then a
// sequence of operations, each one byte followed by what it consumes; the
// backend takes its answers from the same stream as it is asked.

#include "CommandSet.h"
#include "DeviceLink.h"
#include "FuzzSupport.h"
#include "MirtGetBatteryThread.h"
#include "ProtocolClock.h"
#include "ShippedModel.h"
#include "StatusQuery.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cstring>

namespace {

// Reads the input front to back; past its end every byte is 0.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    size_t remaining() const { return m_size - m_pos; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // lo..hi from one byte, or two when the range needs them.
    int range(int lo, int hi)
    {
        const unsigned span = unsigned(hi - lo) + 1;
        unsigned v = byte();
        if (span > 256)
            v = v << 8 | byte();
        return lo + int(v % span);
    }
    size_t bytes(uint8_t *out, size_t n)
    {
        n = std::min(n, remaining());
        std::memcpy(out, m_data + m_pos, n);
        m_pos += n;
        return n;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

struct FuzzDevice : HidDevice
{
};

class FuzzBackend : public HidBackend
{
public:
    Input *in = nullptr;
    VirtualClock *clock = nullptr;
    uint8_t present = 0; // bit i: collection i enumerates; bit i+4: it opens
    uint8_t lastWrite[64] = {};
    size_t lastWriteLength = 0;
    int openDevices = 0;

    int init() override { return 0; }
    QVector<HidDeviceInfo> enumerate(uint16_t, uint16_t) override
    {
        static const struct
        {
            uint16_t pid;
            int iface;
            uint16_t page, usage;
            const char *path;
        } all[4] = {{kShippedReceiverPid, 0, 1, 2, "r0"},
                    {kShippedReceiverPid, 2, 0xFF00, 0xFF00, "r2"},
                    {kShippedCablePid, 0, 1, 2, "c0"},
                    {kShippedCablePid, 2, 0xFF00, 0xFF00, "c2"}};
        QVector<HidDeviceInfo> list;
        for (int i = 0; i < 4; ++i) {
            if (!(present & (1 << i)))
                continue;
            HidDeviceInfo d;
            d.path = all[i].path;
            d.vendorId = kShippedVendorId;
            d.productId = all[i].pid;
            d.interfaceNumber = all[i].iface;
            d.usagePage = all[i].page;
            d.usage = all[i].usage;
            list.append(d);
        }
        return list;
    }
    HidDevice *openPath(const QByteArray &path) override
    {
        const int i = (path.startsWith('c') ? 2 : 0) + (path.endsWith('2') ? 1 : 0);
        if (!(present & (0x10 << i)))
            return nullptr;
        ++openDevices;
        return new FuzzDevice;
    }
    void close(HidDevice *device) override
    {
        Fuzz::check(device != nullptr, "close of a null handle");
        --openDevices;
        delete device;
    }
    int exit() override { return 0; }
    int write(HidDevice *device, const uint8_t *data, size_t length) override
    {
        Fuzz::check(device != nullptr && length >= 1 && length <= sizeof lastWrite, "bad write");
        std::memcpy(lastWrite, data, length);
        lastWriteLength = length;
        return in->byte() == 0xFF ? -1 : int(length);
    }
    // 0: timeout (the time passes), 1: error, 2: the echo of the last write
    // with one byte changed, 3: the echo, else a report of fuzzer bytes.
    int readTimeout(HidDevice *device, uint8_t *data, size_t length, int milliseconds) override
    {
        Fuzz::check(device != nullptr && length > 0, "bad read");
        if (in->remaining() == 0)
            return -1;
        const uint8_t kind = in->byte() % 8;
        switch (kind) {
        case 0:
            clock->advanceUs(int64_t(std::max(milliseconds, 0)) * 1000);
            return 0;
        case 1:
            return -1;
        case 2:
        case 3: {
            const size_t n = std::min(length, lastWriteLength > 0 ? lastWriteLength - 1 : 0);
            std::memcpy(data, lastWrite + 1, n);
            if (kind == 2 && n > 0)
                data[in->range(0, int(n) - 1)] ^= in->byte();
            return int(n);
        }
        default: {
            const size_t n = size_t(in->range(1, int(std::min<size_t>(length, 256))));
            in->bytes(data, n);
            return int(n);
        }
        }
    }
    QString error(HidDevice *) override { return QStringLiteral("fuzz"); }
    bool permissionDenied(const QByteArray &) override { return false; }
};

FuzzBackend g_backend;
VirtualClock *g_clock = nullptr;

// Calls the poller's loop on this thread.
class Poller : public MirtGetBatteryThread
{
public:
    using MirtGetBatteryThread::run;
};

Frame frameFrom(Input &in)
{
    switch (in.byte() % 6) {
    case 0:
        return BlockFrame::beginWrite();
    case 1:
        return BlockFrame::endWrite();
    case 2:
        return BlockFrame::batteryQuery();
    case 3:
        return ControlFrame::selectProfile(in.range(0, 4));
    case 4:
        return ControlFrame::reload(in.byte());
    default: {
        Frame f{};
        in.bytes(f.data(), f.size());
        return f;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    // The frame dumps are part of the code under test; their text goes nowhere.
    QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.device.debug=true"));
    g_clock = new VirtualClock;
    setProtocolClock(g_clock);
    g_backend.clock = g_clock;
    setHidBackend(&g_backend);
    LoadDeviceList();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    g_backend.in = &in;
    g_backend.present = in.byte();
    LoadDeviceList();
    ScanDevices();
    OpenDevices();

    while (in.remaining() > 0) {
        const int64_t start = g_clock->nowUs();
        switch (in.byte() % 3) {
        case 0: {
            uint8_t frame[64] = {};
            const Frame f = frameFrom(in);
            std::copy(f.begin(), f.end(), frame);
            const int r = SendCommand(frame, in.range(-2, kFrameSize + 2));
            Fuzz::check(r == kSendOk || r == kSendNoDevice || r == kSendRetriesExhausted ||
                            r == kSendWriteFailed,
                        "SendCommand result out of its set");
            Fuzz::check(r != kSendNoDevice || !commandHandleOpen(), "no device reported with a handle open");
            break;
        }
        case 1: {
            StatusReading reading;
            const int timeout = in.range(-10, 2000);
            const int r = queryStatus(reading, timeout);
            Fuzz::check(r == kSendOk || r == kSendNoDevice || r == kSendRetriesExhausted ||
                            r == kSendWriteFailed,
                        "queryStatus result out of its set");
            Fuzz::check(reading.dpiStage >= 0 && reading.dpiStage <= 15, "DPI stage out of range");
            Fuzz::check(g_clock->nowUs() - start <= int64_t(std::max(timeout, 0)) * 1000,
                        "queryStatus waited past its timeout");
            break;
        }
        default: {
            // Runs until the reports run out (ten failed reads) or the handle is gone.
            Poller poller;
            QObject::connect(&poller, &MirtGetBatteryThread::RefreshStatus,
                             [](quint8 profile, quint8 dpi, quint8, quint8) {
                                 Fuzz::check(profile == kProfileUnknown && dpi <= 15, "bad status signal");
                             });
            poller.run();
            break;
        }
        }
    }
    CloseDevices();
    Fuzz::check(g_backend.openDevices == 0, "a handle was left open");
    return 0;
}
