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
    void readControl();
    void unplug(PortState &state);
    PortState *statusPort();
    PortState *portNamed(const QString &name);
    bool saveState(QString *errorText = nullptr);
    bool writeDump(const QString &path, QString *errorText);

    GadgetOptions m_options;
    MouseFirmware m_firmware;
    std::vector<PortState> m_ports;
    int m_controlFd = -1;
    int m_signalFd = -1;
    QByteArray m_controlBuffer;
    bool m_dirty = false;
    bool m_quit = false;
};
