#pragma once
// The program's one start-up thread. It takes the start-up work that needs no
// event loop and would otherwise sit on the way to the first frame (the
// session bus, fontconfig, reading the profile set ahead; see main()), runs
// the jobs one after another in the order they were posted, and hands each
// result (or exception) back through a future. The thread starts with the
// first job. join(), or the destructor, runs what was posted and then ends the
// thread: the owner joins it before the objects its jobs use (the
// application object) go.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

class StartupThread
{
public:
    StartupThread() = default;
    ~StartupThread();
    StartupThread(const StartupThread &) = delete;
    StartupThread &operator=(const StartupThread &) = delete;

    // Queues JOB behind the jobs posted before. A job posted after join()
    // never runs: its future reports std::future_errc::broken_promise.
    template <typename Job> std::future<std::invoke_result_t<Job>> post(Job job)
    {
        auto task = std::make_shared<std::packaged_task<std::invoke_result_t<Job>()>>(std::move(job));
        auto done = task->get_future();
        enqueue([task] { (*task)(); });
        return done;
    }

    // Runs what was posted, then ends the thread. Later posts are refused.
    void join();

private:
    void enqueue(std::function<void()> job);
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    bool m_closed = false; // no job will come any more
    std::thread m_thread;
};

// Fontconfig reads and parses its whole configuration (dozens of XML files)
// the first time a widget asks for a font: a few milliseconds on the way to
// the first frame, which every window with text pays. Called on the start-up
// thread while the program sets up the application object and loads its
// data, it does that reading there; wait for it before the first widget with
// text is built. Fontconfig's set-up is thread-safe, and it keeps what was
// read for the toolkit to use. Without fontconfig it does nothing.
void warmUpFontConfig();
