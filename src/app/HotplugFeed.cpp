#include "HotplugFeed.h"

#include "HotplugSource.h"

HotplugSourceFeed::HotplugSourceFeed(HotplugSource *source, QObject *parent)
    : HotplugFeed(parent), m_source(source)
{
    connect(m_source, &HotplugSource::deviceArrived, this,
            [this](const HidNodeInfo &node) { emit deviceChanged(DeviceChange::fromHidNode(node, true)); });
    connect(m_source, &HotplugSource::deviceRemoved, this,
            [this](const HidNodeInfo &node) { emit deviceChanged(DeviceChange::fromHidNode(node, false)); });
}

bool HotplugSourceFeed::start()
{
    if (m_source->isRunning())
        return true;
    if (!m_source->start()) {
        setErrorString(m_source->errorString());
        return false;
    }
    return true;
}

void HotplugSourceFeed::stop()
{
    m_source->stop();
}
