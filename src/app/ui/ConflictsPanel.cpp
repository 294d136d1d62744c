#include "app/ui/ConflictsPanel.h"

#include "gantt/PlanGridColumns.h"

#include "app/ui/ChartView.h"
#include "app/ui/MainForm.h"
#include "common/PlantValues.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "session/PlanSession.h"

#include <QDockWidget>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

namespace {

const QStringList LotColumns{QStringLiteral("手配番号"), QStringLiteral("品名"), QStringLiteral("金型"),
                             QStringLiteral("機械"), QStringLiteral("開始"), QStringLiteral("終了")};

QStringList lotCells(const PlanRecord &lot)
{
    const QString machine = lot.MachineCode.trimmed().isEmpty() ? lot.SupplierCode : lot.MachineCode;
    const auto at = [](const QDate &date, const QTime &time) {
        return plant::dateText(date).mid(5) + u' ' + plant::timeText(time).left(5);
    };
    return {plangrid::arrangementNoText(lot.ArrangementNo),
            lot.DisplayItemName.trimmed().isEmpty() ? lot.ItemCode.trimmed() : lot.DisplayItemName.trimmed(),
            lot.MoldNo.trimmed(), machine.trimmed(), at(lot.StartDate, lot.StartTime), at(lot.EndDate, lot.EndTime)};
}

} // namespace

ConflictsPanel::ConflictsPanel(MainForm &form, ChartView &view, const PlanSession &session)
    : QObject(&form), m_view(view), m_session(session), m_watch(session.watch()), m_marks(m_watch)
{
    m_table = new QTableWidget(0, 2 + 2 * int(LotColumns.size()));
    m_table->setObjectName(QStringLiteral("ConflictsTable"));
    m_table->setHorizontalHeaderLabels(QStringList{QStringLiteral("種類"), QStringLiteral("重複(分)")} + LotColumns
                                       + LotColumns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(20);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { showConflictOfRow(row); });

    m_dock = new QDockWidget(QStringLiteral("重複一覧"), &form);
    m_dock->setObjectName(QStringLiteral("ConflictsDock"));
    m_dock->setWidget(m_table);
    form.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            fillTable();
    });
    QAction *toggle = m_dock->toggleViewAction();
    toggle->setText(QStringLiteral("重複一覧(&C)"));
    toggle->setObjectName(QStringLiteral("ActConflicts"));
    form.menuBar()->addMenu(QStringLiteral("表示(&V)"))->addAction(toggle);

    m_counter = new QPushButton(&form);
    m_counter->setObjectName(QStringLiteral("ConflictCounter"));
    m_counter->setFlat(true);
    m_counter->setToolTip(QStringLiteral("重複一覧を開く"));
    form.statusBar()->addPermanentWidget(m_counter);
    connect(m_counter, &QPushButton::clicked, this, [this] {
        m_dock->show();
        m_dock->raise();
    });

    view.mainSurface()->setMarks(&m_marks);
    view.strip()->setMarks(&m_marks);
    connect(&m_watch, &PlanWatch::conflictsChanged, this, [this] {
        showCount();
        if (m_dock->isVisible())
            fillTable();
        m_view.mainSurface()->update();
        m_view.strip()->update();
    });
    connect(&m_watch, &PlanWatch::loadChanged, view.mainSurface(), qOverload<>(&QWidget::update));
    showCount();
}

void ConflictsPanel::showCount()
{
    const qint64 count = m_watch.conflicts().count();
    m_counter->setText(QStringLiteral("重複 %1件").arg(count));
    m_counter->setStyleSheet(count > 0 ? QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;") : QString());
}

void ConflictsPanel::fillTable()
{
    const PlanStore &store = m_session.store();
    const std::vector<PlanConflict> conflicts = m_watch.conflicts().conflicts();
    m_table->setRowCount(int(conflicts.size()));
    for (int row = 0; row < int(conflicts.size()); ++row) {
        const PlanConflict &conflict = conflicts[size_t(row)];
        const QStringList cells = QStringList{conflictKindText(conflict.kind),
                                              QString::number(PlanConflicts::overlapMinutes(store, conflict))}
                                  + lotCells(store[conflict.first]) + lotCells(store[conflict.second]);
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (column == 0)
                item->setData(Qt::UserRole, QVariant::fromValue(QList<qint64>{conflict.first, conflict.second}));
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
}

void ConflictsPanel::showConflictOfRow(int row)
{
    const QTableWidgetItem *item = m_table->item(row, 0);
    if (!item)
        return;
    const auto lots = item->data(Qt::UserRole).value<QList<qint64>>();
    if (lots.size() == 2)
        m_view.showPair(lots[0], lots[1]);
}
