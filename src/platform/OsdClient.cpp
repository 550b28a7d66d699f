#include "OsdClient.h"

#include "PlatformLog.h"
#include "ProgramLauncher.h"
#include "UnixSocket.h"

#include <QCoreApplication>
#include <QDebug>

#include <cerrno>

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

OsdClient::~OsdClient() = default;

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
    const int fd = UnixSocket::connectTo(m_serverName);
    if (fd < 0) {
        scheduleRetry();
        return;
    }
    m_socket = new UnixSocketNotifier(fd, QSocketNotifier::Write, this);
    connect(m_socket, &QSocketNotifier::activated, this, &OsdClient::onWritable);
    // What is queued now goes out; later notices wait for the next round.
    m_inFlight = m_queue;
    m_queue.clear();
    m_data.clear();
    for (const QByteArray &b : qAsConst(m_inFlight))
        m_data += b;
    m_written = 0;
}

void OsdClient::onWritable()
{
    if (!m_socket)
        return;
    const qint64 n =
        UnixSocket::write(int(m_socket->socket()), m_data.constData() + m_written, m_data.size() - m_written);
    if (n < 0) {
        // The OSD went away while we wrote.
        qCDebug(lcPlatform) << "SendMessage failed\n" << qt_error_string(errno);
        const int count = m_inFlight.size();
        m_inFlight.clear();
        finishSocket();
        emit dropped(count);
        startRoundIfQueued();
        return;
    }
    m_written += n;
    if (m_written < m_data.size())
        return;
    // All of it went out.
    const QList<QByteArray> sent = m_inFlight;
    m_inFlight.clear();
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
    // The program ends when we have gone (and its notices are over).
    if (!m_started && !m_program.isEmpty() && m_launcher)
        m_started = m_launcher->startDetached(
            m_program, {QStringLiteral("--owner"), QString::number(QCoreApplication::applicationPid())});
    m_retryTimer.start(m_intervalMs);
}

void OsdClient::finishSocket()
{
    if (!m_socket)
        return;
    // Perhaps called from its own signal: the connection closes a moment later.
    m_socket->setEnabled(false);
    m_socket->deleteLater();
    m_socket = nullptr;
    m_data.clear();
    m_written = 0;
}
