#pragma once
// The common steps of the commands that read or edit the stored profiles
// (light, button, dpi, rate, sensor, macro, show, export, write): the --slot
// option, refusals, and the stored set, loaded whole and saved whole, so that
// a refused value leaves every file as it was.

#include "ProfileTypes.h"

#include <QString>
#include <QStringList>

// "mousecfg-cli: TEXT" on stderr; returns CliFailure.
int cliRefuse(const QString &text);

// A whole decimal number; false for anything else.
bool cliNumber(const QString &text, int *value);

// Takes every "--slot N" out of ARGS into SLOT (1 to 5; unchanged, -1 by
// convention, when there is none). Returns CliOk, or the exit code after
// printing why (USAGE when the value is missing or not a number).
int cliTakeSlot(QStringList &args, int *slot, const QString &usage);

// The stored set, with a warning on stderr for what fell back.
ProfileSet cliLoadStoredSet();
// The profile of SLOT (1 to 5), or the current one when SLOT is -1.
ProfileData &cliProfileOf(ProfileSet &set, int slot);
// Saves SET whole; CliOk, or CliFailure with the reason on stderr.
int cliSaveStoredSet(const ProfileSet &set);
