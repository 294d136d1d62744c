// Working hours: every day of every molding machine over the period changed in the
// operating-time window's core (the first shift to 20:00, an hour more) and saved through the
// plan session, each day into the calendar rows it was loaded from.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "MoldingMonth.h"
#include "persist/SaveProgress.h"
#include "dialogs/LinePlan.h"
#include "session/PlanSession.h"

#include <QTextStream>
#include <algorithm>

KALVUNER_BENCH_ROW("working hours saving", "saving every molding machine's days of a month, each changed in 変更",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-working-hours"));
                       RunContext run = moldingMonth(plant, *db);
                       run.DayStartTime = QTime(8, 0);
                       AlwaysYes prompter;
                       PlanSession session(run, *db, prompter);
                       session.setAccountName(QStringLiteral("bench"));
                       session.load(nullptr);
                       const WorkCalendar &calendar = session.calendar();
                       qint64 changed = 0;
                       for (int row = 2; row <= session.rows().lastMachineRow(); ++row)
                           for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
                               LinePlanTexts texts = linePlanTexts(*calendar.day(row, k));
                               texts.shiftTimes[1] = QStringLiteral("20:00");
                               // One hour more, within what a shift to 20:00 gives.
                               texts.hours = QString::number(std::min(calendar.day(row, k)->workHours + 1, 12));
                               changed += session.changeMachineDay({row, k}, texts).changed;
                           }
                       QuietProgress progress;
                       SaveResult result;
                       watch.measure([&] {
                           result = session.save(progress, {}, {}, QDateTime(plant.start, QTime(12, 0), Qt::UTC));
                       });
                       if (result.outcome != SaveResult::Outcome::Complete || qint64(result.savedDays.size()) != changed)
                           throw DbError(QStringLiteral("稼働時間の保存が完了しませんでした。"));
                       QTextStream(stderr) << "  working hours saving: " << changed << " days" << Qt::endl;
                   });
