#pragma once
// NList of the process add and process show windows: one check box per process of the chain.
// Checking or clicking line n checks lines 0 to n and clears every later line, so the choice
// is always the lot's own process and the next n processes.

#include <QListWidget>

class ChainList : public QListWidget
{
    Q_OBJECT
public:
    explicit ChainList(QWidget *parent = nullptr);

    // The lines, with the first one checked.
    void setLines(const QStringList &lines);
    // The number of checked lines (always the first lines of the list).
    int checkedCount() const;
    // Checks lines 0 to `row` and clears the rest.
    void checkUpTo(int row);
};
