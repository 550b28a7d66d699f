#include "MirtStyle.h"

#include <QApplication>

void MirtStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    if (element == PE_FrameFocusRect)
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void MirtStyle::install()
{
    if (qobject_cast<MirtStyle *>(QApplication::style()))
        return;
    // A fresh copy of the current style underneath: the application deletes the one it replaces.
    QApplication::setStyle(new MirtStyle(QApplication::style()->objectName()));
}
