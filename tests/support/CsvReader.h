#pragma once
// A small reader of comma-separated text for the tests of exported files: records end with
// CR LF (a lone LF is taken too), a field in double quotes may hold commas, line ends and
// doubled quotes. It stays apart from the writer so that a fault in one is not repeated by
// the other.

#include <QList>
#include <QStringList>

// The records of `text`; throws std::runtime_error on a stray quote.
QList<QStringList> readCsv(QStringView text);
