#include "dialogs/PlanDetailWriteBack.h"

#include "plan/Prompter.h"
#include "common/CycleSeconds.h"
#include "common/PlantValues.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"
#include "editing/PlanInsertion.h"

namespace {

// The values the boxes hold at close.
struct Entered
{
    QString machine;
    QString destination;
    QDateTime start;
    QDateTime end;
    qint64 quantity = 0;
    qint64 setup = 0;
    double secondsPerPiece = 0;
    qint64 work = 0;
    qint64 persons = 0;
    QString fixed;
};

Entered enteredValues(const PlanDetail &detail)
{
    const DetailTexts &t = detail.texts();
    Entered in;
    in.machine = machineOf(t.machineCode);
    in.destination = destinationOf(t.destinationCode);
    in.start = detail.enteredStart();
    in.end = detail.enteredEnd();
    in.quantity = boxInteger(t.quantity);
    in.setup = boxInteger(t.setupMinutes);
    in.secondsPerPiece = plant::cycleSeconds(boxNumber(t.secondsPerPiece));
    in.work = boxInteger(t.workMinutes);
    in.persons = boxInteger(t.persons);
    in.fixed = t.fixingState.trimmed();
    return in;
}

void storeNewValues(PlanRecord &lot, const Entered &in)
{
    lots::setStart(lot, in.start);
    lots::setEnd(lot, in.end);
    lot.SchedulerFixed = in.fixed;
    lot.Persons = in.persons;
}

// A window whose boxes are not taken (cancelled, or without item code) still hands the lot
// the processes added in it, as the add window's 追加実施 promised, and a hide the planner
// chose: one planner action, or none when there is neither.
DetailWrite withoutBoxes(const PlanDetail &detail, bool hide)
{
    if (!hide && detail.additions().empty())
        return {};
    return {{WriteBackResult::Written, {}}, hide ? QStringLiteral("詳細情報") : processAdd::ActionLabel, false, hide};
}

} // namespace

QString destinationOf(const QString &text)
{
    if (text.size() == 1)
        return QString();
    return text.leftJustified(12, QLatin1Char(' '));
}

QString machineOf(const QString &text)
{
    return text.leftJustified(8, QLatin1Char(' '));
}

DetailWrite additionsWrite(const PlanDetail &detail)
{
    return withoutBoxes(detail, false);
}

DetailWrite planDetailWrite(const PlanDetail &detail, const PlanRecord &lot, Prompter &prompter)
{
    const DetailTexts &t = detail.texts();
    const bool hide = detail.detailMark() != lot.DetailMark;
    if (detail.cancelled())
        return withoutBoxes(detail, false);
    if (t.itemCode.trimmed().isEmpty())
        return withoutBoxes(detail, hide);

    const Entered in = enteredValues(detail);
    if (!in.start.isValid()) {
        const bool dateWrong = !plant::dateFromText(t.startDate.trimmed()).isValid();
        prompter.inform(dateWrong ? detail::BadDate : detail::BadTime);
        return {{WriteBackResult::StartRefused, dateWrong ? QStringLiteral("Text7") : QStringLiteral("Text1")}, {}};
    }
    if (!in.end.isValid()) {
        const bool dateWrong = !plant::dateFromText(t.endDate.trimmed()).isValid();
        prompter.inform(dateWrong ? detail::BadDate : detail::BadTime);
        return {{WriteBackResult::EndRefused, dateWrong ? QStringLiteral("Text8") : QStringLiteral("Text6")}, {}};
    }
    // A typo must not become a quantity or a time of 0 (a lot of 0 pieces is saved as deleted).
    if (const std::optional<NumberBox> bad =
            detail.refuseNonNumbers({NumberBox::Quantity, NumberBox::SetupMinutes, NumberBox::SecondsPerPiece,
                                     NumberBox::WorkMinutes, NumberBox::Persons}))
        return {{WriteBackResult::NumberRefused, numberBoxName(*bad)}, {}};
    return {{WriteBackResult::Written, {}}, QStringLiteral("詳細情報"), true, false};
}

void writeDetail(Edit &edit, const PlanDetail &detail, qint64 lot, const DetailWrite &write,
                 const PlanInsertion &insertion)
{
    if (!write.boxes) {
        edit.change(lot, [&](PlanRecord &record) {
            if (write.hide)
                record.DetailMark = detail.detailMark();
            for (const ProcessAddition &addition : detail.additions())
                applyProcessAddition(record, addition);
        });
        return;
    }
    const DetailTexts &t = detail.texts();
    const Entered in = enteredValues(detail);
    edit.change(lot, [&](PlanRecord &record) {
        const quint8 mark = detail.detailMark();
        record = detail.workingCopy();
        record.DetailMark = mark;
        record.ItemCode = t.itemCode;
        record.DisplayItemName = t.itemName;
        record.AcceptOnReceipt = t.acceptanceMode;
        record.Remarks = t.remark;
        record.MembersWritten = 1;
    });

    const PlanRecord &copy = edit.record(lot);
    const bool moved = in.machine != copy.MachineCode || in.start != lots::startInstant(copy)
                       || in.end != lots::endInstant(copy);
    const bool amountsSame = in.quantity == copy.Quantity && in.setup == copy.SetupMinutes
                             && in.secondsPerPiece == plant::cycleSeconds(copy.SecondsPerPiece)
                             && in.work == copy.WorkMinutes;
    const bool retimed = moved || in.destination != copy.SupplierCode || !amountsSame;
    if (in.fixed != copy.SchedulerFixed || retimed || in.persons != copy.Persons) {
        edit.change(lot, [&](PlanRecord &record) {
            storeNewValues(record, in);
            if (amountsSame)
                return;
            const qint64 oldQuantity = record.Quantity;
            for (MemberSlots *members : {&record.Members, &record.AltMembers})
                for (int index = 0; index < members->size(); ++index)
                    if (!members->at(index).isFree() && members->at(index).Quantity == oldQuantity)
                        members->set(index).Quantity = in.quantity;
            record.Quantity = in.quantity;
            record.SetupMinutes = in.setup;
            record.SecondsPerPiece = in.secondsPerPiece;
            // The work minutes the planner settled on are kept, so that the insertion below
            // runs the lot for as long as the window showed.
            record.WorkMinutes = in.work;
        });
        insertion.insertLot(edit, lot, in.machine, in.destination);
    }

    // A requested due date that is no date leaves the one the lot has.
    const QDate due = plant::dateFromText(t.requestedDueDate.trimmed());
    if (due.isValid() || t.requestedDueDate.trimmed().isEmpty())
        edit.change(lot, [&](PlanRecord &record) { record.InitialDueDate = due; });
}
