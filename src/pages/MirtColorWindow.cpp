#include "MirtColorWindow.h"

#include "DefaultColorArea.h"
#include "LightingModel.h"
#include "Log.h"
#include "MirtAction.h"
#include "MirtColorArea.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"
#include "MirtSlider.h"
#include "PageStyle.h"

#include <QCheckBox>
#include <QDebug>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>

using namespace LightingModel;

namespace {

// Design size of the page (the tab's page area) and of its two panels.
constexpr double kPageWidth = 665.0;
constexpr double kEffectPanelHeight = 242.0;
constexpr double kSleepPanelTop = 254.0;
constexpr double kSleepPanelHeight = 130.0;
constexpr double kRowTop = 66.0;
constexpr double kRowStep = 56.0;
constexpr int kMenuWidth = 240; // the longest effect name in every language, beside the drop-down room

const QColor kPagePresets[MirtColorWindow::kPresetCount] = {
    QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),   QColor(255, 255, 0),
    QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 128, 0), QColor(255, 255, 255),
};

MirtSlider *makeSlider(QWidget *parent, int minimum, int maximum)
{
    auto *slider = new MirtSlider(parent);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setStyleSheet(PageStyle::sliderSheet());
    slider->setCursor(Qt::PointingHandCursor);
    return slider;
}

MirtLabel *makeLabel(QWidget *parent, int fontSize, bool bold)
{
    auto *label = new MirtLabel(QString(), parent);
    label->SetFontSize(fontSize);
    label->SetBold(bold);
    return label;
}

// The entry the profile's effect edits.
int currentEntry(const ProfileData &profile)
{
    return profile.LedMode < kLedModeCount ? profile.LedMode : 0;
}

} // namespace

MirtColorWindow::MirtColorWindow(QWidget *parent, double scale)
    : QWidget(parent), m_dScale(scale), m_bShowSleep(LightingModel::showSleep()),
      m_pEffectLabel(makeLabel(this, 16, true)), m_pBrightLabel(makeLabel(this, 13, true)),
      m_pSpeedLabel(makeLabel(this, 13, true)), m_pColorLabel(makeLabel(this, 13, true)),
      m_pSleepLabel(makeLabel(this, 16, true)), m_pSleepValue(makeLabel(this, 14, true)),
      m_pBrightValue(makeLabel(this, 14, true)), m_pSpeedValue(makeLabel(this, 14, true)),
      m_pBrightSlider(makeSlider(this, kBrightnessRange.minimum, kBrightnessRange.maximum)),
      m_pSpeedSlider(makeSlider(this, kSpeedRange.minimum, kSpeedRange.maximum)),
      m_pSleepSlider(makeSlider(this, sleepRange().minimum, sleepRange().maximum)),
      m_pCurrentColor(new DefaultColorArea(QColor(), this)),
      m_pEffectBtn(
          new MirtPushButton({QStringLiteral("/skin/profilesel.png"), QStringLiteral("/skin/profilesel.png"),
                              QStringLiteral("/skin/profilesel.png")},
                             this)),
      m_pEffectMenu(new QMenu(this)), m_pMoveOffBox(new QCheckBox(this))
{
    setObjectName(QStringLiteral("MirtColorWindow"));
    setAttribute(Qt::WA_StyledBackground, true);
    for (MirtLabel *value : {m_pSleepValue, m_pBrightValue, m_pSpeedValue})
        value->SetTextColor(MirtKit::accentColor());
    m_pBrightSlider->setObjectName(QStringLiteral("brightnessSlider"));
    m_pSpeedSlider->setObjectName(QStringLiteral("speedSlider"));
    m_pSleepSlider->setObjectName(QStringLiteral("sleepSlider"));
    for (MirtSlider *slider : {m_pBrightSlider, m_pSpeedSlider, m_pSleepSlider})
        connect(slider, &QSlider::valueChanged, this, &MirtColorWindow::onSliderChanged);

    m_pCurrentColor->setObjectName(QStringLiteral("currentColor"));
    connect(m_pCurrentColor, &DefaultColorArea::ClickedSignal, this, &MirtColorWindow::color_clicked);
    for (int i = 0; i < kPresetCount; ++i) {
        auto *swatch = new DefaultColorArea(kPagePresets[i], this);
        swatch->setObjectName(QStringLiteral("presetColor%1").arg(i));
        connect(swatch, &DefaultColorArea::ClickedSignal, this, &MirtColorWindow::color_clicked);
        m_presets[size_t(i)] = swatch;
    }

    // The effect menu: effects 1 to 11, then "OFF". Effects 12 and 13 have an
    // action without text and no place in the menu.
    m_pEffectMenu->setObjectName(QStringLiteral("effectMenu"));
    m_pEffectMenu->setStyleSheet(MirtKit::menuStyleSheet(kMenuWidth));
    m_pEffectMenu->setFixedWidth(MirtKit::scaled(kMenuWidth));
    for (int n = 0; n < kLedModeCount; ++n) {
        auto *action = new MirtAction(m_pEffectMenu);
        action->setData(n);
        connect(action, &QAction::triggered, this, &MirtColorWindow::onEffectAction);
        m_actions[size_t(n)] = action;
    }
    for (int n : menuOrder())
        m_pEffectMenu->addAction(m_actions[size_t(n)]);
    m_pEffectBtn->setObjectName(QStringLiteral("effectButton"));
    m_pEffectBtn->setCursor(Qt::PointingHandCursor);
    m_pEffectBtn->SetTextAlignment(Qt::AlignLeft);
    m_pEffectBtn->SetGradientEnabled(false);
    m_pEffectBtn->setMenu(m_pEffectMenu);

    m_pMoveOffBox->setObjectName(QStringLiteral("moveOffBox"));
    m_pMoveOffBox->setStyleSheet(PageStyle::checkBoxSheet());
    connect(m_pMoveOffBox, &QCheckBox::clicked, this, &MirtColorWindow::checkbtn_clicked);

    Retranslate();
    setEnabled(false); // until a profile is shown
}

