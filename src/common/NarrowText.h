#pragma once
// Searches compare texts the way the plant's item masters are keyed: in upper case and in
// narrow (half-width) characters, so that "ａｂｃ", "ABC" and "abc" find the same item and a
// full-width "カ" finds a half-width "ｶ".

#include <QString>

// Full-width letters, digits, signs and the ideographic space become their ASCII forms,
// full-width katakana (voiced ones as two characters, "ガ" -> "ｶﾞ") and Japanese punctuation
// their half-width forms; then letters become upper case. Other characters stay.
QString narrowUpper(QStringView text);
