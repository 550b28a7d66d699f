#include "MirtProcessbar.h"

#include "MirtKit.h"

#include <QPainter>

MirtProcessbar::MirtProcessbar(QWidget *parent)
    : QProgressBar(parent)
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
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter,
               p.fontMetrics().elidedText(m_strText, Qt::ElideRight, width()));
}
