#pragma once
// The colour preview of the colour dialog. It turns the square's pixel values
// into saturation and value (0..255) and shows the colour; the dialog's result
// is the colour shown here.

#include <QColor>
#include <QWidget>

class PreviewColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewColorArea(double scale, QWidget *parent = nullptr);

    // Shows COLOR (opaque); no signal.
    void setColor(const QColor &color);
    QColor color() const { return m_color; }

signals:
    // Hue 0..359, saturation and value 0..255 of the colour now shown.
    void svChangedSignal(int h, int s, int v);

public slots:
    // From the square: H and the pixel values S and V.
    void svChangedSlot(int h, int s, int v);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_dScale;
    QColor m_color = QColor(255, 0, 0);
};
