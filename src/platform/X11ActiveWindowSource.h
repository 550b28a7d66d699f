#pragma once
// The active window on X11: the window manager keeps _NET_ACTIVE_WINDOW on
// the root window up to date, and a connection of our own asks for the root
// window's property-change events, read when the connection's socket has
// something (QSocketNotifier): nothing runs between two focus changes. The
// active window's WM_CLASS names its application, _NET_WM_PID its process
// and so /proc/PID/exe its program.
//
// libxcb is resolved when following starts (LazyLibrary), on a connection of
// its own: the toolkit's is not touched, and no process-wide X error handler
// is needed (xcb returns errors with the reply they belong to).

#include "ActiveWindowSource.h"

struct xcb_connection_t;
class QSocketNotifier;

class X11ActiveWindowSource : public ActiveWindowSource
{
    Q_OBJECT
public:
    // DISPLAYNAME empty: $DISPLAY.
    explicit X11ActiveWindowSource(const QString &displayName = QString(), QObject *parent = nullptr);
    ~X11ActiveWindowSource() override;

    bool start(QString *errorText = nullptr) override;
    void stop() override;
    bool running() const override { return m_connection != nullptr; }
    // The windows of _NET_CLIENT_LIST.
    QList<ActiveWindow> openWindows() override;

private:
    void readEvents();
    // Emits activeWindowChanged when _NET_ACTIVE_WINDOW names another window.
    void checkActiveWindow();
    ActiveWindow describe(quint32 window);
    // The property's value (at most MAXLONGS 32-bit units); empty when missing.
    QByteArray property(quint32 window, quint32 atom, quint32 type, quint32 maxLongs = 1024);

    QString m_displayName;
    xcb_connection_t *m_connection = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    quint32 m_root = 0;
    quint32 m_activeAtom = 0;
    quint32 m_clientListAtom = 0;
    quint32 m_pidAtom = 0;
    quint32 m_nameAtom = 0;
    quint32 m_utf8Atom = 0;
    quint32 m_active = 0; // the window reported last
    bool m_reported = false;
};
