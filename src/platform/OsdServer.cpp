#include "OsdServer.h"
#include "PlatformLog.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>

OsdServer::OsdServer(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    qRegisterMetaType<Osd::Notice>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &OsdServer::onNewConnection);
}

OsdServer::~OsdServer()
{
    close();
}

bool OsdServer::listen(const QString &name)
{
    const QString serverName = name.isEmpty() ? Osd::serverName() : name;
    m_errorString.clear();
    // Someone answering means another OSD runs; silence means at most a
    // socket file left behind by one that crashed, which goes.
    QLocalSocket probe;
    probe.connectToServer(serverName, QIODevice::WriteOnly);
    if (probe.waitForConnected(500)) {
        probe.abort();
        m_errorString = QStringLiteral("another on-screen display is running");
        return false;
    }
    QLocalServer::removeServer(serverName);
    if (m_server->listen(serverName))
        return true;
    m_errorString = m_server->errorString();
    return false;
}

void OsdServer::close()
{
    m_server->close();
    const QList<QLocalSocket *> sockets = m_buffers.keys();
    m_buffers.clear();
    for (QLocalSocket *s : sockets) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
}

bool OsdServer::isListening() const
{
    return m_server->isListening();
}

QString OsdServer::fullServerName() const
{
    return m_server->fullServerName();
}

void OsdServer::onNewConnection()
{
    while (QLocalSocket *s = m_server->nextPendingConnection()) {
        m_buffers.insert(s, QByteArray());
        connect(s, &QLocalSocket::readyRead, this, &OsdServer::onReadyRead);
        connect(s, &QLocalSocket::disconnected, this, [this, s] {
            // Blocks that were still in flight come with the last readyRead.
            if (s->bytesAvailable() > 0)
                onReadyReadFrom(s);
            m_buffers.remove(s);
            s->deleteLater();
        });
        if (s->bytesAvailable() > 0)
            onReadyReadFrom(s);
    }
}

void OsdServer::onReadyRead()
{
    if (auto *s = qobject_cast<QLocalSocket *>(sender()))
        onReadyReadFrom(s);
}

void OsdServer::onReadyReadFrom(QLocalSocket *s)
{
    auto it = m_buffers.find(s);
    if (it == m_buffers.end())
        return;
    it->append(s->readAll());
    while (it->size() >= Osd::kBlockSize) {
        Osd::Notice notice;
        const bool ok = Osd::parseBlock(it->left(Osd::kBlockSize), &notice);
        it->remove(0, Osd::kBlockSize);
        if (!ok) {
            qCDebug(lcPlatform) << "OSD: unreadable notice block, connection dropped";
            m_buffers.erase(it);
            s->disconnect(this);
            s->abort();
            s->deleteLater();
            emit badBlock();
            return;
        }
        emit noticeReceived(notice);
        // A slot may have closed the server.
        it = m_buffers.find(s);
        if (it == m_buffers.end())
            return;
    }
}
