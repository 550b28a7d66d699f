#include "LightingPreview.h"

#include "LightingModel.h"
#include "MirtKit.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

using namespace LightingModel;

namespace {

// The design size of the mouse pictures.
const QSize kPictureDesign(300, 400);

const QColor kSevenColors[7] = {QColor(255, 0, 0),  QColor(255, 128, 0), QColor(255, 255, 0),
                                QColor(0, 255, 0),  QColor(0, 255, 255), QColor(0, 0, 255),
                                QColor(255, 0, 255)};

double brightnessFactor(int bright)
{
    switch (bright) {
    case 1:
        return 0.45;
    case 2:
        return 0.72;
    default:
        return 1.0;
    }
}

// 0 → 1 → 0 over one period.
double pulse(double phase)
{
    return 0.5 - 0.5 * std::cos(2 * M_PI * phase);
}

// A band of COLOR centred at POS (0 top, 1 bottom) of the gradient's span,
// with a tail of TAIL above it.
QLinearGradient band(const QRectF &r, double pos, const QColor &color, double width, double tail)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    QColor clear = color;
    clear.setAlpha(0);
    g.setColorAt(0, clear);
    g.setColorAt(qBound(0.0, pos - width - tail, 1.0), clear);
    if (tail > 0)
        g.setColorAt(qBound(0.0, pos - width, 1.0), QColor(color.red(), color.green(), color.blue(), 110));
    g.setColorAt(qBound(0.0, pos, 1.0), color);
    g.setColorAt(qBound(0.0, pos + width, 1.0), clear);
    g.setColorAt(1, clear);
    return g;
}

} // namespace

LightingPreview::LightingPreview(QWidget *picture, const QString &maskPicture) : QWidget(picture)
{
    setObjectName(QStringLiteral("lightingPreview"));
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    m_mask = MirtKit::skinPixmap(maskPicture).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_timer.setInterval(kFrameIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_clock.start();
    setGeometry(picture->rect());
    picture->installEventFilter(this);
    m_pWatchedWindow = picture->window();
    if (m_pWatchedWindow != picture)
        m_pWatchedWindow->installEventFilter(this);
    hide();
}

void LightingPreview::setProfile(const ProfileData *profile)
{
    m_profile = profile;
    refresh();
}

void LightingPreview::setActive(bool bActive)
{
    m_bActive = bActive;
    setVisible(bActive && hasMask());
    updateTimer();
}

bool LightingPreview::isAnimated(int effect)
{
    return isOffered(effect) && effect != kEffectOff && effect != kEffectFullLighted;
}

void LightingPreview::refresh()
{
    updateTimer();
    update();
}

void LightingPreview::updateTimer()
{
    const bool run = m_bActive && m_profile && isAnimated(m_profile->LedMode) && isVisible() &&
                     !(m_pWatchedWindow && m_pWatchedWindow->isMinimized());
    if (run && !m_timer.isActive())
        m_timer.start();
    else if (!run)
        m_timer.stop();
}

bool LightingPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    else if (watched == m_pWatchedWindow && (event->type() == QEvent::WindowStateChange ||
                                             event->type() == QEvent::Hide || event->type() == QEvent::Show))
        updateTimer();
    return QWidget::eventFilter(watched, event);
}

void LightingPreview::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void LightingPreview::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

QRect LightingPreview::pictureRect(const QSize &size) const
{
    const QSize s = kPictureDesign.scaled(size, Qt::KeepAspectRatio);
    return QRect(QPoint((size.width() - s.width()) / 2, (size.height() - s.height()) / 2), s);
}

const QImage &LightingPreview::maskFor(const QSize &size)
{
    if (m_scaledMask.size() != size && !m_mask.isNull())
        m_scaledMask = m_mask.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return m_scaledMask;
}

