#include "MouseFirmware.h"

#include "IniAccess.h"
#include "ProfileIni.h"
#include "ShippedModel.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QSettings>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr uint8_t kStatusReportCode = kBlockBattery;
constexpr int kRates[4] = {1, 2, 4, 8}; // 1000, 500, 250, 125 Hz
// The DPI stages the mouse leaves the factory with: the shipped model's six
// stages (DefaultProfile.bin "DPI_INFO_0..5_xy"), as sensor 3395 registers
// (range 0, X and Y low byte first). Its DPI button steps through them from
// the first start, before any write.
constexpr int kFactoryDpiCodes[] = {7, 15, 31, 63, 127, 255};
// The stage in use at the factory: the second, as DefaultProfile.bin's "dpi=1".
constexpr int kFactoryDpiStage = 1;
static_assert(sizeof(kFactoryDpiCodes) / sizeof(kFactoryDpiCodes[0]) == kShippedDpiStageCount,
              "one factory value per DPI stage of the shipped model");

uint8_t checksumOf(const uint8_t *report)
{
    unsigned sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += report[i];
    return uint8_t(0xFF - (sum & 0xFF));
}

bool isControl(const uint8_t *r)
{
    return r[0] == kControlHeader0 && r[1] == kControlHeader1 && r[2] == kControlHeader2 &&
           (r[3] == kOpControl || r[3] == kOpSelectProfile || r[3] == kOpVerifiedExtra);
}

QString hex(const uint8_t *data, int n)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(data), n).toHex());
}

bool fromHex(const QString &text, uint8_t *out, int n)
{
    const QByteArray bytes = QByteArray::fromHex(text.toLatin1());
    if (bytes.size() != n || text.size() != 2 * n)
        return false;
    std::memcpy(out, bytes.constData(), size_t(n));
    return true;
}

QString colourName(const uint8_t *rgb)
{
    return QString::asprintf("#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
}

QString actionName(const uint8_t *r)
{
    switch (r[0]) {
    case 0x00:
        return QStringLiteral("off");
    case 0x81:
        return QStringLiteral("left button");
    case 0x82:
        return QStringLiteral("right button");
    case 0x83:
        return QStringLiteral("middle button");
    case 0x84:
        return QStringLiteral("back button");
    case 0x85:
        return QStringLiteral("forward button");
    case 0x88:
        return QStringLiteral("dpi switch");
    case 0x89:
        return QStringLiteral("dpi down");
    case 0x8A:
        return QStringLiteral("dpi up");
    case 0x8B:
        return QStringLiteral("wheel up");
    case 0x8C:
        return QStringLiteral("wheel down");
    case 0x8D:
        return QStringLiteral("profile switch");
    case 0x8E:
        return QString::asprintf("consumer key 0x%04x", r[2] | (r[3] << 8));
    case 0x8F:
        return QString::asprintf("key 0x%02x modifiers 0x%02x", r[2], r[1]);
    case 0x90:
        return QString::asprintf("key 0x%02x", r[2]);
    case 0x91:
        return QString::asprintf("macro slot %d", r[1] & 0x3F);
    case 0x94:
        return r[1] == 1 ? QStringLiteral("rate switch") : QStringLiteral("step up");
    case 0x95:
        return QStringLiteral("step down");
    case 0x96:
        return QStringLiteral("sniper");
    case 0x99:
        return QString::asprintf("fire 0x%02x x%d", r[1], r[2]);
    case 0x9B:
        return r[1] == 8 ? QStringLiteral("lighting switch") : QStringLiteral("lighting");
    case 0x9D:
        return QString::asprintf("gun file slot %d", r[1] & 0x3F);
    default:
        return QString::asprintf("code 0x%02x", r[0]);
    }
}

} // namespace

MouseFirmware::MouseFirmware()
{
    reset();
}

