#pragma once
// Where the program's files live. The configuration folder is resolved once
// per process (tests and the command line may override it first); the program
// resolves it on its main thread before any other thread starts.

#include <QString>

namespace Paths {

// The writable configuration folder ("Configs"): MOUSECFG_CONFIG_DIR when set;
// else "Configs" beside the executable when it exists and is writable; else
// the per-user data location + "/Configs". The first and the last are seeded
// (see seedConfigDir) when resolved. Safe to call from several threads: the first
// resolves and seeds, the others wait for its answer.
QString configDir();

// Read-only data (DefaultProfile.bin, skin, lang): MOUSECFG_DATA_DIR when set;
// else the executable's folder when it holds DefaultProfile.bin; else the
// share folder of the install the executable is in (../share/mousecfg from
// bin/); else the share folder of the configured install prefix.
QString dataDir();

// Full path of DefaultProfile.bin in the data folder.
QString deviceDescriptionFile();

// Overrides for the command line and tests; an empty string restores the
// default rule, which the next configDir() applies afresh (tests use it to
// meet a first start again).
void setConfigDir(const QString &dir);
void setDataDir(const QString &dir);

// A configuration folder that holds no Config.ini yet (or an empty one) is
// filled from the shipped defaults ("defaults/Configs" or "Configs" in the
// data folder): each file appears whole or not at all, and a file that exists
// and holds something is never replaced, whoever seeds at the same moment. A
// Config.ini that lacks keys of the shipped one gets them with their shipped
// values; the values it holds stay.
void seedConfigDir(const QString &dir);

// True when NAME may become one path component inside its folder: not empty,
// no '/', '\\', no control characters, not "." or "..", not longer than the
// file system allows. Leading and trailing blanks are allowed: such files
// exist (older copies and other tools wrote them) and must load.
// errorText receives the reason.
bool isSafeName(const QString &name, QString *errorText = nullptr);

} // namespace Paths
