#pragma once
// A realistic, deterministic molding plant written into an empty plant database: the demo
// behind scripts/demo, the plant the bench tool measures, and a fixture for tests.

#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QStringList>

namespace demo {

struct PlantOptions
{
    int lots = 2000;
    quint32 seed = 1;
    QDate start; // the planning period's first day
};

struct PlantSummary
{
    QList<QPair<QString, qint64>> rows; // table, rows written, in writing order
    QString moldingClass;
    QString smallClass;
    QString inspectionClass;
    QString adminOperator;
    QString inquiryOperator;
    QString operatorWithoutRow;
    qint64 firstLot = 0;
    qint64 lastLot = 0;
    qint64 rowsOf(const QString &table) const;
};

// The schema file's text; throws DbError when it cannot be read.
QString schemaText();
// The table names the schema file creates.
QStringList schemaTables();
// True when the database already holds one of the plant tables.
bool hasPlantTables(Database &db);

// Creates the tables, writes the plant and gathers the planner statistics in one transaction.
// Existing plant tables are dropped first with `replace`, and refused (DbError) without it.
// Throws DbError when the database refuses; nothing is left half written.
PlantSummary writePlant(Database &db, const PlantOptions &options, bool replace);

// Writes a plant into a SQLite file: into "PATH.new" first, which takes the place of PATH only
// when complete (with a write-ahead log, its planner statistics gathered), so that an
// interrupted run leaves the old plant or the new one. An existing file is replaced only with
// `replace`; otherwise DbError says so and the file stays untouched. A plant that a program
// has open is not replaced.
PlantSummary writeSqlitePlant(const QString &path, const PlantOptions &options, bool replace);

} // namespace demo
