#pragma once
// The demo plant's moving part: production plans, their lots (one per process step, chained
// by the next process's arrangement number), the customer orders and demand plans behind
// them, and the planner's existing plan on the machines.

#include "DemoCalendar.h"
#include "DemoMasters.h"

#include <QDate>
#include <QDateTime>
#include <QList>

namespace demo {

// One arrangement (lot) as it stands in the database.
struct Lot
{
    qint64 number = 0;
    qint64 parent = 0;   // arrangement of the next process, 0 for the last one
    qint64 planNo = 0;   // 0 = no production plan
    int item = 0;        // index into Masters::products
    int step = 0;        // index into the item's steps
    int machine = -1;    // index into Masters::machines, -1 at a subcontractor
    int supplier = -1;   // index into Masters::suppliers when subcontracted
    QString machineCode; // 8 blanks when none
    QString destination; // 12 characters, the subcontractor's code or the machine's section
    QString confirm = QStringLiteral("1");
    QString fixed = QStringLiteral("0");
    QString complete = QStringLiteral("0");
    QDateTime start;     // null when the lot has no times
    QDateTime end;
    QDate startDay;      // 開始日
    QDate due;           // 納期
    QDate initialDue;    // GNT初期納期, null for none
    qint64 quantity = 0;
    qint64 received = 0;
    QDate lastActual;
    QDate instructionIssued;
    qint64 setupMinutes = 0;
    qint64 workMinutes = 0;
    bool durationsSaved = false; // 段取時間/作業時間 written by an earlier save
    qint64 actualMinutes = 0;
    QString miscName;    // 品名＿諸口, empty for the item's own name
    QString remarks;

    bool placed() const { return start.isValid(); }
};

struct Plan
{
    qint64 number = 0;
    int item = 0;
    qint64 quantity = 0;
    qint64 instructed = 0;
    QDate completion;
    QString confirm = QStringLiteral("1");
};

struct Order
{
    qint64 number = 0;
    int customer = 0;
    int item = 0;
    QDate due;
    QString orderNo;
    qint64 quantity = 0;
    qint64 shipped = 0;
};

struct Demand
{
    qint64 number = 0;
    int customer = 0;
    int item = 0;
    QDate due;
    qint64 quantity = 0;
};

struct Link
{
    qint64 lot = 0;
    QString kind; // "2" customer order, "1" demand plan
    qint64 number = 0;
};

struct Book
{
    QList<Lot> lots;
    QList<Plan> plans;
    QList<Order> orders;
    QList<Demand> demands;
    QList<Link> links;
    QDate calendarFirst;
    QDate calendarLast;
};

constexpr qint64 FirstLotNumber = 100001;

// How a plant of some size is laid out: a plant of 2,000 lots has one machine hall, a bigger
// one more halls (up to ten, beyond which its runs get shorter), and the running plan started
// about a fifth of its length before the period.
struct PlantScale
{
    int halls = 1;
    double runScale = 1; // run lengths against a one-hall plant's
    int pastDays = 14;   // days of the running plan before the period start
};
PlantScale scaleFor(int lotCount);

// The plan book of a plant with `lotCount` lots around the period starting at `start`.
Book buildBook(const Masters &masters, DemoRandom &random, const QDate &start, int lotCount, const PlantScale &scale);

} // namespace demo
