#include "ExportCommand.h"

#include "CliSession.h"
#include "ChartFileOutput.h"
#include "PlanListCsvOutput.h"

#include <memory>
#include <vector>

int runExportCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("計画データを読み込み、ファイルに書き出します。"));
    parser.addPositionalArgument(QStringLiteral("export"), QStringLiteral("ファイルへの書き出し"));
    // Every kind of file the command can write, in the order they are written.
    std::vector<std::unique_ptr<ExportOutput>> outputs;
    outputs.push_back(std::make_unique<PlanListCsvOutput>(parser));
    outputs.push_back(std::make_unique<ChartFileOutput>(parser));
    CliSession cli(parser);
    if (!parser.parse(arguments))
        return cli.usage(parser.errorText());
    if (const auto failed = cli.readOptions())
        return *failed;
    bool anyRequested = false;
    for (const auto &output : outputs) {
        if (const auto wrong = output->checkOptions())
            return cli.usage(*wrong);
        anyRequested = anyRequested || output->requested();
    }
    if (!anyRequested)
        return cli.usage(QStringLiteral("書き出すファイルがありません。--csv、--pdf か --png を指定してください。"));
    if (const auto failed = cli.load())
        return *failed;
    for (const auto &output : outputs) {
        if (!output->requested())
            continue;
        if (const int status = output->write(cli); status != cli::Done)
            return status;
    }
    return cli::Done;
}
