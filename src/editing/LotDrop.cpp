#include "editing/LotDrop.h"

#include "calendar/WorkCalendar.h"
#include "common/PlantValues.h"
#include "db/Database.h"
#include "editing/LotRules.h"
#include "editing/StretchBar.h"
#include "gantt/Twip2DateTime.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"

namespace dropping {
const QString EndFixedNotUnassigned = QStringLiteral("終了時間を固定されているので、予定に戻す事はできません");
const QString EndFixedNotLater = QStringLiteral("終了時間を固定されているので、計画を後ろにずらす事はできません");

std::optional<QString> outsideTheChart(const WorkCalendar &calendar, const QDateTime &moment)
{
    const QDate first = calendar.dateOf(0);
    const QDate last = calendar.dateOf(calendar.periodDays());
    if (moment.isValid() && moment.date() >= first && moment.date() <= last)
        return std::nullopt;
    return QStringLiteral("%1 はチャートの期間（%2～%3）の外です。計画を移動できません。")
        .arg(moment.toString(QStringLiteral("yyyy/MM/dd hh:mm")), plant::dateText(first), plant::dateText(last));
}
} // namespace dropping

bool LotDrop::drop(qint64 lot, const QString &row, const QDateTime &moment, const QString &originRow,
                   bool later) const
{
    const PlanRecord &record = m_path.store()[lot];
    // A bar let go on the strip takes no time from where it was let go (the strip has a scale
    // of its own); on a row the moment is its start.
    const auto refused = row.trimmed().isEmpty() ? std::nullopt : dropping::outsideTheChart(m_path.calendar(), moment);
    if (refused) {
        m_prompter.inform(*refused);
        return false;
    }
    if (row.trimmed().isEmpty() && record.isEndFixed()) {
        m_prompter.inform(dropping::EndFixedNotUnassigned);
        return false;
    }
    try {
        QString target = row;
        Edit edit = m_path.beginAction(QStringLiteral("計画の移動"));
        // FollowMove_PlanBar: an end-fixed lot may come earlier but never later.
        if (record.isEndFixed() && later) {
            m_prompter.inform(dropping::EndFixedNotLater);
            target = originRow;
        } else {
            const LotTimes times = snapped(record, moment, target);
            edit.change(lot, [&](PlanRecord &changed) {
                lots::setStart(changed, times.start);
                lots::setEnd(changed, times.end);
            });
        }
        const qint64 bar = edit.record(lot).BarIndex;
        if (target != originRow)
            StretchBar(edit, bar, target, m_rows, m_db);
        m_insertion.Insert_PlanBarStep2(edit, bar, target, QString());
        edit.commit();
        return true;
    } catch (const DbError &error) {
        // The action is rolled back: the lot keeps its row and times.
        m_prompter.inform(error.text);
        return false;
    }
}

std::optional<LotTimes> LotDrop::landing(qint64 lot, const QString &row, const QDateTime &moment, bool later) const
{
    const PlanRecord &record = m_path.store()[lot];
    if (row.trimmed().isEmpty() || dropping::outsideTheChart(m_path.calendar(), moment)
        || (record.isEndFixed() && later))
        return std::nullopt;
    return snapped(record, moment, row);
}

LotTimes LotDrop::snapped(const PlanRecord &record, const QDateTime &moment, const QString &row) const
{
    return lotTimesFrom(record, moment, row, m_rows, m_time, m_run.GridUnitMinutes, m_path.calendar().periodDays());
}
