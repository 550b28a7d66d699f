#pragma once
// The thread beside the main thread's start-up. It connects the session bus
// first, then runs the one job then() hands over: start-up work that needs no
// event loop (reading the profile set the window starts with, say).
//
// Every toolkit window connects to the session bus: the accessibility bridge
// asks for it with the first widget that is given a text or a name, and the
// window waits there for the socket, the handshake and the bus's hello or,
// where no bus is set, for libdbus's attempt to start one in a forked child.
// A fork copies the process's page tables and holds up its other threads
// meanwhile, so it costs least at the very start. Nothing is opened that the
// toolkit would not open anyway.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class StartupThread
{
public:
    // From main(), before the application object: the calling thread is made
    // the toolkit's main thread first (the first thread to use the toolkit's
    // thread data becomes it).
    StartupThread();
    // Waits for the thread (and the job).
    ~StartupThread();
    StartupThread(const StartupThread &) = delete;
    StartupThread &operator=(const StartupThread &) = delete;

    // Runs job on the thread once the bus is connected. At most one job:
    // false (and job never runs) for a second one.
    bool then(std::function<void()> job);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_closed = false; // no job will come (any more)
    std::function<void()> m_job;
    std::thread m_thread;
};
