#include "FieldRevert.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Lives as the field's child: watches its Enter and focus-out.
class Reverter : public QObject
{
public:
    Reverter(QLineEdit *edit, std::function<void()> showStored)
        : QObject(edit), m_edit(edit), m_showStored(std::move(showStored))
    {
        edit->installEventFilter(this);
        QObject::connect(edit, &QLineEdit::editingFinished, this, [this] { m_showStored(); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A field on its way out (its QWidget part clears the focus) is no longer a QLineEdit.
        if (watched == m_edit && qobject_cast<QLineEdit *>(watched) && !m_edit->hasAcceptableInput()) {
            const bool enter = event->type() == QEvent::KeyPress &&
                               (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                                static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter);
            if (enter || event->type() == QEvent::FocusOut)
                m_showStored();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *m_edit;
    std::function<void()> m_showStored;
};

} // namespace

namespace FieldRevert {

void install(QLineEdit *edit, std::function<void()> showStored)
{
    new Reverter(edit, std::move(showStored));
}

void keepLastAccepted(QLineEdit *edit)
{
    // The stored value: what the program set (not typed: isModified() is false
    // after setText) and what the field finished with.
    auto *stored = new QObject(edit);
    stored->setProperty("value", edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, stored, [edit, stored](const QString &text) {
        if (!edit->isModified() && edit->hasAcceptableInput())
            stored->setProperty("value", text);
    });
    QObject::connect(edit, &QLineEdit::editingFinished, stored,
                     [edit, stored] { stored->setProperty("value", edit->text()); });
    install(edit, [edit, stored] {
        const QString value = stored->property("value").toString();
        if (edit->text() != value)
            edit->setText(value);
    });
}

} // namespace FieldRevert
