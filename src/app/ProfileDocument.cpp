#include "ProfileDocument.h"

#include "LightingModel.h"
#include "Log.h"
#include "Paths.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <utility>

ProfileDocument::ProfileDocument(const QString &productName, QObject *parent)
    : QObject(parent), m_productName(productName)
{
    m_stageStoreTimer.setSingleShot(true);
    m_stageStoreTimer.setInterval(300);
    connect(&m_stageStoreTimer, &QTimer::timeout, this, &ProfileDocument::storeReportedStage);
    // A save writes Config.ini and up to five slot files: one look after the last of them.
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setInterval(300);
    connect(&m_checkTimer, &QTimer::timeout, this, &ProfileDocument::checkStoredFiles);
}

ProfileDocument::~ProfileDocument()
{
    if (m_stageStoreTimer.isActive()) {
        m_stageStoreTimer.stop();
        storeReportedStage();
    }
}

ProfileSet &ProfileDocument::wholeSet()
{
    loadOtherSlots();
    return m_set;
}

ProfileSet &ProfileDocument::wholeLastSent()
{
    loadOtherSlots();
    return m_lastSent;
}

void ProfileDocument::load(bool firstStart)
{
    QString problems;
    m_slotsLeft = 0;
    int result = 0;
    if (firstStart && m_firstRead) {
        // Read ahead, once: a later reload reads the files again.
        ProfileStore::ProfileSetRead read = std::exchange(m_firstRead, nullptr)();
        m_lastSent = std::move(read.set);
        problems = read.problems;
        m_slotsLeft = read.slotsLeft;
        result = read.result;
    } else {
        result = ProfileStore::loadProfileSet(m_lastSent, &problems, firstStart ? &m_slotsLeft : nullptr);
    }
    if (result != 0)
        noteLoadProblems(problems);
    // The lighting page, the first one shown, may show another slot's lighting.
    const unsigned lighting = 1u << LightingModel::lightingSlot(m_productName, m_lastSent.ProfileID);
    if (m_slotsLeft & lighting) {
        m_slotsLeft &= ~lighting;
        QString more;
        if (ProfileStore::loadSlots(m_lastSent, lighting, &more) != 0)
            noteLoadProblems(more);
    }
    m_set = m_lastSent;
    m_known = m_lastSent;
}

void ProfileDocument::loadOtherSlots()
{
    if (!m_slotsLeft)
        return;
    const unsigned pending = m_slotsLeft;
    m_slotsLeft = 0;
    QString problems;
    if (ProfileStore::loadSlots(m_lastSent, pending, &problems) != 0)
        noteLoadProblems(problems);
    for (int i = 0; i < kProfileCount; ++i) {
        if (pending & (1u << i)) {
            m_set.profiles[size_t(i)] = m_lastSent.profiles[size_t(i)];
            m_known.profiles[size_t(i)] = m_lastSent.profiles[size_t(i)];
        }
    }
}

void ProfileDocument::noteLoadProblems(const QString &problems)
{
    // Said once: which slot could not be read whole and was reset to the factory settings.
    QStringList fresh;
    for (const QString &line : problems.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!m_shownLoadProblems.contains(line) && !m_loadNotice.contains(line))
            fresh << line;
    }
    if (fresh.isEmpty())
        return;
    if (!m_loadNotice.isEmpty())
        fresh.prepend(m_loadNotice);
    m_loadNotice = fresh.join(QLatin1Char('\n'));
    emit loadNoticeChanged();
}

QString ProfileDocument::takeLoadNotice()
{
    const QString text = std::exchange(m_loadNotice, QString());
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m_shownLoadProblems.insert(line);
    return text;
}

// ---------------------------------------------------------------------------
// The stage the mouse reported

void ProfileDocument::noteReportedStage(int slot, quint8 stage)
{
    if (slot < 0 || slot >= kProfileCount)
        return;
    m_set.profiles[size_t(slot)].dpi = stage;
    // The mouse itself holds this stage now.
    m_lastSent.profiles[size_t(slot)].dpi = stage;
    // Kept in the slot's own file, where the loader reads it.
    m_stageSlot = slot;
    m_stageStoreTimer.start();
}

