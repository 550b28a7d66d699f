#include "MirtPointSpeed.h"

#include "Log.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtSlider.h"
#include "MouseSettingsLauncher.h"
#include "PageStyle.h"

#include <QCheckBox>
#include <QDebug>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
constexpr double kPanelWidth = 506.0;
constexpr double kPanelHeight = 77.0;
constexpr int kSpeedDefault = 10;
} // namespace

MirtPointSpeed::MirtPointSpeed(QWidget *parent)
    : QWidget(parent), m_pMouseSettingBtn(new QPushButton(this)),
      m_pSpeedTitle(new MirtLabel(QString(), this)), m_pSpeedSlider(new MirtSlider(this)),
      m_pSpeedValue(new MirtLabel(QString(), this)), m_pScrollTitle(new MirtLabel(QString(), this)),
      m_pScrollBox(new QSpinBox(this)), m_pKeyTitle(new MirtLabel(QString(), this)),
      m_pKeySlider(new MirtSlider(this)), m_pKeyValue(new MirtLabel(QString(), this)),
      m_pSyncTitle(new MirtLabel(QString(), this)), m_pSyncOn(makeBox()), m_pSyncOff(makeBox()),
      m_pLiftTitle(new MirtLabel(QString(), this)), m_pLift1(makeBox()), m_pLift2(makeBox()),
      m_pAngleTitle(new MirtLabel(QString(), this)), m_pAngleOn(makeBox()), m_pAngleOff(makeBox()),
      m_pJitterTitle(new MirtLabel(QString(), this)), m_pJitterOn(makeBox()), m_pJitterOff(makeBox())
{
    setObjectName(QStringLiteral("MirtPointSpeed"));
    m_pMouseSettingBtn->setObjectName(QStringLiteral("mouseSetting"));
    m_pMouseSettingBtn->setStyleSheet(PageStyle::buttonSheet());
    m_pMouseSettingBtn->setFont(MirtKit::languageFont(12));
    m_pMouseSettingBtn->setCursor(Qt::PointingHandCursor);

    for (MirtLabel *title : {m_pSpeedTitle, m_pScrollTitle, m_pKeyTitle, m_pSyncTitle, m_pLiftTitle,
                             m_pAngleTitle, m_pJitterTitle})
        title->SetFontSize(11);
    m_pSpeedValue->SetFontSize(11);
    m_pKeyValue->SetFontSize(11);
    m_pSpeedValue->SetBold(true);
    m_pKeyValue->SetBold(true);

    m_pKeySlider->setOrientation(Qt::Horizontal);
    m_pKeySlider->setRange(kDebounceMin, kDebounceMax);
    m_pKeySlider->setSingleStep(1);
    m_pKeySlider->setPageStep(1);
    m_pKeySlider->setStyleSheet(PageStyle::sliderSheet());
    m_pKeySlider->setObjectName(QStringLiteral("keyResponse"));

    m_pSpeedSlider->setOrientation(Qt::Horizontal);
    m_pSpeedSlider->setRange(PerformanceModel::kPointerSpeedRange.minimum,
                             PerformanceModel::kPointerSpeedRange.maximum);
    m_pSpeedSlider->setSingleStep(1);
    m_pSpeedSlider->setPageStep(1);
    m_pSpeedSlider->setStyleSheet(PageStyle::sliderSheet());
    m_pSpeedSlider->setObjectName(QStringLiteral("pointerSpeed"));
    m_pSpeedSlider->setValue(kSpeedDefault);

    m_pScrollBox->setRange(kScrollMin, kScrollMax);
    m_pScrollBox->setStyleSheet(PageStyle::spinBoxSheet());
    m_pScrollBox->setFont(MirtKit::languageFont());
    m_pScrollBox->setObjectName(QStringLiteral("scrollSpeed"));

    connect(m_pScrollBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &MirtPointSpeed::sValueChangedSlot);
    connect(m_pKeySlider, &QSlider::valueChanged, this, &MirtPointSpeed::onKeyResponseChanged);
    connect(m_pSpeedSlider, &QSlider::valueChanged, this, &MirtPointSpeed::onPointerSpeedChanged);
    connect(m_pSpeedSlider, &QSlider::sliderReleased, this, [this] {
        if (m_pProfile)
            emit PointerSpeedSignal(quint8(m_pSpeedSlider->value()));
    });
    connect(m_pMouseSettingBtn, &QPushButton::clicked, this, &MirtPointSpeed::onMouseSettingClicked);
    for (QCheckBox *box :
         {m_pSyncOn, m_pSyncOff, m_pLift1, m_pLift2, m_pAngleOn, m_pAngleOff, m_pJitterOn, m_pJitterOff})
        connect(box, &QCheckBox::clicked, this, &MirtPointSpeed::checkbtn_clicked);

    m_pKeySlider->setValue(m_settings.debounce);
    m_pKeyValue->setNum(m_settings.debounce);
    m_pSpeedValue->setNum(kSpeedDefault);
    showPairs();
    retranslate();
    setMouseSettingsLauncher(nullptr);
    setEnabled(false); // until a profile is shown
}

