#pragma once
// The DPI page: the DPI stages of the profile being edited, with their X and
// Y values (together or apart), which stages are in use and which one is
// current. Values are the sensor's step indexes, shown as DPI.

#include "ProfileTypes.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <array>

class MirtLabel;
class MirtSingleDPI;
class QButtonGroup;
class QRadioButton;

class MirtDPIWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MirtDPIWindow(QWidget *parent = nullptr);

    // Shows PROFILE (not owned; edits go straight into it) with sensor ISENSOR
    // (the range variant as last set, else read from the device description):
    // the sensor rule on every row, each row's link, values and enable box,
    // and the row of the current stage highlighted. nullptr detaches the page.
    void setProfileAndSensor(ProfileData *profile, int iSensor);
    ProfileData *profile() const { return m_ProfileData; }

    // The sensor rule for all eight rows. The second form reads the wide-range
    // switch ("PROFILE/33254") and the model name from the device description.
    void setSensorModel(int iSensor, int iWideRange, const QString &product);
    void setSensorModel(int iSensor);
    int sensorModel() const { return m_iSensor; }

    // "PROFILE/DPICount": rows at or beyond COUNT get an empty geometry. All
    // eight stages stay in the profile. Clamped to 1..8.
    void setStageCount(int iCount);
    int stageCount() const { return m_iStageCount; }

    // The current stage (the profile's dpi), or 0 without a profile.
    int currentStage() const;

    MirtSingleDPI *row(int i) const { return m_rows[i]; }
    QRadioButton *radio(int i) const { return m_radios[i]; }

    void retranslate();

public slots:
    void onRadioChanged();
    void onLinkChanged(quint8 iLink, quint8 iStage);
    void onEnableChanged(quint8 iUsed, quint8 iStage);
    void onSliderChanged(int iX, int iY, quint8 iStage);
    // A row was pressed, or the mouse reported a stage change: makes ISTAGE
    // current and highlights its row.
    void MouseinSignal(quint8 iStage);

signals:
    // The current stage changed on this page.
    void StageChangedSignal(quint8 iStage);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showStage(int iStage);
    void layoutPage();
    void fillRows();

    ProfileData *m_ProfileData = nullptr;
    int m_iSensor = 0;
    int m_iWideRange = 0;
    QString m_product;
    bool m_bVariantKnown = false; // wide range and model name were given or read
    int m_iStageCount = kDpiStageCount;
    QRect m_panelRect;
    MirtLabel *m_pTitle;
    QButtonGroup *m_pRadioGroup;
    std::array<MirtSingleDPI *, kDpiStageCount> m_rows{};
    std::array<QRadioButton *, kDpiStageCount> m_radios{};
};
