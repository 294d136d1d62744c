#pragma once
// The chart's pages sent to paper, written as a PDF, or drawn as one PNG picture. A long
// output reports each page to `progress`, which may stop it; a PDF or picture that was stopped
// or failed leaves no file behind (and an older file of that name as it was).

#include "export/ChartPages.h"

#include <QString>
#include <functional>

class ChartPagePainter;
class QPrinter;

// Called before each page with the pages done and the page count; false stops the output.
using PageProgress = std::function<bool(int done, int count)>;

enum class OutputResult { Written, Cancelled, Failed };

struct OutputOutcome
{
    OutputResult result = OutputResult::Written;
    QString message; // why it failed, in the planner's words
};

// Sets the printer to the landscape paper with no margin of its own: the pages bring theirs.
void prepareChartPrinter(QPrinter &printer, PaperSize paper);
// Prints every page on a printer made ready by prepareChartPrinter (or a print dialog).
OutputOutcome printChartPages(QPrinter &printer, ChartPagePainter &painter, const PageProgress &progress = {});
// Writes every page into a PDF file with its fonts embedded.
OutputOutcome writeChartPdf(const QString &path, ChartPagePainter &painter, PaperSize paper,
                            const PageProgress &progress = {});
// Writes the first page, `scale` screen pixels per chart pixel, as a PNG picture.
OutputOutcome writeChartPng(const QString &path, ChartPagePainter &painter, double scale);