QCheckBox *MirtPointSpeed::makeBox()
{
    auto *box = new QCheckBox(this);
    box->setStyleSheet(PageStyle::checkBoxSheet());
    box->setFont(MirtKit::languageFont(11));
    return box;
}

void MirtPointSpeed::retranslate()
{
    m_pMouseSettingBtn->setText(tr("Mouse Setting"));
    showMouseSettingsTip();
    m_pSpeedTitle->setText(tr("POINTER SPEED"));
    m_pScrollTitle->setText(tr("SCROLL SPEED"));
    m_pKeyTitle->setText(tr("Key Response"));
    m_pSyncTitle->setText(tr("Enable sync"));
    m_pLiftTitle->setText(tr("Lift Distance"));
    m_pAngleTitle->setText(tr("Angle Snapping"));
    m_pJitterTitle->setText(tr("Jitter"));
    m_pSyncOn->setText(tr("ON"));
    m_pSyncOff->setText(tr("OFF"));
    m_pLift1->setText(tr("1mm"));
    m_pLift2->setText(tr("2mm"));
    m_pAngleOn->setText(tr("ON"));
    m_pAngleOff->setText(tr("OFF"));
    m_pJitterOn->setText(tr("ON"));
    m_pJitterOff->setText(tr("OFF"));
    m_pSyncOn->setAccessibleName(tr("Enable sync ON"));
    m_pSyncOff->setAccessibleName(tr("Enable sync OFF"));
    m_pLift1->setAccessibleName(tr("Lift Distance 1mm"));
    m_pLift2->setAccessibleName(tr("Lift Distance 2mm"));
    m_pAngleOn->setAccessibleName(tr("Angle Snapping ON"));
    m_pAngleOff->setAccessibleName(tr("Angle Snapping OFF"));
    m_pJitterOn->setAccessibleName(tr("Jitter ON"));
    m_pJitterOff->setAccessibleName(tr("Jitter OFF"));
    m_pKeySlider->setAccessibleName(tr("Key Response"));
    m_pScrollBox->setAccessibleName(tr("SCROLL SPEED"));
    m_pSpeedSlider->setAccessibleName(tr("POINTER SPEED"));
    setPointerSpeedAvailable(m_bPointerSpeedAvailable);
}

void MirtPointSpeed::setData(ProfileData *profile, quint8 iSync, quint8 iLift, quint8 iAngle, quint8 iJitter,
                             quint8 iDebounce)
{
    m_pProfile = profile;
    m_settings = PerformanceModel::SensorSettings::fromValues(iSync, iLift, iAngle, iJitter, iDebounce);
    {
        const QSignalBlocker blocker(m_pKeySlider);
        m_pKeySlider->setValue(m_settings.debounce);
    }
    m_pKeyValue->setNum(m_settings.debounce);
    if (profile) {
        const QSignalBlocker b1(m_pScrollBox);
        m_pScrollBox->setValue(profile->scrollspeed);
        const QSignalBlocker b2(m_pSpeedSlider);
        m_pSpeedSlider->setValue(profile->mousespeed);
        m_pSpeedValue->setNum(m_pSpeedSlider->value());
    }
    showPairs();
    setEnabled(profile != nullptr);
}

void MirtPointSpeed::setLift(quint8 iLift)
{
    m_settings.setLift(PerformanceModel::shownLift(iLift));
    showPairs();
}

void MirtPointSpeed::collectInto(ProfileSet &set) const
{
    m_settings.applyTo(set);
}

void MirtPointSpeed::showPairs()
{
    auto tick = [](QCheckBox *on, QCheckBox *off, bool first) {
        const QSignalBlocker b1(on);
        const QSignalBlocker b2(off);
        on->setChecked(first);
        off->setChecked(!first);
    };
    tick(m_pSyncOn, m_pSyncOff, m_settings.syncOn());
    tick(m_pLift1, m_pLift2, m_settings.lift == 1);
    tick(m_pAngleOn, m_pAngleOff, m_settings.angleSnappingOn());
    tick(m_pJitterOn, m_pJitterOff, m_settings.jitterFilterOn());
}

void MirtPointSpeed::checkbtn_clicked()
{
    auto *box = qobject_cast<QCheckBox *>(sender());
    if (!box)
        return;
    if (box == m_pSyncOn || box == m_pSyncOff) {
        m_settings.setSync(box == m_pSyncOn);
    } else if (box == m_pLift1 || box == m_pLift2) {
        const quint8 before = m_settings.lift;
        m_settings.setLift(box == m_pLift1 ? 1 : 2);
        showPairs();
        if (m_settings.lift != before)
            emit RefreshLift(m_settings.lift);
        return;
    } else if (box == m_pAngleOn || box == m_pAngleOff) {
        m_settings.setAngleSnapping(box == m_pAngleOn);
    } else if (box == m_pJitterOn || box == m_pJitterOff) {
        m_settings.setJitterFilter(box == m_pJitterOn);
    }
    showPairs();
    emit SensorSettingsChanged();
}

