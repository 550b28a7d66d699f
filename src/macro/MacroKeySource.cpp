#include "MacroKeySource.h"

#include "ButtonModel.h"
#include "X11RecordKeySource.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

QString MacroKeySource::notice() const
{
    return systemWide() ? QCoreApplication::translate("MacroDialog", "RECORDING KEYS FROM EVERY WINDOW.")
                        : QCoreApplication::translate(
                              "MacroDialog",
                              "RECORDING KEYS TYPED IN THIS WINDOW ONLY (NO SYSTEM-WIDE CAPTURE HERE).");
}

WindowKeySource::WindowKeySource(QWidget *window, QObject *parent) : MacroKeySource(parent), m_pWindow(window)
{
}

WindowKeySource::~WindowKeySource()
{
    stop();
}

bool WindowKeySource::start()
{
    if (!m_bActive && qApp) {
        qApp->installEventFilter(this);
        m_bActive = true;
    }
    return m_bActive;
}

void WindowKeySource::stop()
{
    if (m_bActive && qApp)
        qApp->removeEventFilter(this);
    m_bActive = false;
}

bool WindowKeySource::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !m_pWindow || (widget != m_pWindow && !m_pWindow->isAncestorOf(widget)))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!key->isAutoRepeat()) {
        const int evdev = key->nativeScanCode() > 8 ? int(key->nativeScanCode()) - 8
                                                    : ButtonModel::evdevFromQtKey(key->key());
        if (evdev > 0)
            emit keyEvent(evdev, event->type() == QEvent::KeyRelease, quint32(key->timestamp()));
    }
    return true; // recorded keys never type into the editor's fields
}

MacroKeySource *createKeySource(QWidget *window, QObject *parent)
{
    if (qgetenv("MOUSECFG_RECORD") != "window") {
        if (MacroKeySource *x = X11RecordKeySource::create(parent))
            return x;
    }
    return new WindowKeySource(window, parent);
}
