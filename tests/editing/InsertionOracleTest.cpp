// The indexed insertion against a plain reading of the insertion rules that scans the whole
// store for every question, on many random plans: both must leave identical records and ask
// the same questions. Undoing each action must give back the plan exactly.

#include "EditingPlant.h"
#include "calendar/GridRounding.h"
#include "common/PlantValues.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Answers yes or no from a seeded stream and remembers what was said.
class RandomAnswers : public Prompter
{
public:
    explicit RandomAnswers(quint32 seed) : m_random(seed) {}
    void inform(const QString &text, const QString &, PromptIcon) override { said << text; }
    bool ask(const QString &text, const QString &, bool, PromptIcon) override
    {
        said << text;
        return m_random.bounded(3) != 0;
    }
    QStringList said;

private:
    QRandomGenerator m_random;
};

// --- The plain reading --------------------------------------------------------------------

QDateTime startOf(const PlanRecord &r) { return plant::naiveDateTime(r.StartDate, r.StartTime); }
QDateTime endOf(const PlanRecord &r) { return plant::naiveDateTime(r.EndDate, r.EndTime); }

// Date first, time only when the dates are equal.
bool startsBefore(const PlanRecord &a, const PlanRecord &b)
{
    return a.StartDate != b.StartDate ? a.StartDate < b.StartDate : a.StartTime < b.StartTime;
}

bool sameRow(const PlanRecord &a, const PlanRecord &b)
{
    const QString ma = a.MachineCode.trimmed(), mb = b.MachineCode.trimmed();
    if (!ma.isEmpty() || !mb.isEmpty())
        return !ma.isEmpty() && ma == mb;
    const QString sa = a.SupplierCode.trimmed(), sb = b.SupplierCode.trimmed();
    return !sa.isEmpty() && sa == sb;
}

bool obstacle(const PlanRecord &r) { return r.Active > 0 && (r.ConfirmState == "2" || r.MembersWritten == 1); }
bool fixedLot(const PlanRecord &r) { return r.SchedulerFixed == "1" || r.SchedulerFixed == "2"; }

// The sort of the later lots: true when a goes after b.
bool goesAfter(const PlanRecord &a, const PlanRecord &b)
{
    if (a.StartDate != b.StartDate)
        return a.StartDate > b.StartDate;
    if (a.StartTime != b.StartTime)
        return a.StartTime > b.StartTime;
    if (a.WorkMinutes != 0 && b.WorkMinutes != 0 && a.WorkMinutes != b.WorkMinutes)
        return a.WorkMinutes > b.WorkMinutes;
    return a.Quantity > b.Quantity;
}

struct PlainInsertion
{
    std::vector<PlanRecord> &store; // index as in the plan store
    const EditingPlant &plant;
    Prompter &prompter;
    bool batch;

    int firstRowTrimmed(const QString &code) const
    {
        for (int i = 1; i <= plant.rows.count(); ++i)
            if (plant.rows.row(i).code.trimmed() == code.trimmed())
                return i;
        return 1;
    }

    void setEnd(PlanRecord &lot) const
    {
        const QDateTime end = plant.time->AddWorkMinutesDefault(startOf(lot), lot.SetupMinutes + lot.WorkMinutes, lot);
        lot.EndDate = end.date();
        lot.EndTime = end.time();
    }

