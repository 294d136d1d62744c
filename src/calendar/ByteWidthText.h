#pragma once
// Fixed-width list lines: texts fitted to a width counted in bytes of their Shift-JIS form
// (a full-width character counts two).

#include <QString>

// "L": the text followed by blanks, cut to `width` bytes from the left; "R": blanks followed
// by the text, cut to `width` bytes from the right; empty: the text unchanged; any other
// alignment gives empty text. A full-width character that would be cut in half is replaced by
// a blank, so the result is always exactly `width` bytes (for "L" and "R").
QString PadToByteWidth(const QString &text, int width, QStringView alignment);
