#include "MirtProcessDialog.h"

#include "MirtKit.h"
#include "MirtProcessThread.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QTimer>

MirtProcessDialog::MirtProcessDialog(QWidget *mainWindow, QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent ? parent : mainWindow, flags | Qt::FramelessWindowHint)
{
    MirtKit::initResources();
    setAttribute(Qt::WA_TranslucentBackground, true);
    setModal(true);
    setFixedSize(MirtKit::scaled(128), MirtKit::scaled(128));
    setAccessibleName(tr("Sending data"));
    m_background = MirtKit::skinPixmap(QStringLiteral("/skin/process.png"));

    m_pMovieLabel = new QLabel(this);
    const int side = MirtKit::scaled(127);
    m_pMovieLabel->setGeometry((width() - side) / 2, (height() - side) / 2, side, side);
    m_pMovieLabel->setAttribute(Qt::WA_TranslucentBackground, true);
    m_pMovie = new QMovie(QStringLiteral(":/skin/loading.gif"), QByteArray(), this);
    m_pMovie->setScaledSize(QSize(side, side));
    m_pMovie->setCacheMode(QMovie::CacheAll);
    m_pMovieLabel->setMovie(m_pMovie);
    connect(m_pMovie, &QMovie::frameChanged, this, &MirtProcessDialog::updateProgress);
    m_pMovie->start();

    if (mainWindow) {
        const QRect g = mainWindow->frameGeometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
}

int MirtProcessDialog::runThread(MirtProcessThread *thread)
{
    if (!thread)
        return QDialog::Rejected;
    m_pThread = thread;
    m_bDone = false;
    // Connected before the start, so a worker that finishes at once is not missed.
    connect(thread, &MirtProcessThread::DoProcessDlg, this, &MirtProcessDialog::slotProcessDlg,
            Qt::QueuedConnection);
    connect(thread, &QThread::finished, this, &MirtProcessDialog::slotProcessDlg, Qt::QueuedConnection);
    thread->start(QThread::InheritPriority);
    // A mouse that answers at once never shows the dialog: for the first
    // moments the window only stops taking input (it is queued, not lost), so
    // nothing edits the profile while the worker reads it.
    int result = QDialog::Accepted;
    if (m_iShowDelayMs > 0) {
        QEventLoop wait;
        QTimer delay;
        delay.setSingleShot(true);
        connect(&delay, &QTimer::timeout, &wait, &QEventLoop::quit);
        connect(this, &QDialog::finished, &wait, &QEventLoop::quit);
        delay.start(m_iShowDelayMs);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!m_bDone)
        result = exec();
    thread->wait();
    disconnect(thread, nullptr, this, nullptr);
    m_pThread = nullptr;
    return result;
}

void MirtProcessDialog::slotProcessDlg()
{
    if (m_bDone)
        return;
    m_bDone = true;
    m_pMovie->stop();
    accept();
}

void MirtProcessDialog::updateProgress()
{
    m_pMovieLabel->update();
}

void MirtProcessDialog::reject()
{
    // Escape must not hand the profile back to the user while the worker reads it.
    if (m_pThread && !m_bDone)
        return;
    QDialog::reject();
}

void MirtProcessDialog::closeEvent(QCloseEvent *event)
{
    if (m_pThread && !m_bDone) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MirtProcessDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_background.isNull()) {
        p.drawPixmap(rect(), m_background);
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(MirtKit::panelColor());
        p.drawRoundedRect(rect(), width() / 8.0, height() / 8.0);
    }
}
