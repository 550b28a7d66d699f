#include "MirtLabel.h"

#include "MirtKit.h"

#include <QMouseEvent>
#include <QPainter>

MirtLabel::MirtLabel(const QString &text, QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground, true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QLabel::setAlignment(m_alignment);
    setText(text);
}

void MirtLabel::setText(const QString &text)
{
    QLabel::setText(text);
    setAccessibleName(text);
    m_syncedName = text;
}

void MirtLabel::setNum(int value)
{
    setText(QString::asprintf("%d", value));
}

void MirtLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    QLabel::setAlignment(alignment);
    update();
}

void MirtLabel::SetFontSize(int designPixelSize)
{
    m_iFontSize = designPixelSize;
    update();
}

void MirtLabel::SetFontReduce(int reduction)
{
    m_iReduce = reduction;
    update();
}

void MirtLabel::SetBold(bool bBold)
{
    m_bBold = bBold;
    update();
}

void MirtLabel::SetTextColor(const QColor &color)
{
    m_textColor = color;
    update();
}

void MirtLabel::SetFillColor(const QColor &color)
{
    m_fillColor = color;
    update();
}

QFont MirtLabel::paintFont() const
{
    QFont f = MirtKit::languageFont(m_iFontSize, m_iReduce);
    if (f.pixelSize() <= 0 && m_iFontSize <= 0)
        f.setPixelSize(qMax(1, MirtKit::scaled(qMax(1, 12 - m_iReduce))));
    f.setBold(m_bBold);
    return f;
}

void MirtLabel::paintEvent(QPaintEvent *event)
{
    // A caption set through QLabel's own setter still names the label.
    if (accessibleName() == m_syncedName && text() != m_syncedName) {
        setAccessibleName(text());
        m_syncedName = text();
    }

    // Picture and movie labels keep the toolkit's own painting.
    if ((pixmap(Qt::ReturnByValue).isNull() == false) || movie()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    if (m_fillColor.isValid())
        p.fillRect(rect(), m_fillColor);
    const QString t = text();
    if (t.isEmpty())
        return;
    p.setFont(paintFont());
    p.setPen(m_textColor.isValid() ? m_textColor
                                   : (isEnabled() ? MirtKit::textColor() : MirtKit::mutedTextColor()));
    const QRect r = contentsRect();
    int flags = int(m_alignment);
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    else if (!t.contains(QLatin1Char('\n'))) {
        p.drawText(r, flags, MirtKit::fittedText(p.fontMetrics(), t, r.width()));
        return;
    }
    p.drawText(r, flags, t);
}

void MirtLabel::mousePressEvent(QMouseEvent *event)
{
    // A press on the label is how rows learn that the user picked them.
    if (event->button() == Qt::LeftButton)
        emit EnterSignal(this);
    QLabel::mousePressEvent(event);
}
