#pragma once
// A colour swatch: a rounded square of one colour that reports presses. The
// lighting page's current colour and presets and the colour dialog's presets.

#include <QColor>
#include <QWidget>

class DefaultColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit DefaultColorArea(const QColor &color = QColor(), QWidget *parent = nullptr);

    // An invalid colour shows an empty, crossed swatch.
    void setColor(const QColor &color);
    QColor color() const { return m_color; }
    // The selected look: a frame in the accent colour.
    void setSelected(bool bSelected);
    bool isSelected() const { return m_bSelected; }

signals:
    // Every press of the left button, and Space or Enter with the focus.
    void ClickedSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QColor m_color;
    bool m_bSelected = false;
    bool m_bHover = false;
};
