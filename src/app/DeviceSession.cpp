#include "DeviceSession.h"

#include "AppConfig.h"
#include "DeviceLink.h"
#include "HotplugFeed.h"
#include "Log.h"
#include "MirtGetBatteryThread.h"
#include "MouseLock.h"
#include "ReportRate.h"

#include <QDebug>

#include <cstring>

namespace {

void storePath(char (&dest)[kPathCapacity], const QByteArray &path)
{
    std::memset(dest, 0, sizeof(dest));
    std::strncpy(dest, path.constData(), sizeof(dest) - 1);
}

} // namespace

DeviceSession::DeviceSession(HotplugFeed *hotplug, const QString &productName, QObject *parent)
    : QObject(parent), m_hotplug(hotplug), m_productName(productName)
{
    qRegisterMetaType<DeviceChange>("DeviceChange");
    m_reopenTimer.setSingleShot(true);
    m_reopenTimer.setInterval(500);
    connect(&m_reopenTimer, &QTimer::timeout, this, [this] { openDevicesAndPoll(); });
}

DeviceSession::~DeviceSession()
{
    m_reopenTimer.stop();
    if (m_hotplug)
        m_hotplug->disconnect(this);
    stopPoller();
    CloseDevices();
    ExitHid();
    setLinkAborted(false);
}

void DeviceSession::start()
{
    if (m_hotplug) {
        connect(m_hotplug, &HotplugFeed::deviceChanged, this, &DeviceSession::onDeviceChanged);
        m_hotplugRunning = m_hotplug->start();
        if (!m_hotplugRunning)
            qCDebug(lcApp) << "hot-plug notifications unavailable:" << m_hotplug->errorString();
    }
    m_deviceCount = 0;
    LoadDeviceList();
    ScanDevices();
}

void DeviceSession::setMouseLockPath(const QString &path)
{
    if (path == m_lockPath)
        return;
    m_lock.reset();
    m_lockPath = path;
}

bool DeviceSession::takeMouseLock()
{
    if (m_lockPath.isEmpty())
        return true;
    if (!m_lock)
        m_lock = std::make_unique<MouseLock>(m_lockPath);
    if (m_lock->tryAcquire(QStringLiteral("the mousecfg window"))) {
        m_lockHolder.clear();
        return true;
    }
    if (m_lockHolder != m_lock->errorString())
        qCWarning(lcApp).noquote() << "the mouse is not opened:" << m_lock->errorString();
    m_lockHolder = m_lock->holder();
    return false;
}

// ---------------------------------------------------------------------------
// The device list

void DeviceSession::onDeviceChanged(const DeviceChange &change)
{
    qCDebug(lcApp) << (change.arrived ? "DBT_DEVICEARRIVAL" : "DBT_DEVICEREMOVECOMPLETE") << change.path;
    handleDeviceChange(change);
}

bool DeviceSession::isCommandPath(const QString &path) const
{
    const QByteArray bytes = path.toLatin1();
    const DeviceList &list = deviceList();
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        const DeviceEntry &d = list.entries[e];
        if ((d.receiverVendorFound == 1 && bytes == d.receiverVendorPath) ||
            (d.cableVendorFound == 1 && bytes == d.cableVendorPath))
            return true;
    }
    return false;
}

