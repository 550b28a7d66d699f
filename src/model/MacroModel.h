#pragma once
// One macro as the macro editor edits it: the recorder's rules (held keys,
// row limits, delay modes), the editor's row commands, the library commands
// (new, delete, rename, import, export) with names checked as storage checks
// them, and what the macro costs in the mouse (bytes of its 200-byte slot,
// slots of the twelve). The editor dialog and `mousecfg-cli macro` both work
// through it; it holds no widget.

#include "MacroFile.h"
#include "ProfileTypes.h"

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>
#include <functional>

class MacroModel
{
public:
    // Row limits of a recording: without delays, and with delays recorded or inserted.
    static constexpr int kRowsWithoutDelays = 56;
    static constexpr int kRowsWithDelays = 84;
    // The mouse: bytes of a packed macro that reach a slot, and its slots.
    static constexpr int kSlotBytes = 200;
    static constexpr int kSlots = 12;
    // Events of a macro file that the download and a button's key list take.
    static constexpr int kEventsTaken = 84;
    // Delay a mouse-button insertion adds with delay mode 1, in ms.
    static constexpr int kClickDelayMs = 10;
    // Ranges of the editor's fields.
    static constexpr int kDelayMinMs = 10;
    static constexpr int kDelayMaxMs = 65535;
    static constexpr int kMoveMax = 120;

    // Translation context and source texts of the messages.
    static const char kContext[];
    static const char kMacroExist[];    // title "Warning"
    static const char kNotReleased[];   // title "Warning"
    static const char kTooManyMacros[]; // title "WARNING"
    static const char kSlotOverflow[];  // title "Warning"
    static const char kBytesOverflow[]; // title "Warning"
    static const char kNotMacroFile[];  // import refusals, title "Warning"
    static const char kBadRow[];
    static const char kAskDeleteUsed[]; // the question before deleting a macro buttons run
    static QString tr(const char *text);

    // Delay modes ("Setting/DelayType").
    enum DelayMode
    {
        kNoDelays = 0,
        kRecordDelays = 1,
        kDefaultDelay = 2
    };
    // Mouse-button bits in the order of the editor's tree.
    static const uint8_t kButtonBits[5]; // left, middle, right, forward, backward
    enum ButtonPart
    {
        kClick,
        kPress,
        kRelease
    };
    enum Direction
    {
        kLeft = 0,
        kRight = 1,
        kUp = 2,
        kDown = 3
    };

    explicit MacroModel(int delayUnit = 1);

    // Milliseconds of a monotonic clock, for key events that come without a
    // time of their own; tests set their own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }
    int delayUnit() const { return m_iDelayUnit; }

    // ---- The macro being edited
    const QString &name() const { return m_name; }
    MacroFile::MacroData &data() { return m_data; }
    const MacroFile::MacroData &data() const { return m_data; }
    const QVector<MacroEvent> &events() const { return m_data.events; }
    int selectedRow() const { return m_iSelected; }
    void selectRow(int row);
    void setDelayMode(int mode) { m_data.DelayType = mode; }
    int delayMode() const { return m_data.DelayType; }

    // Loads NAME (an empty macro when its file is missing) and makes it current.
    bool load(const QString &name, QString *errorText = nullptr);
    // Saves the current macro under its name.
    bool save(QString *errorText = nullptr) const;

    // ---- Library commands. Each refusal leaves the library as it was and
    // returns false with the message in errorText.
    // A new empty macro "name_N" becomes current.
    bool newMacro(QString *errorText = nullptr);
    // Deletes the current macro (list entry and file) and loads the one that
    // takes its place in the list; the name is empty when none is left. When
    // buttons run it, the question names them first: "no" (or no question)
    // changes nothing and returns false with an empty errorText; "yes" gives
    // those buttons their factory function in the set and the stored profiles.
    bool deleteCurrent(QString *errorText = nullptr);
    // Renames the current macro; a taken name gets "_2", "_3" ... The buttons
    // that ran it run it under its new name, in the set and the stored profiles.
    bool rename(const QString &newName, QString *errorText = nullptr);
    // Copies a macro file into the library under its base name. Refused with
    // "Macro Exist!" when that name is taken, and when the file is not a macro
    // file or holds a row that is not an event the editor shows (a file is
    // taken whole or not at all: a dropped release would leave a key held).
    // importedName receives the name.
    static bool importFile(const QString &path, QString *importedName, QString *errorText = nullptr);

    // ---- Buttons that run library macros by name: the window's set (its
    // slots as the user edits them; may be null) and every stored profile
    // (the slot files and each model's profile library).
    void setProfileSet(ProfileSet *set) { m_pSet = set; }
    struct Use
    {
        QString profile; // slot or library profile name
        int record = 0;  // button record 0..41
    };
    QVector<Use> uses(const QString &name) const;
    // The question deleteCurrent() asks; true goes on.
    using Question = std::function<bool(const QString &text)>;
    void setQuestion(Question ask) { m_ask = std::move(ask); }
    // The text of that question.
    static QString deleteQuestion(const QString &name, const QVector<Use> &uses);
    // Copies the file of library macro NAME to PATH (overwritten).
    static bool exportFile(const QString &name, const QString &path, QString *errorText = nullptr);

