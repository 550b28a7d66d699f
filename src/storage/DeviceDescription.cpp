#include "DeviceDescription.h"

#include "IniAccess.h"
#include "Paths.h"
#include "ProfileIni.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSettings>

#include <memory>
#include <utility>

using IniAccess::toByte;
using IniAccess::toInt;

namespace {

const QString kSection = QStringLiteral("PROFILE/");

// The description file as last parsed: its bytes and state on disk, and every
// value QSettings read from them. Many accessors run at start-up and each would
// otherwise parse the file again; a call that finds other bytes (or another
// path, or the file gone or refused) parses anew. (QSettings keeps its own
// parse of a file whose size and time have not changed.)
struct Snapshot
{
    enum State
    {
        Missing,
        NotReadable, // not a file, or no permission
        TooLarge,
        Read
    };
    QString path;
    State state = Missing;
    QByteArray bytes;
    bool readable = false; // IniAccess::checkReadable
    QHash<QString, QVariant> values;

    QVariant value(const QString &key) const { return values.value(key); }
    int intOr(const QString &key, int def) const
    {
        const QVariant v = value(key);
        return v.isValid() ? IniAccess::toInt(v) : def;
    }
};

// The file's state now: everything of a Snapshot but its values.
Snapshot probe(const QString &path)
{
    Snapshot s;
    s.path = path;
    const QFileInfo fi(path);
    if (!fi.exists())
        return s;
    s.state = Snapshot::NotReadable;
    if (!fi.isFile() || !fi.isReadable())
        return s;
    if (fi.size() > IniAccess::kMaxIniBytes) {
        s.state = Snapshot::TooLarge;
        return s;
    }
    switch (IniAccess::readFile(path, &s.bytes)) {
    case IniAccess::ReadStatus::Read:
        s.state = Snapshot::Read;
        break;
    case IniAccess::ReadStatus::TooLarge: // it grew
        s.state = Snapshot::TooLarge;
        break;
    default:
        break;
    }
    return s;
}

bool sameFile(const Snapshot &a, const Snapshot &b)
{
    return a.state == b.state && a.path == b.path && a.bytes == b.bytes;
}

std::shared_ptr<const Snapshot> snapshot()
{
    static QMutex mutex;
    static std::shared_ptr<const Snapshot> last;
    Snapshot now = probe(DeviceDescription::filePath());
    QMutexLocker lock(&mutex);
    if (last && sameFile(*last, now))
        return last;
    lock.unlock();
    now.readable = IniAccess::checkReadable(now.path);
    // A missing or refused file reads as empty: every key at its default. The
    // shipped file is plain INI, read without QSettings' parse (the first
    // QSettings of a start costs about 1 ms before the window).
    const bool plain =
        now.readable && now.state == Snapshot::Read && ProfileIni::readPlain(now.bytes, now.values);
    if (!plain && (now.readable || IniAccess::notTooLarge(now.path))) {
        QSettings s(now.path, QSettings::IniFormat);
        const QStringList keys = s.allKeys();
        for (const QString &key : keys)
            now.values.insert(key, s.value(key));
    }
    auto made = std::make_shared<const Snapshot>(std::move(now));
    // Kept only when the file did not change while QSettings read it.
    if (sameFile(*made, probe(made->path))) {
        lock.relock();
        last = made;
    }
    return made;
}

int readInt(const QString &key, int def)
{
    return snapshot()->intOr(kSection + key, def);
}

QString readString(const QString &key)
{
    return snapshot()->value(kSection + key).toString();
}

int maskedButtonCount(const Snapshot &s)
{
    return toInt(s.value(kSection + QStringLiteral("ButtonCount"))) ^
           toInt(s.value(kSection + QStringLiteral("MouseDpi")));
}

int loadMatrixKeys(DeviceDescription::ButtonMatrix &matrix, const QString &pattern, bool bounded)
{
    const auto snap = snapshot();
    if (!snap->readable)
        return -1;
    const Snapshot &s = *snap;
    DeviceDescription::ButtonMatrix m{};
    for (int i = 0; i < int(m.size()); ++i) {
        uint8_t v = toByte(s.value(kSection + QStringLiteral("BUTTON_INFO") + pattern.arg(i)));
        // The writer places button i at slot m[i]; a slot past the 16 would
        // write outside the table, so such an entry keeps the button's own slot.
        if (bounded && v >= m.size())
            v = uint8_t(i);
        m[size_t(i)] = v;
    }
    matrix = m;
    return maskedButtonCount(s);
}

} // namespace

