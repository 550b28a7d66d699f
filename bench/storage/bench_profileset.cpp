// Loads and saves the whole profile set (Config.ini plus five profile files
// of 11,099 keys) and prints the median times. Usage: bench_profileset [rounds]

#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/time.h>
#include <time.h>

namespace {

struct Timing
{
    double wallMs;
    double cpuMs; // this process's CPU time: less disturbed by a busy machine
};

double cpuNowMs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

Timing medianMs(int rounds, const std::function<void()> &before, const std::function<void()> &work)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < rounds; ++i) {
        before();
        QElapsedTimer t;
        const double c0 = cpuNowMs();
        t.start();
        work();
        wall.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuNowMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

// Moves every file's modification time so that QSettings parses it again, as
// on a program start.
void touchAll(const QString &dir, int round)
{
    const QStringList files = {dir + QStringLiteral("/Config.ini")};
    QStringList all = files;
    for (const QString &f : QDir(dir + QStringLiteral("/Profile")).entryList(QDir::Files))
        all << dir + QStringLiteral("/Profile/") + f;
    for (const QString &f : all) {
        struct timeval tv[2];
        tv[0].tv_sec = tv[1].tv_sec = 1000000 + round;
        tv[0].tv_usec = tv[1].tv_usec = 0;
        utimes(QFile::encodeName(f).constData(), tv);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 15;
    QTemporaryDir tmp;
    Paths::setConfigDir(tmp.path() + QStringLiteral("/Configs"));
    Paths::setDataDir(tmp.path() + QStringLiteral("/data"));

    ProfileSet set;
    ProfileDefaults::resetAllProfiles(set);
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileData &p = set.profiles[size_t(i)];
        for (int b = 0; b < kButtonCount; ++b)
            for (int e = 0; e < kKeyInfoCount; ++e)
                p.BUTTON_INFO[size_t(b)].KeyInfo[size_t(e)] = {uint8_t(e), uint8_t(b), uint8_t(i)};
    }
    if (!ProfileStore::saveWholeProfileSet(set)) {
        fprintf(stderr, "bench_profileset: could not write the profile set\n");
        return 1;
    }
    const QString dir = Paths::configDir();
    int round = 0;
    ProfileSet loaded;
    auto nothing = [] {};
    auto cold = [&] { touchAll(dir, ++round); };
    auto load = [&] { ProfileStore::loadProfileSet(loaded); };
    auto save = [&] { ProfileStore::saveProfileSet(set); };

    const Timing loadCold = medianMs(rounds, cold, load);
    const Timing loadWarm = medianMs(rounds, nothing, load);
    const Timing saveOne = medianMs(rounds, nothing, save);
    const Timing loadAndSave = medianMs(rounds, cold, [&] {
        load();
        save();
    });
    // What the write thread does before sending: save, change mask, save again.
    ProfileSet lastSent = set;
    lastSent.profiles[0].pollrate ^= 1;
    const Timing writeThread = medianMs(rounds, nothing, [&] {
        save();
        ProfileDefaults::changeMask(set, lastSent);
        save();
    });
    const qint64 fileSize = QFileInfo(dir + QStringLiteral("/Profile/Profile 1.prof")).size();

    printf("profile set: 5 files of 11,099 keys (%lld bytes each), %d rounds, medians (wall / CPU):\n",
           fileSize, rounds);
    auto row = [](const char *what, const Timing &t) {
        printf("  %-58s %8.2f ms / %6.2f ms\n", what, t.wallMs, t.cpuMs);
    };
    row("load profile set, files changed on disk (program start):", loadCold);
    row("load profile set, files unchanged (reload):", loadWarm);
    row("save profile set (Config.ini + one profile file):", saveOne);
    row("load (files changed) + one save:", loadAndSave);
    row("write thread: save + change mask + save:", writeThread);
    return loaded.names[0] == set.names[0] ? 0 : 1;
}
