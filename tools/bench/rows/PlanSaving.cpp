// Saving: 1,000 changed lots of the demo plant's molding class written back through the plan
// session (each lot moved by one day), with the statements each lot costs on stderr.

#include "BenchRegistry.h"
#include "MoldingMonth.h"
#include "persist/SaveProgress.h"
#include "plan/Prompter.h"
#include "session/PlanSession.h"

#include <QTextStream>

namespace {

constexpr qint64 ChangedLots = 1000;

// Goes on past the mold question; any other message means the save did not do its work.
class BenchPrompter : public Prompter
{
public:
    void inform(const QString &text, const QString &, PromptIcon) override
    {
        throw DbError(QStringLiteral("保存がメッセージを出しました: ") + text);
    }
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return true; }
};

} // namespace

KALVUNER_BENCH_ROW("plan saving, 1000 lots", "saving 1,000 changed molding lots through the plan session (statements per lot on stderr)",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-plan-saving"));
                       RunContext run = moldingMonth(plant, *db);
                       BenchPrompter prompter;
                       PlanSession session(run, *db, prompter);
                       session.load(nullptr);
                       session.setAccountName(QStringLiteral("bench"));
                       // Each moved by a day and marked changed, as if a planner had moved it.
                       qint64 changed = 0;
                       Edit edit = session.editPath().beginLoadingChange();
                       for (qint64 i = 2; i <= session.store().lastIndex() && changed < ChangedLots; ++i) {
                           const PlanRecord &lot = session.store()[i];
                           if (!lot.StartDate.isValid() || !lot.EndDate.isValid() || lot.MembersWritten != 0)
                               continue;
                           edit.change(i, [](PlanRecord &moved) {
                               moved.MembersWritten = 1;
                               moved.StartDate = moved.StartDate.addDays(1);
                               moved.EndDate = moved.EndDate.addDays(1);
                           });
                           ++changed;
                       }
                       edit.commit();
                       QuietProgress progress;
                       SaveResult result;
                       watch.measure([&] {
                           result = session.save(progress, {}, {}, QDateTime(plant.start, QTime(12, 0), Qt::UTC));
                       });
                       if (result.outcome != SaveResult::Outcome::Complete || qint64(result.savedLots.size()) < changed)
                           throw DbError(QStringLiteral("保存が完了しませんでした。"));
                       QTextStream(stderr) << "  plan saving: " << result.savedLots.size() << " lots, "
                                           << QString::number(double(result.statements) / double(qMax<qint64>(qint64(result.savedLots.size()), 1)), 'f', 1)
                                           << " statements per lot" << Qt::endl;
                   });
