#include "SimulatedHidBackend.h"

#include "ProtocolClock.h"
#include "ShippedModel.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {
constexpr uint16_t kReleases[2] = {0x0100, 0x0203}; // receiver, cable
constexpr uint16_t kMouseUsagePage = 1, kMouseUsage = 2, kVendorUsagePage = 0xFF00, kVendorUsage = 0xFF00;

uint16_t productOf(int connection)
{
    return connection == 1 ? kShippedCablePid : kShippedReceiverPid;
}
} // namespace

struct SimulatedHidBackend::SimHandle : HidDevice
{
    QByteArray path;
    int connection = 0;
    int interfaceNumber = 0;
    bool dead = false;
    std::deque<Pending> queue; // ordered by due time
    // Motion on the mouse collection: report number `motionStep` is due at
    // motionBaseUs + (motionStep - motionBaseStep) periods of motionHz.
    int motionHz = 0;
    int64_t motionBaseUs = 0;
    uint32_t motionBaseStep = 0;
    uint32_t motionStep = 0;

    int64_t motionDueUs() const
    {
        const int64_t n = int64_t(motionStep - motionBaseStep);
        const int64_t nominal = motionBaseUs + (n * 1000000) / motionHz;
        // A little jitter, as a real link has: within +-2 % of a period.
        const int64_t spread = 1000000 / motionHz / 25;
        const int64_t jitter =
            spread ? int64_t((motionStep * 2654435761u) >> 8) % (2 * spread + 1) - spread : 0;
        return nominal + jitter;
    }
    // Follows a change of rate from the next report on.
    void setMotionRate(int hz, int64_t nowUs)
    {
        if (hz == motionHz)
            return;
        motionBaseUs = motionHz ? motionDueUs() : nowUs;
        motionBaseStep = motionStep;
        motionHz = hz;
        if (motionBaseUs < nowUs - 1000000) // nobody read for a while: start afresh
            motionBaseUs = nowUs;
    }
};

SimulatedHidBackend::SimulatedHidBackend(QObject *parent) : QObject(parent) {}

SimulatedHidBackend::~SimulatedHidBackend()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    qDeleteAll(m_handles);
    m_handles.clear();
}

QByteArray SimulatedHidBackend::pathOf(int connection, int interfaceNumber)
{
    return QByteArrayLiteral("sim:") + (connection == 1 ? "cable" : "receiver") + ":if" +
           QByteArray::number(interfaceNumber);
}

int SimulatedHidBackend::init()
{
    return 0;
}
int SimulatedHidBackend::exit()
{
    return 0;
}

QVector<HidDeviceInfo> SimulatedHidBackend::enumerate(uint16_t vendorId, uint16_t productId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QVector<HidDeviceInfo> list;
    for (int c = 0; c < 2; ++c) {
        if (!m_plugged[c])
            continue;
        if ((vendorId && vendorId != kShippedVendorId) || (productId && productId != productOf(c)))
            continue;
        for (int iface : {0, 2}) {
            HidDeviceInfo d;
            d.path = pathOf(c, iface);
            d.vendorId = kShippedVendorId;
            d.productId = productOf(c);
            d.releaseNumber = kReleases[c];
            d.usagePage = iface == 0 ? kMouseUsagePage : kVendorUsagePage;
            d.usage = iface == 0 ? kMouseUsage : kVendorUsage;
            d.interfaceNumber = iface;
            list.append(d);
        }
    }
    return list;
}

HidDevice *SimulatedHidBackend::openPath(const QByteArray &path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int c = 0; c < 2; ++c) {
        for (int iface : {0, 2}) {
            if (path != pathOf(c, iface))
                continue;
            if (!m_plugged[c]) {
                m_lastError = QStringLiteral("No such device");
                return nullptr;
            }
            if (m_permissionDenied) {
                m_lastError = QStringLiteral("Permission denied");
                return nullptr;
            }
            auto *h = new SimHandle;
            h->path = path;
            h->connection = c;
            h->interfaceNumber = iface;
            if (iface == 0)
                h->setMotionRate(motionRateLocked(), protocolClock()->nowUs());
            m_handles.append(h);
            return h;
        }
    }
    m_lastError = QStringLiteral("No such device");
    return nullptr;
}

