#pragma once
// A start-up step that cannot go on: the text says in the planner's words what failed, and the
// entry point shows it in a message box before ending the program, unless the step has told
// the planner already (a rule's own warning): then it is only logged.

#include <QString>
#include <stdexcept>

class StartupError : public std::runtime_error
{
public:
    enum class Shown { No, Already };
    explicit StartupError(const QString &message, Shown shown = Shown::No)
        : std::runtime_error(message.toStdString()), text(message), shown(shown)
    {
    }
    QString text;
    Shown shown;
};
