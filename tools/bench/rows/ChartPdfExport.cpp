// Printing to PDF: the demo plant's molding class, four weeks from the period start in week
// mode, every machine and subcontractor on A3, written as the ファイル menu's PDF export writes
// it (the chart already laid out, with its conflict marks and load strips, as it is in the window).

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "MoldingMonth.h"
#include "editing/PlanWatchMarks.h"
#include "export/PageHeading.h"
#include "export/ui/ChartOutput.h"
#include "export/ui/ChartPagePainter.h"
#include "gantt/GanttChart.h"
#include "session/PlanSession.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

KALVUNER_BENCH_ROW("chart PDF, molding class, 4 weeks A3", "the molding class's chart over four weeks written as A3 PDF pages",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-chart-pdf"));
                       RunContext run = moldingMonth(plant, *db);
                       AlwaysYes prompter;
                       PlanSession session(run, *db, prompter);
                       session.load(nullptr);
                       GanttChart chart(session.store(), session.rows(), session.calendar());
                       chart.setUp(13815, run.periodStartDate(), run.DayStartTime, {}, run.GridUnitMinutes);
                       chart.showMode(DisplayMode::Week);
                       const QDate first = run.periodStartDate();
                       const QDate last = first.addDays(27);
                       const QString path = QDir(plant.workDir).filePath(QStringLiteral("chart.pdf"));
                       const PlanWatchMarks marks(session.watch());
                       int pageCount = 0;
                       watch.measure([&] {
                           const auto [firstRow, lastRow] = ChartPages::plantRows(session.rows());
                           const ChartPages pages = ChartPages::onPaper(chart.scale(), session.rows(),
                                                                        {first, last, firstRow, lastRow, PaperSize::A3});
                           ChartPagePainter painter(chart, pages, pageHeading(run, first, last, QDateTime::currentDateTime()));
                           painter.setMarks(&marks);
                           if (writeChartPdf(path, painter, PaperSize::A3).result != OutputResult::Written)
                               throw DbError(QStringLiteral("PDFを書き込めませんでした: ") + path);
                           pageCount = int(pages.pages().size());
                       });
                       QTextStream(stderr) << "  chart PDF: " << pageCount << " pages, " << QFileInfo(path).size() / 1024
                                           << " KB" << Qt::endl;
                   });
