#pragma once
// The lighting of a profile drawn on the mouse picture of the main window: the
// light areas of the model (a picture of its own, white on transparent) tinted
// with the effect's colours, animated for the moving effects. It lies over
// the picture label, follows its size and lets the mouse through. The
// animation runs only while it is active (the lighting tab), visible and its
// window not minimised: a hidden window costs no CPU.

#include "ProfileTypes.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

class LightingPreview : public QWidget
{
    Q_OBJECT

public:
    // PICTURE is the label showing the mouse; MASKPICTURE the skin name of its light areas.
    LightingPreview(QWidget *picture, const QString &maskPicture);

    // The profile whose lighting is shown (not owned; nullptr shows nothing).
    void setProfile(const ProfileData *profile);
    // Shown at all (the lighting tab is selected).
    void setActive(bool bActive);
    bool isActive() const { return m_bActive; }
    bool isAnimating() const { return m_timer.isActive(); }
    bool hasMask() const { return !m_mask.isNull(); }

    // Whether EFFECT moves (needs frames over time).
    static bool isAnimated(int effect);
    // The light areas at MS milliseconds into the animation, over a transparent
    // picture of SIZE.
    QImage frameAt(qint64 ms, const QSize &size);

    static constexpr int kFrameIntervalMs = 40;

public slots:
    // The profile's lighting changed.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void updateTimer();
    QRect pictureRect(const QSize &size) const;
    const QImage &maskFor(const QSize &size);
    void paintLights(QPainter &painter, const QRect &target, qint64 ms);

    const ProfileData *m_profile = nullptr;
    bool m_bActive = false;
    QImage m_mask;       // the light areas at the size they were rendered
    QImage m_scaledMask; // ... at the size last drawn
    QTimer m_timer;
    QElapsedTimer m_clock;
    QWidget *m_pWatchedWindow = nullptr;
};
