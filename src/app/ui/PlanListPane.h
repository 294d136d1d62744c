#pragma once
// The plan list part of the main window: the grid PlanDataGrid in its area and the three
// panels that work on it: the list search ("■ 一覧検索", "再表示"), the bar search
// ("■ バー検索", "検索") and the bulk confirmation ("■ 確定区分一括変更", "確定"/"予定").
// It keeps the list in step with the plan session: whatever changes records (a drop on the
// chart, an undo, an edit here) shows in the list at once.

#include "gantt/PlanGridModel.h"

#include <QObject>
#include <memory>

class ChartView;
class MainForm;
class PlanSession;
class PlanDataGrid;
class QCheckBox;
class QComboBox;
class QLineEdit;

class PlanListPane : public QObject
{
    Q_OBJECT
public:
    PlanListPane(MainForm &form, PlanSession &session);
    ~PlanListPane() override;

    PlanDataGrid *grid() const { return m_grid; }
    PlanGridModel &model() { return m_model; }

    // FunPlanGridRefresh with the list search as the panel shows it.
    void refresh();
    // ComKensaku.
    void searchBars();
    // ComKakutei ("2") and ComYotei ("1").
    void confirmLots(const QString &confirmState);

    // The chart the list selects with: a row double-clicked and a lot found by the bar search
    // show their bars selected, and a bar pressed on the chart makes its lot the list's current
    // row. None: only the list follows.
    void setChart(ChartView *chart);

signals:
    // The bar search chose a lot: its bar is the one to show (the information popup opens
    // from here once it exists).
    void lotChosen(qint64 lot);

private:
    QString rowCodeOfEntry(const QComboBox *box) const;
    void showLot(qint64 lot);

    MainForm &m_form;
    PlanSession &m_session;
    PlanGridModel m_model;
    PlanDataGrid *m_grid = nullptr;
    ChartView *m_chart = nullptr;

    QLineEdit *m_partId = nullptr;
    QLineEdit *m_hinmei = nullptr;
    QLineEdit *m_kanagata = nullptr;
    QCheckBox *m_hyouji = nullptr;
    QComboBox *m_machine = nullptr;
    QLineEdit *m_kCode = nullptr;
    QLineEdit *m_kName = nullptr;
    QComboBox *m_kakuteiMachine = nullptr;
    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
};
