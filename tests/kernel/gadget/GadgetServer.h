#pragma once
// The device side of the mouse on a USB gadget: the firmware model answering
// the output reports that arrive on the vendor functions of the receiver and
// the cable gadgets, one mouse reached both ways.
//
// A control FIFO takes one command per line:
//   dump PATH                 write what the mouse holds (JSON) to PATH
//   save                      write the memory to the state file now
//   press-dpi | press-rate    the mouse's own buttons (status report to the host)
//   battery PERCENT           set the battery level
//   charging 0|1              set the charging state
//   unplug-after PORT N       unbind PORT's gadget when its N-th next output
//                             report arrives (that report is lost)
//   move on|off               the mouse is moved: motion reports on every
//                             --motion function at the mouse's report rate
//                             (one per period; a report the host has not
//                             collected in time is dropped, as a mouse does)
//   motion-count PATH         write "sent N dropped M" (motion reports the
//                             host collected / dropped since "move on") to PATH
//   quit                      save and exit
// SIGTERM and SIGINT save and exit too.

#include "HidgPort.h"
#include "MouseFirmware.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

struct GadgetOptions
{
    QString statePath;   // simulated-mouse.ini; loaded at start, saved when idle
    QString controlPath; // the control FIFO (created when missing)
    struct Port
    {
        QString name;    // "receiver", "cable"
        QString node;    // /dev/hidgN of the vendor function
        QString udcFile; // the gadget's configfs UDC file, for unplug-after
    };
    std::vector<Port> ports;
    struct Motion
    {
        QString name; // "receiver", "cable"
        QString node; // /dev/hidgN of the mouse function (boot mouse, 4-byte reports)
    };
    std::vector<Motion> motion;
};

class GadgetServer
{
public:
    explicit GadgetServer(const GadgetOptions &options);
    ~GadgetServer();
    GadgetServer(const GadgetServer &) = delete;
    GadgetServer &operator=(const GadgetServer &) = delete;

    // Loads the state and opens the control FIFO and signal handling.
    bool start(QString *errorText);
    // Serves until "quit" or a terminating signal; the process exit code.
    int run();

    // One control line; false with errorText for a bad command.
    bool handleControl(const QString &line, QString *errorText);

private:
    struct PortState
    {
        std::unique_ptr<HidgPort> port;
        QString udcFile;
        int unplugAt = -1; // reportsRead() count that triggers the unplug
    };

    void serveReport(PortState &state, const QByteArray &report);
    void setMoving(bool moving);
    void armMotionTimer();
    void sendMotion();
    void readControl();
    void unplug(PortState &state);
    PortState *statusPort();
    PortState *portNamed(const QString &name);
    bool saveState(QString *errorText = nullptr);
    bool writeDump(const QString &path, QString *errorText);
    bool writeText(const QString &path, const QByteArray &text, QString *errorText);

    GadgetOptions m_options;
    MouseFirmware m_firmware;
    std::vector<PortState> m_ports;
    int m_controlFd = -1;
    int m_signalFd = -1;
    QByteArray m_controlBuffer;
    std::vector<std::unique_ptr<HidgPort>> m_motionPorts;
    int m_motionTimerFd = -1;
    int m_motionHz = 0; // the rate the timer runs at; 0 while the mouse rests
    uint32_t m_motionStep = 0;
    int m_motionSent = 0;
    int m_motionDropped = 0;
    bool m_dirty = false;
    bool m_quit = false;
};
