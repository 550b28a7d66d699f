#pragma once
// A menu action in the language font.

#include <QAction>

class MirtAction : public QAction
{
    Q_OBJECT

public:
    explicit MirtAction(QObject *parent = nullptr);
    MirtAction(const QString &text, QObject *parent = nullptr);

    // Sets the text and applies the language font again.
    void setText(const QString &text);
    // Applies the current language font (pixel size × scale factor).
    void applyFont();
};
