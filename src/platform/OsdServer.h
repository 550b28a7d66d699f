#pragma once
// The receiving end of the on-screen display: a local server named after the
// OSD window title that reads notice blocks and hands them on.

#include "OsdBlock.h"

#include <QHash>
#include <QObject>

Q_DECLARE_METATYPE(Osd::Notice)

class QLocalServer;
class QLocalSocket;

class OsdServer : public QObject
{
    Q_OBJECT
public:
    explicit OsdServer(QObject *parent = nullptr);
    ~OsdServer() override;

    // Listens on NAME (default Osd::serverName()). A socket left behind by a
    // crashed server is removed; a live one makes listen() fail, with
    // errorString(), so that a second OSD program can end itself.
    bool listen(const QString &name = QString());
    void close();
    bool isListening() const;
    QString errorString() const { return m_errorString; }
    QString fullServerName() const;

signals:
    void noticeReceived(const Osd::Notice &notice);
    // A block that could not be read; the connection is dropped.
    void badBlock();

private slots:
    void onNewConnection();
    void onReadyRead();

private:
    void onReadyReadFrom(QLocalSocket *socket);

    QLocalServer *m_server;
    QHash<QLocalSocket *, QByteArray> m_buffers;
    QString m_errorString;
};
