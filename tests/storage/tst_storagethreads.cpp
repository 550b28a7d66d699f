// The write thread saves the set and computes the change mask while the
// user-interface thread loads and reads the configuration: no data race,
// and every load sees a whole file.

#include "AppConfig.h"
#include "KeyTables.h"
#include "MacroFile.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "StorageTestUtil.h"

#include <QThread>
#include <QtTest>

#include <atomic>

class TestStorageThreads : public QObject
{
    Q_OBJECT

private slots:
    void writerAndReaderTogether();
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
    QVERIFY(writes.load() > 0);
}

QTEST_GUILESS_MAIN(TestStorageThreads)
#include "tst_storagethreads.moc"
