#pragma once
// The "Mouse Setting" panel: key response (debounce), scroll speed, motion
// sync, lift distance, angle snapping, jitter filtering, the desktop pointer
// speed of the profile, and a button that opens the desktop's own mouse
// settings. The sensor values belong to the whole set: every change is
// signalled and the main window copies it into the set; scroll and pointer
// speed go straight into the profile shown.

#include "PerformanceModel.h"
#include "ProfileTypes.h"

#include <QWidget>

class MirtLabel;
class MirtSlider;
class MouseSettingsLauncher;
class QCheckBox;
class QPushButton;
class QSpinBox;

class MirtPointSpeed : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDebounceMin = PerformanceModel::kDebounceRange.minimum;
    static constexpr int kDebounceMax = PerformanceModel::kDebounceRange.maximum;
    static constexpr int kScrollMin = PerformanceModel::kScrollSpeedRange.minimum;
    static constexpr int kScrollMax = PerformanceModel::kScrollSpeedRange.maximum;

    explicit MirtPointSpeed(QWidget *parent = nullptr);

    // Shows PROFILE (not owned) and the five sensor values: debounce on the
    // slider, the profile's scroll and pointer speed, one box of each pair.
    void setData(ProfileData *profile, quint8 iSync, quint8 iLift, quint8 iAngle, quint8 iJitter,
                 quint8 iDebounce);
    ProfileData *profile() const { return m_pProfile; }

    // The lift distance changed elsewhere (the report-rate panel); no signal.
    void setLift(quint8 iLift);

    // Copies sync, lift, angle, jitter and debounce into the sensor bytes of SET.
    void collectInto(ProfileSet &set) const;

    quint8 sync() const { return m_settings.sync; }
    quint8 lift() const { return m_settings.lift; }
    quint8 angle() const { return m_settings.angle; }
    quint8 jitter() const { return m_settings.jitter; }
    quint8 debounce() const { return m_settings.debounce; }

    // Whether the desktop's pointer speed can be reached; greys the control
    // (its value is still kept in the profile) when it cannot.
    void setPointerSpeedAvailable(bool bAvailable);
    // The launcher of the desktop's mouse settings (not owned); the button
    // is greyed when there is none or the desktop offers none.
    void setMouseSettingsLauncher(MouseSettingsLauncher *launcher);
    // "PROFILE/showMouseButton": 0 hides the "Mouse Setting" button.
    void setShowMouseButton(bool bShow);

    MirtSlider *keyResponseSlider() const { return m_pKeySlider; }
    MirtLabel *keyResponseLabel() const { return m_pKeyValue; }
    QSpinBox *scrollSpeedBox() const { return m_pScrollBox; }
    MirtSlider *pointerSpeedSlider() const { return m_pSpeedSlider; }
    QPushButton *mouseSettingButton() const { return m_pMouseSettingBtn; }
    // The eight boxes: sync ON/OFF, lift 1mm/2mm, angle ON/OFF, jitter ON/OFF.
    QCheckBox *syncOnBox() const { return m_pSyncOn; }
    QCheckBox *syncOffBox() const { return m_pSyncOff; }
    QCheckBox *lift1Box() const { return m_pLift1; }
    QCheckBox *lift2Box() const { return m_pLift2; }
    QCheckBox *angleOnBox() const { return m_pAngleOn; }
    QCheckBox *angleOffBox() const { return m_pAngleOff; }
    QCheckBox *jitterOnBox() const { return m_pJitterOn; }
    QCheckBox *jitterOffBox() const { return m_pJitterOff; }

    void retranslate();

signals:
    // The user picked a lift distance (1 or 2).
    void RefreshLift(quint8 iLift);
    // The user changed sync, angle snapping, jitter filtering or the key
    // response: the window copies them into the set at once (collectInto), so
    // an edit survives status reports and profile switches until Apply or Cancel.
    void SensorSettingsChanged();
    // The user changed the pointer speed of the profile (1..20).
    void PointerSpeedSignal(quint8 iSpeed);
    // The desktop's mouse settings could not be opened.
    void MouseSettingFailed(const QString &reason);

public slots:
    void sValueChangedSlot(int iValue);
    void checkbtn_clicked();
    void onKeyResponseChanged(int iValue);
    void onPointerSpeedChanged(int iValue);
    void onMouseSettingClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QCheckBox *makeBox();
    void showPairs();
    void showMouseSettingsTip();
    void layoutPanel();

    ProfileData *m_pProfile = nullptr;
    PerformanceModel::SensorSettings m_settings;
    bool m_bPointerSpeedAvailable = true;
    bool m_bShowMouseButton = true;
    MouseSettingsLauncher *m_pLauncher = nullptr;

    QPushButton *m_pMouseSettingBtn;
    MirtLabel *m_pSpeedTitle;
    MirtSlider *m_pSpeedSlider;
    MirtLabel *m_pSpeedValue;
    MirtLabel *m_pScrollTitle;
    QSpinBox *m_pScrollBox;
    MirtLabel *m_pKeyTitle;
    MirtSlider *m_pKeySlider;
    MirtLabel *m_pKeyValue;
    MirtLabel *m_pSyncTitle;
    QCheckBox *m_pSyncOn;
    QCheckBox *m_pSyncOff;
    MirtLabel *m_pLiftTitle;
    QCheckBox *m_pLift1;
    QCheckBox *m_pLift2;
    MirtLabel *m_pAngleTitle;
    QCheckBox *m_pAngleOn;
    QCheckBox *m_pAngleOff;
    MirtLabel *m_pJitterTitle;
    QCheckBox *m_pJitterOn;
    QCheckBox *m_pJitterOff;
};
