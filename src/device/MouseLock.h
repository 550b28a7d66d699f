#pragma once
// One program at a time talks to the mouse: the window for as long as it has
// the mouse open, mousecfg-cli for one command. The holder keeps an flock()
// on a lock file (the kernel lets go when the holder ends, crashed or not)
// and writes who it is into it, so the program that is turned away can say
// who holds the mouse.
//
// The real mouse's lock lives in the user's runtime folder; the simulated
// mouse's beside its memory file in the configuration folder, so that copies
// on different configuration folders (tests) never meet.

#include <QString>

class MouseLock
{
public:
    explicit MouseLock(const QString &path);
    ~MouseLock();
    MouseLock(const MouseLock &) = delete;
    MouseLock &operator=(const MouseLock &) = delete;

    // Takes the lock without waiting and writes HOLDER into the file ("the
    // mousecfg window", "mousecfg-cli"). False when another holder has it
    // (holder() then says who) or a link stands at the lock's name. True when
    // this object holds it now, and also when no lock can be had at this path
    // at all (no such folder, no locks on its file system: isAcquired() false,
    // errorString() says why), since then no other program can hold it either.
    bool tryAcquire(const QString &holder);
    void release();
    bool isAcquired() const { return m_fd >= 0; }

    // Who holds the lock as its file says ("the mousecfg window (process 123)"),
    // after a failed tryAcquire().
    QString holder() const { return m_holder; }
    QString errorString() const { return m_error; }
    QString path() const { return m_path; }

    // The lock of the real mouse: $XDG_RUNTIME_DIR/mousecfg-mouse.lock, or a
    // per-user name in the temporary folder without a runtime folder.
    static QString realMousePath();
    // The lock of the simulated mouse whose memory is in CONFIGDIR.
    static QString simulatedMousePath(const QString &configDir);

private:
    QString m_path;
    int m_fd = -1;
    QString m_holder;
    QString m_error;
};
