#include "MirtLineEdit.h"

MirtLineEdit::MirtLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void MirtLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit mirtLostFocus();
}
