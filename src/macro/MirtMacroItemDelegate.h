#pragma once
// Draws the macro editor's event rows: the model holds type, high and low as
// decimal text in its three columns; the delegate shows the key, button,
// movement or delay with its icon, the action (Press, Release or the
// distance) and the delay in milliseconds.

#include <QItemDelegate>
#include <QPixmap>

struct MacroEvent;

class MirtMacroItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit MirtMacroItemDelegate(int delayUnit, QObject *parent = nullptr);

    // The texts of the three columns for a row.
    static QString columnText(const MacroEvent &e, int column, int delayUnit);
    static MacroEvent rowEvent(const QModelIndex &index);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPixmap iconFor(const MacroEvent &e) const;

    int m_iDelayUnit;
    QPixmap m_keyDown, m_keyUp, m_mouseDown, m_mouseUp, m_move, m_delay;
};
