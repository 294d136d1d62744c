#pragma once
// The choice of process class and planning period that opens the chart (window KBunSelect).
// This class holds what the window shows and decides what each key does; the window only
// mirrors it and moves the focus where it says.

#include <QDate>
#include <QString>
#include <vector>

class Database;
class Prompter;
struct RunContext;

class ClassSelection
{
public:
    struct Entry
    {
        QString text;  // class code, one blank, class name
        qint64 code;   // the class code as a number
    };
    // Where the focus goes after a key.
    enum class Focus { ClassList, StartDate, EndDate };

    ClassSelection(RunContext &context, Prompter &prompter, QString rememberedPath, QDate today);

    // Lists the classes and preselects one: the class named on the command line, otherwise
    // the remembered one; fills the period from the command line's start date. Throws DbError.
    void load(Database &db);

    const std::vector<Entry> &entries() const { return m_entries; }
    int selected() const { return m_selected; }
    void select(int index) { m_selected = index; }
    const QString &startText() const { return m_start; }
    const QString &endText() const { return m_end; }
    void setStartText(const QString &text) { m_start = text; }
    void setEndText(const QString &text) { m_end = text; }

    // When the window appears: true when a class named on the command line may be taken at
    // once (authority "1", a class selected, a period given).
    bool closesOnActivation() const;
    // When the window appears and stays: a class named on the command line that the plant
    // database does not list is named to the planner, who then chooses from the list.
    void reportUnknownClass();

    // Enter in the start box: the entry is completed into a date; the end box is next.
    Focus enterStart();
    // Enter in the end box: the entry is completed; a period of 28 days or less is refused
    // with a message and the end moved to the start plus 29 days.
    Focus enterEnd();
    // Enter or double-click in the class list: true when the choice can be taken; otherwise
    // the planner has been told what is missing and `focus` says where to go.
    bool confirm(Focus &focus);
    // Takes the choice into the run context and remembers the class for the next start.
    void accept();

private:
    QDate dateOf(const QString &text) const;
    void refuseShortPeriod(const QDate &start);

    RunContext &m_context;
    Prompter &m_prompter;
    QString m_rememberedPath;
    QDate m_today;
    std::vector<Entry> m_entries;
    int m_selected = -1;
    QString m_launchClass; // the class the command line names; empty without one
    QString m_start;
    QString m_end;
};
