#pragma once
// The whole write: every block of the current slot's profile between the
// begin and end blocks, and the download of the macros its buttons run into
// the mouse's twelve macro slots.

#include "CommandSet.h"

#include "ProfileTypes.h"

#include <QString>
#include <QVector>

#include <array>
#include <functional>
#include <map>
#include <optional>

// Everything the write needs besides the set; fromConfiguration() reads it
// from the device description and Config.ini, tests fill it themselves.
struct WriteContext
{
    ButtonTableLayout layout;
    int syncMode = 0;
    // The events of a library macro as the editor shows them (at most 84), or
    // nothing when NAME is not in the macro library or its file cannot be
    // read. Read from Configs unless replaced.
    std::function<std::optional<QVector<MacroEvent>>(const QString &name)> loadMacro;
    // The factory function of button record RECORD: what a button running a
    // macro that is not in the library is written with. The default profile's
    // unless replaced.
    std::function<ButtonAssignment(int record)> factoryButton;
    // Sends one frame; SendCommand unless replaced (frame listing, tests).
    std::function<int(const Frame &frame)> send;
    // Stops the status poller before the first frame (and waits for it).
    std::function<void()> stopPoller;
    // Starts it again after a complete write.
    std::function<void()> startPoller;

    static WriteContext fromConfiguration();
};

class ProfileWriter
{
public:
    explicit ProfileWriter(WriteContext context);

    // Sends the whole configuration of the set's current slot. Returns the
    // first SendCommand failure (1, 2, 4), kResultMacrosNotWritten when all
    // blocks went out but the macros did not fit into twelve slots,
    // kResultMacroMissing when a button's macro is not in the library (the
    // button got its factory function, see missingMacros()), else 0.
    // changeMask is recorded; every block is sent whatever it says.
    int WriteWholeProfile(const ProfileSet &set, int changeMask);
    // Packs and sends the macro slots; 0 also when it gives up (see macrosSkipped()).
    int WriteMacros();
    // Packs events into macro slot index (first 200 bytes of the stream).
    void PackMacro(const QVector<MacroEvent> &events, int index);

    const MacroIndexMap &macroIndexMap() const { return m_macroIndex; }
    const ButtonTable &buttonTable() const { return m_buttonTable; }
    const uint8_t *macroSlot(int index) const { return m_macroArea.data() + kMacroSlotSize * index; }
    bool macrosSkipped() const { return m_macrosSkipped; }
    // Buttons of the last write whose macro is not in the library.
    struct MissingMacro
    {
        int record = 0;
        QString name;
    };
    const QVector<MissingMacro> &missingMacros() const { return m_missing; }
    int lastChangeMask() const { return m_changeMask; }
    // The write image (the set as last sent by this writer, macro indexes in Res4).
    const ProfileSet &writeImage() const { return m_image; }

private:
    int send(const Frame &frame);
    // Gives every button of PROFILE whose macro cannot be sent its factory
    // function, and keeps the events of the others.
    void replaceMissingMacros(ProfileData &profile);
    const QVector<MacroEvent> *macroEvents(const QString &name);

    WriteContext m_context;
    ProfileSet m_image;
    MacroIndexMap m_macroIndex;
    ButtonTable m_buttonTable{};
    std::array<uint8_t, kMacroSlots * kMacroSlotSize> m_macroArea{};
    bool m_macrosSkipped = false;
    QVector<MissingMacro> m_missing;
    std::map<QString, std::optional<QVector<MacroEvent>>> m_macros; // by name, read once per write
    int m_changeMask = 0;
};

// The frames a whole write of set sends, computed without a device.
QVector<Frame> wholeWriteFrames(const ProfileSet &set, WriteContext context);
