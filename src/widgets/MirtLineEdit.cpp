#include "MirtLineEdit.h"

#include "MirtKit.h"

MirtLineEdit::MirtLineEdit(QWidget *parent) : QLineEdit(parent)
{
    // The skin's field look; a page may replace it with its own style sheet.
    const QColor accent = MirtKit::accentColor();
    setStyleSheet(
        QStringLiteral("QLineEdit{background:#1a1c22;color:#e2e5eb;border:1px solid #3a3e48;"
                       "border-radius:%1px;padding:0 %2px;selection-background-color:rgb(%3,%4,%5);}"
                       "QLineEdit:focus{border:1px solid rgb(%3,%4,%5);}"
                       "QLineEdit:disabled{color:#62666e;}")
            .arg(MirtKit::scaled(2))
            .arg(MirtKit::scaled(4))
            .arg(accent.red())
            .arg(accent.green())
            .arg(accent.blue()));
    QFont f = MirtKit::languageFont();
    if (f.pixelSize() <= 0)
        f.setPixelSize(qMax(1, MirtKit::scaled(12)));
    setFont(f);
}

void MirtLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit mirtLostFocus();
}
