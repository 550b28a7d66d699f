#pragma once
// Where the main window hears about device arrival and removal: the system's
// hot-plug source for a real mouse, the simulated mouse's plug events under
// --simulate. Either way the window receives DeviceChange records.

#include "DeviceChange.h"

#include <QObject>

class HotplugSource;

class HotplugFeed : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts listening. False, with errorString(), when no notifications can
    // be had; the program then runs without hot-plug.
    virtual bool start() = 0;
    virtual void stop() = 0;
    QString errorString() const { return m_errorString; }

signals:
    void deviceChanged(const DeviceChange &change);

protected:
    void setErrorString(const QString &text) { m_errorString = text; }

private:
    QString m_errorString;
};

// A feed over a platform hot-plug source (udev, or the fake in tests).
class HotplugSourceFeed : public HotplugFeed
{
    Q_OBJECT
public:
    // SOURCE is not owned.
    explicit HotplugSourceFeed(HotplugSource *source, QObject *parent = nullptr);

    bool start() override;
    void stop() override;

private:
    HotplugSource *m_source;
};
