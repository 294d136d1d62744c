#pragma once
// The times a machine row or a mold is taken, as disjoint blocks of instants (lots::instantKey):
// lots that touch or overlap merge into one block. A lot of no length still takes its
// second, so that nothing is started across it.

#include <QDateTime>
#include <map>
#include <optional>

class BusyTimes
{
public:
    // Marks [start, end) taken; `endAt` is the end as a moment.
    void take(qint64 start, qint64 end, const QDateTime &endAt);
    // The end of the block that overlaps [start, end), as a moment; nothing when it is free.
    std::optional<QDateTime> blockingEnd(qint64 start, qint64 end) const;
    // Where a piece of work of at least `length` seconds could start at `from` or later: the
    // end of the last block passed when `from` lies in a block or before a gap too short for
    // it; nothing when it could start at `from` as far as the blocks go.
    std::optional<QDateTime> roomFor(qint64 from, qint64 length) const;

private:
    struct Block
    {
        qint64 end = 0;
        QDateTime endAt;
    };
    std::map<qint64, Block> m_blocks; // by start
};
