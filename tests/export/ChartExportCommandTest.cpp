// "kalvuner-cli export --pdf / --png" as the plant's IT staff run it, without a display: the
// demo plant's three-machine inspection class over four weeks gives the pages the paper holds,
// its text names the class and every row, and wrong options or unwritable files have their
// statuses and leave no file.

#include "ExportPlant.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class ChartExportCommand : public ExportPlant
{
protected:
    ToolRun tool(const QStringList &options) const { return exportTool(demo::InspectionClass, options); }

    static QString output(const char *tool, const QStringList &arguments)
    {
        QProcess process;
        process.start(QLatin1String(tool), arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    }

    static int pages(const QString &pdf)
    {
        const QString info = output("pdfinfo", {pdf});
        const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : info.mid(at + 6).section(u'\n', 0, 0).trimmed().toInt();
    }

    QString day(int offset) const { return Start.addDays(offset).toString(QStringLiteral("yyyyMMdd")); }

    QTemporaryDir folder;
};

TEST_P(ChartExportCommand, FourWeeksOfTheInspectionClassAsPdfAndPicture)
{
    const QString a3 = folder.filePath(QStringLiteral("a3.pdf"));
    const QString a4 = folder.filePath(QStringLiteral("a4.pdf"));
    const QString png = folder.filePath(QStringLiteral("plan.png"));
    const QStringList fourWeeks{QStringLiteral("--from"), day(0), QStringLiteral("--to"), day(27)};
    const ToolRun run = tool(QStringList{QStringLiteral("--pdf"), a3, QStringLiteral("--png"), png,
                                     QStringLiteral("--scale"), QStringLiteral("0.5")} + fourWeeks);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    // Week mode on a 13815-twip chart: eleven days fit an A3 sheet, seven an A4 one; the
    // three machines and four subcontractors fit one sheet down. The lots waiting on the strip
    // follow on a sheet of their own.
    EXPECT_EQ(pages(a3), 4);
    ASSERT_EQ(tool(QStringList{QStringLiteral("--pdf"), a4, QStringLiteral("--paper"), QStringLiteral("a4")} + fourWeeks).status, 0);
    EXPECT_EQ(pages(a4), 5);
    // Four-week mode puts the four weeks on one sheet.
    const QString month = folder.filePath(QStringLiteral("month.pdf"));
    ASSERT_EQ(tool(QStringList{QStringLiteral("--pdf"), month, QStringLiteral("--mode"), QStringLiteral("4")} + fourWeeks).status, 0);
    EXPECT_EQ(pages(month), 2);

    const QString text = output("pdftotext", {a3, QStringLiteral("-")}).remove(u' ');
    EXPECT_TRUE(text.contains(QStringLiteral("工程分類03"))) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("3/4")));
    EXPECT_TRUE(text.contains(QStringLiteral("未割付の計画")));
    for (const QString &row : {QStringLiteral("QC-VI-01"), QStringLiteral("QC-VI-02"), QStringLiteral("QC-DM-01"),
                               QStringLiteral("S301"), QStringLiteral("S304")})
        EXPECT_TRUE(text.contains(row)) << row.toStdString();

    // --scale 0.5 draws the same picture at half the size of the screen's.
    const QString full = folder.filePath(QStringLiteral("full.png"));
    ASSERT_EQ(tool(QStringList{QStringLiteral("--png"), full} + fourWeeks).status, 0);
    const QImage picture(png);
    const QImage screenSize(full);
    ASSERT_FALSE(picture.isNull());
    ASSERT_FALSE(screenSize.isNull());
    EXPECT_NEAR(picture.width(), screenSize.width() / 2.0, 1);
    EXPECT_NEAR(picture.height(), screenSize.height() / 2.0, 1);
    // Four weeks across and seven rows down: a long, low picture.
    EXPECT_GT(picture.width(), 4 * picture.height());
}

// Days asked for beyond those the chart holds (two before the period's start to its end) are
// left out, and the heading names the days that are drawn.
TEST_P(ChartExportCommand, DaysBeyondTheChartAreLeftOutAndNotNamed)
{
    const QString pdf = folder.filePath(QStringLiteral("early.pdf"));
    const ToolRun run = tool({QStringLiteral("--pdf"), pdf, QStringLiteral("--from"), day(-10), QStringLiteral("--to"), day(3)});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = output("pdftotext", {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(plant::dateText(Start.addDays(-2)))) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains(plant::dateText(Start.addDays(3))));
    EXPECT_FALSE(text.contains(plant::dateText(Start.addDays(-10))));
}

TEST_P(ChartExportCommand, WrongOptionsAndUnwritableFiles)
{
    const QString pdf = folder.filePath(QStringLiteral("x.pdf"));
    expectRefusals(demo::InspectionClass, {
        {{QStringLiteral("--pdf"), pdf, QStringLiteral("--mode"), QStringLiteral("5")}, 2, QStringLiteral("--mode は 1～4")},
        {{QStringLiteral("--pdf"), pdf, QStringLiteral("--paper"), QStringLiteral("b5")}, 2, QStringLiteral("--paper は a3 か a4")},
        {{QStringLiteral("--pdf"), pdf, QStringLiteral("--from"), QStringLiteral("20261332")}, 2, QStringLiteral("--from の日付「20261332」")},
        {{QStringLiteral("--pdf"), pdf, QStringLiteral("--from"), day(5), QStringLiteral("--to"), day(4)}, 2,
         QStringLiteral("--to の日付が --from より前")},
        {{QStringLiteral("--png"), pdf, QStringLiteral("--scale"), QStringLiteral("0")}, 2, QStringLiteral("--scale は 0.1～4")},
        {{QStringLiteral("--pdf"), folder.filePath(QStringLiteral("ない/x.pdf"))}, 1, QStringLiteral("に書き込めませんでした")},
        {{QStringLiteral("--png"), folder.filePath(QStringLiteral("ない/x.png"))}, 1, QStringLiteral("に書き込めませんでした")},
        {{QStringLiteral("--pdf"), pdf, QStringLiteral("--from"), day(-40), QStringLiteral("--to"), day(-30)}, 2,
         QStringLiteral("はチャートにありません")},
        {{QStringLiteral("--png"), pdf, QStringLiteral("--from"), day(-40), QStringLiteral("--to"), day(-30)}, 2,
         QStringLiteral("はチャートにありません")},
        {{QStringLiteral("--png"), pdf, QStringLiteral("--to"), day(-30)}, 2, QStringLiteral("はチャートにありません")},
    }, folder.path());
}

INSTANTIATE_TEST_SUITE_P(Backends, ChartExportCommand, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
