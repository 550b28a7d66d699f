#pragma once
// Key events of the whole X11 session through the RECORD extension (libXtst):
// its own two display connections (control and data), the data connection's
// socket watched by a QSocketNotifier on this thread; no busy loop, no
// /dev/input. X's auto-repeat (a release and a press at the same server time)
// is folded away.

#include "MacroKeySource.h"

#include <functional>

class QSocketNotifier;

// X's auto-repeat reaches RECORD as a release and a press of the same key at
// one server time; such pairs are folded away, so a held key is one press.
class RepeatFold
{
public:
    using Sink = std::function<void(int code, bool release, unsigned long time)>;
    void feed(int code, bool release, unsigned long time, const Sink &out);
    // Passes on a release kept back to see whether a repeat follows.
    void flush(const Sink &out);

private:
    bool m_bPending = false;
    int m_iCode = 0;
    unsigned long m_iTime = 0;
};

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
    RepeatFold m_fold;
};
