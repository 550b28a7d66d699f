#include "ProfileStore.h"

#include "AppConfig.h"
#include "IniAccess.h"
#include "Paths.h"
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

// Every key name of a profile section, built once: a profile file has 11,099
// keys and formatting them on each load and save would cost more than the I/O.
struct ProfileKeys
{
    QString pollrate = QStringLiteral("pollrate");
    QString dpi = QStringLiteral("dpi");
    QString pointer[6] = {QStringLiteral("mousespeed"),   QStringLiteral("dbclickspeed"),
                          QStringLiteral("scrollispage"), QStringLiteral("scrollspeed"),
                          QStringLiteral("accelenable"),  QStringLiteral("acee")};
    QString stage[kDpiStageCount][5]; // used, link, xy, x, y
    QString button[kButtonCount][9];  // ID, Fun, LoopNumber, KeyNumber, Res1..Res4, macroname
    std::vector<QString> keyInfo;     // [button][entry][map, key, H]
    QString profileName = QStringLiteral("ProfileName");
    QString profilePath = QStringLiteral("ProfilePath");
    QString ledMode = QStringLiteral("LedMode");
    QString ledMoveOff = QStringLiteral("LedMoveOFF");
    QString ledSleepTime = QStringLiteral("LedSleepTime");
    QString led[kLedModeCount][6]; // RGB, h, s, v, bright, breath

    ProfileKeys()
    {
        static const char *const stageSuffix[5] = {"used", "link", "xy", "x", "y"};
        for (int i = 0; i < kDpiStageCount; ++i)
            for (int k = 0; k < 5; ++k)
                stage[i][k] = QStringLiteral("DPI_INFO_%1_%2").arg(i).arg(QLatin1String(stageSuffix[k]));
        static const char *const buttonSuffix[9] = {"ID",   "Fun",  "LoopNumber", "KeyNumber", "Res1",
                                                    "Res2", "Res3", "Res4",       "macroname"};
        keyInfo.reserve(size_t(kButtonCount) * kKeyInfoCount * 3);
        for (int b = 0; b < kButtonCount; ++b) {
            for (int k = 0; k < 9; ++k)
                button[b][k] = QStringLiteral("BUTTON_INFO_%1_%2").arg(b).arg(QLatin1String(buttonSuffix[k]));
            for (int e = 0; e < kKeyInfoCount; ++e) {
                const QString base = QStringLiteral("BUTTON_INFO_%1_KeyInfo_%2_").arg(b).arg(e);
                keyInfo.push_back(base + QStringLiteral("map"));
                keyInfo.push_back(base);
                keyInfo.push_back(base + QStringLiteral("H"));
            }
        }
        static const char *const ledSuffix[6] = {"RGB", "h", "s", "v", "bright", "breath"};
        for (int m = 0; m < kLedModeCount; ++m)
            for (int k = 0; k < 6; ++k)
                led[m][k] = QStringLiteral("LedMode/LED_MODE_%1_%2").arg(m).arg(QLatin1String(ledSuffix[k]));
    }

    const QString &info(int b, int e, int field) const
    {
        return keyInfo[(size_t(b) * kKeyInfoCount + e) * 3 + field];
    }
};

const ProfileKeys &keys()
{
    static const ProfileKeys k;
    return k;
}

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

