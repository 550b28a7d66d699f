#pragma once
// Where the macro recorder's key events come from: the whole X11 session
// through the RECORD extension when the display has it, otherwise the keys
// typed into our own window (Wayland, or an X server without RECORD). Events
// arrive on the thread that made the source, as evdev codes with the time the
// key went down or up (ms of the display server's clock, 0 when unknown).

#include <QObject>
#include <QString>

class QWidget;

class MacroKeySource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // Starts capturing; false when it cannot (nothing will arrive).
    virtual bool start() = 0;
    virtual void stop() = 0;
    // True when keys typed into other programs are seen too.
    virtual bool systemWide() const = 0;
    // The notice the editor shows while recording.
    QString notice() const;

signals:
    void keyEvent(int evdevCode, bool release, quint32 timeMs);
};

// Keys typed into WINDOW (and its children): evdev code = native scan code − 8.
// The keys are kept from the focused field while capturing.
class WindowKeySource : public MacroKeySource
{
    Q_OBJECT

public:
    explicit WindowKeySource(QWidget *window, QObject *parent = nullptr);
    ~WindowKeySource() override;
    bool start() override;
    void stop() override;
    bool systemWide() const override { return false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_pWindow;
    bool m_bActive = false;
};

// The system-wide source when the display offers it, else the window source.
// MOUSECFG_RECORD=window forces the window source.
MacroKeySource *createKeySource(QWidget *window, QObject *parent);
