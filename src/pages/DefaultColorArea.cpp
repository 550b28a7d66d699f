#include "DefaultColorArea.h"

#include "Log.h"
#include "MirtKit.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

DefaultColorArea::DefaultColorArea(const QColor &color, QWidget *parent) : QWidget(parent), m_color(color)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover, true);
}

void DefaultColorArea::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void DefaultColorArea::setSelected(bool bSelected)
{
    m_bSelected = bSelected;
    update();
}

void DefaultColorArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal frame = qMax(1.0, MirtKit::scaleFactor());
    const QRectF r = QRectF(rect()).adjusted(frame, frame, -frame, -frame);
    const qreal radius = qMin(r.width(), r.height()) * 0.18;
    QColor edge(90, 94, 104);
    if (m_bSelected || hasFocus())
        edge = MirtKit::accentColor();
    else if (m_bHover)
        edge = QColor(200, 204, 212);
    p.setPen(QPen(edge, frame * (m_bSelected ? 2 : 1)));
    if (m_color.isValid()) {
        p.setBrush(m_color);
        p.drawRoundedRect(r, radius, radius);
    } else {
        p.setBrush(QColor(30, 30, 34));
        p.drawRoundedRect(r, radius, radius);
        p.setPen(QPen(QColor(110, 110, 118), frame));
        p.drawLine(r.bottomLeft() + QPointF(radius, -radius), r.topRight() + QPointF(-radius, radius));
    }
}

void DefaultColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    qCDebug(lcPages, "DefaultColorArea mousePressEvent");
    emit ClickedSignal();
}

void DefaultColorArea::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit ClickedSignal();
    else
        QWidget::keyPressEvent(event);
}

void DefaultColorArea::enterEvent(QEvent *event)
{
    m_bHover = true;
    update();
    QWidget::enterEvent(event);
}

void DefaultColorArea::leaveEvent(QEvent *event)
{
    m_bHover = false;
    update();
    QWidget::leaveEvent(event);
}
