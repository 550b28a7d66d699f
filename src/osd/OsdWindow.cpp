#include "OsdWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {
// The shortest and longest time a notice stays, whatever the block says.
constexpr int kMinShowMs = 200;
constexpr int kMaxShowMs = 10000;
// The text's height when the block's value is out of reason.
constexpr int kDefaultTextPx = 60;
// The most of the screen's free area a notice takes: nine tenths of its
// width, a third of its height; a longer text wraps, then shrinks down to
// the smallest size.
constexpr double kMaxWidthShare = 0.9;
constexpr double kMaxHeightShare = 1.0 / 3.0;
constexpr int kMinTextPx = 10;
constexpr qreal kCornerRadius = 8;
const QColor kPanel(16, 17, 20, 235);
} // namespace

OsdWindow::OsdWindow(QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("osdWindow"));
    setWindowTitle(Osd::windowTitle());
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The rounded corners show what is behind the panel.
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
}

void OsdWindow::showNotice(const Osd::Notice &notice)
{
    m_text = notice.text;
    m_color = notice.color();
    if (m_text.isEmpty()) {
        m_hideTimer.stop();
        hide();
        return;
    }
    // The block's 60 is the text's height; the screen's DPI scales it.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double scale = screen ? qMax(1.0, screen->logicalDotsPerInch() / 96.0) : 1.0;
    const int px = notice.value60 > 0 && notice.value60 <= 400 ? notice.value60 : kDefaultTextPx;
    m_font = QFont(notice.font);
    m_font.setPixelSize(int(px * scale * 0.6));
    m_font.setBold(true);
    placeOnScreen();
    update();
    show();
    raise();
    m_hideTimer.start(qBound(kMinShowMs, int(notice.duration), kMaxShowMs));
}

int OsdWindow::padding() const
{
    return QFontMetrics(m_font).height() / 2;
}

QRect OsdWindow::textRect() const
{
    const int pad = padding();
    return rect().adjusted(pad * 3 / 2, pad, -pad * 3 / 2, -pad);
}

void OsdWindow::placeOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int maxWidth = int(area.width() * kMaxWidthShare);
    const int maxHeight = int(area.height() * kMaxHeightShare);
    // One line when it fits; else wrapped to the widest panel at word
    // boundaries; else smaller until the wrapped text fits the tallest one.
    // A word too long for the panel even at the smallest size breaks anywhere.
    const int blockPx = m_font.pixelSize();
    QSize size;
    for (const int wrap : {int(Qt::TextWordWrap), int(Qt::TextWrapAnywhere)}) {
        m_iTextFlags = int(Qt::AlignCenter) | wrap;
        m_font.setPixelSize(blockPx);
        bool fits = false;
        for (;;) {
            const QFontMetrics fm(m_font);
            const int pad = fm.height() / 2;
            const int room = qMax(1, maxWidth - 3 * pad);
            const QRect wrapped = fm.boundingRect(QRect(0, 0, room, 1 << 20), m_iTextFlags, m_text);
            size = QSize(wrapped.width() + 3 * pad, wrapped.height() + 2 * pad);
            fits = wrapped.width() <= room && size.height() <= maxHeight;
            if (fits || m_font.pixelSize() <= kMinTextPx)
                break;
            m_font.setPixelSize(qMax(kMinTextPx, m_font.pixelSize() * 9 / 10));
        }
        if (fits)
            break;
    }
    size = size.boundedTo(QSize(qMax(1, maxWidth), qMax(1, maxHeight)));
    setFixedSize(size);
    // Centred, in the lower third of the screen.
    move(area.x() + (area.width() - size.width()) / 2, area.y() + area.height() * 3 / 4 - size.height() / 2);
}

void OsdWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath path;
    path.addRoundedRect(r, kCornerRadius, kCornerRadius);
    p.fillPath(path, kPanel);
    p.setPen(QPen(m_color, 3));
    p.drawPath(path);
    p.setFont(m_font);
    p.setPen(m_color);
    p.drawText(textRect(), m_iTextFlags, m_text);
}
