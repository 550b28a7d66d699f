#pragma once
// Three horizontal sliders over one range: X and Y for separate values, and
// one linked slider that moves both. In linked mode only the linked slider is
// shown, otherwise only X and Y.

#include <QWidget>

class QSlider;

class MirtTwoBarSlider : public QWidget
{
    Q_OBJECT

public:
    explicit MirtTwoBarSlider(QWidget *parent = nullptr);

    // Linked slider = x (in linked mode), X slider = x, Y slider = y; no signal.
    void setValues(int x, int y);
    // Applies the range to all three sliders.
    void setRange(int maximum, int minimum);
    void setLinked(bool bLinked);
    bool isLinked() const { return m_bLinked; }

    int xValue() const;
    int yValue() const;
    int minimum() const;
    int maximum() const;

    QSlider *linkedSlider() const { return m_pLinked; }
    QSlider *xSlider() const { return m_pX; }
    QSlider *ySlider() const { return m_pY; }

signals:
    // The user moved a slider: the new (x, y).
    void SliderChangedSignal(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void onLinkedMoved(int value);
    void onXMoved(int value);
    void onYMoved(int value);

private:
    QSlider *makeSlider();
    void layoutSliders();
    void applyStyle();

    QSlider *m_pX;
    QSlider *m_pY;
    QSlider *m_pLinked;
    bool m_bLinked = true;
};
