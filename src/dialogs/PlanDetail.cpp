#include "dialogs/PlanDetail.h"

#include "db/Rows.h"
#include "plan/Prompter.h"
#include "db/Statements.h"
#include "calendar/DateEntry.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"
#include "common/TypedNumber.h"
#include "dialogs/DetailLines.h"
#include "editing/WorkDuration.h"
#include "gantt/PlanGridColumns.h"

namespace detail {
const QString BadDate = QStringLiteral("日付を正しく入力してください");
const QString BadTime = QStringLiteral("時刻を正しく入力してください");
const QString BadEndTime = QStringLiteral("時間として認識できません");
const QString EndBeforeStart = QStringLiteral("開始日時よりも前は設定できません");
const QString AskRecalculate = QStringLiteral("作業時間・終了時間の調整を行ないますか？");
const QString AskQuantityFromEnd = QStringLiteral("変更された終了時間に合わせて手配数を変更しますか？");
const QString CompositionLocked = QStringLiteral("実績済みのため、構成選択順序は変更不可です");
const QString AskHide = QStringLiteral("このデータをエディタ上で見えないようにします。よろしいですか？");

bool isSundryItem(const QString &itemCode)
{
    const QString code = itemCode.trimmed();
    return code == QStringLiteral("199913") || code == QStringLiteral("199914") || code == QStringLiteral("199915");
}
} // namespace detail

namespace {

// Totals at or below this leave the end where it is.
constexpr qint64 EndFollowsAbove = 30;
// The end-time search never walks further than a year of minutes.
constexpr qint64 MaxSearchSteps = 366LL * 24 * 60;

// Each number box: what it holds, its caption and the window's name of it.
struct NumberBoxInfo
{
    QString DetailTexts::*text;
    const char16_t *caption;
    const char *name;
};

NumberBoxInfo infoOf(NumberBox box)
{
    switch (box) {
    case NumberBox::Quantity: return {&DetailTexts::quantity, u"手配数", "Text3"};
    case NumberBox::SetupMinutes: return {&DetailTexts::setupMinutes, u"段取時間", "Text13"};
    case NumberBox::WorkMinutes: return {&DetailTexts::workMinutes, u"作業時間", "Text19"};
    case NumberBox::TotalMinutes: return {&DetailTexts::totalMinutes, u"合計時間", "Text16"};
    case NumberBox::SecondsPerPiece: return {&DetailTexts::secondsPerPiece, u"秒/個", "Text15"};
    case NumberBox::Cycle: return {&DetailTexts::cycle, u"サイクル", "Text24"};
    case NumberBox::Cavities: return {&DetailTexts::cavities, u"取数", "Text25"};
    case NumberBox::Persons: return {&DetailTexts::persons, u"必要人員", "Text40"};
    }
    return {&DetailTexts::quantity, u"手配数", "Text3"};
}

// The boxes the work minutes are computed from (rule 8).
constexpr std::initializer_list<NumberBox> WorkInputs = {NumberBox::Cycle, NumberBox::Cavities, NumberBox::Quantity,
                                                        NumberBox::Persons, NumberBox::SetupMinutes};

QString minuteKey(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyyMMddhhmm"));
}

} // namespace

QString numberBoxName(NumberBox box)
{
    return QString::fromLatin1(infoOf(box).name);
}

std::optional<NumberBox> PlanDetail::refuseNonNumbers(std::initializer_list<NumberBox> boxes) const
{
    for (const NumberBox box : boxes) {
        const NumberBoxInfo info = infoOf(box);
        if (!plant::typedNumber(m_texts.*info.text)) {
            m_prompter.inform(plant::badNumberText(QString::fromUtf16(info.caption)));
            return box;
        }
    }
    return std::nullopt;
}

qint64 boxInteger(const QString &text)
{
    return plant::intFloor(plant::leadingNumber(text.trimmed()));
}

double boxNumber(const QString &text)
{
    return plant::leadingNumber(text.trimmed());
}

QString normalTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const QString &format : {QStringLiteral("h:m:s"), QStringLiteral("h:m")}) {
        const QTime time = QTime::fromString(trimmed, format);
        if (time.isValid())
            return plant::timeText(time);
    }
    return {};
}

void PlanDetail::open(const PlanRecord &lot, const DetailTexts &texts)
{
    m_copy = lot;
    m_texts = texts;
    m_detailMark = lot.DetailMark;
    m_cancelled = false;
    m_additions.clear();
}

bool PlanDetail::addProcesses(const ProcessAddition &addition)
{
    if (!applyProcessAddition(m_copy, addition))
        return false;
    m_additions.push_back(addition);
    m_texts.innerMembers = memberLines(m_copy.Members);
    m_texts.outerMembers = memberLines(m_copy.AltMembers);
    return true;
}

