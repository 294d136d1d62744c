#pragma once
// Reading a script of planner actions: from a regular file or, for "-", the standard input, at
// most MaxScriptBytes. A device or a named pipe would be read without end (or wait for a writer
// forever), and a script of that size is no plan's actions: both are refused before anything
// is loaded.

#include <QString>
#include <variant>

constexpr qint64 MaxScriptBytes = 16 * 1024 * 1024;

struct ScriptFileRefusal
{
    QString text;
};

// The script's text (UTF-8), or why it cannot be read.
std::variant<QString, ScriptFileRefusal> readScriptFile(const QString &path);
