// libudev, loaded when hot-plug is first watched (never with the simulated mouse).
#include "LazyLibrary.h"

#include <libudev.h>

namespace {
LazyLibrary libudev("libudev.so.1");
}

MOUSECFG_LAZY_FUNCTION(libudev, udev *, udev_new, (void), (), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev *, udev_unref, (udev * u), (u), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_list_entry *, udev_list_entry_get_next, (udev_list_entry * e), (e),
                       nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, const char *, udev_list_entry_get_name, (udev_list_entry * e), (e), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_device *, udev_device_unref, (udev_device * d), (d), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_device *, udev_device_new_from_syspath, (udev * u, const char *syspath),
                       (u, syspath), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_device *, udev_device_get_parent_with_subsystem_devtype,
                       (udev_device * d, const char *subsystem, const char *devtype), (d, subsystem, devtype),
                       nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, const char *, udev_device_get_syspath, (udev_device * d), (d), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, const char *, udev_device_get_devnode, (udev_device * d), (d), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, const char *, udev_device_get_action, (udev_device * d), (d), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, const char *, udev_device_get_property_value,
                       (udev_device * d, const char *key), (d, key), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, const char *, udev_device_get_sysattr_value,
                       (udev_device * d, const char *attr), (d, attr), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_monitor *, udev_monitor_new_from_netlink, (udev * u, const char *name),
                       (u, name), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_monitor *, udev_monitor_unref, (udev_monitor * m), (m), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, int, udev_monitor_enable_receiving, (udev_monitor * m), (m), -1)
MOUSECFG_LAZY_FUNCTION(libudev, int, udev_monitor_get_fd, (udev_monitor * m), (m), -1)
MOUSECFG_LAZY_FUNCTION(libudev, udev_device *, udev_monitor_receive_device, (udev_monitor * m), (m), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, int, udev_monitor_filter_add_match_subsystem_devtype,
                       (udev_monitor * m, const char *subsystem, const char *devtype),
                       (m, subsystem, devtype), -1)
MOUSECFG_LAZY_FUNCTION(libudev, udev_enumerate *, udev_enumerate_new, (udev * u), (u), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, udev_enumerate *, udev_enumerate_unref, (udev_enumerate * e), (e), nullptr)
MOUSECFG_LAZY_FUNCTION(libudev, int, udev_enumerate_add_match_subsystem,
                       (udev_enumerate * e, const char *subsystem), (e, subsystem), -1)
MOUSECFG_LAZY_FUNCTION(libudev, int, udev_enumerate_scan_devices, (udev_enumerate * e), (e), -1)
MOUSECFG_LAZY_FUNCTION(libudev, udev_list_entry *, udev_enumerate_get_list_entry, (udev_enumerate * e), (e),
                       nullptr)
