#include "plan/PlanRowReader.h"

#include "db/Rows.h"
#include "plan/RefusedLots.h"
#include "plan/TextPool.h"
#include "plan/UnreadableLots.h"
#include "common/PlantValues.h"
#include "common/StoredValues.h"

namespace {

const QString kConfirmed = QStringLiteral("2");
const QString kTentative = QStringLiteral("1");
const QString kFree = QStringLiteral("0");
const QString kUnplacedMachine = QStringLiteral("        ");
const QString kGroupKindCounted = QStringLiteral("1");
const QString kMixedProcesses = QStringLiteral("混合");

// Seconds per piece from the routing's productivity and its unit: 1 seconds, 2 minutes and
// 3 hours per piece; 4 pieces per second, 5 per minute and 6 per hour. A per-time
// productivity of 0 gives no rate rather than an infinite one.
double secondsPerPiece(double productivity, qint64 unit)
{
    if (unit <= 3)
        return unit == 3 ? productivity * 3600 : unit == 2 ? productivity * 60 : productivity;
    if (productivity == 0)
        return 0;
    return unit == 6 ? 3600 / productivity : unit == 5 ? 60 / productivity : 1 / productivity;
}

} // namespace

PlanRowReader::PlanRowReader(const Rows &rows, const PlanLoadSettings &settings, TextPool &pool)
    : m_rows(rows), m_row(rows.row()), m_settings(settings), m_pool(pool)
{
    const struct
    {
        const char16_t *name;
        int Columns::*position;
    } wanted[] = {
        {u"生産工場コード", &Columns::plant},        {u"工程分類コード", &Columns::processClass},
        {u"手配確定区分", &Columns::confirm},         {u"作業開始時間", &Columns::startTime},
        {u"作業終了時間", &Columns::endTime},         {u"完納区分", &Columns::completion},
        {u"機械コード", &Columns::machine},           {u"スケジューラ固定区分", &Columns::fixed},
        {u"作業開始日付", &Columns::workStartDate},   {u"開始日", &Columns::columnStartDate},
        {u"作業終了日付", &Columns::workEndDate},     {u"納期", &Columns::dueDate},
        {u"指示先コード", &Columns::supplier},        {u"手配番号", &Columns::arrangementNo},
        {u"計画数", &Columns::plannedQty},            {u"包装単位数量", &Columns::packQty},
        {u"取数", &Columns::cavities},                {u"受入即検収区分", &Columns::acceptOnReceipt},
        {u"GNT表示区分", &Columns::ganttClass},       {u"備考", &Columns::remarks},
        {u"必要人員", &Columns::persons},             {u"実績時間", &Columns::actualTime},
        {u"上位手配番号", &Columns::parentNo},        {u"ショット重量", &Columns::shotWeight},
        {u"サイクル", &Columns::cycle},               {u"金型番号", &Columns::moldNo},
        {u"工程内容名", &Columns::processName},       {u"型番名", &Columns::modelName},
        {u"品名コード", &Columns::itemCode},          {u"順序", &Columns::sequence},
        {u"生産計画番号", &Columns::planNo},          {u"手配数", &Columns::quantity},
        {u"受入実績数", &Columns::received},          {u"品名＿諸口", &Columns::looseItemName},
        {u"指示書発行日", &Columns::issueDate},       {u"最終実績日", &Columns::lastActualDate},
        {u"GNT初期納期", &Columns::initialDueDate},   {u"品名コード2", &Columns::planItemCode},
        {u"段取時間", &Columns::setupHours},          {u"前段取時間", &Columns::preSetup},
        {u"後段取時間", &Columns::postSetup},         {u"優先サイクル", &Columns::preferredCycle},
        {u"生産性", &Columns::productivity},          {u"生産性区分", &Columns::productivityUnit},
        {u"作業時間", &Columns::workHours},
    };
    for (const auto &column : wanted) {
        const QString name = QString::fromUtf16(column.name);
        const int position = m_row.column(name);
        if (position < 0)
            throw DbError(QStringLiteral("計画データの読込に失敗しました。列「%1」がありません。").arg(name));
        m_col.*column.position = position;
    }
    for (const QString &name : fingerprintColumns())
        m_fingerprintColumns.push_back(m_row.column(name));
}

