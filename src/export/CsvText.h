#pragma once
// A field of comma-separated text as spreadsheets read it: a field holding a comma, a double
// quote or a line end is put in double quotes, with each double quote inside doubled. Any
// other field stands as it is, so "24/05/01" and "A-01" read back unchanged. (Fields are
// separated by commas and records end with CR LF.)

#include <QString>

namespace csv {

// Appends one field to `out`, quoted when it needs to be.
void appendField(QString &out, QStringView field);

} // namespace csv
