// The main window's language menu and its firmware update command, against
// the simulated mouse, offscreen.

#include "AppConfig.h"
#include "FakeProgramLauncher.h"
#include "MacroDialog.h"
#include "MirtBtnWindow.h"
#include "MirtColorWindow.h"
#include "MirtDPIWindow.h"
#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SimulationMenu.h"
#include "SkinCache.h"
#include "WindowParts.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QXmlStreamReader>
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

// The source texts of data/lang/mousecfg_LANG.ts that this language shows differently.
QSet<QString> translatedSources(const QString &lang)
{
    QSet<QString> out;
    QFile file(QStringLiteral(MOUSECFG_SOURCE_DIR "/data/lang/mousecfg_%1.ts").arg(lang));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText();
            if (!translation.isEmpty() && translation != source)
                out.insert(source);
        }
    }
    return out;
}

// Every text a user can meet in the window, keyed by where it is shown: the
// texts, tool tips and titles of its widgets, the items and headers of its
// views, and the actions of every menu it can open (its buttons', the tray's
// and their submenus).
QMap<QString, QString> shownTexts(QWidget *window)
{
    QMap<QString, QString> out;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    QSet<QWidget *> seen;
    // A widget's place: the names of it and its parents, unnamed ones by class and rank.
    auto where = [](QObject *o) {
        QStringList path;
        for (QObject *p = o; p; p = p->parent()) {
            QString name = p->objectName();
            if (name.isEmpty()) {
                name = QLatin1String(p->metaObject()->className());
                int rank = 0;
                if (p->parent()) {
                    for (QObject *sibling : p->parent()->children()) {
                        if (sibling == p)
                            break;
                        rank +=
                            qstrcmp(sibling->metaObject()->className(), p->metaObject()->className()) == 0;
                    }
                }
                name += QStringLiteral("[%1]").arg(rank);
            }
            path.prepend(name);
        }
        return path.join(QLatin1Char('/')) + QLatin1Char(':');
    };
    for (int i = 0; i < widgets.size(); ++i) {
        QWidget *w = widgets.at(i);
        if (seen.contains(w))
            continue;
        seen.insert(w);
        const QString at = where(w);
        out.insert(at + QStringLiteral("tip"), w->toolTip());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            out.insert(at + QStringLiteral("text"), b->text());
        if (auto *l = qobject_cast<QLabel *>(w))
            out.insert(at + QStringLiteral("text"), l->text());
        if (auto *e = qobject_cast<QLineEdit *>(w))
            out.insert(at + QStringLiteral("placeholder"), e->placeholderText());
        if (auto *m = qobject_cast<QMenu *>(w)) {
            emit m->aboutToShow(); // as when it opens
            out.insert(at + QStringLiteral("title"), m->title());
        }
        if (auto *p = qobject_cast<QPushButton *>(w); p && p->menu())
            widgets << p->menu() << p->menu()->findChildren<QWidget *>();
        for (QAction *a : w->actions()) {
            out.insert(at + QStringLiteral("action:") + a->objectName() + a->data().toString(), a->text());
            if (a->menu())
                widgets << a->menu();
        }
        if (auto *t = qobject_cast<QTreeWidget *>(w)) {
            int n = 0;
            for (QTreeWidgetItemIterator it(t); *it; ++it)
                out.insert(at + QStringLiteral("item%1").arg(n++), (*it)->text(0));
        }
        if (auto *v = qobject_cast<QTableView *>(w); v && v->model()) {
            for (int c = 0; c < v->model()->columnCount(); ++c)
                out.insert(at + QStringLiteral("header%1").arg(c),
                           v->model()->headerData(c, Qt::Horizontal).toString());
        }
    }
    return out;
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
    void updaterSaysWhereItComesFrom();
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
    std::unique_ptr<SimulationMenu> m_simMenu;
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
    // A data folder of its own: the shipped device description and translations.
    QVERIFY(QFile::link(m_shippedData + QStringLiteral("/DefaultProfile.bin"),
                        m_data->filePath(QStringLiteral("DefaultProfile.bin"))));
    QVERIFY(QFile::link(m_shippedData + QStringLiteral("/lang"), m_data->filePath(QStringLiteral("lang"))));
    Paths::setDataDir(m_data->path());
    MirtKit::reloadConfig();
    MirtKit::setLanguageId(0);
}

