// mousecfg-cli's device commands against the simulated mouse, run as the
// real executable: consecutive commands see one mouse through its memory file.

#include "../CliProcess.h"
#include "DeviceTestSupport.h"
#include "MouseLock.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestCliDevice : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    CliRun cli(const QStringList &args,
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        return runCli(args, m_dir.filePath(QStringLiteral("Configs")), env);
    }

private slots:
    void initTestCase()
    {
        if (!QFileInfo(QStringLiteral(MOUSECFG_CLI)).isExecutable())
            QSKIP("mousecfg-cli is not built");
        QDir().mkpath(m_dir.filePath(QStringLiteral("Configs")));
    }

    void listQuietAndCable()
    {
        CliRun r = cli({QStringLiteral("--simulate"), QStringLiteral("list"), QStringLiteral("--quiet")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        r = cli({QStringLiteral("--simulate-cable"), QStringLiteral("list")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("receiver 1209:0001")));
        QVERIFY(r.out.contains(QStringLiteral("cable 1209:0002")));
        QCOMPARE(r.out.count(QStringLiteral("can be opened")), 4);
        r = cli({QStringLiteral("list"), QStringLiteral("--loud")});
        QCOMPARE(r.code, 2);
    }

    void framesWriteAndTheMouse()
    {
        const QString trace = m_dir.filePath(QStringLiteral("trace.log"));
        auto snapshot = [this] {
            QStringList out;
            QDirIterator it(m_dir.filePath(QStringLiteral("Configs")),
                            QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                it.next();
                out << it.filePath() + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch()) +
                           QString::number(it.fileInfo().size());
            }
            out.sort();
            return out;
        };
        const QStringList before = snapshot();
        CliRun frames = cli({QStringLiteral("frames")});
        QCOMPARE(snapshot(), before); // computed without a device and without changing any file
        QCOMPARE(frames.code, 0);
        const QStringList lines = frames.out.trimmed().split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= 10);
        const QRegularExpression frameLine(QStringLiteral("^[0-9a-f]{2}( [0-9a-f]{2}){32}$"));
        for (const QString &l : lines)
            QVERIFY2(frameLine.match(l).hasMatch(), qPrintable(l));
        QVERIFY(lines.first().startsWith(QLatin1String("00 00 aa 55")));
        QVERIFY(lines.last().startsWith(QLatin1String("00 00 cc 33")));

        CliRun w =
            cli({QStringLiteral("--simulate"), QStringLiteral("--trace"), trace, QStringLiteral("write")});
        QCOMPARE(w.code, 0);
        QFile t(trace);
        QVERIFY(t.open(QIODevice::ReadOnly));
        const QStringList traced = QString::fromLatin1(t.readAll()).trimmed().split(QLatin1Char('\n'));
        QStringList written;
        for (const QString &l : traced) {
            QVERIFY(l.startsWith(QLatin1String("> ")) || l.startsWith(QLatin1String("< ")));
            if (l.startsWith(QLatin1String("> ")))
                written << l.mid(2);
        }
        QCOMPARE(written, lines); // the write sent exactly the listed frames
        QCOMPARE(QSettings(m_dir.filePath(QStringLiteral("Configs/Config.ini")), QSettings::IniFormat)
                     .value(QStringLiteral("Config/Diff"))
                     .toInt(),
                 0);

        CliRun show = cli({QStringLiteral("sim-show")});
        QCOMPARE(show.code, 0);
        const QJsonObject j = QJsonDocument::fromJson(show.out.toUtf8()).object();
        QCOMPARE(j.value(QStringLiteral("activeProfile")).toInt(), 1);
        const QJsonObject mode = j.value(QStringLiteral("profiles"))
                                     .toArray()[0]
                                     .toObject()
                                     .value(QStringLiteral("mode"))
                                     .toObject();
        QCOMPARE(mode.value(QStringLiteral("reportRate")).toInt(), lines[1].mid(9, 2).toInt(nullptr, 16));
    }

    void oneProgramAtATime()
    {
        // The lock as the window holds it: the command line is turned away in
        // one line, sends nothing and changes nothing; a second holder is too.
        const QString conf = m_dir.filePath(QStringLiteral("Configs"));
        const QString trace = m_dir.filePath(QStringLiteral("locked-trace.log"));
        {
            MouseLock window(MouseLock::simulatedMousePath(conf));
            QVERIFY(window.tryAcquire(QStringLiteral("the mousecfg window")));
            MouseLock other(MouseLock::simulatedMousePath(conf));
            QVERIFY(!other.tryAcquire(QStringLiteral("mousecfg-cli")));
            QCOMPARE(other.holder(), QStringLiteral("the mousecfg window (process %1)").arg(getpid()));
            for (const QString &command :
                 {QStringLiteral("write"), QStringLiteral("status"), QStringLiteral("rate-check")}) {
                CliRun r = cli({QStringLiteral("--simulate"), QStringLiteral("--trace"), trace, command});
                QCOMPARE(r.code, 1);
                QVERIFY2(r.err.startsWith(QStringLiteral("mousecfg-cli: the mousecfg window (process ")) &&
                             r.err.count(QLatin1Char('\n')) == 1,
                         qPrintable(r.err));
                QVERIFY(!QFileInfo::exists(trace));
                // What to do meanwhile: the same in the window.
                QVERIFY2(
                    r.err.contains(command == QLatin1String("rate-check")
                                       ? QStringLiteral("(quit the window, or use TEST RATE on its DPI tab).")
                                       : QStringLiteral("(quit the window, or make the change there).")),
                    qPrintable(r.err));
            }
        }
        // Let go (or ended, crashed or not): the next holder has it.
        QCOMPARE(cli({QStringLiteral("--simulate"), QStringLiteral("status")}).code, 0);
        // A link planted at the lock's name is not followed.
        const QString planted = m_dir.filePath(QStringLiteral("planted.lock"));
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("elsewhere")), planted));
        MouseLock lock(planted);
        QVERIFY(!lock.tryAcquire(QStringLiteral("mousecfg-cli")));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("elsewhere"))));
    }

    void rateCheck()
    {
        // The mouse at the rate it is set to, in the documented line; figures from
        // the simulated mouse's own timestamps, so a busy machine does not bend them.
        const int chosen = QJsonDocument::fromJson(cli({QStringLiteral("--simulate"),
                                                        QStringLiteral("status"), QStringLiteral("--json")})
                                                       .out.toUtf8())
                               .object()
                               .value(QStringLiteral("reportRate"))
                               .toInt();
        QVERIFY(chosen >= 500); // so that 430 Hz is below 90 % of it
        const QStringList check{QStringLiteral("--simulate"), QStringLiteral("rate-check"),
                                QStringLiteral("--seconds"), QStringLiteral("1")};
        CliRun r = cli(check);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QRegularExpression line(
            QStringLiteral("^chosen %1 Hz, measured median (\\d+) Hz, 5th percentile "
                           "(\\d+) Hz \\((\\d+) windows of 100 ms, (\\d+) reports\\)$")
                .arg(chosen));
        const QRegularExpressionMatch m = line.match(r.out.trimmed());
        QVERIFY2(m.hasMatch(), qPrintable(r.out));
        QVERIFY(qAbs(m.captured(1).toInt() - chosen) <= chosen / 50);
        QVERIFY(m.captured(3).toInt() >= 9);

        // A weak link faked at 430 Hz, as JSON: the figure and the warning.
        QProcessEnvironment weak = QProcessEnvironment::systemEnvironment();
        weak.insert(QStringLiteral("MOUSECFG_SIM_FAKE_RATE"), QStringLiteral("430"));
        r = cli(check + QStringList{QStringLiteral("--json")}, weak);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out.count(QLatin1Char('\n')), 1);
        const QJsonObject j = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(j.value(QStringLiteral("reportRate")).toInt(), chosen);
        QVERIFY2(qAbs(j.value(QStringLiteral("median")).toInt() - 430) <= 9, qPrintable(r.out));
        QVERIFY(qAbs(j.value(QStringLiteral("percentile5")).toInt() - 430) <= 9);
        QCOMPARE(j.value(QStringLiteral("warning")).toBool(), true);
        QCOMPARE(j.value(QStringLiteral("seconds")).toInt(), 1);
        QCOMPARE(j.value(QStringLiteral("rates")).toArray().size(),
                 j.value(QStringLiteral("windows")).toInt());
        r = cli(check, weak);
        QVERIFY(r.out.contains(QLatin1String("\nwarning: the median is below 90 % of the chosen rate")));

        for (const QStringList &bad :
             {QStringList{QStringLiteral("--seconds"), QStringLiteral("0")},
              QStringList{QStringLiteral("--seconds"), QStringLiteral("61")},
              QStringList{QStringLiteral("--seconds")}, QStringList{QStringLiteral("3")}})
            QCOMPARE(cli(QStringList{QStringLiteral("--simulate"), QStringLiteral("rate-check")} + bad).code,
                     2);
    }

    void failedSaveIsAFailure()
    {
        // The mouse takes the set, the files cannot: exit 1 with the reason.
        QTemporaryDir conf;
        QVERIFY(QDir().mkpath(conf.filePath(QStringLiteral("Profile/Profile 1.prof/x"))));
        const CliRun r = runCli({QStringLiteral("--simulate"), QStringLiteral("write")}, conf.path());
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("the settings were not saved")), qPrintable(r.err));
    }

    void switchAndStatus()
    {
        CliRun r = cli({QStringLiteral("--simulate"), QStringLiteral("switch"), QStringLiteral("3")});
        QCOMPARE(r.code, 0);
        QCOMPARE(QSettings(m_dir.filePath(QStringLiteral("Configs/Config.ini")), QSettings::IniFormat)
                     .value(QStringLiteral("Config/ProfileID"))
                     .toInt(),
                 2);
        r = cli({QStringLiteral("sim-show")});
        QCOMPARE(
            QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("activeProfile")).toInt(),
            3);
        for (const QString &bad : {QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("x")})
            QCOMPARE(cli({QStringLiteral("--simulate"), QStringLiteral("switch"), bad}).code, 2);
        r = cli({QStringLiteral("--simulate"), QStringLiteral("status")});
        QCOMPARE(r.code, 0);
        const QRegularExpressionMatch plain =
            QRegularExpression(QStringLiteral("^battery=85 dpi=(\\d+) rate=(\\d+)$")).match(r.out.trimmed());
        QVERIFY2(plain.hasMatch(), qPrintable(r.out));

        // --json: one line, the same reading, the slot switched to above.
        r = cli({QStringLiteral("--simulate"), QStringLiteral("status"), QStringLiteral("--json")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count(QLatin1Char('\n')), 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.keys(), (QStringList{QStringLiteral("battery"), QStringLiteral("charging"),
                                        QStringLiteral("connected"), QStringLiteral("connection"),
                                        QStringLiteral("dpiStage"), QStringLiteral("profile"),
                                        QStringLiteral("reportRate"), QStringLiteral("reportRateCode")}));
        QCOMPARE(o.value(QStringLiteral("connected")), QJsonValue(true));
        QCOMPARE(o.value(QStringLiteral("connection")).toString(), QStringLiteral("receiver"));
        QCOMPARE(o.value(QStringLiteral("battery")).toInt(), 85);
        QCOMPARE(o.value(QStringLiteral("charging")), QJsonValue(false));
        QCOMPARE(o.value(QStringLiteral("profile")).toInt(), 3);
        QCOMPARE(o.value(QStringLiteral("dpiStage")).toInt(), plain.captured(1).toInt() + 1);
        QCOMPARE(o.value(QStringLiteral("reportRateCode")).toInt(), plain.captured(2).toInt());
        const QHash<int, int> hz{{8, 125}, {4, 250}, {2, 500}, {1, 1000}};
        QCOMPARE(o.value(QStringLiteral("reportRate")).toInt(), hz.value(plain.captured(2).toInt()));
        // On its cable the mouse charges.
        r = cli({QStringLiteral("--simulate-cable"), QStringLiteral("status"), QStringLiteral("--json")});
        const QJsonObject wired = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(wired.value(QStringLiteral("connection")).toString(), QStringLiteral("cable"));
        QCOMPARE(wired.value(QStringLiteral("charging")), QJsonValue(true));
        QCOMPARE(cli({QStringLiteral("--simulate"), QStringLiteral("status"), QStringLiteral("--jsn")}).code,
                 2);
    }

    void freshFolderWritesFactoryProfile()
    {
        // A configuration folder that holds nothing yet starts from the shipped
        // configuration and the factory profile: a write must not send a mouse
        // with every button switched off.
        QTemporaryDir fresh;
        const QString dir = fresh.filePath(QStringLiteral("Configs"));
        auto run = [&](const QStringList &args) {
            const CliRun r = runCli(args, dir);
            return std::make_pair(r.code, r.out);
        };
        const auto shown = run({QStringLiteral("show")});
        QCOMPARE(shown.first, 0);
        const QJsonObject set = QJsonDocument::fromJson(shown.second.toUtf8()).object();
        QCOMPARE(set.value(QStringLiteral("names")).toArray()[0].toString(), QStringLiteral("Profile 1"));
        const QJsonObject p0 = set.value(QStringLiteral("profiles")).toArray()[0].toObject();
        QCOMPARE(p0.value(QStringLiteral("DPI_INFO"))
                     .toArray()[0]
                     .toObject()
                     .value(QStringLiteral("used"))
                     .toInt(),
                 1);
        QVERIFY(p0.value(QStringLiteral("BUTTON_INFO"))
                    .toArray()[0]
                    .toObject()
                    .value(QStringLiteral("Fun"))
                    .toInt() != 0);

        QCOMPARE(run({QStringLiteral("--simulate"), QStringLiteral("write")}).first, 0);
        const auto mem = run({QStringLiteral("sim-show")});
        const QJsonObject mouse = QJsonDocument::fromJson(mem.second.toUtf8()).object();
        const int active = mouse.value(QStringLiteral("activeProfile")).toInt();
        const QJsonArray buttons = mouse.value(QStringLiteral("profiles"))
                                       .toArray()[active > 0 ? active - 1 : 0]
                                       .toObject()
                                       .value(QStringLiteral("buttons"))
                                       .toArray();
        QVERIFY(!buttons.isEmpty());
        QVERIFY2(buttons[0].toObject().value(QStringLiteral("action")).toString() != QStringLiteral("off"),
                 qPrintable(mem.second.left(400)));
    }

    void damagedMemoryFileIsKept()
    {
        const QString file = m_dir.filePath(QStringLiteral("Configs/simulated-mouse.ini"));
        {
            QSettings s(file, QSettings::IniFormat);
            s.setValue(QStringLiteral("Macros/Slot3"), QStringLiteral("not hex"));
        }
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        CliRun r = cli({QStringLiteral("--simulate"), QStringLiteral("status")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("Macros/Slot3")));
        QCOMPARE(r.err.trimmed().count(QLatin1Char('\n')), 0);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(cli({QStringLiteral("sim-show")}).code, 1);
    }
};

QTEST_GUILESS_MAIN(TestCliDevice)
#include "tst_clidevice.moc"
