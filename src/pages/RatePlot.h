#pragma once
// A small plot of a report-rate measurement: the rate of each 100 ms window
// over the time of the test, against the chosen rate, in the skin's colours.

#include "ReportRate.h"

#include <QWidget>

class RatePlot : public QWidget
{
    Q_OBJECT
public:
    explicit RatePlot(QWidget *parent = nullptr);

    // Shows RESULT (its windows and chosen rate); an empty result clears the plot.
    void setResult(const ReportRate::Result &result);
    const ReportRate::Result &result() const { return m_result; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ReportRate::Result m_result;
};
