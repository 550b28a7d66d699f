#include "MirtListItem.h"

#include "Log.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtLineEdit.h"

#include <QDebug>
#include <QIntValidator>
#include <QMouseEvent>

MirtListItem::MirtListItem(QWidget *parent) : QWidget(parent)
{
    resize(MirtKit::scaled(100), MirtKit::scaled(50));
    m_pLabel = new MirtLabel(QString(), this);
    m_pLabel->resize(MirtKit::scaled(160), MirtKit::scaled(20));
    m_pEdit = new MirtLineEdit(this);
    // Six digits: anything larger than the maximum is clamped, not refused.
    m_pEdit->setValidator(new QIntValidator(0, 999999, m_pEdit));
    m_pEdit->setMaxLength(6);
    m_pEdit->hide();
    connect(m_pEdit, &MirtLineEdit::mirtLostFocus, this, &MirtListItem::lostFocusSlot);
    connect(m_pEdit, &QLineEdit::returnPressed, this, &MirtListItem::finishEditing);
}

int MirtListItem::clampValue(long long d)
{
    if (d < kMinValue)
        return kMinValue;
    if (d > kMaxValue - 1)
        return kMaxValue;
    return int(d - d % 10);
}

void MirtListItem::SetType(int iType)
{
    m_iType = iType;
    refreshLabel();
}

void MirtListItem::SetValue(uint8_t iHigh, uint8_t iLow)
{
    m_iHigh = iHigh;
    m_iLow = iLow;
    refreshLabel();
}

void MirtListItem::SetText(const QString &text)
{
    m_strText = text;
    refreshLabel();
}

QString MirtListItem::shownText() const
{
    return m_pLabel->text();
}

void MirtListItem::refreshLabel()
{
    if (m_iType == kDelayType)
        m_pLabel->setText(QString::number(GetStoredValue()));
    else
        m_pLabel->setText(m_strText);
}

void MirtListItem::editPressSlot()
{
    m_bEditing = true;
    m_pEdit->setText(m_iType == kDelayType ? QString::number(GetStoredValue()) : m_pLabel->text());
    m_pEdit->show();
    m_pEdit->setFocus(Qt::OtherFocusReason);
    m_pEdit->setCursorPosition(m_pEdit->text().size());
    m_pLabel->hide();
}

void MirtListItem::lostFocusSlot()
{
    qCDebug(lcWidgets, "lostFocusSlot\n");
    finishEditing();
}

void MirtListItem::finishEditing()
{
    if (!m_bEditing)
        return;
    m_bEditing = false;
    bool ok = false;
    const long long d = m_pEdit->text().trimmed().toLongLong(&ok);
    const int stored = clampValue(ok ? d : 0);
    const int units = stored / 10;
    m_iHigh = uint8_t((units >> 8) & 0xFF);
    m_iLow = uint8_t(units & 0xFF);
    m_pEdit->hide();
    m_pLabel->show();
    refreshLabel();
    emit valueEdited(m_iHigh, m_iLow);
}

void MirtListItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int h = MirtKit::scaled(20);
    const QRect r(0, qMax(0, (height() - h) / 2), width(), qMin(h, height()));
    m_pLabel->setGeometry(r);
    m_pEdit->setGeometry(r);
}

void MirtListItem::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_iType == kDelayType)
        editPressSlot();
    QWidget::mouseDoubleClickEvent(event);
}
