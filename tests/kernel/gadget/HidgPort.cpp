#include "HidgPort.h"

#include <QDebug>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Input reports the host has not collected yet; a real mouse's queue is short too.
constexpr int kMaxPending = 64;
} // namespace

HidgPort::HidgPort(const QString &name, const QString &devicePath, int reportSize)
    : m_name(name), m_devicePath(devicePath), m_reportSize(reportSize)
{
}

HidgPort::~HidgPort()
{
    close();
}

bool HidgPort::tryOpen()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_devicePath);
    struct stat st;
    // Only the character device; never create or follow anything else.
    if (::stat(path.constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    m_fd = ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        qDebug() << "gadget:" << m_name << "cannot open" << m_devicePath << strerror(errno);
        return false;
    }
    qDebug() << "gadget:" << m_name << "opened" << m_devicePath;
    return true;
}

void HidgPort::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        qDebug() << "gadget:" << m_name << "closed";
    }
    m_pending.clear();
}

QByteArray HidgPort::readReport()
{
    if (m_fd < 0)
        return {};
    QByteArray buffer(m_reportSize * 2, '\0');
    const ssize_t n = ::read(m_fd, buffer.data(), size_t(buffer.size()));
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR)
            return {};
        qDebug() << "gadget:" << m_name << "read failed:" << strerror(errno);
        close();
        return {};
    }
    if (n == 0)
        return {};
    ++m_reportsRead;
    buffer.truncate(int(n));
    return buffer;
}

void HidgPort::queueReport(const QByteArray &report)
{
    QByteArray r = report.left(m_reportSize);
    if (r.size() < m_reportSize)
        r.append(QByteArray(m_reportSize - r.size(), '\0'));
    if (m_pending.size() >= kMaxPending)
        m_pending.removeFirst();
    m_pending.append(r);
    flush();
}

bool HidgPort::sendNow(const QByteArray &report)
{
    if (m_fd < 0)
        return false;
    QByteArray r = report.left(m_reportSize);
    r.append(QByteArray(m_reportSize - r.size(), '\0'));
    const ssize_t n = ::write(m_fd, r.constData(), size_t(r.size()));
    if (n >= 0)
        return true;
    if (errno != EAGAIN && errno != EINTR) {
        qDebug() << "gadget:" << m_name << "write failed:" << strerror(errno);
        close();
    }
    return false;
}

void HidgPort::flush()
{
    while (m_fd >= 0 && !m_pending.isEmpty()) {
        const QByteArray &r = m_pending.first();
        const ssize_t n = ::write(m_fd, r.constData(), size_t(r.size()));
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                return; // the host has not collected the previous report yet
            qDebug() << "gadget:" << m_name << "write failed:" << strerror(errno);
            close();
            return;
        }
        m_pending.removeFirst();
    }
}
