#pragma once
// HidBackend over hidapi (the hidraw backend on Linux).

#include "HidBackend.h"

class HidapiBackend : public HidBackend
{
public:
    int init() override;
    QVector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice *openPath(const QByteArray &path) override;
    void close(HidDevice *device) override;
    int exit() override;
    int write(HidDevice *device, const uint8_t *data, size_t length) override;
    int readTimeout(HidDevice *device, uint8_t *data, size_t length, int milliseconds) override;
    QString error(HidDevice *device) override;
    bool permissionDenied(const QByteArray &path) override;
};