int intOr(const QSettings &s, const QString &key, int def)
{
    return IniAccess::intOr(s, key, def);
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

// The whole file, or an empty array when it cannot be read.
QByteArray fileText(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
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

// The reading walk over one section (the group must be open). With
// ledOptions false, LedMoveOFF and LedSleepTime are left as they are.
void readSection(const QSettings &s, ProfileData &p, bool ledOptions)
{
    const ProfileKeys &k = keys();
    p.pollrate = toByte(s.value(k.pollrate));
    p.dpi = toByte(s.value(k.dpi));
    for (int i = 0; i < kDpiStageCount; ++i) {
        DpiStage &d = p.DPI_INFO[size_t(i)];
        d.used = toByte(s.value(k.stage[i][0]));
        d.link = toByte(s.value(k.stage[i][1]));
        d.xy = toInt32(s.value(k.stage[i][2]));
        d.x = toInt32(s.value(k.stage[i][3]));
        d.y = toInt32(s.value(k.stage[i][4]));
    }
    uint8_t *pointer[6] = {&p.mousespeed,  &p.dbclickspeed, &p.scrollispage,
                           &p.scrollspeed, &p.accelenable,  &p.acee};
    for (int i = 0; i < 6; ++i)
        *pointer[i] = toByte(s.value(k.pointer[i]));
    for (int b = 0; b < kButtonCount; ++b) {
        ButtonAssignment &a = p.BUTTON_INFO[size_t(b)];
        a.ID = toInt32(s.value(k.button[b][0]));
        a.Fun = toInt32(s.value(k.button[b][1]));
        a.LoopNumber = toInt32(s.value(k.button[b][2]));
        a.KeyNumber = toInt32(s.value(k.button[b][3]));
        a.Res1 = toByte(s.value(k.button[b][4]));
        a.Res2 = toByte(s.value(k.button[b][5]));
        a.Res3 = toByte(s.value(k.button[b][6]));
        a.Res4 = toByte(s.value(k.button[b][7]));
        a.macroname = toText(s.value(k.button[b][8]));
        for (int e = 0; e < kKeyInfoCount; ++e) {
            KeyInfo &ki = a.KeyInfo[size_t(e)];
            ki.map = toByte(s.value(k.info(b, e, 0)));
            ki.key = toByte(s.value(k.info(b, e, 1)));
            ki.H = toByte(s.value(k.info(b, e, 2)));
        }
    }
    p.ProfileName = toText(s.value(k.profileName));
    p.ProfilePath = toText(s.value(k.profilePath));
    p.LedMode = toByte(s.value(k.ledMode));
    if (ledOptions) {
        p.LedMoveOFF = uint8_t(intOr(s, k.ledMoveOff, 255) & 0xff);
        p.LedSleepTime = uint8_t(intOr(s, k.ledSleepTime, 1) & 0xff);
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        LedModeSetting &l = p.LED_MODE[size_t(m)];
        l.RGB = IniAccess::toColor(s.value(k.led[m][0]));
        l.h = toInt32(s.value(k.led[m][1]));
        l.s = toInt32(s.value(k.led[m][2]));
        l.v = toInt32(s.value(k.led[m][3]));
        l.bright = toInt32(s.value(k.led[m][4]));
        l.breath = toInt32(s.value(k.led[m][5]));
    }
    keepIndexesInTables(p);
}

void writeSection(QSettings &s, const ProfileData &p, bool ledOptions)
{
    const ProfileKeys &k = keys();
    auto u32 = [](int32_t v) { return uint(uint32_t(v)); };
    s.setValue(k.pollrate, uint(p.pollrate));
    s.setValue(k.dpi, uint(p.dpi));
    for (int i = 0; i < kDpiStageCount; ++i) {
        const DpiStage &d = p.DPI_INFO[size_t(i)];
        s.setValue(k.stage[i][0], uint(d.used));
        s.setValue(k.stage[i][1], uint(d.link));
        s.setValue(k.stage[i][2], u32(d.xy));
        s.setValue(k.stage[i][3], u32(d.x));
        s.setValue(k.stage[i][4], u32(d.y));
    }
    const uint8_t pointer[6] = {p.mousespeed,  p.dbclickspeed, p.scrollispage,
                                p.scrollspeed, p.accelenable,  p.acee};
    for (int i = 0; i < 6; ++i)
        s.setValue(k.pointer[i], uint(pointer[i]));
    for (int b = 0; b < kButtonCount; ++b) {
        const ButtonAssignment &a = p.BUTTON_INFO[size_t(b)];
        s.setValue(k.button[b][0], a.ID);
        s.setValue(k.button[b][1], a.Fun);
        s.setValue(k.button[b][2], a.LoopNumber);
        s.setValue(k.button[b][3], a.KeyNumber);
        s.setValue(k.button[b][4], uint(a.Res1));
        s.setValue(k.button[b][5], uint(a.Res2));
        s.setValue(k.button[b][6], uint(a.Res3));
        s.setValue(k.button[b][7], uint(a.Res4));
        s.setValue(k.button[b][8], a.macroname);
        for (int e = 0; e < kKeyInfoCount; ++e) {
            const KeyInfo &ki = a.KeyInfo[size_t(e)];
            s.setValue(k.info(b, e, 0), uint(ki.map));
            s.setValue(k.info(b, e, 1), uint(ki.key));
            s.setValue(k.info(b, e, 2), uint(ki.H));
        }
    }
    s.setValue(k.profileName, p.ProfileName);
    s.setValue(k.profilePath, p.ProfilePath);
    s.setValue(k.ledMode, uint(p.LedMode));
    if (ledOptions) {
        s.setValue(k.ledMoveOff, uint(p.LedMoveOFF));
        s.setValue(k.ledSleepTime, uint(p.LedSleepTime));
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        const LedModeSetting &l = p.LED_MODE[size_t(m)];
        s.setValue(k.led[m][0], l.RGB);
        s.setValue(k.led[m][1], u32(l.h));
        s.setValue(k.led[m][2], u32(l.s));
        s.setValue(k.led[m][3], u32(l.v));
        s.setValue(k.led[m][4], u32(l.bright));
        s.setValue(k.led[m][5], u32(l.breath));
    }
}

// The record a slot gets when it has no file: zeros, LED options 255 and 1.
ProfileData emptyProfile()
{
    return ProfileData();
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

// The "Config" keys of the set (slot, sensor bytes) from an open file.
void readConfigKeys(const QSettings &s, ProfileSet &set)
{
    set.ProfileID = slotOrZero(IniAccess::toInt(s.value(QStringLiteral("Config/ProfileID"))));
    for (int i = 0; i < 8; ++i)
        *sensorField(set, i) = toByte(s.value(QLatin1String(kSensorKeys[i])));
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

bool readProfileSection(int section, ProfileData &profile, const QString &file, QString *errorText)
{
    profile = emptyProfile();
    if (!IniAccess::checkReadable(file, errorText))
        return false;
    if (ProfileIni::readSection(fileText(file), section, profile, true)) {
        keepIndexesInTables(profile);
        return true;
    }
    // Anything the fast reader does not take as QSettings would goes through QSettings.
    QSettings s(file, QSettings::IniFormat);
    s.beginGroup(sectionName(section));
    readSection(s, profile, true);
    s.endGroup();
    if (s.status() == QSettings::FormatError) {
        setError(errorText,
                 QStringLiteral("%1 is malformed; what could not be read has its default.").arg(file));
        return false;
    }
    return true;
}

bool writeProfileSection(int section, const ProfileData &profile, const QString &file, QString *errorText)
{
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    // A file that holds nothing but this section is written whole, exactly as
    // QSettings would write it; anything else is merged by QSettings.
    if (!QFileInfo::exists(file) || ProfileIni::replaceable(fileText(file), section, true))
        return saveText(file, ProfileIni::writeSection(section, profile, true), errorText);
    QSettings s(file, QSettings::IniFormat);
    s.beginGroup(sectionName(section));
    writeSection(s, profile, true);
    s.endGroup();
    return IniAccess::finish(s, errorText);
}

bool readSlotProfile(ProfileData &profile, const QString &name, QString *errorText)
{
    const QString path = slotProfilePath(name, errorText);
    if (path.isEmpty()) {
        profile = emptyProfile();
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
        profile = emptyProfile();
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

int loadProfileSet(ProfileSet &set, QString *errorText)
{
    int result = 0;
    QStringList problems;
    const QString config = AppConfig::globalConfigFile();
    ProfileSet loaded; // every key defaults to 0, every name to empty
    {
        QString why;
        if (IniAccess::notTooLarge(config, &why)) {
            QSettings s(config, QSettings::IniFormat);
            readConfigKeys(s, loaded);
            for (int i = 0; i < kProfileCount; ++i)
                loaded.names[size_t(i)] = toText(s.value(QStringLiteral("Config/Profile%1").arg(i + 1)));
        } else {
            problems << why;
        }
    }
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileData &p = loaded.profiles[size_t(i)];
        const QString &name = loaded.names[size_t(i)];
        p = emptyProfile();
        if (name.isEmpty())
            continue;
        QString why;
        if (!Paths::isSafeName(name, &why)) {
            problems << QStringLiteral("Slot %1: profile name \"%2\" cannot be used: %3")
                            .arg(i + 1)
                            .arg(name, why);
            result = -1;
            continue;
        }
        if (!readSlotProfile(p, name, &why) && QFileInfo::exists(slotProfilePath(name)))
            problems << why;
    }
    DeviceDescription::ButtonMatrix matrix;
    if (DeviceDescription::loadMatrix(matrix) == 0)
        setButtonMatrix(matrix);
    set = loaded;
    if (!problems.isEmpty()) {
        for (const QString &p : problems)
            qDebug() << "loadProfileSet:" << p;
        setError(errorText, problems.join(QLatin1Char(' ')));
    }
    return result;
}

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
    const QString config = AppConfig::globalConfigFile();
    if (!IniAccess::notTooLarge(config, errorText))
        return false;
    {
        QSettings s(config, QSettings::IniFormat);
        // Same keys as the program always wrote, Sync before LiftHigh included.
        s.setValue(QStringLiteral("Config/ProfileID"), uint(set.ProfileID));
        s.setValue(QStringLiteral("Config/AngleValue"), uint(set.AngleValue));
        s.setValue(QStringLiteral("Config/Sync"), uint(set.Sync));
        s.setValue(QStringLiteral("Config/LiftHigh"), uint(set.LiftHigh));
        s.setValue(QStringLiteral("Config/Jitter"), uint(set.Jitter));
        s.setValue(QStringLiteral("Config/Debounce"), uint(set.Debounce));
        s.setValue(QStringLiteral("Config/Wake"), uint(set.Wake));
        s.setValue(QStringLiteral("Config/SensorMode"), uint(set.SensorMode));
        s.setValue(QStringLiteral("Config/Count"), uint(set.Count));
        s.setValue(QStringLiteral("Config/Profile1"), name);
        if (!IniAccess::finish(s, errorText))
            return false;
    }
    return writeProfileSection(0, set.profiles[0], path, errorText);
}

bool saveWholeProfileSet(const ProfileSet &set, QString *errorText)
{
    // Check every name first so that a bad one leaves all files as they were.
    for (int i = 1; i < kProfileCount; ++i) {
        const QString &name = set.names[size_t(i)];
        if (!name.isEmpty() && slotProfilePath(name, errorText).isEmpty())
            return false;
    }
    if (!saveProfileSet(set, errorText))
        return false;
    for (int i = 1; i < kProfileCount; ++i) {
        const QString &name = set.names[size_t(i)];
        if (!name.isEmpty() && !writeSlotProfile(set.profiles[size_t(i)], name, errorText))
            return false;
    }
    AppConfig::saveSlotNames(set);
    return true;
}

bool exportProfileSet(const ProfileSet &set, const QString &file, QString *errorText)
{
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    QSettings s(file, QSettings::IniFormat);
    s.clear(); // an export replaces whatever the chosen file held
    writeConfigKeys(s, set);
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(QStringLiteral("Config/Profile%1").arg(i + 1), set.names[size_t(i)]);
    for (int i = 0; i < kProfileCount; ++i) {
        s.beginGroup(sectionName(i));
        writeSection(s, set.profiles[size_t(i)], false);
        s.endGroup();
    }
    return IniAccess::finish(s, errorText);
}

bool importProfileSet(ProfileSet &set, const QString &file, QString *errorText)
{
    if (!IniAccess::checkReadable(file, errorText))
        return false;
    const QByteArray text = fileText(file);
    QSettings s(file, QSettings::IniFormat);
    ProfileSet imported = set;
    readConfigKeys(s, imported);
    for (int i = 0; i < kProfileCount; ++i) {
        // Files written before the names were exported lack them: keep the slot's name.
        const QString name = toText(s.value(QStringLiteral("Config/Profile%1").arg(i + 1)));
        if (Paths::isSafeName(name))
            imported.names[size_t(i)] = name;
        else if (!name.isEmpty())
            qDebug() << "importProfileSet: slot" << i + 1 << "keeps its name; unusable name" << name;
        ProfileData &p = imported.profiles[size_t(i)];
        if (ProfileIni::readSection(text, i, p, false)) {
            keepIndexesInTables(p);
        } else {
            s.beginGroup(sectionName(i));
            readSection(s, p, false);
            s.endGroup();
        }
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

bool exportConfiguration(const ProfileSet &set, const QString &file, const QString &model, QString *errorText)
{
    return exportProfileSet(set, file, errorText) && writeExportModelName(file, model, errorText);
}

bool importConfiguration(ProfileSet &set, const QString &file, const QString &model, QString *errorText)
{
    if (!IniAccess::checkReadable(file, errorText))
        return false;
    if (readExportModelName(file) != model) {
        setError(errorText, QStringLiteral("The file is not match current mouse!"));
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
