#pragma once
// The bar context menu mnuPopup "ポップアップ", opened by the right button on a bar of the
// chart or on a row of the plan list: "詳細情報" (the detail window, RightButtonDown),
// "生産計画別表示" (the lots of the lot's production plan, frmOrderGNT) and "予定に戻す" (back
// to the loaded dates).

#include <QObject>
#include <QPoint>
#include <QPointF>

class ChartSurfaceWidget;
class DetailActions;
class GanttChart;
class PlanWindow;
class QAction;
class QMenu;
class QWidget;
struct ChartHit;

class PlanPopupMenu : public QObject
{
    Q_OBJECT
public:
    PlanPopupMenu(DetailActions &actions, GanttChart &chart, QWidget *window);
    ~PlanPopupMenu() override;

    // Right button on the main surface or the strip: the menu of the bar under the pointer.
    void watchSurface(ChartSurfaceWidget *surface);
    // A right-click on a line of the schedule list (frmYoteiIchiran::popupRequested).
    void gridPopup(qint64 lot, const QPoint &globalPos);
    // A right-click on a row of the plan list (PlanDataGrid::popupRequested): "予定に戻す" only
    // for a lot that is not tentative.
    void planListPopup(qint64 lot, const QPoint &globalPos);

    // The bar and point of the right-click, and the items enabled for its lot.
    void prepare(qint64 bar, const QPointF &at);
    qint64 popupBarIndex() const { return m_popupBar; }
    QMenu *menu() const { return m_menu; }
    QAction *popRot() const { return m_popRot; }
    QAction *popOrder() const { return m_popOrder; }
    QAction *popYotei() const { return m_popYotei; }

    // RightButtonDown: the bar turns teal and the detail window opens on its lot, modally.
    void RightButtonDown(qint64 bar);
    // The part of RightButtonDown before the window is shown: highlight and filled window;
    // nullptr when the lot cannot be filled (the message has been shown).
    PlanWindow *openDetail(qint64 bar);
    // After the detail window has closed: the bar is laid out from its lot again.
    void detailClosed(qint64 bar);
    void showOrderGantt();
    void returnToSchedule();

signals:
    // "予定に戻す" put a lot back to its loaded dates.
    void returnedToSchedule(qint64 lot);

private:
    void popupForLot(qint64 lot, const QPoint &globalPos, bool tentativeReturns);

    DetailActions &m_actions;
    GanttChart &m_chart;
    QWidget *m_window;
    QMenu *m_menu = nullptr;
    QAction *m_popRot = nullptr;
    QAction *m_popOrder = nullptr;
    QAction *m_popYotei = nullptr;
    PlanWindow *m_detail = nullptr;
    qint64 m_popupBar = 0;
    QPointF m_popupAt;
};
