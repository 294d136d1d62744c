#pragma once
// PlanDataGrid: the plan list below the chart. A table view over PlanGridModel whose row
// header is the fixed drag handle (column 0 of the list); columns 1 and 2 toggle their ticks
// on a click; columns 3, 12 and 17 are edited in place in the editor GridText1; a row dragged
// by its handle onto another row queues its lot behind that row's lot. The grid writes nothing
// itself: every change is one call of the plan's actions (the list edits of PlanGridEdit), whose change
// signal brings the list up to date.

#include "editing/PlanActions.h"
#include "gantt/GridPosition.h"
#include "gantt/PlanGridModel.h"

#include <QTableView>

class QFrame;
class QLineEdit;

class PlanDataGrid : public QTableView
{
    Q_OBJECT
public:
    PlanDataGrid(PlanGridModel &model, PlanActions &actions, QWidget *parent = nullptr);

    PlanGridModel &planModel() const { return m_model; }
    QLineEdit *editor() const { return m_editor; }

    // FunPlanGridRefresh: rebuilds the list and puts the cursor back where it is remembered.
    void refresh();

    GridPosition currentPosition() const;
    void applyPosition(const GridPosition &position);
    GridPositionMemory &positionMemory() { return m_memory; }

    // The lot of the current row; 0 when there is none.
    qint64 currentLot() const;
    // Makes lot `lot` the current row and scrolls it into view.
    void showLot(qint64 lot);

signals:
    // The right button went down on a lot: its information popup may open.
    void popupRequested(qint64 lot, const QPoint &globalPos);
    // A double-click on a cell that is not edited in place: the lot's bar is to be shown.
    void lotDoubleClicked(qint64 lot);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Move { Down, Up };

    void setUpLayout();
    void openEditor(const QString &text, bool selectAll);
    void closeEditor();
    void commitEditor(Move move);
    bool editorKey(QKeyEvent *event);
    void moveCursor(Move move);

    void startRowDrag(int row);
    void followRowDrag(int y);
    void dropRow(int y);
    void endRowDrag();

    PlanGridModel &m_model;
    PlanActions &m_actions;
    GridPositionMemory m_memory;
    QLineEdit *m_editor = nullptr;     // GridText1
    QModelIndex m_editing;
    QFrame *m_dragLine = nullptr;      // GridDragLine: where the lot would go
    QFrame *m_draggedRow = nullptr;    // GridDragLineP: the row picked up
    qint64 m_draggedLot = 0;
};
