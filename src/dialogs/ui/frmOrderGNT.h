#pragma once
// frmOrderGNT "生産計画別ガントチャート": every lot of one production plan, across the machines
// and subcontractors it runs on, over the time from its first start to its last end. The bars
// have the chart's colours and captions; the lot the window was opened from is framed.

#include <QDateTime>
#include <QDialog>
#include <QStringList>
#include <vector>

class ChartRows;
class PlanStore;

// One bar of the window: a lot of the plan on its row.
struct OrderGanttBar
{
    qint64 lot = 0;
    int row = 0; // index into the window's rows
    QDateTime start;
    QDateTime end;
};

// The rows and bars of a production plan, rows in chart order, the unassigned row first.
struct OrderGanttPlan
{
    QStringList rowCaptions;
    std::vector<OrderGanttBar> bars;
    QDateTime first;
    QDateTime last;
};

OrderGanttPlan orderGanttPlan(const PlanStore &store, const ChartRows &rows, qint64 planNo);

class frmOrderGNT : public QDialog
{
    Q_OBJECT
public:
    frmOrderGNT(const PlanStore &store, const ChartRows &rows, qint64 barIndex, qint64 planNo,
                QWidget *parent = nullptr);

    const OrderGanttPlan &plan() const { return m_plan; }
    qint64 barIndex() const { return m_bar; }

private:
    OrderGanttPlan m_plan;
    qint64 m_bar;
};
