#include "MirtDPIWindow.h"

#include "DpiModel.h"
#include "Log.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtSingleDPI.h"
#include "MirtTwoBarSlider.h"

#include <QButtonGroup>
#include <QDebug>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {
constexpr double kPageWidth = 456.0;
constexpr double kPageHeight = 386.0;
constexpr double kRowTop = 38.0;
constexpr double kRowStep = 43.5;
constexpr double kRowGap = 2.5;
// The panel below the page (MirtPointSpeed) starts 338 design units down:
// the rows stay above it, closer together when there are many of them.
constexpr double kUsableHeight = 334.0;
} // namespace

MirtDPIWindow::MirtDPIWindow(QWidget *parent)
    : QWidget(parent), m_pTitle(new MirtLabel(QString(), this)), m_pRadioGroup(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("MirtDPIWindow"));
    m_pTitle->SetBold(true);
    m_pTitle->SetFontSize(18);

    const QString radioSheet = QStringLiteral("QRadioButton{background: transparent;}"
                                              "QRadioButton::indicator{width: %1px; height: %1px;}"
                                              "QRadioButton::indicator:unchecked{image: url(%2);}"
                                              "QRadioButton::indicator:checked{image: url(%3);}")
                                   .arg(qMax(8, MirtKit::scaled(18)))
                                   .arg(MirtKit::skinPath(QStringLiteral("/skin/DPI-OFF.png")),
                                        MirtKit::skinPath(QStringLiteral("/skin/DPI-ON.png")));
    m_pRadioGroup->setExclusive(true);
    for (int i = 0; i < kDpiStageCount; ++i) {
        auto *row = new MirtSingleDPI(quint8(i), this);
        m_rows[i] = row;
        connect(row, &MirtSingleDPI::DPISignal, this, &MirtDPIWindow::onSliderChanged);
        connect(row, &MirtSingleDPI::LinkSignal, this, &MirtDPIWindow::onLinkChanged);
        connect(row, &MirtSingleDPI::EnableSignal, this, &MirtDPIWindow::onEnableChanged);
        connect(row, &MirtSingleDPI::MouseinSignal, this, &MirtDPIWindow::MouseinSignal);

        auto *radio = new QRadioButton(this);
        radio->setObjectName(QStringLiteral("dpiRadio%1").arg(i));
        radio->setStyleSheet(radioSheet);
        m_radios[i] = radio;
        m_pRadioGroup->addButton(radio, i);
    }
    connect(m_pRadioGroup, &QButtonGroup::idClicked, this, [this](int) { onRadioChanged(); });
    retranslate();
    setEnabled(false); // until a profile is shown
}

void MirtDPIWindow::retranslate()
{
    m_pTitle->setText(tr("DPI"));
    for (int i = 0; i < kDpiStageCount; ++i) {
        m_rows[i]->retranslate();
        m_radios[i]->setAccessibleName(tr("Current DPI stage %1").arg(i + 1));
    }
}

void MirtDPIWindow::setProfileAndSensor(ProfileData *profile, int iSensor)
{
    m_ProfileData = profile;
    if (m_bVariantKnown)
        setSensorModel(iSensor, m_iWideRange, m_product);
    else
        setSensorModel(iSensor);
    fillRows();
    setEnabled(profile != nullptr);
}

void MirtDPIWindow::setSensorModel(int iSensor, int iWideRange, const QString &product)
{
    m_iSensor = iSensor;
    m_iWideRange = iWideRange;
    m_product = product;
    m_bVariantKnown = true;
    for (MirtSingleDPI *row : m_rows)
        row->setSensor(iSensor, iWideRange, product);
}

void MirtDPIWindow::setSensorModel(int iSensor)
{
    const DpiModel::Sensor configured = DpiModel::Sensor::fromConfiguration();
    setSensorModel(iSensor, configured.wideRange, configured.product);
}

void MirtDPIWindow::setStageCount(int iCount)
{
    m_iStageCount = DpiModel::shownStageCount(iCount);
    layoutPage();
}

int MirtDPIWindow::currentStage() const
{
    return m_ProfileData ? m_ProfileData->dpi : 0;
}

