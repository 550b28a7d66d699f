#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *g_dir = nullptr;
qint64 g_stamp = 0;

void quiet(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qFatal: %s\n", qPrintable(text));
        std::abort();
    }
}

} // namespace

namespace Fuzz {

void initialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler(quiet);
    // Removed again when the fuzzer exits normally.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/mousecfg-fuzz-XXXXXX"));
    g_dir = &dir;
    if (!g_dir->isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        std::abort();
    }
    qputenv("MOUSECFG_CONFIG_DIR", QFile::encodeName(configDir()));
    QDir().mkpath(configDir() + QStringLiteral("/Profile"));
    QDir().mkpath(configDir() + QStringLiteral("/MacroDB"));
    g_stamp = QDateTime::currentMSecsSinceEpoch() - 1000LL * 3600 * 24 * 365;
}

QString configDir()
{
    return g_dir->path() + QStringLiteral("/Configs");
}

void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size) || !f.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    f.setFileTime(QDateTime::fromMSecsSinceEpoch(++g_stamp), QFileDevice::FileModificationTime);
}

void writeInput(const QString &path, const QByteArray &bytes)
{
    writeInput(path, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

void check(bool condition, const char *message)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", message);
        std::abort();
    }
}

} // namespace Fuzz
