#include "OsdClient.h"

#include "PlatformLog.h"
#include "ProgramLauncher.h"

#include <QDebug>
#include <QLocalSocket>

namespace {
// Notices queued while the OSD starts; older ones go first when it overflows.
constexpr int kMaxQueued = 32;
} // namespace

OsdClient::OsdClient(ProgramLauncher *launcher, const QString &program, QObject *parent)
    : QObject(parent), m_launcher(launcher), m_program(program), m_serverName(Osd::serverName())
{
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &OsdClient::tryConnect);
}

OsdClient::~OsdClient()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void OsdClient::setRetry(int attempts, int intervalMs)
{
    m_attempts = qMax(0, attempts);
    m_intervalMs = qMax(0, intervalMs);
}

void OsdClient::showOsd(const QString &text, const QColor &color)
{
    showOsd(Osd::buildBlock(text, color));
}

void OsdClient::showOsd(const QByteArray &block)
{
    if (block.size() != Osd::kBlockSize)
        return;
    m_queue.append(block);
    while (m_queue.size() > kMaxQueued)
        m_queue.removeFirst();
    startRoundIfQueued();
}

void OsdClient::tryConnect()
{
    if (m_socket || m_queue.isEmpty())
        return;
    m_socket = new QLocalSocket(this);
    connect(m_socket, &QLocalSocket::connected, this, &OsdClient::onConnected);
    connect(m_socket, &QLocalSocket::errorOccurred, this, &OsdClient::onSocketError);
    connect(m_socket, &QLocalSocket::bytesWritten, this, &OsdClient::onBytesWritten);
    m_socket->connectToServer(m_serverName, QIODevice::WriteOnly);
}

void OsdClient::onConnected()
{
    // What is queued now goes out; later notices wait for the next round.
    m_inFlight = m_queue;
    m_queue.clear();
    QByteArray data;
    for (const QByteArray &b : qAsConst(m_inFlight))
        data += b;
    m_toWrite = data.size();
    if (m_socket->write(data) != data.size()) {
        qCDebug(lcPlatform) << "SendMessage failed\n";
        const int count = m_inFlight.size();
        m_inFlight.clear();
        m_toWrite = 0;
        finishSocket();
        emit dropped(count);
        startRoundIfQueued();
    }
}

void OsdClient::onBytesWritten(qint64 bytes)
{
    if (!m_socket || m_toWrite <= 0)
        return;
    m_toWrite -= bytes;
    if (m_toWrite > 0)
        return;
    // All of it went out.
    const QList<QByteArray> sent = m_inFlight;
    m_inFlight.clear();
    m_toWrite = 0;
    finishSocket();
    for (const QByteArray &b : sent) {
        Osd::Notice n;
        if (Osd::parseBlock(b, &n))
            emit delivered(n.text);
    }
    // Notices given while these were on their way.
    startRoundIfQueued();
}

void OsdClient::startRoundIfQueued()
{
    if (!m_queue.isEmpty() && !isBusy()) {
        m_attempt = 0;
        m_started = false;
        tryConnect();
    }
}

void OsdClient::onSocketError()
{
    if (!m_socket)
        return;
    const bool wasConnected = m_toWrite > 0;
    const QString error = m_socket->errorString();
    finishSocket();
    if (wasConnected) {
        // The OSD went away while we wrote.
        qCDebug(lcPlatform) << "SendMessage failed\n" << error;
        const int count = m_inFlight.size();
        m_inFlight.clear();
        m_toWrite = 0;
        emit dropped(count);
        startRoundIfQueued();
        return;
    }
    scheduleRetry();
}

void OsdClient::scheduleRetry()
{
    if (m_attempt >= m_attempts) {
        qCDebug(lcPlatform) << "OSD window not found; notice dropped";
        const int count = m_queue.size();
        m_queue.clear();
        emit dropped(count);
        return;
    }
    ++m_attempt;
    // One start per round is enough; a start that failed is tried again.
    if (!m_started && !m_program.isEmpty() && m_launcher)
        m_started = m_launcher->startDetached(m_program, {});
    m_retryTimer.start(m_intervalMs);
}

void OsdClient::finishSocket()
{
    if (!m_socket)
        return;
    QLocalSocket *s = m_socket;
    m_socket = nullptr;
    s->disconnect(this);
    if (s->state() == QLocalSocket::ConnectedState)
        s->disconnectFromServer();
    s->deleteLater();
}
