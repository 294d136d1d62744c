#include "editing/BusyTimes.h"

#include <algorithm>

void BusyTimes::take(qint64 start, qint64 end, const QDateTime &endAt)
{
    Block block{std::max(end, start + 1), endAt};
    if (end <= start)
        block.endAt = endAt.addSecs(1);
    // Blocks reaching into or touching the new one are swallowed by it.
    auto it = m_blocks.upper_bound(start);
    if (it != m_blocks.begin() && std::prev(it)->second.end >= start)
        --it;
    while (it != m_blocks.end() && it->first <= block.end) {
        start = std::min(start, it->first);
        if (it->second.end > block.end)
            block = it->second;
        it = m_blocks.erase(it);
    }
    m_blocks.emplace(start, std::move(block));
}

std::optional<QDateTime> BusyTimes::blockingEnd(qint64 start, qint64 end) const
{
    end = std::max(end, start + 1);
    auto it = m_blocks.lower_bound(end);
    if (it == m_blocks.begin())
        return std::nullopt;
    --it;
    if (it->second.end > start)
        return it->second.endAt;
    return std::nullopt;
}

std::optional<QDateTime> BusyTimes::roomFor(qint64 from, qint64 length) const
{
    std::optional<QDateTime> passed;
    auto it = m_blocks.upper_bound(from);
    if (it != m_blocks.begin() && std::prev(it)->second.end > from) {
        --it;
        from = it->second.end;
        passed = it->second.endAt;
        ++it;
    }
    // Gaps shorter than the work are stepped over with the block behind them.
    while (it != m_blocks.end() && it->first - from < length) {
        from = it->second.end;
        passed = it->second.endAt;
        ++it;
    }
    return passed;
}