void SimulatedHidBackend::close(HidDevice *device)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto *h = static_cast<SimHandle *>(device);
    if (m_handles.removeOne(h))
        delete h;
}

QString SimulatedHidBackend::error(HidDevice *)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

bool SimulatedHidBackend::permissionDenied(const QByteArray &)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_permissionDenied;
}

SimulatedHidBackend::Answer SimulatedHidBackend::nextFateLocked()
{
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double r = u(m_rng);
    double acc = 0;
    const std::pair<double, Answer> table[] = {
        {m_faults.lostEcho, Answer::Lost},       {m_faults.lateEcho, Answer::Late},
        {m_faults.corruptEcho, Answer::Corrupt}, {m_faults.zeroEcho, Answer::Zero},
        {m_faults.stolen, Answer::Stolen},       {m_faults.duplicateEcho, Answer::Duplicate},
        {m_faults.shortEcho, Answer::Short}};
    for (const auto &[p, a] : table) {
        acc += p;
        if (r < acc)
            return a;
    }
    return Answer::Normal;
}

void SimulatedHidBackend::deliverLocked(int connection, Report report, Answer fate)
{
    int64_t due = protocolClock()->nowUs() + m_latencyUs;
    int copies = 1;
    int length = kReportSize;
    switch (fate) {
    case Answer::Normal:
        break;
    case Answer::Lost:
        ++m_faultCounts.lost;
        return;
    case Answer::Stolen:
        ++m_faultCounts.stolen;
        return;
    case Answer::Late:
        ++m_faultCounts.late;
        due = protocolClock()->nowUs() + int64_t(m_faults.lateDelayMs) * 1000;
        break;
    case Answer::Corrupt: {
        ++m_faultCounts.corrupt;
        std::uniform_int_distribution<int> pos(1, kReportSize - 1);
        report[size_t(pos(m_rng))] ^= 0x5A;
        break;
    }
    case Answer::Zero:
        ++m_faultCounts.zero;
        report.fill(0);
        break;
    case Answer::Duplicate:
        ++m_faultCounts.duplicate;
        copies = 2;
        break;
    case Answer::Short:
        ++m_faultCounts.shortReport;
        length = std::uniform_int_distribution<int>(1, kReportSize - 1)(m_rng);
        break;
    }
    for (SimHandle *h : m_handles) {
        if (h->connection != connection || h->interfaceNumber != 2 || h->dead)
            continue;
        for (int c = 0; c < copies; ++c) {
            auto it = std::upper_bound(h->queue.begin(), h->queue.end(), due,
                                       [](int64_t d, const Pending &p) { return d < p.dueUs; });
            h->queue.insert(it, Pending{due, report, length});
        }
    }
    m_cv.notify_all();
}

int SimulatedHidBackend::write(HidDevice *device, const uint8_t *data, size_t length)
{
    QList<PlugEvent> events;
    int result = int(length);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto *h = static_cast<SimHandle *>(device);
        if (!h || !m_handles.contains(h) || h->dead || !data || length < 1) {
            m_lastError = QStringLiteral("No such device");
            return -1;
        }
        if (h->interfaceNumber != 2) {
            m_lastError = QStringLiteral("Broken pipe");
            return -1; // the mouse collection takes no output reports
        }
        Frame frame{};
        std::memcpy(frame.data(), data, std::min<size_t>(length, kFrameSize));
        m_written.append(frame);
        ++m_writesOn[h->connection];
        if (m_unplugAfter >= 0 && --m_unplugAfter < 0) {
            ++m_faultCounts.unplug;
            unplugLocked(h->connection, events);
            m_lastError = QStringLiteral("No such device");
            result = -1;
        } else if (m_writeErrors > 0) {
            --m_writeErrors;
            ++m_faultCounts.writeError;
            m_lastError = QStringLiteral("Input/output error");
            result = -1;
        } else if (std::uniform_real_distribution<double>(0, 1)(m_rng) < m_faults.writeError) {
            ++m_faultCounts.writeError;
            m_lastError = QStringLiteral("Input/output error");
            result = -1;
        } else {
            const uint8_t *report = frame.data() + 1;
            // The DPI button pressed while a write is open: its status report comes first.
            if (m_firmware.inWrite() && m_faults.statusReport > 0 &&
                std::uniform_real_distribution<double>(0, 1)(m_rng) < m_faults.statusReport) {
                ++m_faultCounts.statusReport;
                for (const Report &r : m_firmware.pressDpiButton())
                    deliverLocked(h->connection, r, Answer::Normal);
            }
            const bool lostOnTheWay =
                MouseFirmware::echoes(report) && m_faults.inboundLoss > 0 &&
                std::uniform_real_distribution<double>(0, 1)(m_rng) < m_faults.inboundLoss;
            if (lostOnTheWay) {
                ++m_faultCounts.inboundLoss;
            } else {
                const QVector<Report> answers = m_firmware.handleOutputReport(report, kReportSize);
                for (const Report &a : answers)
                    deliverLocked(h->connection, a, nextFateLocked());
            }
        }
    }
    raise(events);
    return result;
}

