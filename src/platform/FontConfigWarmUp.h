#pragma once
// Fontconfig reads and parses its whole configuration (dozens of XML files)
// the first time a widget asks for a font: a few milliseconds on the way to
// the first frame, which every window with text pays. FontConfigWarmUp does
// that reading on a thread of its own while the program sets up the
// application object and loads its data; wait for ready() before the first
// widget with text is built. Without fontconfig it does nothing.
//
// The thread runs at the lowest priority: the toolkit's start-up beside it
// waits on the X server at every step, and a busy thread of the same priority
// held the server (and so the window) up for a millisecond at a time. Nobody
// need wait for it without a limit: fontconfig's set-up is thread-safe and
// lock-free (a thread that finds it not done parses the files itself, and one
// result is kept), so a caller that waited long enough lets the toolkit do it.

#include <future>
#include <thread>

class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    // Waits for the thread.
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Becomes ready once fontconfig is set up; it can outlive this object.
    std::shared_future<void> ready() const { return m_ready; }

private:
    std::promise<void> m_done;
    std::shared_future<void> m_ready;
    std::thread m_thread;
};
