#include "KWinActiveWindowSource.h"

#include "PlatformLog.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>

namespace {
const QString kService = QStringLiteral("org.kde.KWin");
const QString kScriptingPath = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString kPluginName = QStringLiteral("mousecfg-active-window");
constexpr int kTimeoutMs = 2000;

QDBusMessage callKWin(const QString &path, const QString &interface, const QString &method,
                      const QVariantList &args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, kTimeoutMs);
}
} // namespace

KWinActiveWindowSource::KWinActiveWindowSource(QObject *parent) : ActiveWindowSource(parent) {}

KWinActiveWindowSource::~KWinActiveWindowSource()
{
    stop();
}

QByteArray KWinActiveWindowSource::scriptText(const QString &service)
{
    // KWin 6 names the signal windowActivated, KWin 5 clientActivated.
    QByteArray text = R"JS(
function report(w) {
    if (!w)
        return;
    callDBus("@SERVICE@", "@PATH@", "org.mousecfg.ActiveWindow", "activated",
             String(w.resourceClass), String(w.resourceName), String(w.pid), String(w.caption));
}
if (workspace.windowActivated)
    workspace.windowActivated.connect(report);
else
    workspace.clientActivated.connect(report);
report(workspace.activeWindow || workspace.activeClient);
)JS";
    text.replace("@SERVICE@", service.toUtf8());
    text.replace("@PATH@", objectPath().toUtf8());
    return text;
}

bool KWinActiveWindowSource::start(QString *errorText)
{
    if (m_running)
        return true;
    auto fail = [errorText](const QString &text) {
        if (errorText)
            *errorText = text;
        qCDebug(lcPlatform) << "active window:" << text;
        return false;
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(QStringLiteral("there is no session bus"));
    if (!m_registered) {
        if (!bus.registerObject(objectPath(), this, QDBusConnection::ExportScriptableSlots))
            return fail(QStringLiteral("the session bus refused the object %1").arg(objectPath()));
        m_registered = true;
    }
    m_scriptDir = std::make_unique<QTemporaryDir>();
    const QString file = m_scriptDir->filePath(QStringLiteral("active-window.js"));
    QFile script(file);
    if (!m_scriptDir->isValid() || !script.open(QIODevice::WriteOnly) ||
        script.write(scriptText(bus.baseService())) < 0 || !script.flush())
        return fail(QStringLiteral("the KWin script could not be written"));
    script.close();
    // One script of ours at a time: one left by an earlier run goes first.
    callKWin(kScriptingPath, kScriptingInterface, QStringLiteral("unloadScript"), {kPluginName});
    const QDBusMessage loaded =
        callKWin(kScriptingPath, kScriptingInterface, QStringLiteral("loadScript"), {file, kPluginName});
    if (loaded.type() != QDBusMessage::ReplyMessage || loaded.arguments().isEmpty())
        return fail(QStringLiteral("KWin did not load the script: %1").arg(loaded.errorMessage()));
    const int id = loaded.arguments().constFirst().toInt();
    // KWin 5.21 and later: /Scripting/ScriptN; before: /N.
    QDBusMessage ran = callKWin(QStringLiteral("/Scripting/Script%1").arg(id),
                                QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run"));
    if (ran.type() != QDBusMessage::ReplyMessage)
        ran = callKWin(QStringLiteral("/%1").arg(id), QStringLiteral("org.kde.kwin.Script"),
                       QStringLiteral("run"));
    if (ran.type() != QDBusMessage::ReplyMessage) {
        callKWin(kScriptingPath, kScriptingInterface, QStringLiteral("unloadScript"), {kPluginName});
        return fail(QStringLiteral("KWin did not run the script: %1").arg(ran.errorMessage()));
    }
    m_running = true;
    return true;
}

void KWinActiveWindowSource::stop()
{
    if (!m_running)
        return;
    m_running = false;
    callKWin(kScriptingPath, kScriptingInterface, QStringLiteral("unloadScript"), {kPluginName});
    m_scriptDir.reset();
}

void KWinActiveWindowSource::activated(const QString &resourceClass, const QString &resourceName,
                                       const QString &pid, const QString &caption)
{
    if (!m_running)
        return;
    ActiveWindow w;
    for (const QString &c : {resourceName, resourceClass}) {
        if (!c.isEmpty() && !w.classes.contains(c))
            w.classes << c;
    }
    // Strings all: a script's numbers reach the bus as doubles.
    w.pid = pid.toLongLong();
    w.exePath = executableOf(w.pid);
    w.title = caption;
    emit activeWindowChanged(w);
}
