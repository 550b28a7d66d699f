#pragma once
// A line edit that reports losing the keyboard focus.

#include <QLineEdit>

class MirtLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MirtLineEdit(QWidget *parent = nullptr);

signals:
    void mirtLostFocus();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
