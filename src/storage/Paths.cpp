#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef MOUSECFG_SHARE_DIR
#define MOUSECFG_SHARE_DIR "/usr/local/share/mousecfg"
#endif
// The share folder as seen from the installed executable's folder
// ("../share/mousecfg"): a copy installed under another prefix than the one
// it was configured with (cmake --install --prefix, DESTDIR moved into place)
// still finds its data.
#ifndef MOUSECFG_SHARE_DIR_FROM_BIN
#define MOUSECFG_SHARE_DIR_FROM_BIN "../share/mousecfg"
#endif

#include <mutex>

namespace {

std::mutex g_mutex; // visible to ThreadSanitizer, unlike QMutex
QString g_configDir;
QString g_dataDir;

QString appDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

bool isWritableDir(const QString &path)
{
    QFileInfo fi(path);
    return fi.isDir() && fi.isWritable();
}

// A copy that lands whole under its name (written beside it, then renamed),
// without QFile::copy's flush to the disk: on a first start that flush cost
// more than all the rest of the start-up. A copy cut short by a crash stays
// empty, and an empty file is seeded again.
void copyWhole(const QString &src, const QString &dst)
{
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = in.readAll();
    const QString part = dst + QStringLiteral(".part");
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(data) != data.size() ||
        !out.flush()) {
        out.remove();
        return;
    }
    out.close();
    QFile::remove(dst);
    if (!QFile::rename(part, dst))
        QFile::remove(part);
}

// Copy the shipped default configuration into a new per-user folder.
void seedFrom(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    if (!QFileInfo(from).isDir())
        return;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        const QString dst = to + QLatin1Char('/') + rel;
        if (QFileInfo(dst).size() > 0)
            continue;
        QDir().mkpath(QFileInfo(dst).absolutePath());
        copyWhole(src, dst);
    }
}

QString resolveConfigDir()
{
    const QString env = qEnvironmentVariable("MOUSECFG_CONFIG_DIR");
    if (!env.isEmpty()) {
        const QString dir = QDir(env).absolutePath();
        QDir().mkpath(dir);
        Paths::seedConfigDir(dir);
        return dir;
    }
    const QString beside = appDir() + QStringLiteral("/Configs");
    if (isWritableDir(beside))
        return beside;
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share/mousecfg");
    const QString user = base + QStringLiteral("/Configs");
    QDir().mkpath(user);
    Paths::seedConfigDir(user);
    return user;
}

QString resolveDataDir()
{
    const QString env = qEnvironmentVariable("MOUSECFG_DATA_DIR");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    const QString beside = appDir();
    if (QFileInfo::exists(beside + QStringLiteral("/DefaultProfile.bin")))
        return beside;
    const QString relative =
        QDir::cleanPath(beside + QLatin1Char('/') + QStringLiteral(MOUSECFG_SHARE_DIR_FROM_BIN));
    if (QFileInfo::exists(relative + QStringLiteral("/DefaultProfile.bin")))
        return relative;
    const QString share = QStringLiteral(MOUSECFG_SHARE_DIR);
    if (QFileInfo::exists(share + QStringLiteral("/DefaultProfile.bin")))
        return share;
    return beside;
}

} // namespace

namespace Paths {

QString configDir()
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_configDir.isEmpty())
            return g_configDir;
    }
    // Resolved without the lock: the per-user fallback asks dataDir(), which takes it too.
    const QString dir = resolveConfigDir();
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_configDir.isEmpty())
        g_configDir = dir;
    return g_configDir;
}

QString dataDir()
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_dataDir.isEmpty())
            return g_dataDir;
    }
    const QString dir = resolveDataDir();
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_dataDir.isEmpty())
        g_dataDir = dir;
    return g_dataDir;
}

QString deviceDescriptionFile()
{
    return dataDir() + QStringLiteral("/DefaultProfile.bin");
}

void setConfigDir(const QString &dir)
{
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    std::lock_guard<std::mutex> lock(g_mutex);
    g_configDir = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

void setDataDir(const QString &dir)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_dataDir = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

void seedConfigDir(const QString &dir)
{
    if (QFileInfo(dir + QStringLiteral("/Config.ini")).size() > 0)
        return;
    // The shipped defaults as they were shipped: "defaults/Configs" in the
    // build's layout (its "Configs" is a portable configuration in use), the
    // installed share folder's "Configs" otherwise.
    QString shipped = dataDir() + QStringLiteral("/defaults/Configs");
    if (!QFileInfo(shipped + QStringLiteral("/Config.ini")).isFile())
        shipped = dataDir() + QStringLiteral("/Configs");
    if (!QFileInfo(shipped + QStringLiteral("/Config.ini")).isFile() || QDir(shipped) == QDir(dir))
        return;
    seedFrom(shipped, dir);
}

bool isSafeName(const QString &name, QString *errorText)
{
    // The reasons reach the user's messages: in the language installed now.
    auto fail = [errorText](const char *why, const QString &arg = QString()) {
        if (errorText) {
            const QString text = QCoreApplication::translate("Paths", why);
            *errorText = arg.isNull() ? text : text.arg(arg);
        }
        return false;
    };
    if (name.isEmpty())
        return fail(QT_TRANSLATE_NOOP("Paths", "The name is empty."));
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return fail(QT_TRANSLATE_NOOP("Paths", "The name \"%1\" is not allowed."), name);
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return fail(QT_TRANSLATE_NOOP("Paths", "The name must not contain '/' or '\\'."));
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return fail(QT_TRANSLATE_NOOP("Paths", "The name must not contain control characters."));
    }
    // Leave room for the longest extension we add (".MSMACRO") within NAME_MAX.
    if (name.toUtf8().size() > 240)
        return fail(QT_TRANSLATE_NOOP("Paths", "The name is too long."));
    if (errorText)
        errorText->clear();
    return true;
}

} // namespace Paths
