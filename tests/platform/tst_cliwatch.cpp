// `mousecfg-cli watch` as a harness meets it: its lines, its help, and its
// clean end on SIGINT and SIGTERM.

#include "UdevHotplugSource.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

namespace {

const QString kCli = QStringLiteral(MOUSECFG_CLI);

// True once PID has handlers for SIGINT and SIGTERM installed.
bool catchesSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            const quint64 want = (1ull << (SIGINT - 1)) | (1ull << (SIGTERM - 1));
            return (mask & want) == want;
        }
    }
    return false;
}

} // namespace

class TestCliWatch : public QObject
{
    Q_OBJECT

private:
    void runUntilSignal(const QStringList &args, int signal, QByteArray *out)
    {
        QProcess p;
        p.start(kCli, args);
        QVERIFY(p.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(catchesSignals(p.processId()) || p.state() != QProcess::Running, 10000);
        QVERIFY2(p.state() == QProcess::Running, p.readAllStandardError().constData());
        ::kill(pid_t(p.processId()), signal);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardError().isEmpty());
        *out = p.readAllStandardOutput();
    }

private slots:
    void helpDocumentsTheLineFormat()
    {
        QProcess p;
        p.start(kCli, {QStringLiteral("watch"), QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(help.contains(
            QStringLiteral("arrival vid=VVVV pid=PPPP interface=N release=RRRR path=/dev/hidrawN")));
        QVERIFY(help.contains(QStringLiteral("--existing")));
        QVERIFY(help.contains(QStringLiteral("--all")));

        p.start(kCli, {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(10000));
        QVERIFY(p.readAllStandardOutput().contains("watch [--existing] [--all]"));
    }

    void badUsage()
    {
        QProcess p;
        p.start(kCli, {QStringLiteral("watch"), QStringLiteral("--bogus")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
        const QByteArray err = p.readAllStandardError();
        QVERIFY(err.contains("--bogus"));
        QCOMPARE(err.count('\n'), 1);
        QVERIFY(p.readAllStandardOutput().isEmpty());

        p.start(kCli, {QStringLiteral("--simulate"), QStringLiteral("watch")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
    }

    void existingAllThenSigterm()
    {
        QByteArray out;
        runUntilSignal({QStringLiteral("watch"), QStringLiteral("--existing"), QStringLiteral("--all")},
                       SIGTERM, &out);
        const QList<HidNodeInfo> present = UdevHotplugSource::enumerateAll();
        const QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), present.size());
        static const QRegularExpression re(QStringLiteral(
            "^arrival vid=[0-9a-f]{4} pid=[0-9a-f]{4} interface=-?\\d+ release=[0-9a-f]{4} path=/dev/\\S+$"));
        for (const QString &line : lines)
            QVERIFY2(re.match(line).hasMatch(), qPrintable(line));
    }

    void plainWatchEndsOnSigint()
    {
        QByteArray out;
        runUntilSignal({QStringLiteral("watch")}, SIGINT, &out);
        // Without --existing nothing present is printed; only events would be.
        QVERIFY(out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliWatch)
#include "tst_cliwatch.moc"
