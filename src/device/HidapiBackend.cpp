#include "HidapiBackend.h"

#include "ProtocolClock.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <unistd.h>

namespace {

struct HidapiDevice : HidDevice
{
    hid_device *handle = nullptr;
};

hid_device *raw(HidDevice *device)
{
    auto *d = static_cast<HidapiDevice *>(device);
    return d ? d->handle : nullptr;
}

HidapiBackend g_hidapiBackend;
HidBackend *g_backend = &g_hidapiBackend;

} // namespace

HidBackend *hidBackend()
{
    return g_backend;
}
void setHidBackend(HidBackend *backend)
{
    g_backend = backend ? backend : &g_hidapiBackend;
}

int HidBackend::readStamped(HidDevice *device, uint8_t *data, size_t length, int milliseconds,
                            int64_t *arrivalUs)
{
    const int n = readTimeout(device, data, length, milliseconds);
    if (arrivalUs)
        *arrivalUs = protocolClock()->nowUs();
    return n;
}

int HidapiBackend::init()
{
    return hid_init() == 0 ? 0 : -1;
}

QVector<HidDeviceInfo> HidapiBackend::enumerate(uint16_t vendorId, uint16_t productId)
{
    QVector<HidDeviceInfo> list;
    hid_device_info *all = hid_enumerate(vendorId, productId);
    for (hid_device_info *d = all; d; d = d->next) {
        HidDeviceInfo info;
        info.path = QByteArray(d->path ? d->path : "");
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.releaseNumber = d->release_number;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        info.interfaceNumber = d->interface_number;
        list.append(info);
    }
    hid_free_enumeration(all);
    return list;
}

HidDevice *HidapiBackend::openPath(const QByteArray &path)
{
    hid_device *h = hid_open_path(path.constData());
    if (!h)
        return nullptr;
    auto *d = new HidapiDevice;
    d->handle = h;
    return d;
}

void HidapiBackend::close(HidDevice *device)
{
    if (!device)
        return;
    hid_close(raw(device));
    delete device;
}

int HidapiBackend::exit()
{
    return hid_exit();
}

int HidapiBackend::write(HidDevice *device, const uint8_t *data, size_t length)
{
    return hid_write(raw(device), data, length);
}

int HidapiBackend::readTimeout(HidDevice *device, uint8_t *data, size_t length, int milliseconds)
{
    return hid_read_timeout(raw(device), data, length, milliseconds);
}

QString HidapiBackend::error(HidDevice *device)
{
    const wchar_t *text = hid_error(raw(device));
    return text ? QString::fromWCharArray(text) : QString();
}

bool HidapiBackend::permissionDenied(const QByteArray &path)
{
    if (path.isEmpty())
        return false;
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return false;
    return errno == EACCES || errno == EPERM;
}