void MirtPointSpeed::sValueChangedSlot(int iValue)
{
    if (m_pProfile)
        PerformanceModel::setScrollSpeed(*m_pProfile, iValue);
    qCDebug(lcPages, "slider_clicked 1 = %d", iValue);
}

void MirtPointSpeed::onKeyResponseChanged(int iValue)
{
    m_settings.setDebounce(PerformanceModel::kDebounceRange.clamped(iValue));
    qCDebug(lcPages, "slider_clicked 1 = %d", iValue);
    m_pKeyValue->setNum(m_settings.debounce);
    emit SensorSettingsChanged();
}

void MirtPointSpeed::onPointerSpeedChanged(int iValue)
{
    m_pSpeedValue->setNum(iValue);
    if (!m_pProfile)
        return;
    PerformanceModel::setPointerSpeed(*m_pProfile, iValue);
    if (!m_pSpeedSlider->isSliderDown())
        emit PointerSpeedSignal(quint8(iValue));
}

void MirtPointSpeed::setPointerSpeedAvailable(bool bAvailable)
{
    m_bPointerSpeedAvailable = bAvailable;
    m_pSpeedSlider->setEnabled(bAvailable);
    m_pSpeedTitle->setEnabled(bAvailable);
    m_pSpeedValue->setEnabled(bAvailable);
    const QString tip = bAvailable ? tr("Pointer speed of the desktop, kept with the profile")
                                   : tr("This desktop's pointer speed cannot be changed from here; "
                                        "the value is kept with the profile");
    m_pSpeedSlider->setToolTip(tip);
    m_pSpeedTitle->setToolTip(tip);
}

void MirtPointSpeed::setMouseSettingsLauncher(MouseSettingsLauncher *launcher)
{
    m_pLauncher = launcher;
    m_pMouseSettingBtn->setEnabled(launcher && launcher->isAvailable());
    showMouseSettingsTip();
}

void MirtPointSpeed::showMouseSettingsTip()
{
    // What the button does, or why it cannot: in the language shown now.
    m_pMouseSettingBtn->setToolTip(m_pLauncher && m_pLauncher->isAvailable()
                                       ? tr("Open the desktop's mouse settings")
                                       : tr("No mouse settings program was found on this desktop"));
}

void MirtPointSpeed::setShowMouseButton(bool bShow)
{
    m_bShowMouseButton = bShow;
    m_pMouseSettingBtn->setVisible(bShow);
}

void MirtPointSpeed::onMouseSettingClicked()
{
    if (!m_pLauncher)
        return;
    if (!m_pLauncher->open()) {
        qCDebug(lcPages) << "mouse settings:" << m_pLauncher->errorString();
        emit MouseSettingFailed(m_pLauncher->errorString());
    }
}

void MirtPointSpeed::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPanel();
}

void MirtPointSpeed::layoutPanel()
{
    const double fx = width() / kPanelWidth;
    const double fy = height() / kPanelHeight;
    auto place = [fx, fy](QWidget *w, double x, double y, double ww, double hh) {
        w->setGeometry(int(x * fx), int(y * fy), int(ww * fx), int(hh * fy));
    };
    const double r1 = 3, r2 = 28, r3 = 52, h = 22;
    place(m_pMouseSettingBtn, 6, r1, 106, h);
    place(m_pSpeedTitle, 122, r1, 92, h);
    place(m_pSpeedSlider, 214, r1, 118, h);
    place(m_pSpeedValue, 336, r1, 24, h);
    place(m_pScrollTitle, 370, r1, 84, h);
    place(m_pScrollBox, 454, r1 + 1, 46, h - 2);

    place(m_pKeyTitle, 6, r2, 84, h);
    place(m_pKeySlider, 92, r2, 118, h);
    place(m_pKeyValue, 214, r2, 24, h);
    place(m_pSyncTitle, 250, r2, 84, h);
    place(m_pSyncOn, 336, r2, 50, h);
    place(m_pSyncOff, 388, r2, 56, h);

    place(m_pLiftTitle, 6, r3, 76, h);
    place(m_pLift1, 84, r3, 54, h);
    place(m_pLift2, 140, r3, 54, h);
    place(m_pAngleTitle, 198, r3, 88, h);
    place(m_pAngleOn, 286, r3, 44, h);
    place(m_pAngleOff, 330, r3, 50, h);
    place(m_pJitterTitle, 384, r3, 34, h);
    place(m_pJitterOn, 418, r3, 42, h);
    place(m_pJitterOff, 460, r3, 46, h);
}

void MirtPointSpeed::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor panel = MirtKit::panelColor();
    panel.setAlpha(220);
    painter.setPen(QPen(QColor(55, 55, 60), 1));
    painter.setBrush(panel);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}
