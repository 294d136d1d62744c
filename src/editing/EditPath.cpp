#include "editing/EditPath.h"

#include "plan/ChartRows.h"

#include <QHash>
#include <algorithm>
#include <stdexcept>
#include <unordered_set>

// One committed planner action. While the step is applied, `kept` holds the touched records
// as they were before it; while it is undone, as they were after it. Undo and redo therefore
// both swap `kept` with the store.
struct EditPath::Step
{
    QString label;
    std::vector<std::pair<qint64, PlanRecord>> kept;
    std::vector<std::pair<CalendarDayRef, CalendarDay>> keptDays;
    qint64 lastBefore = 0;            // the store's last index before the action
    qint64 lastAfter = 0;             // and after it (records the action appended)
    std::vector<PlanRecord> appended; // the appended records while the step is undone
    bool endsAtSave = false;          // not undone past a save

    QList<qint64> indices() const;
    QList<CalendarDayRef> days() const;
    // Whether the step changed or added one of `lots`.
    bool touches(const std::unordered_set<qint64> &lots) const;
    // Whether it keeps one of `lots` (all when null) holding an arrangement a split made and
    // not yet numbered: once the save has numbered it, bringing the record back would create
    // the arrangement a second time.
    bool keepsProvisional(const std::unordered_set<qint64> *lots) const;
    // Whether taking the step back after a save of its lots would leave rows in the database
    // that the records no longer describe (lots it added now have arrangements of their own).
    bool endsAtSaveOfItsLots() const { return endsAtSave || lastAfter > lastBefore; }
};

struct EditPath::OpenEdit
{
    bool action = true;
    Step step;
    std::unordered_map<qint64, size_t> keptAt; // store index -> position in step.kept
    std::vector<qint64> touched;               // a loading change's records
    QList<CalendarDayRef> touchedDays;         // every change's days
};

