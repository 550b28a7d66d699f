#include "MirtSlider.h"

#include "MirtKit.h"
#include "MirtLabel.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

MirtSlider::MirtSlider(QWidget *parent) : QSlider(parent)
{
    m_pBubble = new MirtLabel(QString(), this);
    m_pBubble->setAlignment(Qt::AlignCenter);
    m_pBubble->SetFillColor(Qt::white);
    m_pBubble->SetTextColor(Qt::black);
    m_pBubble->SetFontSize(11);
    m_pBubble->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    m_pBubble->resize(MirtKit::scaled(20), MirtKit::scaled(20));
    m_pBubble->hide();
    connect(this, &QSlider::valueChanged, this, [this](int) {
        if (m_pBubble->isVisible())
            placeBubble();
    });
}

void MirtSlider::SetBubbleEnabled(bool bEnable)
{
    m_bBubble = bEnable;
    if (!bEnable)
        m_pBubble->hide();
}

void MirtSlider::placeBubble()
{
    m_pBubble->setText(QString::number(value()));
    // Wide enough for the number; never smaller than the 20 × 20 design size.
    const int side = MirtKit::scaled(20);
    const QFontMetrics fm(m_pBubble->paintFont());
    const int w = qMax(side, fm.horizontalAdvance(m_pBubble->text()) + MirtKit::scaled(6));
    const int h = qMin(side, height());

    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    QPoint centre = handle.center();
    int x = centre.x() - w / 2;
    int y = centre.y() - h / 2;
    x = qBound(0, x, qMax(0, width() - w));
    y = qBound(0, y, qMax(0, height() - h));
    m_pBubble->setGeometry(x, y, w, h);
    m_pBubble->raise();
}

void MirtSlider::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    if (m_bBubble && isEnabled()) {
        placeBubble();
        m_pBubble->show();
    }
}

void MirtSlider::mouseMoveEvent(QMouseEvent *event)
{
    QSlider::mouseMoveEvent(event);
    if (m_bBubble && m_pBubble->isVisible())
        placeBubble();
}

void MirtSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    m_pBubble->hide();
    emit MouseChange();
}
