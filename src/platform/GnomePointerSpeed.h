#pragma once
// GNOME: gsettings org.gnome.desktop.peripherals.mouse speed (-1..1).

#include "PointerSpeed.h"

class CommandRunner;

class GnomePointerSpeed : public PointerSpeed
{
public:
    // RUNNER is not owned; GSETTINGS is the program to run.
    GnomePointerSpeed(CommandRunner *runner, const QString &gsettings = QStringLiteral("gsettings"));

    QString backendName() const override { return QStringLiteral("gnome"); }
    bool isAvailable() const override { return true; }
    bool readSpeed(int *speed) override;
    bool applySpeed(int speed) override;

private:
    CommandRunner *m_runner;
    QString m_gsettings;
};
