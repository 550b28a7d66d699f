#pragma once
// A slider that can show its value in a small bubble while it is dragged and
// tells the pages when the user lets go.

#include <QSlider>

class MirtLabel;

class MirtSlider : public QSlider
{
    Q_OBJECT

public:
    explicit MirtSlider(QWidget *parent = nullptr);

    // Shows the value bubble while the slider is pressed.
    void SetBubbleEnabled(bool bEnable);
    bool isBubbleEnabled() const { return m_bBubble; }
    MirtLabel *bubble() const { return m_pBubble; }

signals:
    // Every release of the mouse button; the pages send the new value on it.
    void MouseChange();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void placeBubble();

    MirtLabel *m_pBubble = nullptr;
    bool m_bBubble = false;
};
