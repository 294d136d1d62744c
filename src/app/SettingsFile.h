#pragma once
// The settings file "planner.ini": twelve fields in order, each ending at a comma or a line
// end, text fields optionally in double quotes. Fields 1 and 2 are always read; each later
// field only while the file has not ended, so a short file leaves the rest at zero or empty.

#include "plan/RunContext.h"

#include <QString>

namespace settings {

// Twelve short fields never need more; anything larger is no settings file.
constexpr qint64 MaxFileBytes = 64 * 1024;

// The settings file beside the program.
QString defaultPath();

// Reads the file into the settings fields of `context` (plant code, options, day start time,
// window size in twips, database login). Throws StartupError naming the file, and for a bad
// value the field's number and meaning. Only a plain file of at most MaxFileBytes is read:
// a device, a pipe or a folder is refused at once.
void read(const QString &path, RunContext &context);

// The same for the file's text, for callers that already hold it; `path` names it in messages.
void parse(const QString &text, const QString &path, RunContext &context);

// Pixels to twips: the width times 15, the height times 14.8 rounded halves to even. The
// results are kept whole (no 16-bit ceiling), so a tall screen cannot wrap to a negative size.
qint64 widthToTwips(qint64 pixels);
qint64 heightToTwips(qint64 pixels);

} // namespace settings
