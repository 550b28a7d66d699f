#include "AutoSwitchControl.h"

#include "DeviceSession.h"
#include "KWinActiveWindowSource.h"
#include "Log.h"
#include "MirtAction.h"
#include "X11ActiveWindowSource.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMenu>

namespace {
QByteArray stampOf(const QString &file)
{
    const QFileInfo fi(file);
    if (!fi.exists())
        return QByteArray();
    return QByteArray::number(fi.size()) + ':' + QByteArray::number(fi.lastModified().toMSecsSinceEpoch()) +
           ':' + QByteArray::number(qulonglong(fi.metadataChangeTime().toMSecsSinceEpoch()));
}
} // namespace

AutoSwitchControl::AutoSwitchControl(DeviceSession *session, SourceFactory makeSource, QObject *parent)
    : QObject(parent), m_session(session), m_makeSource(std::move(makeSource))
{
    connect(&m_switcher, &AutoSwitcher::switchRequested, this, [this](int slot) {
        qCDebug(lcApp) << "auto-switch: to profile" << slot;
        if (m_switch)
            m_switch(slot);
    });
    if (m_session) {
        connect(m_session, &DeviceSession::jobStarted, this, [this] { m_switcher.setBusy(true); });
        // After the caller of the job has taken its results, on the next turn of the loop.
        connect(
            m_session, &DeviceSession::jobEnded, this,
            [this] {
                if (m_switcher.waitingForJob() && !m_session->jobRunning())
                    qCDebug(lcApp) << "auto-switch: the switch waited for the job's end";
                m_switcher.setBusy(m_session->jobRunning());
            },
            Qt::QueuedConnection);
    }
}

AutoSwitchControl::~AutoSwitchControl() = default;

void AutoSwitchControl::setMouseSlot(std::function<int()> slot)
{
    m_switcher.setMouseSlot(std::move(slot));
}

void AutoSwitchControl::start()
{
    if (!m_watcher) {
        // The folder: a file written whole (beside it, then renamed over) is a new entry of it.
        m_watcher = new QFileSystemWatcher(this);
        const QString dir = QFileInfo(AutoSwitchRules::defaultFile()).absolutePath();
        m_watcher->addPath(dir);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                &AutoSwitchControl::fileMayHaveChanged);
    }
    reload();
}

void AutoSwitchControl::fileMayHaveChanged()
{
    if (stampOf(AutoSwitchRules::defaultFile()) != m_fileStamp)
        reload();
}

void AutoSwitchControl::reload()
{
    const QString file = AutoSwitchRules::defaultFile();
    m_fileStamp = stampOf(file);
    AutoSwitchRules rules;
    rules.load(file, &m_problems);
    for (const QString &p : m_problems)
        qCWarning(lcApp).noquote() << p;
    m_switcher.setRules(rules);
    follow(rules.enabled());
    if (m_pTrayAction)
        m_pTrayAction->setChecked(rules.enabled());
    emit rulesChanged();
}

bool AutoSwitchControl::saveRules(const AutoSwitchRules &rules, QString *errorText)
{
    // RULES come from the rules in force: a file read with problems is kept beside (save()).
    AutoSwitchRules copy = rules;
    QString notice;
    if (!copy.save(AutoSwitchRules::defaultFile(), errorText, &notice))
        return false;
    if (!notice.isEmpty())
        qCWarning(lcApp).noquote() << notice;
    reload();
    return true;
}

QString AutoSwitchControl::unsupportedText() const
{
    if (m_sourceMade && !m_source)
        return ActiveWindowSource::unsupportedText();
    if (!m_makeSource && ActiveWindowSource::kindFor() == ActiveWindowSource::Kind::None)
        return ActiveWindowSource::unsupportedText();
    return QString();
}

bool AutoSwitchControl::ensureSource()
{
    if (m_sourceMade)
        return m_source != nullptr;
    m_sourceMade = true;
    if (m_makeSource) {
        m_source.reset(m_makeSource());
    } else {
        switch (ActiveWindowSource::kindFor()) {
        case ActiveWindowSource::Kind::X11:
            m_source = std::make_unique<X11ActiveWindowSource>();
            break;
        case ActiveWindowSource::Kind::KWin:
            m_source = std::make_unique<KWinActiveWindowSource>();
            break;
        case ActiveWindowSource::Kind::None:
            break;
        }
    }
    if (m_source)
        connect(m_source.get(), &ActiveWindowSource::activeWindowChanged, this,
                &AutoSwitchControl::onActiveWindow);
    return m_source != nullptr;
}

void AutoSwitchControl::follow(bool on)
{
    if (!on) {
        if (m_source)
            m_source->stop(); // nothing open, nothing read while auto-switch is off
        return;
    }
    if (!ensureSource()) {
        emit problem(ActiveWindowSource::unsupportedText());
        return;
    }
    QString error;
    if (!m_source->running() && !m_source->start(&error)) {
        qCWarning(lcApp).noquote() << "auto-switch:" << error;
        emit problem(error);
    }
}

QList<ActiveWindow> AutoSwitchControl::openWindows()
{
    if (!ensureSource())
        return {};
    const bool wasRunning = m_source->running();
    if (!wasRunning && !m_source->start())
        return {};
    const QList<ActiveWindow> windows = m_source->openWindows();
    if (!wasRunning)
        m_source->stop();
    QList<ActiveWindow> others;
    for (const ActiveWindow &w : windows) {
        if (w.pid != QCoreApplication::applicationPid())
            others << w;
    }
    return others;
}

void AutoSwitchControl::onActiveWindow(const ActiveWindow &window)
{
    // The program's own windows (this one, its dialogs) want nothing, nor
    // does the moment between two windows (no window active).
    if (window.pid == QCoreApplication::applicationPid() ||
        (window.classes.isEmpty() && window.exePath.isEmpty()))
        return;
    qCDebug(lcApp) << "auto-switch: active window" << window.classes << window.exePath;
    m_switcher.windowActivated(window.classes, window.exePath);
}

void AutoSwitchControl::addToMenu(QMenu *menu, QAction *before)
{
    m_pTrayAction = new MirtAction(QString(), this);
    m_pTrayAction->setObjectName(QStringLiteral("autoSwitchAction"));
    m_pTrayAction->setCheckable(true);
    retranslate();
    m_pTrayAction->setChecked(enabled());
    connect(m_pTrayAction, &QAction::triggered, this, [this](bool on) {
        AutoSwitchRules rules = m_switcher.rules();
        rules.setEnabled(on);
        QString error;
        if (!saveRules(rules, &error)) {
            qCWarning(lcApp).noquote() << error;
            emit problem(error);
        }
        m_pTrayAction->setChecked(enabled()); // what is on disk, whatever was asked
    });
    connect(menu, &QMenu::aboutToShow, this, &AutoSwitchControl::retranslate);
    menu->insertAction(before, m_pTrayAction);
}

QAction *AutoSwitchControl::trayAction() const
{
    return m_pTrayAction;
}

void AutoSwitchControl::retranslate()
{
    if (m_pTrayAction)
        m_pTrayAction->setText(tr("&Auto-switch profiles"));
}
