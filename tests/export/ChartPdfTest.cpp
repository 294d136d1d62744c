// The chart as a PDF and a picture, read back as a reader would: the PDF's text (pdftotext)
// holds the heading, the row labels and the captions of the lots in the printed days, and
// nothing of the lots outside them, and the lots waiting on the strip on a list after them; a
// stopped export leaves no file and an older file as it was.

#include "EditingPlant.h"
#include "Screenshots.h"
#include "export/ui/ChartOutput.h"
#include "export/ui/ChartPagePainter.h"
#include "export/WaitingLots.h"
#include "gantt/GanttChart.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDate First(2024, 5, 6);
const QDate Last(2024, 6, 2); // four weeks

QString pdfText(const QString &path, int page = 0)
{
    QProcess tool;
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    tool.start(QStringLiteral("pdftotext"), arguments << path << QStringLiteral("-"));
    EXPECT_TRUE(tool.waitForFinished(30000));
    // Noto CJK draws ～ and 〜 alike, and the PDF can tell only one of them; the text is
    // compared as it stands otherwise (工 and 日 must not come back as the radicals ⼯ and ⽇),
    // without blanks.
    return QString::fromUtf8(tool.readAllStandardOutput())
        .replace(QChar(0xFF5E), u'~')
        .replace(QChar(0x301C), u'~')
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

void keep(const QString &path)
{
    keepScreenshotFile(path, QFileInfo(path).fileName());
}

int pdfPageCount(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(tool.waitForFinished(30000));
    for (const QString &line : QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

class ChartPdf : public testing::Test
{
protected:
    ChartPdf()
    {
        plant.run.PlantCode = 3;
        plant.run.ProcessClassCode = QStringLiteral("03");
        plant.run.ProcessClassLabel = QStringLiteral("03 検査");
        plant.run.OperatorCode = QStringLiteral("0007");
        lot(EditingPlant::M01, QStringLiteral("2024/05/06 09:00"), QStringLiteral("IN-A1"), QStringLiteral("フロントカバー"));
        lot(EditingPlant::M02, QStringLiteral("2024/05/20 10:00"), QStringLiteral("IN-B2"), QStringLiteral("リアケース"));
        lot(EditingPlant::M03, QStringLiteral("2024/06/01 08:00"), QStringLiteral("IN-C3"), QStringLiteral("ギアハウジング"));
        lot(EditingPlant::M01, QStringLiteral("2024/06/20 08:00"), QStringLiteral("OUT-Z9"), QStringLiteral("範囲外部品"));
        lot(EditingPlant::M02, QStringLiteral("2024/05/02 08:00"), QStringLiteral("OUT-Y8"), QStringLiteral("範囲外部品"));
        // Waiting on the strip: listed after the chart when asked for.
        lot(QStringLiteral("        "), QStringLiteral("2024/05/15 08:00"), QStringLiteral("WAIT-7"),
            QStringLiteral("成形待ち部品"));
        plant.start();
        chart.setUp(13815, plant.run.periodStartDate(), plant.run.DayStartTime, {}, 10);
        chart.showMode(DisplayMode::Week);
    }

    void lot(const QString &machine, const QString &start, const QString &item, const QString &name)
    {
        LotSpec spec;
        spec.machine = machine;
        spec.start = start;
        spec.minutes = 600;
        const qint64 index = plant.add(spec);
        plant.amend(index, [&](PlanRecord &r) {
            r.ItemCode = item;
            r.DisplayItemName = name;
            r.ProcessName = QStringLiteral("外観検査");
        });
    }

    ChartPages pages(PaperSize paper, int waiting = 0) const
    {
        const auto [firstRow, lastRow] = ChartPages::plantRows(plant.rows);
        return ChartPages::onPaper(chart.scale(), plant.rows, {First, Last, firstRow, lastRow, paper, waiting});
    }

    PageHeading heading() const
    {
        return pageHeading(plant.run, First, Last, QDateTime(QDate(2024, 5, 3), QTime(9, 30)));
    }

    EditingPlant plant;
    GanttChart chart{plant.store, plant.rows, plant.calendar};
    QTemporaryDir dir;
};

TEST_F(ChartPdf, FourWeeksOnA3HoldTheHeadingLabelsAndTheLotsInRange)
{
    const ChartPages a3 = pages(PaperSize::A3);
    ChartPagePainter painter(chart, a3, heading());
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    std::vector<int> reported;
    const OutputOutcome outcome = writeChartPdf(path, painter, PaperSize::A3, [&](int done, int count) {
        reported.push_back(done * 10 + count);
        return true;
    });
    ASSERT_EQ(outcome.result, OutputResult::Written) << outcome.message.toStdString();
    keep(path);
    EXPECT_EQ(reported, (std::vector<int>{3, 13, 23, 33}));
    ASSERT_EQ(pdfPageCount(path), 3); // eleven days fit a sheet: 10 + 10 + 8

    const QString all = pdfText(path);
    for (const char *expected : {"工場3", "工程分類03検査", "期間2024/05/06~2024/06/02", "印刷日時2024/05/0309:30",
                                 "担当者0007", "1/3", "2/3", "3/3", "M01", "M02", "M03", "S01", "S02", "IN-A1",
                                 "フロントカバー", "IN-B2", "リアケース", "IN-C3", "ギアハウジング", "外観検査"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(all.contains(QStringLiteral("OUT-Z9"))) << "a lot after the printed days";
    EXPECT_FALSE(all.contains(QStringLiteral("OUT-Y8"))) << "a lot before the printed days";
    EXPECT_FALSE(all.contains(QStringLiteral("範囲外")));

    // Every page repeats the labels; each lot is on the page of its days.
    const QString second = pdfText(path, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("M03")) && second.contains(QStringLiteral("S02")));
    EXPECT_TRUE(second.contains(QStringLiteral("IN-B2")));
    EXPECT_FALSE(second.contains(QStringLiteral("IN-A1")));
    EXPECT_TRUE(pdfText(path, 3).contains(QStringLiteral("IN-C3")));
}

TEST_F(ChartPdf, A4CutsTheSameFourWeeksIntoWeeks)
{
    const ChartPages a4 = pages(PaperSize::A4);
    ChartPagePainter painter(chart, a4, heading());
    const QString path = dir.filePath(QStringLiteral("plan-a4.pdf"));
    ASSERT_EQ(writeChartPdf(path, painter, PaperSize::A4).result, OutputResult::Written);
    EXPECT_EQ(pdfPageCount(path), 4);
    EXPECT_TRUE(pdfText(path, 4).contains(QStringLiteral("4/4")));
}

TEST_F(ChartPdf, TheLotsWaitingOnTheStripFollowTheChartAsAList)
{
    ASSERT_EQ(waitingLots(chart).size(), 1u);
    ChartPagePainter painter(chart, pages(PaperSize::A3, 1), heading());
    const QString path = dir.filePath(QStringLiteral("plan-waiting.pdf"));
    ASSERT_EQ(writeChartPdf(path, painter, PaperSize::A3).result, OutputResult::Written);
    keep(path);
    ASSERT_EQ(pdfPageCount(path), 4);
    const QString list = pdfText(path, 4);
    for (const char *expected : {"4/4", "未割付の計画（1件）", "手配番号", "品名コード", "納期", "WAIT-7", "成形待ち部品",
                                 "外観検査", "2024/05/15"})
        EXPECT_TRUE(list.contains(QString::fromUtf8(expected))) << expected << "\n" << list.toStdString();
    for (int page = 1; page <= 3; ++page)
        EXPECT_FALSE(pdfText(path, page).contains(QStringLiteral("WAIT-7"))) << page;
}

TEST_F(ChartPdf, StoppedOrImpossibleExportsLeaveNoNewFile)
{
    const ChartPages a3 = pages(PaperSize::A3);
    ChartPagePainter painter(chart, a3, heading());
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older plan");
    }
    const OutputOutcome stopped = writeChartPdf(path, painter, PaperSize::A3, [](int done, int) { return done < 2; });
    EXPECT_EQ(stopped.result, OutputResult::Cancelled);
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("older plan"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plan.pdf")}) << "no stray temporary";

    const QString nowhere = dir.filePath(QStringLiteral("missing-folder/plan.pdf"));
    const OutputOutcome failed = writeChartPdf(nowhere, painter, PaperSize::A3);
    EXPECT_EQ(failed.result, OutputResult::Failed);
    EXPECT_TRUE(failed.message.contains(QStringLiteral("書き込めませんでした")));
    EXPECT_FALSE(QFile::exists(nowhere));

    const ChartPages none = ChartPages::onPaper(chart.scale(), plant.rows, {Last, First, 2, 6, PaperSize::A3});
    ChartPagePainter empty(chart, none, heading());
    EXPECT_EQ(writeChartPdf(dir.filePath(QStringLiteral("empty.pdf")), empty, PaperSize::A3).result, OutputResult::Failed);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.pdf"))));
}

TEST_F(ChartPdf, PictureOfTheWholePeriodAtAScale)
{
    const auto [firstRow, lastRow] = ChartPages::plantRows(plant.rows);
    const double x0 = chart.scale().scaleLeft();
    const ChartPages sheet = ChartPages::asOneSheet(plant.rows, x0, chart.scale().scaleRight(), firstRow, lastRow);
    ChartPagePainter painter(chart, sheet, heading());
    const QString path = dir.filePath(QStringLiteral("plan.png"));
    ASSERT_EQ(writeChartPng(path, painter, 0.5).result, OutputResult::Written);
    keep(path);
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), sheet.frame().sheet.width() * 0.5, 1);
    EXPECT_NEAR(image.height(), sheet.frame().sheet.height() * 0.5, 1);
    // At the chart's own size the lot IN-A1 keeps its due-date colour (no due date: grey).
    ASSERT_EQ(writeChartPng(path, painter, 1).result, OutputResult::Written);
    const QImage full(path);
    const BarGeometry &bar = chart.bar(2);
    const QRectF area = sheet.frame().chartArea();
    const QRect barRect(int(area.left() + (bar.left - x0) / 15), int(area.top() + (bar.top - sheet.pages().front().y0) / 15),
                        int(bar.width / 15), 20);
    int grey = 0;
    for (int y = barRect.top(); y <= barRect.bottom(); ++y)
        for (int x = barRect.left(); x <= barRect.right(); ++x)
            grey += full.pixelColor(x, y) == QColor(192, 192, 192);
    EXPECT_GT(grey, barRect.width() * barRect.height() / 3);

    EXPECT_EQ(writeChartPng(dir.filePath(QStringLiteral("huge.png")), painter, 100).result, OutputResult::Failed);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("huge.png"))));
}

} // namespace
