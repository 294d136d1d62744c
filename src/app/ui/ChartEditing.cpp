#include "app/ui/ChartEditing.h"

#include "app/ui/ActionStatusLine.h"
#include "app/ui/AutoPlanAction.h"

#include "app/ui/ChartPrinting.h"
#include "app/ui/ChartView.h"
#include "app/ui/ConflictsPanel.h"
#include "app/ui/FileMenu.h"
#include "app/ui/MainForm.h"
#include "dialogs/ui/LinePlanWindow.h"
#include "app/ui/PlanListPane.h"
#include "app/ui/ScheduleListLink.h"
#include "dialogs/ui/PlanPopupMenu.h"
#include "editing/ui/BarDragController.h"
#include "editing/ui/PlanDataGrid.h"
#include "editing/ui/RowLabelPacking.h"
#include "export/ui/PlanListCsvActions.h"
#include "persist/ChangedElsewhere.h"
#include "persist/SaveSummary.h"
#include "persist/ui/ElsewhereWindow.h"
#include "persist/ui/HozonForm.h"
#include "session/PlanSession.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

ChartEditing::ChartEditing(MainForm &form) : QObject(&form), m_form(form), m_session(form.plan())
{
    const EditPath &path = m_session.editPath();
    m_view = new ChartView(form);
    GanttChart &chart = m_view->chart();
    m_drop = std::make_unique<BarDrop>(m_session, chart);
    m_drag = new BarDragController(chart, m_session.store(), *m_drop, m_view->mainSurface(), m_view->strip(),
                                   form.kScroll(), form.picture1(), this);
    // The right button on an empty spot of a machine row opens that machine's working hours of
    // the working day under it.
    connect(m_drag, &BarDragController::operatingTimeRequested, this, &ChartEditing::openLinePlan);
    // A double-click or a right press on a row label packs the row.
    QList<QLabel *> labels;
    for (int slot = 1; slot <= ChartRows::LabelCount; ++slot)
        labels.append(form.machineName(slot));
    new RowLabelPacking(m_session, labels, form.kScroll(), this);
    // The right button on a bar opens its context menu.
    auto *popup = new PlanPopupMenu(m_session, chart, &form);
    popup->watchSurface(m_view->mainSurface());
    popup->watchSurface(m_view->strip());
    // The plan list under the chart follows every edit and re-places lots through the same
    // session; its right-click and the bar search's single hit open the same lot information.
    m_list = new PlanListPane(form, m_session);
    m_list->setChart(m_view);
    connect(m_list->grid(), &PlanDataGrid::popupRequested, popup, &PlanPopupMenu::planListPopup);
    connect(m_list, &PlanListPane::lotChosen, popup, &PlanPopupMenu::RightButtonDown);
    m_fileMenu = new FileMenu(form);
    m_listCsv = new PlanListCsvActions(*m_fileMenu->exportMenu(), m_list->model(), form.prompter(), form);
    m_printing = new ChartPrinting(form, *m_view);
    m_printing->addTo(m_fileMenu->menu(), m_fileMenu->exportMenu());
    linkScheduleList(form, *m_view, *popup);
    m_conflicts = new ConflictsPanel(form, *m_view, m_session);
    new ActionStatusLine(form, m_session, this);

    connect(&form, &MainForm::planLoaded, this, &ChartEditing::layOutLoadedPlan);
    connect(&path, &EditPath::calendarDaysChanged, &chart, &GanttChart::redrawCalendar);
    connect(form.comHozon(), &QPushButton::clicked, this, &ChartEditing::save);

    m_undo = new QAction(QStringLiteral("元に戻す(&U)"), &form);
    m_undo->setObjectName(QStringLiteral("ActUndo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = new QAction(QStringLiteral("やり直し(&R)"), &form);
    m_redo->setObjectName(QStringLiteral("ActRedo"));
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(m_undo, &QAction::triggered, this, [this] { m_session.undo(); });
    connect(m_redo, &QAction::triggered, this, [this] { m_session.redo(); });
    connect(&path, &EditPath::historyChanged, this, &ChartEditing::updateHistoryActions);
    QMenu *edit = form.menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(m_undo);
    edit->addAction(m_redo);
    new AutoPlanAction(form, m_session, *edit);
    updateHistoryActions();
}

ChartEditing::~ChartEditing() = default;

void ChartEditing::layOutLoadedPlan()
{
    m_view->layoutTimeAxis();
    m_view->drawChart();
    m_list->refresh();
    // From here on every edit lays its bars out again; the load's own placement is covered by
    // the full layout above.
    connect(&m_session.editPath(), &EditPath::recordsChanged, this, &ChartEditing::showChanges,
            Qt::UniqueConnection);
}

void ChartEditing::openLinePlan(int row, const QDateTime &at)
{
    const std::optional<LinePlanDay> day = linePlanDayAt(m_session.rows(), m_session.calendar(), row, at);
    if (!day)
        return;
    LinePlanWindow window(m_session, &m_form);
    window.openOn(*day, m_session.rows().row(day->MachineNo).caption);
    window.exec();
}

void ChartEditing::showChanges(const QList<qint64> &indices)
{
    GanttChart &chart = m_view->chart();
    for (const qint64 index : indices)
        chart.layOutBar(index);
}

void ChartEditing::updateHistoryActions()
{
    // In inquiry mode edits are what-ifs that are never saved; they are taken back the same way.
    const EditPath &path = m_session.editPath();
    // Where a save or a reading of lots again cut the history, undo stays offered to say why.
    m_undo->setEnabled(path.canUndo() || !path.undoRefusal().isEmpty());
    m_redo->setEnabled(path.canRedo());
    m_undo->setText(QStringLiteral("元に戻す(&U) ") + path.undoText());
    m_redo->setText(QStringLiteral("やり直し(&R) ") + path.redoText());
}

void ChartEditing::save()
{
    if (!m_session.hasUnsavedChanges())
        return;
    HozonForm progress(&m_form);
    const SaveResult saved = m_session.save(progress, [this](const SaveResult &left) {
        ElsewhereWindow window(left.changedElsewhere, &m_form);
        switch (window.choose()) {
        case ElsewhereWindow::Choice::Overwrite:
            if (m_session.prompter().ask(
                    QStringLiteral("他で変更された計画を、この画面の計画で上書きします。よろしいですか？"),
                    QStringLiteral("保存の確認"), false))
                return PlanSession::ElsewherePolicy::Overwrite;
            break;
        case ElsewhereWindow::Choice::Reload:
            return PlanSession::ElsewherePolicy::ReadAgain;
        case ElsewhereWindow::Choice::Cancel:
            break;
        }
        return PlanSession::ElsewherePolicy::KeepUnsaved;
    });
    // A save that wrote everything says so, and names the lots that will not stay put.
    if (const QString text = savedText(saved, m_session.store(), m_session.context()); !text.isEmpty())
        m_form.statusBar()->showMessage(text);
    if (!saved.overwritten.empty())
        m_session.prompter().inform(QStringLiteral("他で変更された次の値を上書きしました (他での値→この計画の値)。\n")
                                        + overwrittenReport(saved.overwritten),
                                    QStringLiteral("保存の確認"));
}
