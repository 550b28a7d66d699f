#pragma once
// The hue bar of the colour dialog: hue 360 at the top, 0 at the bottom, 128
// × scale pixels high from 7 pixels down, with a marker at the current hue.

#include <QWidget>

class HColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit HColorArea(double scale, QWidget *parent = nullptr);

    // Moves the marker; no signal.
    void setHue(int hue);
    int hue() const { return m_iHue; }
    double scale() const { return m_dScale; }
    // The design size of the widget at its scale: the bar with 7 pixels above and below.
    QSize sizeHint() const override;

signals:
    void hueChangedSignal(int hue);
    void mouseReleaseSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void pick(int y);

    double m_dScale;
    int m_iHue = 0;
};
