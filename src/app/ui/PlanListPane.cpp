#include "app/ui/PlanListPane.h"

#include "plan/Prompter.h"
#include "app/ui/MainForm.h"
#include "editing/PlanKakutei.h"
#include "common/PlantValues.h"
#include "dialogs/ui/SelectPlan.h"
#include "session/PlanSession.h"
#include "gantt/BarSearch.h"
#include "app/ui/ChartView.h"
#include "editing/ui/PlanDataGrid.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

namespace {

template <typename W>
W *control(MainForm &form, const char *name)
{
    return form.findChild<W *>(QLatin1String(name));
}

// A due-date box of the confirmation panel: its date (null for an empty box) after writing it
// back in normal form; nothing when it holds no date, after telling the planner which box and
// putting the focus there.
std::optional<QDate> dueOfBox(QLineEdit *box, const QString &refusal, Prompter &prompter)
{
    const std::optional<QString> bound = dueBoundOfBox(box->text(), QDate::currentDate());
    if (!bound) {
        prompter.inform(refusal);
        box->setFocus();
        box->selectAll();
        return std::nullopt;
    }
    box->setText(*bound);
    return plant::dateFromText(*bound);
}

} // namespace

PlanListPane::PlanListPane(MainForm &form, PlanSession &session)
    : QObject(&form), m_form(form), m_session(session), m_model(session.store())
{
    m_grid = new PlanDataGrid(m_model, session);
    form.installPlanGrid(m_grid);

    m_partId = control<QLineEdit>(form, "TxtSerchPartID");
    m_hinmei = control<QLineEdit>(form, "TxtSerchHinmei");
    m_kanagata = control<QLineEdit>(form, "TxtSerchKanagataBango");
    m_hyouji = control<QCheckBox>(form, "CheckPlanHyouji");
    m_machine = control<QComboBox>(form, "CmbMachine");
    m_kCode = control<QLineEdit>(form, "KCode");
    m_kName = control<QLineEdit>(form, "KName");
    m_kakuteiMachine = control<QComboBox>(form, "CmbKakuteiMachine");
    m_from = control<QLineEdit>(form, "strYYMMDD");
    m_to = control<QLineEdit>(form, "endYYMMDD");

    connect(control<QPushButton>(form, "ComPlanDataRefresh"), &QPushButton::clicked, this, &PlanListPane::refresh);
    connect(control<QPushButton>(form, "ComKensaku"), &QPushButton::clicked, this, &PlanListPane::searchBars);
    connect(control<QPushButton>(form, "ComKakutei"), &QPushButton::clicked, this,
            [this] { confirmLots(QStringLiteral("2")); });
    connect(control<QPushButton>(form, "ComYotei"), &QPushButton::clicked, this,
            [this] { confirmLots(QStringLiteral("1")); });
    connect(&session.editPath(), &EditPath::recordsChanged, &m_model, &PlanGridModel::lotsChanged);
}

PlanListPane::~PlanListPane() = default;

void PlanListPane::setChart(ChartView *chart)
{
    m_chart = chart;
    connect(m_grid, &PlanDataGrid::lotDoubleClicked, chart, &ChartView::showLot);
    for (ChartSurfaceWidget *surface : {chart->mainSurface(), chart->strip()})
        connect(surface, &ChartSurfaceWidget::pressed, this, [this](const ChartHit &hit) {
            if (hit.bar != 0)
                m_grid->showLot(m_session.store().findByBar(hit.bar));
        });
}

QString PlanListPane::rowCodeOfEntry(const QComboBox *box) const
{
    // Entry 0 (row 1) and no entry mean every machine.
    if (box->currentIndex() <= 0)
        return {};
    const int row = box->currentData().toInt();
    const ChartRows &rows = m_session.rows();
    return row >= 2 && row <= rows.count() ? rows.row(row).code : QString();
}

void PlanListPane::refresh()
{
    PlanListSearch search;
    search.itemCode = m_partId->text();
    search.itemName = m_hinmei->text();
    search.mold = m_kanagata->text();
    search.displayedOnly = m_hyouji->isChecked();
    search.machineCode = rowCodeOfEntry(m_machine);
    m_model.setSearch(search);
    m_grid->refresh();
}

void PlanListPane::searchBars()
{
    Prompter &prompter = m_form.prompter();
    if (m_kCode->text().isEmpty() && m_kName->text().isEmpty()) {
        prompter.inform(barsearch::NoCondition);
        return;
    }
    const QList<qint64> hits = barsearch::find(m_session.store(), m_kCode->text(), m_kName->text());
    if (hits.isEmpty()) {
        prompter.inform(barsearch::NoHit);
        return;
    }
    if (hits.size() == 1) {
        showLot(hits.front());
        return;
    }
    SelectPlan select(&m_form);
    for (qint64 lot : hits)
        select.addLine(barsearch::selectPlanLine(m_session.store()[lot]), lot);
    select.exec();
    if (select.selectedPlan() != 0)
        showLot(select.selectedLot());
}

void PlanListPane::showLot(qint64 lot)
{
    m_grid->showLot(lot);
    if (m_chart)
        m_chart->showLot(lot);
    emit lotChosen(lot);
}

void PlanListPane::confirmLots(const QString &confirmState)
{
    const std::optional<QDate> firstDue = dueOfBox(m_from, kakutei::BadFirstDue, m_form.prompter());
    const std::optional<QDate> lastDue = firstDue ? dueOfBox(m_to, kakutei::BadLastDue, m_form.prompter()) : std::nullopt;
    if (!lastDue)
        return;
    KakuteiScope scope;
    scope.machineCode = rowCodeOfEntry(m_kakuteiMachine);
    scope.allMachines = m_kakuteiMachine->currentIndex() <= 0;
    scope.firstDue = *firstDue;
    scope.lastDue = *lastDue;
    const KakuteiResult result = m_session.confirmLots(confirmState, scope);
    refresh();
    // The planner sees what the buttons did without a dialog to close.
    m_form.statusBar()->showMessage(confirmLotsText(confirmState, result));
}