void PlanDetail::followSplit(const PlanRecord &lot, bool retimed)
{
    m_copy = lot;
    m_texts.arrangementNo = plangrid::arrangementNoText(lot.ArrangementNo);
    m_texts.innerMembers = memberLines(lot.Members);
    m_texts.outerMembers = memberLines(lot.AltMembers);
    if (!retimed)
        return;
    m_texts.quantity = QString::number(lot.Quantity);
    m_texts.workMinutes = QString::number(lot.WorkMinutes);
    m_texts.totalMinutes = QString::number(lot.WorkMinutes + lot.SetupMinutes);
    m_texts.endDate = plant::dateText(lot.EndDate);
    m_texts.endTime = plant::timeText(lot.EndTime);
    showCaseCounts();
}

QDateTime PlanDetail::enteredStart() const
{
    const QDate date = plant::dateFromText(m_texts.startDate.trimmed());
    const QString time = normalTime(m_texts.startTime);
    if (!date.isValid() || time.isEmpty())
        return {};
    return plant::naiveDateTime(date, QTime::fromString(time, QStringLiteral("hh:mm:ss")));
}

QDateTime PlanDetail::enteredEnd() const
{
    const QDate date = plant::dateFromText(m_texts.endDate.trimmed());
    const QString time = normalTime(m_texts.endTime);
    if (!date.isValid() || time.isEmpty())
        return {};
    return plant::naiveDateTime(date, QTime::fromString(time, QStringLiteral("hh:mm:ss")));
}

QDateTime PlanDetail::endAfter(const QDateTime &start, qint64 minutes) const
{
    return m_time.AddWorkMinutes(start, minutes, m_copy, QString());
}

EntryOutcome PlanDetail::enterStartDate()
{
    const QString date = ReadBoxDate(m_texts.startDate, QDate::currentDate());
    if (date.isEmpty()) {
        m_prompter.inform(detail::BadDate);
        return EntryOutcome::Stay;
    }
    m_texts.startDate = date;
    recalculateEnd();
    return EntryOutcome::Next;
}

EntryOutcome PlanDetail::enterStartTime()
{
    const QString time = normalTime(m_texts.startTime);
    if (time.isEmpty()) {
        m_prompter.inform(detail::BadTime);
        return EntryOutcome::Stay;
    }
    m_texts.startTime = time;
    recalculateEnd();
    return EntryOutcome::Next;
}

EntryOutcome PlanDetail::enterEndDate()
{
    const QString date = ReadBoxDate(m_texts.endDate, QDate::currentDate());
    if (date.isEmpty()) {
        m_prompter.inform(detail::BadTime);
        return EntryOutcome::Stay;
    }
    m_texts.endDate = date;
    return EntryOutcome::Next;
}

EntryOutcome PlanDetail::enterQuantity()
{
    if (refuseNonNumbers({NumberBox::Quantity}))
        return EntryOutcome::Stay;
    showCaseCounts();
    if (m_prompter.ask(detail::AskRecalculate, {}, false)) {
        if (refuseNonNumbers(WorkInputs))
            return EntryOutcome::Stay;
        recalculateWork();
        recalculateEnd();
    }
    return EntryOutcome::Next;
}

EntryOutcome PlanDetail::enterRate(NumberBox entered)
{
    if (refuseNonNumbers({entered}) || refuseNonNumbers(WorkInputs))
        return EntryOutcome::Stay;
    recalculateWork();
    recalculateEnd();
    return EntryOutcome::Next;
}

EntryOutcome PlanDetail::enterSetupMinutes()
{
    return enterRate(NumberBox::SetupMinutes);
}

EntryOutcome PlanDetail::enterSecondsPerPiece()
{
    return enterRate(NumberBox::SecondsPerPiece);
}

EntryOutcome PlanDetail::enterPersons()
{
    return enterRate(NumberBox::Persons);
}

EntryOutcome PlanDetail::enterWorkMinutes()
{
    if (refuseNonNumbers({NumberBox::WorkMinutes, NumberBox::SetupMinutes}))
        return EntryOutcome::Stay;
    m_texts.totalMinutes = QString::number(boxInteger(m_texts.workMinutes) + boxInteger(m_texts.setupMinutes));
    recalculateEnd();
    return EntryOutcome::Next;
}

EntryOutcome PlanDetail::enterTotalMinutes()
{
    if (refuseNonNumbers({NumberBox::TotalMinutes, NumberBox::SetupMinutes}))
        return EntryOutcome::Stay;
    recalculateEnd();
    m_texts.workMinutes = QString::number(boxInteger(m_texts.totalMinutes) - boxInteger(m_texts.setupMinutes));
    return EntryOutcome::Next;
}

void PlanDetail::recalculateWork()
{
    const qint64 cavities = boxInteger(m_texts.cavities);
    const double cyclePerPiece = boxNumber(m_texts.cycle) / double(cavities != 0 ? cavities : 1);
    const qint64 work =
        ComputeWorkMinutes(cyclePerPiece, boxInteger(m_texts.quantity), boxInteger(m_texts.persons));
    m_texts.workMinutes = QString::number(work);
    m_texts.totalMinutes = QString::number(work + boxInteger(m_texts.setupMinutes));
}

