#pragma once
// A lot's process chain. Every arrangement names the arrangement of its next process in
// 上位手配番号 (0 = none), so a lot's later processes are found by following that number row
// by row. The walk ends where no row comes back (an arrangement not found, or one of process
// class 03 or 30 where the statement leaves those out) and, because plant data can point an
// arrangement back at itself or at an earlier one of its chain, at the first repeat.

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// One process of the chain that the process add window offers.
struct ChainLink
{
    qint64 arrangementNo = 0; // 手配番号
    QString processName;      // 工程内容名, trimmed
};

// The chain of the process add window: the arrangement itself and its next processes, as
// long as each lies outside process classes 03 and 30. Empty when the arrangement itself is
// not found there. Throws DbError.
QList<ChainLink> processAddChain(Database &db, qint64 arrangementNo);

// The line of one link in the process add window: "手配番号 工程内容名".
QString chainLine(const ChainLink &link);

// The lines of the process show window: the arrangements that feed the arrangement (at the
// top), the arrangement itself and its next processes outside classes 03 and 30, each as
// "mm/dd 手配番号 品名コード 機械コード 工程内容名" (the feeding ones with their line code in
// place of the machine). Throws DbError.
QStringList processShowLines(Database &db, qint64 arrangementNo);