    // ---- Recording. Key events come as key indexes (Part of the key tables).
    bool isRecording() const { return m_bRecording; }
    // Clears the rows and starts; false (nothing recorded) without a current macro.
    bool startRecording();
    enum class Recorded
    {
        Appended,
        Repeat,
        Full,
        NoUsage,
        Idle
    };
    // timeMs: when the key went down or up, in ms of the source's clock (the
    // X server's time, Qt's event time), which may wrap at 32 bits; the delay
    // between keys is taken from these, however late they are handled. 0: the
    // event has no time and the model's clock stands for it.
    Recorded recordKey(int keyIndex, bool release, quint32 timeMs = 0);
    // The same from an evdev code (X11 keycode − 8); NoUsage for keys without one.
    Recorded recordEvdev(int evdevCode, bool release, quint32 timeMs = 0);
    struct StopResult
    {
        bool unreleased = false; // show kNotReleased
        bool saved = false;
        QString errorText;
    };
    // Stops, checks that every pressed key was released, and saves.
    StopResult stopRecording();
    const QVector<int> &heldKeys() const { return m_heldKeys; }

    // Edit-key mode: the next key replaces the usage of the selected key row.
    // A repeat of the last key seen is ignored; true when the row changed.
    bool editKey(int keyIndex, bool release);
    void resetEditKey() { m_iLastEditKey = -1; }

    // ---- Row commands (the selection follows as the editor shows it).
    void moveUp();
    void moveDown();
    void moveTop();
    void moveBottom();
    void deleteRow();
    void clearRows();
    // Inserts after the selected row (at the end when none is) and selects the last inserted.
    void insertRows(const QVector<MacroEvent> &rows);
    void insertDelay(int ms);
    void insertButton(int bitIndex, ButtonPart part);
    void insertMove(Direction direction, int size);
    // Rewrite the selected row; false when it is of another kind or the value is out of range.
    bool setRowDelay(int ms);
    bool setRowDistance(int size);

    // ---- Rows as the editor shows them.
    static bool isKeyRow(const MacroEvent &e) { return (e.type & 0x7f) == MacroFile::kTypeKeyUp; }
    static bool isButtonRow(const MacroEvent &e) { return (e.type & 0x7f) == MacroFile::kTypeButtonUp; }
    static bool isMoveRow(const MacroEvent &e) { return e.type == MacroFile::kTypeMove; }
    static bool isDelayRow(const MacroEvent &e) { return e.type == MacroFile::kTypeDelay; }
    static bool isPress(const MacroEvent &e) { return (e.type & 0x80) != 0; }
    static QString buttonName(uint8_t bit);                     // "LEFT CLICK" ...
    static QString directionName(int direction);                // "MOVE LEFT" ...
    static MacroEvent moveEvent(Direction direction, int size); // size 1 to 120
    static int moveDirection(const MacroEvent &e);
    static int moveSize(const MacroEvent &e); // a byte above 120 counts as 256 minus it
    // Key name, button name, direction or "%d ms"; and "Press"/"Release" or the distance.
    static QString rowName(const MacroEvent &e, int unit);
    static QString rowAction(const MacroEvent &e);

    // ---- What the macro costs in the mouse.
    // Bytes the packed macro takes (before the slot cuts it at 200), with the
    // download's own delay rows for macros without one.
    static int packedBytes(const QVector<MacroEvent> &events);
    // True when the download keeps every event (84 at most, 200 bytes).
    static bool fitsSlot(const QVector<MacroEvent> &events);
    // Distinct macros and gun files BUTTONS run (each takes a slot of the mouse).
    using Buttons = std::array<ButtonAssignment, kButtonCount>;
    static QStringList slotNames(const Buttons &buttons);
    // True when giving record RECORD of BUTTONS the macro NAME needs a thirteenth slot.
    static bool needsThirteenthSlot(const Buttons &buttons, int record, const QString &name);

private:
    void insertAt(int row, const QVector<MacroEvent> &rows);
    void move(int from, int to);
    MacroEvent delayRow(int ms) const { return MacroFile::delayEvent(ms, m_iDelayUnit); }
    // Applies CHANGE to every button running NAME, in the set and the stored
    // profiles; false (errorText lists the files) when a file was not written.
    bool changeUses(const QString &name, const std::function<void(int record, ButtonAssignment &b)> &change,
                    QString *errorText);

    int m_iDelayUnit = 1;
    Clock m_clock;
    QString m_name;
    MacroFile::MacroData m_data;
    int m_iSelected = -1;
    bool m_bRecording = false;
    bool m_bTimed = false; // an event was recorded since START
    quint32 m_iLastTime = 0;
    ProfileSet *m_pSet = nullptr;
    Question m_ask;
    QVector<int> m_heldKeys;
    int m_iLastEditKey = -1;
    bool m_bLastEditRelease = false;
};
