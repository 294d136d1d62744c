#pragma once
// The columns of the plan list (PlanDataGrid): one row per lot, column 0 the fixed drag
// handle, then the lot's marks, codes, dates and quantities, its bar index and the sort key.
// What a cell shows is computed from the lot when it is asked for, so a rebuild only filters
// and sorts.

#include "gantt/RgbColor.h"

#include <QString>
#include <optional>

struct PlanRecord;

namespace plangrid {

enum Column : int {
    Handle = 0,
    Display = 1,     // 表示
    Confirm = 2,     // 確定
    Machine = 3,     // 機械 (editable)
    Arrangement = 4,
    ItemCode = 5,
    ItemName = 6,
    Sequence = 7,
    Process = 8,
    Start = 9,
    End = 10,
    DesiredDue = 11,
    Quantity = 12,   // 手配数 (editable)
    Received = 13,
    MoldCode = 14,
    MoldName = 15,
    WorkTime = 16,
    Remarks = 17,    // 備考 (editable)
    BarId = 18,
    Key = 19,
    ColumnCount = 20
};

// The tick that marks a set display flag or a confirmed lot.
inline QString tick() { return QStringLiteral("レ"); }

QString header(int column);

// The arrangement number as the planner reads it: "新規" for a lot a split made and the save
// has not numbered yet (its number is provisional and negative), else the number.
QString arrangementNoText(qint64 arrangementNo);
bool isEditable(int column);
QString cellText(const PlanRecord &lot, int column);

// "KEY": the machine code padded with blanks (or cut) to eight characters, the start date
// "yy/mm/dd" and the start time "hh:mm:ss". Sorting the list by it as text orders machine
// "10" before machine "9", and the lots of one machine by start.
QString sortKey(const PlanRecord &lot);

// The row colour: blue-grey for a lot that the database holds as tentative, pink for a lot
// whose instruction sheet has not been issued; nothing (the window colour) otherwise.
std::optional<RgbColor> rowColour(const PlanRecord &lot);
constexpr RgbColor StoredTentativeColour{192, 192, 255};
constexpr RgbColor NoInstructionSheetColour{255, 192, 192};

// Required working time as the list shows it: hours with one decimal.
QString workHoursText(qint64 minutes);

} // namespace plangrid
