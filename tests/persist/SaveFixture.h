#pragma once
// A small plant for the save tests: plant 1, working days from 08:00, machines M1 and M2 in
// the calendar's rows 2 and 3, and helpers to put lots in the store, arrangements in the
// database, and to read rows back after a save.

#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "plan/PlanStore.h"
#include "plan/RunContext.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"
#include "persist/SavePlan.h"
#include "persist/SaveProgress.h"

#include <QDateTime>
#include <gtest/gtest.h>

struct RecordedProgress : SaveProgress
{
    bool shown = false;
    bool closed = false;
    qint64 maximum = 0;
    qint64 lastIndex = 0;
    qint64 repaints = 0;
    void started(qint64 last) override { shown = true; maximum = last; }
    void advanced(qint64 index, qint64, bool repaint) override
    {
        lastIndex = index;
        repaints += repaint ? 1 : 0;
    }
    void finished() override { closed = true; }
};

// One row read back, by column name in any case.
class ReadRow
{
public:
    ReadRow() = default;
    explicit ReadRow(const QVariantMap &values);
    bool exists() const { return !m_values.isEmpty(); }
    QString text(const QString &column) const;
    double number(const QString &column) const;

private:
    QVariantMap m_values;
};

class SaveFixture : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    SaveFixture();

    // A stored arrangement of item A, step 999, plan 0, machine M1, tentative, 100 pieces.
    void arrangement(qint64 number, const QVariantMap &overrides = {});
    // Item A's step 999 as the molding class 10 loads it: its process P10 "成形", its routing
    // and its molding conditions with the given extra columns.
    void moldingStep(const QVariantMap &routing, const QVariantMap &conditions);
    // A changed lot of one member (set A slot 0) that is arrangement `number`: on M1 from
    // 2024/04/10 09:00 to 2024/04/10 17:00, 100 pieces, confirmed. Returns its index.
    qint64 lot(qint64 number);
    PlanRecord &at(qint64 index) { return store[index]; }

    SaveResult save();

    ReadRow arrangementRow(qint64 number);
    ReadRow row(const QString &sql, const QVariantList &values);
    qint64 count(const QString &sql, const QVariantList &values);
    // A trigger that makes the database refuse any update of one arrangement.
    void refuseUpdatesOf(qint64 number);

    TestPlant plant{GetParam()};
    RunContext run;
    PlanStore store;
    WorkCalendar calendar;
    ChartRows rows;
    ScriptedPrompter prompter;
    RecordedProgress progress;
    QString account = QStringLiteral("plant042");
    QDateTime now{QDate(2024, 5, 1), QTime(12, 34, 56), Qt::UTC};
    RetryPolicy retry{2, 0}; // no waits between tries unless a test needs them
};

#define SAVE_SUITE(name)                                                                                   \
    INSTANTIATE_TEST_SUITE_P(Backends, name, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName)
