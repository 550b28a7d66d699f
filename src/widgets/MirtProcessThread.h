#pragma once
// Runs one whole-profile write off the user-interface thread and reports its
// result code when done.

#include <QThread>

#include <atomic>
#include <functional>

class MirtProcessThread : public QThread
{
    Q_OBJECT

public:
    // Result when the thread was stopped before it began.
    static constexpr int kNotRun = -1;

    MirtProcessThread();
    // Waits for a running job before the object goes away.
    ~MirtProcessThread() override;

    // The job: returns the write's result code (0 success). Set before start().
    void setJob(std::function<int()> job);
    // Asks the thread not to run its job (only effective before it begins).
    void stop();
    bool isStopped() const { return m_bStop.load(); }
    // The job's result code; kNotRun when it did not run.
    int GetResult() const { return m_iResult.load(); }

signals:
    // The job is over (also when it did not run); closes the progress dialog.
    void DoProcessDlg();

protected:
    void run() override;

private:
    std::function<int()> m_job;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_iResult{kNotRun};
};
