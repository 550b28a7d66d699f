#pragma once
// The on-screen display's window: a small frameless panel over every other
// window that never takes the focus. Each notice shows its text in its colour
// for its time (the block's 1500 ms), then the panel hides; a new notice
// replaces the one on screen, an empty one takes it away.

#include "OsdBlock.h"

#include <QTimer>
#include <QWidget>

class OsdWindow : public QWidget
{
    Q_OBJECT
public:
    explicit OsdWindow(QWidget *parent = nullptr);

    void showNotice(const Osd::Notice &notice);

    QString text() const { return m_text; }
    QColor color() const { return m_color; }
    // How long the notice on screen stays, in ms.
    int remainingMs() const { return m_hideTimer.isActive() ? m_hideTimer.remainingTime() : 0; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void placeOnScreen();

    QString m_text;
    QColor m_color;
    QFont m_font;
    QTimer m_hideTimer;
};
