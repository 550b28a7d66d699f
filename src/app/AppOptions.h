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
    QString configDir;          // --config-dir DIR
    QString dataDir;            // --data-dir DIR
    QString error;              // non-empty: bad usage, say this and exit 2

    // ARGUMENTS without the program name. Qt's own options (-platform …) have
    // already been taken out by QApplication.
    static AppOptions parse(const QStringList &arguments);
    static QString helpText();
};
