#pragma once
// The skin's message box for the profile commands' questions and reports
// that MirtMessageBox cannot hold: any number of answers (overwrite, keep
// both, skip) and a detail text shown on demand (the entries of an import
// report). Same face as MirtMessageBox: the dialog picture framed in the
// accent colour, the warning icon, the skin's buttons.

#include <QDialog>
#include <QStringList>
#include <QVector>

class QLabel;
class QPlainTextEdit;
class MirtPushButton;

class ProfileQuestionBox : public QDialog
{
    Q_OBJECT

public:
    // ANSWERS are the button captions, left to right; the last one is what
    // Escape and Enter choose (the safe answer). DETAILS, when not empty,
    // adds a "Details" button that shows it below the message.
    ProfileQuestionBox(const QString &message, const QStringList &answers, QWidget *parent = nullptr,
                       const QString &details = QString());

    // Runs the box; returns the index of the answer chosen.
    int ask();
    int answer() const { return m_answer; }

    MirtPushButton *answerButton(int index) const { return m_buttons.value(index); }
    MirtPushButton *detailsButton() const { return m_detailsButton; }
    QPlainTextEdit *detailsView() const { return m_details; }

public slots:
    void showDetails(bool show);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPixmap m_background;
    QLabel *m_label = nullptr;
    QVector<MirtPushButton *> m_buttons;
    MirtPushButton *m_detailsButton = nullptr;
    QPlainTextEdit *m_details = nullptr;
    int m_answer = -1;
};
