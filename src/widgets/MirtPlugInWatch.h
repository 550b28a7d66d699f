#pragma once
// What a "Dongle Disconnect!" message box watches: the main window answers
// whether the settings have been reloaded after a device arrived.

class MirtPlugInWatch
{
public:
    virtual ~MirtPlugInWatch() = default;
    // Non-zero once a device is plugged in and ready (m_bDeviceReady).
    virtual int deviceReady() const = 0;
};
