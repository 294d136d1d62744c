#pragma once
// Row writes of the plant database: an UPDATE of one row (or the rows of one key) and an
// INSERT of one whole row. Table and column names come from the program's own constants
// (or from a row the database returned); every value is bound, never pasted into the text.

#include "db/Database.h"

#include <QVariantMap>

// UPDATE table SET <set columns> WHERE <key columns> = values. Returns the number of rows
// written (0 when no row has that key). Throws DbError when the write fails or when a name
// is no plain table or column name.
qint64 updateRow(Database &db, const QString &table, const QVariantMap &key, const QVariantMap &set);

// INSERT INTO table (<columns>) VALUES (<values>). Throws DbError as above.
void insertRow(Database &db, const QString &table, const QVariantMap &columns);