ArrangementFingerprint PlanRowReader::fingerprint() const
{
    return fingerprintOf([this](int k) {
        const int column = m_fingerprintColumns[size_t(k)];
        return m_rows.valueAt(column);
    });
}

QString PlanRowReader::text(int column) const { return m_row.textAt(column); }
QString PlanRowReader::shared(int column) const
{
    QString read = m_row.textAt(column);
    if (size_t(column) >= m_lastShared.size())
        m_lastShared.resize(size_t(column) + 1);
    LastShared &last = m_lastShared[size_t(column)];
    if (read.constData() != last.read.constData() || read.size() != last.read.size()) {
        last.shared = m_pool.intern(read);
        last.read = std::move(read);
    }
    return last.shared;
}
double PlanRowReader::number(int column) const { return m_row.numberAt(column); }
qint64 PlanRowReader::integer(int column) const { return plant::roundHalfEven(checked(number(column), column)); }

double PlanRowReader::checked(double value, int column) const
{
    if (!plant::fitsColumn(value))
        unreadable(column);
    return value;
}

void PlanRowReader::unreadable(int column) const
{
    throw UnreadableValue{m_rows.columnName(column), text(column), m_row.isNullAt(column)};
}

qint64 PlanRowReader::quantity() const
{
    const std::optional<double> read = stored::quantity(m_rows.valueAt(m_col.quantity));
    if (!read)
        unreadable(m_col.quantity);
    return plant::roundHalfEven(checked(*read, m_col.quantity));
}

qint64 PlanRowReader::arrangementNo() const { return integer(m_col.arrangementNo); }

std::optional<qint64> PlanRowReader::validArrangementNo() const
{
    bool whole = false;
    const qint64 number = text(m_col.arrangementNo).trimmed().toLongLong(&whole);
    if (!whole || number < 1 || number > plant::ColumnWholeLimit)
        return std::nullopt;
    return number;
}

bool PlanRowReader::hasArrangementNo() const { return !text(m_col.arrangementNo).trimmed().isEmpty(); }

QString PlanRowReader::lotName() const
{
    return lotNameOf(text(m_col.arrangementNo), text(m_col.itemCode), text(m_col.sequence));
}

QDate PlanRowReader::storedDate(int column) const
{
    const std::optional<QDate> date = stored::date(text(column));
    if (!date)
        unreadable(column);
    return *date;
}

QDate PlanRowReader::requiredDate(int column) const
{
    const QDate date = storedDate(column);
    if (!date.isValid())
        unreadable(column);
    return date;
}

QTime PlanRowReader::timeOfDay(int column) const
{
    const std::optional<QTime> time = stored::time(m_rows.valueAt(column));
    if (!time)
        unreadable(column);
    return *time;
}

bool PlanRowReader::belongsToRun() const
{
    return integer(m_col.plant) == m_settings.PlantCode
        && text(m_col.processClass) == m_settings.ProcessClassCode;
}

void PlanRowReader::fill(PlanRecord &record)
{
    m_texts = {shared(m_col.itemCode), shared(m_col.processName), shared(m_col.modelName), shared(m_col.machine)};
    placement(record);
    const Times stored = times();
    copyColumns(record);
    firstMember(record);
    placeOnChart(record, stored);
    names(record);
    groupTotals(record);
    record.MembersWritten = 0;
    record.SaveMark = 0;
    const QDate initialDue = storedDate(m_col.initialDueDate);
    record.InitialDueDate = initialDue.isValid() ? initialDue : stored.endDate;
    record.PlanNoText = m_row.isNullAt(m_col.planItemCode) ? QString() : QString::number(integer(m_col.planNo));
    setupMinutes(record);
    productionRate(record);
    workMinutes(record);
    record.LoadedStartDate = record.StartDate;
    record.LoadedEndDate = record.EndDate;
}