void DeviceSession::handleDeviceChange(const DeviceChange &change)
{
    if (jobRunning()) {
        // The worker holds the handles: the change waits for the job's end.
        // A command collection that went away stops the job between frames.
        if (!change.arrived && isCommandPath(change.path))
            setLinkAborted(true);
        m_queued.append(change);
        return;
    }

    DeviceList &list = deviceList();
    const QByteArray path = change.path.toLatin1();
    const int kind = int(change.kind);
    bool reloaded = false;

    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        DeviceEntry &d = list.entries[e];
        int conn;
        if (change.vendorId == d.receiverVendorId && change.productId == d.receiverProductId)
            conn = kReceiver;
        else if (change.vendorId == d.cableVendorId && change.productId == d.cableProductId)
            conn = kCable;
        else
            continue;

        bool newlyFound = false;
        if (change.arrived) {
            const int minRelease = conn == kCable ? d.cableMinRelease : d.receiverMinRelease;
            const int maxRelease = conn == kCable ? d.cableMaxRelease : d.receiverMaxRelease;
            const bool releaseOk =
                maxRelease == 0 || (change.release >= minRelease && change.release <= maxRelease);
            if (!releaseOk) {
                qCDebug(lcApp) << "release" << change.release << "outside" << minRelease << maxRelease
                               << "ignored";
            } else if (kind == int(InterfaceKind::Mouse)) {
                storePath(conn == kCable ? d.cableMousePath : d.receiverMousePath, path);
                newlyFound = d.mouseFound(conn) == 0;
                d.mouseFound(conn) = 1;
            } else if (kind == int(InterfaceKind::Vendor)) {
                storePath(conn == kCable ? d.cableVendorPath : d.receiverVendorPath, path);
                newlyFound = d.vendorFound(conn) == 0;
                d.vendorFound(conn) = 1;
            }
            if (d.mouseFound(conn) == 1 && d.vendorFound(conn) == 1) {
                // A pair is complete.
                const bool first = m_deviceCount == 0;
                refreshList();
                if (first)
                    emit firstMouseArrived();
            }
        } else {
            if (kind == int(InterfaceKind::Mouse)) {
                if (d.mouseFound(conn) == 0)
                    continue;
                d.mouseFound(conn) = 0;
            } else if (kind == int(InterfaceKind::Vendor)) {
                if (d.vendorFound(conn) == 0)
                    continue;
                d.vendorFound(conn) = 0;
            }
            const bool anyLeft =
                d.receiverMouseFound || d.receiverVendorFound || d.cableMouseFound || d.cableVendorFound;
            if (!anyLeft) {
                refreshList();
                if (m_deviceCount == 0) {
                    closeDevices();
                    emit lastMouseGone();
                } else if (m_productName == QString::fromLatin1(d.name)) {
                    openDevicesAndPoll();
                    reloaded = true;
                }
            }
        }

        // Whatever is still there of this connection is opened again after a pause.
        if ((d.mouseFound(conn) == 1 || d.vendorFound(conn) == 1) && !reloaded)
            scheduleReopen();
        if (newlyFound)
            emit mouseFound();
    }
    emit connectionChanged();
}

void DeviceSession::refreshList()
{
    DeviceList &list = deviceList();
    m_mouseNames.clear();
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        DeviceEntry &d = list.entries[e];
        if (d.complete(kReceiver) || d.complete(kCable))
            m_mouseNames.append(QString::fromLatin1(d.name));
    }
    m_deviceCount = m_mouseNames.size();
    emit mouseListChanged();
}

bool DeviceSession::vendorFound(bool cable) const
{
    const DeviceList &list = deviceList();
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        if ((cable ? list.entries[e].cableVendorFound : list.entries[e].receiverVendorFound) == 1)
            return true;
    }
    return false;
}

QByteArray DeviceSession::mouseCollectionPath() const
{
    return ReportRate::mouseCollectionPath(deviceList().entries[0]);
}

