#pragma once
// The schedule list window frmYoteiIchiran ("予定一覧"): the lots waiting on the unassigned
// strip in the list view livIchiran, the search fields above it, 検索 (cmdKensaku) and
// キャンセル (cmdCancel). A header click sorts by that column. A double-click on a line hands
// its lot to the chart (lotChosen) and closes the list, so the planner can drag the bar from
// the strip; the right button asks for the lot's context menu (popupRequested).
//
// The window opens modally at the place it was left (first time 3705 twips down, 540 across)
// and keeps its search and sort in the run context for the next opening.

#include "schedule_list/ScheduleList.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeView;

class frmYoteiIchiran : public QDialog
{
    Q_OBJECT
public:
    frmYoteiIchiran(const PlanStore &store, RunContext &context, Prompter &prompter, QWidget *parent = nullptr);

    // cmdYoteiIchiran: the opening rules, then the window modally while it has lots to show;
    // opened again in place after reopen().
    void showList();
    // The opening rules without showing the window: false when nothing waits on the strip.
    bool prepare();
    // "予定に戻す" while the list is open: the list closes and opens again at its place.
    void reopen();

    QTreeView *livIchiran() const { return m_list; }
    QLineEdit *txtHinmeiCd() const { return m_itemCode; }
    QLineEdit *txtSeizouIrai() const { return m_requestNo; }
    QLineEdit *txtKanagata() const { return m_mold; }
    QLineEdit *txtYYMMDD_St() const { return m_dueFrom; }
    QLineEdit *txtYYMMDD_Ed() const { return m_dueTo; }
    QPushButton *cmdKensaku() const { return m_search; }
    QPushButton *cmdCancel() const { return m_cancel; }
    const ScheduleListModel &model() const { return m_rules.model(); }

    void done(int result) override;

signals:
    void lotChosen(qint64 lot);
    void popupRequested(qint64 lot, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void sizeColumns();
    void search();
    void sortBy(int column);
    void showFields(const ScheduleListSearch &fields);
    void showSortColumn();
    void choose(const QModelIndex &index);
    void requestPopup(const QPoint &pos);

    RunContext &m_context;
    ScheduleList m_rules;
    bool m_reopen = false;

    QTreeView *m_list = nullptr;
    QLineEdit *m_itemCode = nullptr;
    QLineEdit *m_requestNo = nullptr;
    QLineEdit *m_mold = nullptr;
    QLineEdit *m_dueFrom = nullptr;
    QLineEdit *m_dueTo = nullptr;
    QPushButton *m_search = nullptr;
    QPushButton *m_cancel = nullptr;
};
