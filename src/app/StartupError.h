#pragma once
// A start-up step that cannot go on: the text says in the planner's words what failed, and the
// entry point shows it in a message box before ending the program.

#include <QString>
#include <stdexcept>

class StartupError : public std::runtime_error
{
public:
    explicit StartupError(const QString &message) : std::runtime_error(message.toStdString()), text(message) {}
    QString text;
};
