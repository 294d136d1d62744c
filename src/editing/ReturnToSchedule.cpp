#include "editing/ReturnToSchedule.h"

#include "editing/WorkDuration.h"

void ReturnToLoadedDates(EditPath &path, qint64 lot)
{
    Edit edit = path.beginAction(QStringLiteral("予定に戻す"));
    edit.change(lot, [](PlanRecord &record) {
        const double secondsPerPiece = record.Cycle / double(record.Cavities != 0 ? record.Cavities : 1);
        record.WorkMinutes = ComputeWorkMinutes(secondsPerPiece, record.Quantity, record.Persons);
        // The bar is not dragged here, so the surface drop that would follow leaves the lot on
        // its row; only its dates go back.
        record.StartDate = record.LoadedStartDate;
        record.StartTime = QTime(0, 0);
        record.EndDate = record.LoadedEndDate;
        record.EndTime = QTime(0, 0);
    });
    edit.commit();
}
