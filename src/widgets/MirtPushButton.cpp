#include "MirtPushButton.h"

#include "MirtKit.h"
#include "SkinPictures.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

MirtPushButton::MirtPushButton(const QStringList &imagePaths, QWidget *parent, const QString &iconPath)
    : QPushButton(parent)
{
    MirtKit::initResources();
    m_imagePaths = imagePaths;
    m_iconPath = iconPath;
    loadImages();
    setFlat(true);
    setAttribute(Qt::WA_Hover, true);
    setCursor(Qt::PointingHandCursor);
    // Reachable with Tab, but a click does not take the keyboard away from
    // the window (key capture dialogs read every key themselves).
    setFocusPolicy(Qt::TabFocus);
    // No mask yet: every widget gets a resize event before it is first shown,
    // and the shape is made then, at the size it shows at (resizeEvent), or
    // right after the first paint (updateMask()).
}

void MirtPushButton::loadImages()
{
    // The pictures fit the scale factor of the moment; reloadImagesIfRescaled()
    // loads them again when the factor calls for another rendition. They are
    // shared with every other button showing them (SkinPictures).
    m_rendition = MirtKit::skinRendition();
    m_pixmaps.clear();
    m_paths.clear();
    m_scaled.clear();
    for (const QString &path : qAsConst(m_imagePaths)) {
        m_paths.append(MirtKit::resolvePath(path));
        // The normal look, the first image with its alpha taken down to
        // 200/255, is made when first drawn (scaledImage()), if the build has
        // not made it at that size.
        m_pixmaps.append(SkinPictures::picture(m_paths.last()));
    }
    m_icon = m_iconPath.isEmpty() ? QPixmap() : SkinPictures::picture(MirtKit::resolvePath(m_iconPath));
}

bool MirtPushButton::reloadImagesIfRescaled()
{
    if (m_rendition == MirtKit::skinRendition())
        return false;
    loadImages();
    return true;
}

void MirtPushButton::SetState(int n)
{
    m_bOn = n != 0;
    m_iIndex = n;
    update();
}

void MirtPushButton::SetHoverLatch(bool bLatch)
{
    m_bHoverLatch = bLatch;
    m_iIndex = 0;
    update();
}

void MirtPushButton::SetEnabledLook(bool bEnable)
{
    m_bEnabled = bEnable;
    m_iIndex = bEnable ? 0 : 3;
    if (m_bHoverLatch && m_bOn)
        m_iIndex = 1;
    setEnabled(bEnable);
    update();
}

void MirtPushButton::setText(const QString &text)
{
    QPushButton::setText(text);
    setAccessibleName(text);
    m_syncedName = text;
}

void MirtPushButton::SetTextColors(const QList<QColor> &colors)
{
    m_textColors = colors;
    update();
}

void MirtPushButton::SetFontSize(int designPixelSize)
{
    m_iFontSize = designPixelSize;
    update();
}

void MirtPushButton::SetTextAlignment(Qt::Alignment alignment)
{
    m_textAlignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void MirtPushButton::SetGradientEnabled(bool bEnable)
{
    m_bGradient = bEnable;
    update();
}

void MirtPushButton::enterEvent(QEvent *event)
{
    if (m_bEnabled) {
        m_iIndex = m_pixmaps.size() > 1 ? 1 : 0;
        m_bLeavePending = true;
        update();
        emit OverSignal(this, true);
    }
    QPushButton::enterEvent(event);
}

void MirtPushButton::leaveEvent(QEvent *event)
{
    if (m_bEnabled) {
        m_iIndex = (m_bHoverLatch && m_bOn) ? 1 : 0;
        update();
        if (m_bLeavePending)
            emit OverSignal(this, false);
        m_bLeavePending = false;
    }
    QPushButton::leaveEvent(event);
}

void MirtPushButton::mousePressEvent(QMouseEvent *event)
{
    if (!m_bEnabled) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        const bool wasOn = m_bOn;
        m_bOn = !m_bOn;
        if (m_pixmaps.size() > 2)
            m_iIndex = wasOn ? 0 : 2;
        m_bLeavePending = false;
        update();
        emit EnterSignal(this);
    }
    QPushButton::mousePressEvent(event);
}

void MirtPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_bEnabled) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton && m_pixmaps.size() > 1) {
        m_iIndex = 1;
        update();
    }
    QPushButton::mouseReleaseEvent(event);
}

void MirtPushButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    // A new size usually comes with a new scale factor (SetScaledGeometry).
    reloadImagesIfRescaled();
    updateMask();
}

void MirtPushButton::updateMask()
{
    // A window's first frame does without its buttons' shapes: they only clip
    // the pictures' faint edges and decide which widget a click there
    // reaches. In a window not yet on screen, the shape is made right after
    // the button's first paint (paintEvent), not on the way to it.
    if (!window()->testAttribute(Qt::WA_Mapped)) {
        m_bShapePending = true;
        return;
    }
    m_bShapePending = false;
    // The widget's shape follows the opaque area of its first image.
    if (m_pixmaps.isEmpty() || m_pixmaps.first().isNull() || size().isEmpty()) {
        clearMask();
        return;
    }
    const QRegion region = SkinPictures::shape(m_paths.first(), true, size());
    // A fully transparent image would make the button unclickable: keep it whole.
    if (region.isEmpty())
        clearMask();
    else
        setMask(region);
}