// A confirmed lot goes on its machine's row once work on it has a time or a completion
// state; every other lot waits on the unassigned strip.
void PlanRowReader::placement(PlanRecord &record) const
{
    const QString confirm = text(m_col.confirm);
    if (!stored::isConfirmFlag(confirm))
        unreadable(m_col.confirm);
    const bool placed = confirm == kConfirmed
        && (number(m_col.startTime) != 0 || number(m_col.endTime) != 0 || text(m_col.completion) != kFree);
    if (placed) {
        record.MachineCode = m_texts.machine;
        record.ConfirmState = kConfirmed;
        record.SchedulerFixed = shared(m_col.fixed);
    } else {
        record.MachineCode = m_settings.KeepMachineOfUnplaced ? m_texts.machine : kUnplacedMachine;
        record.ConfirmState = kTentative;
        record.SchedulerFixed = kFree;
    }
}

PlanRowReader::Times PlanRowReader::times() const
{
    Times t;
    const QDate workStart = storedDate(m_col.workStartDate);
    t.startDate = workStart.isValid() ? workStart : requiredDate(m_col.columnStartDate);
    t.startTime = timeOfDay(m_col.startTime);
    const QDate workEnd = storedDate(m_col.workEndDate);
    t.endDate = workEnd.isValid() ? workEnd : requiredDate(m_col.dueDate);
    t.endTime = timeOfDay(m_col.endTime);
    return t;
}

void PlanRowReader::copyColumns(PlanRecord &record) const
{
    record.StoredConfirmState = shared(m_col.confirm);
    record.SupplierCode = shared(m_col.supplier);
    record.ArrangementNo = arrangementNo();
    record.PlannedQty = integer(m_col.plannedQty);
    record.PackQty = integer(m_col.packQty);
    record.Cavities = integer(m_col.cavities);
    record.AcceptOnReceipt = shared(m_col.acceptOnReceipt);
    record.GanttDisplayClass = text(m_col.ganttClass) == QStringLiteral(" ") ? 0 : int(integer(m_col.ganttClass));
    record.Remarks = shared(m_col.remarks);
    record.Persons = integer(m_col.persons);
    record.ActualTime = integer(m_col.actualTime);
    record.ParentArrangementNo = integer(m_col.parentNo);
    record.StoredMachineCode = m_texts.machine;
    record.PieceWeight = record.Cavities == 0 ? 0.0 : number(m_col.shotWeight) / double(record.Cavities);
    record.Cycle = number(m_col.cycle);
    record.MoldNo = shared(m_col.moldNo);
}

void PlanRowReader::firstMember(PlanRecord &record) const
{
    const int free = record.Members.firstFree();
    if (free < 0)
        return;
    MemberSlot &slot = record.Members.set(free);
    slot.ArrangementNo = record.ArrangementNo;
    slot.ProcessName = m_texts.processName;
    slot.ModelName = m_texts.modelName;
    slot.ItemCode = m_texts.itemCode;
    slot.Sequence = int(integer(m_col.sequence));
    slot.HasPlanNo = !m_row.isNullAt(m_col.planNo);
    slot.PlanNo = integer(m_col.planNo);
    slot.Quantity = quantity();
    slot.Received = integer(m_col.received);
}

// Confirmed lots and lots from the period start on keep their dates; an earlier tentative
// lot is brought to the period start and ends the next day.
void PlanRowReader::placeOnChart(PlanRecord &record, const Times &stored) const
{
    record.Active = 1;
    if (record.isConfirmed() || stored.startDate >= m_settings.PeriodStart) {
        record.StartDate = stored.startDate;
        record.EndDate = stored.endDate;
    } else {
        record.StartDate = m_settings.PeriodStart;
        record.EndDate = m_settings.PeriodStart.addDays(1);
    }
    record.StartTime = stored.startTime;
    record.EndTime = stored.endTime;
}