QColor MirtColorWindow::presetColor(int index)
{
    return index >= 0 && index < kPresetCount ? kPagePresets[index] : QColor();
}

// ---------------------------------------------------------------------------
// Operations of the main window

void MirtColorWindow::SetProfile(ProfileData *profile)
{
    m_ProfileData = profile;
    setEnabled(profile != nullptr);
    refresh();
    Retranslate();
}

void MirtColorWindow::ShowEffect(int n)
{
    showEffect(n);
    if (m_ProfileData && setEffect(*m_ProfileData, n)) {
        showColour();
        emit LightingChangedSignal();
    }
}

void MirtColorWindow::Rescale(double scale)
{
    m_dScale = scale;
    m_bShowSleep = LightingModel::showSleep();
    m_pEffectMenu->setStyleSheet(MirtKit::menuStyleSheet(kMenuWidth));
    m_pEffectMenu->setFixedWidth(MirtKit::scaled(kMenuWidth));
    for (MirtAction *action : m_actions)
        action->applyFont();
    layoutPage();
    if (m_ProfileData)
        showEffect(m_ProfileData->LedMode);
}

void MirtColorWindow::Retranslate()
{
    m_pEffectLabel->setText(tr("EFFECT"));
    m_pBrightLabel->setText(tr("BRIGHTNESS"));
    m_pSpeedLabel->setText(tr("SPEED"));
    m_pColorLabel->setText(tr("COLOR"));
    m_pSleepLabel->setText(tr("SLEEP TIME"));
    m_pMoveOffBox->setText(tr("MOVE TO LIGHT OFF"));
    m_pBrightSlider->setAccessibleName(tr("BRIGHTNESS"));
    m_pSpeedSlider->setAccessibleName(tr("SPEED"));
    m_pSleepSlider->setAccessibleName(tr("SLEEP TIME"));
    m_pCurrentColor->setAccessibleName(tr("COLOR"));
    m_pCurrentColor->setToolTip(tr("Edit the colour"));
    m_pEffectBtn->setToolTip(tr("Choose the effect"));
    for (int i = 0; i < kPresetCount; ++i)
        m_presets[size_t(i)]->setAccessibleName(tr("Preset colour %1").arg(i + 1));
    for (int n = 0; n < kLedModeCount; ++n)
        m_actions[size_t(n)]->setText(effectName(n));
    showSleepValue(m_pSleepSlider->value());
    if (m_ProfileData)
        showEffect(m_ProfileData->LedMode);
}

// ---------------------------------------------------------------------------
// Showing the profile

