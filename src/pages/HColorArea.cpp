#include "HColorArea.h"

#include "LightingModel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

using namespace LightingModel;

HColorArea::HColorArea(double scale, QWidget *parent) : QWidget(parent), m_dScale(scale)
{
    setCursor(Qt::CrossCursor);
    setAccessibleName(tr("Hue"));
}

QSize HColorArea::sizeHint() const
{
    return QSize(int(22 * m_dScale), hueBarHeight(m_dScale) + 2 * kHueBarTop);
}

void HColorArea::setHue(int hue)
{
    m_iHue = qBound(0, hue, 360);
    update();
}

void HColorArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int arrow = qMax(3, int(4 * m_dScale));
    const QRectF bar(arrow + 1, kHueBarTop, width() - 2 * (arrow + 1), hueBarHeight(m_dScale));
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    for (int i = 0; i <= 6; ++i)
        g.setColorAt(i / 6.0, QColor::fromHsv((360 - i * 60) % 360, 255, 255));
    p.setPen(QPen(QColor(70, 72, 80), 1));
    p.setBrush(g);
    p.drawRect(bar);

    // The marker: a line across the bar and a triangle on either side.
    const qreal y = barYOfHue(m_iHue, m_dScale);
    p.setPen(QPen(Qt::white, qMax(1.0, m_dScale)));
    p.drawLine(QPointF(bar.left(), y), QPointF(bar.right(), y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 232, 238));
    const QPointF left[3] = {{0, y - arrow}, {qreal(arrow), y}, {0, y + arrow}};
    const QPointF right[3] = {
        {qreal(width()), y - arrow}, {qreal(width() - arrow), y}, {qreal(width()), y + arrow}};
    p.drawPolygon(left, 3);
    p.drawPolygon(right, 3);
}

void HColorArea::pick(int y)
{
    m_iHue = hueAtBarY(y, m_dScale);
    update();
    emit hueChangedSignal(m_iHue);
}

void HColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pick(event->pos().y());
}

void HColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(event->pos().y());
}

void HColorArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseReleaseSignal();
}
