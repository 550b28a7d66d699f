#pragma once
// The command line of mousecfg: the same folder options and simulation
// switches as mousecfg-cli.

#include <QString>
#include <QStringList>

struct AppOptions
{
    bool simulate = false;      // --simulate: the simulated mouse instead of the real one
    bool simulateCable = false; // --simulate-cable: its cable plugged in as well
    bool help = false;
    bool verbose = false;   // --verbose, -v: debug output of every mousecfg category
    bool minimized = false; // --minimized: start in the tray (minimised when there is no tray)
    QString platform;       // Qt's -platform NAME, when given
    QString configDir;      // --config-dir DIR
    QString dataDir;        // --data-dir DIR
    QString error;          // non-empty: bad usage, say this and exit 2

    // ARGUMENTS without the program name, read before any display is opened
    // (so --help and usage errors work without one). Qt's own options
    // (-platform NAME, -reverse ...) are passed over; QApplication takes them.
    static AppOptions parse(const QStringList &arguments);
    static QString helpText();
    // Empty when a window can be shown; otherwise one line saying what to do.
    static QString displayProblem(const QString &platformOption = QString());
};
