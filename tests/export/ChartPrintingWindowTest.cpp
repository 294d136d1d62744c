// The chart's printing and export from the main window as a planner uses them: 印刷… by
// Ctrl+P and from the ファイル menu, 印刷プレビュー…, and エクスポート → PDFで保存… / 画像(PNG)で
//保存…, each after its options window. The print dialog, the preview and the file chooser are
// answered by the test: the printer prints into a PDF file, read back with pdftotext.

#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "app/ui/ChartPrinting.h"
#include "app/ui/ChartView.h"
#include "app/ui/FileMenu.h"
#include "export/WaitingLots.h"
#include "gantt/RowScroll.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QProcess>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

int pdfPages(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdfinfo"), {path});
    tool.waitForFinished(30000);
    for (const QString &line : QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString pdfTextFolded(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// Answers the windows of the chart's output as the test says, and records what was offered.
struct ScriptedAsker : ChartOutputAsker
{
    bool askOptions(ChartOutputKind kind, ChartOutputOptions &options, const QDate &first, const QDate &last,
                    QWidget *) override
    {
        offered.push_back(options);
        kinds.push_back(kind);
        limits = {first, last};
        if (!answer)
            return false;
        options = *answer;
        return true;
    }
    QString askFileName(const QString &, const QString &suggested, const QString &, QWidget *) override
    {
        suggestions.append(suggested);
        return file;
    }
    bool askPrinter(QPrinter &printer, QWidget *) override
    {
        paperAsked = printer.pageLayout().pageSize().id();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    void showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint, QWidget *parent) override
    {
        if (realPreview) {
            // The preview window itself, closed once it has laid out its pages.
            QTimer::singleShot(200, [this] {
                QWidget *window = QApplication::activeModalWidget();
                if (auto *preview = window ? window->findChild<QPrintPreviewWidget *>() : nullptr)
                    previewPages = preview->pageCount();
                if (window)
                    keepScreenshot(*window, QStringLiteral("chart-preview.png"));
                if (window)
                    window->close();
            });
            ChartOutputAsker::showPreview(printer, paint, parent);
            return;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        paint(&printer);
    }

    std::optional<ChartOutputOptions> answer;
    QString file;
    std::vector<ChartOutputOptions> offered;
    std::vector<ChartOutputKind> kinds;
    std::pair<QDate, QDate> limits;
    QStringList suggestions;
    QPageSize::PageSizeId paperAsked = QPageSize::Custom;
    bool realPreview = false;
    int previewPages = -1;
};

class ChartPrintingWindow : public DemoMainWindowTest
{
protected:
    void SetUp() override
    {
        openDemo(300, Start);
        auto owned = std::make_unique<ScriptedAsker>();
        asker = owned.get();
        editing->chartPrinting().setAsker(std::move(owned));
    }

    // Opens ファイル with the mouse (and エクスポート with the keys when the entry is there)
    // and clicks the entry `text`.
    void clickEntry(const QString &text, bool inExport)
    {
        QMenuBar *bar = form->menuBar();
        QMenu *file = editing->fileMenu().menu();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
        QMenu *menu = file;
        if (inExport) {
            menu = editing->fileMenu().exportMenu();
            for (int step = 0; step < file->actions().size() && file->activeAction() != menu->menuAction(); ++step)
                QTest::keyClick(file, Qt::Key_Down);
            ASSERT_EQ(file->activeAction(), menu->menuAction());
            QTest::keyClick(file, Qt::Key_Right);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        }
        QAction *entry = nullptr;
        for (QAction *action : menu->actions())
            if (action->text().startsWith(text))
                entry = action;
        ASSERT_NE(entry, nullptr) << text.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }

    ChartOutputOptions options(PaperSize paper, bool allRows = true) const
    {
        ChartOutputOptions chosen;
        chosen.firstDay = Start;
        chosen.lastDay = Start.addDays(27);
        chosen.allRows = allRows;
        chosen.paper = paper;
        return chosen;
    }

    static inline const QDate Start{2026, 12, 8};
    QTemporaryDir folder;
    ScriptedAsker *asker = nullptr;
};

TEST_F(ChartPrintingWindow, CtrlPPrintsThePagesOnTheChosenPaper)
{
    asker->answer = options(PaperSize::A3);
    asker->file = folder.filePath(QStringLiteral("printed.pdf"));
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(asker->offered.size(), 1u);
    // The window offers the displayed period, every machine and A3.
    const ChartOutputOptions &offered = asker->offered.front();
    EXPECT_EQ(offered.firstDay, Start);
    EXPECT_EQ(offered.lastDay, Start.addMonths(1));
    EXPECT_TRUE(offered.allRows);
    EXPECT_EQ(offered.paper, PaperSize::A3);
    EXPECT_EQ(asker->kinds.front(), ChartOutputKind::Paper);
    EXPECT_EQ(asker->limits.first, Start.addDays(-2));
    EXPECT_EQ(asker->paperAsked, QPageSize::A3);

    const GanttChart &chart = editing->chartView().chart();
    const auto [firstRow, lastRow] = ChartPages::plantRows(chart.rows());
    const int waiting = int(waitingLots(chart).size());
    const ChartPages pages = ChartPages::onPaper(chart.scale(), chart.rows(),
                                                 {Start, Start.addDays(27), firstRow, lastRow, PaperSize::A3, waiting});
    ASSERT_GT(pages.pages().size(), 1u);
    EXPECT_EQ(pdfPages(asker->file), int(pages.pages().size()));
    keepScreenshotFile(asker->file, QStringLiteral("chart-printed.pdf"));
    const QString text = pdfTextFolded(asker->file);
    EXPECT_TRUE(text.contains(rowLabelCode(chart.rows(), lastRow))) << "the last machine is printed too";
    EXPECT_TRUE(text.contains(QStringLiteral("工程分類 %1").arg(context.ProcessClassCode)));
    ASSERT_GT(waiting, 0) << "the demo plant has lots waiting on the strip";
    EXPECT_TRUE(text.contains(QStringLiteral("未割付の計画(%1件)").arg(waiting))) << "read back in narrow brackets";
    EXPECT_EQ(prompter.texts(), QStringList());
}

TEST_F(ChartPrintingWindow, PreviewAndPdfFromTheFileMenuGiveTheSamePages)
{
    asker->answer = options(PaperSize::A4);
    asker->file = folder.filePath(QStringLiteral("preview.pdf"));
    clickEntry(QStringLiteral("印刷プレビュー"), false);
    ASSERT_TRUE(QFile::exists(asker->file));
    const int previewPages = pdfPages(asker->file);

    asker->file = folder.filePath(QStringLiteral("plan.pdf"));
    clickEntry(QStringLiteral("PDFで保存"), true);
    ASSERT_TRUE(QFile::exists(asker->file));
    EXPECT_EQ(pdfPages(asker->file), previewPages);
    EXPECT_EQ(asker->offered.back().paper, PaperSize::A4) << "the last options are offered again";
    EXPECT_TRUE(asker->suggestions.back().endsWith(QStringLiteral("生産計画_%1_20261208.pdf").arg(context.ProcessClassCode)));
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("plan.pdf")));

    // Cancelling the options or the file name writes nothing.
    asker->file = folder.filePath(QStringLiteral("never.pdf"));
    asker->answer.reset();
    clickEntry(QStringLiteral("PDFで保存"), true);
    asker->answer = options(PaperSize::A4);
    asker->file.clear();
    clickEntry(QStringLiteral("PDFで保存"), true);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), (QStringList{QStringLiteral("plan.pdf"), QStringLiteral("preview.pdf")}));
    EXPECT_EQ(prompter.texts(), QStringList());
}

