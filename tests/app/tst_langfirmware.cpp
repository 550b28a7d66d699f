// The main window's language menu and its firmware updater launch, against
// the simulated mouse, offscreen.

#include "AppConfig.h"
#include "FakeProgramLauncher.h"
#include "MirtColorWindow.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SkinCache.h"
#include "WindowParts.h"

#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace WindowParts;

namespace {

// Answers every message box the window opens with ANSWER and keeps its text.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(int answer) : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<MirtMessageBox *>(w);
                if (!box || !box->isVisible() || box->property("answered").toBool())
                    continue;
                box->setProperty("answered", true);
                auto *label = box->findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"));
                texts << (label ? label->text() : QString());
                box->done(box->kind() == MirtMessageBox::kQuestion ? m_answer : QDialog::Accepted);
            }
        });
        m_timer.start(5);
    }
    QStringList texts;

private:
    int m_answer;
    QTimer m_timer;
};

// The window ended the event loop (QCoreApplication::exit) as the program
// ends; later dialogs need a loop that runs again.
void forgetExit()
{
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

bool showsText(QWidget *page, const QString &text)
{
    for (QLabel *l : page->findChildren<QLabel *>())
        if (l->text() == text)
            return true;
    return false;
}

} // namespace

class TestLangFirmware : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void languageSwitchRetitlesAndPersists();
    void missingTranslationKeepsTexts();
    void oneLanguageHidesTheButton();
    void updaterRefusedWithReceiverOnly();
    void updaterLaunchedWithCable();
    void updaterThatCannotStartKeepsTheProgram();

private:
    void makeWindow(bool cable, ProgramLauncher *launcher);
    void setGlobal(const QString &key, const QVariant &value)
    {
        QSettings(m_config->filePath(QStringLiteral("Config.ini")), QSettings::IniFormat)
            .setValue(key, value);
    }

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<SimulatedMouseSession> m_sim;
    std::unique_ptr<SimulatedMouseFeed> m_feed;
    std::unique_ptr<MousecfgWidget> m_w;
    QString m_shippedData;
};

void TestLangFirmware::init()
{
    if (m_shippedData.isEmpty())
        m_shippedData = Paths::dataDir();
    m_config = std::make_unique<QTemporaryDir>();
    m_data = std::make_unique<QTemporaryDir>();
    Paths::setConfigDir(m_config->path());
    SkinCache::setDirectory(m_config->filePath(QStringLiteral("skin-cache")));
    QVERIFY(QFile::copy(m_shippedData + QStringLiteral("/Configs/Config.ini"),
                        m_config->filePath(QStringLiteral("Config.ini"))));
    // A data folder of its own: the shipped device description and translations, and room for an updater.
    QVERIFY(QFile::link(m_shippedData + QStringLiteral("/DefaultProfile.bin"),
                        m_data->filePath(QStringLiteral("DefaultProfile.bin"))));
    QVERIFY(QFile::link(m_shippedData + QStringLiteral("/lang"), m_data->filePath(QStringLiteral("lang"))));
    QVERIFY(QDir().mkpath(m_data->filePath(QStringLiteral("skin/mouse/bin"))));
    Paths::setDataDir(m_data->path());
    MirtKit::reloadConfig();
    MirtKit::setLanguageId(0);
}

void TestLangFirmware::cleanup()
{
    m_w.reset();
    m_feed.reset();
    m_sim.reset();
    Paths::setDataDir(QString());
}

void TestLangFirmware::makeWindow(bool cable, ProgramLauncher *launcher)
{
    // One simulated mouse at a time: the old one gives the backend back first.
    m_w.reset();
    m_feed.reset();
    m_sim.reset();
    m_sim = std::make_unique<SimulatedMouseSession>(
        cable, m_config->filePath(QStringLiteral("simulated-mouse.ini")));
    m_sim->backend().setEchoLatencyUs(200);
    m_feed = std::make_unique<SimulatedMouseFeed>(&m_sim->backend());
    MousecfgServices s;
    s.hotplug = m_feed.get();
    s.launcher = launcher;
    s.simulated = true;
    m_w = std::make_unique<MousecfgWidget>(s);
}

