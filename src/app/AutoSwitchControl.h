#pragma once
// Auto-switch in the running program: the rules of AutoSwitch.ini (read
// again when another program, say mousecfg-cli, changes the file), the
// desktop's active window followed while they are on (and not at all while
// they are off), and the switch the rules ask for, handed to the window's
// own profile switch once no job talks to the mouse. Also the tray's
// "Auto-switch profiles" entry.

#include "ActiveWindowSource.h"
#include "AutoSwitcher.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class DeviceSession;
class MirtAction;
class QAction;
class QFileSystemWatcher;
class QMenu;

class AutoSwitchControl : public QObject
{
    Q_OBJECT

public:
    using SourceFactory = std::function<ActiveWindowSource *()>;

    // SESSION (not owned) tells when jobs run. MAKESOURCE makes the follower
    // when first needed (owned from then on); null: the one this session has
    // (ActiveWindowSource::kindFor), if any.
    AutoSwitchControl(DeviceSession *session, SourceFactory makeSource, QObject *parent = nullptr);
    ~AutoSwitchControl() override;

    // The slot (1-5) the mouse is on, 0 without a mouse; and the switch itself.
    void setMouseSlot(std::function<int()> slot);
    void setSwitchFunction(std::function<void(int slot)> doSwitch) { m_switch = std::move(doSwitch); }

    // Reads the rules, watches their file, and follows the active window when they are on.
    void start();
    // The rules as stored now; follows or stops following accordingly.
    void reload();

    bool enabled() const { return m_switcher.rules().enabled(); }
    const AutoSwitchRules &rules() const { return m_switcher.rules(); }
    // What the last read of the file left out (empty when nothing).
    QStringList loadProblems() const { return m_problems; }
    // Saves RULES as the rules in force; false with the reason.
    bool saveRules(const AutoSwitchRules &rules, QString *errorText);
    // Empty where the desktop tells which window is active; otherwise the one sentence saying it does not.
    QString unsupportedText() const;
    // Starts the follower for a pick list when it is not running (auto-switch off).
    QList<ActiveWindow> openWindows();

    // The tray's checkable "Auto-switch profiles", before BEFORE.
    void addToMenu(QMenu *menu, QAction *before);
    QAction *trayAction() const;

    AutoSwitcher *switcher() { return &m_switcher; }
    ActiveWindowSource *source() const { return m_source.get(); }

signals:
    // The rules in force changed (another program, the dialog, the tray).
    void rulesChanged();
    // Turning on failed or cannot work here: TEXT says why.
    void problem(const QString &text);

private:
    bool ensureSource();
    void follow(bool on);
    void onActiveWindow(const ActiveWindow &window);
    void fileMayHaveChanged();
    void retranslate();

    DeviceSession *m_session;
    SourceFactory m_makeSource;
    std::unique_ptr<ActiveWindowSource> m_source;
    bool m_sourceMade = false;
    AutoSwitcher m_switcher;
    std::function<void(int)> m_switch;
    QStringList m_problems;
    QFileSystemWatcher *m_watcher = nullptr;
    QByteArray m_fileStamp; // size and time of the file as read last
    MirtAction *m_pTrayAction = nullptr;
};
