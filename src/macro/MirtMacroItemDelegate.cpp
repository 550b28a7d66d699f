#include "MirtMacroItemDelegate.h"

#include "MacroFile.h"
#include "MacroModel.h"
#include "MirtKit.h"

#include <QPainter>

MirtMacroItemDelegate::MirtMacroItemDelegate(int delayUnit, QObject *parent)
    : QItemDelegate(parent), m_iDelayUnit(qMax(1, delayUnit)),
      m_keyDown(MirtKit::skinPixmap(QStringLiteral("/skin/keydown.png"))),
      m_keyUp(MirtKit::skinPixmap(QStringLiteral("/skin/keyup.png"))),
      m_mouseDown(MirtKit::skinPixmap(QStringLiteral("/skin/mousedown.png"))),
      m_mouseUp(MirtKit::skinPixmap(QStringLiteral("/skin/mouseup.png"))),
      m_move(MirtKit::skinPixmap(QStringLiteral("/skin/move.png"))),
      m_delay(MirtKit::skinPixmap(QStringLiteral("/skin/delay.png")))
{
}

MacroEvent MirtMacroItemDelegate::rowEvent(const QModelIndex &index)
{
    auto byte = [&index](int column) {
        return uint8_t(index.sibling(index.row(), column).data(Qt::EditRole).toString().toInt() & 0xff);
    };
    return {byte(0), byte(1), byte(2)};
}

QString MirtMacroItemDelegate::columnText(const MacroEvent &e, int column, int delayUnit)
{
    switch (column) {
    case 0:
        return MacroModel::rowName(e, delayUnit);
    case 1:
        return MacroModel::rowAction(e);
    default:
        return MacroModel::isDelayRow(e) ? QString::number(MacroFile::delayMs(e, delayUnit)) : QString();
    }
}

QPixmap MirtMacroItemDelegate::iconFor(const MacroEvent &e) const
{
    if (MacroModel::isKeyRow(e))
        return MacroModel::isPress(e) ? m_keyDown : m_keyUp;
    if (MacroModel::isButtonRow(e))
        return MacroModel::isPress(e) ? m_mouseDown : m_mouseUp;
    if (MacroModel::isMoveRow(e))
        return m_move;
    return m_delay;
}

void MirtMacroItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const MacroEvent e = rowEvent(index);
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? MirtKit::accentColor().darker(160) : MirtKit::panelColor());
    QRect text = option.rect.adjusted(MirtKit::scaled(6), 0, -MirtKit::scaled(4), 0);
    if (index.column() == 0) {
        const QPixmap icon = iconFor(e);
        const int side = option.rect.height() - MirtKit::scaled(6);
        if (!icon.isNull() && side > 0) {
            const QRect target(text.left(), option.rect.top() + (option.rect.height() - side) / 2, side,
                               side);
            painter->drawPixmap(target, icon);
            text.setLeft(target.right() + MirtKit::scaled(6));
        }
    }
    painter->setFont(MirtKit::languageFont(12));
    painter->setPen(selected ? Qt::white : MirtKit::textColor());
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, columnText(e, index.column(), m_iDelayUnit));
    painter->restore();
}

QSize MirtMacroItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QSize(QItemDelegate::sizeHint(option, index).width(), MirtKit::scaled(22));
}