TEST_F(ChartPrintingWindow, ThePreviewWindowShowsEveryPage)
{
    asker->answer = options(PaperSize::A3);
    asker->realPreview = true;
    clickEntry(QStringLiteral("印刷プレビュー"), false);
    const GanttChart &chart = editing->chartView().chart();
    const auto [firstRow, lastRow] = ChartPages::plantRows(chart.rows());
    const int waiting = int(waitingLots(chart).size());
    const ChartPages pages = ChartPages::onPaper(chart.scale(), chart.rows(),
                                                 {Start, Start.addDays(27), firstRow, lastRow, PaperSize::A3, waiting});
    EXPECT_EQ(asker->previewPages, int(pages.pages().size()));
    EXPECT_EQ(prompter.texts(), QStringList());
}

TEST_F(ChartPrintingWindow, RowsOnScreenPrintOnlyThoseRows)
{
    form->kScroll()->setValue(5);
    asker->answer = options(PaperSize::A3, false);
    asker->file = folder.filePath(QStringLiteral("screen.pdf"));
    clickEntry(QStringLiteral("PDFで保存"), true);
    const ChartRows &rows = editing->chartView().chart().rows();
    const QString text = pdfTextFolded(asker->file);
    EXPECT_TRUE(text.contains(rowLabelCode(rows, 6)));
    EXPECT_TRUE(text.contains(rowLabelCode(rows, 15)));
    EXPECT_FALSE(text.contains(rowLabelCode(rows, 5) + u'\n'));
    EXPECT_FALSE(text.contains(rowLabelCode(rows, 16) + u'\n'));
}

TEST_F(ChartPrintingWindow, PictureOfTheVisibleAreaOrOfTheChosenDays)
{
    ChartOutputOptions visible;
    visible.visibleArea = true;
    visible.scale = 1;
    asker->answer = visible;
    asker->file = folder.filePath(QStringLiteral("visible.png"));
    clickEntry(QStringLiteral("画像(PNG)"), true);
    EXPECT_EQ(asker->kinds.back(), ChartOutputKind::Picture);
    const QImage shown(asker->file);
    ASSERT_FALSE(shown.isNull());
    ChartSurfaceWidget *surface = editing->chartView().mainSurface();
    EXPECT_GT(shown.width(), surface->width());
    EXPECT_LT(shown.width(), surface->width() + 200);
    keepScreenshot(shown, QStringLiteral("chart-visible.png"));

    ChartOutputOptions days = options(PaperSize::A3);
    days.lastDay = Start.addDays(6);
    days.scale = 0.5;
    asker->answer = days;
    asker->file = folder.filePath(QStringLiteral("week.png"));
    clickEntry(QStringLiteral("画像(PNG)"), true);
    const QImage week(asker->file);
    ASSERT_FALSE(week.isNull());
    const double weekPixels = editing->chartView().chart().scale().dayWidth() * 7 / 15;
    EXPECT_NEAR(week.width(), (weekPixels + 120 + 16) * 0.5, 2);
    EXPECT_EQ(prompter.texts(), QStringList());
}

} // namespace
