#include "RatePlot.h"

#include "MirtKit.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

RatePlot::RatePlot(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void RatePlot::setResult(const ReportRate::Result &result)
{
    m_result = result;
    update();
}

void RatePlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(60, 60, 66), 1));
    p.setBrush(QColor(14, 14, 18));
    p.drawRoundedRect(frame, 2, 2);
    if (m_result.windows.isEmpty() || m_result.durationUs <= 0)
        return;

    // The scale: up to a little above the chosen rate (or the fastest window).
    double top = m_result.chosenHz;
    for (const ReportRate::Window &w : m_result.windows)
        top = std::max(top, w.hz);
    top *= 1.25;
    const QRectF area = frame.adjusted(2, 3, -2, -2);
    auto x = [&](int64_t us) {
        return area.left() + area.width() * double(us) / double(m_result.durationUs);
    };
    auto y = [&](double hz) { return area.bottom() - area.height() * hz / top; };

    // The chosen rate, and the line below which the page warns.
    if (m_result.chosenHz > 0) {
        p.setPen(QPen(MirtKit::mutedTextColor(), 1, Qt::DashLine));
        p.drawLine(QPointF(area.left(), y(m_result.chosenHz)), QPointF(area.right(), y(m_result.chosenHz)));
        p.setPen(QPen(QColor(150, 60, 50), 1, Qt::DotLine));
        const double warnAt = m_result.chosenHz * ReportRate::kWarnPercent / 100.0;
        p.drawLine(QPointF(area.left(), y(warnAt)), QPointF(area.right(), y(warnAt)));
    }
    // One step per window with motion; a gap where the mouse rested.
    const QColor accent = MirtKit::accentColor();
    QColor fill = accent;
    fill.setAlpha(70);
    const double windowWidth = area.width() * double(ReportRate::kWindowUs) / double(m_result.durationUs);
    for (const ReportRate::Window &w : m_result.windows) {
        const QRectF bar(QPointF(x(w.startUs), y(w.hz)), QPointF(x(w.startUs) + windowWidth, area.bottom()));
        p.fillRect(bar, fill);
        p.setPen(QPen(accent, 1.5));
        p.drawLine(bar.topLeft(), bar.topRight());
    }
}
