#pragma once
// The main window's parts as its tests reach them: by object name, as any
// other outside observer would. The window has no getters for its widgets.
//
// part<T>(window, name) is the one part of that name and type; a missing or
// doubled part ends the test with its name. findPart<T>() is the same but gives
// null for a part not built yet (a page is made when its tab is first shown).

#include "MirtPushButton.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace WindowParts {

template <typename T> T *findPart(const QObject *window, const QString &name)
{
    const QList<T *> found = window->findChildren<T *>(name);
    if (found.size() > 1)
        qFatal("the window has %d parts named \"%s\"", int(found.size()), qPrintable(name));
    return found.value(0);
}

template <typename T> T *findPart(const QObject *window, const char *name)
{
    return findPart<T>(window, QString::fromLatin1(name));
}

template <typename T> T *part(const QObject *window, const QString &name)
{
    T *found = findPart<T>(window, name);
    if (!found)
        qFatal("the window has no %s named \"%s\"", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

template <typename T> T *part(const QObject *window, const char *name)
{
    return part<T>(window, QString::fromLatin1(name));
}

// The numbered parts. Profile slot SLOT (0..4) is "profileButton1".."profileButton5".
inline MirtPushButton *profileButton(const QObject *window, int slot)
{
    return part<MirtPushButton>(window, QStringLiteral("profileButton%1").arg(slot + 1));
}

// Marker INDEX: 0..19 on the top view, 20..39 on the side view, 40 and 41 the extra two.
inline MirtPushButton *marker(const QObject *window, int index)
{
    return part<MirtPushButton>(window, QStringLiteral("marker%1").arg(index));
}

// The area that holds tab TAB's page (MousecfgWidget::Tab).
inline QWidget *pageArea(const QObject *window, int tab)
{
    return part<QWidget>(window, QStringLiteral("pageArea%1").arg(tab));
}

} // namespace WindowParts
