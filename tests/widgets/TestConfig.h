#pragma once
// A private configuration folder for a test: Config.ini and LangConfig.ini
// written by the test, never the user's.

#include "MirtKit.h"
#include "Paths.h"

#include <QSettings>
#include <QTemporaryDir>

class TestConfig
{
public:
    TestConfig()
    {
        Paths::setConfigDir(m_dir.path());
        MirtKit::reloadConfig();
    }
    ~TestConfig()
    {
        Paths::setConfigDir(QString());
        MirtKit::reloadConfig();
    }

    void setGlobal(const QString &key, const QVariant &value)
    {
        QSettings s(m_dir.filePath(QStringLiteral("Config.ini")), QSettings::IniFormat);
        s.setValue(key, value);
        s.sync();
        MirtKit::reloadConfig();
    }
    void setLang(int langId)
    {
        QSettings s(m_dir.filePath(QStringLiteral("LangConfig.ini")), QSettings::IniFormat);
        s.setValue(QStringLiteral("Config/LangID"), langId);
        s.sync();
        MirtKit::reloadConfig();
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