void PlanDetail::recalculateEnd()
{
    const qint64 total = boxInteger(m_texts.totalMinutes);
    if (total <= EndFollowsAbove)
        return;
    const QDateTime start = enteredStart();
    if (!start.isValid())
        return;
    const QDateTime end = endAfter(start, total);
    m_texts.endDate = plant::dateText(end.date());
    m_texts.endTime = plant::timeText(end.time());
}

EntryOutcome PlanDetail::enterEndTime()
{
    const QString time = normalTime(m_texts.endTime);
    if (time.isEmpty()) {
        m_prompter.inform(detail::BadEndTime);
        return EntryOutcome::Stay;
    }
    m_texts.endTime = time;
    const QDateTime start = enteredStart();
    const QDateTime entered = enteredEnd();
    if (!start.isValid() || !entered.isValid() || start >= entered) {
        m_prompter.inform(detail::EndBeforeStart);
        return EntryOutcome::Stay;
    }
    if (refuseNonNumbers({NumberBox::TotalMinutes, NumberBox::SetupMinutes, NumberBox::SecondsPerPiece,
                          NumberBox::Persons}))
        return EntryOutcome::Stay;

    qint64 total = boxInteger(m_texts.totalMinutes);
    if (total > EndFollowsAbove) {
        // The minutes follow the entered end: lowered while the end lies after it, raised while
        // it lies before, to the minute. Ends never move back as minutes grow, so the minute
        // where the walk would stop is found by halving the distance instead of one step at a
        // time (a year of minutes at most).
        const QString target = minuteKey(entered);
        const auto after = [&](qint64 minutes) { return minuteKey(endAfter(start, minutes)) > target; };
        const auto before = [&](qint64 minutes) { return minuteKey(endAfter(start, minutes)) < target; };
        if (after(total)) {
            // The largest total whose end is not after the entered one (0 at least).
            qint64 low = qMax<qint64>(0, total - MaxSearchSteps), high = total;
            if (!after(low))
                while (high - low > 1) {
                    const qint64 middle = low + (high - low) / 2;
                    (after(middle) ? high : low) = middle;
                }
            total = low;
        } else if (before(total)) {
            // The smallest total whose end is not before the entered one.
            qint64 low = total, high = total + MaxSearchSteps;
            if (!before(high))
                while (high - low > 1) {
                    const qint64 middle = low + (high - low) / 2;
                    (before(middle) ? low : high) = middle;
                }
            total = high;
        }
        const QDateTime end = endAfter(start, total);
        // An end entered inside a break cannot be reached: the box shows the end there is.
        if (qAbs(end.secsTo(entered)) > 60) {
            m_texts.endDate = plant::dateText(end.date());
            m_texts.endTime = plant::timeText(end.time());
        }
        m_texts.totalMinutes = QString::number(total);
        m_texts.workMinutes = QString::number(total - boxInteger(m_texts.setupMinutes));
    }

    const double secondsPerPiece = boxNumber(m_texts.secondsPerPiece);
    if (secondsPerPiece != 0 && m_prompter.ask(detail::AskQuantityFromEnd, {}, false)) {
        const qint64 persons = boxInteger(m_texts.persons);
        const qint64 quantity =
            plant::intFloor(double(boxInteger(m_texts.workMinutes)) * 60 / secondsPerPiece) * (persons >= 1 ? persons : 1);
        m_texts.quantity = QString::number(quantity);
        m_copy.Quantity = quantity;
        m_copy.Members.set(0).Quantity = quantity;
        showCaseCounts();
    }
    return EntryOutcome::ToDestination;
}

void PlanDetail::showCaseCounts()
{
    const qint64 quantity = boxInteger(m_texts.quantity);
    const qint64 perCase = boxInteger(m_texts.piecesPerCase);
    const qint64 cases = perCase != 0 ? plant::intFloor(double(quantity) / double(perCase)) : 0;
    m_texts.cases = QString::number(cases);
    m_texts.loosePieces = QString::number(quantity - cases * perCase);
}

void PlanDetail::leaveItemCode(Database &db)
{
    const QString code = m_texts.itemCode;
    if (code.trimmed().isEmpty() || detail::isSundryItem(code))
        return;
    Rows rows = select(db, sql::ItemModelNames, {code});
    if (!rows.next())
        return;
    const RowReader &row = rows.row();
    m_texts.itemName = row.text(QStringLiteral("型番名"));
    m_texts.itemDescription = row.text(QStringLiteral("型番名仕様ＡＮＫ"));
}

void PlanDetail::chooseComposition(const QString &line)
{
    if (boxNumber(m_texts.receivedQuantity) > 0) {
        m_prompter.inform(detail::CompositionLocked);
        return;
    }
    if (!line.isEmpty() && line != m_texts.chosenComposition) {
        m_texts.chosenComposition = line;
        m_texts.materialLines = requirementLines(m_copy);
    }
}

bool PlanDetail::askHide()
{
    if (!m_prompter.ask(detail::AskHide, {}, false))
        return false;
    m_detailMark = 1;
    return true;
}
