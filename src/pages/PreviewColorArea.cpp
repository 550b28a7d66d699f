#include "PreviewColorArea.h"

#include "LightingModel.h"

#include <QPainter>

using namespace LightingModel;

PreviewColorArea::PreviewColorArea(double scale, QWidget *parent) : QWidget(parent), m_dScale(scale)
{
    setAccessibleName(tr("Preview"));
}

void PreviewColorArea::setColor(const QColor &color)
{
    m_color = color.toRgb();
    m_color.setAlpha(255);
    update();
}

void PreviewColorArea::svChangedSlot(int h, int s, int v)
{
    const int hue = normalisedHue(h);
    const int sat = squareToByte(s, m_dScale);
    const int val = squareToByte(v, m_dScale);
    m_color = QColor::fromHsv(hue, sat, val).toRgb();
    update();
    emit svChangedSignal(hue, sat, val);
}

void PreviewColorArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal frame = qMax(1.0, m_dScale);
    const QRectF r = QRectF(rect()).adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2);
    p.setPen(QPen(QColor(90, 94, 104), frame));
    p.setBrush(m_color);
    p.drawRoundedRect(r, 3 * m_dScale, 3 * m_dScale);
}
