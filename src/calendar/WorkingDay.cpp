#include "calendar/WorkingDay.h"

#include "common/PlantValues.h"

namespace workday {

namespace {
int secondsOf(const QTime &time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
}
} // namespace

int startOffset(const QTime &time, const QTime &dayStart)
{
    return (secondsOf(time) - secondsOf(dayStart) + SecondsPerDay) % SecondsPerDay;
}

int endOffset(const QTime &time, const QTime &dayStart)
{
    return (secondsOf(time) - secondsOf(dayStart) - 1 + 2 * SecondsPerDay) % SecondsPerDay + 1;
}

QTime timeAtOffset(int seconds, const QTime &dayStart)
{
    return QTime(0, 0).addSecs((secondsOf(dayStart) + seconds) % SecondsPerDay);
}

QDate workingDate(const QDateTime &moment, const QTime &dayStart)
{
    return FunGetEigyoDate(moment.date(), moment.time(), dayStart);
}

QDateTime dayStartOf(const QDateTime &moment, const QTime &dayStart)
{
    return plant::naiveDateTime(workingDate(moment, dayStart), dayStart);
}

QDateTime nextDayStart(const QDateTime &moment, const QTime &dayStart)
{
    return plant::naiveDateTime(workingDate(moment, dayStart).addDays(1), dayStart);
}

qint64 dayIndex(const QDateTime &moment, const QDate &periodStart, const QTime &dayStart)
{
    return periodStart.daysTo(workingDate(moment, dayStart)) + 2;
}

} // namespace workday

QDate FunGetEigyoDate(const QDate &date, const QTime &time, const QTime &dayStart)
{
    // A missing time of day reads as midnight, like every stored time.
    const QTime at = time.isValid() ? time : QTime(0, 0);
    const QTime start = dayStart.isValid() ? dayStart : QTime(0, 0);
    return start > at ? date.addDays(-1) : date;
}