const QPixmap *MirtPushButton::scaledImage(int index)
{
    if (m_scaledSize != size()) {
        m_scaled.clear();
        m_scaledSize = size();
        // The mask of the same size would not change: only the pictures.
        reloadImagesIfRescaled();
    }
    if (index < 0 || index >= m_pixmaps.size() || m_pixmaps.at(index).isNull())
        return nullptr;
    // Scaled when first drawn (most buttons never show most of their states).
    if (m_scaled.size() != m_pixmaps.size())
        m_scaled = QVector<QPixmap>(m_pixmaps.size());
    QPixmap &pm = m_scaled[index];
    if (pm.isNull())
        pm = SkinPictures::scaled(m_paths.at(index), index == 0, size());
    return &pm;
}

QColor MirtPushButton::penFor(int index) const
{
    if (index >= 0 && index < m_textColors.size() && m_textColors.at(index).isValid())
        return m_textColors.at(index);
    return MirtKit::buttonTextColor(index);
}

QRect MirtPushButton::iconRect() const
{
    if (m_icon.isNull())
        return QRect();
    const QRect r = rect();
    const int side = qMax(1, r.height() - 2 * qMax(1, r.height() / 6));
    const QSize iconSize = m_icon.size().scaled(side, side, Qt::KeepAspectRatio);
    const int margin = qMax(2, r.height() / 5);
    return QRect(QPoint(margin, (r.height() - iconSize.height()) / 2), iconSize);
}

QFont MirtPushButton::captionFont() const
{
    QFont f = MirtKit::languageFont(m_iFontSize);
    if (m_iFontSize <= 0 && MirtKit::languageFontPixelSize() <= 0)
        f.setPixelSize(qMax(1, MirtKit::scaled(12)));
    return f;
}

QRect MirtPushButton::captionRect() const
{
    const QRect r = rect();
    int textLeft = 0;
    if (!m_icon.isNull() && !text().isEmpty())
        textLeft = iconRect().right() + qMax(2, r.height() / 5);
    // Buttons with a menu carry a drop-down mark at the right: keep the
    // caption clear of it (on both sides, so it stays centred); a button
    // hardly wider than tall keeps half its width for the caption.
    const int pad = menu() ? qMin(int(r.height() * 0.9), r.width() / 4) : qMax(2, r.height() / 5);
    QRect tr = r.adjusted(textLeft + pad, 0, -pad, 0);
    if (textLeft > 0)
        tr.setLeft(textLeft);
    return tr;
}

void MirtPushButton::paintEvent(QPaintEvent *)
{
    // Keep the accessible name in step with a caption set through the base class.
    if (accessibleName() == m_syncedName && text() != m_syncedName) {
        setAccessibleName(text());
        m_syncedName = text();
    }

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const QRect r = rect();
    const int state = m_iIndex;
    const QPixmap *img = scaledImage(state);
    if (img) {
        p.drawPixmap(r, *img);
    } else if (state == 3 && scaledImage(0)) {
        // No disabled image: the normal one, dimmed.
        p.setOpacity(0.45);
        p.drawPixmap(r, *scaledImage(0));
        p.setOpacity(1.0);
    } else if (const QPixmap *normal = scaledImage(0)) {
        p.drawPixmap(r, *normal);
    }

    // Pressed and selected states glow in the accent colour from the bottom.
    const bool highlighted = state == 2 || (state == 1 && m_bOn);
    if (m_bGradient && highlighted && !text().isEmpty()) {
        QColor accent = MirtKit::accentColor();
        QLinearGradient g(QPointF(0, r.bottom() + 1), QPointF(0, r.top()));
        QColor c0 = accent;
        c0.setAlpha(230);
        QColor c1 = accent;
        c1.setAlpha(120);
        QColor c2 = accent;
        c2.setAlpha(18);
        g.setColorAt(0.0, c0);
        g.setColorAt(0.1, c1);
        g.setColorAt(1.0, c2);
        p.fillRect(r, g);
    }

    // Keyboard focus (reached with Tab) shows as a dotted accent outline.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        const int inset = qMax(2, r.height() / 8);
        QPen pen(MirtKit::accentColor(), qMax(1, MirtKit::scaled(1)), Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
    }

    if (!m_icon.isNull()) {
        const QRect icon = iconRect();
        if (text().isEmpty())
            p.drawPixmap(QRect(QPoint((r.width() - icon.width()) / 2, icon.top()), icon.size()), m_icon);
        else
            p.drawPixmap(icon, m_icon);
    }

    if (!text().isEmpty()) {
        p.setFont(captionFont());
        p.setPen(penFor(state));
        const QRect tr = captionRect();
        const QString shown = MirtKit::fittedText(p.fontMetrics(), text(), tr.width());
        p.drawText(tr, int(m_textAlignment) | Qt::AlignVCenter, shown);
    }

    if (m_bShapePending) {
        m_bShapePending = false;
        QTimer::singleShot(0, this, &MirtPushButton::updateMask);
    }
}
