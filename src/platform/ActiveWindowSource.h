#pragma once
// Which application window has the focus, as the desktop tells it: an event
// each time the active window changes (never polled), and the list of open
// application windows for a pick list. On X11 the root window's
// _NET_ACTIVE_WINDOW (X11ActiveWindowSource); on KDE Plasma's Wayland a
// small KWin script (KWinActiveWindowSource); other Wayland sessions do not
// tell applications which window is active.

#include <QMetaType>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ActiveWindow
{
    QStringList classes; // WM_CLASS: instance and class name (or the desktop's class)
    QString exePath;     // the program's executable (/proc/PID/exe), empty when unknown
    qint64 pid = 0;      // 0 when unknown
    QString title;
    bool operator==(const ActiveWindow &o) const
    {
        return classes == o.classes && exePath == o.exePath && pid == o.pid;
    }
};
Q_DECLARE_METATYPE(ActiveWindow)

class ActiveWindowSource : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        X11,  // an X11 session (or an X display without Wayland)
        KWin, // KDE Plasma on Wayland
        None, // another Wayland session, or no display at all
    };
    // The session ENV describes.
    static Kind kindFor(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());
    // The one sentence shown where the session does not say which window is active.
    static QString unsupportedText();
    // The program of process PID (/proc/PID/exe); empty when it cannot be read.
    static QString executableOf(qint64 pid);

    using QObject::QObject;
    ~ActiveWindowSource() override;

    // Starts following; false (with the reason in *errorText) when it cannot.
    virtual bool start(QString *errorText = nullptr) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
    // The application windows open now (may be empty where it cannot be known).
    virtual QList<ActiveWindow> openWindows() { return {}; }

signals:
    // Another window has the focus (emitted once when following starts, for the one that has it).
    void activeWindowChanged(const ActiveWindow &window);
};