void ProfileDocument::storeReportedStage()
{
    const int slot = m_stageSlot;
    if (slot < 0 || slot >= kProfileCount)
        return;
    const quint8 stage = m_lastSent.profiles[size_t(slot)].dpi;
    const QString name = m_lastSent.names[size_t(slot)];
    QString error;
    const QString path = ProfileStore::slotProfilePath(name, &error);
    if (path.isEmpty()) {
        qCWarning(lcApp) << "DPI stage not stored:" << error;
        return;
    }
    // Only whole profiles are written: the stored record when it reads whole,
    // otherwise what was last sent for this slot, with the new stage.
    ProfileData record;
    bool complete = false;
    if (!QFileInfo::exists(path) || !ProfileStore::readProfileSection(0, record, path, &error, &complete) ||
        !complete)
        record = m_lastSent.profiles[size_t(slot)];
    record.dpi = stage;
    if (!ProfileStore::writeSlotProfile(record, name, &error)) {
        qCWarning(lcApp) << "DPI stage not stored:" << error;
        return;
    }
    // Our own write: not another program's change.
    if (m_known.names[size_t(slot)] == name) {
        record.ProfileName = m_known.profiles[size_t(slot)].ProfileName;
        record.ProfilePath = m_known.profiles[size_t(slot)].ProfilePath;
        m_known.profiles[size_t(slot)] = record;
    }
}

// ---------------------------------------------------------------------------
// Files changed by another program

void ProfileDocument::watchFiles()
{
    if (m_watcher)
        return;
    m_watcher = new QFileSystemWatcher(this);
    const QString dir = Paths::configDir();
    QDir().mkpath(dir + QStringLiteral("/Profile"));
    // The folders: a file written whole (beside it, then renamed over) is a
    // new entry of its folder, which a watch on the old file would not see.
    m_watcher->addPath(dir);
    m_watcher->addPath(dir + QStringLiteral("/Profile"));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_checkTimer.start(); });
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_checkTimer.start(); });
}

namespace {

// A slot's stored content as the comparison sees it: the record and its name.
bool sameSlot(const ProfileSet &a, const ProfileSet &b, int i)
{
    const ProfileData &x = a.profiles[size_t(i)];
    const ProfileData &y = b.profiles[size_t(i)];
    // The record's own name and path are the document's bookkeeping, not stored values.
    ProfileData yy = y;
    yy.ProfileName = x.ProfileName;
    yy.ProfilePath = x.ProfilePath;
    return a.names[size_t(i)] == b.names[size_t(i)] && x == yy;
}

} // namespace

void ProfileDocument::checkStoredFiles()
{
    loadOtherSlots();
    ProfileSet stored;
    QString problems;
    // A file read in part (another program's save under way, or damaged) is
    // never taken over: nothing the user has is replaced by factory values.
    if (ProfileStore::loadProfileSet(stored, &problems) != 0) {
        qCDebug(lcApp) << "stored profiles changed, not read whole:" << problems;
        return;
    }
    m_stored = stored;
    QList<int> conflicts;
    bool replaced = false;
    for (int i = 0; i < kProfileCount; ++i) {
        if (sameSlot(m_known, stored, i))
            continue; // as this document last knew it
        if (sameSlot(m_set, stored, i)) {
            // What the pages show already (our own save).
        } else if (sameSlot(m_set, m_lastSent, i)) {
            // Not edited here: the stored profile is shown, and sent with the next Apply.
            m_set.profiles[size_t(i)] = stored.profiles[size_t(i)];
            m_set.names[size_t(i)] = stored.names[size_t(i)];
            replaced = true;
        } else {
            conflicts << i;
            continue; // known stays: asked until answered
        }
        m_known.profiles[size_t(i)] = stored.profiles[size_t(i)];
        m_known.names[size_t(i)] = stored.names[size_t(i)];
    }
    if (replaced) {
        qCDebug(lcApp) << "stored profiles changed by another program: taken over";
        emit setReplaced();
    }
    if (!conflicts.isEmpty() && !m_conflictOpen) {
        m_conflictOpen = true;
        emit externalConflict(conflicts);
    }
}

void ProfileDocument::resolveConflict(const QList<int> &slotList, bool takeStored)
{
    m_conflictOpen = false;
    for (int i : slotList) {
        if (i < 0 || i >= kProfileCount)
            continue;
        if (takeStored) {
            m_set.profiles[size_t(i)] = m_stored.profiles[size_t(i)];
            m_set.names[size_t(i)] = m_stored.names[size_t(i)];
        }
        m_known.profiles[size_t(i)] = m_stored.profiles[size_t(i)];
        m_known.names[size_t(i)] = m_stored.names[size_t(i)];
    }
    if (takeStored)
        emit setReplaced();
}