void MirtColorWindow::refresh()
{
    if (!m_ProfileData)
        return;
    const ProfileData &p = *m_ProfileData;
    showEffect(p.LedMode);
    {
        const QSignalBlocker b1(m_pBrightSlider);
        const QSignalBlocker b2(m_pSpeedSlider);
        const QSignalBlocker b3(m_pSleepSlider);
        m_pBrightSlider->setValue(currentSetting(p).bright);
        m_pSpeedSlider->setValue(currentSetting(p).breath);
        const Range sleep = sleepRange();
        m_pSleepSlider->setRange(sleep.minimum, sleep.maximum);
        m_pSleepSlider->setValue(p.LedSleepTime);
    }
    m_pBrightValue->setNum(m_pBrightSlider->value());
    m_pSpeedValue->setNum(m_pSpeedSlider->value());
    showSleepValue(p.LedSleepTime);
    m_pMoveOffBox->setChecked(moveOff(p));
    showColour();
}

void MirtColorWindow::showEffect(int n)
{
    m_pEffectBtn->setText(effectName(n));
    const int shown = controls(n);
    if (shown < 0)
        return; // 12, 13 or a stray number: the controls stay as they were
    const bool bright = shown & kBrightnessControl;
    const bool speed = shown & kSpeedControl;
    const bool colour = shown & kColourControl;
    for (QWidget *w : {static_cast<QWidget *>(m_pBrightLabel), static_cast<QWidget *>(m_pBrightSlider),
                       static_cast<QWidget *>(m_pBrightValue)})
        w->setVisible(bright);
    for (QWidget *w : {static_cast<QWidget *>(m_pSpeedLabel), static_cast<QWidget *>(m_pSpeedSlider),
                       static_cast<QWidget *>(m_pSpeedValue)})
        w->setVisible(speed);
    m_pColorLabel->setVisible(colour);
    m_pCurrentColor->setVisible(colour);
    for (DefaultColorArea *swatch : m_presets)
        swatch->setVisible(colour);
    layoutPage();
}

void MirtColorWindow::showColour()
{
    if (!m_ProfileData)
        return;
    const QColor c = currentSetting(*m_ProfileData).RGB;
    m_pCurrentColor->setColor(c);
    for (int i = 0; i < kPresetCount; ++i)
        m_presets[size_t(i)]->setSelected(c.isValid() && c.rgb() == kPagePresets[i].rgb());
}

void MirtColorWindow::showSleepValue(int minutes)
{
    m_pSleepValue->setText(QString::number(minutes) + tr(" MINUTE"));
}

// ---------------------------------------------------------------------------
// Edits

void MirtColorWindow::onEffectAction()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action || !m_ProfileData)
        return;
    const int n = action->data().toInt();
    if (!setEffect(*m_ProfileData, n))
        return;
    // The controls of the new effect, and the colour a click on the swatch edits.
    refresh();
    const QColor c = m_ProfileData->LED_MODE[size_t(n)].RGB;
    qCDebug(lcPages, "EffectMenuFunction i=%d r=%d g=%d b=%d", n, c.red(), c.green(), c.blue());
    emit LightingChangedSignal();
}

void MirtColorWindow::onSliderChanged(int value)
{
    if (!m_ProfileData)
        return;
    QObject *slider = sender();
    if (slider == m_pBrightSlider) {
        setBrightness(*m_ProfileData, value);
        m_pBrightValue->setNum(value);
    } else if (slider == m_pSpeedSlider) {
        setSpeed(*m_ProfileData, value);
        m_pSpeedValue->setNum(value);
    } else if (slider == m_pSleepSlider) {
        setSleepTime(*m_ProfileData, value);
        showSleepValue(value);
    } else {
        return;
    }
    emit LightingChangedSignal();
}

void MirtColorWindow::checkbtn_clicked()
{
    if (!m_ProfileData)
        return;
    setMoveOff(*m_ProfileData, m_pMoveOffBox->isChecked());
    emit LightingChangedSignal();
}

void MirtColorWindow::setCurrentColour(const QColor &color)
{
    if (!m_ProfileData || !setColour(*m_ProfileData, currentEntry(*m_ProfileData), color))
        return;
    showColour();
    emit LightingChangedSignal();
}

