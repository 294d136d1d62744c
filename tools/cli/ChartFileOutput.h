#pragma once
// The chart as files of "kalvuner-cli export": --pdf FILE (the printed pages) and --png FILE
// (one picture), in the display mode of --mode (1 day, 2 three days, 3 week, 4 four weeks;
// the week by default), over the days --from .. --to (yyyymmdd, the plan's period by default)
// and every machine and subcontractor row; the PDF on --paper a3|a4 (A3 by default), the
// picture at --scale (1 by default: the chart's size on screen).

#include "ExportOutput.h"
#include "export/ChartPages.h"
#include "gantt/DisplayMode.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>

class ChartFileOutput : public ExportOutput
{
public:
    explicit ChartFileOutput(QCommandLineParser &parser);

    bool requested() const override;
    std::optional<QString> checkOptions() override;
    int write(CliSession &cli) override;

private:
    QCommandLineParser &m_parser;
    QCommandLineOption m_pdf, m_png, m_mode, m_paper, m_from, m_to, m_scale;
    DisplayMode m_displayMode = DisplayMode::Week;
    PaperSize m_paperSize = PaperSize::A3;
    QDate m_first; // empty: the period's first day
    QDate m_last;  // empty: the period's last day
    double m_scaleValue = 1;
};
