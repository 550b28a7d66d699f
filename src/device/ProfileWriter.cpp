#include "ProfileWriter.h"

#include "AppConfig.h"
#include "ButtonCatalogue.h"
#include "DeviceDescription.h"
#include "DeviceLink.h"
#include "MacroFile.h"
#include "ProfileStore.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint8_t kDelayEvent[3] = {6, 1, 0}; // one delay unit
constexpr int kEventsPerDelay = 4;
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
        m_context.loadMacro = [](const QString &name) {
            QVector<MacroEvent> events;
            MacroFile::loadRawEvents(name, events, kMacroEventsMax);
            return events;
        };
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
    // The profile the user has selected: the mouse stores it in its active profile.
    ProfileData &profile = m_image.current();

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
    return m_macrosSkipped ? kResultMacrosNotWritten : kSendOk;
}

int ProfileWriter::WriteMacros()
{
    m_macroArea.fill(0);
    for (const ProfileData &p : m_image.profiles) {
        for (const ButtonAssignment &b : p.BUTTON_INFO) {
            if (b.Fun != ButtonCatalogue::kFunMacro && b.Fun != ButtonCatalogue::kFunGunFile)
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
            QVector<MacroEvent> events = m_context.loadMacro(b.macroname);
            if (events.size() > kMacroEventsMax)
                events.resize(kMacroEventsMax);
            PackMacro(events, index);
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
