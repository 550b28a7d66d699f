#include "ProfileQuestionBox.h"

#include "MirtKit.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// The message box's own measures (MirtMessageBox), in design pixels.
constexpr int kWidth = 478;
constexpr int kHeight = 309;
constexpr int kDetailsHeight = 220;
constexpr int kSpace = 30;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 34;

QString rgb(const QColor &c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

ProfileQuestionBox::ProfileQuestionBox(const QString &message, const QStringList &answers, QWidget *parent,
                                       const QString &details)
    : QDialog(parent, Qt::FramelessWindowHint)
{
    MirtKit::initResources();
    setObjectName(QStringLiteral("ProfileQuestionBox"));
    setAttribute(Qt::WA_TranslucentBackground, true);
    setFixedSize(MirtKit::scaled(kWidth), MirtKit::scaled(kHeight));
    setWindowTitle(tr("Warning"));
    setModal(true);
    m_background = MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png"));
    const int space = MirtKit::scaled(kSpace);

    auto *icon = new QLabel(this);
    icon->setFixedSize(MirtKit::scaled(45), MirtKit::scaled(45));
    icon->setScaledContents(true);
    icon->setPixmap(MirtKit::skinPixmap(QStringLiteral("/skin/warn.png"))
                        .scaled(icon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setAccessibleName(tr("Warning"));

    m_label = new QLabel(message, this);
    m_label->setObjectName(QStringLiteral("questionBoxText"));
    m_label->setFont(MirtMessageBox::messageFont());
    m_label->setWordWrap(true);
    m_label->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(rgb(MirtKit::textColor())));
    m_label->setAccessibleName(message);

    auto *row1 = new QHBoxLayout;
    row1->setSpacing(0);
    row1->addSpacing(space);
    row1->addWidget(icon, 0, Qt::AlignVCenter);
    row1->addSpacing(space);
    row1->addWidget(m_label, 1);
    row1->addSpacing(space);

    const QSize buttonSize(MirtKit::scaled(kButtonWidth), MirtKit::scaled(kButtonHeight));
    auto makeButton = [&](const QString &picture, const QString &text, const QString &name) {
        auto *button = new MirtPushButton({picture}, this);
        button->setObjectName(name);
        button->setFixedSize(buttonSize);
        button->SetFontSize(14);
        button->setText(text);
        button->setAutoDefault(false);
        return button;
    };
    auto *row2 = new QHBoxLayout;
    row2->setSpacing(MirtKit::scaled(12));
    row2->addStretch(1);
    for (int i = 0; i < answers.size(); ++i) {
        // The first answer wears the "yes" face, the others the "no" face.
        MirtPushButton *button = makeButton(i == 0 ? QStringLiteral(":/yes_Btn") : QStringLiteral(":/no_Btn"),
                                            answers.at(i), QStringLiteral("questionBoxAnswer%1").arg(i));
        connect(button, &QAbstractButton::released, this, [this, i] {
            m_answer = i;
            accept();
        });
        m_buttons.append(button);
        row2->addWidget(button);
    }
    if (!m_buttons.isEmpty()) {
        // Enter alone takes the safe answer, as the message box's "No".
        m_buttons.last()->setDefault(true);
        setFocusProxy(m_buttons.last());
    }

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, space, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(row1, 1);

    if (!details.isEmpty()) {
        m_detailsButton =
            makeButton(QStringLiteral(":/no_Btn"), tr("Details"), QStringLiteral("questionBoxDetailsBtn"));
        m_detailsButton->setCheckable(true);
        connect(m_detailsButton, &QAbstractButton::toggled, this, &ProfileQuestionBox::showDetails);
        row2->addWidget(m_detailsButton);

        m_details = new QPlainTextEdit(details, this);
        m_details->setObjectName(QStringLiteral("questionBoxDetails"));
        m_details->setReadOnly(true);
        m_details->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        QFont font = MirtMessageBox::messageFont();
        font.setWeight(QFont::Normal);
        font.setPixelSize(qMax(1, MirtKit::scaled(12)));
        m_details->setFont(font);
        m_details->setStyleSheet(
            QStringLiteral("QPlainTextEdit { color: %1; background: %2; border: 1px solid %3; }")
                .arg(rgb(MirtKit::textColor()), rgb(MirtKit::panelColor()), rgb(MirtKit::accentColor())));
        m_details->setVisible(false);
        auto *row3 = new QHBoxLayout;
        row3->setContentsMargins(space, 0, space, 0);
        row3->addWidget(m_details);
        outer->addLayout(row3);
    }
    row2->addStretch(1);
    outer->addSpacing(MirtKit::scaled(12));
    outer->addLayout(row2);
    outer->addSpacing(space);
}

int ProfileQuestionBox::ask()
{
    m_answer = -1;
    exec();
    // Closed without a button (Escape): the safe answer.
    if (m_answer < 0)
        m_answer = m_buttons.size() - 1;
    return m_answer;
}

void ProfileQuestionBox::showDetails(bool show)
{
    if (!m_details)
        return;
    m_details->setVisible(show);
    setFixedSize(MirtKit::scaled(kWidth), MirtKit::scaled(kHeight + (show ? kDetailsHeight : 0)));
}

void ProfileQuestionBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    MirtKit::paintDialog(p, rect(), m_background);
}

void ProfileQuestionBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_answer = m_buttons.size() - 1;
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
