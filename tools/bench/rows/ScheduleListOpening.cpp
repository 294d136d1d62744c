// The schedule list (予定一覧) over 50,000 lots waiting on the strip: opening the window (the
// opening rules, the list, the window shown and painted) and a header click that sorts the
// list by a text, a number and a date column. The store is made in memory, so the figures
// are the list's own work.

#include "BenchRegistry.h"
#include "plan/PlanStore.h"
#include "plan/RunContext.h"
#include "plan/ConsolePrompter.h"
#include "schedule_list/ui/frmYoteiIchiran.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>

namespace {

constexpr qint64 WaitingLots = 50'000;

PlanStore stripStore()
{
    PlanStore store;
    const QDate first(2024, 4, 1);
    for (qint64 i = 0; i < WaitingLots; ++i) {
        PlanRecord lot;
        lot.MachineCode = QStringLiteral("        ");
        lot.ItemCode = QStringLiteral("%1%2-%3").arg(QChar(u'A' + int(i % 26))).arg((i * 7919) % 1000).arg(i % 7);
        lot.DisplayItemName = QStringLiteral("成形品%1").arg((i * 104729) % 500);
        lot.ProcessName = QStringLiteral("射出成形");
        lot.StartDate = first.addDays((i * 31) % 60);
        lot.DueDate = first.addDays((i * 104729) % 90);
        lot.ArrangementNo = 100000 + (i * 7919) % WaitingLots;
        lot.Quantity = 100 + (i * 104729) % 50000;
        lot.MoldNo = QStringLiteral("K%1").arg((i * 31) % 300, 5, 10, QLatin1Char('0'));
        lot.PlanNoText = QString::number(500000 + (i * 13) % 2000);
        lot.Active = 1;
        lot.OnStrip = 1;
        const qint64 index = store.append(std::move(lot));
        store[index].BarIndex = index;
    }
    return store;
}

struct OpenList
{
    OpenList() : window(store, context, prompter)
    {
        context.PeriodStart = QStringLiteral("2024/04/01");
        context.PeriodEnd = QStringLiteral("2024/06/30");
    }
    void open()
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }

    PlanStore store = stripStore();
    RunContext context;
    ConsolePrompter prompter;
    frmYoteiIchiran window;
};

void sortByClick(int column, BenchWatch &watch)
{
    OpenList list;
    list.open();
    QHeaderView *header = list.window.livIchiran()->header();
    watch.measure([&] {
        emit header->sectionClicked(column);
        QApplication::processEvents();
    });
}

} // namespace

KALVUNER_BENCH_ROW("schedule list open 50k", "予定一覧 opened over 50,000 strip lots, shown and painted (target < 100 ms)",
                   [](const BenchPlant &, BenchWatch &watch) {
                       OpenList list;
                       watch.measure([&] { list.open(); });
                   });
KALVUNER_BENCH_ROW("schedule list sort 50k item", "予定一覧 of 50,000 lots sorted by 品名コード (text) (target < 100 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { sortByClick(schedulelist::ItemCode, watch); });
KALVUNER_BENCH_ROW("schedule list sort 50k quantity", "予定一覧 of 50,000 lots sorted by 手配数 (number) (target < 100 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { sortByClick(schedulelist::Quantity, watch); });
KALVUNER_BENCH_ROW("schedule list sort 50k due", "予定一覧 of 50,000 lots sorted by 納期 (date) (target < 100 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { sortByClick(schedulelist::Due, watch); });
