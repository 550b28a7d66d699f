// The whole write: frame sequences, macro slots and packing, failures, and
// the worker's steps with the change mask, "Config/Diff" and the last-sent copy.

#include "AppConfig.h"
#include "ButtonCatalogue.h"
#include "DeviceTestSupport.h"
#include "MacroFile.h"
#include "ProfileStore.h"
#include "ProfileWriter.h"
#include "WholeWrite.h"

#include <QtTest>

#include <map>

namespace {

QVector<MacroEvent> keyEvents(int n, uint8_t first = 4)
{
    QVector<MacroEvent> events;
    for (int i = 0; i < n; ++i)
        events.append(MacroEvent{uint8_t(i % 2 ? 4 : 132), 0, uint8_t(first + i / 2)});
    return events;
}

WriteContext context(std::map<QString, QVector<MacroEvent>> macros = {})
{
    WriteContext c;
    c.layout.buttonCount = 8;
    for (int i = 0; i < 16; ++i)
        c.layout.matrix[size_t(i)] = uint8_t(i);
    c.layout.sensorModel = 3395;
    c.loadMacro = [macros](const QString &name) -> std::optional<QVector<MacroEvent>> {
        const auto it = macros.find(name);
        if (it == macros.end())
            return std::nullopt;
        return it->second;
    };
    return c;
}

QVector<int> codes(const QVector<Frame> &frames)
{
    QVector<int> out;
    for (const Frame &f : frames)
        out.append(f[1]);
    return out;
}

void setMacro(ButtonAssignment &b, const QString &name)
{
    b.Fun = 200;
    b.macroname = name;
    b.LoopNumber = 1;
}

} // namespace