void TestLangFirmware::languageSwitchRetitlesAndPersists()
{
    makeWindow(false, nullptr);
    MirtPushButton *lang = part<MirtPushButton>(m_w.get(), "languageButton");
    QVERIFY(!lang->isHidden());
    QCOMPARE(lang->text(), QStringLiteral("English"));
    const QList<QAction *> actions = part<QMenu>(m_w.get(), "languageMenu")->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions.at(1)->text(), QStringLiteral("简体中文"));
    QCOMPARE(part<MirtPushButton>(m_w.get(), "lightingTab")->text(), QStringLiteral("LIGHTING"));
    // The lighting page is retitled with the rest.
    QTRY_VERIFY(findPart<MirtColorWindow>(m_w.get(), "colorPage"));

    struct Expected
    {
        int index;
        QString tab, firmware, profile, effect, updater, simulated;
    };
    const QList<Expected> steps = {
        {2, QStringLiteral("燈光"), QStringLiteral("韌體更新"), QStringLiteral("設定檔 1"),
         QStringLiteral("燈效"), QStringLiteral("/skin/mouse/bin/K522-8146-A17.exe"),
         QStringLiteral(" - 模擬滑鼠")},
        {1, QStringLiteral("灯光"), QStringLiteral("固件更新"), QStringLiteral("配置 1"),
         QStringLiteral("灯效"), QStringLiteral("/skin/mouse/bin/K522-8146-A17.exe"),
         QStringLiteral(" - 模拟鼠标")},
        {0, QStringLiteral("LIGHTING"), QStringLiteral("Firmware Update"), QStringLiteral("Profile 1"),
         QStringLiteral("EFFECT"), QStringLiteral("/skin/mouse/bin/K522-8146-A17-en.exe"),
         QStringLiteral(" - simulated mouse")},
    };
    for (const Expected &e : steps) {
        actions.at(e.index)->trigger();
        QCOMPARE(AppConfig::readLangID(), e.index);
        QCOMPARE(m_w->languageIndex(), e.index);
        QCOMPARE(MirtKit::languageId(), e.index);
        QCOMPARE(lang->text(), actions.at(e.index)->text());
        QCOMPARE(part<MirtPushButton>(m_w.get(), "lightingTab")->text(), e.tab);
        QCOMPARE(part<MirtPushButton>(m_w.get(), "firmwareButton")->text(), e.firmware);
        QCOMPARE(profileButton(m_w.get(), 0)->text(), e.profile);
        QVERIFY2(showsText(part<MirtColorWindow>(m_w.get(), "colorPage"), e.effect), qPrintable(e.effect));
        QVERIFY(m_w->updaterPath(MirtKit::languageId()).endsWith(e.updater));
        QCOMPARE(MirtKit::languageFont().family(), AppConfig::fontFamily(e.index));
        // The titles of the simulated mouse too: the window's and the tray icon's tip.
        QCOMPARE(m_w->windowTitle(), QStringLiteral("ORVALE8") + e.simulated);
        QTRY_VERIFY(findPart<QSystemTrayIcon>(m_w.get(), "trayIcon"));
        const QString tip = part<QSystemTrayIcon>(m_w.get(), "trayIcon")->toolTip();
        QVERIFY2(tip.startsWith(m_w->windowTitle()), qPrintable(tip));
    }
}

void TestLangFirmware::missingTranslationKeepsTexts()
{
    setGlobal(QStringLiteral("FONT_LIST/LangFile_1"), QStringLiteral("no-such-file"));
    makeWindow(false, nullptr);
    part<QMenu>(m_w.get(), "languageMenu")->actions().at(1)->trigger();
    // The choice is kept; the texts stay as they were.
    QCOMPARE(AppConfig::readLangID(), 1);
    QCOMPARE(m_w->languageIndex(), 1);
    QCOMPARE(part<MirtPushButton>(m_w.get(), "lightingTab")->text(), QStringLiteral("LIGHTING"));
}

