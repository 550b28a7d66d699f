#pragma once
// The lighting page: the effect of the profile it is given, the brightness,
// speed and colour of that effect, the sleep time and "MOVE TO LIGHT OFF".
// Every edit goes straight into the profile (through LightingModel); the
// lighting reaches the mouse when the profile is applied.

#include "ProfileTypes.h"

#include <QWidget>

#include <array>

class DefaultColorArea;
class MirtAction;
class MirtLabel;
class MirtPushButton;
class MirtSlider;
class QCheckBox;
class QMenu;

class MirtColorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MirtColorWindow(QWidget *parent = nullptr, double scale = 1.0);

    // Shows PROFILE (not owned; nullptr detaches the page) and retranslates.
    void SetProfile(ProfileData *profile);
    ProfileData *profile() const { return m_ProfileData; }
    // The mouse reports effect N: shown, and stored as the profile's LedMode.
    void ShowEffect(int n);
    // Lays the page out for SCALE; the sleep widgets only with "PROFILE/ShowSleep".
    void Rescale(double scale);
    void Retranslate();

    static constexpr int kPresetCount = 8;
    static QColor presetColor(int index);

    // The widgets tests and the window look at.
    MirtPushButton *effectButton() const { return m_pEffectBtn; }
    QMenu *effectMenu() const { return m_pEffectMenu; }
    MirtAction *effectAction(int n) const { return m_actions[size_t(n)]; }
    MirtSlider *brightnessSlider() const { return m_pBrightSlider; }
    MirtSlider *speedSlider() const { return m_pSpeedSlider; }
    MirtSlider *sleepSlider() const { return m_pSleepSlider; }
    MirtLabel *sleepValueLabel() const { return m_pSleepValue; }
    QCheckBox *moveOffBox() const { return m_pMoveOffBox; }
    DefaultColorArea *colorSwatch() const { return m_pCurrentColor; }
    DefaultColorArea *presetSwatch(int index) const { return m_presets[size_t(index)]; }
    MirtLabel *brightnessLabel() const { return m_pBrightLabel; }
    MirtLabel *speedLabel() const { return m_pSpeedLabel; }
    MirtLabel *colorLabel() const { return m_pColorLabel; }

signals:
    // The profile's lighting changed on this page.
    void LightingChangedSignal();

public slots:
    void onSliderChanged(int value);
    void onEffectAction();
    void color_clicked();
    void checkbtn_clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showEffect(int n);
    void refresh();
    void layoutPage();
    void setCurrentColour(const QColor &color);
    void showColour();
    void showSleepValue(int minutes);

    double m_dScale = 1.0;
    bool m_bShowSleep = true;
    ProfileData *m_ProfileData = nullptr;

    MirtLabel *m_pEffectLabel;
    MirtLabel *m_pBrightLabel;
    MirtLabel *m_pSpeedLabel;
    MirtLabel *m_pColorLabel;
    MirtLabel *m_pSleepLabel;
    MirtLabel *m_pSleepValue;
    MirtLabel *m_pBrightValue;
    MirtLabel *m_pSpeedValue;
    MirtSlider *m_pBrightSlider;
    MirtSlider *m_pSpeedSlider;
    MirtSlider *m_pSleepSlider;
    DefaultColorArea *m_pCurrentColor;
    std::array<DefaultColorArea *, kPresetCount> m_presets{};
    MirtPushButton *m_pEffectBtn;
    QMenu *m_pEffectMenu;
    QCheckBox *m_pMoveOffBox;
    std::array<MirtAction *, kLedModeCount> m_actions{};
};
