#pragma once
// DeviceLink: the supported-device list, the four open handles and the one
// routine (SendCommand) that writes a command frame and verifies its echo.
// Free functions over module data, as the rest of the program expects.
// Every HID call goes through hidBackend(); every call that uses a handle
// holds the link's lock, so the status poller and a command never use one
// handle at the same moment and no handle is closed while in use.

#include "HidBackend.h"
#include "ProtocolConstants.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>

constexpr int kDeviceListCapacity = 200;
constexpr int kPathCapacity = 255;
constexpr int kNameCapacity = 256;

// Connection index of the found-flag pairs.
enum Connection
{
    kReceiver = 0,
    kCable = 1
};
// USB interface of each collection on Linux.
constexpr int kMouseInterface = 0;
constexpr int kVendorInterface = 2;

struct DeviceEntry
{
    int32_t receiverVendorId = 0;
    int32_t cableVendorId = 0;
    int32_t receiverProductId = 0;
    int32_t cableProductId = 0;
    int32_t receiverMinRelease = 0;
    int32_t cableMinRelease = 0;
    int32_t receiverMaxRelease = 0;
    int32_t cableMaxRelease = 0;
    int32_t receiverMouseUsage = 0;
    int32_t receiverMouseUsagePage = 0;
    int32_t receiverVendorUsage = 0;
    int32_t receiverVendorUsagePage = 0;
    int32_t cableMouseUsage = 0;
    int32_t cableMouseUsagePage = 0;
    int32_t cableVendorUsage = 0;
    int32_t cableVendorUsagePage = 0;
    char receiverMousePath[kPathCapacity] = {};
    char receiverVendorPath[kPathCapacity] = {};
    char cableMousePath[kPathCapacity] = {};
    char cableVendorPath[kPathCapacity] = {};
    int32_t receiverMouseFound = 0;
    int32_t cableMouseFound = 0;
    int32_t receiverVendorFound = 0;
    int32_t cableVendorFound = 0;
    char name[kNameCapacity] = {};

    // Found flags addressed by connection (kReceiver, kCable).
    int32_t &mouseFound(int connection)
    {
        return connection == kCable ? cableMouseFound : receiverMouseFound;
    }
    int32_t &vendorFound(int connection)
    {
        return connection == kCable ? cableVendorFound : receiverVendorFound;
    }
    bool complete(int connection) { return mouseFound(connection) == 1 && vendorFound(connection) == 1; }
};

struct DeviceList
{
    uint32_t count = 0;
    DeviceEntry entries[kDeviceListCapacity];
};

// The module's device list. Changed on the user-interface thread only, while
// the poller is stopped (scan, hot-plug).
DeviceList &deviceList();

// The link's lock: held by SendCommand, by each poller step and by
// OpenDevices/CloseDevices.
std::mutex &deviceLinkMutex();

// Zeroes the list and fills entry 0 with the built-in values; the name comes
// from "Mouse_List/0" of Config.ini.
void LoadDeviceList();
// Fills paths and found flags from the enumeration; -1 when hid_init fails.
int ScanDevices();
// Opens the complete connections; 1 after trying, 0 when hid_init fails or
// the list is empty. Closes any handle it is about to replace.
int OpenDevices();
// Closes the four handles (receiver mouse, receiver vendor, cable mouse, cable vendor).
void CloseDevices();
// hid_exit; once at shutdown after CloseDevices.
void ExitHid();
// Writes the 33-byte frame to the command handle (cable before receiver) and,
// where its byte 4 asks for it, verifies the echo. 0 sent, 1 no device,
// 2 retries exhausted, 4 write failed.
int SendCommand(const uint8_t *frame, int length);
// A job that talks to the mouse is stopped between frames, never by closing a
// handle under it: while the flag is set, SendCommand sends nothing more and
// returns 1 (no device), also from within its retries. Set from any thread.
void setLinkAborted(bool aborted);
bool linkAborted();
// One developer log line (Qt debug output).
void LogLine(const QString &text);
// Release number of the cable's vendor collection; 0 while no cable was seen.
uint32_t FirmwareRelease();

// Which handles are open (for status displays and tests), as of their last
// change: these never wait for a transaction that is under way.
bool receiverOpen();
bool cableOpen();
// True when a vendor handle is open for commands.
bool commandHandleOpen();

// Called with the link's lock held by the poller: the command handle (cable
// vendor, else receiver vendor) or nullptr.
HidDevice *commandHandleLocked();
// hid_write / hid_read_timeout on handle with tracing (caller holds the lock).
int linkWrite(HidDevice *handle, const uint8_t *data, size_t length);
int linkRead(HidDevice *handle, uint8_t *data, size_t length, int milliseconds);

// Receives every frame written (written = true, 33 bytes) and every report
// read (written = false, the bytes read). Installed by --trace; nullptr removes.
using FrameTraceHook = std::function<void(bool written, const uint8_t *data, int length)>;
void setFrameTraceHook(FrameTraceHook hook);

// Lower-case hex bytes separated by single spaces.
QString hexBytes(const uint8_t *data, int length);
