#pragma once
// The window after a save that left lots alone because others changed their arrangements since
// the load: one line per lot (arrangement, item, what changed, whether it may be overwritten)
// and the planner's three choices. 上書き保存 writes the planner's version (the caller asks a
// second time first); it is offered only when some listed lot was neither completed nor
// deleted elsewhere. 破棄して再読込 drops the planner's changes to the lots and reads them again;
// キャンセル keeps them unsaved.

#include "persist/ChangedElsewhere.h"

#include <QDialog>
#include <vector>

class QPushButton;
class QTableWidget;

class ElsewhereWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { Overwrite, Reload, Cancel };

    explicit ElsewhereWindow(const std::vector<ElsewhereChange> &changes, QWidget *parent = nullptr);

    // Shows the window modally and returns what the planner chose (closing it is キャンセル).
    Choice choose();
    Choice choice() const { return m_choice; }

private:
    void chosen(Choice choice);

    QTableWidget *m_list;
    QPushButton *m_overwrite;
    QPushButton *m_reload;
    QPushButton *m_cancel;
    Choice m_choice = Choice::Cancel;
};
