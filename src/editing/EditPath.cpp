#include "editing/EditPath.h"

#include "plan/ChartRows.h"

#include <QHash>
#include <algorithm>
#include <stdexcept>

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
    kept.MembersWritten = (saved.MembersWritten != 0 || !sameApartFromFlags(kept, saved)) ? 1 : 0;
    kept.SaveMark = (saved.SaveMark != 0 || kept.Quantity != saved.Quantity
                     || kept.Requirements != saved.Requirements)
        ? 1
        : 0;
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
    const bool savedBefore = saveEnabled();
    // An action that added lots cannot be undone past a save: the save has given the added
    // lots their own arrangements in the database, which taking the records away would not
    // remove. Nor can one that says so itself. The history before it is dropped with it.
    qint64 firstKept = 0;
    for (qint64 s = 0; s < m_position; ++s) {
        const Step &step = *m_steps[size_t(s)];
        if (step.lastAfter > step.lastBefore || step.endsAtSave)
            firstKept = s + 1;
    }
    if (firstKept > 0) {
        m_steps.erase(m_steps.begin(), m_steps.begin() + firstKept);
        m_position -= firstKept;
    }
    m_cleanPosition = m_position;
    for (const auto &step : m_steps) {
        for (auto &kept : step->kept) {
            if (kept.first <= m_store.lastIndex())
                flagAgainstSaved(kept.second, m_store[kept.first]);
            else
                kept.second.MembersWritten = 1; // a lot added after the save point
        }
        for (auto &kept : step->keptDays)
            flagDayAgainstSaved(kept.second, *m_calendar.day(kept.first.row, kept.first.day));
    }
    emit saveEnabledChanged(saveEnabled());
    if (firstKept > 0 || savedBefore != saveEnabled())
        emit historyChanged();
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
