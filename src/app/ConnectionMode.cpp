#include "ConnectionMode.h"

ConnectionView connectionViewFor(bool cableVendorFound, bool receiverVendorFound, bool charging)
{
    ConnectionView v;
    if (cableVendorFound && receiverVendorFound) {
        v.mode = 1;
        v.receiverShown = true;
        v.batteryBarShown = false;
    } else if (cableVendorFound) {
        v.mode = 0;
        v.receiverShown = false;
        v.batteryBarShown = false;
    } else if (receiverVendorFound && charging) {
        v.mode = 1;
        v.receiverShown = true;
        v.batteryBarShown = false;
    } else if (receiverVendorFound) {
        v.mode = 2;
        v.receiverShown = true;
        v.batteryBarShown = true;
    } else {
        v.mode = 3;
        v.receiverShown = false;
        v.batteryBarShown = true;
    }
    v.chargingFrame = v.mode <= 1;
    return v;
}
