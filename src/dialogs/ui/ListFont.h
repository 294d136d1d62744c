#pragma once
// The font of the dialogs' fixed-width list lines: a full-width character is as wide as two
// half-width ones, so lines fitted to Shift-JIS byte widths line up in columns.

#include <QFont>

QFont byteWidthListFont();
