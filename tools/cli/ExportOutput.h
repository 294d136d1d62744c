#pragma once
// One kind of file that "kalvuner-cli export" writes from the loaded plan: it adds its options
// to the command line, checks their values before anything is loaded, and writes its file.

#include <QString>
#include <optional>

class CliSession;

class ExportOutput
{
public:
    virtual ~ExportOutput() = default;
    // Its file was asked for on the command line.
    virtual bool requested() const = 0;
    // A message when one of its options has a wrong value (exit status 2, nothing loaded).
    virtual std::optional<QString> checkOptions() = 0;
    // Writes the file from the loaded plan; the exit status (cli::Done when written).
    virtual int write(CliSession &cli) = 0;
};
