#include "app/ui/PlanListPane.h"

#include "plan/Prompter.h"
#include "app/ui/MainForm.h"
#include "calendar/DateEntry.h"
#include "common/PlantValues.h"
#include "dialogs/ui/SelectPlan.h"
#include "session/PlanSession.h"
#include "gantt/BarSearch.h"
#include "app/ui/ChartView.h"
#include "editing/ui/PlanDataGrid.h"

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

// A date box's text as a date: an entry that is not yet "yyyy/mm/dd" is completed by the
// date-entry rules first, as Enter would; an empty box gives no date.
QDate dateOfBox(QLineEdit *box)
{
    if (box->text().trimmed().isEmpty())
        return {};
    box->setText(ParseDateEntry(box->text(), QDate::currentDate()));
    return plant::dateFromText(box->text());
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
    if (m_chart) {
        const GanttChart &chart = m_chart->chart();
        const BarGeometry &bar = chart.bar(lot);
        if (bar.visible && bar.surface == ChartSurface::Main) {
            m_form.hScroll1()->setValue(int(bar.left / TwipsPerPixel));
            const int row = chart.rowAtY(double(bar.top));
            if (row > 0)
                m_form.kScroll()->setValue(row - 1);
        }
    }
    emit lotChosen(lot);
}

void PlanListPane::confirmLots(const QString &confirmState)
{
    KakuteiScope scope;
    scope.machineCode = rowCodeOfEntry(m_kakuteiMachine);
    scope.allMachines = m_kakuteiMachine->currentIndex() <= 0;
    scope.firstDue = dateOfBox(m_from);
    scope.lastDue = dateOfBox(m_to);
    const qint64 changed = m_session.confirmLots(confirmState, scope);
    refresh();
    // The planner sees what the buttons did without a dialog to close.
    m_form.statusBar()->showMessage(confirmLotsText(confirmState, changed));
}
