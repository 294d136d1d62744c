#include "export/CsvText.h"

namespace csv {

namespace {

bool needsQuotes(QStringView field)
{
    for (QChar c : field)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

} // namespace

void appendField(QString &out, QStringView field)
{
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    out += u'"';
    for (QChar c : field) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace csv
