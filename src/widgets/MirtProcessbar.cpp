#include "MirtProcessbar.h"

#include "MirtKit.h"

#include <QPainter>

MirtProcessbar::MirtProcessbar(QWidget *parent) : QProgressBar(parent)
{
    setTextVisible(false);
}

void MirtProcessbar::SetText(const QString &text)
{
    m_strText = text;
    setAccessibleName(text);
    update();
}

void MirtProcessbar::paintEvent(QPaintEvent *event)
{
    QProgressBar::paintEvent(event);
    if (m_strText.isEmpty())
        return;
    QPainter p(this);
    QFont f = MirtKit::languageFont();
    if (MirtKit::languageFontPixelSize() <= 0)
        f.setPixelSize(qMax(1, MirtKit::scaled(12)));
    f.setBold(true);
    p.setFont(f);
    const QString shown = MirtKit::fittedText(p.fontMetrics(), m_strText, width());
    // A dark halo keeps the white text readable over a light bar.
    p.setPen(QColor(0, 0, 0, 170));
    const int d = qMax(1, MirtKit::scaled(1));
    for (const QPoint &o : {QPoint(-d, 0), QPoint(d, 0), QPoint(0, -d), QPoint(0, d)})
        p.drawText(rect().translated(o), Qt::AlignCenter, shown);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, shown);
}