void MouseFirmware::reset()
{
    m_profiles = {};
    m_macros = {};
    for (ProfileMemory &p : m_profiles) {
        p.blocks[kBlockMode][0] = kFactoryDpiStage;
        p.blocks[kBlockMode][1] = 1; // 1000 Hz
        for (int i = 0; i < kShippedDpiStageCount; ++i) {
            const int code = kFactoryDpiCodes[i];
            uint8_t *rec =
                i < 6 ? p.blocks[kBlockDpi1].data() + 5 * i : p.blocks[kBlockDpi2].data() + 5 * (i - 6);
            rec[0] = 0;
            rec[1] = rec[3] = uint8_t(code & 0xFF);
            rec[2] = rec[4] = uint8_t(code >> 8);
        }
    }
    m_stagedProfile = {};
    m_stagedMacros = {};
    m_inWrite = false;
    m_active = 0;
    m_dpiStage = kFactoryDpiStage;
    m_rate = 1;
    m_battery = 85;
    m_charging = false;
    m_stats = Stats();
}

bool MouseFirmware::echoes(const uint8_t *report)
{
    const uint8_t b = report[3];
    return b <= kVerifyLimit || b == kOpControl || b == kOpVerifiedExtra;
}

Report MouseFirmware::echoOf(const uint8_t *report) const
{
    Report r{};
    std::memcpy(r.data(), report, kReportSize);
    return r;
}

Report MouseFirmware::statusReport() const
{
    Report r{};
    r[0] = kStatusReportCode;
    r[1] = kStatusMark[0];
    r[2] = kStatusMark[1];
    r[3] = kStatusMark[2];
    r[4] = uint8_t(m_battery);
    r[5] = m_charging ? 1 : 0;
    r[6] = uint8_t((m_active << 4) | (m_dpiStage & 0x0F));
    r[7] = uint8_t(m_rate);
    return r;
}

void MouseFirmware::refreshLiveState()
{
    const Block &mode = m_profiles[size_t(m_active)].blocks[kBlockMode];
    m_dpiStage = mode[0] & 0x07;
    m_rate = mode[1];
}

void MouseFirmware::abandonWrite()
{
    m_inWrite = false;
}

QVector<Report> MouseFirmware::handleOutputReport(const uint8_t *report, int length)
{
    QVector<Report> answers;
    if (!report || length < kReportSize) {
        ++m_stats.unknownReports;
        return answers;
    }
    ++m_stats.reports;
    if (echoes(report))
        answers.append(echoOf(report));

    if (isControl(report)) {
        if (report[3] == kOpSelectProfile) {
            if (report[4] < kProfiles)
                m_active = report[4];
        } else if (report[3] == kOpControl && report[4] == kReloadSubcode) {
            refreshLiveState();
        }
        return answers;
    }

    const uint8_t code = report[0];
    if (checksumOf(report) != report[31]) {
        ++m_stats.checksumErrors;
        return answers;
    }
    const uint8_t *payload = report + 1;
    if (code == kBlockBeginEnd) {
        if (payload[0] == kBeginMark[0] && payload[1] == kBeginMark[1]) {
            m_inWrite = true;
            m_stagedProfile = m_profiles[size_t(m_active)];
            m_stagedMacros = m_macros;
        } else if (payload[0] == kEndMark[0] && payload[1] == kEndMark[1]) {
            if (m_inWrite) {
                m_profiles[size_t(m_active)] = m_stagedProfile;
                m_macros = m_stagedMacros;
                m_inWrite = false;
                ++m_stats.commits;
                refreshLiveState();
            }
        } else {
            ++m_stats.unknownReports;
        }
    } else if (code == kBlockBattery) {
        if (payload[0] == kStatusMark[0] && payload[1] == kStatusMark[1] && payload[2] == kStatusMark[2])
            answers.append(statusReport());
        else
            ++m_stats.unknownReports;
    } else if (code >= kBlockMode && code <= kBlockButtons3 && code != 0x03) {
        if (m_inWrite)
            std::memcpy(m_stagedProfile.blocks[code].data(), payload, kBlockPayloadSize);
        else
            ++m_stats.strayBlocks;
    } else if (code >= kBlockMacroFirst && code <= kBlockMacroLast) {
        const int n = (code - kBlockMacroFirst) / kMacroBlocksPerSlot;
        const int k = (code - kBlockMacroFirst) % kMacroBlocksPerSlot;
        if (m_inWrite) {
            uint8_t *slot = m_stagedMacros[size_t(n)].data();
            if (k < 8)
                std::memcpy(slot + 30 * k, payload, 30);
            else
                std::memcpy(slot + 240, payload, 16);
        } else {
            ++m_stats.strayBlocks;
        }
    } else {
        ++m_stats.unknownReports;
    }
    return answers;
}

