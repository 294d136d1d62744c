#pragma once
// A small bar chart of each press's load over the period before and after 自動計画: one
// line per press, its label, a grey bar before and a blue bar after, each with its percent.
// The bars share one scale, at least 100 %, with the 100 % line drawn.

#include "editing/PeriodLoad.h"

#include <QWidget>

class ChartRows;

class AutoPlanLoadChart : public QWidget
{
    Q_OBJECT
public:
    struct Press
    {
        QString label;
        int before = 0; // percent
        int after = 0;
    };

    AutoPlanLoadChart(const ChartRows &rows, const std::vector<RowPeriodLoad> &before,
                      const std::vector<RowPeriodLoad> &after, QWidget *parent = nullptr);

    const std::vector<Press> &presses() const { return m_presses; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int labelWidth() const;
    int lineHeight() const;

    std::vector<Press> m_presses;
    int m_scale = 100; // the percent of a full-width bar
};
