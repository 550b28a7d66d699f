#include "MirtReportRate.h"

#include "Log.h"
#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtPushButton.h"
#include "PageStyle.h"
#include "PerformanceModel.h"
#include "RatePlot.h"
#include "ReportRateRun.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {
constexpr double kPanelWidth = 149.0;
constexpr double kPanelHeight = 334.0;
const QColor kWarningColor(235, 90, 70);
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
      m_pLiftGroup(new QButtonGroup(this)), m_pLift1(new QRadioButton(this)),
      m_pLift2(new QRadioButton(this)), m_pTestBtn(new QPushButton(this)),
      m_pMedianLabel(new MirtLabel(QString(), this)), m_pLowLabel(new MirtLabel(QString(), this)),
      m_pPlot(new RatePlot(this)), m_pTestStatus(new MirtLabel(QString(), this))
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

    m_pTestBtn->setObjectName(QStringLiteral("testRateButton"));
    m_pTestBtn->setStyleSheet(PageStyle::buttonSheet());
    m_pTestBtn->setFont(MirtKit::languageFont(11));
    m_pTestBtn->setCursor(Qt::PointingHandCursor);
    connect(m_pTestBtn, &QPushButton::clicked, this, &MirtReportRate::startRateTest);
    m_pMedianLabel->setObjectName(QStringLiteral("rateMedianLabel"));
    m_pLowLabel->setObjectName(QStringLiteral("rateLowLabel"));
    m_pTestStatus->setObjectName(QStringLiteral("rateTestStatus"));
    m_pPlot->setObjectName(QStringLiteral("ratePlot"));
    for (MirtLabel *label : {m_pMedianLabel, m_pLowLabel})
        label->SetFontSize(11);
    m_pTestStatus->SetFontSize(10);
    m_pTestStatus->setWordWrap(true);
    m_pTestStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    retranslate();
    setEnabled(false); // until a profile is shown
}

void MirtReportRate::setMouseCollectionSource(std::function<QByteArray()> source)
{
    m_mouseSource = std::move(source);
}

bool MirtReportRate::startRateTest()
{
    if (!m_ProfileData || (m_pRun && m_pRun->running()))
        return false;
    const QByteArray path = m_mouseSource ? m_mouseSource() : QByteArray();
    m_pPlot->setResult({});
    if (path.isEmpty()) {
        m_testState = TestState::NoMouse;
        showTestResult();
        return false;
    }
    if (!m_pRun) {
        m_pRun = new ReportRateRun(this);
        connect(m_pRun, &ReportRateRun::progress, this, &MirtReportRate::onTestProgress);
        connect(m_pRun, &ReportRateRun::finished, this, &MirtReportRate::onTestFinished);
    }
    const int chosenHz = PerformanceModel::rateHz(m_ProfileData->pollrate);
    if (!m_pRun->start(path, chosenHz, ReportRate::kDefaultSeconds))
        return false;
    m_testState = TestState::Running;
    m_secondsLeft = ReportRate::kDefaultSeconds;
    m_pTestBtn->setEnabled(false);
    showTestResult();
    return true;
}

void MirtReportRate::onTestProgress(int elapsedMs)
{
    m_secondsLeft = std::max(1, ReportRate::kDefaultSeconds - elapsedMs / 1000);
    showTestResult();
}

void MirtReportRate::onTestFinished(const ReportRate::Result &result, const QString &error)
{
    m_pTestBtn->setEnabled(true);
    m_testError = error;
    if (!error.isEmpty())
        m_testState = TestState::Failed;
    else if (!result.enoughMotion())
        m_testState = TestState::NoMotion;
    else
        m_testState = TestState::Done;
    m_pPlot->setResult(m_testState == TestState::Done ? result : ReportRate::Result{});
    showTestResult();
}

void MirtReportRate::showTestResult()
{
    const ReportRate::Result &r = m_pPlot->result();
    const bool figures = m_testState == TestState::Done;
    m_pMedianLabel->setText(figures ? tr("Median %1 Hz").arg(ReportRate::roundedHz(r.medianHz)) : QString());
    m_pLowLabel->setText(figures ? tr("5th percentile %1 Hz").arg(ReportRate::roundedHz(r.lowHz))
                                 : QString());
    const bool warn = figures && r.belowChosen();
    m_pMedianLabel->SetTextColor(warn ? kWarningColor : MirtKit::accentColor());
    m_pTestStatus->SetTextColor(warn || m_testState == TestState::Failed ? kWarningColor : QColor());
    QString status, details;
    switch (m_testState) {
    case TestState::Idle:
        status = tr("Press, then move the mouse for 3 s.");
        break;
    case TestState::Running:
        status = tr("Keep moving the mouse... %1 s").arg(m_secondsLeft);
        break;
    case TestState::NoMouse:
        status = tr("No mouse to test.");
        break;
    case TestState::Failed:
        status = tr("The test could not read the mouse.");
        details = m_testError;
        break;
    case TestState::NoMotion:
        status = tr("The mouse hardly moved: try again.");
        break;
    case TestState::Done:
        if (warn) {
            status = tr("Below 90 % of %1 Hz.\nHub, port or distance?").arg(r.chosenHz);
            details = tr("The mouse delivers less than 90 % of its report rate. Likely causes: a USB hub "
                         "or a power-saving port between the computer and the receiver (plug it straight "
                         "into another port), or the mouse too far from its receiver.");
        } else {
            status = tr("The mouse delivers its rate.");
        }
        break;
    }
    m_pTestStatus->setText(status);
    m_pTestStatus->setToolTip(details);
    m_pTestStatus->setAccessibleDescription(details);
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
    m_pTestBtn->setText(tr("TEST RATE"));
    m_pTestBtn->setToolTip(tr("Measure the report rate that arrives while you move the mouse"));
    showRate();
    showTestResult();
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
    place(m_pTestBtn, 10, 206, 129, 24);
    place(m_pMedianLabel, 10, 233, 134, 17);
    place(m_pLowLabel, 10, 250, 134, 17);
    place(m_pPlot, 10, 270, 129, 32);
    place(m_pTestStatus, 10, 304, 136, 29);
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
    painter.drawLine(QPointF(10 * fx, 200 * fy), QPointF(139 * fx, 200 * fy));
}
