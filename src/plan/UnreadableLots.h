#pragma once
// Lots the plan load leaves out because a value of their row cannot be read as what it must
// be: a date that is no date, a time that is no time of day, a quantity that is null or text,
// a confirmation flag other than "1" or "2", a number no column can hold. Read as something
// else, the lot would be shown at the wrong place and saved back wrongly (a null quantity
// saved as 0 deletes the lot), so it stays off the chart and out of every save. The planner
// is told once per load: per column, how many lots and the first few with their values.

#include <QString>
#include <map>
#include <vector>

class Prompter;

// A value of the current row that cannot be read; thrown while a lot is filled from its row.
struct UnreadableValue
{
    QString column;
    QString value; // as stored; a null as empty text
    bool null = false;
};

class UnreadableLots
{
public:
    // The lot `arrangement` (its number as stored) left out for `value`.
    void leaveOut(const QString &arrangement, const UnreadableValue &value);
    bool isEmpty() const { return m_byColumn.empty(); }

    // The message naming them; empty when none was left out.
    QString text() const;
    // One warning with text(); nothing when none was left out.
    void tell(Prompter &prompter) const;

private:
    struct Lot
    {
        QString arrangement, value;
        bool null = false;
    };
    std::map<QString, std::vector<Lot>> m_byColumn; // the column's name, in name order
    std::vector<QString> m_order;                   // the columns in the order first met
};

// The text of one unreadable value for a message that stops a read:
// "手配番号 5 の作業開始時間「250000」を読めません。"
QString unreadableValueText(const QString &arrangement, const UnreadableValue &value);
