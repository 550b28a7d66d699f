#include "SVColorArea.h"

#include "LightingModel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

using namespace LightingModel;

SVColorArea::SVColorArea(double scale, QWidget *parent)
    : QWidget(parent), m_dScale(scale), m_iSize(LightingModel::squareSize(scale))
{
    setCursor(Qt::CrossCursor);
    setAccessibleName(tr("Saturation and value"));
}

void SVColorArea::setHue(int hue)
{
    m_iHue = qBound(0, hue, 360);
    update();
}

void SVColorArea::setMarker(int s, int v)
{
    m_iS = qBound(0, s, m_iSize);
    m_iV = qBound(0, v, m_iSize);
    update();
}

void SVColorArea::hueChangedSlot(int hue)
{
    setHue(hue);
    emit svChangedSignal(m_iHue, m_iS, m_iV);
}

void SVColorArea::paintEvent(QPaintEvent *)
{
    if (m_iPaintedHue != m_iHue || m_square.size() != QSize(m_iSize, m_iSize)) {
        // White to the pure hue from left to right, then darkened towards the
        // bottom: exactly HSV(hue, x, size − y).
        m_square = QImage(m_iSize, m_iSize, QImage::Format_ARGB32_Premultiplied);
        QPainter sp(&m_square);
        QLinearGradient across(0, 0, m_iSize, 0);
        across.setColorAt(0, Qt::white);
        across.setColorAt(1, QColor::fromHsv(normalisedHue(m_iHue), 255, 255));
        sp.fillRect(m_square.rect(), across);
        QLinearGradient down(0, 0, 0, m_iSize);
        down.setColorAt(0, QColor(0, 0, 0, 0));
        down.setColorAt(1, QColor(0, 0, 0, 255));
        sp.fillRect(m_square.rect(), down);
        m_iPaintedHue = m_iHue;
    }
    QPainter p(this);
    p.drawImage(0, 0, m_square);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal d = 12 * m_dScale;
    p.setPen(QPen(m_iV <= m_iSize / 2 ? Qt::white : Qt::black, qMax(1.0, 1.5 * m_dScale)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(m_iS, m_iSize - m_iV), d / 2, d / 2);
}

void SVColorArea::pick(const QPoint &pos)
{
    const SquareValues sv = squareValuesAt(pos.x(), pos.y(), m_dScale);
    m_iS = sv.s;
    m_iV = sv.v;
    update();
    emit svChangedSignal(m_iHue, m_iS, m_iV);
}

void SVColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pick(event->pos());
}

void SVColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(event->pos());
}

void SVColorArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseReleaseSignal();
}
