#pragma once
// The rules of the schedule list window frmYoteiIchiran ("予定一覧"), without the window: what
// it lists when it opens, the search of cmdKensaku with its date checks, the column sort, and
// what it keeps for the next opening (in the run context, for the whole run). It reads the
// plan store only.

#include "plan/RunContext.h"
#include "schedule_list/ScheduleListModel.h"

#include <QString>

class PlanStore;
class Prompter;

class ScheduleList
{
public:
    static QString nothingToShow() { return QStringLiteral("予定一覧画面に表示するデータはありません。"); }
    static QString dateErrorTitle() { return QStringLiteral("日付入力エラー"); }

    ScheduleList(const PlanStore &store, RunContext &context, Prompter &prompter);

    // The preparation of an opening. With no lot on the strip the planner is told so, the
    // remembered search is forgotten and false comes back (the window does not open).
    // Otherwise the remembered search is made again, or else every lot on the strip is listed
    // in store order with the period as the due-date range; a remembered sort column is then
    // sorted again.
    bool open();

    // cmdKensaku with the fields as typed. A due date that is empty or no date is reported
    // under "日付入力エラー" and changes nothing; otherwise the search is remembered and the
    // list rebuilt (still sorted by the remembered column).
    bool search(const ScheduleListSearch &typed);

    // A column-header click: the list in ascending order of the column, or in descending
    // order when the list was in ascending order of that column already (and back again),
    // remembered. When a search had been made the fields go back to its conditions (true
    // comes back).
    bool sortBy(int column);
    // The direction of the remembered sort.
    Qt::SortOrder sortOrder() const;

    // What the search fields show after open(), search() and a sortBy() that gave true.
    const ScheduleListSearch &fields() const { return m_fields; }
    ScheduleListModel &model() { return m_model; }
    const ScheduleListModel &model() const { return m_model; }

private:
    bool anyLotOnStrip() const;
    void fieldsFromMemory();
    void listRemembered();
    void sortRemembered();

    const PlanStore &m_store;
    RunContext &m_context;
    Prompter &m_prompter;
    ScheduleListModel m_model;
    ScheduleListSearch m_fields;
};
