// hidapi, loaded when the real mouse is first looked for (never for the simulated one).
#include "LazyLibrary.h"

#include <hidapi/hidapi.h>

namespace {
LazyLibrary hidapi("libhidapi-hidraw.so.0");
}

MOUSECFG_LAZY_FUNCTION(hidapi, int, hid_init, (void), (), -1)
MOUSECFG_LAZY_FUNCTION(hidapi, int, hid_exit, (void), (), 0)
MOUSECFG_LAZY_FUNCTION(hidapi, hid_device_info *, hid_enumerate,
                       (unsigned short vendor, unsigned short product), (vendor, product), nullptr)
MOUSECFG_LAZY_PROCEDURE(hidapi, hid_free_enumeration, (hid_device_info * devices), (devices))
MOUSECFG_LAZY_FUNCTION(hidapi, hid_device *, hid_open_path, (const char *path), (path), nullptr)
MOUSECFG_LAZY_FUNCTION(hidapi, int, hid_write,
                       (hid_device * device, const unsigned char *data, size_t length),
                       (device, data, length), -1)
MOUSECFG_LAZY_FUNCTION(hidapi, int, hid_read_timeout,
                       (hid_device * device, unsigned char *data, size_t length, int milliseconds),
                       (device, data, length, milliseconds), -1)
MOUSECFG_LAZY_PROCEDURE(hidapi, hid_close, (hid_device * device), (device))
MOUSECFG_LAZY_FUNCTION(hidapi, const wchar_t *, hid_error, (hid_device * device), (device),
                       L"the hidapi library (libhidapi-hidraw.so.0) could not be loaded")
