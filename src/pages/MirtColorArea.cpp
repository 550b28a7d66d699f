#include "MirtColorArea.h"

#include "DefaultColorArea.h"
#include "HColorArea.h"
#include "LightingModel.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"
#include "PageStyle.h"
#include "PreviewColorArea.h"
#include "SVColorArea.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSpinBox>

using namespace LightingModel;

namespace {

constexpr int kDialogWidth = 478;
constexpr int kDialogHeight = 309;

const QColor kPresets[MirtColorArea::kPresetCount] = {
    QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),     QColor(0, 255, 255),
    QColor(255, 255, 0), QColor(255, 0, 255), QColor(255, 255, 255),
};

QStringList commandImages()
{
    QStringList images;
    for (int i = 1; i <= 4; ++i)
        images << QStringLiteral("/skin/cmd-%1.png").arg(i);
    return images;
}

} // namespace

MirtColorArea::MirtColorArea(const QColor &color, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_dScale(MirtKit::scaleFactor())
{
    setObjectName(QStringLiteral("MirtColorArea"));
    setAttribute(Qt::WA_TranslucentBackground, true);
    setModal(true);
    setWindowTitle(tr("Color Edit"));
    setFixedSize(MirtKit::scaled(kDialogWidth), MirtKit::scaled(kDialogHeight));
    m_background = MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png"));
    buildWidgets();
    layoutWidgets();
    setColor(color.isValid() ? color : QColor(255, 0, 0));
}

QColor MirtColorArea::presetColor(int index)
{
    return index >= 0 && index < kPresetCount ? kPresets[index] : QColor();
}

void MirtColorArea::buildWidgets()
{
    m_pTitle = new MirtLabel(tr("Color Edit"), this);
    m_pTitle->SetBold(true);
    m_pTitle->SetFontSize(16);
    m_pColorLabel = new MirtLabel(tr("COLOR"), this);
    m_pColorLabel->SetBold(true);
    m_pColorLabel->SetFontSize(12);
    m_pColorLabel->SetTextColor(MirtKit::mutedTextColor());

    m_pSquare = new SVColorArea(m_dScale, this);
    m_pHueBar = new HColorArea(m_dScale, this);
    m_pPreview = new PreviewColorArea(m_dScale, this);
    // Hue bar → square → preview → the number fields.
    connect(m_pHueBar, &HColorArea::hueChangedSignal, m_pSquare, &SVColorArea::hueChangedSlot);
    connect(m_pSquare, &SVColorArea::svChangedSignal, m_pPreview, &PreviewColorArea::svChangedSlot);
    connect(m_pPreview, &PreviewColorArea::svChangedSignal, this, &MirtColorArea::updateEditData);

    const QString spinSheet = PageStyle::spinBoxSheet();
    const QFont font = MirtKit::languageFont(12);
    auto makeBox = [&](int maximum, const QString &prefix, const QString &name) {
        auto *box = new QSpinBox(this);
        box->setRange(0, maximum);
        box->setPrefix(prefix);
        box->setStyleSheet(spinSheet);
        box->setFont(font);
        box->setAccessibleName(name);
        box->setKeyboardTracking(true);
        return box;
    };
    m_pH = makeBox(360, QString(), tr("Hue"));
    m_pS = makeBox(255, QString(), tr("Saturation"));
    m_pV = makeBox(255, QString(), tr("Value"));
    m_pR = makeBox(255, QStringLiteral("R "), tr("Red"));
    m_pG = makeBox(255, QStringLiteral("G "), tr("Green"));
    m_pB = makeBox(255, QStringLiteral("B "), tr("Blue"));
    const char *const hsvNames[3] = {"H", "S", "V"};
    for (int i = 0; i < 3; ++i) {
        m_pHsvLabels[i] = new MirtLabel(QLatin1String(hsvNames[i]), this);
        m_pHsvLabels[i]->SetFontSize(12);
        m_pHsvLabels[i]->SetTextColor(MirtKit::mutedTextColor());
    }
    for (QSpinBox *box : {m_pH, m_pS, m_pV})
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &MirtColorArea::onHsvChanged);
    for (QSpinBox *box : {m_pR, m_pG, m_pB})
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &MirtColorArea::onRgbChanged);

    m_pHexLabel = new MirtLabel(QStringLiteral("#"), this);
    m_pHexLabel->SetFontSize(14);
    m_pHexLabel->setAlignment(Qt::AlignCenter);
    m_pHex = new QLineEdit(this);
    m_pHex->setObjectName(QStringLiteral("hexField"));
    m_pHex->setAccessibleName(tr("Hex colour"));
    m_pHex->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9a-fA-F]{0,6}")), m_pHex));
    QFont mono;
    mono.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono")});
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(qMax(1, MirtKit::scaled(13)));
    m_pHex->setFont(mono);
    m_pHex->setStyleSheet(QStringLiteral("QLineEdit{color: %1; background: rgb(30,30,34);"
                                         "border: 1px solid rgb(90,90,96); border-radius: 2px;}"
                                         "QLineEdit:focus{border: 1px solid %2;}")
                              .arg(MirtKit::textColor().name(), MirtKit::accentColor().name()));
    connect(m_pHex, &QLineEdit::textEdited, this, &MirtColorArea::onHexEdited);
    connect(m_pHex, &QLineEdit::editingFinished, this, &MirtColorArea::onHexFinished);

    for (int i = 0; i < kPresetCount; ++i) {
        auto *swatch = new DefaultColorArea(kPresets[i], this);
        swatch->setAccessibleName(tr("Preset colour %1").arg(i + 1));
        connect(swatch, &DefaultColorArea::ClickedSignal, this,
                [this, i] { showRgbColor(kPresets[i], true); });
        m_presets[size_t(i)] = swatch;
    }

    m_pApplyBtn = new MirtPushButton(commandImages(), this);
    m_pApplyBtn->setObjectName(QStringLiteral("colorApplyButton"));
    m_pApplyBtn->setText(tr("APPLY"));
    m_pOkBtn = new MirtPushButton(commandImages(), this);
    m_pOkBtn->setObjectName(QStringLiteral("colorOkButton"));
    m_pOkBtn->setText(tr("OK"));
    m_pCancelBtn = new MirtPushButton(commandImages(), this);
    m_pCancelBtn->setObjectName(QStringLiteral("colorCancelButton"));
    m_pCancelBtn->setText(tr("Cancel"));
    // Enter in a field finishes it and accepts the dialog.
    m_pApplyBtn->setAutoDefault(false);
    m_pCancelBtn->setAutoDefault(false);
    m_pOkBtn->setDefault(true);
    connect(m_pApplyBtn, &QPushButton::clicked, this, &MirtColorArea::ApplyColor);
    connect(m_pOkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void MirtColorArea::layoutWidgets()
{
    const double f = m_dScale;
    auto place = [f](QWidget *w, double x, double y, double ww, double hh) {
        w->setGeometry(int(x * f), int(y * f), int(ww * f), int(hh * f));
    };
    place(m_pTitle, 24, 14, 300, 24);
    place(m_pColorLabel, 24, 48, 128, 20);
    m_pSquare->setGeometry(int(24 * f), int(74 * f), m_pSquare->squareSize(), m_pSquare->squareSize());
    const QSize bar = m_pHueBar->sizeHint();
    m_pHueBar->setGeometry(int(164 * f), int(74 * f) - kHueBarTop, bar.width(), bar.height());
    place(m_pPreview, 204, 74, 84, 58);
    place(m_pHexLabel, 204, 140, 16, 26);
    place(m_pHex, 220, 140, 68, 26);
    QSpinBox *const hsv[3] = {m_pH, m_pS, m_pV};
    QSpinBox *const rgb[3] = {m_pR, m_pG, m_pB};
    for (int i = 0; i < 3; ++i) {
        place(m_pHsvLabels[i], 302, 74 + i * 32, 16, 26);
        place(hsv[i], 318, 74 + i * 32, 62, 26);
        place(rgb[i], 390, 74 + i * 32, 64, 26);
    }
    for (int i = 0; i < kPresetCount; ++i)
        place(m_presets[size_t(i)], 24 + i * 30, 216, 22, 22);
    place(m_pApplyBtn, 172, 256, 88, 30);
    place(m_pOkBtn, 268, 256, 88, 30);
    place(m_pCancelBtn, 366, 256, 88, 30);
}

QColor MirtColorArea::color() const
{
    return m_pPreview->color();
}

void MirtColorArea::setColor(const QColor &color)
{
    showRgbColor(color, true);
}

void MirtColorArea::setBoxes(QSpinBox *const boxes[3], int a, int b, int c)
{
    boxes[0]->setValue(a);
    boxes[1]->setValue(b);
    boxes[2]->setValue(c);
}

void MirtColorArea::onHsvChanged()
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    m_iHue = m_pH->value();
    m_iSat = m_pS->value();
    m_iVal = m_pV->value();
    const QColor c = QColor::fromHsv(normalisedHue(m_iHue), m_iSat, m_iVal, 255).toRgb();
    m_pHueBar->setHue(m_iHue);
    m_pSquare->setHue(m_iHue);
    m_pSquare->setMarker(squarePixelOf(m_iSat, m_dScale), squarePixelOf(m_iVal, m_dScale));
    m_pPreview->setColor(c);
    QSpinBox *const rgb[3] = {m_pR, m_pG, m_pB};
    setBoxes(rgb, c.red(), c.green(), c.blue());
    m_pHex->setText(hexText(c));
    m_bUpdating = false;
    emit MirtChangeColor(c);
}

