#include "MirtSingleDPI.h"

#include "DpiModel.h"
#include "Log.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtTwoBarSlider.h"
#include "PageStyle.h"

#include <QCheckBox>
#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace {
// Design size of a row; children are placed in these units.
constexpr double kRowWidth = 426.0;
constexpr double kRowHeight = 42.0;
} // namespace

MirtSingleDPI::MirtSingleDPI(quint8 iStage, QWidget *parent)
    : QWidget(parent), m_iStage(iStage), m_pEnableBox(new QCheckBox(this)), m_pLinkBox(new QCheckBox(this)),
      m_pSlider(new MirtTwoBarSlider(this)), m_pXLabel(new MirtLabel(QString(), this)),
      m_pYLabel(new MirtLabel(QString(), this)), m_pDpiLabel(new MirtLabel(QString(), this)),
      m_pMinLabel(new MirtLabel(QString(), this)), m_pMaxLabel(new MirtLabel(QString(), this))
{
    setObjectName(QStringLiteral("dpiStage%1").arg(iStage));
    m_pEnableBox->setObjectName(QStringLiteral("enable"));
    m_pLinkBox->setObjectName(QStringLiteral("link"));
    m_pEnableBox->setStyleSheet(PageStyle::checkBoxSheet());
    m_pLinkBox->setStyleSheet(PageStyle::checkBoxSheet());
    m_pEnableBox->setChecked(true);
    m_pLinkBox->setChecked(true);

    m_pDpiLabel->SetBold(true);
    for (MirtLabel *small : {m_pMinLabel, m_pMaxLabel})
        small->SetFontSize(11);
    m_pXLabel->SetFontSize(10);
    m_pYLabel->SetFontSize(10);
    m_pMinLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pMinLabel->SetTextColor(MirtKit::mutedTextColor());
    m_pMaxLabel->SetTextColor(MirtKit::mutedTextColor());
    m_pXLabel->SetTextColor(MirtKit::mutedTextColor());
    m_pYLabel->SetTextColor(MirtKit::mutedTextColor());

    connect(m_pEnableBox, &QCheckBox::stateChanged, this, &MirtSingleDPI::onStateChanged);
    connect(m_pLinkBox, &QCheckBox::stateChanged, this, &MirtSingleDPI::onStateChanged);
    connect(m_pSlider, &MirtTwoBarSlider::SliderChangedSignal, this, &MirtSingleDPI::onSliderChanged);
    for (MirtLabel *label : {m_pXLabel, m_pYLabel, m_pDpiLabel, m_pMinLabel, m_pMaxLabel})
        connect(label, &MirtLabel::EnterSignal, this, &MirtSingleDPI::slotLabelClick);

    m_pSlider->setLinked(true);
    retranslate();
    showValues();
}

void MirtSingleDPI::retranslate()
{
    m_pLinkBox->setText(tr("Link XY"));
    m_pEnableBox->setAccessibleName(tr("Enable DPI stage %1").arg(m_iStage + 1));
    m_pSlider->setAccessibleName(tr("DPI stage %1").arg(m_iStage + 1));
    showValues();
}

void MirtSingleDPI::setSensor(int iSensor, int iWideRange, const QString &product)
{
    m_iSensor = iSensor;
    const DpiModel::SensorRule rule = DpiModel::sensorRule(iSensor, iWideRange, product);
    m_pSlider->setRange(rule.maxStep, rule.minStep);
    m_pSlider->setValues(m_iX, m_iY);
    m_pMinLabel->setNum(rule.minDpi);
    m_pMaxLabel->setNum(rule.maxDpi);
    m_bLinkBoxShown = rule.linkBox;
    m_pLinkBox->setVisible(rule.linkBox);
    showValues();
}

void MirtSingleDPI::setValues(int iX, int iY)
{
    m_iX = iX;
    m_iY = iY;
    m_pSlider->setValues(iX, iY);
    showValues();
}

