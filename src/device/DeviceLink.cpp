#include "DeviceLink.h"

#include "AppConfig.h"
#include "Log.h"
#include "ProtocolClock.h"
#include "ShippedModel.h"

#include <QDebug>
#include <QLoggingCategory>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

DeviceList g_deviceList;
std::mutex g_linkMutex;

// The four handles; read and changed only with g_linkMutex held.
HidDevice *hReceiverMouse = nullptr;
HidDevice *hReceiverVendor = nullptr;
HidDevice *hCableMouse = nullptr;
HidDevice *hCableVendor = nullptr;
// Whether the vendor handles are open, as of their last change: read without
// the lock, so that the window never waits for a transaction in flight (a
// mouse that does not answer holds the lock until the read times out).
std::atomic<bool> g_receiverOpen{false};
std::atomic<bool> g_cableOpen{false};

// After any change of the handles, with g_linkMutex held.
void publishHandles()
{
    g_receiverOpen.store(hReceiverVendor != nullptr);
    g_cableOpen.store(hCableVendor != nullptr);
}

std::atomic<uint32_t> g_firmwareRelease{0};
std::atomic<bool> g_aborted{false};
FrameTraceHook g_traceHook;

constexpr int kMouseUsagePage = 1;
constexpr int kMouseUsage = 2;
constexpr int kVendorUsagePage = 0xFF00;
constexpr int kVendorUsage = 0xFF00;

bool debugEnabled()
{
    return lcDevice().isDebugEnabled();
}

bool releaseOk(int32_t minRelease, int32_t maxRelease, uint16_t release)
{
    return maxRelease == 0 || (minRelease <= release && release <= maxRelease);
}

// On Linux one hidraw node serves a whole USB interface: the collection must
// come from the interface that carries it (or from a bus without interfaces).
bool interfaceOk(const HidDeviceInfo &d, int expected)
{
    return d.interfaceNumber < 0 || d.interfaceNumber == expected;
}

void copyPath(char *dest, const QByteArray &path)
{
    const int n = std::min<int>(path.size(), kPathCapacity - 1);
    std::memset(dest, 0, kPathCapacity);
    std::memcpy(dest, path.constData(), size_t(n));
}

void logBytes(const char *prefix, int length, const uint8_t *bytes)
{
    if (!debugEnabled())
        return;
    QString line = QString::asprintf("%s length=%d data=%02x", prefix, length, bytes[0]);
    for (int i = 1; i < 33; ++i)
        line += QString::asprintf(" %02x", bytes[i]);
    LogLine(line);
}

void closeHandle(HidDevice *&h)
{
    if (h) {
        hidBackend()->close(h);
        h = nullptr;
    }
}

} // namespace

DeviceList &deviceList()
{
    return g_deviceList;
}
std::mutex &deviceLinkMutex()
{
    return g_linkMutex;
}

void LogLine(const QString &text)
{
    if (debugEnabled())
        qCDebug(lcDevice).noquote() << text;
}

uint32_t FirmwareRelease()
{
    return g_firmwareRelease.load();
}

void LoadDeviceList()
{
    // Only entries below the count are ever used: clearing those is enough
    // (the rest of the 200 stay untouched, and unpaged, from the start).
    const uint32_t used = std::clamp<uint32_t>(g_deviceList.count, 1, kDeviceListCapacity);
    for (uint32_t i = 0; i < used; ++i)
        g_deviceList.entries[i] = DeviceEntry();
    g_deviceList.count = 1;
    DeviceEntry &e = g_deviceList.entries[0];
    e.receiverVendorId = kShippedVendorId;
    e.cableVendorId = kShippedVendorId;
    e.receiverProductId = kShippedReceiverPid;
    e.cableProductId = kShippedCablePid;
    e.receiverMouseUsage = kMouseUsage;
    e.receiverMouseUsagePage = kMouseUsagePage;
    e.receiverVendorUsage = kVendorUsage;
    e.receiverVendorUsagePage = kVendorUsagePage;
    e.cableMouseUsage = kMouseUsage;
    e.cableMouseUsagePage = kMouseUsagePage;
    e.cableVendorUsage = kVendorUsage;
    e.cableVendorUsagePage = kVendorUsagePage;
    const QByteArray name = AppConfig::mouseListName().toLatin1().left(kNameCapacity - 1);
    std::memcpy(e.name, name.constData(), size_t(name.size()));
}

