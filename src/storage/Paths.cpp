#include "Paths.h"

#include "IniAccess.h"
#include "Log.h"
#include "ProfileIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

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

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

std::mutex g_mutex; // the two folders below; visible to ThreadSanitizer, unlike QMutex
QString g_configDir;
QString g_dataDir;
// Resolving and seeding the configuration folder: one thread at a time. Taken
// before g_mutex, never while holding it (the per-user fallback asks dataDir()).
std::mutex g_seedMutex;

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

// Gives the file TEMPORARY the name DST unless a file is there: link() never
// replaces one, so a file another thread, another copy of the program or the
// user put there first is kept. Where the file system has no hard links,
// renameat2(RENAME_NOREPLACE) does the same. False when DST existed (or
// neither works).
bool nameWithoutReplacing(const QByteArray &temporary, const QByteArray &dst)
{
    if (::link(temporary.constData(), dst.constData()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    return ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0;
}

// Puts a copy of SRC at DST, whole or not at all, unless DST holds something.
// The copy is written under a unique name beside DST and then named DST
// without replacing anything (see nameWithoutReplacing); an empty DST, which
// a copy cut short by a crash of an older version left, is replaced. Not
// flushed to the disk as QFile::copy does: on a first start that flush cost
// more than all the rest of the start-up.
void seedFile(const QString &src, const QString &dst)
{
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = in.read(IniAccess::kMaxIniBytes);
    const QFileInfo target(dst);
    QTemporaryFile out(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                       QStringLiteral(".seed-XXXXXX"));
    if (!out.open() || out.write(data) != data.size() || !out.flush()) {
        qCWarning(lcStorage) << dst << "could not be seeded:" << out.errorString();
        return;
    }
    // QTemporaryFile creates its file for its owner alone; a seeded file is an ordinary one.
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                       QFileDevice::ReadOther);
    const QByteArray temporary = QFile::encodeName(out.fileName());
    const QByteArray path = QFile::encodeName(dst);
    if (!nameWithoutReplacing(temporary, path)) {
        const QFileInfo there(dst);
        const bool empty = there.isFile() && !there.isSymLink() && there.size() == 0;
        if (!there.exists() || (empty && ::rename(temporary.constData(), path.constData()) != 0))
            qCWarning(lcStorage) << dst << "could not be seeded:" << strerror(errno);
    }
    // The temporary name goes with out (after a rename there is nothing left to remove).
}

// Copies the shipped default configuration into a configuration folder.
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
        seedFile(src, dst);
    }
}

// Every key and value of the INI file FILE, read plainly where it can be (see
// ProfileIni::readPlain), through QSettings otherwise; false when it cannot be read.
bool readKeys(const QString &file, QHash<QString, QVariant> &values)
{
    QByteArray text;
    QString why;
    if (!IniAccess::notTooLarge(file, &why, &text)) {
        qCWarning(lcStorage).noquote() << why;
        return false;
    }
    if (text.isNull())
        return false;
    if (ProfileIni::readPlain(text, values))
        return true;
    const QSettings s(file, QSettings::IniFormat);
    for (const QString &key : s.allKeys())
        values.insert(key, s.value(key));
    return s.status() == QSettings::NoError;
}

// True when FILE plainly holds every key name of SHIPPEDFILE: the check each
// start makes, cheaper than reading both files' values. False says nothing
// (a key may be written another way); the full comparison decides then.
bool holdsEveryKeyOf(const QString &shippedFile, const QString &file)
{
    QByteArray shipped;
    QByteArray present;
    if (!IniAccess::notTooLarge(shippedFile, nullptr, &shipped) ||
        !IniAccess::notTooLarge(file, nullptr, &present) || shipped.isNull() || present.isNull())
        return false;
    std::vector<quint64> have;
    std::vector<quint64> need;
    return ProfileIni::keyNameHashes(present, have) && ProfileIni::keyNameHashes(shipped, need) &&
           std::includes(have.begin(), have.end(), need.begin(), need.end());
}

// A Config.ini that lacks keys of the shipped one (written by an older copy,
// or cut short: a first start of older versions could leave two keys) gets
// them back with their shipped values; every key it holds keeps its value. A
// complete one is not written. Written through QSettings, which replaces the
// file atomically.
void completeConfig(const QString &shippedFile, const QString &file)
{
    if (holdsEveryKeyOf(shippedFile, file))
        return;
    QHash<QString, QVariant> shipped;
    QHash<QString, QVariant> present;
    if (!readKeys(shippedFile, shipped) || !readKeys(file, present))
        return;
    QStringList missing;
    for (auto it = shipped.cbegin(); it != shipped.cend(); ++it) {
        if (!present.contains(it.key()))
            missing << it.key();
    }
    if (missing.isEmpty())
        return;
    missing.sort();
    qCDebug(lcStorage) << file << "lacks" << missing.size() << "shipped keys; they are added";
    QSettings s(file, QSettings::IniFormat);
    for (const QString &key : qAsConst(missing))
        s.setValue(key, shipped.value(key));
    QString error;
    if (!IniAccess::finish(s, &error))
        qCWarning(lcStorage).noquote() << error;
}

// The shipped defaults as they were shipped: "defaults/Configs" in the
// build's layout (its "Configs" is a portable configuration in use), the
// installed share folder's "Configs" otherwise. Empty when neither holds a
// Config.ini.
QString shippedConfigDir()
{
    const QString data = Paths::dataDir();
    for (const QString &dir :
         {data + QStringLiteral("/defaults/Configs"), data + QStringLiteral("/Configs")}) {
        if (QFileInfo(dir + QStringLiteral("/Config.ini")).isFile())
            return dir;
    }
    return QString();
}

// Paths::seedConfigDir() with g_seedMutex held.
void seedLocked(const QString &dir)
{
    const QString shipped = shippedConfigDir();
    if (shipped.isEmpty() || QDir(shipped) == QDir(dir))
        return;
    const QString config = dir + QStringLiteral("/Config.ini");
    if (QFileInfo(config).size() == 0)
        seedFrom(shipped, dir);
    completeConfig(shipped + QStringLiteral("/Config.ini"), config);
}

// With g_seedMutex held.
QString resolveConfigDir()
{
    const QString env = qEnvironmentVariable("MOUSECFG_CONFIG_DIR");
    if (!env.isEmpty()) {
        const QString dir = QDir(env).absolutePath();
        QDir().mkpath(dir);
        seedLocked(dir);
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
    seedLocked(user);
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
    // One thread resolves and seeds; one that asks meanwhile waits for it and
    // takes its answer (two seeding one folder at once lost Config.ini).
    std::lock_guard<std::mutex> seeding(g_seedMutex);
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_configDir.isEmpty())
            return g_configDir;
    }
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
    std::lock_guard<std::mutex> seeding(g_seedMutex);
    seedLocked(dir);
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