namespace {

// Whether two states of a record differ in anything but the flags that say what is left to
// save.
bool sameApartFromFlags(const PlanRecord &a, const PlanRecord &b)
{
    PlanRecord aligned = a;
    aligned.MembersWritten = b.MembersWritten;
    aligned.SaveMark = b.SaveMark;
    return aligned == b;
}

// A kept record measured against the plan just saved: it is left to save when it differs
// from what was written or when its record could not be written.
void flagAgainstSaved(PlanRecord &kept, const PlanRecord &saved)
{
    if (kept.Active <= 0) {
        // A lot merged into another is written through that lot, never by itself.
        kept.MembersWritten = 0;
        kept.SaveMark = 0;
        return;
    }
    kept.MembersWritten = (saved.MembersWritten != 0 || !sameApartFromFlags(kept, saved)) ? 1 : 0;
    kept.SaveMark = (saved.SaveMark != 0 || kept.Quantity != saved.Quantity
                     || kept.Requirements != saved.Requirements)
        ? 1
        : 0;
}

bool holdsProvisional(const PlanRecord &record)
{
    for (const MemberSlots *set : {&record.Members, &record.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (set->at(k).ArrangementNo < 0)
                return true;
    return false;
}

bool sameDay(const CalendarDay &a, const CalendarDay &b)
{
    return a.workHours == b.workHours && a.shiftTimes == b.shiftTimes && a.changed == b.changed
        && a.hourly == b.hourly;
}

void flagDayAgainstSaved(CalendarDay &kept, const CalendarDay &saved)
{
    CalendarDay aligned = kept;
    aligned.changed = saved.changed;
    kept.changed = saved.changed || !sameDay(aligned, saved);
}

} // namespace

EditPath::EditPath(PlanStore &store, WorkCalendar &calendar, const ChartRows &rows, const RunContext &run,
                   QObject *parent)
    : QObject(parent), m_store(store), m_calendar(calendar), m_rows(rows), m_run(run)
{
    takeLoadedPlan();
}

EditPath::~EditPath() = default;

void EditPath::takeLoadedPlan()
{
    if (m_open)
        throw std::logic_error("the plan was reloaded while an edit was open");
    m_index.clear();
    // Most lots share their codes with many others: each pair of codes is looked up once.
    QHash<std::pair<QString, QString>, bool> onStrip;
    for (qint64 i = 2; i <= m_store.lastIndex(); ++i) {
        PlanRecord &record = m_store[i];
        const auto codes = std::make_pair(record.MachineCode, record.SupplierCode);
        auto found = onStrip.constFind(codes);
        if (found == onStrip.cend())
            found = onStrip.insert(codes, m_rows.waitsOnStrip(record.MachineCode, record.SupplierCode));
        record.OnStrip = record.Active > 0 && *found ? 1 : 0;
        m_index.add(i, RowIndex::footprint(record));
    }
    m_steps.clear();
    m_position = 0;
    m_cleanPosition = 0;
    m_undoRefusal.clear();
    emit planTaken();
    emit saveEnabledChanged(saveEnabled());
    emit historyChanged();
}

Edit EditPath::beginAction(const QString &label)
{
    if (m_open)
        throw std::logic_error("a second edit was opened while one is open");
    m_open = std::make_unique<OpenEdit>();
    m_open->step.label = label;
    m_open->step.lastBefore = m_store.lastIndex();
    return Edit(this);
}

Edit EditPath::beginLoadingChange()
{
    Edit edit = beginAction(QString());
    m_open->action = false;
    return edit;
}

RowIndex::Footprint EditPath::footprintOf(qint64 index) const
{
    if (!m_open)
        throw std::logic_error("a record was changed outside an edit");
    if (index < 2 || index > m_store.lastIndex())
        throw std::out_of_range("a change names no lot of the plan");
    return RowIndex::footprint(m_store[index]);
}

PlanRecord &EditPath::touch(qint64 index)
{
    PlanRecord &record = m_store[index];
    if (!m_open->action) {
        m_open->touched.push_back(index);
        return record;
    }
    if (index <= m_open->step.lastBefore && !m_open->keptAt.count(index)) {
        m_open->keptAt.emplace(index, m_open->step.kept.size());
        m_open->step.kept.emplace_back(index, record);
    }
    record.MembersWritten = 1;
    return record;
}

CalendarDay &EditPath::touchDay(int row, qint64 day)
{
    if (!m_open)
        throw std::logic_error("a calendar day was changed outside an edit");
    CalendarDay *calendarDay = m_calendar.day(row, day);
    if (!calendarDay)
        throw std::out_of_range("a change names no day of a machine's calendar");
    const CalendarDayRef ref{row, day};
    if (!m_open->touchedDays.contains(ref)) {
        m_open->touchedDays.append(ref);
        if (m_open->action)
            m_open->step.keptDays.emplace_back(ref, *calendarDay);
    }
    if (m_open->action)
        calendarDay->changed = true;
    return *calendarDay;
}

bool EditPath::waitsOnStrip(const PlanRecord &record) const
{
    // A lot merged into another has no bar anywhere.
    return record.Active > 0 && m_rows.waitsOnStrip(record.MachineCode, record.SupplierCode);
}

void EditPath::reindex(qint64 index, const RowIndex::Footprint &before)
{
    PlanRecord &record = m_store[index];
    record.OnStrip = waitsOnStrip(record) ? 1 : 0;
    const RowIndex::Footprint after = RowIndex::footprint(m_store[index]);
    if (after == before)
        return;
    m_index.remove(index, before);
    m_index.add(index, after);
}

void EditPath::swapRecord(qint64 index, PlanRecord &replacement)
{
    const RowIndex::Footprint before = RowIndex::footprint(m_store[index]);
    std::swap(m_store[index], replacement);
    reindex(index, before);
}

qint64 EditPath::appendRecord(PlanRecord &&record)
{
    if (!m_open)
        throw std::logic_error("a record was added outside an edit");
    if (m_open->action)
        record.MembersWritten = 1;
    const qint64 index = placeAtEnd(std::move(record));
    if (!m_open->action)
        m_open->touched.push_back(index);
    return index;
}

qint64 EditPath::placeAtEnd(PlanRecord &&record)
{
    const qint64 index = m_store.lastIndex() + 1;
    m_store.resize(index);
    m_store[index] = std::move(record);
    m_store[index].OnStrip = waitsOnStrip(m_store[index]) ? 1 : 0;
    m_index.add(index, RowIndex::footprint(m_store[index]));
    return index;
}

void EditPath::commitOpen()
{
    const bool savedBefore = saveEnabled();
    std::unique_ptr<OpenEdit> open = std::move(m_open);
    QList<qint64> indices;

    if (!open->action) {
        std::sort(open->touched.begin(), open->touched.end());
        open->touched.erase(std::unique(open->touched.begin(), open->touched.end()), open->touched.end());
        indices = QList<qint64>(open->touched.begin(), open->touched.end());
        if (!indices.isEmpty() || !open->touchedDays.isEmpty())
            announce(indices, open->touchedDays, savedBefore);
        return;
    }

    Step &step = open->step;
    // A record that was touched but ends as it was is no part of the action.
    std::erase_if(step.kept, [this](const auto &kept) { return kept.second == m_store[kept.first]; });
    std::erase_if(step.keptDays, [this](const auto &kept) {
        return sameDay(kept.second, *m_calendar.day(kept.first.row, kept.first.day));
    });
    step.lastAfter = m_store.lastIndex();
    if (step.kept.empty() && step.keptDays.empty() && step.lastAfter == step.lastBefore)
        return;

    indices = step.indices();
    m_steps.resize(size_t(m_position));
    if (m_cleanPosition > m_position)
        m_cleanPosition = -1;
    const QList<CalendarDayRef> days = step.days();
    m_steps.push_back(std::make_unique<Step>(std::move(step)));
    ++m_position;
    announce(indices, days, savedBefore);
}

void EditPath::rollBackOpen()
{
    std::unique_ptr<OpenEdit> open = std::move(m_open);
    if (!open->action) {
        // A loading change keeps nothing to go back to; what it changed stays and is shown.
        m_open = std::move(open);
        commitOpen();
        return;
    }
    Step &step = open->step;
    for (auto &kept : step.kept)
        swapRecord(kept.first, kept.second);
    for (auto &kept : step.keptDays)
        std::swap(*m_calendar.day(kept.first.row, kept.first.day), kept.second);
    for (qint64 i = m_store.lastIndex(); i > step.lastBefore; --i)
        m_index.remove(i, RowIndex::footprint(m_store[i]));
    m_store.resize(step.lastBefore);
}

void EditPath::applyStep(Step &step, bool forward)
{
    for (auto &kept : step.kept)
        swapRecord(kept.first, kept.second);
    for (auto &kept : step.keptDays)
        std::swap(*m_calendar.day(kept.first.row, kept.first.day), kept.second);
    if (forward) {
        for (PlanRecord &record : step.appended)
            placeAtEnd(std::move(record));
        step.appended.clear();
    } else {
        for (qint64 i = step.lastBefore + 1; i <= step.lastAfter; ++i) {
            m_index.remove(i, RowIndex::footprint(m_store[i]));
            step.appended.push_back(std::move(m_store[i]));
        }
        m_store.resize(step.lastBefore);
    }
}

QList<qint64> EditPath::Step::indices() const
{
    QList<qint64> list;
    for (const auto &record : kept)
        list.append(record.first);
    std::sort(list.begin(), list.end());
    for (qint64 i = lastBefore + 1; i <= lastAfter; ++i)
        list.append(i);
    return list;
}

bool EditPath::Step::touches(const std::unordered_set<qint64> &lots) const
{
    for (const auto &record : kept)
        if (lots.count(record.first))
            return true;
    for (qint64 i = lastBefore + 1; i <= lastAfter; ++i)
        if (lots.count(i))
            return true;
    return false;
}

bool EditPath::Step::keepsProvisional(const std::unordered_set<qint64> *lots) const
{
    for (const auto &record : kept)
        if ((!lots || lots->count(record.first)) && holdsProvisional(record.second))
            return true;
    return false;
}

QList<CalendarDayRef> EditPath::Step::days() const
{
    QList<CalendarDayRef> list;
    for (const auto &day : keptDays)
        list.append(day.first);
    return list;
}

void EditPath::undo()
{
    if (!canUndo() || m_open)
        return;
    const bool savedBefore = saveEnabled();
    Step &step = *m_steps[size_t(--m_position)];
    applyStep(step, false);
    announce(step.indices(), step.days(), savedBefore);
}

void EditPath::redo()
{
    if (!canRedo() || m_open)
        return;
    const bool savedBefore = saveEnabled();
    Step &step = *m_steps[size_t(m_position++)];
    applyStep(step, true);
    announce(step.indices(), step.days(), savedBefore);
}

QString EditPath::undoText() const
{
    return canUndo() ? m_steps[size_t(m_position - 1)]->label : QString();
}

QString EditPath::redoText() const
{
    return canRedo() ? m_steps[size_t(m_position)]->label : QString();
}

bool EditPath::saveEnabled() const
{
    return !m_run.inquiryMode() && m_position != m_cleanPosition;
}

void EditPath::markClean()
{
    settleSave(nullptr, nullptr, true);
}

void EditPath::lotsWritten(const std::vector<qint64> &indices, const QList<CalendarDayRef> &days, bool complete)
{
    const std::unordered_set<qint64> written(indices.begin(), indices.end());
    settleSave(&written, &days, complete);
}

void EditPath::settleSave(const std::unordered_set<qint64> *written, const QList<CalendarDayRef> *days,
                          bool complete)
{
    const bool savedBefore = saveEnabled();
    // The history before the last action that ends at the save is dropped with it.
    qint64 firstKept = 0;
    for (qint64 s = 0; s < m_position; ++s) {
        const Step &step = *m_steps[size_t(s)];
        if ((step.endsAtSaveOfItsLots() && (!written || step.touches(*written))) || step.keepsProvisional(written)) {
            firstKept = s + 1;
            m_undoRefusal = QStringLiteral("「%1」は保存済みのため、元に戻せません。").arg(step.label);
        }
    }
    // Nor is an undone step done again when it would bring back what the save numbered.
    const size_t stepsBefore = m_steps.size();
    for (qint64 s = m_position; s < qint64(m_steps.size()); ++s)
        if (m_steps[size_t(s)]->keepsProvisional(written)) {
            m_steps.resize(size_t(s));
            break;
        }
    const bool redoCut = m_steps.size() != stepsBefore;
    dropOldestSteps(firstKept);
    m_cleanPosition = complete ? m_position : -1;
    for (const auto &step : m_steps) {
        for (auto &kept : step->kept) {
            if (kept.first > m_store.lastIndex()) {
                if (complete)
                    kept.second.MembersWritten = 1; // a lot added after the save point
            } else if (!written || written->count(kept.first)) {
                flagAgainstSaved(kept.second, m_store[kept.first]);
            }
        }
        for (auto &kept : step->keptDays)
            if (!days || days->contains(kept.first))
                flagDayAgainstSaved(kept.second, *m_calendar.day(kept.first.row, kept.first.day));
    }
    emit saveEnabledChanged(saveEnabled());
    if (firstKept > 0 || redoCut || savedBefore != saveEnabled())
        emit historyChanged();
}

void EditPath::lotsReadAgain(const std::vector<qint64> &indices)
{
    const std::unordered_set<qint64> read(indices.begin(), indices.end());
    qint64 firstKept = 0;
    for (qint64 s = 0; s < m_position; ++s)
        if (m_steps[size_t(s)]->touches(read))
            firstKept = s + 1;
    bool redoCut = false;
    for (qint64 s = m_position; s < qint64(m_steps.size()); ++s) {
        if (m_steps[size_t(s)]->touches(read)) {
            m_steps.resize(size_t(s));
            if (m_cleanPosition > s)
                m_cleanPosition = -1;
            redoCut = true;
            break;
        }
    }
    if (firstKept > 0)
        m_undoRefusal = QStringLiteral("データベースから読み直した計画の変更は元に戻せません。");
    dropOldestSteps(firstKept);
    if (firstKept > 0 || redoCut) {
        emit saveEnabledChanged(saveEnabled());
        emit historyChanged();
    }
}

void EditPath::dropOldestSteps(qint64 count)
{
    if (count <= 0)
        return;
    m_steps.erase(m_steps.begin(), m_steps.begin() + count);
    m_position -= count;
    m_cleanPosition = m_cleanPosition >= count ? m_cleanPosition - count : -1;
}

void EditPath::announce(const QList<qint64> &indices, const QList<CalendarDayRef> &days, bool savedBefore)
{
    if (!indices.isEmpty())
        emit recordsChanged(indices);
    if (!days.isEmpty())
        emit calendarDaysChanged(days);
    if (saveEnabled() != savedBefore)
        emit saveEnabledChanged(saveEnabled());
    emit historyChanged();
}

bool Edit::isAction() const
{
    return m_path->m_open->action;
}

void Edit::endsUndoAtSave()
{
    m_path->m_open->step.endsAtSave = true;
}

void Edit::commit()
{
    EditPath *path = m_path;
    m_path = nullptr;
    path->commitOpen();
}

Edit::~Edit()
{
    if (m_path)
        m_path->rollBackOpen();
}