void TestLangFirmware::cleanup()
{
    m_w.reset();
    m_simMenu.reset();
    m_feed.reset();
    m_sim.reset();
    Paths::setDataDir(QString());
}

void TestLangFirmware::makeWindow(bool cable, ProgramLauncher *launcher)
{
    // One simulated mouse at a time: the old one gives the backend back first.
    m_w.reset();
    m_simMenu.reset();
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
    // The tray's simulated-mouse menu, as the program makes it.
    s.extraTrayMenu = [this] {
        m_simMenu = std::make_unique<SimulationMenu>(&m_sim->backend());
        return static_cast<QMenu *>(m_simMenu.get());
    };
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
    // Every page built, the tray and its simulated-mouse menu too.
    for (int tab = 0; tab < MousecfgWidget::kTabCount; ++tab)
        m_w->SelectTab(tab);
    QTRY_VERIFY(findPart<MirtColorWindow>(m_w.get(), "colorPage"));
    QTRY_VERIFY(findPart<MirtBtnWindow>(m_w.get(), "buttonPage"));
    QTRY_VERIFY(findPart<MirtDPIWindow>(m_w.get(), "dpiPage"));
    QTRY_VERIFY(findPart<MacroDialog>(m_w.get(), "macroPage"));
    QTRY_VERIFY(findPart<QSystemTrayIcon>(m_w.get(), "trayIcon"));
    QVERIFY(m_simMenu);
    const QMap<QString, QString> english = shownTexts(m_w.get());

    struct Expected
    {
        int index;
        QString ts, tab, firmware, profile, effect, simulated;
    };
    const QList<Expected> steps = {
        {2, QStringLiteral("zh_TW"), QStringLiteral("燈光"), QStringLiteral("韌體更新"),
         QStringLiteral("設定檔 1"), QStringLiteral("燈效"), QStringLiteral(" - 模擬滑鼠")},
        {1, QStringLiteral("zh_CN"), QStringLiteral("灯光"), QStringLiteral("固件更新"),
         QStringLiteral("配置 1"), QStringLiteral("灯效"), QStringLiteral(" - 模拟鼠标")},
        {0, QStringLiteral("en"), QStringLiteral("LIGHTING"), QStringLiteral("Firmware Update"),
         QStringLiteral("Profile 1"), QStringLiteral("EFFECT"), QStringLiteral(" - simulated mouse")},
    };
    for (const Expected &e : steps) {
        actions.at(e.index)->trigger();
        QCoreApplication::sendPostedEvents(); // the language change reaches every widget
        QCOMPARE(AppConfig::readLangID(), e.index);
        QCOMPARE(m_w->languageIndex(), e.index);
        QCOMPARE(MirtKit::languageId(), e.index);
        QCOMPARE(lang->text(), actions.at(e.index)->text());
        QCOMPARE(part<MirtPushButton>(m_w.get(), "lightingTab")->text(), e.tab);
        QCOMPARE(part<MirtPushButton>(m_w.get(), "firmwareButton")->text(), e.firmware);
        QCOMPARE(profileButton(m_w.get(), 0)->text(), e.profile);
        QVERIFY2(showsText(part<MirtColorWindow>(m_w.get(), "colorPage"), e.effect), qPrintable(e.effect));
        QCOMPARE(MirtKit::languageFont().family(), AppConfig::fontFamily(e.index));
        // The titles of the simulated mouse too: the window's and the tray icon's tip.
        QCOMPARE(m_w->windowTitle(), QStringLiteral("ORVALE8") + e.simulated);
        const QString tip = part<QSystemTrayIcon>(m_w.get(), "trayIcon")->toolTip();
        QVERIFY2(tip.startsWith(m_w->windowTitle()), qPrintable(tip));

        // No text is left in English after a switch to Chinese; back in
        // English, every text is as it was.
        const QMap<QString, QString> now = shownTexts(m_w.get());
        QStringList left;
        if (e.index != 0) {
            const QSet<QString> translated = translatedSources(e.ts);
            QVERIFY(translated.size() > 100);
            for (auto it = english.cbegin(); it != english.cend(); ++it) {
                if (translated.contains(it.value()) && now.value(it.key()) == it.value())
                    left << it.key() + QStringLiteral(" \"") + it.value() + QLatin1Char('"');
            }
        } else {
            for (auto it = english.cbegin(); it != english.cend(); ++it) {
                if (now.contains(it.key()) && now.value(it.key()) != it.value())
                    left << it.key() + QStringLiteral(" \"") + now.value(it.key()) +
                                QStringLiteral("\" for \"") + it.value() + QLatin1Char('"');
            }
        }
        QVERIFY2(left.isEmpty(), qPrintable(e.ts + QStringLiteral(": texts in another language:\n  ") +
                                            left.join(QStringLiteral("\n  "))));
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

void TestLangFirmware::updaterSaysWhereItComesFrom()
{
    // No updater for this system configured: the cable connected and still
    // nothing is started; the window says where the updater comes from.
    FakeProgramLauncher launcher;
    makeWindow(true, &launcher);
    QSignalSpy exit(m_w.get(), &MousecfgWidget::exitRequested);
    BoxAnswerer answer(QDialog::Accepted);
    MirtPushButton *firmware = part<MirtPushButton>(m_w.get(), "firmwareButton");
    emit firmware->EnterSignal(firmware);
    QCOMPARE(answer.texts, QStringList{MousecfgWidget::firmwareUpdaterText()});
    QVERIFY(answer.texts.at(0).contains(QStringLiteral("Windows")));
    QVERIFY(answer.texts.at(0).contains(QStringLiteral("[Firmware]")));
    QVERIFY(launcher.calls().isEmpty());
    QVERIFY(exit.isEmpty());
    QVERIFY(m_w->batteryThreadRunning());
}

void TestLangFirmware::updaterRefusedWithReceiverOnly()
{
    setGlobal(QStringLiteral("Firmware/Updater"), m_data->filePath(QStringLiteral("updater")));
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
    const QString updater = m_data->filePath(QStringLiteral("updater"));
    setGlobal(QStringLiteral("Firmware/Updater"), updater);
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

    // "Yes": the configured updater, then the end.
    BoxAnswerer yes(QDialog::Accepted);
    m_w->firmwareUpdate();
    QCOMPARE(fake.calls().size(), 1);
    QCOMPARE(fake.calls().at(0).program, updater);
    QVERIFY(fake.calls().at(0).arguments.isEmpty());
    QCOMPARE(exit.size(), 1);
    QCOMPARE(exit.at(0).at(0).toInt(), 0);
    QVERIFY(!m_w->batteryThreadRunning());
    forgetExit();

    // A real start, in another language: the stand-in updater says it ran.
    const QString marker = m_data->filePath(QStringLiteral("started"));
    QFile script(updater);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("#!/bin/sh\necho \"$0 $#\" > '%1.tmp' && mv '%1.tmp' '%1'\n").arg(marker).toUtf8());
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
    QCOMPARE(QString::fromUtf8(seen.readAll()).trimmed(), updater + QStringLiteral(" 0"));
}

void TestLangFirmware::updaterThatCannotStartKeepsTheProgram()
{
    const QString updater = m_data->filePath(QStringLiteral("no-such-updater"));
    setGlobal(QStringLiteral("Firmware/Updater"), updater);
    DetachedProgramLauncher real;
    makeWindow(true, &real);
    QSignalSpy exit(m_w.get(), &MousecfgWidget::exitRequested);
    BoxAnswerer yes(QDialog::Accepted);
    m_w->firmwareUpdate();
    QCOMPARE(yes.texts.size(), 2);
    QVERIFY(yes.texts.at(1).startsWith(QStringLiteral("The firmware updater could not be started.")));
    QVERIFY(yes.texts.at(1).contains(updater));
    QVERIFY(exit.isEmpty());
    QVERIFY(m_w->batteryThreadRunning());
}

QTEST_MAIN(TestLangFirmware)
#include "tst_langfirmware.moc"
