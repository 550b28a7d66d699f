#pragma once
// What every fuzz target shares: a Qt core application, a private
// configuration folder, silenced Qt messages, and one file per target that
// receives each input.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace Fuzz {

// Once, from LLVMFuzzerInitialize: creates the application object, points
// MOUSECFG_CONFIG_DIR at a fresh temporary folder and drops Qt's messages
// (qFatal still aborts).
void initialize(int *argc, char ***argv);

// The temporary configuration folder.
QString configDir();

// Writes bytes to PATH (folders created) and gives the file a modification
// time never used before in this process, so that QSettings' cache of parsed
// files cannot hand back the previous input's contents.
void writeInput(const QString &path, const uint8_t *data, size_t size);
void writeInput(const QString &path, const QByteArray &bytes);

// Aborts with MESSAGE when CONDITION is false: a broken invariant is a crash
// to the fuzzer.
void check(bool condition, const char *message);

} // namespace Fuzz
