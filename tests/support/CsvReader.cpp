#include "CsvReader.h"

#include <stdexcept>

QList<QStringList> readCsv(QStringView text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the field began with a quote
    auto endField = [&] {
        record.append(field);
        field.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == u'"') {
            if (!field.isEmpty() || wasQuoted)
                throw std::runtime_error("a quote inside an unquoted field");
            quoted = wasQuoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endField();
            records.append(record);
            record.clear();
        } else {
            if (wasQuoted)
                throw std::runtime_error("text after a closing quote");
            field += c;
        }
    }
    if (quoted)
        throw std::runtime_error("a quoted field without its closing quote");
    if (!field.isEmpty() || !record.isEmpty()) {
        endField();
        records.append(record);
    }
    return records;
}
