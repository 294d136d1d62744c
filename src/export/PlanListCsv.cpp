#include "export/PlanListCsv.h"

#include "export/CsvText.h"
#include "export/WholeFile.h"
#include "gantt/PlanGridModel.h"
#include "plan/Prompter.h"

namespace {

// The columns of the file: every column of the list but the drag handle.
constexpr int FirstColumn = plangrid::Handle + 1;

// The file being written: encodes field by field, noting where each character that fails
// stands.
class CsvEncoderOutput
{
public:
    CsvEncoderOutput(TextEncoder &encoder, csv::Formulas formulas) : m_encoder(encoder), m_formulas(formulas)
    {
        m_csv.bytes = encoder.byteOrderMark();
    }

    // One record; the list row and the lot name where the characters that fail stand.
    void record(const QStringList &cells, int listRow, const QString &arrangement)
    {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                m_csv.bytes += ',';
            m_field.clear();
            csv::appendField(m_field, cells[i], m_formulas);
            m_failed.clear();
            m_encoder.append(m_csv.bytes, m_field, m_failed);
            for (char32_t c : m_failed)
                m_csv.unmappable.append({listRow, arrangement, plangrid::header(FirstColumn + int(i)), c});
        }
        m_csv.bytes += "\r\n";
    }

    PlanListCsv take() { return std::move(m_csv); }

private:
    TextEncoder &m_encoder;
    const csv::Formulas m_formulas;
    PlanListCsv m_csv;
    QString m_field;
    QList<char32_t> m_failed;
};

QString characterText(char32_t c)
{
    const bool printable = QChar::isPrint(c) && !QChar::isSurrogate(c);
    const QString code = QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, u'0');
    return printable ? QStringLiteral("「%1」(%2)").arg(QString::fromUcs4(&c, 1), code) : code;
}

} // namespace

PlanListCsv planListCsv(const PlanGridModel &model, TextEncoder &encoder, csv::Formulas formulas)
{
    CsvEncoderOutput out(encoder, formulas);
    QStringList cells;
    for (int column = FirstColumn; column < plangrid::ColumnCount; ++column)
        cells.append(plangrid::header(column));
    out.record(cells, 0, QString());
    const int rows = model.rowCount();
    for (int row = 0; row < rows; ++row) {
        cells.clear();
        for (int column = FirstColumn; column < plangrid::ColumnCount; ++column)
            cells.append(model.data(model.index(row, column)).toString());
        out.record(cells, row + 1, cells[plangrid::Arrangement - FirstColumn]);
    }
    return out.take();
}

QString unmappableReport(const QList<UnmappableCharacter> &unmappable, TextEncoding encoding, int shown)
{
    QString text = QStringLiteral("%1 で書き出せない文字が %2 個あります。")
                       .arg(textEncodingLabel(encoding))
                       .arg(unmappable.size());
    for (qsizetype i = 0; i < unmappable.size() && i < shown; ++i) {
        const UnmappableCharacter &u = unmappable[i];
        text += u.listRow == 0 ? QStringLiteral("\n・見出し 「%1」: %2").arg(u.column, characterText(u.character))
                               : QStringLiteral("\n・%1行目 手配番号 %2 %3: %4")
                                     .arg(u.listRow)
                                     .arg(u.arrangement, u.column, characterText(u.character));
    }
    if (unmappable.size() > shown)
        text += QStringLiteral("\n・ほか %1 個").arg(unmappable.size() - shown);
    return text;
}

bool savePlanListCsv(const PlanGridModel &model, const QString &path, TextEncoding encoding, Prompter &prompter)
{
    TextEncoder encoder(encoding);
    if (!encoder.isValid()) {
        prompter.inform(QStringLiteral("この環境では %1 で書き出せません。").arg(textEncodingLabel(encoding)),
                        {}, PromptIcon::Critical);
        return false;
    }
    const PlanListCsv csv = planListCsv(model, encoder);
    if (!csv.unmappable.isEmpty()
        && !prompter.ask(unmappableReport(csv.unmappable, encoding)
                             + QStringLiteral("\n\nこれらの文字を「?」に置き換えて保存しますか？"),
                         {}, false, PromptIcon::Warning))
        return false;
    if (const auto failed = writeWholeFile(path, csv.bytes)) {
        prompter.inform(*failed, {}, PromptIcon::Critical);
        return false;
    }
    return true;
}
