#include "export/ui/ChartOutput.h"

#include "export/PdfTextMap.h"
#include "export/WholeFile.h"
#include "export/ui/ChartPagePainter.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>

namespace {

// A picture larger than this would take gigabytes of memory and no viewer opens it.
constexpr double LargestPictureSide = 32000;
constexpr double LargestPicturePixels = 200e6;

QPageLayout landscape(PaperSize paper)
{
    return QPageLayout(QPageSize(paper == PaperSize::A4 ? QPageSize::A4 : QPageSize::A3), QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0));
}

// Paints the pages one after another on a paged device, stopping when asked to; `abort` then
// drops what was sent (a print job).
OutputResult paintPages(QPagedPaintDevice &device, ChartPagePainter &painter, const PageProgress &progress,
                        const std::function<void()> &abort = {})
{
    const std::vector<ChartPage> &pages = painter.pages().pages();
    QPainter output;
    if (!output.begin(&device))
        return OutputResult::Failed;
    for (size_t n = 0; n < pages.size(); ++n) {
        if (progress && !progress(int(n), int(pages.size()))) {
            if (abort)
                abort();
            output.end();
            return OutputResult::Cancelled;
        }
        if (n > 0)
            device.newPage();
        painter.paint(output, pages[n]);
    }
    if (progress)
        progress(int(pages.size()), int(pages.size()));
    return output.end() ? OutputResult::Written : OutputResult::Failed;
}

OutputOutcome failed(const QString &message)
{
    return {OutputResult::Failed, message};
}

QString notWritten(const QString &path, const QString &reason)
{
    return QStringLiteral("%1 を書き込めませんでした。\n%2").arg(path, reason);
}

} // namespace

void prepareChartPrinter(QPrinter &printer, PaperSize paper)
{
    printer.setFullPage(true);
    printer.setPageLayout(landscape(paper));
}

OutputOutcome printChartPages(QPrinter &printer, ChartPagePainter &painter, const PageProgress &progress)
{
    if (painter.pages().pages().empty())
        return failed(QStringLiteral("印刷する範囲に日付または機械がありません。"));
    printer.setFullPage(true);
    const OutputResult result = paintPages(printer, painter, progress, [&printer] { printer.abort(); });
    if (result == OutputResult::Failed)
        return failed(QStringLiteral("印刷できませんでした。プリンタの設定を確認してください。"));
    return {result, {}};
}

OutputOutcome writeChartPdf(const QString &path, ChartPagePainter &painter, PaperSize paper, const PageProgress &progress)
{
    if (painter.pages().pages().empty())
        return failed(QStringLiteral("出力する範囲に日付または機械がありません。"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    OutputResult result = OutputResult::Failed;
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setPageLayout(landscape(paper));
        pdf.setTitle(QStringLiteral("生産計画"));
        pdf.setCreator(QStringLiteral("Kalvuner"));
        result = paintPages(pdf, painter, progress);
    }
    if (result == OutputResult::Cancelled)
        return {OutputResult::Cancelled, {}};
    if (result != OutputResult::Written)
        return failed(notWritten(path, QStringLiteral("PDFを作成できませんでした。")));
    QByteArray bytes = buffer.data();
    restoreIdeographs(bytes);
    if (const auto notSaved = writeWholeFile(path, bytes))
        return failed(*notSaved);
    return {};
}

OutputOutcome writeChartPng(const QString &path, ChartPagePainter &painter, double scale)
{
    const std::vector<ChartPage> &pages = painter.pages().pages();
    if (pages.empty())
        return failed(QStringLiteral("出力する範囲に日付または機械がありません。"));
    const QSizeF size = painter.pages().frame().sheet * scale;
    if (scale <= 0 || size.width() > LargestPictureSide || size.height() > LargestPictureSide
        || size.width() * size.height() > LargestPicturePixels)
        return failed(QStringLiteral("画像が大きすぎます（%1×%2 ピクセル）。倍率か期間を小さくしてください。")
                          .arg(qint64(size.width()))
                          .arg(qint64(size.height())));
    QImage image(int(std::ceil(size.width())), int(std::ceil(size.height())), QImage::Format_RGB32);
    if (image.isNull())
        return failed(QStringLiteral("画像のためのメモリが足りません。倍率か期間を小さくしてください。"));
    image.fill(Qt::white);
    {
        QPainter output(&image);
        output.setRenderHint(QPainter::TextAntialiasing);
        painter.paint(output, pages.front());
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG"))
        return failed(notWritten(path, QStringLiteral("画像を作成できませんでした。")));
    if (const auto notSaved = writeWholeFile(path, png.data()))
        return failed(*notSaved);
    return {};
}
