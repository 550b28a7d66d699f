// One copy per product: the lock, a live second copy, a crashed first copy.

#include "SingleInstance.h"
#include "UnixSocket.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {
const QString kProduct = QStringLiteral("ORVALE8");

// Child modes: hold the lock until killed, or take it and die without letting go.
int childMain(const QString &mode, const QString &dir)
{
    SingleInstance instance(kProduct, dir);
    if (!instance.tryAcquire())
        return 3;
    std::printf("locked\n");
    std::fflush(stdout);
    if (mode == QLatin1String("--crash"))
        _exit(4); // no unlock, no destructors: the lock file stays behind
    for (;;)
        pause();
}
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    // Starts this executable as a child holding the lock in DIR.
    static bool startHolder(QProcess &p, const QString &mode, const QString &dir)
    {
        p.start(QCoreApplication::applicationFilePath(), {mode, dir});
        return p.waitForStarted(5000) && p.waitForReadyRead(10000) &&
               p.readAllStandardOutput().startsWith("locked");
    }

private slots:
    void lockName()
    {
        QCOMPARE(SingleInstance::lockName(kProduct), QStringLiteral("ORVALE8 Wireless Gaming Mouse Mutex1"));
        QCOMPARE(SingleInstance::lockName(QString()), QStringLiteral(" Wireless Gaming Mouse Mutex1"));
        const QString hostile = SingleInstance::lockName(QStringLiteral("../a/b\\c\nd"));
        QVERIFY(!hostile.contains(QLatin1Char('/')));
        QVERIFY(!hostile.contains(QLatin1Char('\\')));
        QVERIFY(!hostile.contains(QLatin1Char('\n')));
        QVERIFY(!hostile.startsWith(QLatin1Char('.')));
        QVERIFY(SingleInstance::lockName(QString(300, QLatin1Char('x'))).size() <= 200);
    }

    void secondCopyInSameProcessIsRefused()
    {
        QTemporaryDir dir;
        SingleInstance first(kProduct, dir.path());
        QVERIFY(first.tryAcquire());
        QVERIFY(first.tryAcquire()); // again: still ours
        QVERIFY(QFile::exists(first.lockFilePath()));
        QVERIFY(first.lockFilePath().startsWith(dir.path()));

        SingleInstance second(kProduct, dir.path());
        QVERIFY(!second.tryAcquire());
        QVERIFY(second.otherInstanceRunning());
        QVERIFY(!second.errorString().isEmpty());

        // The second asks the first to show its window; a socket left by a
        // crashed copy does not stop the holder from listening.
        QVERIFY(!second.activateRunningCopy(200));
        QFile stale(dir.path() + QLatin1Char('/') + SingleInstance::lockName(kProduct) +
                    QStringLiteral(".sock"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        int activations = 0;
        QVERIFY(first.listenForActivation([&activations] { ++activations; }));
        QVERIFY(second.activateRunningCopy());
        QTRY_COMPARE(activations, 1);
        QVERIFY(second.activateRunningCopy());
        QTRY_COMPARE(activations, 2);
        QVERIFY(!second.listenForActivation([] {})); // only the holder listens

        // The socket is the user's alone; any other request is hung up on.
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(stale.fileName()).permissions() & others, QFileDevice::Permissions());
        const int fd = UnixSocket::connectTo(stale.fileName());
        QVERIFY(fd >= 0);
        QCOMPARE(UnixSocket::write(fd, "hide\n", 5), qint64(5));
        char answer;
        QTRY_COMPARE(UnixSocket::read(fd, &answer, 1), qint64(0));
        ::close(fd);
        QCOMPARE(activations, 2);

        // Another product is another lock.
        SingleInstance other(QStringLiteral("OTHER"), dir.path());
        QVERIFY(other.tryAcquire());

        first.release();
        QVERIFY(!QFile::exists(first.lockFilePath()));
        QVERIFY(!second.activateRunningCopy(200));

        // A copy that locks through QLockFile holds the same lock, both ways.
        QLockFile older(first.lockFilePath());
        QVERIFY(older.tryLock(0));
        QVERIFY(!second.tryAcquire());
        QVERIFY(second.errorString().contains(QString::number(QCoreApplication::applicationPid())));
        older.unlock();
        QVERIFY(second.tryAcquire());
        QLockFile newer(first.lockFilePath());
        QVERIFY(!newer.tryLock(0));
    }

    void liveCopyInAnotherProcessBlocksUntilItDies()
    {
        QTemporaryDir dir;
        QProcess holder;
        QVERIFY(startHolder(holder, QStringLiteral("--hold"), dir.path()));

        SingleInstance me(kProduct, dir.path());
        QVERIFY(!me.tryAcquire());
        QVERIFY(me.otherInstanceRunning());
        QVERIFY(me.errorString().contains(QString::number(holder.processId())));

        holder.kill(); // a crash: the lock file is left behind
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(QFile::exists(me.lockFilePath()));
        QVERIFY(me.tryAcquire());
        QVERIFY(!me.otherInstanceRunning());
    }

    void lockLeftByCrashedCopyIsTakenOver()
    {
        QTemporaryDir dir;
        QProcess crasher;
        QVERIFY(startHolder(crasher, QStringLiteral("--crash"), dir.path()));
        QVERIFY(crasher.waitForFinished(5000));
        QCOMPARE(crasher.exitCode(), 4);

        SingleInstance me(kProduct, dir.path());
        QVERIFY(QFile::exists(me.lockFilePath()));
        QVERIFY(me.tryAcquire());
    }

    void unwritableFolderIsAnErrorNotAnotherCopy()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("plain-file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SingleInstance me(kProduct, file.fileName()); // a file, not a folder
        QVERIFY(!me.tryAcquire());
        QVERIFY(!me.otherInstanceRunning());
        QVERIFY(me.errorString().contains(QStringLiteral("lock file")));

        // A link planted at the lock's name is not followed (nor the file it names emptied).
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("keep") == 4);
        file.close();
        SingleInstance planted(kProduct, dir.path());
        QVERIFY(QFile::link(file.fileName(), planted.lockFilePath()));
        QVERIFY(!planted.tryAcquire());
        QVERIFY(!planted.otherInstanceRunning());
        QCOMPARE(QFileInfo(file.fileName()).size(), qint64(4));
    }

    void defaultFolderIsUsable()
    {
        const QString dir = SingleInstance::defaultDirectory();
        QVERIFY(!dir.isEmpty());
        QVERIFY(QFileInfo(dir).isDir());
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && (qstrcmp(argv[1], "--hold") == 0 || qstrcmp(argv[1], "--crash") == 0)) {
        QCoreApplication app(argc, argv);
        return childMain(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
