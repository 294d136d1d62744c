#pragma once
// Turns one row of the plan statement (an open arrangement with its routing, item, process,
// plan, molding-condition and machine-cycle values) into a PlanRecord: whether the lot is
// placed or waits unplaced, its dates and times, setup time, production rate and production
// time. Column positions are looked up once, when the reader is made.

#include "db/RowReader.h"
#include "plan/ArrangementFingerprint.h"
#include "plan/PlanRecord.h"

#include <QDate>
#include <optional>
#include <vector>

class Rows;
class TextPool;

// The values of the run that decide how a lot is loaded.
struct PlanLoadSettings
{
    qint64 PlantCode = 0;
    QString ProcessClassCode;
    bool KeepMachineOfUnplaced = false;
    QDate PeriodStart;
};

class PlanRowReader
{
public:
    // Throws DbError when the statement's result lacks a column the load needs.
    PlanRowReader(const Rows &rows, const PlanLoadSettings &settings, TextPool &pool);

    // Whether the current row is of the run's plant and process class.
    bool belongsToRun() const;
    // Fills a fresh record from the current row: everything but its bar index, mold short
    // name and requirement rows. Throws UnreadableValue naming the column when a date, time,
    // quantity or confirmation flag cannot be read as one, or a number (or the minutes worked
    // out from it) does not fit its column.
    void fill(PlanRecord &record);

    qint64 arrangementNo() const;
    // The current row's arrangement number when it is one: a whole number from 1 to the
    // column's limit. Empty for a null, a text, a fraction or a number out of range.
    std::optional<qint64> validArrangementNo() const;
    // Whether the current row's arrangement number column holds anything but blanks.
    bool hasArrangementNo() const;
    // The current row's lot as the planner finds it in the database when its number cannot
    // tell it apart: "手配番号「x」（品名コード A・順序 1）".
    QString lotName() const;
    // The current row's arrangement columns as the save will compare them.
    ArrangementFingerprint fingerprint() const;

private:
    // Positions of the columns the load reads; a name that occurs twice in the result
    // (サイクル) is its first occurrence.
    struct Columns
    {
        int plant, processClass, confirm, startTime, endTime, completion, machine, fixed;
        int workStartDate, columnStartDate, workEndDate, dueDate, supplier, arrangementNo;
        int plannedQty, packQty, cavities, acceptOnReceipt, ganttClass, remarks, persons;
        int actualTime, parentNo, shotWeight, cycle, moldNo, processName, modelName, itemCode;
        int sequence, planNo, quantity, received, looseItemName, issueDate, lastActualDate;
        int initialDueDate, planItemCode, setupHours, preSetup, postSetup, preferredCycle;
        int productivity, productivityUnit, workHours;
    };
    // The texts several fields of a record take, read once per row.
    struct SharedTexts
    {
        QString itemCode, processName, modelName, machine;
    };
    // The lot's dates and times as stored, before the period start is applied.
    struct Times
    {
        QDate startDate, endDate;
        QTime startTime, endTime;
    };

    QString text(int column) const;
    QString shared(int column) const;
    double number(int column) const;
    qint64 integer(int column) const;
    // A value worked out from a column, checked to fit before it becomes a whole number.
    double checked(double value, int column) const;
    [[noreturn]] void unreadable(int column) const;
    qint64 quantity() const;
    QDate storedDate(int column) const;
    QDate requiredDate(int column) const;
    QTime timeOfDay(int column) const;

    void placement(PlanRecord &record) const;
    Times times() const;
    void copyColumns(PlanRecord &record) const;
    void firstMember(PlanRecord &record) const;
    void placeOnChart(PlanRecord &record, const Times &times) const;
    void names(PlanRecord &record) const;
    void groupTotals(PlanRecord &record) const;
    void setupMinutes(PlanRecord &record) const;
    void productionRate(PlanRecord &record) const;
    void workMinutes(PlanRecord &record) const;

    const Rows &m_rows;
    const RowReader &m_row;
    const PlanLoadSettings &m_settings;
    TextPool &m_pool;
    Columns m_col;
    std::vector<int> m_fingerprintColumns; // -1 for a column this plant's table lacks
    SharedTexts m_texts;
    // Per column, the text read last and its shared copy: a row that gives the very same text
    // again (the SQLite reader gives one copy while a column's stored text stays the same)
    // needs no lookup in the pool.
    struct LastShared
    {
        QString read;
        QString shared;
    };
    mutable std::vector<LastShared> m_lastShared;
};
