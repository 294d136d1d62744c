#pragma once
// The heading line of every printed page and exported picture: which plant, class and days it
// shows, when it was printed and by whom.

#include <QDate>
#include <QDateTime>
#include <QString>

struct RunContext;

struct PageHeading
{
    int plantCode = 0;
    QString processClass; // "01 成形" as the class window lists it, or the bare code
    QDate firstDay;
    QDate lastDay;
    QDateTime printedAt;
    QString operatorCode;

    // "工場 1　工程分類 01 成形　期間 2024/04/01～2024/04/28　印刷日時 2024/04/01 10:15　担当者 0001"
    // (without 担当者 when no operator is known)
    QString text() const;
};

PageHeading pageHeading(const RunContext &run, const QDate &firstDay, const QDate &lastDay, const QDateTime &printedAt);