int SimulatedHidBackend::readTimeout(HidDevice *device, uint8_t *data, size_t length, int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return readLocked(lock, static_cast<SimHandle *>(device), data, length, milliseconds, nullptr);
}

int SimulatedHidBackend::readStamped(HidDevice *device, uint8_t *data, size_t length, int milliseconds,
                                     int64_t *arrivalUs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return readLocked(lock, static_cast<SimHandle *>(device), data, length, milliseconds, arrivalUs);
}

int SimulatedHidBackend::readLocked(std::unique_lock<std::mutex> &lock, SimHandle *h, uint8_t *data,
                                    size_t length, int milliseconds, int64_t *arrivalUs)
{
    if (!h || !m_handles.contains(h) || h->dead || !data) {
        m_lastError = QStringLiteral("No such device");
        return -1;
    }
    if (m_readErrors > 0) {
        --m_readErrors;
        m_lastError = QStringLiteral("Input/output error");
        return -1;
    }
    ProtocolClock *clock = protocolClock();
    const int64_t deadline = clock->nowUs() + int64_t(std::max(milliseconds, 0)) * 1000;
    // The next report of this handle and when it is due, if any.
    auto nextDue = [&](int64_t *due) {
        if (h->interfaceNumber == 0) {
            if (h->connection != activeConnectionLocked())
                return false; // the mouse moves over the other connection
            h->setMotionRate(motionRateLocked(), clock->nowUs());
            *due = h->motionDueUs();
            return true;
        }
        if (h->queue.empty())
            return false;
        *due = h->queue.front().dueUs;
        return true;
    };
    auto take = [&](int64_t due) {
        if (arrivalUs)
            *arrivalUs = due;
        if (h->interfaceNumber == 0) {
            const QByteArray report = MouseFirmware::motionReport(h->motionStep++);
            const size_t n = std::min<size_t>(length, size_t(report.size()));
            std::memcpy(data, report.constData(), n);
            return int(n);
        }
        const Pending p = h->queue.front();
        h->queue.pop_front();
        const size_t n = std::min<size_t>(length, size_t(p.length));
        std::memcpy(data, p.report.data(), n);
        return int(n);
    };
    int64_t due = 0;
    if (clock->isVirtual()) {
        auto *vc = static_cast<VirtualClock *>(clock);
        if (nextDue(&due) && due <= deadline) {
            vc->advanceTo(due);
            return take(due);
        }
        vc->advanceTo(deadline);
        return 0;
    }
    for (;;) {
        if (!m_handles.contains(h) || h->dead)
            return -1;
        const int64_t now = clock->nowUs();
        const bool pending = nextDue(&due);
        if (pending && due <= now)
            return take(due);
        if (now >= deadline)
            return 0;
        const int64_t until = pending ? std::min(deadline, due) : deadline;
        m_cv.wait_for(lock, std::chrono::microseconds(until - now));
    }
}

int SimulatedHidBackend::motionRateLocked() const
{
    if (m_fakeRateHz > 0)
        return m_fakeRateHz;
    const int hz = m_firmware.reportRateHz();
    return hz > 0 ? hz : 1000;
}

void SimulatedHidBackend::setFakeReportRate(int hz)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fakeRateHz = std::max(hz, 0);
    m_cv.notify_all();
}

int SimulatedHidBackend::fakeReportRate() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fakeRateHz;
}