bool DeviceSession::permissionDenied() const
{
    const DeviceList &list = deviceList();
    for (uint32_t e = 0; e < list.count && e < uint32_t(kDeviceListCapacity); ++e) {
        const DeviceEntry &d = list.entries[e];
        const char *paths[] = {d.receiverVendorPath, d.cableVendorPath, d.receiverMousePath,
                               d.cableMousePath};
        const int32_t found[] = {d.receiverVendorFound, d.cableVendorFound, d.receiverMouseFound,
                                 d.cableMouseFound};
        for (int i = 0; i < 4; ++i) {
            if (found[i] == 1 && hidBackend()->permissionDenied(QByteArray(paths[i])))
                return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// The handles

bool DeviceSession::openDevicesAndPoll()
{
    m_reopenTimer.stop();
    if (jobRunning()) {
        m_reopenAfterJob = true;
        return commandHandleOpen();
    }
    stopPoller();
    CloseDevices();
    if (!takeMouseLock()) {
        // Another program talks to the mouse: tried again shortly.
        m_reopenTimer.start();
        return false;
    }
    if (OpenDevices() == 1)
        startPoller();
    return commandHandleOpen();
}

void DeviceSession::scheduleReopen()
{
    if (jobRunning()) {
        m_reopenAfterJob = true;
        return;
    }
    stopPoller();
    CloseDevices();
    m_reopenTimer.start();
}

void DeviceSession::closeDevices()
{
    m_reopenTimer.stop();
    m_reopenAfterJob = false;
    stopPoller();
    // A job still running was told to stop; its handle is closed only when it has.
    if (jobRunning()) {
        setLinkAborted(true);
        return;
    }
    CloseDevices();
}

void DeviceSession::selectMouse(const QString &name)
{
    m_productName = name;
    AppConfig::writeCurrentProductName(name);
    openDevicesAndPoll();
}

// ---------------------------------------------------------------------------
// The poller

void DeviceSession::startPoller()
{
    if (jobRunning())
        return; // the job's owner starts it when the job is done
    if (m_poller) {
        if (m_poller->isRunning())
            return;
        // It ended by itself (no device): make room for a new one.
        m_poller->stopAndWait();
        delete m_poller;
        m_poller = nullptr;
    }
    m_poller = new MirtGetBatteryThread();
    // Reports still queued from a poller that was stopped are dropped: they
    // describe a connection that has since been closed.
    const quint64 generation = ++m_pollerGeneration;
    connect(m_poller, &MirtGetBatteryThread::RefreshBatteryStatus, this,
            [this, generation](quint8 iCharge, quint8 iLowByte, quint8 iHiByte) {
                if (generation == m_pollerGeneration)
                    emit batteryStatus(iCharge, iLowByte, iHiByte);
            });
    connect(m_poller, &MirtGetBatteryThread::RefreshStatus, this,
            [this, generation](quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode) {
                if (generation == m_pollerGeneration)
                    emit statusReport(iProfile, iDPI, iRate, iMode);
            });
    m_poller->start(QThread::InheritPriority);
}

void DeviceSession::stopPoller()
{
    if (!m_poller)
        return;
    // Stop, and wait for it to leave its loop: no handle is closed under a reader.
    ++m_pollerGeneration;
    m_poller->stopAndWait();
    delete m_poller;
    m_poller = nullptr;
}

bool DeviceSession::pollerRunning() const
{
    return m_poller && m_poller->isRunning();
}

// ---------------------------------------------------------------------------
// Jobs

void DeviceSession::beginJob()
{
    stopPoller();
    m_reopenTimer.stop();
    if (m_jobDepth++ == 0) {
        setLinkAborted(false);
        emit jobStarted();
    }
}

void DeviceSession::endJob()
{
    if (m_jobDepth == 0 || --m_jobDepth > 0)
        return;
    setLinkAborted(false);
    if (!m_queued.isEmpty() || m_reopenAfterJob)
        QTimer::singleShot(0, this, &DeviceSession::replayQueued);
    emit jobEnded();
}

void DeviceSession::replayQueued()
{
    if (jobRunning())
        return; // the next job's end replays them
    const QList<DeviceChange> queued = std::move(m_queued);
    m_queued.clear();
    for (const DeviceChange &change : queued)
        handleDeviceChange(change);
    if (m_reopenAfterJob) {
        m_reopenAfterJob = false;
        if (!m_reopenTimer.isActive())
            openDevicesAndPoll();
    }
}
