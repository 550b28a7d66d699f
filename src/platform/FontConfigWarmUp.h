#pragma once
// Fontconfig reads and parses its whole configuration (dozens of XML files)
// the first time a widget asks for a font: a few milliseconds on the way to
// the first frame, which every window with text pays. FontConfigWarmUp does
// that reading on a thread of its own while the program sets up the
// application object and loads its data; wait() before the first widget with
// text is built. Fontconfig's set-up is thread-safe, and it keeps what was
// read for the toolkit to use. Without fontconfig it does nothing.

#include <condition_variable>
#include <mutex>
#include <thread>

class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Until fontconfig is set up.
    void wait();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_fontsReady = false;
    std::thread m_thread;
};
