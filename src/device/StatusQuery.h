#pragma once
// One battery/status query outside the poller (stop the poller first, or let
// the link's lock serialise the two).

#include <cstdint>

struct StatusReading
{
    int battery = 0;  // report byte 4: charge level in percent
    int high = 0;     // report byte 5
    int dpiStage = 0; // low four bits of byte 6
    int rate = 0;     // byte 7: report-rate code
};

// Writes the battery query to the command handle and waits up to timeoutMs
// for a report marked AA FF DD (other reports are skipped). Returns 0 with
// reading filled, 1 without a device, 2 when no answer came, 4 when the
// write failed.
int queryStatus(StatusReading &reading, int timeoutMs = 600);
