#pragma once
// The desktop's pointer speed, on the 1..20 scale the profiles keep.

#include <QString>

#include <memory>
#include <mutex>

namespace PointerSpeedScale {

constexpr int kMinimum = 1;
constexpr int kDefault = 10;
constexpr int kMaximum = 20;

// 1..20 onto libinput's -1..1: 10 is 0, 1 is -1, 20 is 1 (nine steps below
// the middle, ten above). Values outside 1..20 are clamped.
double toLibinput(int speed);
// Back again, rounded to the nearest step and clamped to 1..20; NaN gives 10.
int fromLibinput(double accel);

} // namespace PointerSpeedScale

class PointerSpeed
{
public:
    virtual ~PointerSpeed();

    // "gnome", "kde", "x11", "none".
    virtual QString backendName() const = 0;
    // False for "none": the control may be greyed out.
    virtual bool isAvailable() const = 0;
    // Reads the current speed (1..20) into *speed. False when it cannot be
    // read; *speed is then left alone, so a caller's value stays.
    virtual bool readSpeed(int *speed) = 0;
    // Sets the speed (clamped to 1..20). False when the desktop refused it;
    // a backend on a worker (AsyncPointerSpeed) says true once the value is
    // handed over, and a refusal shows in errorString() later.
    virtual bool applySpeed(int speed) = 0;

    // Why the last call failed (a call on a worker thread may set it).
    QString errorString() const;

protected:
    void setErrorString(const QString &text);

private:
    mutable std::mutex m_errorMutex; // seen by ThreadSanitizer, unlike QMutex
    QString m_errorString;
};

// What the run-time detection looks at.
struct PointerSpeedEnvironment
{
    QString currentDesktop;    // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME", "KDE"
    QString sessionType;       // XDG_SESSION_TYPE: "x11", "wayland", ""
    QString gsettingsPath;     // gsettings found on PATH, or empty
    bool kwinInputBus = false; // KWin's input-device interface answers on the session bus
    QString x11Display;        // DISPLAY, or empty

    // Reads the process environment, PATH and the session bus.
    static PointerSpeedEnvironment detect();
};

enum class PointerSpeedKind
{
    None,
    Gnome,
    Kde,
    X11
};

// Which backend suits ENV: GNOME-family desktops with gsettings use it; KDE
// under Wayland uses KWin; any X display falls back to the X11 property;
// otherwise none.
PointerSpeedKind choosePointerSpeedKind(const PointerSpeedEnvironment &env);

// The backend for this session. Those that run a program or ask the bus or
// the X server do it on a worker thread of their own (AsyncPointerSpeed): no
// call made on the caller's thread waits for the desktop.
std::unique_ptr<PointerSpeed> createPointerSpeed();
std::unique_ptr<PointerSpeed> createPointerSpeed(const PointerSpeedEnvironment &env);
