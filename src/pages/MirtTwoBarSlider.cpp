#include "MirtTwoBarSlider.h"

#include "MirtKit.h"

#include <QSignalBlocker>
#include <QSlider>

MirtTwoBarSlider::MirtTwoBarSlider(QWidget *parent)
    : QWidget(parent), m_pX(makeSlider()), m_pY(makeSlider()), m_pLinked(makeSlider())
{
    m_pX->setObjectName(QStringLiteral("sliderX"));
    m_pY->setObjectName(QStringLiteral("sliderY"));
    m_pLinked->setObjectName(QStringLiteral("sliderXY"));
    m_pX->setAccessibleName(tr("X"));
    m_pY->setAccessibleName(tr("Y"));
    connect(m_pLinked, &QSlider::valueChanged, this, &MirtTwoBarSlider::onLinkedMoved);
    connect(m_pX, &QSlider::valueChanged, this, &MirtTwoBarSlider::onXMoved);
    connect(m_pY, &QSlider::valueChanged, this, &MirtTwoBarSlider::onYMoved);
    applyStyle();
    setLinked(true);
}

QSlider *MirtTwoBarSlider::makeSlider()
{
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setFocusPolicy(Qt::StrongFocus);
    return slider;
}

void MirtTwoBarSlider::applyStyle()
{
    const QColor accent = MirtKit::accentColor();
    const int groove = qMax(2, MirtKit::scaled(4));
    const int handle = qMax(8, MirtKit::scaled(12));
    const QString sheet =
        QStringLiteral("QSlider{background: qrgb(0,0,0,0%);}"
                       "QSlider::groove:horizontal{background: rgba(0,0,0,0);height: %1px;}"
                       "QSlider::sub-page:horizontal{background: %2;border-radius: %3px;}"
                       "QSlider::add-page:horizontal{background: rgb(70,70,74);border-radius: %3px;}"
                       "QSlider::handle:horizontal{background: rgb(235,235,235);width: %4px;"
                       "margin: -%5px 0;border-radius: %6px;}"
                       "QSlider::handle:horizontal:focus{background: white;border: 1px solid %2;}")
            .arg(groove)
            .arg(accent.name())
            .arg(groove / 2)
            .arg(handle)
            .arg((handle - groove) / 2)
            .arg(handle / 2);
    for (QSlider *s : {m_pX, m_pY, m_pLinked})
        s->setStyleSheet(sheet);
}

void MirtTwoBarSlider::setValues(int x, int y)
{
    const QSignalBlocker b1(m_pLinked);
    const QSignalBlocker b2(m_pX);
    const QSignalBlocker b3(m_pY);
    if (m_bLinked)
        m_pLinked->setValue(x);
    m_pX->setValue(x);
    m_pY->setValue(y);
}

void MirtTwoBarSlider::setRange(int maximum, int minimum)
{
    for (QSlider *s : {m_pX, m_pY, m_pLinked}) {
        const QSignalBlocker blocker(s);
        s->setRange(minimum, maximum);
    }
}

void MirtTwoBarSlider::setLinked(bool bLinked)
{
    m_bLinked = bLinked;
    if (bLinked) {
        const QSignalBlocker blocker(m_pLinked);
        m_pLinked->setValue(m_pX->value());
    }
    m_pLinked->setVisible(bLinked);
    m_pX->setVisible(!bLinked);
    m_pY->setVisible(!bLinked);
}

int MirtTwoBarSlider::xValue() const
{
    return m_pX->value();
}

int MirtTwoBarSlider::yValue() const
{
    return m_pY->value();
}

int MirtTwoBarSlider::minimum() const
{
    return m_pX->minimum();
}

int MirtTwoBarSlider::maximum() const
{
    return m_pX->maximum();
}

void MirtTwoBarSlider::onLinkedMoved(int value)
{
    const QSignalBlocker b1(m_pX);
    const QSignalBlocker b2(m_pY);
    m_pX->setValue(value);
    m_pY->setValue(value);
    emit SliderChangedSignal(value, value);
}

void MirtTwoBarSlider::onXMoved(int value)
{
    emit SliderChangedSignal(value, m_pY->value());
}

void MirtTwoBarSlider::onYMoved(int value)
{
    emit SliderChangedSignal(m_pX->value(), value);
}

void MirtTwoBarSlider::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutSliders();
}

void MirtTwoBarSlider::layoutSliders()
{
    const int w = width();
    const int h = height();
    m_pLinked->setGeometry(0, 0, w, h);
    m_pX->setGeometry(0, 0, w, h / 2);
    m_pY->setGeometry(0, h / 2, w, h - h / 2);
}
