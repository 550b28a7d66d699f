#include "ProfileStore.h"

#include "AppConfig.h"
#include "IniAccess.h"
#include "Log.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileIni.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>

#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

using IniAccess::setError;
using IniAccess::toByte;
using IniAccess::toInt32;

#include <mutex>

namespace {

// Keys of the "Config" section shared by Config.ini and the export file, in file order.
const char *const kSensorKeys[] = {"Config/AngleValue", "Config/LiftHigh", "Config/Sync",
                                   "Config/Jitter",     "Config/Debounce", "Config/Wake",
                                   "Config/SensorMode", "Config/Count"};

uint8_t *sensorField(ProfileSet &set, int i)
{
    uint8_t *fields[] = {&set.AngleValue, &set.LiftHigh, &set.Sync,       &set.Jitter,
                         &set.Debounce,   &set.Wake,     &set.SensorMode, &set.Count};
    return fields[i];
}

uint8_t sensorValue(const ProfileSet &set, int i)
{
    return *sensorField(const_cast<ProfileSet &>(set), i);
}

QString sectionName(int section)
{
    return QStringLiteral("PROFILE_%1").arg(section);
}

// A string value; a hand-written value with commas reads as a list, joined back.
QString toText(const QVariant &v)
{
    if (v.userType() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

// Values that index tables: one from a damaged or hostile file must not
// point past its table, so it reads as if the key were missing.
void keepIndexesInTables(ProfileData &p)
{
    if (p.dpi >= kDpiStageCount)
        p.dpi = 0;
    if (p.LedMode >= kLedModeCount)
        p.LedMode = 0;
}

// Writes TEXT as FILE through a save file (atomic replace). The modification
// time always moves forward, so that QSettings' cache of the file in this
// process notices the change even within one millisecond.
// Modification time of FILE in milliseconds, 0 when it does not exist. Plain
// stat(): QFileInfo converts through the local time zone, which is not free
// and not safe to do from two threads at once.
qint64 modifiedMs(const QByteArray &path)
{
    struct stat st;
    if (stat(path.constData(), &st) != 0)
        return 0;
    return qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

bool saveText(const QString &file, const QByteArray &text, QString *errorText)
{
    const QByteArray path = QFile::encodeName(file);
    const qint64 oldMs = modifiedMs(path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        setError(errorText, QStringLiteral("%1 could not be written: %2").arg(file, out.errorString()));
        return false;
    }
    if (oldMs != 0 && modifiedMs(path) <= oldMs) {
        const qint64 ms = oldMs + 1;
        struct timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = time_t(ms / 1000);
        times[1].tv_nsec = long(ms % 1000) * 1000000L;
        utimensat(AT_FDCWD, path.constData(), times, 0);
    }
    return true;
}

// What a profile gets for every key its file lacks: the factory profile.
ProfileData factoryProfile()
{
    ProfileData p;
    ProfileDefaults::buildDefaultProfile(p);
    return p;
}

bool checkName(const QString &what, const QString &name, QString *errorText)
{
    QString why;
    if (Paths::isSafeName(name, &why))
        return true;
    setError(errorText, QStringLiteral("%1 \"%2\" cannot be used: %3").arg(what, name, why));
    return false;
}

uint8_t slotOrZero(int id)
{
    return uint8_t((id >= 0 && id < kProfileCount) ? id : 0);
}

// The "Config" keys of the set (slot, sensor bytes) from an open file; a key
// the file lacks leaves its value as it was.
void readConfigKeys(const QSettings &s, ProfileSet &set)
{
    const QVariant id = s.value(QStringLiteral("Config/ProfileID"));
    if (id.isValid())
        set.ProfileID = slotOrZero(IniAccess::toInt(id));
    for (int i = 0; i < 8; ++i) {
        const QVariant v = s.value(QLatin1String(kSensorKeys[i]));
        if (v.isValid())
            *sensorField(set, i) = toByte(v);
    }
}

void writeConfigKeys(QSettings &s, const ProfileSet &set)
{
    s.setValue(QStringLiteral("Config/ProfileID"), uint(set.ProfileID));
    for (int i = 0; i < 8; ++i)
        s.setValue(QLatin1String(kSensorKeys[i]), uint(sensorValue(set, i)));
}

// std::mutex rather than QMutex: its locking is visible to ThreadSanitizer.
std::mutex g_matrixMutex;
DeviceDescription::ButtonMatrix g_matrix = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// Slot I of set as a slot that was never saved: the factory profile under the
// slot's name ("Profile N" when it has none).
void startSlot(ProfileSet &set, int i, const ProfileData &factory)
{
    QString &name = set.names[size_t(i)];
    if (name.isEmpty())
        name = ProfileDefaults::defaultSlotName(i);
    set.profiles[size_t(i)] = factory;
    set.profiles[size_t(i)].ProfileName = name;
}

// Reads the files of the slots in slotMask into set over the factory profile,
// each under set's name for it; a line per slot that was not read whole goes
// to problems. Returns 0 when every stored slot was read whole, -1 otherwise.
int readSlots(ProfileSet &set, unsigned slotMask, const ProfileData &factory, QStringList &problems)
{
    int result = 0;
    for (int i = 0; i < kProfileCount; ++i) {
        if (!(slotMask & (1u << i)))
            continue;
        startSlot(set, i, factory);
        ProfileData &p = set.profiles[size_t(i)];
        const QString &name = set.names[size_t(i)];
        auto reset = [&](const QString &why) {
            problems << QStringLiteral("PROFILE %1 (\"%2\") WAS RESET TO THE FACTORY SETTINGS: %3")
                            .arg(i + 1)
                            .arg(name, why);
            result = -1;
        };
        auto partial = [&](const QString &file) {
            problems << QStringLiteral("PROFILE %1 (\"%2\"): %3 IS INCOMPLETE; THE MISSING SETTINGS HAVE "
                                       "THEIR FACTORY VALUES.")
                            .arg(i + 1)
                            .arg(name, file);
            result = -1;
        };
        QString why;
        const QString path = ProfileStore::slotProfilePath(name, &why);
        if (path.isEmpty()) {
            reset(why);
            continue;
        }
        // A slot that was never saved starts from the factory profile; nothing was lost.
        if (!QFileInfo::exists(path))
            continue;
        bool complete = false;
        if (!ProfileStore::readProfileSection(0, p, path, &why, &complete, &factory))
            reset(why);
        else if (!complete)
            partial(path);
        if (p.ProfileName.isEmpty())
            p.ProfileName = name;
    }
    return result;
}

void reportProblems(const QStringList &problems, QString *errorText)
{
    if (problems.isEmpty())
        return;
    for (const QString &p : problems)
        qCDebug(lcStorage).noquote() << "loadProfileSet:" << p;
    setError(errorText, problems.join(QLatin1Char('\n')));
}

} // namespace

namespace ProfileStore {

QString slotProfilePath(const QString &name, QString *errorText)
{
    if (!checkName(QStringLiteral("Profile name"), name, errorText))
        return QString();
    return Paths::configDir() + QStringLiteral("/Profile/") + name + QStringLiteral(".prof");
}

QString libraryProfilePath(const QString &model, const QString &name, QString *errorText)
{
    if (!checkName(QStringLiteral("Model name"), model, errorText) ||
        !checkName(QStringLiteral("Profile name"), name, errorText))
        return QString();
    return Paths::configDir() + QLatin1Char('/') + model + QStringLiteral("/Profile/") + name +
           QStringLiteral(".prof");
}

QString defaultProfilePath()
{
    return Paths::configDir() + QStringLiteral("/Profile/DefaultProfile.prof");
}

bool readProfileSection(int section, ProfileData &profile, const QString &file, QString *errorText,
                        bool *complete, const ProfileData *base)
{
    profile = base ? *base : factoryProfile();
    if (complete)
        *complete = false;
    // The check reads the file; its bytes are the ones parsed.
    QByteArray text;
    if (!IniAccess::checkReadable(file, errorText, &text))
        return false;
    if (text.isNull() && QFileInfo(file).size() > 0) {
        setError(errorText, QStringLiteral("%1 could not be read.").arg(file));
        return false;
    }
    int found = 0;
    if (!ProfileIni::readSection(text, section, profile, true, &found)) {
        // Anything the fast reader does not take as QSettings would goes through QSettings.
        QSettings s(file, QSettings::IniFormat);
        s.beginGroup(sectionName(section));
        found = ProfileIni::readSettings(s, profile, true);
        s.endGroup();
        if (s.status() == QSettings::FormatError) {
            setError(
                errorText,
                QStringLiteral("%1 is malformed; what could not be read has its factory value.").arg(file));
            keepIndexesInTables(profile);
            return false;
        }
    }
    keepIndexesInTables(profile);
    if (complete)
        *complete = found == ProfileIni::keyCount(true);
    return true;
}

bool writeProfileSection(int section, const ProfileData &profile, const QString &file, QString *errorText)
{
    QByteArray text;
    if (!IniAccess::notTooLarge(file, errorText, &text))
        return false;
    // A file that holds nothing but this section is written whole, exactly as
    // QSettings would write it; anything else is merged by QSettings.
    if (!QFileInfo::exists(file) || ProfileIni::replaceable(text, section, true))
        return saveText(file, ProfileIni::writeSection(section, profile, true), errorText);
    QSettings s(file, QSettings::IniFormat);
    s.beginGroup(sectionName(section));
    ProfileIni::writeSettings(s, profile, true);
    s.endGroup();
    return IniAccess::finish(s, errorText);
}

bool readSlotProfile(ProfileData &profile, const QString &name, QString *errorText)
{
    const QString path = slotProfilePath(name, errorText);
    if (path.isEmpty()) {
        profile = factoryProfile();
        return false;
    }
    return readProfileSection(0, profile, path, errorText);
}

bool writeSlotProfile(const ProfileData &profile, const QString &name, QString *errorText)
{
    const QString path = slotProfilePath(name, errorText);
    return !path.isEmpty() && writeProfileSection(0, profile, path, errorText);
}

bool readLibraryProfile(ProfileData &profile, const QString &model, const QString &name, QString *errorText)
{
    const QString path = libraryProfilePath(model, name, errorText);
    if (path.isEmpty()) {
        profile = factoryProfile();
        return false;
    }
    return readProfileSection(0, profile, path, errorText);
}

bool writeLibraryProfile(const ProfileData &profile, const QString &model, const QString &name,
                         QString *errorText)
{
    const QString path = libraryProfilePath(model, name, errorText);
    return !path.isEmpty() && writeProfileSection(0, profile, path, errorText);
}

int loadProfileSet(ProfileSet &set, QString *errorText, unsigned *slotsLeft)
{
    int result = 0;
    QStringList problems;
    const QString config = AppConfig::globalConfigFile();
    // The mouse's default sensor settings for whatever Config.ini does not hold.
    ProfileSet loaded;
    ProfileDefaults::setDefaultSensorBytes(loaded);
    {
        QString why;
        if (IniAccess::notTooLarge(config, &why)) {
            QSettings s(config, QSettings::IniFormat);
            readConfigKeys(s, loaded);
            for (int i = 0; i < kProfileCount; ++i)
                loaded.names[size_t(i)] = toText(s.value(QStringLiteral("Config/Profile%1").arg(i + 1)));
        } else {
            problems << why;
            result = -1;
        }
    }

    const ProfileData factory = factoryProfile();
    unsigned mask = (1u << kProfileCount) - 1;
    if (slotsLeft) {
        const unsigned current = 1u << (loaded.ProfileID < kProfileCount ? loaded.ProfileID : 0);
        *slotsLeft = mask & ~current;
        mask = current;
    }
    for (int i = 0; i < kProfileCount; ++i) {
        if (!(mask & (1u << i)))
            startSlot(loaded, i, factory); // read later (loadSlots)
    }
    if (readSlots(loaded, mask, factory, problems) != 0)
        result = -1;
    DeviceDescription::ButtonMatrix matrix;
    if (DeviceDescription::loadMatrix(matrix) == 0)
        setButtonMatrix(matrix);
    set = loaded;
    reportProblems(problems, errorText);
    return result;
}

ProfileSetRead readStartingSet()
{
    ProfileSetRead read;
    read.result = loadProfileSet(read.set, &read.problems, &read.slotsLeft);
    return read;
}

int loadSlots(ProfileSet &set, unsigned slotMask, QString *errorText)
{
    QStringList problems;
    const int result = readSlots(set, slotMask, factoryProfile(), problems);
    reportProblems(problems, errorText);
    return result;
}

namespace {

// The "Config" keys of the set in Config.ini, as the program always wrote
// them (Sync before LiftHigh), and the names of the first SLOTNAMES slots.
bool writeConfigIni(const ProfileSet &set, int slotNames, QString *errorText)
{
    const QString config = AppConfig::globalConfigFile();
    if (!IniAccess::notTooLarge(config, errorText))
        return false;
    QSettings s(config, QSettings::IniFormat);
    s.setValue(QStringLiteral("Config/ProfileID"), uint(set.ProfileID));
    s.setValue(QStringLiteral("Config/AngleValue"), uint(set.AngleValue));
    s.setValue(QStringLiteral("Config/Sync"), uint(set.Sync));
    s.setValue(QStringLiteral("Config/LiftHigh"), uint(set.LiftHigh));
    s.setValue(QStringLiteral("Config/Jitter"), uint(set.Jitter));
    s.setValue(QStringLiteral("Config/Debounce"), uint(set.Debounce));
    s.setValue(QStringLiteral("Config/Wake"), uint(set.Wake));
    s.setValue(QStringLiteral("Config/SensorMode"), uint(set.SensorMode));
    s.setValue(QStringLiteral("Config/Count"), uint(set.Count));
    for (int i = 0; i < slotNames; ++i)
        s.setValue(QStringLiteral("Config/Profile%1").arg(i + 1), set.names[size_t(i)]);
    return IniAccess::finish(s, errorText);
}

} // namespace

bool saveProfileSet(const ProfileSet &set, QString *errorText)
{
    const QString &name = set.names[0];
    if (name.isEmpty()) {
        setError(errorText, QStringLiteral("Slot 1 has no profile name; nothing was saved."));
        return false;
    }
    const QString path = slotProfilePath(name, errorText);
    if (path.isEmpty())
        return false;
    return writeConfigIni(set, 1, errorText) && writeProfileSection(0, set.profiles[0], path, errorText);
}

bool saveWholeProfileSet(const ProfileSet &set, QString *errorText)
{
    // Every name first, so that a bad one leaves all files as they were.
    if (set.names[0].isEmpty()) {
        setError(errorText, QStringLiteral("Slot 1 has no profile name; nothing was saved."));
        return false;
    }
    for (int i = 0; i < kProfileCount; ++i) {
        const QString &name = set.names[size_t(i)];
        if (!name.isEmpty() && slotProfilePath(name, errorText).isEmpty())
            return false;
    }
    // Config.ini once, then each slot's file once.
    if (!writeConfigIni(set, kProfileCount, errorText))
        return false;
    for (int i = 0; i < kProfileCount; ++i) {
        const QString &name = set.names[size_t(i)];
        if (!name.isEmpty() && !writeSlotProfile(set.profiles[size_t(i)], name, errorText))
            return false;
    }
    return true;
}

bool exportConfiguration(const ProfileSet &set, const QString &file, const QString &model, QString *errorText)
{
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    // One pass of QSettings: each pass parses and writes the whole file again.
    QSettings s(file, QSettings::IniFormat);
    s.clear(); // an export replaces whatever the chosen file held
    s.setValue(QStringLiteral("MouseName/Name"), model);
    writeConfigKeys(s, set);
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(QStringLiteral("Config/Profile%1").arg(i + 1), set.names[size_t(i)]);
    for (int i = 0; i < kProfileCount; ++i) {
        s.beginGroup(sectionName(i));
        ProfileIni::writeSettings(s, set.profiles[size_t(i)], false);
        s.endGroup();
    }
    return IniAccess::finish(s, errorText);
}

bool importProfileSet(ProfileSet &set, const QString &file, QString *errorText)
{
    QByteArray text;
    if (!IniAccess::checkReadable(file, errorText, &text))
        return false;
    QSettings s(file, QSettings::IniFormat);
    ProfileSet imported = set;
    readConfigKeys(s, imported);
    const ProfileData factory = factoryProfile();
    for (int i = 0; i < kProfileCount; ++i) {
        // Files written before the names were exported lack them: keep the slot's name.
        const QString name = toText(s.value(QStringLiteral("Config/Profile%1").arg(i + 1)));
        if (Paths::isSafeName(name))
            imported.names[size_t(i)] = name;
        else if (!name.isEmpty())
            qCWarning(lcStorage) << "importProfileSet: slot" << i + 1 << "keeps its name; unusable name"
                                 << name;
        // What the file lacks has its factory value; the LED options stay the slot's own.
        ProfileData &p = imported.profiles[size_t(i)];
        ProfileData read = factory;
        read.LedMoveOFF = p.LedMoveOFF;
        read.LedSleepTime = p.LedSleepTime;
        if (!ProfileIni::readSection(text, i, read, false)) {
            s.beginGroup(sectionName(i));
            ProfileIni::readSettings(s, read, false);
            s.endGroup();
        }
        keepIndexesInTables(read);
        p = read;
    }
    set = imported;
    return true;
}

QString readExportModelName(const QString &file)
{
    if (!IniAccess::checkReadable(file))
        return QString();
    QSettings s(file, QSettings::IniFormat);
    return toText(s.value(QStringLiteral("MouseName/Name")));
}

bool writeExportModelName(const QString &file, const QString &model, QString *errorText)
{
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("MouseName/Name"), model);
    return IniAccess::finish(s, errorText);
}

bool importConfiguration(ProfileSet &set, const QString &file, const QString &model, QString *errorText,
                         ImportReport *report, bool loadIncomplete)
{
    const ImportReport check = ImportReport::check(file, ImportReport::FileKind::Configuration, model);
    if (report)
        *report = check;
    if (check.refused()) {
        setError(errorText, check.refusalText());
        return false;
    }
    if (check.isIncomplete() && !loadIncomplete) {
        setError(errorText, check.incompleteText() + QStringLiteral(" Nothing was loaded."));
        return false;
    }
    return importProfileSet(set, file, errorText);
}

DeviceDescription::ButtonMatrix buttonMatrix()
{
    std::lock_guard<std::mutex> lock(g_matrixMutex);
    return g_matrix;
}

void setButtonMatrix(const DeviceDescription::ButtonMatrix &matrix)
{
    std::lock_guard<std::mutex> lock(g_matrixMutex);
    g_matrix = matrix;
}

} // namespace ProfileStore
