#pragma once
// Planner actions from a script: one action per line, its words separated by tabs or blanks,
// "#" starting a comment. Each kind of action registers itself with
// KALVUNER_SCRIPT_ACTION in a file of its own under actions/; the reader checks every line's
// words against its kind before the plan is even loaded, and the run carries the lines out on
// the plan session in order, through the same edit path as the mouse.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class AnsweringPrompter;
class PlanSession;

// A word that does not fit, or a lot or row that the loaded plan does not have: the run stops
// before anything is saved.
struct ScriptFailure
{
    QString text;
};

// What an action works on, with the look-ups every action needs.
class ScriptRun
{
public:
    ScriptRun(PlanSession &session, AnsweringPrompter *answers) : session(session), answers(answers) {}

    // The store index of the loaded lot with this arrangement number (its own or a member's).
    qint64 lotOf(const QString &arrangementWord) const;
    // The code of the chart row written as `word`: a machine or subcontractor code (blanks
    // around it do not count), or "-" for the unassigned strip.
    QString rowCodeOf(const QString &word) const;

    PlanSession &session;
    // How the questions of the following lines are answered; null when the run has no say.
    AnsweringPrompter *answers;
};

struct ScriptAction
{
    QString name;
    QString usage; // e.g. "move ARRANGEMENT ROW DATE TIME"
    // The words after the name, checked before the plan is loaded; throws ScriptFailure.
    std::function<void(const QStringList &words)> check;
    // Carries the action out; throws ScriptFailure.
    std::function<void(ScriptRun &run, const QStringList &words)> run;
};

bool registerScriptAction(ScriptAction action);
const ScriptAction *findScriptAction(const QString &name);
// Every registered kind's usage line, in name order.
QStringList scriptActionUsages();

#define KALVUNER_SCRIPT_CONCAT_(a, b) a##b
#define KALVUNER_SCRIPT_CONCAT(a, b) KALVUNER_SCRIPT_CONCAT_(a, b)
#define KALVUNER_SCRIPT_ACTION(...)                                                                 \
    static const bool KALVUNER_SCRIPT_CONCAT(scriptActionRegistered_, __LINE__) =                    \
        registerScriptAction(ScriptAction __VA_ARGS__)

struct ScriptLine
{
    int number = 0;              // 1 for the script's first line
    const ScriptAction *action = nullptr;
    QStringList words;           // after the action's name
};

struct ScriptReadError
{
    int line = 0;
    QString text;
};

// The script's lines with an action; the first line that cannot be read stops the reading.
struct ReadScript
{
    std::vector<ScriptLine> lines;
    std::optional<ScriptReadError> error;
};
ReadScript readPlanScript(const QString &text);

// Runs the lines in order; the first failure stops the run and is returned with its line.
// `answers` (may be null) answers the questions, as "answer" lines set it.
std::optional<ScriptReadError> runPlanScript(const std::vector<ScriptLine> &lines, PlanSession &session,
                                             AnsweringPrompter *answers = nullptr);

// The words of the actions: each throws ScriptFailure naming what it expected.
namespace scriptwords {
void expectCount(const QStringList &words, qsizetype count, const QString &usage);
void expectAtLeast(const QStringList &words, qsizetype count, const QString &usage);
qint64 wholeNumber(const QString &word, const QString &what);
QDate date(const QString &word);              // yyyy/mm/dd
QTime time(const QString &word);              // hh:mm
QDateTime moment(const QString &dateWord, const QString &timeWord);
} // namespace scriptwords
