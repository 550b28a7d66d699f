// The write thread saves the set and computes the change mask while the
// user-interface thread loads and reads the configuration (and a start-up
// thread builds the key table): no data race, and every load sees a whole file.
// Two threads that ask for a fresh configuration folder at once find it
// seeded once, whole.

#include "AppConfig.h"
#include "KeyTables.h"
#include "MacroFile.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QThread>
#include <QtTest>

#include <atomic>
#include <future>
#include <thread>

#if defined(__SANITIZE_THREAD__)
// Two kinds of report that are not races of ours, only blind spots of
// ThreadSanitizer with an uninstrumented Qt and C library:
// - QSettings looks at file times through mktime(), and glibc's mktime()
//   re-reads the time zone on each call (free + strdup of its copy of TZ when
//   TZ is unset) under a lock of its own that ThreadSanitizer cannot see;
// - Qt's implicitly shared strings are released with an atomic decrement;
//   when the last one happens inside libQt5Core the decrement is invisible and
//   the free() that follows looks unsynchronized;
// - QtTest's watchdog thread ends through Qt's futex-based wait conditions.
// Races in our own code are still reported.
extern "C" const char *__tsan_default_suppressions()
{
    return "race:tzset_internal\n"
           "called_from_lib:libQt5Core.so.5\n"
           "called_from_lib:libQt5Test.so.5\n";
}
#endif

class TestStorageThreads : public QObject
{
    Q_OBJECT

private slots:
    void writerAndReaderTogether();
    void firstStartFromTwoThreads();
};

void TestStorageThreads::writerAndReaderTogether()
{
    StorageSandbox box;
    box.writeDescription("[PROFILE]\nProductName=ORVALE8\nBUTTON_INFO_0_Matrix=3\n");
    ProfileSet a = sampleSet();
    a.names[0] = QStringLiteral("Shared");
    a.profiles[1].BUTTON_INFO[2].Fun = kFunMacro;
    a.profiles[1].BUTTON_INFO[2].macroname = QStringLiteral("burst");
    ProfileSet b = a;
    b.profiles[0] = sampleProfile(4);
    // The program reads its starting set on a start-up thread (building the key table on the
    // way) while the window saves and loads: it sees the slot whole, before or after a save.
    std::packaged_task<ProfileStore::ProfileSetRead()> readAhead(&ProfileStore::readStartingSet);
    std::future<ProfileStore::ProfileSetRead> ahead = readAhead.get_future();
    std::thread prepare(std::move(readAhead));
    QVERIFY(ProfileStore::saveWholeProfileSet(a));
    QVERIFY(MacroFile::saveMacro(QStringLiteral("burst"), MacroFile::MacroData()));

    std::atomic<bool> stop{false};
    std::atomic<int> writes{0};
    QThread *writer = QThread::create([&] {
        for (int i = 0; i < 12 && !stop.load(); ++i) {
            const ProfileSet &set = (i % 2) ? a : b;
            ProfileStore::saveProfileSet(set);
            ProfileDefaults::changeMask(set, a);
            AppConfig::writeDiff(i % 2);
            ProfileStore::setButtonMatrix({uint8_t(i % 16)});
            KeyTables::setCurrentLanguageId(i % 3);
            writes.fetch_add(1);
        }
    });
    writer->start();
    int loads = 0;
    while (!writer->isFinished() || loads < 3) {
        ProfileSet loaded;
        ProfileStore::loadProfileSet(loaded);
        QVERIFY(loaded.profiles[0] == a.profiles[0] || loaded.profiles[0] == b.profiles[0]);
        AppConfig::readBattery();
        AppConfig::readDiff();
        MacroFile::readWriteSign(QStringLiteral("burst"));
        QVERIFY(ProfileStore::buttonMatrix()[0] < 16);
        KeyTables::keyName(16);
        ++loads;
        if (loads > 200)
            stop.store(true);
    }
    writer->wait();
    delete writer;
    prepare.join();
    const ProfileStore::ProfileSetRead read = ahead.get();
    QCOMPARE(read.result, 0);
    QVERIFY(read.problems.isEmpty());
    QVERIFY(writes.load() > 0);
}

void TestStorageThreads::firstStartFromTwoThreads()
{
    StorageSandbox box;
    QByteArray shipped = "[Config]\nCount=5\nModel=ORVALE8\n[FONT_LIST]\nLANGNUM=3\n";
    for (int i = 0; i < 200; ++i)
        shipped += "LangName_" + QByteArray::number(i) + "=Language " + QByteArray::number(i) + '\n';
    StorageSandbox::writeFile(box.dataDir() + QStringLiteral("/defaults/Configs/Config.ini"), shipped);
    StorageSandbox::writeFile(box.dataDir() + QStringLiteral("/defaults/Configs/ORVALE8/Config.ini"),
                              "[PROFILE_LIST]\nCount=1\n1=Shipped\n");
    const QByteArray oldEnv = qgetenv("MOUSECFG_CONFIG_DIR");
    auto restore = qScopeGuard([&] {
        qputenv("MOUSECFG_CONFIG_DIR", oldEnv);
        Paths::setConfigDir(box.configDir());
    });
    for (int round = 0; round < 200; ++round) {
        // A fresh folder, resolved afresh: the first start of a new user.
        const QString folder = box.root() + QStringLiteral("/Fresh%1").arg(round);
        qputenv("MOUSECFG_CONFIG_DIR", QFile::encodeName(folder));
        Paths::setConfigDir(QString());
        std::atomic<int> ready{0};
        QString seen[2];
        auto ask = [&](int i) {
            ready.fetch_add(1);
            while (ready.load() < 2) {
            }
            seen[i] = Paths::configDir();
        };
        std::thread other(ask, 1);
        ask(0);
        other.join();
        QCOMPARE(seen[0], folder);
        QCOMPARE(seen[1], folder);
        QFile config(folder + QStringLiteral("/Config.ini"));
        QVERIFY2(config.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("round %1").arg(round)));
        QCOMPARE(config.readAll(), shipped);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("Config.ini"), QStringLiteral("ORVALE8")}));
        QCOMPARE(QDir(folder + QStringLiteral("/ORVALE8")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Config.ini")});
    }
}

QTEST_GUILESS_MAIN(TestStorageThreads)
#include "tst_storagethreads.moc"
