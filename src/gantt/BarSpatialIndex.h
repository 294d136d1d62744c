#pragma once
// Finds the bars in a region of a surface without walking every bar: bars are kept in bands
// of rows, each band sorted by left edge, so a frame or a pointer press looks only at the bars
// near it. The stacking order (the bar laid out last lies on top) is kept here too.

#include "gantt/BarGeometry.h"

#include <map>
#include <vector>

class BarSpatialIndex
{
public:
    // Indexes bars 0 .. bars.size() - 1 afresh; their stacking order follows their index.
    void rebuild(const std::vector<BarGeometry> &bars);
    // Bar `bar` was laid out again; `toFront` brings it on top of the others.
    void update(qint64 bar, const BarGeometry &geometry, bool toFront);

    // The visible bars of `surface` that reach into [x0, x1) × [y0, y1), in painting order:
    // row band by row band, along the time axis, overlapping bars bottom-most first.
    void barsIn(const std::vector<BarGeometry> &bars, ChartSurface surface, double x0, double x1, double y0,
                double y1, std::vector<qint64> &out) const;
    // The one of `candidates` that lies on top; 0 for none.
    qint64 topMost(const std::vector<qint64> &candidates) const;

private:
    struct Band
    {
        std::vector<qint64> bars; // sorted by left edge unless `sorted` is false
        qint64 widest = 0;
        bool sorted = true;
    };
    using Bands = std::map<qint64, Band>;

    static qint64 bandOf(qint64 top);
    Bands &bandsOf(ChartSurface surface) { return surface == ChartSurface::Strip ? m_strip : m_main; }
    const Bands &bandsOf(ChartSurface surface) const { return surface == ChartSurface::Strip ? m_strip : m_main; }
    void insert(qint64 bar, const BarGeometry &geometry);
    void remove(qint64 bar);
    void sortBand(Band &band) const;
    void stackOverlaps(const std::vector<BarGeometry> &bars, std::vector<qint64>::iterator begin,
                       std::vector<qint64>::iterator end) const;

    // Bands are sorted lazily when a query reaches them.
    mutable Bands m_main;
    mutable Bands m_strip;
    // Per bar: where it is filed (left edge, width, surface, band; filed = false when it is
    // not visible) and its place in the stacking order (higher lies on top).
    struct Entry
    {
        qint64 left = 0;
        qint64 width = 0;
        qint64 band = 0;
        ChartSurface surface = ChartSurface::Main;
        bool filed = false;
        quint64 stack = 0;
    };
    std::vector<Entry> m_entries;
    quint64 m_nextStack = 0;
};
