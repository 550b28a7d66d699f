#include "MacroModel.h"

#include "ButtonCatalogue.h"
#include "ButtonModel.h"
#include "IniAccess.h"
#include "KeyTables.h"
#include "Log.h"
#include "Paths.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using IniAccess::setError;

namespace {

// The download's delay row for macros without one: after every fourth event and at the end.
constexpr int kEventsPerDownloadDelay = 4;
constexpr int kEventBytes = 3;

qint64 monotonicMs()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

} // namespace

const char MacroModel::kContext[] = "MacroDialog";
const char MacroModel::kMacroExist[] = QT_TRANSLATE_NOOP("MacroDialog", "Macro Exist!");
const char MacroModel::kNotReleased[] =
    QT_TRANSLATE_NOOP("MacroDialog", "ONE OR MORE KEYS HAS NOT BEEN RELEASED.");
const char MacroModel::kTooManyMacros[] = QT_TRANSLATE_NOOP("MacroDialog", "TOO MANY MACROS TO BE CREATE!");
const char MacroModel::kSlotOverflow[] =
    QT_TRANSLATE_NOOP("MacroDialog", "THE MOUSE HOLDS 12 MACROS. THIS PROFILE ALREADY USES ALL OF THEM.");
const char MacroModel::kBytesOverflow[] =
    QT_TRANSLATE_NOOP("MacroDialog", "THIS MACRO IS LONGER THAN THE MOUSE CAN HOLD; ITS END WILL BE CUT.");
const char MacroModel::kNotMacroFile[] = QT_TRANSLATE_NOOP("MacroDialog", "\"%1\" IS NOT A MACRO FILE.");
const char MacroModel::kBadRow[] = QT_TRANSLATE_NOOP(
    "MacroDialog", "\"%1\" WAS NOT IMPORTED: EVENT %2 IS NOT A KEY, MOUSE BUTTON, MOVE OR DELAY.");
const char MacroModel::kAskDeleteUsed[] = QT_TRANSLATE_NOOP(
    "MacroDialog", "THE MACRO \"%1\" IS RUN BY:\n%2\nDELETE IT? THESE BUTTONS GET THEIR FACTORY FUNCTION.");
const uint8_t MacroModel::kButtonBits[5] = {1, 4, 2, 8, 16};

namespace {
// Buttons named in the question before a macro is deleted, and its failure.
const char kWheelUp[] = QT_TRANSLATE_NOOP("MacroDialog", "WHEEL UP");
const char kWheelDown[] = QT_TRANSLATE_NOOP("MacroDialog", "WHEEL DOWN");
const char kButtonNumber[] = QT_TRANSLATE_NOOP("MacroDialog", "BUTTON %1");
const char kProfilesNotChanged[] = QT_TRANSLATE_NOOP("MacroDialog", "THESE PROFILES COULD NOT BE CHANGED:");
} // namespace