QVector<Report> MouseFirmware::pressDpiButton()
{
    // Stages whose record holds a value are in use; at least one.
    const ProfileMemory &p = m_profiles[size_t(m_active)];
    int used = 0;
    for (int i = 0; i < 8; ++i) {
        const uint8_t *rec =
            i < 6 ? p.blocks[kBlockDpi1].data() + 5 * i : p.blocks[kBlockDpi2].data() + 5 * (i - 6);
        if (std::any_of(rec, rec + 5, [](uint8_t b) { return b != 0; }))
            used = i + 1;
    }
    used = std::max(used, 1);
    m_dpiStage = (m_dpiStage + 1) % used;
    m_profiles[size_t(m_active)].blocks[kBlockMode][0] = uint8_t(m_dpiStage);
    QVector<Report> out;
    out.append(statusReport());
    return out;
}

int MouseFirmware::rateHzOfCode(int code)
{
    for (int i = 0; i < 4; ++i) {
        if (kRates[i] == code)
            return 1000 >> i;
    }
    return 0;
}

QByteArray MouseFirmware::motionReport(uint32_t step)
{
    // Eight directions in turn: the pointer draws a small octagon.
    static constexpr int8_t kDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static constexpr int8_t kDy[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    const size_t d = (step / 16) % 8;
    QByteArray report(kMouseReportSize, '\0');
    report[1] = char(kDx[d]);
    report[2] = char(kDy[d]);
    return report;
}

QVector<Report> MouseFirmware::pressRateButton()
{
    int i = 0;
    while (i < 4 && kRates[i] != m_rate)
        ++i;
    m_rate = kRates[(i + 1) % 4];
    m_profiles[size_t(m_active)].blocks[kBlockMode][1] = uint8_t(m_rate);
    QVector<Report> out;
    out.append(statusReport());
    return out;
}

void MouseFirmware::setBatteryLevel(int percent)
{
    m_battery = std::clamp(percent, 0, 100);
}
void MouseFirmware::setCharging(bool charging)
{
    m_charging = charging;
}

const MouseFirmware::ProfileMemory &MouseFirmware::profile(int index) const
{
    return m_profiles[size_t(std::clamp(index, 0, kProfiles - 1))];
}

const MouseFirmware::Block &MouseFirmware::block(int profileIndex, int code) const
{
    return profile(profileIndex).blocks[size_t(std::clamp(code, 0, kBlockCodes - 1))];
}

const MouseFirmware::MacroSlot &MouseFirmware::macroSlot(int index) const
{
    return m_macros[size_t(std::clamp(index, 0, kMacroSlots - 1))];
}

bool MouseFirmware::saveToIni(const QString &path, QString *errorText) const
{
    // QSettings reads the old file before it replaces it: one it must not parse goes first.
    if (!IniAccess::notTooLarge(path))
        QFile::remove(path);
    QSettings s(path, QSettings::IniFormat);
    s.clear();
    s.setValue(QStringLiteral("Mouse/ActiveProfile"), m_active);
    s.setValue(QStringLiteral("Mouse/DpiStage"), m_dpiStage);
    s.setValue(QStringLiteral("Mouse/Rate"), m_rate);
    s.setValue(QStringLiteral("Mouse/Battery"), m_battery);
    s.setValue(QStringLiteral("Mouse/Charging"), m_charging ? 1 : 0);
    for (int p = 0; p < kProfiles; ++p) {
        for (int code = 1; code < kBlockCodes; ++code) {
            if (code == 3)
                continue;
            s.setValue(QStringLiteral("Profile%1/Block%2").arg(p).arg(code),
                       hex(m_profiles[size_t(p)].blocks[size_t(code)].data(), kBlockPayloadSize));
        }
    }
    for (int n = 0; n < kMacroSlots; ++n)
        s.setValue(QStringLiteral("Macros/Slot%1").arg(n), hex(m_macros[size_t(n)].data(), kMacroSlotSize));
    s.sync();
    if (s.status() != QSettings::NoError) {
        if (errorText)
            *errorText = QStringLiteral("cannot write the simulated mouse's memory to %1").arg(path);
        return false;
    }
    return true;
}

bool MouseFirmware::loadFromIni(const QString &path, QString *errorText)
{
    if (!QFile::exists(path))
        return true;
    QByteArray text;
    if (!IniAccess::notTooLarge(path, errorText, &text))
        return false;
    auto fail = [&](const QString &what) {
        if (errorText)
            *errorText = QStringLiteral("%1: %2").arg(path, what);
        return false;
    };
    // What saveToIni() writes is plain INI, read without QSettings' parse;
    // anything else goes through QSettings.
    QHash<QString, QVariant> plain;
    const bool isPlain = !text.isNull() && ProfileIni::readPlain(text, plain);
    std::unique_ptr<QSettings> settings;
    if (!isPlain) {
        settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        if (settings->status() != QSettings::NoError)
            return fail(QStringLiteral("not a readable INI file"));
    }
    auto contains = [&](const QString &key) {
        return isPlain ? plain.contains(key) : settings->contains(key);
    };
    auto value = [&](const QString &key, const QVariant &def = QVariant()) {
        return isPlain ? plain.value(key, def) : settings->value(key, def);
    };
    MouseFirmware next;
    auto readInt = [&](const QString &key, int lo, int hi, int &out) {
        bool ok = false;
        const int v = value(key, out).toInt(&ok);
        if (!ok || v < lo || v > hi)
            return false;
        out = v;
        return true;
    };
    int charging = 0;
    if (!readInt(QStringLiteral("Mouse/ActiveProfile"), 0, kProfiles - 1, next.m_active) ||
        !readInt(QStringLiteral("Mouse/DpiStage"), 0, 7, next.m_dpiStage) ||
        !readInt(QStringLiteral("Mouse/Rate"), 0, 255, next.m_rate) ||
        !readInt(QStringLiteral("Mouse/Battery"), 0, 100, next.m_battery) ||
        !readInt(QStringLiteral("Mouse/Charging"), 0, 1, charging))
        return fail(QStringLiteral("a value of the [Mouse] section is out of range"));
    next.m_charging = charging != 0;
    for (int p = 0; p < kProfiles; ++p) {
        for (int code = 1; code < kBlockCodes; ++code) {
            const QString key = QStringLiteral("Profile%1/Block%2").arg(p).arg(code);
            if (code == 3 || !contains(key))
                continue;
            if (!fromHex(value(key).toString(), next.m_profiles[size_t(p)].blocks[size_t(code)].data(),
                         kBlockPayloadSize))
                return fail(QStringLiteral("%1 is not %2 hex bytes").arg(key).arg(kBlockPayloadSize));
        }
    }
    for (int n = 0; n < kMacroSlots; ++n) {
        const QString key = QStringLiteral("Macros/Slot%1").arg(n);
        if (contains(key) && !fromHex(value(key).toString(), next.m_macros[size_t(n)].data(), kMacroSlotSize))
            return fail(QStringLiteral("%1 is not %2 hex bytes").arg(key).arg(kMacroSlotSize));
    }
    *this = next;
    return true;
}

QJsonObject MouseFirmware::toJson() const
{
    QJsonObject root;
    root[QStringLiteral("activeProfile")] = m_active + 1;
    root[QStringLiteral("dpiStage")] = m_dpiStage;
    root[QStringLiteral("reportRate")] = m_rate;
    root[QStringLiteral("battery")] = m_battery;
    root[QStringLiteral("charging")] = m_charging;
    QJsonArray profiles;
    for (int p = 0; p < kProfiles; ++p) {
        const auto &b = m_profiles[size_t(p)].blocks;
        QJsonObject prof;
        prof[QStringLiteral("profile")] = p + 1;
        const Block &mode = b[kBlockMode];
        prof[QStringLiteral("mode")] = QJsonObject{{QStringLiteral("dpiStage"), mode[0]},
                                                   {QStringLiteral("reportRate"), mode[1]},
                                                   {QStringLiteral("ledMode"), mode[2]},
                                                   {QStringLiteral("breath"), mode[3]},
                                                   {QStringLiteral("brightness"), mode[4]}};
        const Block &sensor = b[kBlockSensor];
        prof[QStringLiteral("sensor")] =
            QJsonObject{{QStringLiteral("tag"), sensor[0]},
                        {QStringLiteral("liftHigh"), sensor[1]},
                        {QStringLiteral("ledSleepTime"), sensor[2]},
                        {QStringLiteral("ledOffWhenMoving"), sensor[3]},
                        {QStringLiteral("angleOrDebounce"), sensor[4]},
                        {QStringLiteral("sync"), sensor[5]},
                        {QStringLiteral("colour"), colourName(sensor.data() + 6)}};
        QJsonArray colours;
        for (int k = 0; k < 8; ++k)
            colours.append(colourName(b[kBlockColour].data() + 3 * k));
        prof[QStringLiteral("colours")] = colours;
        QJsonArray dpi;
        for (int i = 0; i < 8; ++i) {
            const uint8_t *r = i < 6 ? b[kBlockDpi1].data() + 5 * i : b[kBlockDpi2].data() + 5 * (i - 6);
            dpi.append(QJsonObject{{QStringLiteral("range"), r[0]},
                                   {QStringLiteral("x"), r[1] | (r[2] << 8)},
                                   {QStringLiteral("y"), r[3] | (r[4] << 8)},
                                   {QStringLiteral("bytes"), hex(r, 5)}});
        }
        prof[QStringLiteral("dpi")] = dpi;
        uint8_t table[kButtonTableSize];
        std::memcpy(table, b[kBlockButtons1].data(), 28);
        std::memcpy(table + 28, b[kBlockButtons2].data(), 28);
        std::memcpy(table + 56, b[kBlockButtons3].data(), 8);
        QJsonArray buttons;
        for (int k = 0; k < kButtonSlots; ++k) {
            buttons.append(QJsonObject{{QStringLiteral("slot"), k},
                                       {QStringLiteral("bytes"), hex(table + 4 * k, 4)},
                                       {QStringLiteral("action"), actionName(table + 4 * k)}});
        }
        prof[QStringLiteral("buttons")] = buttons;
        profiles.append(prof);
    }
    root[QStringLiteral("profiles")] = profiles;
    QJsonArray macros;
    for (int n = 0; n < kMacroSlots; ++n) {
        const MacroSlot &slot = m_macros[size_t(n)];
        int used = kMacroSlotSize;
        while (used > 0 && slot[size_t(used - 1)] == 0)
            --used;
        QJsonObject m{{QStringLiteral("slot"), n}, {QStringLiteral("used"), used > 0}};
        if (used > 0) {
            used = std::min(((used + 2) / 3) * 3, kMacroSlotSize - 1); // 255 = 85 events
            QJsonArray events;
            for (int i = 0; i + 2 < used; i += 3)
                events.append(hex(slot.data() + i, 3));
            m[QStringLiteral("events")] = events;
        }
        macros.append(m);
    }
    root[QStringLiteral("macroSlots")] = macros;
    return root;
}