namespace DeviceDescription {

QString filePath()
{
    return Paths::deviceDescriptionFile();
}

bool exists()
{
    return QFileInfo(filePath()).isFile();
}

QString productName()
{
    return readString(QStringLiteral("ProductName"));
}

int buttonCount()
{
    return readInt(QStringLiteral("ButtonCount"), 0) ^ readInt(QStringLiteral("MouseDpi"), 0);
}

int dpiStageCount()
{
    return buttonCount() ^ readInt(QStringLiteral("DPICount"), 0);
}

QString version()
{
    return readString(QStringLiteral("Version"));
}
int disableMacro()
{
    return readInt(QStringLiteral("DisableMacro"), 0);
}
int showSleep()
{
    return readInt(QStringLiteral("ShowSleep"), 1);
}

void sleepRange(int *minimum, int *maximum)
{
    int lo = readInt(QStringLiteral("SleepMin"), 1);
    int hi = readInt(QStringLiteral("SleepMax"), 9);
    if (lo > hi)
        std::swap(lo, hi);
    if (minimum)
        *minimum = lo;
    if (maximum)
        *maximum = hi;
}

int scrollRev()
{
    return readInt(QStringLiteral("ScrollRev"), 0);
}

int minDelay()
{
    // The unit divides every macro delay: never let it be 0 or negative.
    const int unit = readInt(QStringLiteral("MinDelay"), 1);
    return unit >= 1 ? unit : 1;
}

int wideDpiRange()
{
    return readInt(QStringLiteral("33254"), 0);
}
int colorMode()
{
    return readInt(QStringLiteral("ColorMode"), 0);
}
int ledDisable()
{
    return readInt(QStringLiteral("ledDisable"), 0);
}
int syncMode()
{
    return readInt(QStringLiteral("SyncMode"), 0);
}
int french()
{
    return readInt(QStringLiteral("french"), -1);
}
int showMouseButton()
{
    return readInt(QStringLiteral("showMouseButton"), 1);
}
int closeWindow()
{
    return readInt(QStringLiteral("CloseWindow"), 0);
}

int loadMatrix(ButtonMatrix &matrix)
{
    return loadMatrixKeys(matrix, QStringLiteral("_%1_Matrix"), true) < 0 ? -1 : 0;
}

int loadMatrix2(ButtonMatrix &matrix)
{
    return loadMatrixKeys(matrix, QStringLiteral("_%1_Matrix2"), false);
}

int loadSensorDefaults(SensorDefaults &values)
{
    const auto snap = snapshot();
    if (!snap->readable)
        return -1;
    const Snapshot &s = *snap;
    static const char *const keys[kSensorDefaultCount] = {"lift", "angle",      "butondelay", "jitter",
                                                          "wake", "sensormode", "sync"};
    static const int defaults[kSensorDefaultCount] = {0, 0, 20, 0, 0, 1, 0};
    for (int i = 0; i < kSensorDefaultCount; ++i)
        values[size_t(i)] = uint8_t(s.intOr(kSection + QLatin1String(keys[i]), defaults[i]) & 0xff);
    return 0;
}

int loadTemplate(ProfileTemplate &tmpl)
{
    const auto snap = snapshot();
    if (!snap->readable)
        return -1;
    const Snapshot &s = *snap;
    auto key = [](const QString &name) { return kSection + name; };
    auto v = [&s, &key](const QString &name) { return s.value(key(name)); };

    ProfileTemplate t;
    t.dpi = toByte(v(QStringLiteral("dpi")));
    for (int i = 0; i < 8; ++i)
        t.dpiXY[size_t(i)] = IniAccess::toInt32(v(QStringLiteral("DPI_INFO_%1_xy").arg(i)));
    t.backPic = v(QStringLiteral("BackPic")).toString();
    t.companyName = v(QStringLiteral("CompanyName")).toString();
    t.productName = v(QStringLiteral("ProductName")).toString();
    t.folderPath = v(QStringLiteral("FolderPath")).toString();
    t.pollRate = IniAccess::toInt32(v(QStringLiteral("pollrate")));
    t.ledMode = toByte(v(QStringLiteral("LedMode")));
    for (int i = 0; i < 4; ++i) {
        t.lang[size_t(i)] = toByte(v(QStringLiteral("Lang_%1").arg(i)));
        t.fontSize[size_t(i)] = toByte(v(QStringLiteral("FontSize_%1").arg(i)));
        t.fontName[size_t(i)] = v(QStringLiteral("FontName_%1").arg(i)).toString();
    }
    t.fontColor = IniAccess::toColor(v(QStringLiteral("Font_RGB")));
    t.style = toByte(v(QStringLiteral("Style")));
    t.buttonCount = toByte(v(QStringLiteral("ButtonCount")));
    for (int b = 0; b < 16; ++b) {
        TemplateButton &btn = t.buttons[size_t(b)];
        const QString p = QStringLiteral("BUTTON_INFO_%1_").arg(b);
        btn.ID = IniAccess::toInt32(v(p + QStringLiteral("ID")));
        btn.Fun = IniAccess::toInt32(v(p + QStringLiteral("Fun")));
        btn.LoopNumber = IniAccess::toInt32(v(p + QStringLiteral("LoopNumber")));
        btn.KeyNumber = IniAccess::toInt32(v(p + QStringLiteral("KeyNumber")));
        btn.Res1 = toByte(v(p + QStringLiteral("Res1")));
        btn.Res2 = toByte(v(p + QStringLiteral("Res2")));
        btn.Res3 = toByte(v(p + QStringLiteral("Res3")));
        btn.Res4 = toByte(v(p + QStringLiteral("Res4")));
    }
    for (int m = 0; m < 14; ++m) {
        TemplateLedMode &led = t.ledModes[size_t(m)];
        const QString p = QStringLiteral("LedMode/LED_MODE_%1").arg(m);
        led.RGB = IniAccess::toColor(v(p + QStringLiteral("_RGB")));
        led.bright = IniAccess::toInt32(v(p + QStringLiteral("_bright")));
        led.breath = IniAccess::toInt32(v(p + QStringLiteral("_breath")));
    }
    t.ledMoveOff = uint8_t(s.intOr(key(QStringLiteral("LedMoveOFF")), 255) & 0xff);
    t.ledSleepTime = uint8_t(s.intOr(key(QStringLiteral("LedSleepTime")), 1) & 0xff);
    tmpl = t;
    return 0;
}

} // namespace DeviceDescription
