#include "ProfileWriter.h"

#include "AppConfig.h"
#include "ButtonCatalogue.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "Log.h"
#include "MacroFile.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint8_t kDelayEvent[3] = {6, 1, 0}; // one delay unit
constexpr int kEventsPerDelay = 4;

using MacroFile::runsMacro;
} // namespace

WriteContext WriteContext::fromConfiguration()
{
    WriteContext c;
    c.layout.buttonCount = DeviceDescription::buttonCount();
    c.layout.matrix = ProfileStore::buttonMatrix();
    c.layout.scrollRev = DeviceDescription::scrollRev();
    c.layout.sensorModel = AppConfig::sensorModel();
    c.syncMode = DeviceDescription::syncMode();
    return c;
}

ProfileWriter::ProfileWriter(WriteContext context) : m_context(std::move(context))
{
    if (!m_context.send) {
        m_context.send = [](const Frame &f) { return SendCommand(f.data(), kFrameSize); };
    }
    if (!m_context.loadMacro) {
        m_context.loadMacro = [](const QString &name) -> std::optional<QVector<MacroEvent>> {
            QVector<MacroEvent> events;
            if (!MacroFile::libraryNames().contains(name) ||
                !MacroFile::loadEvents(name, events, kMacroEventsMax))
                return std::nullopt;
            return events;
        };
    }
    if (!m_context.factoryButton) {
        m_context.factoryButton = [factory = std::optional<ProfileData>()](int record) mutable {
            if (!factory) {
                factory.emplace();
                ProfileDefaults::buildDefaultProfile(*factory);
            }
            return factory->BUTTON_INFO[size_t(qBound(0, record, kButtonCount - 1))];
        };
    }
}

const QVector<MacroEvent> *ProfileWriter::macroEvents(const QString &name)
{
    auto it = m_macros.find(name);
    if (it == m_macros.end())
        it = m_macros.emplace(name, m_context.loadMacro(name)).first;
    return it->second ? &*it->second : nullptr;
}

void ProfileWriter::replaceMissingMacros(ProfileData &profile)
{
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonAssignment &b = profile.BUTTON_INFO[size_t(i)];
        if (!runsMacro(b.Fun) || macroEvents(b.macroname))
            continue;
        qCWarning(lcDevice,
                  "button record %d runs macro \"%s\", which is not in the macro library: "
                  "written with its factory function",
                  i, qPrintable(b.macroname));
        m_missing.append({i, b.macroname});
        b = MacroFile::withoutMacro(b, m_context.factoryButton(i));
    }
}

int ProfileWriter::send(const Frame &frame)
{
    return m_context.send(frame);
}

int ProfileWriter::WriteWholeProfile(const ProfileSet &set, int changeMask)
{
    if (m_context.stopPoller)
        m_context.stopPoller();
    m_image = set;
    m_changeMask = changeMask;
    m_macrosSkipped = false;
    m_missing.clear();
    m_macros.clear();
    // The profile the user has selected: the mouse stores it in its active profile.
    ProfileData &profile = m_image.current();
    // A button never runs an empty macro in place of one the library lacks.
    replaceMissingMacros(profile);

    int res = send(BlockFrame::beginWrite());
    if (res != kSendOk)
        return res;
    if ((res = send(BlockFrame::mode(profile))) != kSendOk)
        return res;
    if ((res = send(BlockFrame::sensor(m_image, profile, m_context.syncMode))) != kSendOk)
        return res;
    if ((res = send(BlockFrame::colourTable(profile))) != kSendOk)
        return res;

    m_macroIndex.clear();
    m_buttonTable.fill(0);
    buildButtonTable(m_buttonTable, profile, m_context.layout, m_macroIndex);
    for (const Frame &f : BlockFrame::buttons(m_buttonTable)) {
        if ((res = send(f)) != kSendOk)
            return res;
    }
    for (const Frame &f : BlockFrame::dpiStages(profile, m_context.layout.sensorModel)) {
        if ((res = send(f)) != kSendOk)
            return res;
    }
    if ((res = WriteMacros()) != kSendOk)
        return res;
    if ((res = send(BlockFrame::endWrite())) != kSendOk)
        return res;
    if (m_context.startPoller)
        m_context.startPoller();
    if (m_macrosSkipped)
        return kResultMacrosNotWritten;
    return m_missing.isEmpty() ? kSendOk : kResultMacroMissing;
}

int ProfileWriter::WriteMacros()
{
    m_macroArea.fill(0);
    for (const ProfileData &p : m_image.profiles) {
        for (const ButtonAssignment &b : p.BUTTON_INFO) {
            if (!runsMacro(b.Fun))
                continue;
            const int index = LookUpMacroIndex(m_macroIndex, b.macroname);
            if (index == -1)
                return kSendOk;
            if (index == 255)
                continue;
            if (index > kMacroSlots - 1) {
                LogLine(QStringLiteral("iIndex>=MAX_MACRO_NUMBER_560\n"));
                m_macrosSkipped = true;
                return kSendOk;
            }
            // Every name in the index map was checked by replaceMissingMacros().
            const QVector<MacroEvent> *events = macroEvents(b.macroname);
            if (!events)
                continue;
            PackMacro(events->mid(0, kMacroEventsMax), index);
        }
    }
    for (int n = 0; n < kMacroSlots; ++n) {
        const uint8_t *slot = macroSlot(n);
        if (std::all_of(slot, slot + 5, [](uint8_t b) { return b == 0; }))
            continue;
        for (int k = 0; k < kMacroBlocksPerSlot; ++k) {
            const int res = send(BlockFrame::macro(n, k, slot));
            if (res != kSendOk)
                return res;
        }
    }
    return kSendOk;
}

void ProfileWriter::PackMacro(const QVector<MacroEvent> &events, int index)
{
    if (index < 0 || index >= kMacroSlots)
        return;
    QByteArray s;
    auto append = [&s](uint8_t a, uint8_t b, uint8_t c) {
        s.append(char(a));
        s.append(char(b));
        s.append(char(c));
    };
    if (events.isEmpty()) {
        append(kDelayEvent[0], kDelayEvent[1], kDelayEvent[2]);
    } else {
        const bool ownDelays =
            std::any_of(events.begin(), events.end(), [](const MacroEvent &e) { return e.type == 6; });
        for (int i = 0; i < events.size(); ++i) {
            const MacroEvent &e = events.at(i);
            append(e.type, e.low, e.high); // on the wire: type, low, high
            if (!ownDelays && ((i + 1) % kEventsPerDelay == 0))
                append(kDelayEvent[0], kDelayEvent[1], kDelayEvent[2]);
        }
        if (!ownDelays)
            append(kDelayEvent[0], kDelayEvent[1], kDelayEvent[2]);
    }
    uint8_t *slot = m_macroArea.data() + kMacroSlotSize * index;
    std::memset(slot, 0, kMacroSlotSize);
    std::memcpy(slot, s.constData(), size_t(std::min<int>(s.size(), kMacroPackedMax)));
}

QVector<Frame> wholeWriteFrames(const ProfileSet &set, WriteContext context)
{
    QVector<Frame> frames;
    context.send = [&frames](const Frame &f) {
        frames.append(f);
        return int(kSendOk);
    };
    context.stopPoller = nullptr;
    context.startPoller = nullptr;
    ProfileWriter writer(std::move(context));
    writer.WriteWholeProfile(set, 15);
    return frames;
}
