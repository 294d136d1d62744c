#pragma once
// "export --csv FILE [--encoding utf-8|shift_jis] [--replace-unmappable] [--raw]": the plan list of the
// loaded class as the main window lists it before any search, as a CSV file. A character that
// the encoding cannot hold is named on the error output and nothing is written (exit status 2),
// unless --replace-unmappable writes "?" in its place. Cells a spreadsheet would run as a
// formula are written as text (a leading apostrophe) unless --raw asks for them as stored.

#include "ExportOutput.h"
#include "export/TextEncoding.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

class PlanListCsvOutput : public ExportOutput
{
public:
    explicit PlanListCsvOutput(QCommandLineParser &parser);

    bool requested() const override;
    std::optional<QString> checkOptions() override;
    int write(CliSession &cli) override;

private:
    QCommandLineParser &m_parser;
    QCommandLineOption m_file, m_encodingOption, m_replace, m_raw;
    TextEncoding m_encoding = TextEncoding::Utf8;
};