void MirtColorArea::onRgbChanged()
{
    if (m_bUpdating)
        return;
    showRgbColor(QColor(m_pR->value(), m_pG->value(), m_pB->value()), true);
}

void MirtColorArea::showRgbColor(const QColor &color, bool bRewriteHex)
{
    m_bUpdating = true;
    QColor c = color.toRgb();
    c.setAlpha(255);
    // A grey has no hue: the bar stays where it was.
    if (c.hsvHue() >= 0)
        m_iHue = c.hsvHue();
    m_iSat = c.hsvSaturation();
    m_iVal = c.value();
    m_pHueBar->setHue(m_iHue);
    m_pSquare->setHue(m_iHue);
    m_pSquare->setMarker(squarePixelOf(m_iSat, m_dScale), squarePixelOf(m_iVal, m_dScale));
    m_pPreview->setColor(c);
    QSpinBox *const hsv[3] = {m_pH, m_pS, m_pV};
    QSpinBox *const rgb[3] = {m_pR, m_pG, m_pB};
    setBoxes(hsv, m_iHue, m_iSat, m_iVal);
    setBoxes(rgb, c.red(), c.green(), c.blue());
    if (bRewriteHex)
        m_pHex->setText(hexText(c));
    m_bUpdating = false;
    emit MirtChangeColor(c);
}

