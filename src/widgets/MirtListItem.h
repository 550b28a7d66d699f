#pragma once
// One numeric row of the gun set lists: a label that shows the value and an
// inline editor that replaces it while the user types a new one.

#include <QWidget>

#include <cstdint>

class MirtLabel;
class MirtLineEdit;

class MirtListItem : public QWidget
{
    Q_OBJECT

public:
    // Event type whose value is a delay: shown as (high × 256 + low) × 10.
    static constexpr int kDelayType = 6;
    static constexpr int kMinValue = 10;
    static constexpr int kMaxValue = 65530;

    explicit MirtListItem(QWidget *parent = nullptr);

    void SetType(int iType);
    int GetType() const { return m_iType; }
    // The two stored bytes; rows of type 6 show (high × 256 + low) × 10.
    void SetValue(uint8_t iHigh, uint8_t iLow);
    uint8_t GetHigh() const { return m_iHigh; }
    uint8_t GetLow() const { return m_iLow; }
    // The value the row shows for type 6: (high × 256 + low) × 10.
    int GetStoredValue() const { return (m_iHigh * 256 + m_iLow) * 10; }
    // Caption of rows of other types.
    void SetText(const QString &text);
    QString shownText() const;

    bool isEditing() const { return m_bEditing; }
    MirtLineEdit *editor() const { return m_pEdit; }
    MirtLabel *label() const { return m_pLabel; }

    // The value kept for a typed number d: at least 10, at most 65530,
    // otherwise d rounded down to a multiple of 10.
    static int clampValue(long long d);

signals:
    // The user confirmed a new value (the two stored bytes).
    void valueEdited(quint8 iHigh, quint8 iLow);

public slots:
    void editPressSlot();
    void lostFocusSlot();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void finishEditing();
    void refreshLabel();

    MirtLabel *m_pLabel = nullptr;
    MirtLineEdit *m_pEdit = nullptr;
    int m_iType = 0;
    uint8_t m_iHigh = 0;
    uint8_t m_iLow = 0;
    QString m_strText;
    bool m_bEditing = false;
};
