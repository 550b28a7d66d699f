// The translations: every text of src/ translated in both Chinese files, the
// placeholders and mnemonics kept, and the compiled files where the program
// looks for them.

#include "Paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kSourceDir = QStringLiteral(MOUSECFG_SOURCE_DIR);

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            m = Message();
            m.context = context;
        } else if (xml.name() == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QStringRef type = xml.attributes().value(QLatin1String("type"));
            m.finished = type.isEmpty();
            m.translation = xml.readElementText();
            if (type != QLatin1String("vanished") && type != QLatin1String("obsolete"))
                messages.append(m);
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

QString key(const Message &m)
{
    return m.context + QLatin1Char('\x1f') + m.source;
}

// The %1 … %9 of a text, sorted, and whether it has a mnemonic.
QString shape(const QString &text)
{
    static const QRegularExpression arg(QStringLiteral("%[1-9]"));
    QStringList args;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        args << it.next().captured();
    args.sort();
    static const QRegularExpression mnemonic(QStringLiteral("&[^& ]"));
    return args.join(QLatin1Char(',')) + (text.contains(mnemonic) ? QStringLiteral(" &") : QString());
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everySourceTextIsTranslated()
    {
        // The texts of src/ as they are now, in a file of our own.
        QTemporaryDir dir;
        const QString scanned = dir.filePath(QStringLiteral("scan.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(MOUSECFG_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-recursive"), kSourceDir + QStringLiteral("/src"),
                       QStringLiteral("-ts"), scanned});
        QVERIFY(lupdate.waitForFinished(90000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
        QString error;
        const QList<Message> sources = readTs(scanned, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(sources.size() > 100, "lupdate found almost no texts in src/");

        QStringList report;
        for (const QString lang : {QStringLiteral("zh_CN"), QStringLiteral("zh_TW")}) {
            const QString ts = kSourceDir + QStringLiteral("/data/lang/mousecfg_%1.ts").arg(lang);
            const QList<Message> translated = readTs(ts, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QHash<QString, Message> byKey;
            for (const Message &m : translated)
                byKey.insert(key(m), m);
            QStringList missing;
            for (const Message &s : sources) {
                const Message t = byKey.value(key(s));
                if (!t.finished || t.translation.isEmpty())
                    missing << QStringLiteral("    %1: \"%2\"").arg(s.context, s.source);
            }
            if (!missing.isEmpty())
                report << QStringLiteral("  data/lang/mousecfg_%1.ts lacks %2 translation(s):")
                              .arg(lang)
                              .arg(missing.size())
                       << missing;
        }
        if (!report.isEmpty()) {
            report.prepend(
                QStringLiteral("Texts of src/ without a translation. Add them with\n"
                               "  lupdate -locations none -no-obsolete -recursive src -ts data/lang/*.ts\n"
                               "and translate them (Linguist, or the <translation> elements):"));
            QFAIL(qPrintable(report.join(QLatin1Char('\n'))));
        }
    }

    void placeholdersAndMnemonicsKept()
    {
        QStringList wrong;
        for (const QString lang : {QStringLiteral("en"), QStringLiteral("zh_CN"), QStringLiteral("zh_TW")}) {
            QString error;
            const QList<Message> messages =
                readTs(kSourceDir + QStringLiteral("/data/lang/mousecfg_%1.ts").arg(lang), &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY(!messages.isEmpty());
            for (const Message &m : messages) {
                if (!m.translation.isEmpty() && shape(m.source) != shape(m.translation))
                    wrong << QStringLiteral("  %1 %2: \"%3\" -> \"%4\"")
                                 .arg(lang, m.context, m.source, m.translation);
                // Leading blanks are part of texts that follow a word.
                if (!m.translation.isEmpty() &&
                    m.source.startsWith(QLatin1Char(' ')) != m.translation.startsWith(QLatin1Char(' ')))
                    wrong << QStringLiteral("  %1 %2: \"%3\" -> \"%4\" (leading blank)")
                                 .arg(lang, m.context, m.source, m.translation);
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("Translations that lose a %n or a mnemonic:\n") +
                                             wrong.join(QLatin1Char('\n'))));
    }

    void compiledWhereTheProgramLooks()
    {
        // The shipped Config.ini names the files; each was compiled beside the program.
        QSettings config(kSourceDir + QStringLiteral("/data/Configs/Config.ini"), QSettings::IniFormat);
        QCOMPARE(config.value(QStringLiteral("FONT_LIST/LANGNUM")).toInt(), 3);
        const QString langDir = qEnvironmentVariable("MOUSECFG_DATA_DIR") + QStringLiteral("/lang/");
        const QStringList expected = {QStringLiteral("Firmware Update"), QStringLiteral("固件更新"),
                                      QStringLiteral("韌體更新")};
        for (int i = 0; i < 3; ++i) {
            const QString file = config.value(QStringLiteral("FONT_LIST/LangFile_%1").arg(i)).toString();
            QTranslator t;
            QVERIFY2(t.load(langDir + file + QStringLiteral(".qm")), qPrintable(langDir + file));
            QCOMPARE(t.translate("MousecfgWidget", "Firmware Update"), expected.at(i));
        }
    }

    void storageTextsFollowTheLanguage()
    {
        // The reasons a name is refused reach message boxes: in the language installed.
        const QString langDir = qEnvironmentVariable("MOUSECFG_DATA_DIR") + QStringLiteral("/lang/");
        QString why;
        QVERIFY(!Paths::isSafeName(QStringLiteral("a/b"), &why));
        QCOMPARE(why, QStringLiteral("The name must not contain '/' or '\\'."));
        QTranslator chinese;
        QVERIFY(chinese.load(langDir + QStringLiteral("mousecfg_zh_CN.qm")));
        QCoreApplication::installTranslator(&chinese);
        QVERIFY(!Paths::isSafeName(QStringLiteral("a/b"), &why));
        QCOMPARE(why, QStringLiteral("名称中不能包含“/”或“\\”。"));
        QVERIFY(!Paths::isSafeName(QStringLiteral(".."), &why));
        QCOMPARE(why, QStringLiteral("不允许使用名称“..”。"));
        QVERIFY(!Paths::isSafeName(QString(), &why));
        QCOMPARE(why, QStringLiteral("名称为空。"));
        QCoreApplication::removeTranslator(&chinese);
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
