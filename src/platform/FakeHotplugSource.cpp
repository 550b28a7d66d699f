#include "FakeHotplugSource.h"

FakeHotplugSource::FakeHotplugSource(QObject *parent) : HotplugSource(parent) {}

bool FakeHotplugSource::start()
{
    ++m_startCount;
    if (!m_startError.isEmpty()) {
        setErrorString(m_startError);
        return false;
    }
    m_running = true;
    return true;
}

QList<HidNodeInfo> FakeHotplugSource::presentDevices() const
{
    QList<HidNodeInfo> list;
    for (const HidNodeInfo &n : m_present) {
        if (isSupported(n.vendorId, n.productId))
            list.append(n);
    }
    return list;
}

void FakeHotplugSource::addPresent(const HidNodeInfo &node)
{
    for (HidNodeInfo &n : m_present) {
        if (n.devnode == node.devnode) {
            n = node;
            return;
        }
    }
    m_present.append(node);
}

void FakeHotplugSource::plug(const HidNodeInfo &node)
{
    addPresent(node);
    if (m_running && isSupported(node.vendorId, node.productId))
        emit deviceArrived(node);
}

bool FakeHotplugSource::unplug(const QString &devnode)
{
    for (int i = 0; i < m_present.size(); ++i) {
        if (m_present.at(i).devnode == devnode) {
            const HidNodeInfo node = m_present.takeAt(i);
            if (m_running && isSupported(node.vendorId, node.productId))
                emit deviceRemoved(node);
            return true;
        }
    }
    return false;
}