int SimulatedHidBackend::activeConnectionLocked() const
{
    return m_plugged[1] ? 1 : 0;
}

void SimulatedHidBackend::unplugLocked(int connection, QList<PlugEvent> &events)
{
    if (!m_plugged[connection])
        return;
    m_plugged[connection] = false;
    m_unplugAfter = -1;
    for (SimHandle *h : m_handles) {
        if (h->connection == connection) {
            h->dead = true;
            h->queue.clear();
        }
    }
    m_firmware.abandonWrite();
    m_cv.notify_all();
    for (int iface : {0, 2})
        events.append(PlugEvent{false, kShippedVendorId, productOf(connection), iface, kReleases[connection],
                                pathOf(connection, iface)});
}

void SimulatedHidBackend::setPlugged(int connection, bool plugged)
{
    QList<PlugEvent> events;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!plugged) {
            unplugLocked(connection, events);
        } else if (!m_plugged[connection]) {
            m_plugged[connection] = true;
            for (int iface : {0, 2})
                events.append(PlugEvent{true, kShippedVendorId, productOf(connection), iface,
                                        kReleases[connection], pathOf(connection, iface)});
        }
    }
    raise(events);
}

void SimulatedHidBackend::raise(const QList<PlugEvent> &events)
{
    for (const PlugEvent &e : events) {
        if (onPlugEvent)
            onPlugEvent(e);
        emit plugEvent(e.arrived, e.vendorId, e.productId, e.interfaceNumber, e.release, e.path);
    }
}

void SimulatedHidBackend::plugReceiver(bool plugged)
{
    setPlugged(0, plugged);
}
void SimulatedHidBackend::plugCable(bool plugged)
{
    setPlugged(1, plugged);
}

bool SimulatedHidBackend::receiverPlugged() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_plugged[0];
}

bool SimulatedHidBackend::cablePlugged() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_plugged[1];
}

void SimulatedHidBackend::unplugAfterWrites(int writes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_unplugAfter = writes;
}

void SimulatedHidBackend::setEchoLatencyUs(int64_t us)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_latencyUs = std::max<int64_t>(us, 0);
}

void SimulatedHidBackend::setFaults(const Faults &faults)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults = faults;
    m_rng.seed(faults.seed);
}

void SimulatedHidBackend::scriptAnswers(const QList<Answer> &answers)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_script = answers;
}

void SimulatedHidBackend::scriptReadErrors(int n)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_readErrors = n;
}

void SimulatedHidBackend::scriptWriteErrors(int n)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writeErrors = n;
}

void SimulatedHidBackend::setPermissionDenied(bool denied)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_permissionDenied = denied;
}

void SimulatedHidBackend::pressDpiButton()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Report &r : m_firmware.pressDpiButton())
        deliverLocked(activeConnectionLocked(), r, Answer::Normal);
}

void SimulatedHidBackend::pressRateButton()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Report &r : m_firmware.pressRateButton())
        deliverLocked(activeConnectionLocked(), r, Answer::Normal);
}

void SimulatedHidBackend::withFirmware(const std::function<void(MouseFirmware &)> &fn)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    fn(m_firmware);
}

MouseFirmware SimulatedHidBackend::firmwareSnapshot() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_firmware;
}

QVector<Frame> SimulatedHidBackend::writtenFrames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_written;
}

void SimulatedHidBackend::clearWrittenFrames()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_written.clear();
    m_writesOn[0] = m_writesOn[1] = 0;
}

int SimulatedHidBackend::writesOn(int connection) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writesOn[connection == 1 ? 1 : 0];
}

int SimulatedHidBackend::openHandleCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_handles.size();
}

int SimulatedHidBackend::FaultCounts::total() const
{
    return lost + late + corrupt + zero + stolen + duplicate + shortReport + writeError + inboundLoss +
           statusReport + unplug;
}

SimulatedHidBackend::FaultCounts SimulatedHidBackend::faultCounts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_faultCounts;
}

int SimulatedHidBackend::faultsInjected() const
{
    return faultCounts().total();
}

void SimulatedHidBackend::injectReport(int connection, const Report &report)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    deliverLocked(connection == 1 ? 1 : 0, report, Answer::Normal);
}