    void insert(size_t i, QString r, QString s)
    {
        const int machines = plant.rows.lastMachineRow();
        PlanRecord &lot = store[i];
        lot.MembersWritten = 1; // every record an action touches is marked changed
        if (s.isEmpty()) {
            bool machineRow = false;
            for (int row = 1; row <= machines; ++row)
                machineRow = machineRow || plant.rows.row(row).code == r;
            if (machineRow) {
                s = QString(12, QLatin1Char(' '));
            } else {
                s = r;
                r = QString(8, QLatin1Char(' '));
            }
        }
        const QString oldSupplier = lot.SupplierCode;
        if (!s.trimmed().isEmpty() || firstRowTrimmed(r) <= machines) {
            lot.MachineCode = r;
            if (!s.trimmed().isEmpty() || firstRowTrimmed(lot.SupplierCode) > machines)
                lot.SupplierCode = s;
        } else {
            lot.SupplierCode = r;
            lot.MachineCode = QString(8, QLatin1Char(' '));
        }
        if (lot.SupplierCode.trimmed().isEmpty() && lot.SupplierCode != oldSupplier)
            lot.SupplierCode = QString(12, QLatin1Char(' '));
        setEnd(lot);

        size_t p = 0;
        for (size_t j = 2; j < store.size(); ++j) {
            const PlanRecord &other = store[j];
            if (j == i || !sameRow(other, lot) || !obstacle(other))
                continue;
            if (startsBefore(other, lot) && endOf(other) > startOf(lot) && (p == 0 || endOf(other) > endOf(store[p])))
                p = j;
        }
        if (p != 0 && prompter.ask(insertion::AskStartAfterEarlier)) {
            const QDateTime start = RoundToGrid(endOf(store[p]).addSecs(60), plant.run.GridUnitMinutes);
            lot.StartDate = start.date();
            lot.StartTime = start.time();
            setEnd(lot);
        }

        QDateTime limit = endOf(lot);
        std::vector<size_t> later;
        bool overlap = false;
        for (size_t j = 2; j < store.size(); ++j) {
            const PlanRecord &other = store[j];
            if (j == i || !sameRow(other, lot) || !obstacle(other) || startsBefore(other, lot))
                continue;
            later.push_back(j);
            overlap = overlap || startOf(other) < limit;
        }
        if (!overlap || (!batch && !prompter.ask(insertion::AskPushLaterBack)))
            return;
        for (bool swapped = true; swapped;) {
            swapped = false;
            for (size_t k = 0; k + 1 < later.size(); ++k)
                if (goesAfter(store[later[k]], store[later[k + 1]])) {
                    std::swap(later[k], later[k + 1]);
                    swapped = true;
                }
        }
        for (size_t k = 0; k < later.size(); ++k) {
            PlanRecord &m = store[later[k]];
            if (fixedLot(m) || !(startOf(m) < limit)) {
                if (k == 0 && fixedLot(m))
                    prompter.inform(insertion::FixedFirstLater);
                return;
            }
            const QDateTime start = RoundToGrid(limit, plant.run.GridUnitMinutes).addSecs(60);
            m.StartDate = start.date();
            m.StartTime = start.time();
            limit = plant.time->AddWorkMinutesDefault(start, m.SetupMinutes + m.WorkMinutes, m);
            m.EndDate = limit.date();
            m.EndTime = limit.time();
            m.MembersWritten = 1;
            for (size_t n = k + 1; n < later.size(); ++n)
                if (fixedLot(store[later[n]]) && startOf(store[later[n]]) < limit)
                    m.MachineCode = QString(8, QLatin1Char(' '));
        }
    }
};

// --- Random plans -------------------------------------------------------------------------

class RandomPlan
{
public:
    explicit RandomPlan(quint32 seed) : random(seed) {}

    void fill(EditingPlant &plant)
    {
        plant.run.GridUnitMinutes = QList<int>{1, 5, 10, 15, 60}[random.bounded(5)];
        // Working spans with a lunch break and an evening stop on the machines.
        for (int row = 2; row <= plant.rows.lastMachineRow(); ++row)
            for (qint64 k = 0; k <= plant.calendar.periodDays(); ++k) {
                DaySpans spans;
                if (random.bounded(5) != 0) {
                    spans.append(QTime(8, 0), QTime(12, 0));
                    spans.append(QTime(13, 0), QTime(21, 30));
                }
                plant.amendDay(row, k, [&](CalendarDay &day) { day.hourly = spans; });
            }
        const int count = random.bounded(20, 90);
        for (int n = 0; n < count; ++n) {
            LotSpec given;
            given.machine = pick({EditingPlant::M01, EditingPlant::M02, EditingPlant::M01,
                                 QStringLiteral("        "), QStringLiteral("M01")});
            given.supplier = given.machine.trimmed().isEmpty()
                ? pick({EditingPlant::S01, QStringLiteral("S01   "), EditingPlant::S02, QStringLiteral("")})
                : pick({QStringLiteral("            "), QStringLiteral("            "), EditingPlant::S01,
                        QStringLiteral("X9")});
            // Half the times on the grid, so that lots often touch exactly.
            const qint64 step = random.bounded(2) ? 10 : 1;
            const QDateTime start = EditingPlant::at(QStringLiteral("2024/05/10 06:00"))
                                        .addSecs(60 * step * qint64(random.bounded(3 * 24 * 60 / int(step))));
            given.start = start.toString(QStringLiteral("yyyy/MM/dd hh:mm"));
            if (random.bounded(4) == 0) // crowds of lots with the same start
                given.start = QStringLiteral("2024/05/11 09:00");
            given.minutes = random.bounded(4) == 0 ? 0 : step * random.bounded(1, 400 / int(step));
            given.confirm = pick({QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("1")});
            given.fixed = pick({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                               QStringLiteral("2"), QString()});
            given.quantity = random.bounded(1, 4) * 100;
            given.placed = quint8(random.bounded(3) == 0);
            const qint64 lot = plant.add(given);
            plant.amend(lot, [&](PlanRecord &r) { r.SetupMinutes = random.bounded(3) == 0 ? random.bounded(0, 40) : 0; });
            plant.amend(lot, [&](PlanRecord &r) { r.Active = random.bounded(15) == 0 ? 0 : 1; });
        }
    }

