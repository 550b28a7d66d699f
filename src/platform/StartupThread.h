#pragma once
// Fontconfig reads and parses its whole configuration (dozens of XML files)
// the first time a widget asks for a font: a few milliseconds on the way to
// the first frame, which every window with text pays. FontConfigWarmUp does
// that reading on a thread of its own while the program sets up the
// application object and loads its data; wait() before the first widget with
// text is built. Fontconfig's set-up is thread-safe, and it keeps what was
// read for the toolkit to use. Without fontconfig it does nothing.
//
// The thread can do a piece of start-up work before (first, given to the
// constructor) and one more after (then()), neither needing an event loop;
// wait() waits for the first, not for the other; the destructor waits for all.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class FontConfigWarmUp
{
public:
    explicit FontConfigWarmUp(std::function<void()> first = {});
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Until fontconfig is set up.
    void wait();
    // Runs job on the thread once fontconfig is set up. At most one job: false
    // (and job never runs) for a second one.
    bool then(std::function<void()> job);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_fontsReady = false;
    bool m_closed = false; // no job will come (any more)
    std::function<void()> m_job;
    std::thread m_thread;
};
