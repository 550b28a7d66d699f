#pragma once
// The colour edit dialog: a hue bar, a saturation/value square, a preview,
// H/S/V and R/G/B number fields, a hex field and seven preset swatches, all
// showing one colour. "OK" accepts it (the preview's colour), "Cancel"
// rejects, "APPLY" reports it without closing.

#include <QColor>
#include <QDialog>

#include <array>

class DefaultColorArea;
class HColorArea;
class MirtLabel;
class MirtPushButton;
class PreviewColorArea;
class QLineEdit;
class QSpinBox;
class SVColorArea;

class MirtColorArea : public QDialog
{
    Q_OBJECT

public:
    explicit MirtColorArea(const QColor &color, QWidget *parent = nullptr);

    // The colour shown, as the R/G/B fields would set it.
    void setColor(const QColor &color);
    // The preview's colour.
    QColor color() const;

    static constexpr int kPresetCount = 7;
    static QColor presetColor(int index);

    HColorArea *hueBar() const { return m_pHueBar; }
    SVColorArea *square() const { return m_pSquare; }
    PreviewColorArea *preview() const { return m_pPreview; }
    QSpinBox *hueBox() const { return m_pH; }
    QSpinBox *saturationBox() const { return m_pS; }
    QSpinBox *valueBox() const { return m_pV; }
    QSpinBox *redBox() const { return m_pR; }
    QSpinBox *greenBox() const { return m_pG; }
    QSpinBox *blueBox() const { return m_pB; }
    QLineEdit *hexField() const { return m_pHex; }
    DefaultColorArea *presetSwatch(int index) const { return m_presets[size_t(index)]; }
    MirtPushButton *applyButton() const { return m_pApplyBtn; }
    MirtPushButton *okButton() const { return m_pOkBtn; }
    MirtPushButton *cancelButton() const { return m_pCancelBtn; }

signals:
    // "APPLY" was pressed.
    void ApplyColor();
    // Every change of the colour.
    void MirtChangeColor(const QColor &color);

public slots:
    // From the preview: hue, saturation and value of the square's colour.
    void updateEditData(int h, int s, int v);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildWidgets();
    void layoutWidgets();
    void onHsvChanged();
    void onRgbChanged();
    void onHexEdited(const QString &text);
    void onHexFinished();
    // Everything but the hex field follows an RGB colour; the hex field too when REWRITEHEX.
    void showRgbColor(const QColor &color, bool bRewriteHex);
    void setBoxes(QSpinBox *const boxes[3], int a, int b, int c);

    double m_dScale;
    int m_iHue = 0;
    int m_iSat = 0;
    int m_iVal = 0;
    // Set while a handler updates the other fields, so that their handlers stay quiet.
    bool m_bUpdating = false;

    QPixmap m_background;
    bool m_bDragging = false;
    QPoint m_dragOffset;

    MirtLabel *m_pTitle = nullptr;
    MirtLabel *m_pColorLabel = nullptr;
    HColorArea *m_pHueBar = nullptr;
    SVColorArea *m_pSquare = nullptr;
    PreviewColorArea *m_pPreview = nullptr;
    MirtLabel *m_pHsvLabels[3] = {};
    QSpinBox *m_pH = nullptr;
    QSpinBox *m_pS = nullptr;
    QSpinBox *m_pV = nullptr;
    QSpinBox *m_pR = nullptr;
    QSpinBox *m_pG = nullptr;
    QSpinBox *m_pB = nullptr;
    MirtLabel *m_pHexLabel = nullptr;
    QLineEdit *m_pHex = nullptr;
    std::array<DefaultColorArea *, kPresetCount> m_presets{};
    MirtPushButton *m_pApplyBtn = nullptr;
    MirtPushButton *m_pOkBtn = nullptr;
    MirtPushButton *m_pCancelBtn = nullptr;
};
