#include "ChartFileOutput.h"

#include "CliSession.h"
#include "app/MainFormLayout.h"
#include "common/PlantValues.h"
#include "export/PageHeading.h"
#include "export/WaitingLots.h"
#include "export/ui/ChartOutput.h"
#include "export/ui/ChartPagePainter.h"
#include "editing/PlanWatchMarks.h"
#include "gantt/GanttChart.h"
#include "session/PlanSession.h"

#include <QDateTime>
#include <algorithm>

namespace {

constexpr double SmallestScale = 0.1;
constexpr double LargestScale = 4;

std::optional<QDate> dayOption(const QCommandLineParser &parser, const QCommandLineOption &option, QString &wrong)
{
    if (!parser.isSet(option))
        return QDate();
    const QDate day = QDate::fromString(parser.value(option), QStringLiteral("yyyyMMdd"));
    if (!day.isValid()) {
        wrong = QStringLiteral("--%1 の日付「%2」が正しくありません。yyyymmdd で指定してください。")
                    .arg(option.names().constFirst(), parser.value(option));
        return std::nullopt;
    }
    return day;
}

bool failed(const QString &path, const OutputOutcome &outcome)
{
    if (outcome.result == OutputResult::Written)
        return false;
    cliErr() << (outcome.message.isEmpty() ? QStringLiteral("%1 を書き込めませんでした。").arg(path) : outcome.message)
             << u'\n';
    cliErr().flush();
    return true;
}

} // namespace

ChartFileOutput::ChartFileOutput(QCommandLineParser &parser)
    : m_parser(parser),
      m_pdf(QStringLiteral("pdf"), QStringLiteral("ガントチャートを印刷と同じページでPDFに書き出します。"), QStringLiteral("ファイル")),
      m_png(QStringLiteral("png"), QStringLiteral("ガントチャートを1枚のPNG画像に書き出します。"), QStringLiteral("ファイル")),
      m_mode(QStringLiteral("mode"), QStringLiteral("表示モード: 1 日, 2 3日, 3 週間（既定）, 4 4週間。"), QStringLiteral("1-4"),
             QStringLiteral("3")),
      m_paper(QStringLiteral("paper"), QStringLiteral("PDFの用紙（横）: a3（既定）か a4。"), QStringLiteral("a3|a4"),
              QStringLiteral("a3")),
      m_from(QStringLiteral("from"), QStringLiteral("チャートの最初の日（既定は計画期間の開始日）。"), QStringLiteral("yyyymmdd")),
      m_to(QStringLiteral("to"), QStringLiteral("チャートの最後の日（既定は計画期間の終了日）。"), QStringLiteral("yyyymmdd")),
      m_scale(QStringLiteral("scale"), QStringLiteral("PNG画像の倍率（既定 1 = 画面と同じ大きさ、0.1～4）。"),
              QStringLiteral("倍率"), QStringLiteral("1"))
{
    parser.addOptions({m_pdf, m_png, m_mode, m_paper, m_from, m_to, m_scale});
}

bool ChartFileOutput::requested() const
{
    return m_parser.isSet(m_pdf) || m_parser.isSet(m_png);
}

std::optional<QString> ChartFileOutput::checkOptions()
{
    bool ok = false;
    const int mode = m_parser.value(m_mode).toInt(&ok);
    if (!ok || mode < 1 || mode > 4)
        return QStringLiteral("--mode は 1～4 です:「%1」").arg(m_parser.value(m_mode));
    m_displayMode = displayModeFromNumber(mode);
    const QString paper = m_parser.value(m_paper).toLower();
    if (paper != QStringLiteral("a3") && paper != QStringLiteral("a4"))
        return QStringLiteral("--paper は a3 か a4 です:「%1」").arg(m_parser.value(m_paper));
    m_paperSize = paper == QStringLiteral("a4") ? PaperSize::A4 : PaperSize::A3;
    m_scaleValue = m_parser.value(m_scale).toDouble(&ok);
    if (!ok || m_scaleValue < SmallestScale || m_scaleValue > LargestScale)
        return QStringLiteral("--scale は 0.1～4 の数です:「%1」").arg(m_parser.value(m_scale));
    QString wrong;
    const std::optional<QDate> first = dayOption(m_parser, m_from, wrong);
    const std::optional<QDate> last = dayOption(m_parser, m_to, wrong);
    if (!first || !last)
        return wrong;
    if (first->isValid() && last->isValid() && *last < *first)
        return QStringLiteral("--to の日付が --from より前です。");
    m_first = *first;
    m_last = *last;
    return std::nullopt;
}

int ChartFileOutput::write(CliSession &cli)
{
    const PlanSession &session = cli.session();
    const RunContext &run = cli.context();
    // The chart laid out as the main window lays it out for the settings' window size.
    const mainform::Layout layout = mainform::compute(run.WindowWidth, run.WindowHeight);
    GanttChart chart(session.store(), session.rows(), session.calendar());
    chart.setUp(double(layout.controls.value(QStringLiteral("Picture1")).width), run.periodStartDate(),
                run.DayStartTime, {run.MarkTentativeBars != 0, run.ShowMoldOnBars != 0}, run.GridUnitMinutes);
    chart.showMode(m_displayMode);

    // The days asked for, within those the chart holds; the heading names the days drawn.
    const TimeScale &scale = chart.scale();
    const QDate wantedFirst = m_first.isValid() ? m_first : run.periodStartDate();
    const QDate wantedLast = m_last.isValid() ? m_last : run.periodEndDate();
    if (wantedLast < scale.firstHeldDay() || wantedFirst > scale.lastHeldDay() || wantedLast < wantedFirst) {
        cliErr() << QStringLiteral("%1～%2 はチャートにありません。チャートが持つ日は %3～%4 です。\n")
                                   .arg(plant::dateText(wantedFirst), plant::dateText(wantedLast),
                                        plant::dateText(scale.firstHeldDay()), plant::dateText(scale.lastHeldDay()));
        cliErr().flush();
        return cli::BadInput;
    }
    const QDate first = std::max(wantedFirst, scale.firstHeldDay());
    const QDate last = std::min(wantedLast, scale.lastHeldDay());
    const auto [firstRow, lastRow] = ChartPages::plantRows(session.rows());
    const PageHeading heading = pageHeading(run, first, last, QDateTime::currentDateTime());
    // Conflicts and load strips as the window shows them.
    const PlanWatchMarks marks(session.watch());
    if (m_parser.isSet(m_pdf)) {
        const QString path = m_parser.value(m_pdf);
        // The lots waiting on 未割付 follow the chart as a list.
        const ChartPages pages = ChartPages::onPaper(chart.scale(), session.rows(),
                                                     {first, last, firstRow, lastRow, m_paperSize,
                                                      int(waitingLots(chart).size())});
        ChartPagePainter painter(chart, pages, heading);
        painter.setMarks(&marks);
        if (failed(path, writeChartPdf(path, painter, m_paperSize)))
            return cli::Failed;
    }
    if (m_parser.isSet(m_png)) {
        const QString path = m_parser.value(m_png);
        const ChartPages sheet = ChartPages::asOneSheet(
            session.rows(), double(scale.planTimeToX(first, scale.dayStart(), ChartSurface::Main)),
            double(scale.planTimeToX(last.addDays(1), scale.dayStart(), ChartSurface::Main)), firstRow, lastRow);
        ChartPagePainter painter(chart, sheet, heading);
        painter.setMarks(&marks);
        if (failed(path, writeChartPng(path, painter, m_scaleValue)))
            return cli::Failed;
    }
    return cli::Done;
}
