#pragma once
// One DPI stage row of the DPI page: enable box, "Link XY" box, the X/Y
// slider pair, the value labels and the sensor's lowest and highest DPI.

#include <QWidget>

class MirtLabel;
class MirtTwoBarSlider;
class QCheckBox;

class MirtSingleDPI : public QWidget
{
    Q_OBJECT

public:
    explicit MirtSingleDPI(quint8 iStage, QWidget *parent = nullptr);

    quint8 stage() const { return m_iStage; }

    // Applies the sensor rule: slider range, the two range labels and whether
    // the "Link XY" box is shown. Values are shown again for the new sensor.
    void setSensor(int iSensor, int iWideRange, const QString &product);
    int sensor() const { return m_iSensor; }

    // Setters used when a profile is shown; none of them emits a signal.
    void setValues(int iX, int iY);
    void setLink(quint8 iLink);
    void setEnable(quint8 iUsed);
    // The row of the current stage is drawn with the accent colour.
    void setHighlighted(bool bHighlighted);
    bool isHighlighted() const { return m_bHighlighted; }

    int xValue() const { return m_iX; }
    int yValue() const { return m_iY; }
    quint8 link() const { return m_iLink; }
    quint8 enable() const { return m_iUsed; }

    MirtTwoBarSlider *slider() const { return m_pSlider; }
    QCheckBox *linkBox() const { return m_pLinkBox; }
    QCheckBox *enableBox() const { return m_pEnableBox; }
    QString xText() const;
    QString yText() const;
    QString dpiText() const;
    QString minText() const;
    QString maxText() const;

    void retranslate();

signals:
    void DPISignal(int iX, int iY, quint8 iStage);
    void LinkSignal(quint8 iLink, quint8 iStage);
    void EnableSignal(quint8 iUsed, quint8 iStage);
    void MouseinSignal(quint8 iStage);

public slots:
    void onStateChanged(int iState);
    void onSliderChanged(int iX, int iY);
    void slotLabelClick(MirtLabel *label);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showValues();
    void layoutRow();

    quint8 m_iStage;
    int m_iSensor = 0;
    quint8 m_iLink = 1;
    quint8 m_iUsed = 1;
    int m_iX = 0;
    int m_iY = 0;
    bool m_bHighlighted = false;
    bool m_bLinkBoxShown = true;

    QCheckBox *m_pEnableBox;
    QCheckBox *m_pLinkBox;
    MirtTwoBarSlider *m_pSlider;
    MirtLabel *m_pXLabel;
    MirtLabel *m_pYLabel;
    MirtLabel *m_pDpiLabel;
    MirtLabel *m_pMinLabel;
    MirtLabel *m_pMaxLabel;
};
