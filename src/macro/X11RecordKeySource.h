#pragma once
// Key events of the whole X11 session through the RECORD extension (libXtst):
// its own two display connections (control and data), the data connection's
// socket watched by a QSocketNotifier on this thread; no busy loop, no
// /dev/input. X's auto-repeat (a release and a press at the same server time)
// is folded away.

#include "MacroKeySource.h"

class QSocketNotifier;

class X11RecordKeySource : public MacroKeySource
{
    Q_OBJECT

public:
    // Null when the platform is not X11 or the server has no RECORD.
    static X11RecordKeySource *create(QObject *parent);
    ~X11RecordKeySource() override;
    bool start() override;
    void stop() override;
    bool systemWide() const override { return true; }

    // One recorded key event (X keycode, press or release, server time).
    void onXKey(int keycode, bool release, unsigned long time);

private:
    explicit X11RecordKeySource(QObject *parent);
    void readReplies();
    void flushPending();

    void *m_pControl = nullptr; // Display *
    void *m_pData = nullptr;    // Display *
    unsigned long m_context = 0;
    QSocketNotifier *m_pNotifier = nullptr;
    bool m_bPending = false;
    int m_iPendingCode = 0;
    unsigned long m_iPendingTime = 0;
};
