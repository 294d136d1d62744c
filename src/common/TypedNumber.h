#pragma once
// Numbers a planner types into a number box (quantities, minutes, seconds a piece, persons)
// or a number column of the plan list. A box read as the database reads a column would take
// "abc" for 0, and a lot of 0 pieces is saved as a deleted arrangement: a typed number is
// therefore read whole or refused, with a message that names the box.

#include <QString>
#include <optional>

namespace plant {

// The number the text holds: blanks around it, full-width digits and thousands separators
// allowed, a decimal part allowed. Nothing when the text is empty, holds anything else (a
// letter, a sign, an exponent), or goes beyond `limit`.
std::optional<double> typedNumber(QStringView text, double limit = 2'147'483'647.0);

// "手配数を正しく入力してください": the message for a box or column, named by its caption,
// that holds no number.
QString badNumberText(const QString &caption);

} // namespace plant