int ScanDevices()
{
    HidBackend *backend = hidBackend();
    if (backend->init() != 0)
        return -1;
    const QVector<HidDeviceInfo> all = backend->enumerate(0, 0);
    const uint32_t count = std::min<uint32_t>(g_deviceList.count, kDeviceListCapacity);
    for (const HidDeviceInfo &d : all) {
        for (uint32_t i = 0; i < count; ++i) {
            DeviceEntry &e = g_deviceList.entries[i];
            if (d.vendorId == e.receiverVendorId && d.productId == e.receiverProductId) {
                const bool rel = releaseOk(e.receiverMinRelease, e.receiverMaxRelease, d.releaseNumber);
                if (d.usage == e.receiverMouseUsage && d.usagePage == e.receiverMouseUsagePage && rel &&
                    interfaceOk(d, kMouseInterface)) {
                    copyPath(e.receiverMousePath, d.path);
                    LogLine(QStringLiteral("1 %1\n").arg(QString::fromLatin1(e.receiverMousePath)));
                    e.receiverMouseFound = 1;
                }
                if (d.usage == e.receiverVendorUsage && d.usagePage == e.receiverVendorUsagePage && rel &&
                    interfaceOk(d, kVendorInterface)) {
                    copyPath(e.receiverVendorPath, d.path);
                    LogLine(QStringLiteral("2 %1\n").arg(QString::fromLatin1(e.receiverVendorPath)));
                    e.receiverVendorFound = 1;
                }
            }
            if (d.vendorId == e.cableVendorId && d.productId == e.cableProductId) {
                const bool rel = releaseOk(e.cableMinRelease, e.cableMaxRelease, d.releaseNumber);
                if (d.usage == e.cableMouseUsage && d.usagePage == e.cableMouseUsagePage && rel &&
                    interfaceOk(d, kMouseInterface)) {
                    copyPath(e.cableMousePath, d.path);
                    LogLine(QStringLiteral("3 %1\n").arg(QString::fromLatin1(e.cableMousePath)));
                    e.cableMouseFound = 1;
                }
                if (d.usage == e.cableVendorUsage && d.usagePage == e.cableVendorUsagePage && rel &&
                    interfaceOk(d, kVendorInterface)) {
                    copyPath(e.cableVendorPath, d.path);
                    LogLine(QStringLiteral("4 %1\n").arg(QString::fromLatin1(e.cableVendorPath)));
                    e.cableVendorFound = 1;
                    g_firmwareRelease.store(d.releaseNumber);
                }
            }
        }
    }
    return 0;
}

int OpenDevices()
{
    HidBackend *backend = hidBackend();
    if (backend->init() != 0)
        return 0;
    if (g_deviceList.count == 0)
        return 0;
    std::lock_guard<std::mutex> lock(g_linkMutex);
    const uint32_t count = std::min<uint32_t>(g_deviceList.count, kDeviceListCapacity);
    for (uint32_t i = 0; i < count; ++i) {
        DeviceEntry &e = g_deviceList.entries[i];
        if (e.receiverMouseFound == 1 && e.receiverVendorFound == 1) {
            closeHandle(hReceiverMouse);
            closeHandle(hReceiverVendor);
            hReceiverMouse = backend->openPath(QByteArray(e.receiverMousePath));
            hReceiverVendor = backend->openPath(QByteArray(e.receiverVendorPath));
        }
        if (e.cableMouseFound == 1 && e.cableVendorFound == 1) {
            closeHandle(hCableMouse);
            closeHandle(hCableVendor);
            hCableMouse = backend->openPath(QByteArray(e.cableMousePath));
            hCableVendor = backend->openPath(QByteArray(e.cableVendorPath));
        }
    }
    publishHandles();
    return 1;
}

void CloseDevices()
{
    std::lock_guard<std::mutex> lock(g_linkMutex);
    closeHandle(hReceiverMouse);
    closeHandle(hReceiverVendor);
    closeHandle(hCableMouse);
    closeHandle(hCableVendor);
    publishHandles();
}

void ExitHid()
{
    hidBackend()->exit();
}

bool receiverOpen()
{
    return g_receiverOpen.load();
}

bool cableOpen()
{
    return g_cableOpen.load();
}

bool commandHandleOpen()
{
    return g_cableOpen.load() || g_receiverOpen.load();
}

HidDevice *commandHandleLocked()
{
    return hCableVendor ? hCableVendor : hReceiverVendor;
}

void setFrameTraceHook(FrameTraceHook hook)
{
    g_traceHook = std::move(hook);
}

int linkWrite(HidDevice *handle, const uint8_t *data, size_t length)
{
    if (g_traceHook)
        g_traceHook(true, data, int(length));
    return hidBackend()->write(handle, data, length);
}

int linkRead(HidDevice *handle, uint8_t *data, size_t length, int milliseconds)
{
    const int n = hidBackend()->readTimeout(handle, data, length, milliseconds);
    if (n > 0 && g_traceHook)
        g_traceHook(false, data, std::min<int>(n, int(length)));
    return n;
}

QString hexBytes(const uint8_t *data, int length)
{
    QString out;
    out.reserve(length * 3);
    for (int i = 0; i < length; ++i) {
        if (i)
            out += QLatin1Char(' ');
        out += QString::asprintf("%02x", data[i]);
    }
    return out;
}

void setLinkAborted(bool aborted)
{
    g_aborted.store(aborted);
}

bool linkAborted()
{
    return g_aborted.load();
}

