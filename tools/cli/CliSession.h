#pragma once
// What the subcommands of kalvuner-cli share: the options that choose a plant, class and
// period, the prompter that answers every question with --answer and writes every message to
// the error output, and the plan session loaded from them.

#include "plan/ConsolePrompter.h"
#include "plan/RunContext.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QTextStream>
#include <memory>
#include <optional>

class Database;
class PlanSession;

// Messages go to the error output; every question gets the answer given with --answer.
class AnsweringPrompter : public ConsolePrompter
{
public:
    explicit AnsweringPrompter(bool yes) : m_yes(yes) {}
    // The answer to every question from now on.
    void answerWith(bool yes) { m_yes = yes; }
    bool ask(const QString &text, const QString &title, bool, PromptIcon icon) override
    {
        return ConsolePrompter::ask(text, title, m_yes, icon);
    }

private:
    bool m_yes;
};

QTextStream &cliOut();
QTextStream &cliErr();

// Exit statuses of the tool.
namespace cli {
constexpr int Done = 0;
constexpr int Failed = 1;    // the database failed or the plan cannot be shown
constexpr int BadInput = 2;  // a wrong command line or script
constexpr int ChangedElsewhere = 3; // the save left lots whose rows others changed since the load
constexpr int PartlySaved = 4; // every lot was written, but a part of some (named in the message) was not
} // namespace cli

class CliSession
{
public:
    // Adds the shared options to `parser`.
    explicit CliSession(QCommandLineParser &parser);
    ~CliSession();

    // Reads the shared options into the run context; a message (and exit 2) when one is wrong.
    std::optional<int> readOptions();
    // Opens the database, reads the plant as the window does (the time grid, the default
    // period, the operator's authority: with --operator, authority "0" is inquiry only), checks
    // the class and loads it; the exit status when that fails.
    std::optional<int> load();

    RunContext &context() { return m_context; }
    PlanSession &session() { return *m_session; }
    AnsweringPrompter &prompter() { return *m_prompter; }

    // The problem and the help text on the error output; returns the exit status for bad input.
    int usage(const QString &problem) const;

private:
    QCommandLineParser &m_parser;
    QCommandLineOption m_settings, m_db, m_user, m_password, m_plant, m_class, m_start, m_end, m_operator, m_answer;
    RunContext m_context;
    std::unique_ptr<AnsweringPrompter> m_prompter;
    std::unique_ptr<Database> m_database;
    std::unique_ptr<PlanSession> m_session;
};

// A lot's date and time as "yyyy/mm/dd hh:mm:ss".
QString dateTime(const QDate &date, const QTime &time);

// The lots on the chart or the strip as tab-separated lines, one per record from index 2 in
// store order, merged-away lots left out (on the standard output unless another stream is given).
void printPlan(const PlanSession &session, QTextStream &out = cliOut());
