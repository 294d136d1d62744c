#pragma once
// The class the signed-in user chose last time: a one-line text file named after the user
// ("c:\<user>.txt" on Windows, "<user>.txt" in the user's configuration folder elsewhere).

#include <QString>

namespace remembered {

// The account name of the program's own process (not a variable of the environment).
QString signedInUserName();

// The remembered class file of a user.
QString pathFor(const QString &userName);
inline QString defaultPath() { return pathFor(signedInUserName()); }

// The first field of the file's first line; empty when the file is missing or unreadable.
QString readCode(const QString &path);

// Rewrites the file with `code` as its only line; false when it cannot be written.
bool writeCode(const QString &path, const QString &code);

} // namespace remembered
