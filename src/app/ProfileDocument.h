#pragma once
// The profiles the window edits: the current set (what the pages show and
// edit) and the last-sent set (what the mouse holds), loading them with the
// notices of what fell back to the factory settings, storing a DPI stage the
// mouse reported, and following the stored files when another program
// (mousecfg-cli) changes them while the window runs.
//
// QtCore only, on the user-interface thread. A job on a worker thread works
// on a copy it was handed (see ProfileCommands), never on these members.

#include "ProfileStore.h"
#include "ProfileTypes.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>

class QFileSystemWatcher;

class ProfileDocument : public QObject
{
    Q_OBJECT

public:
    // PRODUCTNAME picks the lighting slot of models that keep one lighting.
    explicit ProfileDocument(const QString &productName, QObject *parent = nullptr);
    // A stage the mouse reported just before the end is still stored.
    ~ProfileDocument() override;

    // The set the pages edit, and the copy last written to the mouse. At the
    // first start only the current slot is read before the first frame:
    // wholeSet() and wholeLastSent() read the other slotList first.
    ProfileSet &set() { return m_set; }
    const ProfileSet &set() const { return m_set; }
    ProfileSet &lastSent() { return m_lastSent; }
    ProfileSet &wholeSet();
    ProfileSet &wholeLastSent();

    // The set as read ahead while the program started: the first load takes
    // it instead of reading the files (once).
    void setFirstRead(std::function<ProfileStore::ProfileSetRead()> read) { m_firstRead = std::move(read); }

    // Loads the stored set into the last-sent copy and the current set. With
    // FIRSTSTART only the current slot and the lighting slot are read; the
    // others wait for loadOtherSlots().
    void load(bool firstStart);
    // Reads the slotList the first load left (nothing when none).
    void loadOtherSlots();
    unsigned slotsLeft() const { return m_slotsLeft; }

    // What the loads had to reset, until taken to be shown: each line once.
    QString pendingLoadNotice() const { return m_loadNotice; }
    QString takeLoadNotice();

    // The mouse reports that its own button moved SLOT to STAGE: both sets
    // follow, and the stage is stored in the slot's file after a short pause
    // (a burst of presses is stored once).
    void noteReportedStage(int slot, quint8 stage);
    // Stores a pending stage now.
    void storeReportedStage();

    // --- files changed by another program ---
    // Follows the configuration folder's Config.ini and slot files from now on.
    void watchFiles();
    // Reads the stored slotList again and compares them with what this document
    // last knew of them: a slot another program changed is taken over where
    // the user has not edited it; where the user has, externalConflict() asks.
    void checkStoredFiles();
    // The user's answer for SLOTS: true takes the stored profiles, false keeps the edits.
    void resolveConflict(const QList<int> &slotList, bool takeStored);

signals:
    // New lines for the load notice.
    void loadNoticeChanged();
    // The current set changed under the pages (a stored file was taken over).
    void setReplaced();
    // Another program changed the stored profiles of SLOTS, which the user has edited.
    void externalConflict(const QList<int> &slotList);

private:
    void noteLoadProblems(const QString &problems);

    QString m_productName;
    ProfileSet m_set;
    ProfileSet m_lastSent;
    // What the stored files held when this document last read or wrote them.
    ProfileSet m_known;
    ProfileSet m_stored; // the files as read at the last check (for a conflict's answer)
    std::function<ProfileStore::ProfileSetRead()> m_firstRead;
    unsigned m_slotsLeft = 0; // slotList whose files are still to be read (bits)
    QString m_loadNotice;
    QSet<QString> m_shownLoadProblems;
    QTimer m_stageStoreTimer;
    int m_stageSlot = -1;
    QTimer m_checkTimer;
    QFileSystemWatcher *m_watcher = nullptr;
    bool m_conflictOpen = false;
};
