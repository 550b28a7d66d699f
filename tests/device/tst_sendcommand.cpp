// SendCommand's write-and-verify discipline against the simulated mouse with
// scripted answers, on a virtual clock: every branch, limit and result code.

#include "CommandSet.h"
#include "DeviceProbe.h"
#include "DeviceTestSupport.h"

#include <QLoggingCategory>
#include <QtTest>

#include <chrono>
#include <future>
#include <mutex>

using Answer = SimulatedHidBackend::Answer;

namespace {
QStringList g_log;
int g_abortAtReread = 0; // > 0: the link is told to stop at this re-read

void captureLog(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        g_log.append(text);
    if (g_abortAtReread > 0 && text == QLatin1String("re read") && --g_abortAtReread == 0)
        setLinkAborted(true);
}

int send(const Frame &f)
{
    return SendCommand(f.data(), kFrameSize);
}

// Enumerates what a Linux hidraw system lists: several collections per node.
class ListingBackend : public HidBackend
{
public:
    QVector<HidDeviceInfo> list;
    int init() override { return 0; }
    QVector<HidDeviceInfo> enumerate(uint16_t, uint16_t) override { return list; }
    HidDevice *openPath(const QByteArray &) override { return nullptr; }
    void close(HidDevice *) override {}
    int exit() override { return 0; }
    int write(HidDevice *, const uint8_t *, size_t) override { return -1; }
    int readTimeout(HidDevice *, uint8_t *, size_t, int) override { return -1; }
    QString error(HidDevice *) override { return QString(); }
    bool permissionDenied(const QByteArray &) override { return false; }
    void add(uint16_t pid, int iface, uint16_t page, uint16_t usage, const char *path)
    {
        HidDeviceInfo d;
        d.vendorId = 0x1209;
        d.productId = pid;
        d.interfaceNumber = iface;
        d.usagePage = page;
        d.usage = usage;
        d.path = path;
        list.append(d);
    }
};

int countLines(const QString &text)
{
    return int(std::count(g_log.begin(), g_log.end(), text));
}
} // namespace

class TestSendCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.device.debug=true"));
        qInstallMessageHandler(captureLog);
    }
    void cleanupTestCase() { qInstallMessageHandler(nullptr); }
    void init() { g_log.clear(); }

    void noDevice()
    {
        SimRig rig(true, false, false);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendNoDevice));
        QCOMPARE(send(BlockFrame::endWrite()), int(kSendNoDevice));
        QCOMPARE(countLines(QStringLiteral("no device--------------------------------------")), 2);
        QCOMPARE(rig.clock().nowUs(), int64_t(0));
    }

    void verifiedEcho()
    {
        SimRig rig(true);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        QCOMPARE(rig.sim().writtenFrames().size(), 1);
        QVERIFY(g_log.contains(QStringLiteral("hid_read start")));
        QCOMPARE(g_log.last(), QStringLiteral(" "));
        QVERIFY(g_log.contains(QStringLiteral("send success--------------------------------------")));
        // The write is logged with 33 byte placeholders.
        const auto write = std::find_if(g_log.begin(), g_log.end(), [](const QString &l) {
            return l.startsWith(QLatin1String("hid_write"));
        });
        QVERIFY(write != g_log.end());
        QCOMPARE(write->count(QLatin1Char(' ')), 34);
    }

    void unverifiedFramesAreNotRead()
    {
        SimRig rig(true);
        QCOMPARE(send(ControlFrame::selectProfile(3)), int(kSendOk));
        QCOMPARE(rig.clock().nowUs(), int64_t(10000)); // the 10 ms pause, no read
        QVERIFY(!g_log.contains(QStringLiteral("hid_read start")));
        QCOMPARE(rig.sim().firmwareSnapshot().activeProfile(), 3);

        // A sensor block is verified or not by its payload byte at frame position 4.
        ProfileSet set = sampleSet();
        set.profiles[0].LedSleepTime = 30;
        g_log.clear();
        QCOMPARE(send(BlockFrame::sensor(set, set.profiles[0], 0)), int(kSendOk));
        QVERIFY(!g_log.contains(QStringLiteral("hid_read start")));
        set.profiles[0].LedSleepTime = 5;
        g_log.clear();
        QCOMPARE(send(BlockFrame::sensor(set, set.profiles[0], 0)), int(kSendOk));
        QVERIFY(g_log.contains(QStringLiteral("hid_read start")));

        g_log.clear();
        QCOMPARE(send(ControlFrame::reload(0x01)), int(kSendOk)); // 0x40 is verified
        QVERIFY(g_log.contains(QStringLiteral("hid_read start")));
    }

    void mismatchInLastByteIsReRead()
    {
        SimRig rig(true);
        Frame f = BlockFrame::beginWrite();
        Report wrong{};
        std::copy(f.begin() + 1, f.end(), wrong.begin());
        wrong[31] ^= 0x01; // frame position 32
        rig.sim().injectReport(0, wrong);
        QCOMPARE(send(f), int(kSendOk));
        QCOMPARE(countLines(QStringLiteral("command check fail, re read 0")), 1);
        QCOMPARE(rig.sim().writtenFrames().size(), 1);
    }

    void allZeroAnswers()
    {
        SimRig rig(true);
        rig.sim().scriptAnswers(QList<Answer>() << Answer::Zero);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        QCOMPARE(rig.sim().writtenFrames().size(), 2);
        QCOMPARE(countLines(QStringLiteral("all 0, jump re write ")), 1);

        // Six zero answers and no mismatch: counted as sent after six writes.
        rig.sim().clearWrittenFrames();
        rig.sim().scriptAnswers(QList<Answer>() << Answer::Zero << Answer::Zero << Answer::Zero
                                                << Answer::Zero << Answer::Zero << Answer::Zero);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        QCOMPARE(rig.sim().writtenFrames().size(), 6);
        QCOMPARE(countLines(QStringLiteral("multi all 0, go back--------------------------------------")), 1);
    }

    void allZeroAfterMismatchIsAMismatch()
    {
        SimRig rig(true);
        rig.sim().scriptAnswers(QList<Answer>() << Answer::Corrupt << Answer::Zero << Answer::Zero
                                                << Answer::Zero << Answer::Zero << Answer::Zero);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        // 1 corrupted, 5 zero answers (the timeout after the mismatch is the first
        // all-zero), the sixth goes back to the check, then one clean write.
        QCOMPARE(rig.sim().writtenFrames().size(), 7);
        const int multi =
            int(g_log.indexOf(QStringLiteral("multi all 0, go back--------------------------------------")));
        QVERIFY(multi > 0);
        QCOMPARE(g_log.at(multi + 1), QStringLiteral("command check fail, re read 0"));
    }

    void silentMouseIsAFailure()
    {
        SimRig rig(true);
        QList<Answer> lost;
        for (int i = 0; i < 10; ++i)
            lost << Answer::Lost;
        rig.sim().scriptAnswers(lost);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendRetriesExhausted));
        QCOMPARE(rig.sim().writtenFrames().size(), 6);
    }

    void readFailuresAskForRewrites()
    {
        SimRig rig(true);
        rig.sim().scriptReadErrors(30);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        QCOMPARE(rig.sim().writtenFrames().size(), 2);
        QCOMPARE(countLines(QStringLiteral("re read")), 29);
        QCOMPARE(countLines(QStringLiteral("write fail 0")), 1);
        QVERIFY(g_log.contains(QStringLiteral("hid_read start read fail 29")));

        // Read failures never reset: the 31st and 32nd go straight to rewrites, the third gives up.
        g_log.clear();
        rig.sim().clearWrittenFrames();
        rig.sim().scriptReadErrors(1000);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendRetriesExhausted));
        QCOMPARE(rig.sim().writtenFrames().size(), 3);
        QCOMPARE(countLines(QStringLiteral("multi rewrite fail--------------------------------------")), 1);
        rig.sim().scriptReadErrors(0);
    }

    void mismatchesExhaustTheRewrites()
    {
        SimRig rig(true);
        SimulatedHidBackend::Faults faults;
        faults.corruptEcho = 1.0;
        rig.sim().setFaults(faults);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendRetriesExhausted));
        QCOMPARE(countLines(QStringLiteral(
                     "multi command check fail, go back--------------------------------------")),
                 1);
        QCOMPARE(countLines(QStringLiteral("command check fail, re write 1")), 1);
        QCOMPARE(countLines(QStringLiteral("command check fail, re write 2")), 1);
        // Twenty mismatches before the first rewrite; all-zero rewrites in between do not count.
        QVERIFY(countLines(QStringLiteral("command check fail, re read 0")) >= 19);
    }

    void abortStopsBetweenFrames()
    {
        // A job told to stop (the mouse went away) sends nothing more, not
        // even a retry of the frame under way; the handle stays with it.
        SimRig rig(true);
        setLinkAborted(true);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendNoDevice));
        QCOMPARE(rig.sim().writtenFrames().size(), 0);
        // Told while it re-reads an answer that does not come: it stops there.
        rig.sim().scriptReadErrors(1000);
        setLinkAborted(false);
        g_abortAtReread = 5;
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendNoDevice));
        QCOMPARE(rig.sim().writtenFrames().size(), 1);
        QCOMPARE(countLines(QStringLiteral("re read")), 5);
        QVERIFY(g_log.contains(QStringLiteral("aborted--------------------------------------")));
        QVERIFY(commandHandleOpen());
        setLinkAborted(false);
        rig.sim().scriptReadErrors(0);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
    }

    void writeFailureIsNotRetried()
    {
        SimRig rig(true);
        rig.sim().scriptWriteErrors(1);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendWriteFailed));
        QCOMPARE(rig.sim().writtenFrames().size(), 1);
        QVERIFY(g_log.contains(QStringLiteral("hid_write fail--------------------------------------")));
    }

    void lateAndStolenAnswersAreAbsorbed()
    {
        SimRig rig(true);
        rig.sim().scriptAnswers(QList<Answer>() << Answer::Late);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        // The rewrite's echo is still queued: the next command reads it first.
        QCOMPARE(send(BlockFrame::endWrite()), int(kSendOk));
        rig.sim().scriptAnswers(QList<Answer>() << Answer::Stolen);
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        QCOMPARE(send(BlockFrame::endWrite()), int(kSendOk));
        QCOMPARE(rig.sim().firmwareSnapshot().stats().commits, 2);
    }

    void cableIsPreferred()
    {
        SimRig rig(true, true, true);
        QVERIFY(receiverOpen() && cableOpen());
        // A transaction in flight (a mouse that does not answer holds the link until its
        // read times out): asking which handles are open does not wait for it.
        std::future<bool> asked;
        bool answered = false;
        {
            std::lock_guard<std::mutex> busy(deviceLinkMutex());
            asked = std::async(std::launch::async, [] { return commandHandleOpen() && cableOpen(); });
            answered = asked.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        }
        QVERIFY(answered);
        QVERIFY(asked.get());
        QCOMPARE(send(BlockFrame::beginWrite()), int(kSendOk));
        QCOMPARE(rig.sim().writesOn(1), 1);
        QCOMPARE(rig.sim().writesOn(0), 0);
        QCOMPARE(FirmwareRelease(), uint32_t(0x0203));
        rig.sim().plugCable(false);
        rig.rescan();
        QCOMPARE(send(BlockFrame::endWrite()), int(kSendOk));
        QCOMPARE(rig.sim().writesOn(0), 1);
    }

    void releaseLimits()
    {
        SimRig rig(true, true, true);
        CloseDevices();
        LoadDeviceList();
        DeviceEntry &e = deviceList().entries[0];
        e.receiverMaxRelease = 0x00FF; // receiver reports 0x0100: outside
        e.cableMinRelease = 0x0200;
        e.cableMaxRelease = 0x0300; // cable reports 0x0203: inside
        QCOMPARE(ScanDevices(), 0);
        QCOMPARE(e.receiverMouseFound + e.receiverVendorFound, 0);
        QCOMPARE(e.cableMouseFound + e.cableVendorFound, 2);
        QCOMPARE(QByteArray(e.cableVendorPath), SimulatedHidBackend::pathOf(1, 2));
        QCOMPARE(QByteArray(e.cableMousePath), SimulatedHidBackend::pathOf(1, 0));
        QCOMPARE(OpenDevices(), 1);
        QVERIFY(!receiverOpen());
        QVERIFY(cableOpen());
        deviceList().count = 0;
        QCOMPARE(OpenDevices(), 0);
    }

    void collectionsByInterfaceAndUsage()
    {
        ListingBackend backend;
        backend.add(0x0001, 0, 1, 6, "/dev/hidraw1");            // keyboard collection of interface 0
        backend.add(0x0001, 0, 1, 2, "/dev/hidraw1");            // the mouse collection
        backend.add(0x0001, 0, 0xFF00, 0xFF00, "/dev/hidraw1");  // vendor usage on the wrong interface
        backend.add(0x0001, 2, 0xFF00, 0xFF00, "/dev/hidraw2");  // the vendor collection
        backend.add(0x0001, 2, 0x0C, 1, "/dev/hidraw2");         // consumer collection beside it
        backend.add(0x0002, -1, 0xFF00, 0xFF00, "/dev/hidraw7"); // a bus without interfaces
        backend.add(0x0003, 2, 0xFF00, 0xFF00, "/dev/hidraw9");  // another product
        setHidBackend(&backend);
        LoadDeviceList();
        QCOMPARE(ScanDevices(), 0);
        const DeviceEntry &e = deviceList().entries[0];
        QCOMPARE(QByteArray(e.receiverMousePath), QByteArray("/dev/hidraw1"));
        QCOMPARE(QByteArray(e.receiverVendorPath), QByteArray("/dev/hidraw2"));
        QCOMPARE(e.cableVendorFound, 1);
        QCOMPARE(QByteArray(e.cableVendorPath), QByteArray("/dev/hidraw7"));
        QCOMPARE(e.cableMouseFound, 0);
        // Failed opens leave the handles null: the device counts as absent.
        QCOMPARE(OpenDevices(), 1);
        QVERIFY(!commandHandleOpen());
        QCOMPARE(SendCommand(BlockFrame::beginWrite().data(), kFrameSize), int(kSendNoDevice));
        setHidBackend(nullptr);
    }

    void openProbe()
    {
        SimRig rig(true);
        OpenProbe p = probeOpen(SimulatedHidBackend::pathOf(0, 2));
        QVERIFY(p.opened);
        rig.sim().setPermissionDenied(true);
        p = probeOpen(SimulatedHidBackend::pathOf(0, 2));
        QVERIFY(!p.opened);
        QVERIFY(p.permissionDenied);
        QVERIFY(p.text.contains(udevRuleName()));
        // A reopen after a permission failure leaves the device absent, not half open.
        rig.rescan();
        QVERIFY(!commandHandleOpen());
        rig.sim().setPermissionDenied(false);
        p = probeOpen(SimulatedHidBackend::pathOf(1, 2)); // the cable is not plugged in
        QVERIFY(!p.opened && !p.permissionDenied);
        QVERIFY(p.text.startsWith(QLatin1String("cannot be opened")));
        QCOMPARE(rig.sim().openHandleCount(), 0);
    }

    void switchAndReload()
    {
        SimRig rig(true);
        SwitchProfile(4);
        QCOMPARE(rig.sim().firmwareSnapshot().activeProfile(), 4);
        QCOMPARE(ReloadSettings(), int(kSendOk));
        const QVector<Frame> frames = rig.sim().writtenFrames();
        QCOMPARE(frames.size(), 7);
        QCOMPARE(int(frames[0][4]), 0x44);
        const int order[5] = {0x04, 0x01, 0x02, 0x08, 0x10};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(int(frames[2 + i][6]), order[i]);
        // ReloadSettings stops at the first failure.
        rig.sim().clearWrittenFrames();
        rig.sim().scriptWriteErrors(2);
        QCOMPARE(ReloadSettings(), int(kSendWriteFailed));
        QCOMPARE(rig.sim().writtenFrames().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSendCommand)
#include "tst_sendcommand.moc"