void MirtSingleDPI::setLink(quint8 iLink)
{
    m_iLink = iLink ? 1 : 0;
    const QSignalBlocker blocker(m_pLinkBox);
    m_pLinkBox->setChecked(m_iLink != 0);
    m_pSlider->setLinked(m_iLink != 0);
    m_pSlider->setValues(m_iX, m_iY);
}

void MirtSingleDPI::setEnable(quint8 iUsed)
{
    m_iUsed = iUsed ? 1 : 0;
    const QSignalBlocker blocker(m_pEnableBox);
    m_pEnableBox->setChecked(m_iUsed != 0);
}

void MirtSingleDPI::setHighlighted(bool bHighlighted)
{
    if (m_bHighlighted == bHighlighted)
        return;
    m_bHighlighted = bHighlighted;
    m_pDpiLabel->SetTextColor(bHighlighted ? MirtKit::accentColor() : QColor());
    update();
}

QString MirtSingleDPI::xText() const
{
    return m_pXLabel->text();
}

QString MirtSingleDPI::yText() const
{
    return m_pYLabel->text();
}

QString MirtSingleDPI::dpiText() const
{
    return m_pDpiLabel->text();
}

QString MirtSingleDPI::minText() const
{
    return m_pMinLabel->text();
}

QString MirtSingleDPI::maxText() const
{
    return m_pMaxLabel->text();
}

void MirtSingleDPI::showValues()
{
    const int dpiX = DpiModel::stepToDpi(m_iSensor, m_iX);
    const int dpiY = DpiModel::stepToDpi(m_iSensor, m_iY);
    m_pXLabel->setText(QStringLiteral("X:%1").arg(dpiX));
    m_pYLabel->setText(QStringLiteral("Y:%1").arg(dpiY));
    m_pDpiLabel->setText(QStringLiteral("DPI : %1").arg(dpiY));
}

void MirtSingleDPI::onSliderChanged(int iX, int iY)
{
    m_iX = iX;
    m_iY = iY;
    qCDebug(lcPages, "ix = %d", iX);
    showValues();
    emit DPISignal(iX, iY, m_iStage);
}

void MirtSingleDPI::onStateChanged(int iState)
{
    const quint8 value = iState == Qt::Checked ? 1 : 0;
    if (sender() == m_pLinkBox) {
        m_iLink = value;
        m_pSlider->setLinked(value != 0);
        if (value) {
            // Linked again: both axes follow the X value.
            m_pSlider->setValues(m_iX, m_iX);
            if (m_iY != m_iX)
                onSliderChanged(m_iX, m_iX);
        }
        emit LinkSignal(m_iLink, m_iStage);
    } else if (sender() == m_pEnableBox) {
        m_iUsed = value;
        emit EnableSignal(m_iUsed, m_iStage);
    }
}

void MirtSingleDPI::slotLabelClick(MirtLabel *)
{
    emit MouseinSignal(m_iStage);
}

void MirtSingleDPI::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit MouseinSignal(m_iStage);
    QWidget::mousePressEvent(event);
}

void MirtSingleDPI::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_bHighlighted ? MirtKit::accentColor() : QColor(255, 255, 255);
    fill.setAlpha(m_bHighlighted ? 48 : 10);
    painter.setPen(m_bHighlighted ? QPen(MirtKit::accentColor(), 1) : Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

void MirtSingleDPI::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutRow();
}

void MirtSingleDPI::layoutRow()
{
    const double fx = width() / kRowWidth;
    const double fy = height() / kRowHeight;
    auto place = [fx, fy](QWidget *w, double x, double y, double ww, double hh) {
        w->setGeometry(int(x * fx), int(y * fy), int(ww * fx), int(hh * fy));
    };
    place(m_pEnableBox, 6, 10, 22, 22);
    place(m_pDpiLabel, 32, 2, 94, 20);
    place(m_pXLabel, 32, 22, 48, 18);
    place(m_pYLabel, 80, 22, 48, 18);
    place(m_pMinLabel, 124, 10, 34, 22);
    place(m_pSlider, 162, 4, 156, 34);
    place(m_pMaxLabel, 322, 10, 40, 22);
    place(m_pLinkBox, 362, 10, 64, 22);
}
