#include "GadgetServer.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
// Poll period: how soon a node that came back is reopened, and how long the
// mouse must be idle before its memory is saved.
constexpr int kPollMs = 100;
constexpr int kMaxControlLine = 4096;

QByteArray reportBytes(const Report &report)
{
    return QByteArray(reinterpret_cast<const char *>(report.data()), int(report.size()));
}
} // namespace

GadgetServer::GadgetServer(const GadgetOptions &options) : m_options(options)
{
    for (const GadgetOptions::Port &p : options.ports) {
        PortState state;
        state.port = std::make_unique<HidgPort>(p.name, p.node, kReportSize);
        state.udcFile = p.udcFile;
        m_ports.push_back(std::move(state));
    }
    for (const GadgetOptions::Motion &m : options.motion)
        m_motionPorts.push_back(std::make_unique<HidgPort>(m.name, m.node, kMouseReportSize));
}

GadgetServer::~GadgetServer()
{
    if (m_controlFd >= 0)
        ::close(m_controlFd);
    if (m_signalFd >= 0)
        ::close(m_signalFd);
    if (m_motionTimerFd >= 0)
        ::close(m_motionTimerFd);
}

bool GadgetServer::start(QString *errorText)
{
    if (!m_options.statePath.isEmpty() && !m_firmware.loadFromIni(m_options.statePath, errorText))
        return false;

    if (!m_options.controlPath.isEmpty()) {
        const QByteArray path = QFile::encodeName(m_options.controlPath);
        if (::mkfifo(path.constData(), 0600) != 0 && errno != EEXIST) {
            *errorText = QStringLiteral("cannot create the control FIFO %1: %2")
                             .arg(m_options.controlPath, QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
        struct stat st;
        if (::stat(path.constData(), &st) != 0 || !S_ISFIFO(st.st_mode)) {
            *errorText = QStringLiteral("%1 exists and is not a FIFO").arg(m_options.controlPath);
            return false;
        }
        // Read-write, so the FIFO never reports end-of-file between writers.
        m_controlFd = ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (m_controlFd < 0) {
            *errorText = QStringLiteral("cannot open the control FIFO %1: %2")
                             .arg(m_options.controlPath, QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
    }

    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGINT);
    sigprocmask(SIG_BLOCK, &mask, nullptr);
    m_signalFd = ::signalfd(-1, &mask, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_signalFd < 0) {
        *errorText = QStringLiteral("signalfd: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    return true;
}

int GadgetServer::run()
{
    while (!m_quit) {
        std::vector<pollfd> fds;
        fds.push_back({m_signalFd, POLLIN, 0});
        fds.push_back({m_controlFd, POLLIN, 0}); // -1 is ignored by poll()
        for (PortState &s : m_ports) {
            s.port->tryOpen();
            short events = POLLIN;
            if (s.port->hasPending())
                events |= POLLOUT;
            fds.push_back({s.port->fd(), events, 0});
        }
        const size_t timerIndex = fds.size();
        fds.push_back({m_motionHz ? m_motionTimerFd : -1, POLLIN, 0});

        const int n = ::poll(fds.data(), fds.size(), kPollMs);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            qDebug() << "gadget: poll failed:" << strerror(errno);
            saveState();
            return 1;
        }
        if (n == 0) {
            if (m_dirty)
                saveState();
            continue;
        }
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info;
            while (::read(m_signalFd, &info, sizeof info) == ssize_t(sizeof info))
                m_quit = true;
        }
        if (fds[1].revents & POLLIN)
            readControl();
        for (size_t i = 0; i < m_ports.size(); ++i) {
            PortState &s = m_ports[i];
            const short revents = fds[i + 2].revents;
            if (fds[i + 2].fd < 0 || fds[i + 2].fd != s.port->fd())
                continue; // closed meanwhile
            if (revents & POLLIN) {
                for (;;) {
                    const QByteArray report = s.port->readReport();
                    if (report.isEmpty())
                        break;
                    serveReport(s, report);
                    if (!s.port->isOpen())
                        break;
                }
            }
            if (s.port->isOpen() && (revents & POLLOUT))
                s.port->flush();
            if (s.port->isOpen() && (revents & (POLLERR | POLLHUP | POLLNVAL)))
                s.port->close();
        }
        if (fds[timerIndex].revents & POLLIN)
            sendMotion();
    }
    return saveState() ? 0 : 1;
}

void GadgetServer::serveReport(PortState &state, const QByteArray &report)
{
    if (state.unplugAt >= 0 && state.port->reportsRead() >= state.unplugAt) {
        unplug(state); // the report never reached the mouse
        return;
    }
    const QVector<Report> answers =
        m_firmware.handleOutputReport(reinterpret_cast<const uint8_t *>(report.constData()), report.size());
    for (const Report &a : answers)
        state.port->queueReport(reportBytes(a));
    m_dirty = true;
}

void GadgetServer::setMoving(bool moving)
{
    if (moving && m_motionTimerFd < 0)
        m_motionTimerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    m_motionHz = moving ? m_firmware.reportRateHz() : 0;
    if (moving)
        m_motionSent = m_motionDropped = 0;
    armMotionTimer();
}

void GadgetServer::armMotionTimer()
{
    if (m_motionTimerFd < 0)
        return;
    itimerspec spec{};
    if (m_motionHz > 0) {
        spec.it_interval.tv_nsec = 1000000000L / m_motionHz;
        spec.it_value = spec.it_interval;
    }
    ::timerfd_settime(m_motionTimerFd, 0, &spec, nullptr);
}

void GadgetServer::sendMotion()
{
    uint64_t expirations = 0;
    if (::read(m_motionTimerFd, &expirations, sizeof expirations) != ssize_t(sizeof expirations))
        return;
    // One report per period at most: periods the server slept through are
    // lost, as reports the host did not collect are.
    const QByteArray report = MouseFirmware::motionReport(m_motionStep++);
    for (auto &port : m_motionPorts) {
        if (port->tryOpen())
            ++(port->sendNow(report) ? m_motionSent : m_motionDropped);
    }
    // The rate follows the mouse's own (a write or its rate button).
    const int hz = m_firmware.reportRateHz();
    if (hz > 0 && hz != m_motionHz) {
        m_motionHz = hz;
        armMotionTimer();
    }
}

void GadgetServer::unplug(PortState &state)
{
    state.unplugAt = -1;
    qDebug() << "gadget: unplugging" << state.port->name();
    QFile udc(state.udcFile);
    if (!udc.open(QIODevice::WriteOnly) || udc.write("\n") != 1)
        qDebug() << "gadget: cannot unbind through" << state.udcFile << udc.errorString();
    udc.close();
    state.port->close();
    m_firmware.abandonWrite();
    m_dirty = true;
}

GadgetServer::PortState *GadgetServer::portNamed(const QString &name)
{
    for (PortState &s : m_ports)
        if (s.port->name() == name)
            return &s;
    return nullptr;
}

GadgetServer::PortState *GadgetServer::statusPort()
{
    // The program polls the cable when both are present.
    PortState *cable = portNamed(QStringLiteral("cable"));
    if (cable && cable->port->isOpen())
        return cable;
    for (PortState &s : m_ports)
        if (s.port->isOpen())
            return &s;
    return nullptr;
}

void GadgetServer::readControl()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_controlFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_controlBuffer.append(buffer, int(n));
    }
    int newline;
    while ((newline = m_controlBuffer.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_controlBuffer.left(newline)).trimmed();
        m_controlBuffer.remove(0, newline + 1);
        if (line.isEmpty())
            continue;
        QString error;
        if (!handleControl(line, &error))
            qWarning("gadget: %s", qPrintable(error));
    }
    if (m_controlBuffer.size() > kMaxControlLine) {
        qWarning("gadget: control line too long, dropped");
        m_controlBuffer.clear();
    }
}

bool GadgetServer::handleControl(const QString &line, QString *errorText)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString command = words.value(0);
    auto number = [&](int index, int low, int high, int *value) {
        bool ok = false;
        *value = words.value(index).toInt(&ok);
        if (!ok || *value < low || *value > high) {
            *errorText = QStringLiteral("%1: expected a number from %2 to %3, got \"%4\"")
                             .arg(command)
                             .arg(low)
                             .arg(high)
                             .arg(words.value(index));
            return false;
        }
        return true;
    };

    if (command == QLatin1String("dump") && words.size() == 2)
        return writeDump(words.at(1), errorText);
    if (command == QLatin1String("save") && words.size() == 1)
        return saveState(errorText);
    if ((command == QLatin1String("press-dpi") || command == QLatin1String("press-rate")) &&
        words.size() == 1) {
        const QVector<Report> reports = command == QLatin1String("press-dpi") ? m_firmware.pressDpiButton()
                                                                              : m_firmware.pressRateButton();
        m_dirty = true;
        if (PortState *s = statusPort())
            for (const Report &r : reports)
                s->port->queueReport(reportBytes(r));
        return true;
    }
    if (command == QLatin1String("battery") && words.size() == 2) {
        int level;
        if (!number(1, 0, 100, &level))
            return false;
        m_firmware.setBatteryLevel(level);
        m_dirty = true;
        return true;
    }
    if (command == QLatin1String("move") && words.size() == 2 &&
        (words.at(1) == QLatin1String("on") || words.at(1) == QLatin1String("off"))) {
        if (words.at(1) == QLatin1String("on") && m_motionPorts.empty()) {
            *errorText = QStringLiteral("move: no --motion function was given");
            return false;
        }
        setMoving(words.at(1) == QLatin1String("on"));
        return true;
    }
    if (command == QLatin1String("motion-count") && words.size() == 2)
        return writeText(
            words.at(1),
            QStringLiteral("sent %1 dropped %2\n").arg(m_motionSent).arg(m_motionDropped).toUtf8(),
            errorText);
    if (command == QLatin1String("charging") && words.size() == 2) {
        int on;
        if (!number(1, 0, 1, &on))
            return false;
        m_firmware.setCharging(on == 1);
        m_dirty = true;
        return true;
    }
    if (command == QLatin1String("unplug-after") && words.size() == 3) {
        PortState *s = portNamed(words.at(1));
        if (!s) {
            *errorText = QStringLiteral("unplug-after: no port \"%1\"").arg(words.at(1));
            return false;
        }
        if (s->udcFile.isEmpty()) {
            *errorText = QStringLiteral("unplug-after: port \"%1\" has no UDC file").arg(words.at(1));
            return false;
        }
        int count;
        if (!number(2, 1, 1000000, &count))
            return false;
        s->unplugAt = s->port->reportsRead() + count;
        return true;
    }
    if (command == QLatin1String("quit") && words.size() == 1) {
        m_quit = true;
        return true;
    }
    *errorText = QStringLiteral("unknown control command \"%1\"").arg(line);
    return false;
}

bool GadgetServer::saveState(QString *errorText)
{
    m_dirty = false;
    if (m_options.statePath.isEmpty())
        return true;
    QString error;
    if (!m_firmware.saveToIni(m_options.statePath, &error)) {
        qWarning("gadget: cannot save %s: %s", qPrintable(m_options.statePath), qPrintable(error));
        if (errorText)
            *errorText = error;
        return false;
    }
    return true;
}

bool GadgetServer::writeDump(const QString &path, QString *errorText)
{
    return writeText(path, QJsonDocument(m_firmware.toJson()).toJson(), errorText);
}

bool GadgetServer::writeText(const QString &path, const QByteArray &text, QString *errorText)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(text);
    if (!file.commit()) {
        *errorText = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
