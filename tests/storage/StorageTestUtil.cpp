#include "StorageTestUtil.h"

#include "Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>

StorageSandbox::StorageSandbox() : m_dir(new QTemporaryDir)
{
    QDir().mkpath(configDir());
    QDir().mkpath(dataDir());
    Paths::setConfigDir(configDir());
    Paths::setDataDir(dataDir());
}

StorageSandbox::~StorageSandbox()
{
    Paths::setConfigDir(QString());
    Paths::setDataDir(QString());
}

void StorageSandbox::writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(text);
}

void StorageSandbox::writeDescription(const QByteArray &text) const
{
    writeFile(dataDir() + QStringLiteral("/DefaultProfile.bin"), text);
}

void StorageSandbox::writeConfig(const QByteArray &text) const
{
    writeFile(configDir() + QStringLiteral("/Config.ini"), text);
}

QStringList StorageSandbox::allFiles() const
{
    QStringList files;
    QDirIterator it(root(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root()).relativeFilePath(it.next());
    files.sort();
    return files;
}

HangWatchdog::HangWatchdog(int seconds, const char *what)
{
    m_thread = std::thread([this, seconds, what] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_changed.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_finished; })) {
            fprintf(stderr, "FAIL! %s did not end within %d s\n", what, seconds);
            fflush(stderr);
            std::_Exit(1);
        }
    });
}

HangWatchdog::~HangWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

ProfileData sampleProfile(int seed)
{
    ProfileData p;
    p.pollrate = uint8_t(2 + seed);
    p.dpi = uint8_t((3 + seed) % kDpiStageCount);
    p.LedMode = uint8_t((4 + seed) % kLedModeCount);
    p.LedMoveOFF = uint8_t(seed);
    p.LedSleepTime = uint8_t(5 + seed);
    for (int i = 0; i < kDpiStageCount; ++i) {
        DpiStage &d = p.DPI_INFO[size_t(i)];
        d.used = uint8_t(i % 2);
        d.link = uint8_t((i + 1) % 2);
        d.xy = 100 * i + seed;
        d.x = (i == 7) ? -1 : 10 * i + seed; // a negative value is written unsigned
        d.y = (i == 6) ? 519 : 20 * i + seed;
    }
    p.mousespeed = uint8_t(10 + seed);
    p.dbclickspeed = uint8_t(11 + seed);
    p.scrollispage = 1;
    p.scrollspeed = uint8_t(3 + seed);
    p.accelenable = 1;
    p.acee = uint8_t(7 + seed);
    for (int b = 0; b < kButtonCount; ++b) {
        ButtonAssignment &a = p.BUTTON_INFO[size_t(b)];
        a.ID = b + seed;
        a.Fun = (b == 5) ? kFunMacro : b * 3 + seed;
        a.LoopNumber = (b == 9) ? -5 : b + 1;
        a.KeyNumber = b % 84;
        a.Res1 = uint8_t(b);
        a.Res2 = uint8_t(255 - b);
        a.Res3 = uint8_t(b * 2);
        a.Res4 = uint8_t(b * 5);
        a.macroname = (b == 5) ? QStringLiteral("jump, run") : QString();
        for (int e = 0; e < kKeyInfoCount; ++e) {
            a.KeyInfo[size_t(e)] = {uint8_t((b + e + seed) & 0xff), uint8_t((e * 3) & 0xff),
                                    uint8_t((e % 2) ? 0x80 : 0)};
        }
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        LedModeSetting &l = p.LED_MODE[size_t(m)];
        l.RGB = (m == 13) ? QColor() : QColor(m * 18, 255 - m * 10, (m * 40 + seed) % 256);
        l.h = 360 - m;
        l.s = m;
        l.v = m * 2;
        l.bright = 1 + m % 3;
        l.breath = 1 + m % 5;
    }
    p.ProfileName = QStringLiteral("Gaming %1 \u00e9\u4e2d").arg(seed);
    p.ProfilePath = QStringLiteral("/home/user/Profile %1.prof").arg(seed);
    return p;
}

ProfileSet sampleSet()
{
    ProfileSet set;
    set.ProfileID = 2;
    for (int i = 0; i < kProfileCount; ++i) {
        set.profiles[size_t(i)] = sampleProfile(i);
        set.names[size_t(i)] = QStringLiteral("Slot %1").arg(i + 1);
    }
    set.AngleValue = 1;
    set.LiftHigh = 2;
    set.Sync = 1;
    set.Count = 5;
    set.Jitter = 1;
    set.Debounce = 12;
    set.Wake = 3;
    set.SensorMode = 1;
    return set;
}

int countKeysInSection(const QString &file, const QString &section)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    int count = 0;
    bool inside = false;
    const QByteArray header = '[' + section.toUtf8() + ']';
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.startsWith('['))
            inside = (line == header);
        else if (inside && line.contains('='))
            ++count;
    }
    return count;
}