void MirtColorArea::onHexEdited(const QString &text)
{
    QColor c;
    if (!m_bUpdating && colourFromHex(text, &c))
        showRgbColor(c, false);
}

void MirtColorArea::onHexFinished()
{
    const QString six = finishedHex(m_pHex->text());
    if (six == m_pHex->text())
        return;
    QColor c;
    colourFromHex(six, &c);
    showRgbColor(c, true);
}

void MirtColorArea::updateEditData(int h, int s, int v)
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    m_iHue = h;
    m_iSat = s;
    m_iVal = v;
    const QColor c = QColor::fromHsv(normalisedHue(h), s, v, 255).toRgb();
    QSpinBox *const hsv[3] = {m_pH, m_pS, m_pV};
    QSpinBox *const rgb[3] = {m_pR, m_pG, m_pB};
    setBoxes(hsv, h, s, v);
    setBoxes(rgb, c.red(), c.green(), c.blue());
    m_pHex->setText(hexText(c));
    m_bUpdating = false;
    emit MirtChangeColor(c);
}

void MirtColorArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_background.isNull())
        p.fillRect(rect(), MirtKit::panelColor());
    else
        p.drawPixmap(rect(), m_background);
    p.fillRect(QRectF(24 * m_dScale, 40 * m_dScale, 30 * m_dScale, 2 * m_dScale), MirtKit::accentColor());
}

void MirtColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDragging = true;
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void MirtColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPos() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void MirtColorArea::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    QDialog::mouseReleaseEvent(event);
}
