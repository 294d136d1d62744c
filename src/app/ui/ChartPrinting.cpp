#include "app/ui/ChartPrinting.h"

#include "app/ui/ChartView.h"
#include "app/ui/MainForm.h"
#include "export/PageHeading.h"
#include "export/WaitingLots.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

// Shows the pages done; the planner's キャンセル stops the output.
PageProgress progressIn(QProgressDialog &dialog)
{
    return [&dialog](int done, int count) {
        dialog.setMaximum(count);
        dialog.setValue(done);
        return !dialog.wasCanceled();
    };
}

QProgressDialog *progressWindow(const QString &text, QWidget *parent)
{
    auto *dialog = new QProgressDialog(text, QStringLiteral("キャンセル"), 0, 1, parent);
    dialog->setObjectName(QStringLiteral("ChartOutputProgress"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(500);
    dialog->setAutoReset(false);
    return dialog;
}

QAction *action(const QString &text, const char *name, QObject *parent)
{
    auto *act = new QAction(text, parent);
    act->setObjectName(QLatin1String(name));
    return act;
}

} // namespace

bool ChartOutputAsker::askOptions(ChartOutputKind kind, ChartOutputOptions &options, const QDate &first,
                                  const QDate &last, QWidget *parent)
{
    ChartOutputDialog dialog(kind, options, first, last, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

QString ChartOutputAsker::askFileName(const QString &title, const QString &suggested, const QString &filter,
                                      QWidget *parent)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

bool ChartOutputAsker::askPrinter(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void ChartOutputAsker::showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint, QWidget *parent)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

ChartPrinting::ChartPrinting(MainForm &form, ChartView &view)
    : QObject(&form), m_form(form), m_view(view), m_asker(std::make_unique<ChartOutputAsker>())
{
    m_print = action(QStringLiteral("印刷(&P)…"), "ActPrint", &form);
    m_print->setShortcut(QKeySequence::Print);
    m_preview = action(QStringLiteral("印刷プレビュー(&V)…"), "ActPrintPreview", &form);
    m_pdf = action(QStringLiteral("PDFで保存…"), "ActExportPdf", &form);
    m_png = action(QStringLiteral("画像(PNG)で保存…"), "ActExportPng", &form);
    connect(m_print, &QAction::triggered, this, &ChartPrinting::print);
    connect(m_preview, &QAction::triggered, this, &ChartPrinting::preview);
    connect(m_pdf, &QAction::triggered, this, &ChartPrinting::savePdf);
    connect(m_png, &QAction::triggered, this, &ChartPrinting::savePng);
    const RunContext &run = form.context();
    m_last.firstDay = run.periodStartDate();
    m_last.lastDay = run.periodEndDate();
}

ChartPrinting::~ChartPrinting() = default;

void ChartPrinting::addTo(QMenu *fileMenu, QMenu *exportMenu)
{
    QAction *before = fileMenu->actions().isEmpty() ? nullptr : fileMenu->actions().constFirst();
    fileMenu->insertAction(before, m_print);
    fileMenu->insertAction(before, m_preview);
    if (before)
        fileMenu->insertSeparator(before);
    exportMenu->addAction(m_pdf);
    exportMenu->addAction(m_png);
}

std::optional<ChartOutputOptions> ChartPrinting::askOptions(ChartOutputKind kind)
{
    const TimeScale &scale = m_view.chart().scale();
    const QDate first = scale.firstHeldDay();
    const QDate last = scale.lastHeldDay();
    ChartOutputOptions options = m_last;
    options.firstDay = std::clamp(options.firstDay, first, last);
    options.lastDay = std::clamp(options.lastDay, options.firstDay, last);
    if (!m_asker->askOptions(kind, options, first, last, &m_form))
        return std::nullopt;
    m_last = options;
    return options;
}

std::pair<int, int> ChartPrinting::rowsOf(bool allRows) const
{
    const auto [first, last] = ChartPages::plantRows(m_view.chart().rows());
    if (allRows)
        return {first, last};
    // The labels show the rows after the row scroll's value.
    const int top = m_form.kScroll()->value() + 1;
    return {std::max(first, top), std::min(last, top + ChartRows::LabelCount - 1)};
}

ChartPrintChoice ChartPrinting::choiceOf(const ChartOutputOptions &options) const
{
    const auto [firstRow, lastRow] = rowsOf(options.allRows);
    // The whole plant printed lists the lots waiting on 未割付 after the chart.
    const int waiting = options.allRows ? int(waitingLots(m_view.chart()).size()) : 0;
    return {options.firstDay, options.lastDay, firstRow, lastRow, options.paper, waiting};
}

PageHeading ChartPrinting::headingOf(const QDate &firstDay, const QDate &lastDay) const
{
    return pageHeading(m_form.context(), firstDay, lastDay, QDateTime::currentDateTime());
}

QString ChartPrinting::suggestedFile(const QString &extension) const
{
    const RunContext &run = m_form.context();
    const QString name = QStringLiteral("生産計画_%1_%2.%3")
                             .arg(run.ProcessClassCode, m_last.firstDay.toString(QStringLiteral("yyyyMMdd")), extension);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

ChartPagePainter ChartPrinting::paperPainter(const ChartOutputOptions &options) const
{
    const GanttChart &chart = m_view.chart();
    ChartPagePainter painter(chart, ChartPages::onPaper(chart.scale(), chart.rows(), choiceOf(options)),
                             headingOf(options.firstDay, options.lastDay));
    // The pages show what the chart shows: conflicts and load strips too.
    painter.setMarks(m_view.mainSurface()->marks());
    return painter;
}

QString ChartPrinting::askFile(const QString &title, const QString &extension)
{
    return m_asker->askFileName(title, suggestedFile(extension), QStringLiteral("%1 (*.%2)").arg(extension.toUpper(), extension),
                                &m_form);
}

void ChartPrinting::report(const OutputOutcome &outcome, const QString &written, const QString &path)
{
    if (outcome.result == OutputResult::Failed)
        m_form.prompter().inform(outcome.message, {}, PromptIcon::Warning);
    else if (outcome.result == OutputResult::Written && !path.isEmpty())
        m_form.statusBar()->showMessage(written + QDir::toNativeSeparators(path), 10000);
}

void ChartPrinting::print()
{
    const std::optional<ChartOutputOptions> options = askOptions(ChartOutputKind::Paper);
    if (!options)
        return;
    QPrinter printer(QPrinter::HighResolution);
    prepareChartPrinter(printer, options->paper);
    if (!m_asker->askPrinter(printer, &m_form))
        return;
    ChartPagePainter painter = paperPainter(*options);
    std::unique_ptr<QProgressDialog> progress(progressWindow(QStringLiteral("印刷しています…"), &m_form));
    report(printChartPages(printer, painter, progressIn(*progress)), {}, {});
}

void ChartPrinting::preview()
{
    const std::optional<ChartOutputOptions> options = askOptions(ChartOutputKind::Paper);
    if (!options)
        return;
    QPrinter printer(QPrinter::HighResolution);
    prepareChartPrinter(printer, options->paper);
    ChartPagePainter painter = paperPainter(*options);
    m_asker->showPreview(printer, [&](QPrinter *target) { report(printChartPages(*target, painter), {}, {}); }, &m_form);
}

void ChartPrinting::savePdf()
{
    const std::optional<ChartOutputOptions> options = askOptions(ChartOutputKind::Paper);
    if (!options)
        return;
    const QString path = askFile(QStringLiteral("PDFで保存"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    ChartPagePainter painter = paperPainter(*options);
    std::unique_ptr<QProgressDialog> progress(progressWindow(QStringLiteral("PDFを作成しています…"), &m_form));
    report(writeChartPdf(path, painter, options->paper, progressIn(*progress)), QStringLiteral("PDFを保存しました: "), path);
}

void ChartPrinting::savePng()
{
    const std::optional<ChartOutputOptions> options = askOptions(ChartOutputKind::Picture);
    if (!options)
        return;
    const QString path = askFile(QStringLiteral("画像(PNG)で保存"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    const GanttChart &chart = m_view.chart();
    const TimeScale &scale = chart.scale();
    double x0 = 0;
    double x1 = 0;
    std::pair<int, int> rows;
    if (options->visibleArea) {
        x0 = chart.axis().viewportLeftX();
        x1 = x0 + double(m_view.mainSurface()->width()) * TwipsPerPixel;
        rows = rowsOf(false);
    } else {
        x0 = double(scale.planTimeToX(options->firstDay, scale.dayStart(), ChartSurface::Main));
        x1 = double(scale.planTimeToX(options->lastDay.addDays(1), scale.dayStart(), ChartSurface::Main));
        rows = rowsOf(options->allRows);
    }
    const ChartPages sheet = ChartPages::asOneSheet(chart.rows(), x0, x1, rows.first, rows.second);
    ChartPagePainter painter(chart, sheet,
                             headingOf(scale.dateTimeAtX(x0, ChartSurface::Main).date(),
                                       scale.dateTimeAtX(x1 - 1, ChartSurface::Main).date()));
    painter.setMarks(m_view.mainSurface()->marks());
    report(writeChartPng(path, painter, options->scale), QStringLiteral("画像を保存しました: "), path);
}
