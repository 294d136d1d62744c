#pragma once
// Writing an exported file whole or not at all: the bytes go to a temporary file beside it,
// which takes the file's place only when everything was written, so a full disk or a failed
// export never leaves half a file (nor spoils the file it was to replace). Only a regular
// file is ever replaced: a device, a named pipe or a folder at the path (or at the end of a
// symbolic link) is left alone and the export is refused.

#include <QByteArray>
#include <QString>
#include <optional>

// Writes `bytes` as the file `path`; the message naming the file and the failure when the
// file cannot be written, with the system's own reason (a full disk as such).
std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes);
