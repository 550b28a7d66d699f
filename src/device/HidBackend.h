#pragma once
// The seam between DeviceLink and the HID library: every HID call of the
// program goes through one HidBackend. The default is hidapi's hidraw
// backend; the simulated mouse is the other.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstddef>
#include <cstdint>

// One enumerated HID collection.
struct HidDeviceInfo
{
    QByteArray path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = -1; // USB interface, -1 when the bus has none
};

// An open device; each backend derives its own handle type.
struct HidDevice
{
    virtual ~HidDevice() = default;
};

class HidBackend
{
public:
    virtual ~HidBackend() = default;

    // 0 on success, -1 on failure (hid_init).
    virtual int init() = 0;
    // Every collection matching vendorId/productId (0 matches all); the
    // list is owned by the caller (hid_enumerate + hid_free_enumeration).
    virtual QVector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // nullptr on failure (hid_open_path).
    virtual HidDevice *openPath(const QByteArray &path) = 0;
    virtual void close(HidDevice *device) = 0;
    // 0 on success (hid_exit).
    virtual int exit() = 0;
    // Bytes written, or -1 (hid_write). data[0] is the report ID.
    virtual int write(HidDevice *device, const uint8_t *data, size_t length) = 0;
    // Bytes read, 0 on timeout, -1 on error (hid_read_timeout).
    virtual int readTimeout(HidDevice *device, uint8_t *data, size_t length, int milliseconds) = 0;
    // As readTimeout, and *arrivalUs is when the report arrived on the
    // protocol clock. The default stamps it when the read returns; a source
    // that knows better (the simulated mouse) gives its own time.
    virtual int readStamped(HidDevice *device, uint8_t *data, size_t length, int milliseconds,
                            int64_t *arrivalUs);
    // Text of the last error of device (or of the last open when device is nullptr).
    virtual QString error(HidDevice *device) = 0;
    // True when the node at path exists but this user may not open it.
    virtual bool permissionDenied(const QByteArray &path) = 0;
};

// The backend in use; hidapi's hidraw backend unless another was set.
HidBackend *hidBackend();
// Installs backend (not owned); nullptr restores the hidapi backend. Only while
// no device is open and no thread uses the link.
void setHidBackend(HidBackend *backend);
