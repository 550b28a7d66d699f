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
    // The font the notice is drawn in, and the rectangle its text (wrapped
    // to its width) fills: a long notice wraps, then shrinks, so that it
    // fits the panel, and the panel fits the screen.
    QFont textFont() const { return m_font; }
    QRect textRect() const;
    int textFlags() const { return m_iTextFlags; }
    // How long the notice on screen stays, in ms.
    int remainingMs() const { return m_hideTimer.isActive() ? m_hideTimer.remainingTime() : 0; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void placeOnScreen();
    // The panel's padding for the font.
    int padding() const;

    QString m_text;
    QColor m_color;
    QFont m_font;
    int m_iTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
    QTimer m_hideTimer;
};
