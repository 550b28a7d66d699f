#include "CliProfileJson.h"

#include <QJsonArray>
#include <QJsonDocument>

QJsonObject profileToJson(const ProfileData &p)
{
    QJsonObject o;
    o[QStringLiteral("pollrate")] = p.pollrate;
    o[QStringLiteral("dpi")] = p.dpi;
    o[QStringLiteral("LedMode")] = p.LedMode;
    o[QStringLiteral("LedMoveOFF")] = p.LedMoveOFF;
    o[QStringLiteral("LedSleepTime")] = p.LedSleepTime;
    QJsonArray stages;
    for (const DpiStage &d : p.DPI_INFO) {
        stages.append(QJsonObject{{QStringLiteral("used"), d.used},
                                  {QStringLiteral("link"), d.link},
                                  {QStringLiteral("xy"), d.xy},
                                  {QStringLiteral("x"), d.x},
                                  {QStringLiteral("y"), d.y}});
    }
    o[QStringLiteral("DPI_INFO")] = stages;
    o[QStringLiteral("mousespeed")] = p.mousespeed;
    o[QStringLiteral("dbclickspeed")] = p.dbclickspeed;
    o[QStringLiteral("scrollispage")] = p.scrollispage;
    o[QStringLiteral("scrollspeed")] = p.scrollspeed;
    o[QStringLiteral("accelenable")] = p.accelenable;
    o[QStringLiteral("acee")] = p.acee;
    QJsonArray buttons;
    for (const ButtonAssignment &a : p.BUTTON_INFO) {
        QJsonArray keys;
        for (const KeyInfo &k : a.KeyInfo)
            keys.append(QJsonArray{k.map, k.key, k.H});
        buttons.append(QJsonObject{{QStringLiteral("ID"), a.ID},
                                   {QStringLiteral("Fun"), a.Fun},
                                   {QStringLiteral("LoopNumber"), a.LoopNumber},
                                   {QStringLiteral("KeyNumber"), a.KeyNumber},
                                   {QStringLiteral("Res1"), a.Res1},
                                   {QStringLiteral("Res2"), a.Res2},
                                   {QStringLiteral("Res3"), a.Res3},
                                   {QStringLiteral("Res4"), a.Res4},
                                   {QStringLiteral("macroname"), a.macroname},
                                   {QStringLiteral("KeyInfo"), keys}});
    }
    o[QStringLiteral("BUTTON_INFO")] = buttons;
    QJsonArray leds;
    for (const LedModeSetting &l : p.LED_MODE) {
        leds.append(QJsonObject{
            {QStringLiteral("RGB"), l.RGB.isValid() ? QJsonValue(l.RGB.name(QColor::HexRgb)) : QJsonValue()},
            {QStringLiteral("h"), l.h},
            {QStringLiteral("s"), l.s},
            {QStringLiteral("v"), l.v},
            {QStringLiteral("bright"), l.bright},
            {QStringLiteral("breath"), l.breath}});
    }
    o[QStringLiteral("LED_MODE")] = leds;
    o[QStringLiteral("ProfileName")] = p.ProfileName;
    o[QStringLiteral("ProfilePath")] = p.ProfilePath;
    return o;
}

QJsonObject profileSetToJson(const ProfileSet &set)
{
    QJsonObject o;
    o[QStringLiteral("ProfileID")] = set.ProfileID;
    o[QStringLiteral("AngleValue")] = set.AngleValue;
    o[QStringLiteral("LiftHigh")] = set.LiftHigh;
    o[QStringLiteral("Sync")] = set.Sync;
    o[QStringLiteral("Count")] = set.Count;
    o[QStringLiteral("Jitter")] = set.Jitter;
    o[QStringLiteral("Debounce")] = set.Debounce;
    o[QStringLiteral("Wake")] = set.Wake;
    o[QStringLiteral("SensorMode")] = set.SensorMode;
    QJsonArray names;
    for (const QString &n : set.names)
        names.append(n);
    o[QStringLiteral("names")] = names;
    QJsonArray profiles;
    for (const ProfileData &p : set.profiles)
        profiles.append(profileToJson(p));
    o[QStringLiteral("profiles")] = profiles;
    return o;
}

QJsonObject sensorDefaultsToJson(const DeviceDescription::SensorDefaults &v)
{
    using namespace DeviceDescription;
    return QJsonObject{{QStringLiteral("AngleValue"), v[kSensorAngle]},
                       {QStringLiteral("LiftHigh"), v[kSensorLift]},
                       {QStringLiteral("Sync"), v[kSensorSync]},
                       {QStringLiteral("Jitter"), v[kSensorJitter]},
                       {QStringLiteral("Debounce"), v[kSensorButtonDelay]},
                       {QStringLiteral("Wake"), v[kSensorWake]},
                       {QStringLiteral("SensorMode"), v[kSensorMode]}};
}

QString jsonText(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
