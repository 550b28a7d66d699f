#include "MirtStyle.h"

#include "MirtKit.h"

#include <QApplication>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOption>

namespace {

// A spin box arrow the dark skin shows clearly: a solid triangle in the text
// colour (muted when the box or the step is not available), whatever the
// platform style would draw in its own greys.
void drawSpinArrow(bool up, const QStyleOption *option, QPainter *painter)
{
    const QRectF r = option->rect;
    const qreal w = qMin(r.width() * 0.6, r.height() * 1.1);
    const qreal h = qMin(w * 0.55, r.height() * 0.6);
    if (w <= 1 || h <= 1)
        return;
    const QPointF c = r.center();
    QPolygonF arrow;
    if (up)
        arrow << QPointF(c.x() - w / 2, c.y() + h / 2) << QPointF(c.x() + w / 2, c.y() + h / 2)
              << QPointF(c.x(), c.y() - h / 2);
    else
        arrow << QPointF(c.x() - w / 2, c.y() - h / 2) << QPointF(c.x() + w / 2, c.y() - h / 2)
              << QPointF(c.x(), c.y() + h / 2);
    const bool enabled = option->state & QStyle::State_Enabled;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(enabled ? MirtKit::textColor() : MirtKit::mutedTextColor().darker(130));
    painter->drawPolygon(arrow);
    painter->restore();
}

} // namespace

void MirtStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    switch (element) {
    case PE_FrameFocusRect:
        return;
    case PE_IndicatorSpinUp:
    case PE_IndicatorSpinPlus:
        drawSpinArrow(true, option, painter);
        return;
    case PE_IndicatorSpinDown:
    case PE_IndicatorSpinMinus:
        drawSpinArrow(false, option, painter);
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void MirtStyle::install()
{
    if (qobject_cast<MirtStyle *>(QApplication::style()))
        return;
    // A fresh copy of the current style underneath: the application deletes the one it replaces.
    QApplication::setStyle(new MirtStyle(QApplication::style()->objectName()));
}
