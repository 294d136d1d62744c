#pragma once
// Open arrangements of the class that the plan statement cannot take because 完納区分,
// 削除フラグ, 生産工場コード or 品名コード is null: its comparisons are false on a null, so such
// a lot would be missing from the chart without a word. The statement stays as the plant runs
// it; one more read after the load counts them and the planner is warned once.

class Database;
class Prompter;
struct RunContext;

// A warning with the count and the first five arrangement numbers; nothing when there are
// none. A read that fails is told as a warning too: the plan it follows is loaded.
void warnOfNullKeyLots(Database &db, const RunContext &context, Prompter &prompter);
