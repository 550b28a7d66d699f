#pragma once
// Device arrival and removal: the hidraw nodes of the mice we know.

#include "HidNode.h"

#include <QList>
#include <QObject>

class HotplugSource : public QObject
{
    Q_OBJECT
public:
    explicit HotplugSource(QObject *parent = nullptr);
    ~HotplugSource() override;

    // The (vendor, product) pairs to report; an empty list reports every node.
    // Set before start().
    void setSupportedIds(const QVector<UsbId> &ids);
    QVector<UsbId> supportedIds() const { return m_supportedIds; }
    bool isSupported(quint16 vendorId, quint16 productId) const;

    // Starts watching and takes stock of the nodes already present (they are
    // not announced; see presentDevices()). False with errorString() when the
    // system offers no hot-plug notifications.
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    // The supported nodes present now, in the order found.
    virtual QList<HidNodeInfo> presentDevices() const = 0;

    QString errorString() const { return m_errorString; }

signals:
    // Emitted from the event loop of the thread that started the source. A
    // slot may stop() the source but must not delete it (use deleteLater()).
    void deviceArrived(const HidNodeInfo &node);
    void deviceRemoved(const HidNodeInfo &node);

protected:
    void setErrorString(const QString &text) { m_errorString = text; }

private:
    QVector<UsbId> m_supportedIds;
    QString m_errorString;
};
