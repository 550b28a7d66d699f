#pragma once
// How the mouse is connected, as the window shows it: derived from the found
// flags of the two vendor collections and the charging flag of the last
// battery report.

struct ConnectionView
{
    int mode = 3;               // 0 cable only, 1 receiver and cable (or charging), 2 receiver, 3 nothing
    bool receiverShown = false; // the receiver picture
    bool batteryBarShown = true;
    bool chargingFrame = false; // the frame for modes 0 and 1 ("bat2"), else "bat1"
};

ConnectionView connectionViewFor(bool cableVendorFound, bool receiverVendorFound, bool charging);
