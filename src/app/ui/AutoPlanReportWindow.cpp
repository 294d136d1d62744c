#include "app/ui/AutoPlanReportWindow.h"

#include "app/ui/AutoPlanLoadChart.h"
#include "common/PlantValues.h"
#include "gantt/PlanGridColumns.h"
#include "plan/PlanStore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QTableWidget *table(const char *name, const QStringList &columns, int rows, QWidget *parent)
{
    auto *made = new QTableWidget(rows, int(columns.size()), parent);
    made->setObjectName(QLatin1String(name));
    made->setHorizontalHeaderLabels(columns);
    made->setEditTriggers(QAbstractItemView::NoEditTriggers);
    made->setSelectionBehavior(QAbstractItemView::SelectRows);
    made->verticalHeader()->setVisible(false);
    made->verticalHeader()->setDefaultSectionSize(made->fontMetrics().height() + 6);
    return made;
}

void put(QTableWidget *table, int row, int column, const QString &text, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

QLabel *heading(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QTableWidget *figuresTable(const AutoPlanReport &report, QWidget *parent)
{
    const std::vector<AutoPlanFigure> figures = autoPlanFigures(report);
    QTableWidget *shown = table("TblFigures", {QStringLiteral("項目"), QStringLiteral("実行前"), QStringLiteral("実行後")},
                                int(figures.size()), parent);
    for (int row = 0; row < int(figures.size()); ++row) {
        put(shown, row, 0, figures[size_t(row)].name);
        put(shown, row, 1, figures[size_t(row)].before, Qt::AlignRight);
        put(shown, row, 2, figures[size_t(row)].after, Qt::AlignRight);
    }
    shown->resizeColumnsToContents();
    shown->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column : {1, 2})
        shown->setColumnWidth(column, std::max(shown->columnWidth(column), 80));
    shown->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    shown->setFixedHeight(shown->horizontalHeader()->sizeHint().height() + shown->verticalHeader()->length()
                          + 2 * shown->frameWidth());
    return shown;
}

QTableWidget *leftTable(const AutoPlanReport &report, const PlanStore &store, QWidget *parent)
{
    QTableWidget *shown = table("TblLeft",
                                {QStringLiteral("手配番号"), QStringLiteral("品名コード"), QStringLiteral("希望納期"),
                                 QStringLiteral("理由")},
                                int(report.left.size()), parent);
    for (int row = 0; row < int(report.left.size()); ++row) {
        const LeftLot &left = report.left[size_t(row)];
        const PlanRecord &lot = store[left.lot];
        put(shown, row, 0, plangrid::arrangementNoText(lot.ArrangementNo), Qt::AlignRight);
        put(shown, row, 1, lot.ItemCode.trimmed());
        put(shown, row, 2, lot.InitialDueDate.isValid() ? plant::dateText(lot.InitialDueDate) : QString());
        put(shown, row, 3, left.reason);
    }
    shown->resizeColumnsToContents();
    for (int column = 0; column < shown->columnCount(); ++column)
        shown->setColumnWidth(column, shown->columnWidth(column) + 12);
    shown->horizontalHeader()->setStretchLastSection(true);
    return shown;
}

} // namespace

AutoPlanReportWindow::AutoPlanReportWindow(const AutoPlanReport &report, const PlanStore &store, const ChartRows &rows,
                                           QWidget *parent)
    : QDialog(parent), m_report(report)
{
    setObjectName(QStringLiteral("AutoPlanReportWindow"));
    setWindowTitle(QStringLiteral("自動計画の結果"));
    setModal(true);

    QStringList counts;
    for (const auto &[name, count] : autoPlanCounts(report))
        counts << QStringLiteral("%1: %2件").arg(name).arg(count);
    auto *summary = new QLabel(counts.join(u'\n'), this);
    summary->setObjectName(QStringLiteral("LblCounts"));
    auto *figures = new QVBoxLayout;
    figures->addWidget(summary);
    if (report.stopped) {
        auto *stopped = new QLabel(AutoPlanStoppedText, this);
        stopped->setObjectName(QStringLiteral("LblStopped"));
        stopped->setWordWrap(true);
        stopped->setStyleSheet(QStringLiteral("color: #b00000;"));
        figures->addWidget(stopped);
    }
    figures->addWidget(heading(QStringLiteral("実行前と実行後"), "LblFigures", this));
    figures->addWidget(figuresTable(report, this));
    figures->addWidget(heading(QStringLiteral("未割付に残ったロット（%1件）").arg(report.left.size()), "LblLeft", this));
    figures->addWidget(leftTable(report, store, this), 1);

    auto *chart = new AutoPlanLoadChart(rows, report.loadBefore, report.loadAfter, this);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("LoadChartArea"));
    scroll->setWidget(chart);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(chart->minimumSizeHint().width() + 24);
    auto *loads = new QVBoxLayout;
    loads->addWidget(heading(QStringLiteral("機械の負荷（期間）"), "LblLoads", this));
    loads->addWidget(scroll, 1);

    auto *columns = new QHBoxLayout;
    columns->setSpacing(16);
    columns->addLayout(figures, 3);
    columns->addLayout(loads, 2);

    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CmdClose"));
    close->setDefault(true);
    close->setFocus();
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    resize(1120, 620);
}
