#include "PlanListCsvOutput.h"

#include "CliSession.h"
#include "export/PlanListCsv.h"
#include "export/WholeFile.h"
#include "gantt/PlanGridModel.h"
#include "session/PlanSession.h"

PlanListCsvOutput::PlanListCsvOutput(QCommandLineParser &parser)
    : m_parser(parser),
      m_file(QStringLiteral("csv"), QStringLiteral("計画一覧を CSV ファイルに書き出します。"), QStringLiteral("file")),
      m_encodingOption(QStringLiteral("encoding"), QStringLiteral("CSV の文字コード utf-8|shift_jis (既定 utf-8, BOM 付き)"),
                       QStringLiteral("utf-8|shift_jis"), QStringLiteral("utf-8")),
      m_replace(QStringLiteral("replace-unmappable"),
                QStringLiteral("文字コードで表せない文字を「?」に置き換えて書き出します。")),
      m_raw(QStringLiteral("raw"), QStringLiteral("=, +, -, @ で始まるセルも先頭に「'」を付けず、そのまま書き出します。"))
{
    parser.addOptions({m_file, m_encodingOption, m_replace, m_raw});
}

bool PlanListCsvOutput::requested() const
{
    return m_parser.isSet(m_file);
}

std::optional<QString> PlanListCsvOutput::checkOptions()
{
    if (m_parser.value(m_file).isEmpty() && requested())
        return QStringLiteral("--csv に書き出すファイル名がありません。");
    const auto encoding = textEncodingNamed(m_parser.value(m_encodingOption));
    if (!encoding)
        return QStringLiteral("--encoding は utf-8 か shift_jis です:「%1」").arg(m_parser.value(m_encodingOption));
    m_encoding = *encoding;
    return std::nullopt;
}

int PlanListCsvOutput::write(CliSession &cli)
{
    TextEncoder encoder(m_encoding);
    if (!encoder.isValid()) {
        cliErr() << QStringLiteral("この環境では %1 で書き出せません。").arg(textEncodingLabel(m_encoding)) << u'\n';
        cliErr().flush();
        return cli::Failed;
    }
    PlanGridModel list(cli.session().store());
    list.rebuild();
    const PlanListCsv csv =
        planListCsv(list, encoder, m_parser.isSet(m_raw) ? csv::Formulas::AsStored : csv::Formulas::AsText);
    const QString file = m_parser.value(m_file);
    if (!csv.unmappable.isEmpty()) {
        cliErr() << unmappableReport(csv.unmappable, m_encoding) << u'\n';
        if (!m_parser.isSet(m_replace)) {
            cliErr() << QStringLiteral("%1 には何も書き出していません。「?」に置き換えて書き出すには --replace-unmappable を指定してください。")
                            .arg(file)
                     << u'\n';
            cliErr().flush();
            return cli::BadInput;
        }
        cliErr() << QStringLiteral("これらの文字は「?」に置き換えます。") << u'\n';
    }
    cliErr().flush();
    if (const auto failed = writeWholeFile(file, csv.bytes)) {
        cliErr() << *failed << u'\n';
        cliErr().flush();
        return cli::Failed;
    }
    cliOut() << QStringLiteral("%1: 計画一覧 %2 件 (%3)").arg(file).arg(list.lotCount()).arg(textEncodingLabel(m_encoding))
             << u'\n';
    cliOut().flush();
    return cli::Done;
}
