#pragma once
// The small "busy" dialog shown while a whole-profile write runs.

#include <QDialog>
#include <QPixmap>

class QLabel;
class QMovie;
class MirtProcessThread;

class MirtProcessDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MirtProcessDialog(QWidget *mainWindow, QWidget *parent = nullptr,
                               Qt::WindowFlags flags = Qt::FramelessWindowHint);

    // Starts the thread, shows the dialog modally until the thread reports
    // (only once the show delay has passed), and waits for the thread to end. Returns the dialog's result
    // (Accepted when the worker finished); the thread's result code is then
    // safe to read. The dialog cannot be dismissed while the worker runs.
    int runThread(MirtProcessThread *thread);

    QMovie *movie() const { return m_pMovie; }
    // How long a worker may take before the dialog shows itself (300 ms by
    // default; 0 shows it at once).
    void setShowDelay(int ms) { m_iShowDelayMs = ms; }
    int showDelay() const { return m_iShowDelayMs; }

public slots:
    // The worker is done: close with Accepted.
    void slotProcessDlg();
    // Repaints the animation frame.
    void updateProgress();

public:
    void reject() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPixmap m_background;
    QLabel *m_pMovieLabel = nullptr;
    QMovie *m_pMovie = nullptr;
    MirtProcessThread *m_pThread = nullptr;
    bool m_bDone = false;
    int m_iShowDelayMs = 300;
};
