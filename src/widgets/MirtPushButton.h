#pragma once
// The image-state push button of the skin: tabs, profile buttons, command
// buttons, title buttons and the mouse markers. Image 0 is the normal look,
// 1 hover, 2 pressed, 3 disabled, as far as the button has them.

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QVector>

class MirtPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MirtPushButton(const QStringList &imagePaths, QWidget *parent = nullptr,
                            const QString &iconPath = QString());

    // on = n and image index = n (selected / unselected look).
    void SetState(int n);
    int GetState() const { return m_bOn ? 1 : 0; }
    // Hover latch: a latched button that is on keeps its hover image after leave.
    void SetHoverLatch(bool bLatch);
    // Enabled look: index 0 when enabled, 3 when disabled (1 when latched and on);
    // enables or disables the widget.
    void SetEnabledLook(bool bEnable);

    // Hides QAbstractButton::setText: also names the button for screen readers.
    void setText(const QString &text);

    // The skin rendition its pictures were loaded for (MirtKit::renditionFor).
    int loadedRendition() const { return m_rendition; }
    int imageIndex() const { return m_iIndex; }
    int imageCount() const { return m_pixmaps.size(); }
    bool isOn() const { return m_bOn; }
    bool isHoverLatched() const { return m_bHoverLatch; }

    // Text pens for image states 0..3; an invalid colour keeps the scheme's pen.
    void SetTextColors(const QList<QColor> &colors);
    // Design pixel size of the caption (0: the language font's own size).
    void SetFontSize(int designPixelSize);
    // Horizontal alignment of the caption (default centred).
    void SetTextAlignment(Qt::Alignment alignment);
    // The accent gradient over pressed and selected states (default on).
    void SetGradientEnabled(bool bEnable);
    // The font and the room the caption is painted in; a longer caption is
    // cut short with "…".
    QFont captionFont() const;
    QRect captionRect() const;

signals:
    void EnterSignal(MirtPushButton *btn);
    void OverSignal(MirtPushButton *btn, bool bType);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadImages();
    // Loads the pictures again when the scale factor has moved to another
    // rendition since they were loaded; true when it did.
    bool reloadImagesIfRescaled();
    void updateMask();
    const QPixmap *scaledImage(int index);
    QColor penFor(int index) const;
    // The icon's rectangle (empty without an icon).
    QRect iconRect() const;

    QStringList m_imagePaths;
    QString m_iconPath;
    int m_rendition = -1;
    QStringList m_paths;       // m_imagePaths resolved for m_rendition
    QList<QPixmap> m_pixmaps;  // the pictures as loaded (a null one is missing)
    QVector<QPixmap> m_scaled; // as drawn at the current size: the first one faded
    QSize m_scaledSize;
    QPixmap m_icon;
    QList<QColor> m_textColors;
    int m_iIndex = 0;
    bool m_bOn = false;
    bool m_bHoverLatch = false;
    bool m_bEnabled = true;
    bool m_bLeavePending = false; // an enter without a press since
    int m_iFontSize = 0;
    Qt::Alignment m_textAlignment = Qt::AlignHCenter;
    bool m_bGradient = true;
    bool m_bShapePending = false; // updateMask() waits for the first paint
    QString m_syncedName;
};