class TestProfileWriter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietDeviceLog(); }

    void tenFramesWithoutMacros()
    {
        ProfileSet set = sampleSet();
        const QVector<Frame> frames = wholeWriteFrames(set, context());
        QCOMPARE(codes(frames), (QVector<int>{0x00, 0x01, 0x02, 0x04, 0x07, 0x08, 0x09, 0x05, 0x06, 0x00}));
        QCOMPARE(int(frames.first()[2]), 0xAA);
        QCOMPARE(int(frames.last()[2]), 0xCC);
    }

    void sendsTheCurrentSlot()
    {
        ProfileSet set = sampleSet();
        set.ProfileID = 2;
        set.profiles[2].dpi = 5;
        set.profiles[2].pollrate = 8;
        const QVector<Frame> frames = wholeWriteFrames(set, context());
        QCOMPARE(frames[1], BlockFrame::mode(set.profiles[2]));
        QCOMPARE(frames[3], BlockFrame::colourTable(set.profiles[2]));
    }

    void sharedAndSecondMacroSlots()
    {
        ProfileSet set = sampleSet();
        setMacro(set.profiles[0].BUTTON_INFO[0], QStringLiteral("jump"));
        setMacro(set.profiles[0].BUTTON_INFO[3], QStringLiteral("jump"));
        setMacro(set.profiles[0].BUTTON_INFO[5], QStringLiteral("crouch"));
        setMacro(set.profiles[2].BUTTON_INFO[1], QStringLiteral("jump"));      // same slot as profile 0's
        setMacro(set.profiles[3].BUTTON_INFO[1], QStringLiteral("elsewhere")); // not used by the sent profile
        WriteContext c =
            context({{QStringLiteral("jump"), keyEvents(2)}, {QStringLiteral("crouch"), keyEvents(3)}});
        QVector<Frame> frames;
        c.send = [&frames](const Frame &f) {
            frames.append(f);
            return 0;
        };
        ProfileWriter writer(c);
        QCOMPARE(writer.WriteWholeProfile(set, 15), int(kSendOk));
        QVector<int> expected{0x00, 0x01, 0x02, 0x04, 0x07, 0x08, 0x09, 0x05, 0x06};
        for (int code = 0x10; code <= 0x21; ++code)
            expected.append(code);
        expected.append(0x00);
        QCOMPARE(codes(frames), expected);
        QCOMPARE(writer.macroIndexMap().size(), size_t(2));
        QCOMPARE(int(writer.writeImage().profiles[0].BUTTON_INFO[3].Res4), 0);
        QCOMPARE(int(writer.writeImage().profiles[0].BUTTON_INFO[5].Res4), 1);
        // Slot 0: two events with their delay; blocks carry 30 bytes each, the last 16.
        QCOMPARE(hexBytes(frames[9].data() + 2, 9), QStringLiteral("84 04 00 04 04 00 06 01 00"));
        QCOMPARE(hexBytes(frames[18].data() + 2, 9), QStringLiteral("84 04 00 04 04 00 84 05 00"));
        QCOMPARE(int(frames[17][18]), 0); // block 8 of slot 0 carries bytes 240..255 only
        // The button records name the slots.
        QCOMPARE(hexBytes(writer.buttonTable().data(), 4), QStringLiteral("91 00 01 00"));
        QCOMPARE(hexBytes(writer.buttonTable().data() + 20, 4), QStringLiteral("91 01 01 00"));
    }

    void thirteenthMacro()
    {
        ProfileSet set = sampleSet();
        std::map<QString, QVector<MacroEvent>> macros;
        for (int b = 0; b < 16; ++b)
            macros[QStringLiteral("m%1").arg(b)] = keyEvents(2);
        for (int b = 0; b < 8; ++b)
            setMacro(set.profiles[0].BUTTON_INFO[size_t(b)], QStringLiteral("m%1").arg(b));
        WriteContext c = context(macros);
        c.layout.buttonCount = 16;
        for (int b = 8; b < 16; ++b)
            setMacro(set.profiles[0].BUTTON_INFO[size_t(b)], QStringLiteral("m%1").arg(b));
        QVector<Frame> frames;
        c.send = [&frames](const Frame &f) {
            frames.append(f);
            return 0;
        };
        bool restarted = false;
        c.startPoller = [&restarted] { restarted = true; };
        ProfileWriter writer(c);
        // Sixteen buttons name distinct macros (buttons 14/15 are overwritten by 40/41
        // in the table, but their macros were indexed first): more than twelve.
        QCOMPARE(writer.WriteWholeProfile(set, 15), int(kResultMacrosNotWritten));
        QVERIFY(writer.macrosSkipped());
        QCOMPARE(codes(frames), (QVector<int>{0x00, 0x01, 0x02, 0x04, 0x07, 0x08, 0x09, 0x05, 0x06, 0x00}));
        QVERIFY(restarted);
        QVERIFY(wholeWriteReachedEnd(kResultMacrosNotWritten));
        QVERIFY(!wholeWriteMessage(kResultMacrosNotWritten).isEmpty());
        QCOMPARE(wholeWriteMessage(kSendRetriesExhausted),
                 QStringLiteral("Send data failed, please try again."));
    }

    void packMacro()
    {
        ProfileWriter w(context());
        auto slot = [&w](int i, int n) { return hexBytes(w.macroSlot(i), n); };
        w.PackMacro({}, 0);
        QCOMPARE(slot(0, 6), QStringLiteral("06 01 00 00 00 00"));
        const QVector<MacroEvent> e = {{132, 0, 4}, {4, 0, 4}, {132, 0, 5}, {4, 0, 5}, {129, 0, 1}};
        w.PackMacro(e.mid(0, 1), 1);
        QCOMPARE(slot(1, 9), QStringLiteral("84 04 00 06 01 00 00 00 00"));
        w.PackMacro(e.mid(0, 4), 2);
        QCOMPARE(slot(2, 21),
                 QStringLiteral("84 04 00 04 04 00 84 05 00 04 05 00 06 01 00 06 01 00 00 00 00"));
        w.PackMacro(e, 3);
        QCOMPARE(slot(3, 24),
                 QStringLiteral("84 04 00 04 04 00 84 05 00 04 05 00 06 01 00 81 01 00 06 01 00 00 00 00"));
        // A macro with its own delays goes in unchanged, delay bytes low first.
        const QVector<MacroEvent> own = {{132, 0, 4}, {6, 2, 188}, {4, 0, 4}};
        w.PackMacro(own, 4);
        QCOMPARE(slot(4, 12), QStringLiteral("84 04 00 06 bc 02 04 04 00 00 00 00"));
        // Seventy events without delays are cut at 200 bytes.
        w.PackMacro(keyEvents(70), 5);
        const uint8_t *s = w.macroSlot(5);
        // 13 groups of four events and a delay fill 195 bytes; event 53 starts at 198.
        QCOMPARE(hexBytes(s + 192, 8), QStringLiteral("06 01 00 84 1e 00 04 1e"));
        for (int i = 200; i < kMacroSlotSize; ++i)
            QCOMPARE(int(s[i]), 0);
        w.PackMacro(keyEvents(3), 12); // no such slot: ignored
    }

    void missingMacroIsNeverSent()
    {
        SimRig rig(true);
        ProfileSet set = sampleSet();
        setMacro(set.profiles[0].BUTTON_INFO[0], QStringLiteral("never saved")); // no file, not listed
        setMacro(set.profiles[0].BUTTON_INFO[3], QStringLiteral("listed only")); // listed, no file
        setMacro(set.profiles[0].BUTTON_INFO[4], QStringLiteral("unlisted"));    // a file, not listed
        setMacro(set.profiles[0].BUTTON_INFO[5], QStringLiteral("jump"));
        set.profiles[0].BUTTON_INFO[5].ID = 5;
        set.profiles[0].BUTTON_INFO[3].ID = 3;
        MacroFile::MacroData jump;
        jump.events = keyEvents(2, 7);
        QVERIFY(MacroFile::saveMacro(QStringLiteral("jump"), jump));
        QVERIFY(MacroFile::saveMacro(QStringLiteral("unlisted"), jump));
        QVERIFY(MacroFile::addToLibrary(QStringLiteral("jump")));
        QVERIFY(MacroFile::addToLibrary(QStringLiteral("listed only")));
        WriteContext c = context();
        c.loadMacro = nullptr; // the library and Configs/MacroDB
        // Record 3's factory function runs a macro as well: that button is switched off.
        c.factoryButton = [](int record) {
            ButtonAssignment b;
            b.Fun = record == 3 ? int(ButtonCatalogue::kFunMacro) : 2;
            return b;
        };
        QVector<Frame> frames;
        c.send = [&frames](const Frame &f) {
            frames.append(f);
            return 0;
        };
        ProfileWriter writer(c);
        QCOMPARE(writer.WriteWholeProfile(set, 15), int(kResultMacroMissing));
        QCOMPARE(writer.missingMacros().size(), 3);
        QCOMPARE(writer.missingMacros().at(0).record, 0);
        QCOMPARE(writer.missingMacros().at(1).name, QStringLiteral("listed only"));
        QCOMPARE(writer.missingMacros().at(2).name, QStringLiteral("unlisted"));
        // The buttons are sent with their factory function; only jump's slot goes out.
        const ProfileData &sent = writer.writeImage().profiles[0];
        QCOMPARE(sent.BUTTON_INFO[0].Fun, 2);
        QCOMPARE(sent.BUTTON_INFO[3].Fun, int(ButtonCatalogue::kFunButtonOff));
        QCOMPARE(sent.BUTTON_INFO[3].ID, 3);
        QCOMPARE(sent.BUTTON_INFO[4].Fun, 2);
        QCOMPARE(writer.macroIndexMap().size(), size_t(1));
        QCOMPARE(int(sent.BUTTON_INFO[5].Res4), 0);
        QCOMPARE(frames.size(), 19);
        QCOMPARE(hexBytes(frames[9].data() + 2, 9), QStringLiteral("84 07 00 04 07 00 06 01 00"));
        for (const Frame &f : frames)
            QVERIFY(
                !(f[1] >= kBlockMacroFirst && hexBytes(f.data() + 2, 4) == QStringLiteral("06 01 00 00")));
        // The mouse holds the settings; the user is told.
        QVERIFY(wholeWriteReachedEnd(kResultMacroMissing));
        QVERIFY(!wholeWriteMessage(kResultMacroMissing).isEmpty());

        // With every macro there the write is plain success.
        setMacro(set.profiles[0].BUTTON_INFO[0], QStringLiteral("jump"));
        set.profiles[0].BUTTON_INFO[3].Fun = 2;
        set.profiles[0].BUTTON_INFO[4].Fun = 2;
        QCOMPARE(ProfileWriter(c).WriteWholeProfile(set, 15), int(kSendOk));
    }

    void failureStopsTheWrite()
    {
        ProfileSet set = sampleSet();
        WriteContext c = context();
        QVector<Frame> frames;
        c.send = [&frames](const Frame &f) {
            frames.append(f);
            return f[1] == 0x02 ? int(kSendRetriesExhausted) : int(kSendOk);
        };
        int stops = 0, starts = 0;
        c.stopPoller = [&stops] { ++stops; };
        c.startPoller = [&starts] { ++starts; };
        ProfileWriter writer(c);
        QCOMPARE(writer.WriteWholeProfile(set, 15), int(kSendRetriesExhausted));
        QCOMPARE(codes(frames), (QVector<int>{0x00, 0x01, 0x02}));
        QCOMPARE(stops, 1);
        QCOMPARE(starts, 0);
    }

    void mouseHoldsWhatWasWritten()
    {
        SimRig rig(true);
        ProfileSet set = sampleSet(3);
        set.ProfileID = 1;
        setMacro(set.profiles[1].BUTTON_INFO[2], QStringLiteral("jump"));
        WriteContext c = context({{QStringLiteral("jump"), keyEvents(9)}});
        const QVector<Frame> expected = wholeWriteFrames(set, c);
        rig.sim().withFirmware([](MouseFirmware &fw) {
            const Frame sel = ControlFrame::selectProfile(4);
            fw.handleOutputReport(sel.data() + 1, kReportSize);
        });
        ProfileWriter writer(c);
        QCOMPARE(writer.WriteWholeProfile(set, 0), int(kSendOk));
        QCOMPARE(rig.sim().writtenFrames(), expected);
        const MouseFirmware fw = rig.sim().firmwareSnapshot();
        QCOMPARE(fw.stats().commits, 1);
        for (const Frame &f : expected) {
            if (f[1] >= 1 && f[1] <= 9)
                QVERIFY(std::equal(f.begin() + 2, f.begin() + 32, fw.block(4, f[1]).begin()));
        }
        QVERIFY(
            std::equal(writer.macroSlot(0), writer.macroSlot(0) + kMacroSlotSize, fw.macroSlot(0).begin()));
    }

    void workerSteps()
    {
        SimRig rig(true);
        ProfileSet current = sampleSet();
        current.ProfileID = 3;
        current.profiles[3].pollrate = 2;
        current.profiles[4].LedMode = 6;
        ProfileSet lastSent = current;
        lastSent.profiles[3].DPI_INFO[0].x = 99; // DPI differs
        WriteContext c = context();
        WholeWriteOutcome out = runWholeWrite(current, lastSent, false, c);
        QCOMPARE(out.result, int(kSendOk));
        QVERIFY2(out.saveError.isEmpty(), qPrintable(out.saveError));
        QCOMPARE(out.changeMask, 2);
        QVERIFY(lastSent == current);
        QCOMPARE(AppConfig::readDiff(), 0);
        // Every slot's edits are on disk, not only slot 0's.
        ProfileSet reloaded;
        QCOMPARE(ProfileStore::loadProfileSet(reloaded), 0);
        QCOMPARE(int(reloaded.ProfileID), 3);
        QCOMPARE(int(reloaded.profiles[3].pollrate), 2);
        QCOMPARE(int(reloaded.profiles[4].LedMode), 6);
        QCOMPARE(rig.sim().firmwareSnapshot().block(0, kBlockMode)[1], uint8_t(2));

        // A failed write: Diff 1, last-sent copy still taken, and the next mask is full.
        rig.sim().scriptWriteErrors(1);
        current.profiles[3].pollrate = 4;
        out = runWholeWrite(current, lastSent, false, c);
        QCOMPARE(out.result, int(kSendWriteFailed));
        QCOMPARE(AppConfig::readDiff(), 1);
        QVERIFY(lastSent == current);
        out = runWholeWrite(current, lastSent, false, c);
        QCOMPARE(out.changeMask, 15);
        QCOMPARE(out.result, int(kSendOk));
        QCOMPARE(AppConfig::readDiff(), 0);
        out = runWholeWrite(current, lastSent, true, c);
        QCOMPARE(out.changeMask, 15);
        out = runWholeWrite(current, lastSent, false, c);
        QCOMPARE(out.changeMask, 0);

        // Without a device the begin block fails with 1.
        rig.sim().plugReceiver(false);
        rig.rescan();
        out = runWholeWrite(current, lastSent, false, c);
        QCOMPARE(out.result, int(kSendNoDevice));
        QCOMPARE(AppConfig::readDiff(), 1);
    }
};

QTEST_GUILESS_MAIN(TestProfileWriter)
#include "tst_profilewriter.moc"
