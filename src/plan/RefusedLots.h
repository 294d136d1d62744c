#pragma once
// Lots the plan load leaves out because their arrangement number cannot tell them apart: no
// number, a number that is no whole number of the column's range, or a number that several
// rows of DB0253 carry. Every write of the save finds its row by that number, so such a lot
// stays off the chart and can never be saved over another row. The planner is told once per
// load, with every refused lot in one message.

#include <QString>
#include <QStringList>

class Prompter;

// How the planner finds a lot in the database when its number does not name it:
// "手配番号「x」（品名コード A・順序 1）".
QString lotNameOf(const QString &numberText, const QString &itemCode, const QString &sequence);

class RefusedLots
{
public:
    enum class Reason { NoNumber, BadNumber, SharedNumber };

    // `lot` as lotNameOf gives it.
    void refuse(const QString &lot, Reason reason);
    qsizetype size() const { return m_lines.size(); }

    // One warning listing the refused lots (the first twenty, then how many more); nothing
    // when none was refused.
    void tell(Prompter &prompter) const;

private:
    QStringList m_lines;
};
