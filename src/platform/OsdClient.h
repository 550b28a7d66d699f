#pragma once
// Sends notices to the on-screen display. When no one listens it starts the
// OSD program detached and tries again, five times 500 ms apart, on timers:
// the caller never waits. Notices given meanwhile queue up and go out in order.
// The program is given our process id (--owner PID): it ends once we have
// gone and its last notice is over.

#include "OsdBlock.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class ProgramLauncher;
class QSocketNotifier;

class OsdClient : public QObject
{
    Q_OBJECT
public:
    // LAUNCHER is not owned. PROGRAM is the OSD program's full path.
    OsdClient(ProgramLauncher *launcher, const QString &program, QObject *parent = nullptr);
    ~OsdClient() override;

    void setServerName(const QString &name) { m_serverName = name; }
    QString serverName() const { return m_serverName; }
    // Five attempts, 500 ms apart, by default.
    void setRetry(int attempts, int intervalMs);

    // Queues TEXT in the accent COLOR and sends what is queued.
    void showOsd(const QString &text, const QColor &color);
    void showOsd(const QByteArray &block);

    bool isBusy() const { return m_socket != nullptr || m_retryTimer.isActive(); }
    int pendingCount() const { return m_queue.size() + m_inFlight.size(); }

signals:
    void delivered(const QString &text);
    // The OSD did not appear after all attempts: the queued notices are dropped.
    void dropped(int count);

private slots:
    void tryConnect();
    void onWritable();

private:
    void finishSocket();
    void scheduleRetry();
    void startRoundIfQueued();

    ProgramLauncher *m_launcher;
    QString m_program;
    QString m_serverName;
    int m_attempts = 5;
    int m_intervalMs = 500;
    int m_attempt = 0;
    bool m_started = false;       // the program was started in this round
    QList<QByteArray> m_queue;    // waiting for the next connection
    QList<QByteArray> m_inFlight; // written on the current one
    QByteArray m_data;            // m_inFlight in one piece
    qint64 m_written = 0;
    QSocketNotifier *m_socket = nullptr; // owns the connection
    QTimer m_retryTimer;
};
