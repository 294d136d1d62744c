#pragma once
// The rows of a statement run through Qt's driver (PostgreSQL, ODBC).

#include "db/ResultCursor.h"

#include <QSqlQuery>
#include <QSqlRecord>

class QueryCursor final : public ResultCursor
{
public:
    explicit QueryCursor(QSqlQuery query);

    bool next() override;
    int columnCount() const override;
    QString columnName(int column) const override;
    bool isNull(int column) const override;
    QVariant value(int column) const override;
    QString text(int column) const override;
    double number(int column) const override;
    bool wholeNumbers(int column) const override;
    void finish() override;
    QString error() const override;

private:
    QSqlQuery m_query;
    QSqlRecord m_record; // the columns, taken once
};
