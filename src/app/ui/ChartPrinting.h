#pragma once
// Printing and exporting the chart from the main window: 印刷… (Ctrl+P, the print dialog, then
// the pages), 印刷プレビュー…, and in エクスポート PDFで保存… and 画像(PNG)で保存…. Each asks its
// options first (days, rows, paper or scale); long outputs show their progress and can be
// stopped, and a stopped export leaves no file.

#include "export/ui/ChartOutput.h"
#include "export/ui/ChartOutputDialog.h"
#include "export/ui/ChartPagePainter.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class ChartView;
class MainForm;
class QAction;
class QMenu;
class QPrinter;

// The windows the chart's output opens: its options, a file name, the print dialog and the
// preview. The main window uses the real dialogs; a test answers them itself.
class ChartOutputAsker
{
public:
    virtual ~ChartOutputAsker() = default;
    // Shows the options window; false when the planner cancels it.
    virtual bool askOptions(ChartOutputKind kind, ChartOutputOptions &options, const QDate &first, const QDate &last,
                            QWidget *parent);
    // The file to write; empty when the planner cancels.
    virtual QString askFileName(const QString &title, const QString &suggested, const QString &filter, QWidget *parent);
    // The print dialog on a printer already set to the chosen paper; false when cancelled.
    virtual bool askPrinter(QPrinter &printer, QWidget *parent);
    // The preview window, which calls `paint` whenever it needs the pages.
    virtual void showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint, QWidget *parent);
};

class ChartPrinting : public QObject
{
    Q_OBJECT
public:
    ChartPrinting(MainForm &form, ChartView &view);
    ~ChartPrinting() override;

    // Puts 印刷… and 印刷プレビュー… into the file menu, the two exports into its export menu.
    void addTo(QMenu *fileMenu, QMenu *exportMenu);
    void setAsker(std::unique_ptr<ChartOutputAsker> asker) { m_asker = std::move(asker); }

    void print();
    void preview();
    void savePdf();
    void savePng();

private:
    std::optional<ChartOutputOptions> askOptions(ChartOutputKind kind);
    ChartPrintChoice choiceOf(const ChartOutputOptions &options) const;
    std::pair<int, int> rowsOf(bool allRows) const;
    PageHeading headingOf(const QDate &firstDay, const QDate &lastDay) const;
    QString suggestedFile(const QString &extension) const;
    ChartPagePainter paperPainter(const ChartOutputOptions &options) const;
    // The file to write, offered in the documents folder; empty when the planner cancels.
    QString askFile(const QString &title, const QString &extension);
    // A failure in a message; a written file in the status bar as `written` and its path.
    void report(const OutputOutcome &outcome, const QString &written, const QString &path);

    MainForm &m_form;
    ChartView &m_view;
    std::unique_ptr<ChartOutputAsker> m_asker;
    ChartOutputOptions m_last; // the options of the last output, offered again
    QAction *m_print = nullptr;
    QAction *m_preview = nullptr;
    QAction *m_pdf = nullptr;
    QAction *m_png = nullptr;
};
