#pragma once
// What "Apply" does on the worker thread: save the set, compute the change
// mask, send the whole configuration, keep the last-sent copy and record in
// "Config/Diff" whether the mouse holds what was applied. QtCore only; the
// widget kit's MirtProcessThread runs it through a std::function<int()>.

#include "ProfileWriter.h"

#include "ProfileTypes.h"

#include <QString>
#include <QStringList>

struct WholeWriteOutcome
{
    int result = 0;            // SendCommand code, kResultMacrosNotWritten or kResultMacroMissing
    int changeMask = 0;        // the mask handed to the writer
    QString saveError;         // non-empty when the set could not be saved to disk
    QStringList missingMacros; // macros of written buttons that are not in the library
};

// Runs the worker's steps on current (read only while the write runs) and
// lastSent (overwritten with current whatever the result). fullWrite forces
// mask 15. context comes from WriteContext::fromConfiguration() plus the
// poller hooks of the caller.
WholeWriteOutcome runWholeWrite(const ProfileSet &current, ProfileSet &lastSent, bool fullWrite,
                                WriteContext context);

// True when result means the mouse holds the applied settings (0, or all but
// the macros that did not fit, or with the factory function for a button
// whose macro is not in the library).
bool wholeWriteReachedEnd(int result);

// The message a user sees after a write with this result; empty on success.
// Texts of the context "WholeWrite", passed through the translator.
QString wholeWriteMessage(int result);
