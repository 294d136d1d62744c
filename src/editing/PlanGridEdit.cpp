#include "editing/PlanGridEdit.h"

#include "plan/Prompter.h"
#include "common/PlantValues.h"
#include "common/TypedNumber.h"
#include "editing/LotDrop.h"
#include "editing/LotRules.h"
#include "editing/WorkDuration.h"
#include "gantt/PlanGridColumns.h"
#include "gantt/Twip2DateTime.h"


const QString gridedit::UnknownMachine = QStringLiteral("指定された機械コードは存在しません｡");
const QString gridedit::BadQuantity = plant::badNumberText(QStringLiteral("手配数"));

namespace {

// The largest quantity the list can show ("###,###,##0").
constexpr qint64 kMaxQuantity = 999'999'999;

bool blank(const QString &code)
{
    return code.trimmed().isEmpty();
}

} // namespace

int PlanGridEdit::rowOfTypedCode(const QString &code) const
{
    const QString wanted = code.trimmed();
    if (wanted.isEmpty())
        return 0;
    for (int row = 2; row <= m_rows.count(); ++row) {
        if (m_rows.row(row).code.trimmed() == wanted)
            return row;
    }
    return 0;
}

void PlanGridEdit::toggleDisplay(qint64 lot)
{
    Edit edit = m_path.beginAction(QStringLiteral("表示の切替"));
    edit.change(lot, [](PlanRecord &r) { r.GanttDisplayClass = r.GanttDisplayClass == 1 ? 0 : 1; });
    edit.commit();
}

void PlanGridEdit::toggleConfirm(qint64 lot)
{
    Edit edit = m_path.beginAction(QStringLiteral("確定の切替"));
    edit.change(lot, [](PlanRecord &r) { r.ConfirmState = r.isConfirmed() ? QStringLiteral("1") : QStringLiteral("2"); });
    edit.commit();
}

PlanGridEdit::Outcome PlanGridEdit::FunUpdatePlanInfoFromGrid(qint64 lot, int column, const QString &text)
{
    if (lot < 2 || lot > m_path.store().lastIndex())
        return Outcome::Unchanged;
    switch (column) {
    case plangrid::Display: {
        const int flag = text == plangrid::tick() ? 1 : 0;
        Edit edit = m_path.beginAction(QStringLiteral("表示の切替"));
        edit.change(lot, [flag](PlanRecord &r) { r.GanttDisplayClass = flag; });
        edit.commit();
        return Outcome::Changed;
    }
    case plangrid::Machine:
        return changeMachine(lot, text);
    case plangrid::Quantity:
        return changeQuantity(lot, text);
    case plangrid::Remarks:
        return changeRemarks(lot, text);
    default:
        return Outcome::Unchanged;
    }
}

void PlanGridEdit::recomputeWorkMinutes(Edit &edit, qint64 lot) const
{
    edit.change(lot, [](PlanRecord &r) { r.WorkMinutes = ComputeWorkMinutes(r.SecondsPerPiece, r.Quantity, r.Persons); });
}

void PlanGridEdit::replace(Edit &edit, qint64 lot, const QString &rowCode) const
{
    recomputeWorkMinutes(edit, lot);
    m_insertion.insertLot(edit, lot, rowCode, QString());
}

