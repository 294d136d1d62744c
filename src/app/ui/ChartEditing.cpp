#include "app/ui/ChartEditing.h"

#include "db/Database.h"
#include "plan/ProgressText.h"
#include "app/StartupError.h"
#include "app/ui/MainForm.h"
#include "dialogs/ui/LinePlanWindow.h"
#include "common/PlantValues.h"
#include "editing/AutoPlacement.h"
#include "dialogs/ui/PlanPopupMenu.h"
#include "editing/ui/PlanDataGrid.h"
#include "app/ui/PlanListPane.h"
#include "app/ui/ScheduleListLink.h"
#include "gantt/ClassRows.h"
#include "editing/ui/BarDragController.h"
#include "editing/ui/RowLabelPacking.h"
#include "app/ui/ChartView.h"
#include "persist/EditPathSave.h"
#include "persist/ui/HozonForm.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>

namespace {
QString signedInAccount()
{
    const QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? qEnvironmentVariable("USER") : user;
}
} // namespace

ChartEditing::ChartEditing(MainForm &form)
    : QObject(&form), m_form(form), m_time(m_rows, m_calendar), m_path(form.planStore(), m_calendar, form.context()),
      m_insertion(m_rows, m_time, form.context(), form.prompter()),
      m_packing(m_path, m_rows, m_calendar, m_insertion, form.context(), form.prompter())
{
    m_view = new ChartView(form, m_rows, m_calendar);
    GanttChart &chart = m_view->chart();
    m_drop = std::make_unique<BarDrop>(m_path, m_insertion, chart, form.database(), form.prompter());
    m_drag = new BarDragController(chart, form.planStore(), *m_drop, m_view->mainSurface(), m_view->strip(),
                                   form.kScroll(), form.picture1(), this);
    // The right button on an empty spot of a machine row opens that machine's working hours of
    // the working day under it.
    connect(m_drag, &BarDragController::operatingTimeRequested, this, &ChartEditing::openLinePlan);
    // A double-click or a right press on a row label packs the row.
    QList<QLabel *> labels;
    for (int slot = 1; slot <= ChartRows::LabelCount; ++slot)
        labels.append(form.machineName(slot));
    new RowLabelPacking(m_packing, labels, form.kScroll(), this);
    // The right button on a bar opens its context menu.
    auto *popup = new PlanPopupMenu(m_path, m_insertion, chart, m_time, form.database(), form.prompter(), &form);
    popup->watchSurface(m_view->mainSurface());
    popup->watchSurface(m_view->strip());
    // The plan list under the chart follows every edit and re-places lots through the same
    // path; its right-click and the bar search's single hit open the same lot information.
    auto *list = new PlanListPane(form, m_path, m_insertion, m_rows, m_time);
    list->setChart(m_view);
    connect(list->grid(), &PlanDataGrid::popupRequested, popup, &PlanPopupMenu::gridPopup);
    connect(list, &PlanListPane::lotChosen, popup, &PlanPopupMenu::RightButtonDown);
    linkScheduleList(form, *m_view, *popup);

    MainFormLoadHooks &hooks = form.loadHooks();
    hooks.buildMachineRows = [this](QSqlQuery &machines) { buildRows(machines); };
    hooks.buildSubcontractorRows = [this](QSqlQuery &subcontractors) {
        InputTopPosition2(m_rows, readRowSources(subcontractors));
    };
    hooks.rowCaptions = [this] {
        QStringList captions;
        for (int row = 1; row <= m_rows.count(); ++row)
            captions.append(m_rows.row(row).caption);
        return captions;
    };
    hooks.layoutPlan = [this, list, later = hooks.layoutPlan](ProgressText &progress) {
        placeLoadedPlan(progress);
        if (later)
            later(progress);
        list->refresh();
    };

    connect(&m_path, &EditPath::recordsChanged, this, &ChartEditing::showChanges);
    connect(&m_path, &EditPath::calendarDaysChanged, &chart, &GanttChart::redrawCalendar);
    connect(&m_path, &EditPath::saveEnabledChanged, &form.session(), [&form](bool enabled) {
        if (enabled)
            form.session().markChanged();
        else
            form.session().markSaved();
    });
    connect(form.comHozon(), &QPushButton::clicked, this, &ChartEditing::save);

    m_undo = new QAction(QStringLiteral("元に戻す(&U)"), &form);
    m_undo->setObjectName(QStringLiteral("ActUndo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = new QAction(QStringLiteral("やり直し(&R)"), &form);
    m_redo->setObjectName(QStringLiteral("ActRedo"));
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(m_undo, &QAction::triggered, &m_path, &EditPath::undo);
    connect(m_redo, &QAction::triggered, &m_path, &EditPath::redo);
    connect(&m_path, &EditPath::historyChanged, this, &ChartEditing::updateHistoryActions);
    QMenu *edit = form.menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(m_undo);
    edit->addAction(m_redo);
    updateHistoryActions();
}

ChartEditing::~ChartEditing() = default;

void ChartEditing::buildRows(QSqlQuery &machines)
{
    if (buildMachineRows(m_rows, m_calendar, m_breaks, machines, m_form.context(), m_form.database(),
                         m_form.prompter())
        == RowsBuild::EndProgram)
        throw StartupError(QStringLiteral("休憩マスタにデータがないため、計画を表示できません。"));
}

void ChartEditing::placeLoadedPlan(ProgressText &progress)
{
    m_path.takeLoadedPlan();
    FunPlanDataYoteiBarSet(m_path, m_insertion, m_rows, m_form.context(),
                           [&progress](const QString &text) { progress.show(text); });
}

void ChartEditing::openLinePlan(int row, const QDateTime &at)
{
    const std::optional<LinePlanDay> day = linePlanDayAt(m_rows, m_calendar, row, at);
    if (!day)
        return;
    LinePlanWindow window(m_path, m_breaks, m_form.prompter(), &m_form);
    window.openOn(*day, m_rows.row(day->MachineNo).caption);
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
    // Nothing is edited in inquiry mode, so there is nothing to undo either.
    const bool editable = !m_form.context().inquiryMode();
    m_undo->setEnabled(editable && m_path.canUndo());
    m_redo->setEnabled(editable && m_path.canRedo());
    m_undo->setText(QStringLiteral("元に戻す(&U) ") + m_path.undoText());
    m_redo->setText(QStringLiteral("やり直し(&R) ") + m_path.redoText());
}

void ChartEditing::save()
{
    if (!m_path.saveEnabled())
        return;
    HozonForm progress(&m_form);
    const EditPathSaveRequest request{m_rows,         m_form.context(), m_form.database(),
                                      m_form.prompter(), progress,      signedInAccount(),
                                      plant::naiveDateTime(QDate::currentDate(), QTime::currentTime())};
    saveThroughEditPath(m_path, request);
}
