#pragma once
// A text label painted in the language font on a translucent background.

#include <QColor>
#include <QLabel>

class MirtLabel : public QLabel
{
    Q_OBJECT

public:
    explicit MirtLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // Hide QLabel's setters so that the caption also names the label for
    // screen readers.
    void setText(const QString &text);
    // Shows the number with "%d".
    void setNum(int value);
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }

    // A fixed design pixel size that replaces the configured font size (0: none).
    void SetFontSize(int designPixelSize);
    // Design pixels taken off the configured font size.
    void SetFontReduce(int reduction);
    void SetBold(bool bBold);
    // Text colour (invalid: the skin's text colour).
    void SetTextColor(const QColor &color);
    // Fill painted before the text (invalid: none).
    void SetFillColor(const QColor &color);

    QFont paintFont() const;

signals:
    // The user pressed the label (left button).
    void EnterSignal(MirtLabel *label);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int m_iFontSize = 0;
    int m_iReduce = 0;
    bool m_bBold = false;
    QColor m_textColor;
    QColor m_fillColor;
    QString m_syncedName;
};
