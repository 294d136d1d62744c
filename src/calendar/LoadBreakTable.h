#pragma once
// Reads the plant's break periods from the break master (DB0496).

class BreakTable;
class Database;
class Prompter;

enum class BreakTableLoad {
    Loaded,     // the table holds the master's valid, non-overlapping pairs
    EndProgram, // the master has no row: the warning was shown and the program must end
};

// Clears the table and fills it from the master's first row, pair 1 to pair 10; invalid and
// overlapping pairs are skipped without a message. With no row the warning
// "休憩マスタにデータがありません。" (title "警告", warning icon) is shown and the table stays
// empty. Throws DbError when the statement fails.
BreakTableLoad LoadBreakTable(BreakTable &table, Database &db, Prompter &prompter);
