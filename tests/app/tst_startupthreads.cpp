// The program's start as main() makes it, run as the real executable: its
// start-up thread connects the session bus, sets up fontconfig and reads the
// profile set ahead while the main thread builds the application and the
// window, which then reads that set and runs the simulated mouse. Labelled
// tsan, it runs again in the ThreadSanitizer build, where any race between
// those threads ends the program with a report; in every build the program
// must come up, hear from the mouse and end with 0 on SIGTERM, without a
// sanitizer report. Two starts: on a fresh folder, then on what it wrote.

#include "../FakeNotifications.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestStartupThreads : public QObject
{
    Q_OBJECT

private slots:
    void startsAndQuitsCleanly();
};

void TestStartupThreads::startsAndQuitsCleanly()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The poller's status reports ("Test data:") say that the window runs.
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("mousecfg.app.debug=true"));
    // The single-instance lock of this run meets no other copy.
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("runtime"))));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("xdg")));
    const QRegularExpression report(QStringLiteral(
        "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|(WARNING|ERROR): ThreadSanitizer"));

    for (const char *start : {"fresh folder", "folder of the first start"}) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(MOUSECFG_PROGRAM),
                      {QStringLiteral("--simulate"), QStringLiteral("--config-dir"),
                       dir.filePath(QStringLiteral("Configs"))});
        QVERIFY2(program.waitForStarted(), start);
        QByteArray output;
        const auto upOrEnded = [&] {
            output += program.readAll();
            return output.contains("Test data:") || program.state() == QProcess::NotRunning;
        };
        // Generous: a sanitizer build on a busy machine.
        QTRY_VERIFY_WITH_TIMEOUT(upOrEnded(), 60000);
        QVERIFY2(program.state() == QProcess::Running, qPrintable(QString::fromLocal8Bit(output)));
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY2(program.waitForFinished(30000), start);
        output += program.readAll();
        const QString text = QString::fromLocal8Bit(output);
        QVERIFY2(!report.match(text).hasMatch(), qPrintable(text));
        QVERIFY2(program.exitStatus() == QProcess::NormalExit, qPrintable(text));
        QVERIFY2(program.exitCode() == 0, qPrintable(text));
    }
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Configs/simulated-mouse.ini"))));
}

int main(int argc, char **argv)
{
    // Never the desktop's own bus: run again on a private one.
    if (const int rc = FakeNotifications::rerunOnPrivateBus(argc, argv); rc >= 0)
        return rc;
    QCoreApplication app(argc, argv);
    TestStartupThreads test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupthreads.moc"
