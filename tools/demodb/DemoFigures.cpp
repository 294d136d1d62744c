#include "DemoFigures.h"

#include "DemoMasters.h"
#include "app/PlantStartup.h"
#include "common/PlantValues.h"
#include "db/Statements.h"
#include "gantt/BarLayout.h"
#include "plan/PlanStore.h"
#include "plan/Prompter.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"
#include "session/PlanSession.h"

#include <QHash>
#include <algorithm>

namespace demo {

namespace {

struct Interval
{
    QDateTime start;
    QDateTime end;
};

Interval intervalOf(const PlanRecord &lot)
{
    return {plant::naiveDateTime(lot.StartDate, lot.StartTime), plant::naiveDateTime(lot.EndDate, lot.EndTime)};
}

void countColour(const PlanRecord &lot, ClassFigures &f)
{
    const RgbColor colour = barBackground(lot);
    if (colour == RgbColor{255, 96, 96})
        ++f.red;
    else if (colour == RgbColor{255, 255, 128})
        ++f.yellow;
    else if (colour == RgbColor{128, 255, 255})
        ++f.cyan;
    else
        ++f.grey;
}

// The value below which `share` of the sorted values lie.
double quantile(const std::vector<double> &sorted, double share)
{
    return sorted.empty() ? 0.0 : sorted[size_t(double(sorted.size() - 1) * share + 0.5)];
}

void runLengths(const std::vector<const PlanRecord *> &placed, ClassFigures &f)
{
    std::vector<double> hours;
    for (const PlanRecord *lot : placed) {
        hours.push_back(double(lot->SetupMinutes + lot->WorkMinutes) / 60.0);
        const Interval bar = intervalOf(*lot);
        if (bar.start.secsTo(bar.end) > 5 * 86400)
            ++f.overFiveDays;
    }
    std::sort(hours.begin(), hours.end());
    f.medianHours = quantile(hours, 0.5);
    f.p97Hours = quantile(hours, 0.97);
}

// Says No to every question loading asks: the planner who opens the class and leaves it.
class LeaveAsLoaded : public Prompter
{
public:
    void inform(const QString &, const QString &, PromptIcon) override {}
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return false; }
};

// The conflicts the chart's counter shows once the window has loaded the class (tentative lots
// placed), by kind.
void chartConflicts(Database &db, const QDate &start, const QString &code, ClassFigures &f)
{
    RunContext run;
    run.PlantCode = PlantCode;
    run.ProcessClassCode = code;
    run.PeriodStart = plant::dateText(start);
    startup::readPlant(db, run);
    LeaveAsLoaded answers;
    PlanSession session(run, db, answers);
    if (session.load(nullptr) != PlanSession::LoadResult::Loaded)
        return;
    for (const PlanConflict &conflict : session.watch().conflicts().conflicts())
        ++(conflict.kind == PlanConflict::Kind::Row ? f.overlaps : f.moldDoubleBookings);
}

// Lots without actuals that share item, production plan, step and name with another such lot,
// and whose item code's ninth character is the group kind, so that a merge adds the quantity.
void mergeableLots(const PlanStore &store, ClassFigures &f)
{
    QHash<QString, qint64> groups;
    auto key = [](const PlanRecord &lot) {
        return lot.ItemCode + u'\x1f' + lot.PlanNoText + u'\x1f' + QString::number(lot.RateSequence) + u'\x1f'
               + lot.DisplayItemName;
    };
    auto candidate = [](const PlanRecord &lot) {
        return lot.Active > 0 && lot.ReceivedQty == 0 && !lot.PlanNoText.isEmpty()
               && lot.ItemCode.mid(8, 1) == lot.GroupKind;
    };
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (candidate(store[i]))
            ++groups[key(store[i])];
    for (const qint64 size : std::as_const(groups))
        if (size > 1)
            f.mergeableLots += size;
}

ClassFigures measureClass(Database &db, const QDate &start, const QString &code, const QString &name)
{
    RunContext context;
    context.PlantCode = PlantCode;
    context.ProcessClassCode = code;
    context.PeriodStart = plant::dateText(start);
    PlanStore store;
    ReturnPlanData(db, context, store, nullptr);

    ClassFigures f;
    f.classCode = code;
    f.className = name;
    std::vector<const PlanRecord *> placed;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        if (lot.isConfirmed()) {
            placed.push_back(&lot);
            countColour(lot, f);
        } else {
            ++f.waiting;
        }
    }
    f.placed = qint64(placed.size());
    runLengths(placed, f);
    chartConflicts(db, start, code, f);
    mergeableLots(store, f);
    return f;
}

} // namespace

QList<ClassFigures> measurePlant(Database &db, const QDate &start)
{
    QList<std::pair<QString, QString>> classes;
    QSqlQuery query = db.run(sql::ProcessClasses);
    while (query.next())
        classes.append({query.value(QStringLiteral("工程分類コード")).toString(),
                        query.value(QStringLiteral("工程分類名")).toString()});
    QList<ClassFigures> figures;
    for (const auto &[code, name] : classes)
        figures.append(measureClass(db, start, code, name));
    return figures;
}

} // namespace demo
