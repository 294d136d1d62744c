#pragma once
// Reads the current row of a result by column name, with the plant's conventions:
// a name that occurs twice refers to its first occurrence; null or empty reads as 0 or
// empty text; numbers are the leading number of the column's text; dates are "yyyymmdd"
// through the mask "0000/00/00"; times of day are hhmmss numbers through "00:00:00".

#include "db/ResultCursor.h"

#include <QDate>
#include <QHash>
#include <QTime>

class RowReader
{
public:
    explicit RowReader(const ResultCursor &cursor);

    // Column position of a name (first occurrence, case-insensitive); -1 when absent.
    int column(const QString &name) const;
    bool has(const QString &name) const { return column(name) >= 0; }

    bool isNull(const QString &name) const;
    QVariant value(const QString &name) const;
    QString text(const QString &name) const;
    double number(const QString &name) const;
    qint64 integer(const QString &name) const; // the leading number, rounded halves to even
    QDate date(const QString &name) const;
    QTime time(const QString &name) const;

    // The same reads by position, for hot loops that look names up once.
    bool isNullAt(int column) const;
    QVariant valueAt(int column) const;
    QString textAt(int column) const;
    double numberAt(int column) const;
    // The column's type holds whole numbers only (an integer, or a decimal without places).
    bool wholeNumbersAt(int column) const;

private:
    const ResultCursor &m_cursor;
    QHash<QString, int> m_columns;
};
