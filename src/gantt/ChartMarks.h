#pragma once
// What the chart paints over the plan besides its bars: which bars stand in a conflict, and
// how full each machine row is day by day. The plan's watch answers; the chart only asks.

#include <QtGlobal>

class ChartMarks
{
public:
    virtual ~ChartMarks() = default;
    // The lot of bar `bar` is in a conflict.
    virtual bool barMarked(qint64 bar) const = 0;
    // Planned against working minutes of machine row `row` on calendar day `day`, in percent;
    // -1 when the day has neither.
    virtual int loadPercent(int row, qint64 day) const = 0;
    virtual qint64 plannedMinutes(int row, qint64 day) const = 0;
    virtual qint64 workingMinutes(int row, qint64 day) const = 0;
};

// How a day's load reads at a glance: calm under 85%, warm up to 100%, over beyond.
enum class LoadBand { None, Calm, Warm, Over };

inline LoadBand loadBand(int percent)
{
    if (percent < 0)
        return LoadBand::None;
    if (percent < 85)
        return LoadBand::Calm;
    return percent <= 100 ? LoadBand::Warm : LoadBand::Over;
}