void MirtDPIWindow::fillRows()
{
    for (int i = 0; i < kDpiStageCount; ++i) {
        MirtSingleDPI *row = m_rows[i];
        if (!m_ProfileData) {
            row->setLink(1);
            row->setValues(0, 0);
            row->setEnable(0);
            continue;
        }
        const DpiStage &stage = m_ProfileData->DPI_INFO[i];
        row->setLink(stage.link);
        row->setValues(stage.x, stage.y);
        row->setEnable(stage.used);
    }
    showStage(currentStage());
}

void MirtDPIWindow::showStage(int iStage)
{
    for (int i = 0; i < kDpiStageCount; ++i)
        m_rows[i]->setHighlighted(i == iStage);
    if (iStage >= 0 && iStage < kDpiStageCount) {
        const QSignalBlocker blocker(m_pRadioGroup);
        m_radios[iStage]->setChecked(true);
    }
}

void MirtDPIWindow::onRadioChanged()
{
    const int id = m_pRadioGroup->checkedId();
    if (!m_ProfileData || !DpiModel::setCurrentStage(*m_ProfileData, id))
        return;
    qCDebug(lcPages, "m_ProfileData.dpi = %d", m_ProfileData->dpi);
    showStage(id);
    emit StageChangedSignal(quint8(id));
}

void MirtDPIWindow::onLinkChanged(quint8 iLink, quint8 iStage)
{
    if (m_ProfileData)
        DpiModel::setLinked(*m_ProfileData, iStage, iLink != 0);
}

void MirtDPIWindow::onEnableChanged(quint8 iUsed, quint8 iStage)
{
    if (m_ProfileData)
        DpiModel::setUsed(*m_ProfileData, iStage, iUsed != 0);
}

void MirtDPIWindow::onSliderChanged(int iX, int iY, quint8 iStage)
{
    if (m_ProfileData)
        DpiModel::setSteps(*m_ProfileData, iStage, iX, iY);
}

void MirtDPIWindow::MouseinSignal(quint8 iStage)
{
    if (!m_ProfileData)
        return;
    const bool changed = m_ProfileData->dpi != iStage;
    if (!DpiModel::setCurrentStage(*m_ProfileData, iStage))
        return;
    qCDebug(lcPages, "m_ProfileData.dpi = %d", m_ProfileData->dpi);
    showStage(iStage);
    if (changed)
        emit StageChangedSignal(iStage);
}

void MirtDPIWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void MirtDPIWindow::layoutPage()
{
    const double fx = width() / kPageWidth;
    const double fy = height() / kPageHeight;
    m_pTitle->setGeometry(int(12 * fx), int(6 * fy), int(200 * fx), int(28 * fy));
    const double step = qMin(kRowStep, (kUsableHeight - kRowTop - 4) / m_iStageCount);
    const double rowHeight = step - kRowGap;
    for (int i = 0; i < kDpiStageCount; ++i) {
        const bool shown = i < m_iStageCount;
        const double top = kRowTop + i * step;
        if (shown) {
            m_rows[i]->setGeometry(int(28 * fx), int(top * fy), int(424 * fx), int(rowHeight * fy));
            m_radios[i]->setGeometry(int(4 * fx), int((top + (rowHeight - 22) / 2) * fy), int(22 * fx),
                                     int(22 * fy));
        } else {
            m_rows[i]->setGeometry(QRect());
            m_radios[i]->setGeometry(QRect());
        }
        m_rows[i]->setVisible(shown);
        m_radios[i]->setVisible(shown);
    }
    // The panel ends below the last row; what lies under it stays reachable.
    m_panelRect = QRect(0, 0, width(), qMin(height(), int((kRowTop + m_iStageCount * step + 4) * fy)));
    setMask(QRegion(m_panelRect));
    update();
}

void MirtDPIWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor panel = MirtKit::panelColor();
    panel.setAlpha(220);
    painter.setPen(QPen(QColor(55, 55, 60), 1));
    painter.setBrush(panel);
    painter.drawRoundedRect(QRectF(m_panelRect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    // A short accent bar under the title.
    const double fx = width() / kPageWidth;
    const double fy = height() / kPageHeight;
    painter.setPen(Qt::NoPen);
    painter.setBrush(MirtKit::accentColor());
    painter.drawRect(QRectF(12 * fx, 33 * fy, 36 * fx, 2 * fy));
}
