#pragma once
// The fixed part of the demo plant: process classes, sections, machines, subcontractors,
// process contents, items with their routings and bills of material, molds and customers.
// Everything here is plain data; DemoMasterRows turns it into rows.

#include "DemoRandom.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace demo {

constexpr int PlantCode = 1;
// The class the demo opens on, and the smaller class beside it.
inline const QString MoldingClass = QStringLiteral("01");
inline const QString SecondaryClass = QStringLiteral("02");
inline const QString InspectionClass = QStringLiteral("03");

struct ProcessClass
{
    QString code;
    QString name;
};

// A department section of the plant; as a destination it is written "ddss" + 8 blanks.
struct Section
{
    int department = 0;
    int section = 0;
    QString name;
    QString destinationCode() const;
};

struct Machine
{
    QString code;        // 8 characters
    QString name;
    QString classCode;
    QString sectionCode; // the machine's default destination (its section)
    int tonnage = 0;     // 0 for machines that are no molding machines
    bool twoShifts = false;
    bool saturdays = false;
    bool dayInTwoRows = false; // Wednesdays written as a morning and an afternoon calendar row
    bool lunchSplit = false;   // weekdays held as one row with a morning and an afternoon pair
    QStringList processes;     // the process contents it does; empty: every one of its class
};

// A row of the supplier master: an outside subcontractor (kind "2") or an in-house section ("1").
struct Supplier
{
    QString code;        // 12 characters, blank padded
    QString shortName;
    QString kind;
    QString classCode;   // the class a subcontractor works for; empty for sections
};

struct Process
{
    QString code;
    QString name;
    QString classCode;
};

struct BomLine
{
    int child = 0;       // index into Masters::components
    int displayOrder = 0;
    double ratioNum = 1;
    double ratioDen = 1;
    double defectRate = 0;
    QString supplyControl; // 支給制御区分
    QString paidClass;     // 有償無償区分
};

// One step of an item's routing with its productivity and, for molding, its molding
// conditions.
struct Step
{
    int sequence = 0;      // 999 for the last process
    int process = 0;       // index into Masters::processes
    QString classCode;
    double secondsPerPiece = 0;
    int unit = 1;          // 生産性＿機械＿単位 1..6
    double productivity = 0;
    bool molding = false;
    double cycle = 0;      // seconds per shot (molding) or per piece
    int cavities = 1;
    double shotWeight = 0;
    double productWeight = 0;
    double setupBefore = 0; // minutes
    double setupAfter = 0;  // minutes
    int persons = 1;
    QList<BomLine> bom;
    QList<QPair<int, double>> machineCycles; // machine index, seconds per shot on that machine
};

struct Item
{
    QString code;
    QString model;         // 型番名
    QString name;          // 品名＿品名仕様 (model name shown on bars)
    QString shortName;     // 品名略称
    QString ankSpec;       // 型番名仕様ＡＮＫ
    QString category;      // 品目分類コード２
    int packQty = 1;
    int tonnage = 0;       // smallest molding machine that can run it
    int mold = -1;         // index into Masters::molds
    QList<Step> steps;
};

struct Mold
{
    QString number;
    QString shortName;
};

struct Customer
{
    QString code;
    QString shortName;
};

struct Masters
{
    QList<ProcessClass> classes;
    QList<Section> sections;
    QList<Machine> machines;
    QList<Supplier> suppliers;
    QList<Process> processes;
    QList<Item> products;   // items that lots make
    QList<Item> components; // resins, colorants and bought parts that bills of material use
    QList<Mold> molds;
    QList<Customer> customers;

    QList<int> machinesOfClass(const QString &classCode) const;
    QList<int> subcontractorsOfClass(const QString &classCode) const;
};

// Builds the masters; the number of products and of machine halls follow the plant size.
Masters buildMasters(DemoRandom &random, int productCount, int halls);

// The productivity figure of a routing in one of its six units: 1 s/piece, 2 min/piece,
// 3 h/piece, 4 pieces/s, 5 pieces/min, 6 pieces/h.
double productivityInUnit(double secondsPerPiece, int unit);

} // namespace demo
