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

void OsdWindow::placeOnScreen()
{
    const QFontMetrics fm(m_font);
    const int pad = fm.height() / 2;
    const QSize size(fm.horizontalAdvance(m_text) + 3 * pad, fm.height() + 2 * pad);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Centred, in the lower third of the screen.
    const int w = qMin(size.width(), area.width());
    setFixedSize(w, size.height());
    move(area.x() + (area.width() - w) / 2, area.y() + area.height() * 3 / 4 - size.height() / 2);
}

void OsdWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::black);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath path;
    path.addRoundedRect(r, 8, 8);
    p.fillPath(path, kPanel);
    p.setPen(QPen(m_color, 3));
    p.drawPath(path);
    p.setFont(m_font);
    p.setPen(m_color);
    p.drawText(rect(), Qt::AlignCenter, m_text);
}
