#include "editing/AutoPlacement.h"

#include "plan/RunContext.h"
#include "common/PlantValues.h"
#include "editing/LotRules.h"
#include "editing/RowCodes.h"

namespace {

constexpr qint64 ProgressEvery = 50;

// Sets the insertion's batch flag for the length of the placement, whatever ends it.
class BatchFlag
{
public:
    explicit BatchFlag(PlanInsertion &insertion) : m_insertion(insertion) { m_insertion.setBatch(true); }
    ~BatchFlag() { m_insertion.setBatch(false); }

private:
    PlanInsertion &m_insertion;
};

QString progressText(qint64 index, qint64 last)
{
    return QStringLiteral("計画データを配置しています。しばらくお待ちください．．．") + plant::thousands(index)
        + QStringLiteral("／") + plant::thousands(last);
}

} // namespace

void FunPlanDataYoteiBarSet(EditPath &path, PlanInsertion &insertion, const ChartRows &rows,
                            const RunContext &run, const PlacementProgress &progress)
{
    const qint64 last = path.store().lastIndex();
    {
        BatchFlag batch(insertion);
        Edit edit = path.beginLoadingChange();
        for (qint64 i = 2; i <= last; ++i) {
            const PlanRecord &lot = edit.record(i);
            // Tentative lots that name a machine or subcontractor of the chart; lots without one
            // stay where loading put them.
            if (lot.ConfirmState == QStringLiteral("1") && rowcodes::isRowCode(rows, lot.MachineCode)) {
                QDateTime after = FunGetMachineLastDate(edit.index(), edit.store(), lot.MachineCode);
                if (!after.isValid() && !lot.StartDate.isValid())
                    after = plant::naiveDateTime(run.periodStartDate(), QTime(0, 0));
                edit.change(i, [&](PlanRecord &record) {
                    if (after.isValid())
                        lots::setStart(record, after.addSecs(60));
                    record.MembersWritten = 1;
                });
                insertion.insertLot(edit, i, edit.record(i).MachineCode, QString());
            }
            if (i % ProgressEvery == 0 && progress)
                progress(progressText(i, last));
        }
        edit.commit();
    }
    if (progress)
        progress(QStringLiteral("計画データの配置が完了しました。") + plant::thousands(std::max<qint64>(last - 1, 0))
                 + QStringLiteral("／") + plant::thousands(last));
}
