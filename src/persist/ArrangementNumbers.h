#pragma once
// The next arrangement number from the number management table (DB0018, key '手配番号').
// The counter is advanced inside the transaction of the lot being written, so it is held
// only while that lot is written and goes back with it when the lot fails.

#include <QtGlobal>
#include <stdexcept>

class SaveSession;

// The table has no row for the arrangement number: no arrangement can be created.
class NoArrangementNumbering : public std::runtime_error
{
public:
    NoArrangementNumbering() : std::runtime_error("no DB0018 row for 手配番号") {}
};

// Claims the number after the current one and stores it as the current number. Another
// program that moved the counter in between makes the claim wait a little and read again.
// Throws NoArrangementNumbering, or DbError when the counter stays contended.
qint64 claimArrangementNumber(SaveSession &session);
