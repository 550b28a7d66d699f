#include "MirtAction.h"

#include "MirtKit.h"

MirtAction::MirtAction(QObject *parent) : QAction(parent)
{
    applyFont();
}

MirtAction::MirtAction(const QString &text, QObject *parent) : QAction(text, parent)
{
    applyFont();
}

void MirtAction::setText(const QString &text)
{
    QAction::setText(text);
    applyFont();
}

void MirtAction::applyFont()
{
    setFont(MirtKit::languageFont());
}
