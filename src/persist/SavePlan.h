#pragma once
// The save command of the main window: writes every changed lot of the plan and every
// changed day of the machines' working calendar to the production database.
//
// Each lot is written in a transaction of its own (the changed lots that hold pieces of one
// member share one): its arrangements (with the numbers they take from the number
// management table), requirement rows, cycle row and plan totals are all written or none is. A lot that fails is rolled back and reported with the database's
// own error text; the lots saved before it stay saved, it and the lots after it keep their
// changed flag, and the result says that saving is still needed. A lot whose rows someone
// else changed since the plan read them is not written; the other lots are, and the result
// lists it.

#include "calendar/StoredDayRows.h"
#include "persist/SaveSession.h"

#include <QDateTime>
#include <QString>
#include <vector>

class ChartRows;
class SaveProgress;
class SaveTarget;

struct SaveRequest
{
    SaveTarget &plan;
    const ChartRows &rows;     // the machine code of each calendar row
    const RunContext &run;
    Database &db;
    Prompter &prompter;
    SaveProgress &progress;
    QString accountName;       // the signed-in account, for the audit of completed lots
    QDateTime now;             // the moment of the save, for the audit columns
    RetryPolicy retry{};
    // What the plan read of its arrangements (null: nothing to compare) and the lots whose
    // rows may be written over although they changed elsewhere (the planner said so).
    ArrangementFingerprints *fingerprints = nullptr;
    std::vector<qint64> overwriteLots{};
};

struct SavedDay
{
    int row = 0;
    qint64 day = 0;
    StoredDay stored; // the day's rows in the table after the save
    bool operator==(const SavedDay &) const = default;
};

struct SaveResult
{
    enum class Outcome {
        Complete,  // every changed lot and day is in the database
        Refused,   // inquiry mode or a read-only database: nothing can be saved
        Cancelled, // a check stopped the save before anything was written
        Failed,    // a lot or the working hours could not be written; see the message shown
        ChangedElsewhere, // everything else saved; the lots listed were changed by others and stay unsaved
    };
    Outcome outcome = Outcome::Refused;
    std::vector<qint64> savedLots;    // records written and unflagged, in record order
    std::vector<SavedDay> savedDays;  // calendar days written
    std::vector<SavedDay> daysChangedElsewhere; // calendar days not written: their rows changed elsewhere
    std::vector<qint64> relayoutLots; // bars to lay out again (a lot over the duration limit)
    std::vector<ElsewhereChange> changedElsewhere; // lots not written: others changed their rows
    // Lots written without a part the save's message names (their machine cycle row or a
    // copied requirement row, refused for good): saved, but not wholly.
    std::vector<qint64> partlyFailedLots;
    std::vector<OverwrittenValue> overwritten;     // others' values the lots written over replaced
    qint64 statements = 0;            // statements run against the database

    // The lots changed elsewhere, and those of them that may be written over (neither
    // completed nor deleted elsewhere), as record indices.
    std::vector<qint64> changedElsewhereLots(bool overwritableOnly = false) const;

    // The plan still differs from the database: the save button stays enabled.
    bool savingStillNeeded() const { return outcome != Outcome::Complete; }
};

SaveResult savePlan(SaveRequest &request);
