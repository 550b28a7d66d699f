#pragma once
// Whether a found collection can be opened, and if not, why: for the device
// list of the command line and the window's "cannot open" notice.

#include <QByteArray>
#include <QString>

// Name of the udev rule that gives the logged-in user access to the mouse.
QString udevRuleName();

struct OpenProbe
{
    bool opened = false;
    bool permissionDenied = false; // the node exists but this user may not open it
    QString text;                  // one line for the user
};

// Opens path through the HID backend and closes it again.
OpenProbe probeOpen(const QByteArray &path);
