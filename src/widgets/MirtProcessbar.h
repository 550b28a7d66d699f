#pragma once
// The battery bar: the bar itself, then its own text in white.

#include <QProgressBar>

class MirtProcessbar : public QProgressBar
{
    Q_OBJECT

public:
    explicit MirtProcessbar(QWidget *parent = nullptr);

    // The bar's own caption, painted over the bar (empty: none).
    void SetText(const QString &text);
    QString GetText() const { return m_strText; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_strText;
};
