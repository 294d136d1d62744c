#include "gantt/BarSpatialIndex.h"

#include "plan/ChartRows.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 BandHeight = qint64(ChartRows::RowHeight);

qint64 floorDiv(qint64 value, qint64 divisor)
{
    const qint64 q = value / divisor;
    return (value % divisor != 0 && value < 0) ? q - 1 : q;
}

} // namespace

qint64 BarSpatialIndex::bandOf(qint64 top)
{
    return floorDiv(top, BandHeight);
}

void BarSpatialIndex::rebuild(const std::vector<BarGeometry> &bars)
{
    m_main.clear();
    m_strip.clear();
    m_entries.assign(bars.size(), Entry());
    m_nextStack = 0;
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        m_entries[bar].stack = ++m_nextStack;
        insert(qint64(bar), bars[bar]);
    }
}

void BarSpatialIndex::update(qint64 bar, const BarGeometry &geometry, bool toFront)
{
    if (bar < 0)
        return;
    if (size_t(bar) >= m_entries.size())
        m_entries.resize(size_t(bar) + 1);
    remove(bar);
    if (toFront || m_entries[size_t(bar)].stack == 0)
        m_entries[size_t(bar)].stack = ++m_nextStack;
    insert(bar, geometry);
}

void BarSpatialIndex::insert(qint64 bar, const BarGeometry &geometry)
{
    Entry &entry = m_entries[size_t(bar)];
    entry.filed = geometry.visible;
    if (!entry.filed)
        return;
    entry.left = geometry.left;
    entry.width = geometry.width;
    entry.surface = geometry.surface;
    entry.band = bandOf(geometry.top);
    Band &band = bandsOf(entry.surface)[entry.band];
    if (band.sorted && !band.bars.empty() && m_entries[size_t(band.bars.back())].left > entry.left)
        band.sorted = false;
    band.bars.push_back(bar);
    band.widest = std::max(band.widest, entry.width);
}

void BarSpatialIndex::remove(qint64 bar)
{
    Entry &entry = m_entries[size_t(bar)];
    if (!entry.filed)
        return;
    entry.filed = false;
    Bands &bands = bandsOf(entry.surface);
    const auto found = bands.find(entry.band);
    if (found == bands.end())
        return;
    std::vector<qint64> &list = found->second.bars;
    const auto at = std::find(list.begin(), list.end(), bar);
    if (at != list.end())
        list.erase(at); // removing keeps the order
}

void BarSpatialIndex::sortBand(Band &band) const
{
    std::stable_sort(band.bars.begin(), band.bars.end(),
                     [this](qint64 a, qint64 b) { return m_entries[size_t(a)].left < m_entries[size_t(b)].left; });
    band.widest = 0;
    for (qint64 bar : band.bars)
        band.widest = std::max(band.widest, m_entries[size_t(bar)].width);
    band.sorted = true;
}

void BarSpatialIndex::barsIn(const std::vector<BarGeometry> &bars, ChartSurface surface, double x0, double x1,
                             double y0, double y1, std::vector<qint64> &out) const
{
    out.clear();
    Bands &bands = surface == ChartSurface::Strip ? m_strip : m_main;
    const qint64 firstBand = bandOf(qint64(std::floor(y0)) - PlanBarHeight);
    const qint64 lastBand = bandOf(qint64(std::ceil(y1)));
    for (auto it = bands.lower_bound(firstBand); it != bands.end() && it->first <= lastBand; ++it) {
        Band &band = it->second;
        if (!band.sorted)
            sortBand(band);
        const double from = x0 - double(band.widest);
        auto bar = std::lower_bound(band.bars.begin(), band.bars.end(), from,
                                    [this](qint64 b, double x) { return double(m_entries[size_t(b)].left) < x; });
        const size_t bandStart = out.size();
        for (; bar != band.bars.end(); ++bar) {
            const BarGeometry &g = bars[size_t(*bar)];
            if (double(g.left) >= x1)
                break;
            if (double(g.right()) > x0 && double(g.bottom()) > y0 && double(g.top) < y1)
                out.push_back(*bar);
        }
        stackOverlaps(bars, out.begin() + qptrdiff(bandStart), out.end());
    }
}

void BarSpatialIndex::stackOverlaps(const std::vector<BarGeometry> &bars, std::vector<qint64>::iterator begin,
                                    std::vector<qint64>::iterator end) const
{
    // Bars of a band come in order of their left edge; only where bars overlap does the order
    // in which they were laid out decide which lies on top.
    const auto byStack = [this](qint64 a, qint64 b) { return m_entries[size_t(a)].stack < m_entries[size_t(b)].stack; };
    auto run = begin;
    while (run != end) {
        qint64 runRight = bars[size_t(*run)].right();
        auto next = run + 1;
        while (next != end && bars[size_t(*next)].left < runRight) {
            runRight = std::max(runRight, bars[size_t(*next)].right());
            ++next;
        }
        if (next - run > 1)
            std::sort(run, next, byStack);
        run = next;
    }
}

qint64 BarSpatialIndex::topMost(const std::vector<qint64> &candidates) const
{
    qint64 top = 0;
    quint64 highest = 0;
    for (qint64 bar : candidates)
        if (m_entries[size_t(bar)].stack >= highest) {
            highest = m_entries[size_t(bar)].stack;
            top = bar;
        }
    return top;
}
