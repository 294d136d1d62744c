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

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// "-1,200", "+3.5": a sign, digits with thousands commas, and decimals.
bool isPlainNumber(QStringView field)
{
    qsizetype i = field.startsWith(u'-') || field.startsWith(u'+') ? 1 : 0;
    if (i >= field.size() || !isDigit(field[i]))
        return false;
    while (i < field.size() && (isDigit(field[i]) || field[i] == u','))
        ++i;
    if (i < field.size() && field[i] == u'.') {
        if (++i >= field.size())
            return false;
        while (i < field.size() && isDigit(field[i]))
            ++i;
    }
    return i == field.size();
}

} // namespace

bool readsAsFormula(QStringView field)
{
    if (field.isEmpty())
        return false;
    const QChar first = field.front();
    const bool starts = first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t'
                        || first == u'\r';
    return starts && !isPlainNumber(field);
}

void appendField(QString &out, QStringView field, Formulas formulas)
{
    const bool guarded = formulas == Formulas::AsText && readsAsFormula(field);
    if (!needsQuotes(field)) {
        if (guarded)
            out += u'\'';
        out += field;
        return;
    }
    out += u'"';
    if (guarded)
        out += u'\'';
    for (QChar c : field) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace csv
