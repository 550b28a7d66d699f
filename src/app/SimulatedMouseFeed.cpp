#include "SimulatedMouseFeed.h"

#include "SimulatedHidBackend.h"

SimulatedMouseFeed::SimulatedMouseFeed(SimulatedHidBackend *backend, QObject *parent)
    : HotplugFeed(parent), m_backend(backend)
{
    // Queued, as a notification of the system would arrive: never inside the plug call.
    connect(
        m_backend, &SimulatedHidBackend::plugEvent, this,
        [this](bool arrived, quint16 vendorId, quint16 productId, int interfaceNumber, quint16 release,
               const QByteArray &path) {
            if (!m_running)
                return;
            DeviceChange c;
            c.arrived = arrived;
            c.vendorId = vendorId;
            c.productId = productId;
            c.kind = DevicePath::kindFromInterfaceNumber(interfaceNumber);
            c.release = release;
            c.path = QString::fromLatin1(path);
            emit deviceChanged(c);
        },
        Qt::QueuedConnection);
}

bool SimulatedMouseFeed::start()
{
    m_running = true;
    return true;
}
