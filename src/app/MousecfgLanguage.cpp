// The main window's languages: the language menu on its button, loading and
// installing the translation, and the change of language at run time.

#include "MousecfgWidget.h"

#include "AppConfig.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtPushButton.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTranslator>

void MousecfgWidget::buildLanguageMenu()
{
    const AppConfig::LanguageTable table = AppConfig::loadLanguageTable();
    const int count = qBound(0, table.count, kLanguageSlots);
    m_iLangId = AppConfig::readLangID();
    MirtKit::setLanguageId(m_iLangId);

    m_pLangMenu = new QMenu(this);
    m_pLangMenu->setObjectName(QStringLiteral("languageMenu"));
    MirtKit::setMenuStyleSheetWhenShown(m_pLangMenu, 104);
    m_langFiles.clear();
    for (int i = 0; i < count; ++i) {
        auto *action = new MirtAction(table.names[size_t(i)], m_pLangMenu);
        action->setData(i);
        m_pLangMenu->addAction(action);
        m_langActions.append(action);
        m_langFiles << table.files[size_t(i)];
    }
    connect(m_pLangMenu, &QMenu::triggered, this, [this](QAction *action) {
        const int index = m_langActions.indexOf(static_cast<MirtAction *>(action));
        if (index >= 0)
            changeLanguage(index);
    });
    m_pLangBtn->setMenu(m_pLangMenu);
    if (m_iLangId >= 0 && m_iLangId < m_langActions.size())
        m_pLangBtn->setText(m_langActions[m_iLangId]->text());
    m_pLangBtn->setVisible(count >= 2);
}

bool MousecfgWidget::loadTranslation(int langId)
{
    // An index beyond the listed languages has no file: as a missing one.
    if (langId < 0 || langId >= m_langFiles.size() || m_langFiles[langId].isEmpty())
        return false;
    const QString qm = m_strAppDir + QStringLiteral("/lang/") + m_langFiles[langId] + QStringLiteral(".qm");
    if (m_pTranslator->load(qm))
        return true;
    qCDebug(lcApp) << "translation not loaded:" << qm;
    return false;
}

void MousecfgWidget::changeLanguage(int index)
{
    m_iLangId = index;
    MirtKit::setLanguageId(index); // the kit's fonts follow at the next paint
    // The translator is reused: out with the old language before it loads the new one.
    QCoreApplication::removeTranslator(m_pTranslator);
    const bool loaded = loadTranslation(index);
    if (index >= 0 && index < m_langActions.size())
        m_pLangBtn->setText(m_langActions[index]->text());
    AppConfig::writeLangID(index);
    if (!loaded)
        return;
    QCoreApplication::installTranslator(m_pTranslator);
    RetranslateUi();
}