void MirtColorWindow::color_clicked()
{
    auto *swatch = qobject_cast<DefaultColorArea *>(sender());
    if (!swatch || !m_ProfileData)
        return;
    // A preset is the colour itself: one click gives the effect that colour.
    for (int i = 0; i < kPresetCount; ++i) {
        if (swatch == m_presets[size_t(i)]) {
            setCurrentColour(kPagePresets[i]);
            return;
        }
    }
    // The current colour opens the colour dialog on it. What it edits is fixed
    // now, even if the window shows another profile before the dialog closes.
    ProfileData *profile = m_ProfileData;
    const int entry = currentEntry(*profile);
    MirtColorArea dialog(profile->LED_MODE[size_t(entry)].RGB, this);
    auto store = [this, profile, entry, &dialog] {
        if (!setColour(*profile, entry, dialog.color()))
            return;
        if (profile == m_ProfileData)
            showColour();
        emit LightingChangedSignal();
    };
    connect(&dialog, &MirtColorArea::ApplyColor, this, store);
    if (dialog.exec() == QDialog::Accepted)
        store();
}

// ---------------------------------------------------------------------------
// Layout and painting

void MirtColorWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The window moved to a screen of another scale factor: menu and fonts too.
    if (!qFuzzyCompare(MirtKit::scaleFactor(), m_dScale))
        Rescale(MirtKit::scaleFactor());
    else
        layoutPage();
}

void MirtColorWindow::layoutPage()
{
    // The page fills its area; the factor follows its width.
    const double f = width() > 0 ? width() / kPageWidth : m_dScale;
    auto place = [f](QWidget *w, double x, double y, double ww, double hh) {
        w->setGeometry(int(x * f), int(y * f), int(ww * f), int(hh * f));
    };
    place(m_pEffectLabel, 18, 10, 150, 30);
    place(m_pEffectBtn, 180, 10, kMenuWidth, 30);

    // The rows of the effect's controls, one below the other.
    double y = kRowTop;
    if (!m_pBrightSlider->isHidden()) {
        place(m_pBrightLabel, 18, y, 150, 28);
        place(m_pBrightSlider, 180, y + 4, 300, 20);
        place(m_pBrightValue, 496, y, 60, 28);
        y += kRowStep;
    }
    if (!m_pSpeedSlider->isHidden()) {
        place(m_pSpeedLabel, 18, y, 150, 28);
        place(m_pSpeedSlider, 180, y + 4, 300, 20);
        place(m_pSpeedValue, 496, y, 60, 28);
        y += kRowStep;
    }
    if (!m_pCurrentColor->isHidden()) {
        place(m_pColorLabel, 18, y, 150, 28);
        place(m_pCurrentColor, 180, y - 8, 56, 44);
        for (int i = 0; i < kPresetCount; ++i)
            place(m_presets[size_t(i)], 254 + i * 36, y, 28, 28);
    }

    QWidget *const sleepWidgets[] = {m_pSleepLabel, m_pSleepSlider, m_pSleepValue, m_pMoveOffBox};
    if (m_bShowSleep) {
        const double top = kSleepPanelTop;
        place(m_pSleepLabel, 18, top + 10, 150, 30);
        place(m_pSleepSlider, 180, top + 16, 300, 20);
        place(m_pSleepValue, 496, top + 12, 150, 28);
        place(m_pMoveOffBox, 18, top + 72, 400, 28);
    } else {
        for (QWidget *w : sleepWidgets)
            w->setGeometry(QRect());
    }
    m_pMoveOffBox->setFont(MirtKit::languageFont(13));
    update();
}

void MirtColorWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double f = width() / kPageWidth;
    QColor panel = MirtKit::panelColor();
    panel.setAlpha(220);
    auto drawPanel = [&](double top, double h) {
        painter.setPen(QPen(QColor(55, 55, 60), 1));
        painter.setBrush(panel);
        painter.drawRoundedRect(QRectF(0.5, top * f + 0.5, width() - 1.0, h * f - 1.0), 4, 4);
        painter.setPen(Qt::NoPen);
        painter.setBrush(MirtKit::accentColor());
        painter.drawRect(QRectF(18 * f, (top + 40) * f, 36 * f, 2 * f));
    };
    drawPanel(0, kEffectPanelHeight);
    if (m_bShowSleep)
        drawPanel(kSleepPanelTop, kSleepPanelHeight);
}
