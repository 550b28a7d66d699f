#pragma once
// The saturation/value square of the colour dialog: trunc(128 × scale) pixels
// a side, saturation growing to the right and value upwards, painted for one
// hue. Positions are reported as pixel values (s = x, v = size − y); the
// preview turns them into saturation and value.

#include <QImage>
#include <QWidget>

class SVColorArea : public QWidget
{
    Q_OBJECT

public:
    explicit SVColorArea(double scale, QWidget *parent = nullptr);

    // Paints the square for HUE; no signal.
    void setHue(int hue);
    // Moves the marker to the pixel values S and V; no signal.
    void setMarker(int s, int v);
    int hue() const { return m_iHue; }
    int markerS() const { return m_iS; }
    int markerV() const { return m_iV; }
    int squareSize() const { return m_iSize; }
    QSize sizeHint() const override { return QSize(m_iSize, m_iSize); }

signals:
    // Hue and the marker's pixel values.
    void svChangedSignal(int h, int s, int v);
    void mouseReleaseSignal();

public slots:
    // The hue bar moved: the square for the new hue, and the colour under the marker.
    void hueChangedSlot(int hue);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void pick(const QPoint &pos);

    double m_dScale;
    int m_iSize;
    int m_iHue = 0;
    int m_iS = 0;
    int m_iV = 0;
    QImage m_square;
    int m_iPaintedHue = -1;
};