int SendCommand(const uint8_t *frame, int length)
{
    LogLine(QStringLiteral("start--------------------------------------"));
    std::lock_guard<std::mutex> lock(g_linkMutex);
    HidDevice *handle = commandHandleLocked();
    if (!handle || !frame || g_aborted.load()) {
        LogLine(QStringLiteral("no device--------------------------------------"));
        LogLine(QStringLiteral(" "));
        LogLine(QStringLiteral(" "));
        return kSendNoDevice;
    }
    ProtocolClock *clock = protocolClock();
    uint8_t W[64] = {};
    uint8_t R[64] = {};
    std::memcpy(W, frame, size_t(std::clamp(length, 0, kFrameSize)));
    int readFails = 0, checkFails = 0, allZero = 0, rewrites = 0;
    bool checkFailedOnce = false;
    bool answered = false; // a report (not a timeout) arrived during this call
    const bool verified = !(W[4] > kVerifyLimit && W[4] != kOpControl && W[4] != kOpVerifiedExtra);

    enum Step
    {
        Write,
        Read,
        CheckFail,
        Success
    } step = Write;
    for (;;) {
        switch (step) {
        case Write: {
            if (g_aborted.load()) {
                LogLine(QStringLiteral("aborted--------------------------------------"));
                return kSendNoDevice;
            }
            const int res = linkWrite(handle, W, kFrameSize);
            logBytes("hid_write", kFrameSize, W + 1);
            if (res < 0) {
                LogLine(QStringLiteral("Unable to send a feature report.\n"));
                LogLine(QStringLiteral("hid_write fail--------------------------------------"));
                LogLine(QStringLiteral(" "));
                LogLine(QStringLiteral(" "));
                return kSendWriteFailed;
            }
            clock->sleepMs(kPostWriteMs);
            step = verified ? Read : Success;
            break;
        }
        case Read: {
            if (g_aborted.load()) {
                LogLine(QStringLiteral("aborted--------------------------------------"));
                return kSendNoDevice;
            }
            LogLine(QStringLiteral("hid_read start"));
            // A timeout must not leave an earlier answer in the buffer.
            std::memset(R, 0, sizeof R);
            const int n = linkRead(handle, R + 1, kFrameSize, kReadTimeoutMs);
            if (n < 0) {
                LogLine(QStringLiteral("hid_read start read fail %1").arg(readFails));
                ++readFails;
                if (readFails > kMaxReadFails) {
                    LogLine(QStringLiteral("write fail %1").arg(rewrites));
                    ++rewrites;
                    if (rewrites > kMaxRewrites) {
                        LogLine(QStringLiteral("multi rewrite fail--------------------------------------"));
                        LogLine(QStringLiteral(" "));
                        LogLine(QStringLiteral(" "));
                        return kSendRetriesExhausted;
                    }
                    LogLine(QStringLiteral("re write"));
                    step = Write;
                } else {
                    clock->sleepMs(kReReadMs);
                    LogLine(QStringLiteral("re read"));
                }
                break;
            }
            logBytes("hid_read", n, R + 1);
            if (n > 0)
                answered = true;
            bool zero = true;
            for (int i = 1; i <= 8; ++i)
                zero = zero && R[i] == 0;
            if (zero) {
                ++allZero;
                if (allZero <= kMaxAllZero) {
                    LogLine(QStringLiteral("all 0, jump re write "));
                    step = Write;
                    break;
                }
                LogLine(QStringLiteral("multi all 0, go back--------------------------------------"));
                if (checkFailedOnce) {
                    step = CheckFail;
                } else if (answered) {
                    step = Success;
                } else {
                    // Only timeouts: the mouse never answered, so nothing says the frame arrived.
                    LogLine(QStringLiteral("no answer--------------------------------------"));
                    LogLine(QStringLiteral(" "));
                    LogLine(QStringLiteral(" "));
                    return kSendRetriesExhausted;
                }
                break;
            }
            step = std::memcmp(R + 1, W + 1, kReportSize) == 0 ? Success : CheckFail;
            break;
        }
        case CheckFail:
            ++checkFails;
            if (checkFails > kMaxCheckFails) {
                ++rewrites;
                if (rewrites > kMaxRewrites) {
                    LogLine(QStringLiteral(
                        "multi command check fail, go back--------------------------------------"));
                    LogLine(QStringLiteral(" "));
                    LogLine(QStringLiteral(" "));
                    return kSendRetriesExhausted;
                }
                LogLine(QStringLiteral("command check fail, re write %1").arg(rewrites));
                checkFailedOnce = true;
                allZero = 0;
                step = Write;
            } else {
                clock->sleepMs(kReReadMs);
                LogLine(QStringLiteral("command check fail, re read %1").arg(rewrites));
                checkFailedOnce = true;
                allZero = 0;
                step = Read;
            }
            break;
        case Success:
            LogLine(QStringLiteral("send success--------------------------------------"));
            LogLine(QStringLiteral(" "));
            LogLine(QStringLiteral(" "));
            return kSendOk;
        }
    }
}
