#pragma once
// The kit's application style: the platform's own, without focus rectangles
// (the kit's buttons draw their own focus mark, and the skin has no place for
// the platform's). Cheaper than a style sheet over every widget.

#include <QProxyStyle>

class MirtStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

    // Makes it the application's style, once.
    static void install();
};
