#pragma once
// What 自動計画 did, shown after it ran: the lots planned, re-timed and moved off their stored
// press, a line when it was stopped, the plan's figures before and after side by side, the
// lots left on the strip with their arrangement numbers and reasons, and each press's load
// over the period before and after as a small bar chart. 閉じる closes it.

#include "session/AutoPlanReport.h"

#include <QDialog>

class ChartRows;

class AutoPlanReportWindow : public QDialog
{
    Q_OBJECT
public:
    AutoPlanReportWindow(const AutoPlanReport &report, const PlanStore &store, const ChartRows &rows,
                         QWidget *parent = nullptr);

    const AutoPlanReport &report() const { return m_report; }

private:
    AutoPlanReport m_report;
};
