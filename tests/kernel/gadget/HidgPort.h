#pragma once
// One HID function of a USB gadget as the device side sees it: /dev/hidgN.
// Reads deliver the host's output reports, writes queue input reports for the
// host's next interrupt-IN poll. The node exists only while the gadget is
// bound to a UDC, so the port closes on errors and reopens when it can.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>

class HidgPort
{
public:
    HidgPort(const QString &name, const QString &devicePath, int reportSize);
    ~HidgPort();
    HidgPort(const HidgPort &) = delete;
    HidgPort &operator=(const HidgPort &) = delete;

    QString name() const { return m_name; }
    QString devicePath() const { return m_devicePath; }
    int fd() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

    // Opens the node when it exists; true when the port is open afterwards.
    bool tryOpen();
    void close();

    // One output report of the host, or an empty array when none was waiting.
    // Closes the port on an error (the gadget was unbound).
    QByteArray readReport();

    // Queues an input report (padded or cut to the report size) and sends
    // as much of the queue as the function takes without blocking.
    void queueReport(const QByteArray &report);
    // Sends one input report now when the function takes it without blocking;
    // false when the host has not collected the previous one (nothing queued).
    bool sendNow(const QByteArray &report);
    // Sends queued reports; call when poll() says the node is writable.
    void flush();
    bool hasPending() const { return !m_pending.isEmpty(); }
    // Drops queued reports (the host went away).
    void dropPending() { m_pending.clear(); }

    int reportsRead() const { return m_reportsRead; }

private:
    QString m_name;
    QString m_devicePath;
    int m_reportSize;
    int m_fd = -1;
    QList<QByteArray> m_pending;
    int m_reportsRead = 0;
};