    QString pick(const QStringList &options) { return options[random.bounded(options.size())]; }

    QRandomGenerator random;
};

std::vector<PlanRecord> copyOf(const PlanStore &store)
{
    std::vector<PlanRecord> copy;
    for (qint64 i = 0; i <= store.lastIndex(); ++i)
        copy.push_back(store[i]);
    return copy;
}

TEST(InsertionOracle, IndexedInsertionLeavesTheSameRecordsAsAPlainScan)
{
    const QStringList rowsToDrop{EditingPlant::M01, EditingPlant::M02, EditingPlant::M03, EditingPlant::S01,
                                 EditingPlant::S02, QStringLiteral("        "), QString()};
    int questions = 0, pushes = 0;
    for (quint32 seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        EditingPlant plant;
        RandomPlan plan(seed);
        plan.fill(plant);
        plant.start();
        std::vector<PlanRecord> plain = copyOf(plant.store);

        for (int action = 0; action < 25; ++action) {
            const qint64 lot = plan.random.bounded(2, int(plant.store.lastIndex()) + 1);
            const QString row = plan.pick(rowsToDrop);
            const QString destination = plan.random.bounded(8) == 0 ? EditingPlant::S02 : QString();
            const bool batch = plan.random.bounded(4) == 0;
            const quint32 answers = plan.random.generate();

            const std::vector<PlanRecord> before = copyOf(plant.store);
            RandomAnswers indexedAnswers(answers), plainAnswers(answers);
            PlanInsertion indexed(plant.rows, *plant.time, plant.run, indexedAnswers);
            indexed.setBatch(batch);
            Edit edit = plant.path->beginAction(QStringLiteral("ドロップ"));
            indexed.Insert_PlanBarStep2(edit, lot, row, destination);
            edit.commit();

            PlainInsertion{plain, plant, plainAnswers, batch}.insert(size_t(lot), row, destination);

            ASSERT_EQ(indexedAnswers.said, plainAnswers.said) << "action " << action;
            for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
                // The plain reading knows the strip from the lot's codes alone (a merged-away lot
                // has no bar at all).
                PlanRecord expected = plain[size_t(i)];
                expected.OnStrip =
                    expected.Active > 0 && plant.rows.waitsOnStrip(expected.MachineCode, expected.SupplierCode) ? 1 : 0;
                ASSERT_EQ(plant.store[i], expected) << "action " << action << ", record " << i;
            }
            questions += int(indexedAnswers.said.size());

            int moved = 0;
            for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
                moved += plant.store[i].StartTime != before[size_t(i)].StartTime && i != lot;
            pushes += moved;

            // Every fifth action is taken back and done again: exactly the same records.
            bool changedAny = false;
            for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
                changedAny = changedAny || !(plant.store[i] == before[size_t(i)]);
            if (action % 5 == 4 && changedAny) {
                const std::vector<PlanRecord> after = copyOf(plant.store);
                plant.path->undo();
                for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
                    ASSERT_EQ(plant.store[i], before[size_t(i)]);
                plant.path->redo();
                for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
                    ASSERT_EQ(plant.store[i], after[size_t(i)]);
            }
        }
    }
    // The random plans really exercise the rules.
    EXPECT_GT(questions, 500);
    EXPECT_GT(pushes, 500);
}

} // namespace
