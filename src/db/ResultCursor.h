#pragma once
// One statement's result rows, read forward, whatever driver gave them. Reads the current
// row's cells by position with the plant's conventions for nulls and numbers; RowReader adds
// the names. On PostgreSQL and ODBC the rows come through Qt's driver (QueryCursor); on SQLite
// straight from the SQLite library (SqliteCursor), which spares the plan's load a conversion
// of every cell to UTF-16 and a QVariant that the driver would make.

#include <QString>
#include <QVariant>

class ResultCursor
{
public:
    virtual ~ResultCursor() = default;

    // Moves to the next row; false after the last one or when reading broke off (error()).
    virtual bool next() = 0;
    virtual int columnCount() const = 0;
    // A column's name as the result gives it.
    virtual QString columnName(int column) const = 0;

    virtual bool isNull(int column) const = 0;
    // The cell as the driver types it: whole numbers as qlonglong, decimals as double, texts.
    virtual QVariant value(int column) const = 0;
    // Null reads as empty text.
    virtual QString text(int column) const = 0;
    // Null reads as 0, a text as its leading number.
    virtual double number(int column) const = 0;
    // The column's type holds whole numbers only (an integer, or a decimal without places).
    virtual bool wholeNumbers(int column) const = 0;

    // Lets the statement go before its last row was read, so that the next one may write.
    virtual void finish() = 0;
    // The driver's error text when reading the rows broke off; empty otherwise.
    virtual QString error() const = 0;
};