void PlanRowReader::names(PlanRecord &record) const
{
    record.ColumnStartDate = requiredDate(m_col.columnStartDate);
    record.DueDate = requiredDate(m_col.dueDate);
    record.ItemCode = m_texts.itemCode;
    const QString &processName = m_texts.processName;
    if (record.ProcessName.isEmpty())
        record.ProcessName = processName;
    else if (record.ProcessName != processName)
        record.ProcessName = kMixedProcesses;
    if (record.PlanNo == 0)
        record.PlanNo = integer(m_col.planNo);
    const QString looseName = text(m_col.looseItemName);
    record.DisplayItemName = looseName == QStringLiteral(" ") ? m_texts.modelName : m_pool.intern(looseName);
    record.InstructionIssueDate = shared(m_col.issueDate);
}

void PlanRowReader::groupTotals(PlanRecord &record) const
{
    const QString &processName = m_texts.processName;
    if (record.GroupProcessName.isEmpty())
        record.GroupProcessName = processName;
    if (record.GroupKind.isEmpty())
        record.GroupKind = kGroupKindCounted;
    if (record.GroupKind == kGroupKindCounted && processName == record.GroupProcessName) {
        record.Quantity += quantity();
        record.ReceivedQty += integer(m_col.received);
    }
    if (const QDate lastActual = storedDate(m_col.lastActualDate); lastActual.isValid()) {
        if (!record.LastActualDate.isValid() || lastActual > record.LastActualDate)
            record.LastActualDate = lastActual;
    }
}

// The arrangement's own setup time is in hours; without it the molding conditions' setup
// before and after, in minutes, are added.
void PlanRowReader::setupMinutes(PlanRecord &record) const
{
    const double hours = number(m_col.setupHours);
    if (hours != 0)
        record.SetupMinutes = plant::ceilWhole(checked(hours * 60, m_col.setupHours));
    else if (!m_row.isNullAt(m_col.preSetup))
        record.SetupMinutes = plant::roundHalfEven(
            checked(checked(number(m_col.preSetup), m_col.preSetup) + checked(number(m_col.postSetup), m_col.postSetup),
                    m_col.preSetup));
    else
        record.SetupMinutes = 0;
}

// The rate comes from the routing's productivity whenever the machine's preferred cycle
// per piece (or, without one, the productivity itself) is above the rate held so far.
void PlanRowReader::productionRate(PlanRecord &record) const
{
    const double productivity = number(m_col.productivity);
    const double preferredCycle = number(m_col.preferredCycle);
    const double perPiece = preferredCycle == 0
        ? productivity
        : preferredCycle / double(record.Cavities == 0 ? 1 : record.Cavities);
    if (record.SecondsPerPiece < perPiece && perPiece != 0) {
        record.SecondsPerPiece = secondsPerPiece(productivity, integer(m_col.productivityUnit));
        record.SecondsPerPieceBase = record.SecondsPerPiece;
        record.RateItemCode = m_texts.itemCode;
        record.RateSequence = int(integer(m_col.sequence));
    } else if (record.RateSequence == 0) {
        record.RateItemCode = m_texts.itemCode;
        record.RateSequence = int(integer(m_col.sequence));
    }
}

// The arrangement's own work time is in hours; without it the time follows from the cycle
// per cavity (5 seconds a piece without a cycle), shared among the persons on the job.
void PlanRowReader::workMinutes(PlanRecord &record) const
{
    const double hours = number(m_col.workHours);
    if (hours != 0) {
        record.WorkMinutes = plant::ceilWhole(checked(hours * 60, m_col.workHours));
        return;
    }
    const double secondsPerPiece = record.Cycle / double(record.Cavities == 0 ? 1 : record.Cavities);
    const double perPiece = secondsPerPiece != 0 ? secondsPerPiece : 5;
    const qint64 minutes = plant::ceilWhole(checked(perPiece * double(record.Quantity) / 60, m_col.cycle));
    const qint64 persons = record.Persons < 1 ? 1 : record.Persons;
    record.WorkMinutes = plant::roundHalfEven(double(minutes) / double(persons));
}