void TestLangFirmware::oneLanguageHidesTheButton()
{
    setGlobal(QStringLiteral("FONT_LIST/LANGNUM"), 1);
    makeWindow(false, nullptr);
    QVERIFY(part<MirtPushButton>(m_w.get(), "languageButton")->isHidden());
    QCOMPARE(part<QMenu>(m_w.get(), "languageMenu")->actions().size(), 1);
}

void TestLangFirmware::updaterRefusedWithReceiverOnly()
{
    FakeProgramLauncher launcher;
    makeWindow(false, &launcher);
    QSignalSpy exit(m_w.get(), &MousecfgWidget::exitRequested);
    BoxAnswerer answer(QDialog::Accepted);
    MirtPushButton *firmware = part<MirtPushButton>(m_w.get(), "firmwareButton");
    emit firmware->EnterSignal(firmware);
    QCOMPARE(answer.texts, QStringList{QStringLiteral(
                               "To update the firmware, please connect to the computer with a cable.")});
    QVERIFY(launcher.calls().isEmpty());
    QVERIFY(exit.isEmpty());
    QVERIFY(m_w->batteryThreadRunning());
}

void TestLangFirmware::updaterLaunchedWithCable()
{
    // The answer "No" starts nothing.
    FakeProgramLauncher fake;
    makeWindow(true, &fake);
    QSignalSpy exit(m_w.get(), &MousecfgWidget::exitRequested);
    {
        BoxAnswerer no(QDialog::Rejected);
        m_w->firmwareUpdate();
        QCOMPARE(no.texts, QStringList{QStringLiteral("Do you want to upgrade the firmware?")});
    }
    QVERIFY(fake.calls().isEmpty());
    QVERIFY(m_w->batteryThreadRunning());

    // "Yes" in English: the "-en" updater with its own path as its argument, then the end.
    BoxAnswerer yes(QDialog::Accepted);
    m_w->firmwareUpdate();
    const QString en = m_data->filePath(QStringLiteral("skin/mouse/bin/K522-8146-A17-en.exe"));
    QCOMPARE(fake.calls().size(), 1);
    QCOMPARE(fake.calls().at(0).program, en);
    QCOMPARE(fake.calls().at(0).arguments, QStringList{en});
    QCOMPARE(exit.size(), 1);
    QCOMPARE(exit.at(0).at(0).toInt(), 0);
    QVERIFY(!m_w->batteryThreadRunning());
    forgetExit();

    // Language 1 and a real start: the stand-in updater says what it was given.
    const QString updater = m_data->filePath(QStringLiteral("skin/mouse/bin/K522-8146-A17.exe"));
    const QString marker = m_data->filePath(QStringLiteral("started"));
    QFile script(updater);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("#!/bin/sh\necho \"$0 $*\" > '%1.tmp' && mv '%1.tmp' '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    AppConfig::writeLangID(1);
    MirtKit::setLanguageId(1);
    DetachedProgramLauncher real;
    makeWindow(true, &real);
    QSignalSpy exit2(m_w.get(), &MousecfgWidget::exitRequested);
    m_w->firmwareUpdate();
    QCOMPARE(exit2.size(), 1);
    forgetExit();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);
    QFile seen(marker);
    QVERIFY(seen.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(seen.readAll()).trimmed(), updater + QLatin1Char(' ') + updater);
}

void TestLangFirmware::updaterThatCannotStartKeepsTheProgram()
{
    DetachedProgramLauncher real; // and no updater in the folder
    makeWindow(true, &real);
    QSignalSpy exit(m_w.get(), &MousecfgWidget::exitRequested);
    BoxAnswerer yes(QDialog::Accepted);
    m_w->firmwareUpdate();
    QCOMPARE(yes.texts.size(), 2);
    QVERIFY(yes.texts.at(1).startsWith(QStringLiteral("The firmware updater could not be started.")));
    QVERIFY(yes.texts.at(1).contains(QStringLiteral("K522-8146-A17-en.exe")));
    QVERIFY(exit.isEmpty());
    QVERIFY(m_w->batteryThreadRunning());
}

QTEST_MAIN(TestLangFirmware)
#include "tst_langfirmware.moc"