QString MacroModel::tr(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

MacroModel::MacroModel(int delayUnit) : m_iDelayUnit(qMax(1, delayUnit)), m_clock(monotonicMs) {}

void MacroModel::selectRow(int row)
{
    m_iSelected = (row >= 0 && row < m_data.events.size()) ? row : -1;
}

bool MacroModel::load(const QString &name, QString *errorText)
{
    m_name = name;
    m_iSelected = -1;
    m_bRecording = false;
    m_heldKeys.clear();
    if (name.isEmpty()) {
        m_data = MacroFile::MacroData();
        return true;
    }
    // A missing file is an empty macro, as the editor shows it.
    if (!MacroFile::loadMacro(name, m_data, errorText))
        return MacroFile::macroExists(name) ? false : !MacroFile::macroFilePath(name).isEmpty();
    return true;
}

bool MacroModel::save(QString *errorText) const
{
    if (m_name.isEmpty()) {
        setError(errorText, QStringLiteral("No macro is selected."));
        return false;
    }
    return MacroFile::saveMacro(m_name, m_data, errorText);
}

bool MacroModel::newMacro(QString *errorText)
{
    if (MacroFile::countMacros() >= kMacroListSize) {
        setError(errorText, tr(kTooManyMacros));
        return false;
    }
    QString name;
    if (!MacroFile::newMacro(&name, errorText))
        return false;
    return load(name, errorText);
}

bool MacroModel::deleteCurrent(QString *errorText)
{
    if (m_name.isEmpty())
        return false;
    const QVector<Use> used = uses(m_name);
    if (!used.isEmpty()) {
        if (!m_ask || !m_ask(deleteQuestion(m_name, used)))
            return false;
        // The buttons first: when a profile cannot be written, the macro stays.
        ProfileData factory;
        ProfileDefaults::buildDefaultProfile(factory);
        const bool changed = changeUses(
            m_name,
            [&factory](int record, ButtonAssignment &b) {
                b = MacroFile::withoutMacro(b, factory.BUTTON_INFO[size_t(record)]);
            },
            errorText);
        if (!changed)
            return false;
    }
    const QStringList before = MacroFile::libraryNames();
    const int position = before.indexOf(m_name);
    MacroFile::removeFromLibrary(m_name);
    if (!MacroFile::deleteMacroFile(m_name, errorText))
        return false;
    const QStringList after = MacroFile::libraryNames();
    QString next;
    if (!after.isEmpty())
        next = after.at(qBound(0, position, after.size() - 1));
    return load(next, errorText);
}

bool MacroModel::rename(const QString &newName, QString *errorText)
{
    if (m_name.isEmpty())
        return false;
    QString finalName;
    if (!MacroFile::renameMacro(m_name, newName, &finalName, errorText))
        return false;
    const QString oldName = m_name;
    m_name = finalName;
    if (finalName == oldName)
        return true;
    return changeUses(
        oldName, [&finalName](int, ButtonAssignment &b) { b.macroname = finalName; }, errorText);
}

namespace {

// Every stored profile: the slot files (Configs/Profile) and the profile
// library of every model (Configs/MODEL/Profile), but the factory profile.
QStringList storedProfileFiles()
{
    QStringList files;
    const QDir config(Paths::configDir());
    QStringList folders{QStringLiteral("Profile")};
    for (const QString &model : config.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << model + QStringLiteral("/Profile");
    const QString factory = QFileInfo(ProfileStore::defaultProfilePath()).absoluteFilePath();
    for (const QString &folder : folders) {
        const QDir dir(config.filePath(folder));
        if (folder != QLatin1String("Profile") && !dir.exists())
            continue;
        for (const QFileInfo &f : dir.entryInfoList({QStringLiteral("*.prof")}, QDir::Files)) {
            if (f.absoluteFilePath() != factory)
                files << f.absoluteFilePath();
        }
    }
    return files;
}

bool runsMacroNamed(const ButtonAssignment &b, const QString &name)
{
    return MacroFile::runsMacro(b.Fun) && b.macroname == name;
}

} // namespace

QVector<MacroModel::Use> MacroModel::uses(const QString &name) const
{
    QVector<Use> out;
    auto add = [&out, &name](const QString &profile, const ProfileData &p) {
        for (int i = 0; i < kButtonCount; ++i) {
            if (!runsMacroNamed(p.BUTTON_INFO[size_t(i)], name))
                continue;
            const bool seen = std::any_of(
                out.begin(), out.end(), [&](const Use &u) { return u.profile == profile && u.record == i; });
            if (!seen)
                out.append({profile, i});
        }
    };
    if (name.isEmpty())
        return out;
    if (m_pSet) {
        for (int slot = 0; slot < kProfileCount; ++slot)
            add(m_pSet->names[size_t(slot)], m_pSet->profiles[size_t(slot)]);
    }
    for (const QString &file : storedProfileFiles()) {
        ProfileData p;
        if (ProfileStore::readProfileSection(0, p, file))
            add(QFileInfo(file).completeBaseName(), p);
    }
    return out;
}

QString MacroModel::deleteQuestion(const QString &name, const QVector<Use> &uses)
{
    QStringList lines;
    for (const Use &u : uses) {
        QString button;
        if (u.record == kButtonCount - 2)
            button = tr(kWheelUp);
        else if (u.record == kButtonCount - 1)
            button = tr(kWheelDown);
        else
            button = tr(kButtonNumber).arg(u.record + 1);
        lines << QStringLiteral("%1: %2").arg(u.profile, button);
    }
    return tr(kAskDeleteUsed).arg(name, lines.join(QLatin1Char('\n')));
}

bool MacroModel::changeUses(const QString &name,
                            const std::function<void(int record, ButtonAssignment &b)> &change,
                            QString *errorText)
{
    // The window's set: what the user sees and the next Apply sends.
    if (m_pSet) {
        for (ProfileData &p : m_pSet->profiles) {
            for (int i = 0; i < kButtonCount; ++i) {
                if (runsMacroNamed(p.BUTTON_INFO[size_t(i)], name))
                    change(i, p.BUTTON_INFO[size_t(i)]);
            }
        }
    }
    // The stored profiles now, each changed in its buttons only: a profile
    // that is not applied again (another slot, a library profile, a quit
    // without Apply) never names a macro the library no longer holds, and
    // the set's other unapplied edits stay unsaved as they were.
    QStringList failed;
    for (const QString &file : storedProfileFiles()) {
        ProfileData p;
        if (!ProfileStore::readProfileSection(0, p, file))
            continue;
        bool changed = false;
        for (int i = 0; i < kButtonCount; ++i) {
            if (runsMacroNamed(p.BUTTON_INFO[size_t(i)], name)) {
                change(i, p.BUTTON_INFO[size_t(i)]);
                changed = true;
            }
        }
        QString why;
        if (changed && !ProfileStore::writeProfileSection(0, p, file, &why))
            failed << QStringLiteral("%1: %2").arg(file, why);
    }
    if (!failed.isEmpty()) {
        setError(errorText, tr(kProfilesNotChanged) + QLatin1Char('\n') + failed.join(QLatin1Char('\n')));
        return false;
    }
    return true;
}

bool MacroModel::importFile(const QString &path, QString *importedName, QString *errorText)
{
    const QString name = QFileInfo(path).completeBaseName();
    const QString target = MacroFile::macroFilePath(name, errorText);
    if (target.isEmpty() || !IniAccess::checkReadable(path, errorText))
        return false;
    if (QFileInfo::exists(target) || MacroFile::libraryNames().contains(name)) {
        setError(errorText, tr(kMacroExist));
        return false;
    }
    if (MacroFile::countMacros() >= kMacroListSize) {
        setError(errorText, tr(kTooManyMacros));
        return false;
    }
    // The same rows as the editor, the download and a button's key list take.
    MacroFile::MacroData rows;
    MacroFile::ReadReport report;
    MacroFile::readMacroFile(path, rows, &report);
    if (!report.hasCount) {
        setError(errorText, tr(kNotMacroFile).arg(QFileInfo(path).fileName()));
        return false;
    }
    if (report.droppedRows > 0) {
        setError(errorText, tr(kBadRow).arg(QFileInfo(path).fileName()).arg(report.firstDropped + 1));
        return false;
    }
    QDir().mkpath(MacroFile::macroDir());
    if (!QFile::copy(path, target)) {
        setError(errorText, QStringLiteral("\"%1\" could not be copied into the macro library.").arg(path));
        return false;
    }
    if (!MacroFile::addToLibrary(name, errorText)) {
        QFile::remove(target);
        return false;
    }
    if (importedName)
        *importedName = name;
    return true;
}

bool MacroModel::exportFile(const QString &name, const QString &path, QString *errorText)
{
    const QString source = MacroFile::macroFilePath(name, errorText);
    if (source.isEmpty())
        return false;
    if (!MacroFile::libraryNames().contains(name) || !QFileInfo::exists(source)) {
        setError(errorText, QStringLiteral("There is no macro \"%1\".").arg(name));
        return false;
    }
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
        return true;
    QFile::remove(path);
    if (!QFile::copy(source, path)) {
        setError(errorText, QStringLiteral("The macro could not be written to \"%1\".").arg(path));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Recording

bool MacroModel::startRecording()
{
    m_bTimed = false;
    m_heldKeys.clear();
    m_data.events.clear();
    m_iSelected = -1;
    m_bRecording = !m_name.isEmpty();
    return m_bRecording;
}

MacroModel::Recorded MacroModel::recordKey(int keyIndex, bool release, quint32 timeMs)
{
    if (!m_bRecording)
        return Recorded::Idle;
    const int held = m_heldKeys.indexOf(keyIndex);
    qCDebug(lcPages, "OnHookKey ret %d %d %d", keyIndex, release ? 128 : 0, held);
    if (!release && held >= 0)
        return Recorded::Repeat;
    int usage = 0;
    if (!KeyTables::indexToUsage(keyIndex, usage))
        return Recorded::NoUsage;
    const int n = m_data.events.size();
    if (n > kRowsWithDelays - 2 || (n > kRowsWithoutDelays - 1 && m_data.DelayType == kNoDelays))
        return Recorded::Full;
    // The key's own time: keys handled in one batch keep the pauses between them.
    const quint32 now = timeMs != 0 ? timeMs : quint32(m_clock());
    if (m_bTimed && m_data.DelayType != kNoDelays) {
        int count = 0;
        if (m_data.DelayType == kRecordDelays) {
            // Modulo 2^32: the X server's time wraps; a time before the last counts as none.
            const qint64 t = qint32(now - m_iLastTime);
            if (t <= 0) {
                count = 1;
            } else {
                qint64 d = m_iDelayUnit * (t / m_iDelayUnit);
                d = qMax<qint64>(d, m_iDelayUnit);
                count = int(qMin<qint64>(d / m_iDelayUnit, 0xffff));
            }
        } else {
            count = qBound(0, m_data.DefaultDelay / m_iDelayUnit, 0xffff);
        }
        m_data.events.append({MacroFile::kTypeDelay, uint8_t(count >> 8), uint8_t(count & 0xff)});
    }
    m_bTimed = true;
    if (release) {
        m_data.events.append({MacroFile::kTypeKeyUp, 0, uint8_t(usage)});
        m_heldKeys.removeAll(keyIndex);
    } else {
        m_data.events.append({MacroFile::kTypeKeyDown, 0, uint8_t(usage)});
        m_heldKeys.append(keyIndex);
    }
    m_iSelected = m_data.events.size() - 1;
    m_iLastTime = now;
    return Recorded::Appended;
}

MacroModel::Recorded MacroModel::recordEvdev(int evdevCode, bool release, quint32 timeMs)
{
    int scan = 0;
    uint32_t flags = 0;
    if (!ButtonModel::scanFromEvdev(evdevCode, release, &scan, &flags))
        return Recorded::NoUsage;
    return recordKey(ButtonModel::keyIndexFromScan(scan, flags), release, timeMs);
}

MacroModel::StopResult MacroModel::stopRecording()
{
    StopResult r;
    m_bRecording = false;
    m_bTimed = false;
    // Every press needs a release of the same usage.
    QVector<int> presses, releases;
    for (const MacroEvent &e : m_data.events) {
        if (e.type == MacroFile::kTypeKeyDown || e.type == MacroFile::kTypeButtonDown)
            presses << e.low;
        else if (e.type >= 1 && e.type <= 4)
            releases << e.low;
    }
    r.unreleased = presses.size() > releases.size();
    for (int p : presses) {
        if (!releases.contains(p))
            r.unreleased = true;
    }
    r.saved = save(&r.errorText);
    return r;
}

bool MacroModel::editKey(int keyIndex, bool release)
{
    if (keyIndex == m_iLastEditKey && release == m_bLastEditRelease)
        return false;
    m_iLastEditKey = keyIndex;
    m_bLastEditRelease = release;
    int usage = 0;
    if (m_iSelected < 0 || !isKeyRow(m_data.events.at(m_iSelected)) ||
        !KeyTables::indexToUsage(keyIndex, usage))
        return false;
    m_data.events[m_iSelected].low = uint8_t(usage);
    return true;
}

// ---------------------------------------------------------------------------
// Row commands

void MacroModel::move(int from, int to)
{
    if (from < 0 || from >= m_data.events.size())
        return;
    to = qBound(0, to, m_data.events.size() - 1);
    m_data.events.move(from, to);
    m_iSelected = to;
}

void MacroModel::moveUp()
{
    if (m_iSelected > 0)
        move(m_iSelected, m_iSelected - 1);
}

void MacroModel::moveDown()
{
    if (m_iSelected >= 0 && m_iSelected < m_data.events.size() - 1)
        move(m_iSelected, m_iSelected + 1);
}

void MacroModel::moveTop()
{
    move(m_iSelected, 0);
}

void MacroModel::moveBottom()
{
    move(m_iSelected, m_data.events.size() - 1);
}

void MacroModel::deleteRow()
{
    if (m_iSelected < 0)
        return;
    m_data.events.remove(m_iSelected);
    m_iSelected = qMin(m_iSelected, m_data.events.size() - 1);
}

void MacroModel::clearRows()
{
    m_data.events.clear();
    m_iSelected = -1;
}

void MacroModel::insertAt(int row, const QVector<MacroEvent> &rows)
{
    for (int i = 0; i < rows.size(); ++i)
        m_data.events.insert(row + i, rows.at(i));
    if (!rows.isEmpty())
        m_iSelected = row + rows.size() - 1;
}

void MacroModel::insertRows(const QVector<MacroEvent> &rows)
{
    insertAt(m_iSelected < 0 ? m_data.events.size() : m_iSelected + 1, rows);
}

void MacroModel::insertDelay(int ms)
{
    insertRows({delayRow(ms)});
}

void MacroModel::insertButton(int bitIndex, ButtonPart part)
{
    if (bitIndex < 0 || bitIndex >= int(sizeof kButtonBits))
        return;
    const uint8_t bit = kButtonBits[bitIndex];
    const MacroEvent press{MacroFile::kTypeButtonDown, 0, bit};
    const MacroEvent release{MacroFile::kTypeButtonUp, 0, bit};
    if (part == kPress) {
        insertRows({press});
        return;
    }
    if (part == kRelease) {
        insertRows({release});
        return;
    }
    QVector<MacroEvent> rows{press};
    const bool delays = m_data.DelayType == kRecordDelays || m_data.DelayType == kDefaultDelay;
    const MacroEvent pause =
        delayRow(m_data.DelayType == kRecordDelays ? kClickDelayMs : m_data.DefaultDelay);
    if (delays)
        rows << pause;
    rows << release;
    if (delays)
        rows << pause;
    insertRows(rows);
}

MacroEvent MacroModel::moveEvent(Direction direction, int size)
{
    size = qBound(1, size, kMoveMax);
    const uint8_t back = uint8_t(256 - size);
    MacroEvent e{MacroFile::kTypeMove, 0, 0};
    switch (direction) {
    case kLeft:
        e.low = back;
        break;
    case kRight:
        e.low = uint8_t(size);
        break;
    case kUp:
        e.high = back;
        break;
    case kDown:
        e.high = uint8_t(size);
        break;
    }
    return e;
}

void MacroModel::insertMove(Direction direction, int size)
{
    insertRows({moveEvent(direction, size)});
}

bool MacroModel::setRowDelay(int ms)
{
    if (m_iSelected < 0 || !isDelayRow(m_data.events.at(m_iSelected)) || ms < kDelayMinMs || ms > kDelayMaxMs)
        return false;
    m_data.events[m_iSelected] = delayRow(ms);
    return true;
}

bool MacroModel::setRowDistance(int size)
{
    if (m_iSelected < 0 || !isMoveRow(m_data.events.at(m_iSelected)) || size < 1 || size > kMoveMax)
        return false;
    MacroEvent &row = m_data.events[m_iSelected];
    row = moveEvent(Direction(moveDirection(row)), size);
    return true;
}

// ---------------------------------------------------------------------------
// Display

QString MacroModel::buttonName(uint8_t bit)
{
    static const char *const kNames[5] = {
        QT_TRANSLATE_NOOP("MacroDialog", "LEFT CLICK"), QT_TRANSLATE_NOOP("MacroDialog", "MIDDLE CLICK"),
        QT_TRANSLATE_NOOP("MacroDialog", "RIGHT CLICK"), QT_TRANSLATE_NOOP("MacroDialog", "FORWARD"),
        QT_TRANSLATE_NOOP("MacroDialog", "BACKWARD")};
    for (int i = 0; i < 5; ++i) {
        if (kButtonBits[i] == bit)
            return tr(kNames[i]);
    }
    return QString::number(bit);
}

QString MacroModel::directionName(int direction)
{
    static const char *const kNames[4] = {
        QT_TRANSLATE_NOOP("MacroDialog", "MOVE LEFT"), QT_TRANSLATE_NOOP("MacroDialog", "MOVE RIGHT"),
        QT_TRANSLATE_NOOP("MacroDialog", "MOVE UP"), QT_TRANSLATE_NOOP("MacroDialog", "MOVE DOWN")};
    return direction >= 0 && direction < 4 ? tr(kNames[direction]) : QString();
}

int MacroModel::moveDirection(const MacroEvent &e)
{
    if (e.high != 0)
        return e.high > kMoveMax ? kUp : kDown;
    return e.low > kMoveMax ? kLeft : kRight;
}

int MacroModel::moveSize(const MacroEvent &e)
{
    const int v = e.high != 0 ? e.high : e.low;
    return v > kMoveMax ? 256 - v : v;
}

QString MacroModel::rowName(const MacroEvent &e, int unit)
{
    if (isDelayRow(e))
        return tr(QT_TRANSLATE_NOOP("MacroDialog", "%1 ms")).arg(MacroFile::delayMs(e, unit));
    if (isMoveRow(e))
        return directionName(moveDirection(e));
    if (isButtonRow(e))
        return buttonName(e.low);
    if (isKeyRow(e)) {
        int index = 0;
        if (KeyTables::usageToIndex(e.low, index) && !KeyTables::keyName(index).isEmpty())
            return KeyTables::keyName(index);
        return QStringLiteral("0x%1").arg(e.low, 2, 16, QLatin1Char('0'));
    }
    return QString::number(e.type);
}

QString MacroModel::rowAction(const MacroEvent &e)
{
    if (isMoveRow(e))
        return QString::number(moveSize(e));
    if (isKeyRow(e) || isButtonRow(e))
        return isPress(e) ? tr(QT_TRANSLATE_NOOP("MacroDialog", "Press"))
                          : tr(QT_TRANSLATE_NOOP("MacroDialog", "Release"));
    return QString();
}

// ---------------------------------------------------------------------------
// The mouse

int MacroModel::packedBytes(const QVector<MacroEvent> &allEvents)
{
    const int n = qMin(allEvents.size(), kEventsTaken);
    if (n == 0)
        return kEventBytes; // one delay unit
    const bool ownDelays = std::any_of(allEvents.begin(), allEvents.begin() + n,
                                       [](const MacroEvent &e) { return e.type == MacroFile::kTypeDelay; });
    if (ownDelays)
        return n * kEventBytes;
    return (n + n / kEventsPerDownloadDelay + 1) * kEventBytes;
}

bool MacroModel::fitsSlot(const QVector<MacroEvent> &events)
{
    return events.size() <= kEventsTaken && packedBytes(events) <= kSlotBytes;
}

QStringList MacroModel::slotNames(const Buttons &buttons)
{
    QStringList names;
    for (const ButtonAssignment &b : buttons) {
        const bool runsMacro = b.Fun == ButtonCatalogue::kFunMacro || b.Fun == ButtonCatalogue::kFunGunFile;
        if (runsMacro && !names.contains(b.macroname))
            names << b.macroname;
    }
    return names;
}

bool MacroModel::needsThirteenthSlot(const Buttons &buttons, int record, const QString &name)
{
    if (record < 0 || record >= kButtonCount)
        return false;
    Buttons after = buttons;
    after[size_t(record)].Fun = ButtonCatalogue::kFunMacro;
    after[size_t(record)].macroname = name;
    const int before = slotNames(buttons).size();
    const int now = slotNames(after).size();
    return now > kSlots && now > before;
}
