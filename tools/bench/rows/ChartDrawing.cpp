// The chart: laying out the whole chart in week mode (Disp_Gantt with every bar) and painting
// one 1920×1080 frame of the main surface in four-week mode into an image, for 10,000 and
// 100,000 lots held in memory (independent of the demo plant's size).

#include "BenchRegistry.h"
#include "ChartBenchPlant.h"
#include "gantt/GanttChart.h"
#include "gantt/ui/ChartPainter.h"

#include <QImage>
#include <map>
#include <memory>

namespace {

constexpr double ViewportWidth = 13815; // a 1280-pixel window

// The plants are built once per size and kept for the runs of all rows.
ChartBenchPlant &plantOf(qint64 lots)
{
    static std::map<qint64, std::unique_ptr<ChartBenchPlant>> plants;
    auto &plant = plants[lots];
    if (!plant)
        plant = std::make_unique<ChartBenchPlant>(lots);
    return *plant;
}

void layOutChart(qint64 lots, BenchWatch &watch)
{
    ChartBenchPlant &plant = plantOf(lots);
    GanttChart chart(plant.store, plant.rows, plant.calendar);
    chart.setUp(ViewportWidth, plant.periodStart, plant.dayStart, {true, false}, 15);
    watch.measure([&] { chart.showMode(DisplayMode::Week); });
}

void paintFrame(qint64 lots, BenchWatch &watch)
{
    ChartBenchPlant &plant = plantOf(lots);
    GanttChart chart(plant.store, plant.rows, plant.calendar);
    chart.setUp(ViewportWidth, plant.periodStart, plant.dayStart, {true, false}, 15);
    chart.showMode(DisplayMode::FourWeeks);
    chart.setScrollValue(chart.axis().scrollMaximum() / 2);
    ChartPainter painter(chart);
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    {
        // The first frame loads the fonts; the figure is a frame as the planner scrolls.
        QPainter warm(&image);
        painter.paintMainSurface(warm, image.size(), chart.axis().viewportLeftX(), 0);
    }
    watch.measure([&] {
        QPainter frame(&image);
        painter.paintMainSurface(frame, image.size(), chart.axis().viewportLeftX() + 15, 0);
        painter.paintHeaderCaptions(frame, image.size(), chart.axis().viewportLeftX() + 15);
    });
}

} // namespace

KALVUNER_BENCH_ROW("chart layout, 10,000 lots", "Disp_Gantt in week mode: scale, every bar, calendar lines and shading",
                   [](const BenchPlant &, BenchWatch &watch) { layOutChart(10000, watch); });
KALVUNER_BENCH_ROW("chart layout, 100,000 lots", "Disp_Gantt in week mode: scale, every bar, calendar lines and shading",
                   [](const BenchPlant &, BenchWatch &watch) { layOutChart(100000, watch); });
KALVUNER_BENCH_ROW("chart frame, 10,000 lots", "one 1920x1080 frame of the main surface in four-week mode",
                   [](const BenchPlant &, BenchWatch &watch) { paintFrame(10000, watch); });
KALVUNER_BENCH_ROW("chart frame, 100,000 lots", "one 1920x1080 frame of the main surface in four-week mode",
                   [](const BenchPlant &, BenchWatch &watch) { paintFrame(100000, watch); });
