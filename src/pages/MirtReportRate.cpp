#include "MirtReportRate.h"

#include "Log.h"
#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"
#include "PageStyle.h"
#include "PerformanceModel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {
constexpr double kPanelWidth = 149.0;
constexpr double kPanelHeight = 200.0;
// The menu texts, in the order of PerformanceModel's rate codes.
static_assert(MirtReportRate::kRateCount == PerformanceModel::kRateCount, "one text per rate");
const char *const kRateTexts[MirtReportRate::kRateCount] = {
    QT_TRANSLATE_NOOP("MirtReportRate", "125 HZ"),
    QT_TRANSLATE_NOOP("MirtReportRate", "250 HZ"),
    QT_TRANSLATE_NOOP("MirtReportRate", "500 HZ"),
    QT_TRANSLATE_NOOP("MirtReportRate", "1000 HZ"),
};
} // namespace

MirtReportRate::MirtReportRate(QWidget *parent)
    : QWidget(parent), m_pTitle(new MirtLabel(QString(), this)),
      m_pRateBtn(new MirtPushButton({QStringLiteral("/skin/rate.png")}, this)), m_pRateMenu(new QMenu(this)),
      m_pRateLabel(new MirtLabel(QString(), this)), m_pLiftTitle(new MirtLabel(QString(), this)),
      m_pLiftGroup(new QButtonGroup(this)), m_pLift1(new QRadioButton(this)), m_pLift2(new QRadioButton(this))
{
    setObjectName(QStringLiteral("MirtReportRate"));
    m_pTitle->SetBold(true);
    m_pTitle->SetFontSize(14);
    m_pLiftTitle->SetBold(true);
    m_pLiftTitle->SetFontSize(12);
    m_pRateLabel->SetBold(true);
    m_pRateLabel->SetFontSize(14);
    m_pRateLabel->SetTextColor(MirtKit::accentColor());
    m_pRateLabel->setObjectName(QStringLiteral("rateLabel"));

    const QColor accent = MirtKit::accentColor();
    m_pRateMenu->setStyleSheet(
        QStringLiteral("QMenu{background: rgb(28,28,32); color: %1; border: 1px solid rgb(70,70,76);}"
                       "QMenu::item{padding: 4px 18px;}"
                       "QMenu::item:selected{background: %2; color: black;}")
            .arg(MirtKit::textColor().name(), accent.name()));
    for (int i = 0; i < kRateCount; ++i) {
        auto *action = new MirtAction(m_pRateMenu);
        action->setData(PerformanceModel::rateCode(i));
        connect(action, &QAction::triggered, this, &MirtReportRate::onRateAction);
        m_pRateMenu->addAction(action);
        m_actions[i] = action;
    }
    m_pRateBtn->setObjectName(QStringLiteral("rateButton"));
    m_pRateBtn->setCursor(Qt::PointingHandCursor);
    connect(m_pRateBtn, &QPushButton::clicked, this,
            [this] { m_pRateMenu->popup(m_pRateBtn->mapToGlobal(QPoint(0, m_pRateBtn->height()))); });

    m_pLiftGroup->setExclusive(true);
    m_pLiftGroup->addButton(m_pLift1, 0);
    m_pLiftGroup->addButton(m_pLift2, 1);
    for (QRadioButton *radio : {m_pLift1, m_pLift2}) {
        radio->setStyleSheet(PageStyle::radioSheet());
        radio->setFont(MirtKit::languageFont(12));
    }
    m_pLift2->setChecked(true);
    connect(m_pLiftGroup, &QButtonGroup::idClicked, this, [this](int) { onRadioChanged(); });

    retranslate();
    setEnabled(false); // until a profile is shown
}

QString MirtReportRate::rateText(int iPollrate)
{
    for (int i = 0; i < kRateCount; ++i) {
        if (PerformanceModel::rateCode(i) == iPollrate)
            return QCoreApplication::translate("MirtReportRate", kRateTexts[i]);
    }
    return QString();
}

int MirtReportRate::rateCode(int index)
{
    return PerformanceModel::rateCode(index);
}

QRadioButton *MirtReportRate::liftRadio(int id) const
{
    return id == 0 ? m_pLift1 : m_pLift2;
}

void MirtReportRate::retranslate()
{
    m_pTitle->setText(tr("REPORT RATE"));
    m_pLiftTitle->setText(tr("Lift off Distance"));
    m_pLift1->setText(tr("1 mm"));
    m_pLift2->setText(tr("2 mm"));
    m_pRateBtn->setAccessibleName(tr("REPORT RATE"));
    m_pRateBtn->setToolTip(tr("Choose the report rate"));
    for (int i = 0; i < kRateCount; ++i)
        m_actions[i]->setText(tr(kRateTexts[i]));
    showRate();
}

void MirtReportRate::setProfile(ProfileData *profile, quint8 iLift)
{
    m_ProfileData = profile;
    showRate();
    setLift(iLift);
    setEnabled(profile != nullptr);
}

void MirtReportRate::setLift(quint8 iLift)
{
    m_iLift = PerformanceModel::shownLift(iLift);
    const QSignalBlocker blocker(m_pLiftGroup);
    (m_iLift == 1 ? m_pLift1 : m_pLift2)->setChecked(true);
}

void MirtReportRate::showRate()
{
    if (!m_ProfileData)
        return;
    const QString text = rateText(m_ProfileData->pollrate);
    if (!text.isEmpty()) // another code leaves the label as it was
        m_pRateLabel->setText(text);
}

void MirtReportRate::onRateAction()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action || !m_ProfileData || !PerformanceModel::setRate(*m_ProfileData, action->data().toInt()))
        return;
    m_pRateLabel->setText(action->text());
    emit RateChangedSignal(m_ProfileData->pollrate);
}

void MirtReportRate::onRadioChanged()
{
    const int id = m_pLiftGroup->checkedId();
    if (id < 0)
        return;
    m_iLift = quint8(id + 1);
    qCDebug(lcPages, "m_iLift = %d", m_iLift);
    emit RefreshLift(m_iLift);
}

void MirtReportRate::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPanel();
}

void MirtReportRate::layoutPanel()
{
    const double fx = width() / kPanelWidth;
    const double fy = height() / kPanelHeight;
    auto place = [fx, fy](QWidget *w, double x, double y, double ww, double hh) {
        w->setGeometry(int(x * fx), int(y * fy), int(ww * fx), int(hh * fy));
    };
    place(m_pTitle, 10, 6, 134, 24);
    place(m_pRateBtn, 10, 42, 40, 40);
    place(m_pRateLabel, 58, 42, 88, 40);
    place(m_pLiftTitle, 10, 102, 134, 24);
    place(m_pLift1, 14, 134, 126, 24);
    place(m_pLift2, 14, 164, 126, 24);
}

void MirtReportRate::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor panel = MirtKit::panelColor();
    panel.setAlpha(220);
    painter.setPen(QPen(QColor(55, 55, 60), 1));
    painter.setBrush(panel);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const double fx = width() / kPanelWidth;
    const double fy = height() / kPanelHeight;
    painter.setPen(Qt::NoPen);
    painter.setBrush(MirtKit::accentColor());
    painter.drawRect(QRectF(10 * fx, 31 * fy, 30 * fx, 2 * fy));
    painter.setPen(QPen(QColor(60, 60, 66), 1));
    painter.drawLine(QPointF(10 * fx, 94 * fy), QPointF(139 * fx, 94 * fy));
}
