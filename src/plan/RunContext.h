#pragma once
// The settings and choices fixed at start-up that every part of the program reads.

#include <QDate>
#include <QString>
#include <QTime>

// The five search fields of the schedule list (予定一覧).
struct ScheduleListSearch
{
    QString ItemCode;   // txtHinmeiCd
    QString RequestNo;  // txtSeizouIrai
    QString Mold;       // txtKanagata
    QString DueFrom;    // txtYYMMDD_St, "yyyy/mm/dd"
    QString DueTo;      // txtYYMMDD_Ed

    bool operator==(const ScheduleListSearch &) const = default;
};

// What the schedule list keeps between its openings for the whole run: where the window
// stood (twips, first time 3705 down and 540 across), the last search made, and the last
// column the list was sorted by and in which direction.
struct ScheduleListMemory
{
    qint64 Top = 3705;
    qint64 Left = 540;
    bool Searched = false;
    ScheduleListSearch Search; // the texts with surrounding blanks removed
    bool Sorted = false;
    int SortColumn = 0;
    bool SortDescending = false; // a second click on the same column turned the order round

    void forgetSearch()
    {
        Searched = false;
        Search = {};
    }
};

struct RunContext
{
    // Command line.
    QString OperatorCode;
    QString LaunchArgs;

    // Settings file.
    int PlantCode = 0;
    int KeepMachineOfUnplaced = 0;
    int MarkTentativeBars = 0;
    int ShowMoldOnBars = 0;
    QString DayStartText;     // as written in the settings file, e.g. "08:00"
    QTime DayStartTime{0, 0}; // parsed; midnight when the field is empty or no time
    qint64 WindowWidth = 0;   // twips (no 16-bit ceiling)
    qint64 WindowHeight = 0;  // twips
    QString DbUser;
    QString DbPassword;
    QString DbDataSource;

    // Database.
    QString Authority;        // empty when the operator has no row
    int DisplayMonths = 1;    // 1..3
    int GridUnitMinutes = 1;  // at least 1

    // Class window.
    QString ProcessClassCode;
    QString ProcessClassLabel;
    QString PeriodStart;      // "yyyy/mm/dd"
    QString PeriodEnd;        // "yyyy/mm/dd"

    // The schedule list window is open; "予定に戻す" opens it again in place.
    bool ScheduleListOpen = false;
    ScheduleListMemory ScheduleList;

    bool inquiryMode() const { return Authority == QStringLiteral("0"); }
    QDate periodStartDate() const { return QDate::fromString(PeriodStart, QStringLiteral("yyyy/MM/dd")); }
    QDate periodEndDate() const { return QDate::fromString(PeriodEnd, QStringLiteral("yyyy/MM/dd")); }
};
