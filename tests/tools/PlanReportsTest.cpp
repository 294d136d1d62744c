// "kalvuner-cli plan --conflicts" and "--load" on the demo plant: a lot dropped over another
// with a No to the push-back shows as one line with both lots and their overlap, the tool
// prints what the plan session holds, and the load table has a cell per machine and day.

#include "CliSession.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "PlanReports.h"
#include "TestPlant.h"
#include "app/PlantStartup.h"
#include "common/PlantValues.h"
#include "editing/LotRules.h"
#include "session/PlanSession.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

class PlanReports : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        demo::writePlant(plant.db(), {300, 5, Start}, false);
        run.PlantCode = demo::PlantCode;
        run.ProcessClassCode = demo::MoldingClass;
        run.PeriodStart = plant::dateText(Start);
        startup::readPlant(plant.db(), run); // the grid and the period the tool reads
        session = std::make_unique<PlanSession>(run, plant.db(), prompter);
        ASSERT_EQ(session->load(nullptr), PlanSession::LoadResult::Loaded);
    }

    QString printed(void (*print)(const PlanSession &, QTextStream &)) const
    {
        QString text;
        QTextStream out(&text);
        print(*session, out);
        return text;
    }

    std::pair<int, QString> tool(const QStringList &options) const
    {
        QProcess process;
        process.start(QStringLiteral(KALVUNER_CLI),
                      QStringList{QStringLiteral("plan"), QStringLiteral("--db"), plant.dataSourceField(),
                                  QStringLiteral("--user"), plant.user(), QStringLiteral("--class"), demo::MoldingClass,
                                  QStringLiteral("--start"), Start.toString(QStringLiteral("yyyyMMdd"))}
                          + options);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    }

    static inline const QDate Start{2026, 12, 8};
    TestPlant plant{GetParam(), TestPlant::Contents::Empty};
    RunContext run;
    AnsweringPrompter prompter{false};
    std::unique_ptr<PlanSession> session;
};

TEST_P(PlanReports, TheToolPrintsTheSessionsConflictsAndLoad)
{
    const auto [conflictsExit, conflicts] = tool({QStringLiteral("--conflicts")});
    EXPECT_EQ(conflictsExit, 0);
    EXPECT_EQ(conflicts, printed(printConflicts));
    EXPECT_EQ(conflicts.count(u'\n'), session->watch().conflicts().count());

    const auto [loadExit, load] = tool({QStringLiteral("--load")});
    EXPECT_EQ(loadExit, 0);
    EXPECT_EQ(load, printed(printLoad));
    const QStringList lines = load.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), session->rows().lastMachineRow());
    EXPECT_EQ(lines[0].split(u'\t').value(1), plant::dateText(Start));
    EXPECT_EQ(lines[0].split(u'\t').size(), 1 + Start.daysTo(run.periodEndDate()) + 1);
    const QStringList firstMachine = lines[1].split(u'\t');
    EXPECT_EQ(firstMachine[0], session->rows().row(2).code.trimmed());
    EXPECT_EQ(firstMachine[1], QStringLiteral("%1/%2")
                                   .arg(session->watch().load().plannedMinutes(2, 2))
                                   .arg(session->watch().load().workingMinutes(2, 2)));

    EXPECT_EQ(tool({QStringLiteral("--conflicts"), QStringLiteral("--load")}).first, 2);
}

TEST_P(PlanReports, ALotLeftOverAnotherIsOneLineWithBothLotsAndTheOverlap)
{
    // Two lots on different presses; the first dropped at the second's start, pushing nothing back.
    qint64 moved = 0, standing = 0;
    for (qint64 i = 2; i <= session->store().lastIndex() && !standing; ++i) {
        const PlanRecord &lot = session->store()[i];
        if (lot.Active == 0 || lot.OnStrip || lot.MachineCode.trimmed().isEmpty() || lot.isEndFixed() || lot.isLocked())
            continue;
        if (!moved)
            moved = i;
        else if (lot.MachineCode != session->store()[moved].MachineCode && lot.isConfirmed())
            standing = i;
    }
    ASSERT_GE(standing, 2);
    const PlanRecord target = session->store()[standing];
    const qint64 before = session->watch().conflicts().count();
    ASSERT_TRUE(session->drop(moved, target.MachineCode, lots::startInstant(target)));
    EXPECT_GT(session->watch().conflicts().count(), before);
    const PlanRecord &lot = session->store()[moved];
    const PlanConflict conflict{PlanConflict::Kind::Row, std::min(moved, standing), std::max(moved, standing)};
    const auto all = session->watch().conflicts().conflicts();
    ASSERT_NE(std::find(all.begin(), all.end(), conflict), all.end());
    const QString line = printed(printConflicts)
                             .split(u'\n')
                             .filter(QStringLiteral("\t%1\t").arg(lot.ArrangementNo))
                             .filter(QStringLiteral("\t%1\t").arg(target.ArrangementNo))
                             .value(0);
    const QStringList fields = line.split(u'\t');
    ASSERT_EQ(fields.size(), 14) << line.toStdString();
    EXPECT_EQ(fields[0], QStringLiteral("機械重複"));
    EXPECT_EQ(fields[4], target.MachineCode.trimmed());
    EXPECT_EQ(fields[13].toLongLong(), PlanConflicts::overlapMinutes(session->store(), conflict));
    EXPECT_GT(fields[13].toLongLong(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, PlanReports, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
