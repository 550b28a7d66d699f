#pragma once
// Shared helpers of the storage tests: a private configuration and data
// folder per test, raw file writing, and filled-in sample records.

#include "ProfileTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// A temporary folder holding "Configs" (the configuration folder) and "data"
// (the data folder, without DefaultProfile.bin until one is written).
class StorageSandbox
{
public:
    StorageSandbox();
    ~StorageSandbox();

    QString root() const { return m_dir->path(); }
    QString configDir() const { return root() + QStringLiteral("/Configs"); }
    QString dataDir() const { return root() + QStringLiteral("/data"); }

    // Writes TEXT as the file at PATH (folders created).
    static void writeFile(const QString &path, const QByteArray &text);
    // Writes the device description from INI text.
    void writeDescription(const QByteArray &text) const;
    // Writes Configs/Config.ini from INI text.
    void writeConfig(const QByteArray &text) const;
    // Every file below root(), relative to it, sorted.
    QStringList allFiles() const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Ends the test process with a message when it is still alive SECONDS after
// being made: a read that never ends must fail its test, not hang it. Gone in
// time, it does nothing.
class HangWatchdog
{
public:
    HangWatchdog(int seconds, const char *what);
    ~HangWatchdog();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_finished = false;
    std::thread m_thread;
};

// A profile with a distinct value in every field (seed varies them).
ProfileData sampleProfile(int seed);
// A set of five sample profiles with names and sensor bytes.
ProfileSet sampleSet();
// Number of keys in section SECTION of an INI file, counted from its text.
int countKeysInSection(const QString &file, const QString &section);
