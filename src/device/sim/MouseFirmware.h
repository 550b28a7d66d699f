#pragma once
// A model of the mouse's firmware, independent of any transport: one 32-byte
// output report in, the input reports it answers with out. It keeps five
// profiles of settings and twelve macro slots, checks block checksums,
// commits the blocks received between the begin and end blocks into its
// active profile, switches and reloads profiles, answers the battery query
// and sends status reports when its own DPI or rate button is pressed.
// No timers, no threads: the same class runs behind the in-process simulated
// backend and on the device side of a USB gadget.

#include "ProtocolConstants.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

class MouseFirmware
{
public:
    static constexpr int kProfiles = 5;
    static constexpr int kBlockCodes = 10; // settings blocks 0x01..0x09 by code
    using Block = std::array<uint8_t, kBlockPayloadSize>;
    using MacroSlot = std::array<uint8_t, kMacroSlotSize>;

    struct ProfileMemory
    {
        std::array<Block, kBlockCodes> blocks{}; // index = block code; 0 and 3 unused
        bool operator==(const ProfileMemory &o) const { return blocks == o.blocks; }
    };

    struct Stats
    {
        int reports = 0;        // output reports handled
        int checksumErrors = 0; // blocks refused for a bad checksum
        int commits = 0;        // end blocks that committed a write
        int strayBlocks = 0;    // settings blocks outside a write (ignored)
        int unknownReports = 0; // reports of no known kind
    };

    MouseFirmware();

    // Back to the factory state.
    void reset();

    // One output report (without its report ID); returns the answers in order.
    QVector<Report> handleOutputReport(const uint8_t *report, int length);

    // The mouse's own buttons: next DPI stage / next report rate; return the
    // status report the mouse sends by itself.
    QVector<Report> pressDpiButton();
    QVector<Report> pressRateButton();

    // The link to the host dropped: a write in progress is abandoned.
    void abandonWrite();

    void setBatteryLevel(int percent);
    void setCharging(bool charging);
    int batteryLevel() const { return m_battery; }
    bool charging() const { return m_charging; }
    int activeProfile() const { return m_active; }
    int dpiStage() const { return m_dpiStage; }
    int reportRate() const { return m_rate; }
    // The report rate in Hz: of the mouse's current code, or of CODE (0 for
    // a code the mouse does not know).
    int reportRateHz() const { return rateHzOfCode(m_rate); }
    static int rateHzOfCode(int code);
    // A motion report of the mouse collection (buttons, X, Y, wheel), moving
    // by one count along a small circle; STEP numbers the reports.
    static QByteArray motionReport(uint32_t step);
    bool inWrite() const { return m_inWrite; }
    const Stats &stats() const { return m_stats; }

    const ProfileMemory &profile(int index) const;
    const Block &block(int profile, int code) const;
    const MacroSlot &macroSlot(int index) const;

    // The battery/status report: code, AA FF DD, level, charging,
    // active profile << 4 | DPI stage, rate code.
    Report statusReport() const;

    // Memory and state in an INI file ("simulated-mouse.ini"). Loading a
    // missing file keeps the factory state and returns true; a malformed
    // file is refused (false, errorText) and the state stays as it was.
    bool saveToIni(const QString &path, QString *errorText = nullptr) const;
    bool loadFromIni(const QString &path, QString *errorText = nullptr);

    // What the mouse holds, decoded, for "sim-show".
    QJsonObject toJson() const;

    // True when the report is answered by an echo (byte 3 of the report at
    // most 10, or a control opcode 0x40/0x46).
    static bool echoes(const uint8_t *report);

private:
    void refreshLiveState();
    Report echoOf(const uint8_t *report) const;

    std::array<ProfileMemory, kProfiles> m_profiles{};
    std::array<MacroSlot, kMacroSlots> m_macros{};
    // What an open write has received so far.
    ProfileMemory m_stagedProfile{};
    std::array<MacroSlot, kMacroSlots> m_stagedMacros{};
    bool m_inWrite = false;

    int m_active = 0;
    int m_dpiStage = 0;
    int m_rate = 1;
    int m_battery = 85;
    bool m_charging = false;
    Stats m_stats;
};
