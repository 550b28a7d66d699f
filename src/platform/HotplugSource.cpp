#include "HotplugSource.h"

HotplugSource::HotplugSource(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<HidNodeInfo>();
}

HotplugSource::~HotplugSource() = default;

void HotplugSource::setSupportedIds(const QVector<UsbId> &ids)
{
    m_supportedIds = ids;
}

bool HotplugSource::isSupported(quint16 vendorId, quint16 productId) const
{
    if (m_supportedIds.isEmpty())
        return true;
    for (const UsbId &id : m_supportedIds) {
        if (id.vendorId == vendorId && id.productId == productId)
            return true;
    }
    return false;
}
