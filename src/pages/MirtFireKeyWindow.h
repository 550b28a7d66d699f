#pragma once
// "FIRE KEY": what the button fires (left, right or middle button, or a
// keyboard key), how many times and with what delay.

#include "MirtKeyDialog.h"

#include <array>

class MirtLabel;
class QCheckBox;
class QLineEdit;

class MirtFireKeyWindow : public MirtKeyDialog
{
    Q_OBJECT

public:
    explicit MirtFireKeyWindow(QWidget *parent = nullptr);

    // Filled from a record that holds the fire key.
    void fill(const ButtonAssignment &button);
    // Source, key, and the Times and Delay texts read in base 10 (empty: 0).
    ButtonModel::FireSettings settings() const;
    QCheckBox *sourceBox(int source) const { return m_boxes[size_t(source)]; }
    QLineEdit *timesEdit() const { return m_pTimesEdit; }
    QLineEdit *delayEdit() const { return m_pDelayEdit; }

signals:
    void SetFireKeyValue(uchar iKey, uchar iSource, int iTimes, int iDelay);

public slots:
    void OnEditDataChanged(const QString &text);
    void checkbtn_clicked();
    void onEditReturn();

protected:
    void keyEvent(int keyIndex, uint32_t flags) override;
    bool wantsKeyEvent(QObject *watched) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setSource(int source);

    std::array<QCheckBox *, 4> m_boxes{};
    MirtLabel *m_pTimesLabel;
    MirtLabel *m_pDelayLabel;
    QLineEdit *m_pTimesEdit;
    QLineEdit *m_pDelayEdit;
    int m_iSource = ButtonModel::kFireLeft;
    int m_iKey = 0;
    bool m_bCapturing = false;
    bool m_bSkipOnce = false;
    bool m_bFromField = false; // the event came up from a number field
};