PlanGridEdit::Outcome PlanGridEdit::changeMachine(qint64 lot, const QString &text)
{
    const QString typed = text.trimmed().toUpper();
    if (typed.isEmpty())
        return blank(m_path.store()[lot].MachineCode) ? Outcome::Unchanged : unassign(lot);
    const int row = rowOfTypedCode(typed);
    if (row == 0) {
        m_prompter.inform(gridedit::UnknownMachine);
        return Outcome::Rejected;
    }
    // The lot takes the row's code as the rows hold it, so that it matches the row exactly.
    const QString code = m_rows.row(row).code;

    Edit edit = m_path.beginAction(QStringLiteral("機械の変更"));
    const PlanRecord &record = edit.record(lot);
    if (record.MachineCode.trimmed() != code.trimmed()) {
        // The lot goes behind the last scheduled lot of its new machine.
        QDateTime last = FunGetMachineLastDate(edit.index(), edit.store(), code);
        if (!last.isValid() && !record.StartDate.isValid())
            last = plant::naiveDateTime(m_run.periodStartDate(), QTime(0, 0));
        if (last.isValid()) {
            const QDateTime start = last.addSecs(qint64(m_run.GridUnitMinutes) * 60);
            edit.change(lot, [&start](PlanRecord &r) { lots::setStart(r, start); });
        }
    }
    edit.change(lot, [&code](PlanRecord &r) { r.MachineCode = code; });
    replace(edit, lot, code);
    edit.commit();
    return Outcome::MachineChanged;
}

PlanGridEdit::Outcome PlanGridEdit::unassign(qint64 lot)
{
    if (m_path.store()[lot].isEndFixed()) {
        m_prompter.inform(dropping::EndFixedNotUnassigned);
        return Outcome::Unchanged;
    }
    Edit edit = m_path.beginAction(QStringLiteral("機械の割付解除"));
    recomputeWorkMinutes(edit, lot);
    m_insertion.insertLot(edit, lot, lots::blankMachine(), QString());
    edit.change(lot, [](PlanRecord &r) {
        r.StartDate = r.LoadedStartDate;
        r.EndDate = r.LoadedEndDate;
        r.StartTime = QTime(0, 0);
        r.EndTime = QTime(0, 0);
    });
    edit.commit();
    return Outcome::MachineChanged;
}

PlanGridEdit::Outcome PlanGridEdit::changeQuantity(qint64 lot, const QString &text)
{
    // A typo must not zero the lot: a quantity of 0 is saved as a deleted arrangement.
    const std::optional<double> typed = plant::typedNumber(text, double(kMaxQuantity));
    if (!typed) {
        m_prompter.inform(gridedit::BadQuantity);
        return Outcome::Rejected;
    }
    const qint64 quantity = plant::roundHalfEven(*typed);
    Edit edit = m_path.beginAction(QStringLiteral("手配数の変更"));
    edit.change(lot, [quantity](PlanRecord &r) {
        r.Quantity = quantity;
        r.SaveMark = 1;
    });
    const PlanRecord &record = edit.record(lot);
    if (!blank(record.MachineCode))
        replace(edit, lot, record.MachineCode);
    else if (!blank(record.SupplierCode))
        replace(edit, lot, record.SupplierCode);
    edit.commit();
    return Outcome::Changed;
}

PlanGridEdit::Outcome PlanGridEdit::changeRemarks(qint64 lot, const QString &text)
{
    const QString remarks = text.trimmed();
    Edit edit = m_path.beginAction(QStringLiteral("備考の変更"));
    edit.change(lot, [&remarks](PlanRecord &r) { r.Remarks = remarks; });
    edit.commit();
    return Outcome::Changed;
}

bool PlanGridEdit::queueBehind(qint64 dragged, qint64 target)
{
    const PlanStore &store = m_path.store();
    if (dragged == target || dragged < 2 || target < 2 || dragged > store.lastIndex() || target > store.lastIndex())
        return false;
    const QString machine = store[target].MachineCode;
    if (blank(machine))
        return false;
    const int row = m_rows.rowOfCode(machine);
    const QDateTime start = nextWorkingMoment(lots::endInstant(store[target]), row, m_time,
                                              m_path.calendar().periodDays());

    Edit edit = m_path.beginAction(QStringLiteral("一覧からの移動"));
    recomputeWorkMinutes(edit, dragged);
    edit.change(dragged, [&](PlanRecord &r) {
        lots::setStart(r, start);
        lots::setEnd(r, m_time.AddWorkMinutesDefault(start, r.SetupMinutes + r.WorkMinutes, r));
    });
    m_insertion.insertLot(edit, dragged, machine, QString());
    edit.commit();
    return true;
}