void LightingPreview::paintLights(QPainter &painter, const QRect &target, qint64 ms)
{
    if (!m_profile || m_mask.isNull() || target.isEmpty())
        return;
    const int effect = m_profile->LedMode;
    if (!isAnimated(effect) && effect != kEffectFullLighted)
        return;
    const LedModeSetting &setting = currentSetting(*m_profile);
    const int shown = controls(effect);
    const QColor colour = setting.RGB.isValid() ? setting.RGB : QColor(255, 255, 255);
    const double t = ms / 1000.0;
    const double speed = qBound(kSpeedRange.minimum, setting.breath, kSpeedRange.maximum);
    const QRectF r(QPointF(0, 0), QSizeF(target.size()));
    double opacity = (shown & kBrightnessControl) ? brightnessFactor(setting.bright) : 1.0;

    QBrush brush(colour);
    switch (effect) {
    case kEffectFullLighted:
        break;
    case kEffect7Color:
        brush = kSevenColors[int(t * speed / 2.4) % 7];
        break;
    case kEffectBreathing:
        opacity *= 0.08 + 0.92 * pulse(t / 4.0);
        break;
    case kEffect7ColorBreathing: {
        const double breaths = t * speed / 8.0;
        brush = kSevenColors[int(breaths) % 7];
        opacity *= 0.08 + 0.92 * pulse(breaths);
        break;
    }
    case kEffectRainbow:
        brush = QColor::fromHsv(int(t * speed * 30) % 360, 255, 255);
        break;
    case kEffectWave: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        const double shift = std::fmod(t * speed * 0.12, 1.0);
        for (int i = 0; i <= 12; ++i)
            g.setColorAt(i / 12.0, QColor::fromHsv(int((i / 12.0 + shift) * 360) % 360, 255, 255));
        brush = g;
        break;
    }
    case kEffectSingleWave:
        brush = band(r, std::fmod(t * speed * 0.25, 1.3) - 0.15, QColor::fromHsv(int(t * 20) % 360, 255, 255),
                     0.16, 0);
        break;
    case kEffectYoYo: {
        const double phase = std::fmod(t * speed * 0.2, 1.0);
        brush =
            band(r, phase < 0.5 ? 2 * phase : 2 - 2 * phase, kSevenColors[int(t * speed * 0.2) % 7], 0.18, 0);
        break;
    }
    case kEffect7ColorTail: {
        const double pass = t * speed * 0.25;
        brush = band(r, std::fmod(pass, 1.0) * 1.5 - 0.1, kSevenColors[int(pass) % 7], 0.08, 0.35);
        break;
    }
    case kEffectReactive: {
        // As if a button were pressed every 1.6 s: a flash that fades.
        const double since = std::fmod(t, 1.6);
        opacity *= std::exp(-since * speed * 1.2);
        break;
    }
    case kEffectTriColor: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setSpread(QGradient::RepeatSpread);
        g.setFinalStop(QPointF(0, r.height() / 2));
        const QColor tri[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
        const double shift = std::fmod(t * speed * 0.15, 1.0);
        for (int i = 0; i < 3; ++i) {
            const double at = std::fmod(i / 3.0 + shift, 1.0);
            g.setColorAt(at, tri[i]);
        }
        brush = g;
        break;
    }
    default:
        return;
    }

    QImage layer = maskFor(target.size());
    if (layer.isNull())
        return;
    QPainter lp(&layer);
    lp.setCompositionMode(QPainter::CompositionMode_SourceIn);
    lp.fillRect(layer.rect(), brush);
    lp.end();
    painter.setOpacity(qBound(0.0, opacity, 1.0));
    painter.drawImage(target.topLeft(), layer);
    painter.setOpacity(1.0);
}

QImage LightingPreview::frameAt(qint64 ms, const QSize &size)
{
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter p(&frame);
    paintLights(p, pictureRect(size), ms);
    return frame;
}

void LightingPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintLights(p, pictureRect(size()), m_clock.elapsed());
}
