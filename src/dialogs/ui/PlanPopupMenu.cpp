#include "dialogs/ui/PlanPopupMenu.h"

#include "db/Database.h"
#include "dialogs/DetailActions.h"
#include "dialogs/ui/PlanWindow.h"
#include "dialogs/ui/frmOrderGNT.h"
#include "plan/PlanStore.h"
#include "plan/Prompter.h"
#include "gantt/GanttChart.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QMenu>

namespace {
// The background of the bar whose details are open.
constexpr RgbColor DetailHighlight{0, 128, 128};
} // namespace

PlanPopupMenu::PlanPopupMenu(DetailActions &actions, GanttChart &chart, QWidget *window)
    : QObject(window), m_actions(actions), m_chart(chart), m_window(window)
{
    m_menu = new QMenu(QStringLiteral("ポップアップ"), window);
    m_menu->setObjectName(QStringLiteral("mnuPopup"));
    m_popRot = m_menu->addAction(QStringLiteral("詳細情報"));
    m_popRot->setObjectName(QStringLiteral("popRot"));
    m_menu->addSeparator();
    m_popOrder = m_menu->addAction(QStringLiteral("生産計画別表示"));
    m_popOrder->setObjectName(QStringLiteral("popOrder"));
    m_menu->addSeparator();
    m_popYotei = m_menu->addAction(QStringLiteral("予定に戻す"));
    m_popYotei->setObjectName(QStringLiteral("popYotei"));

    connect(m_popRot, &QAction::triggered, this, [this] { RightButtonDown(m_popupBar); });
    connect(m_popOrder, &QAction::triggered, this, &PlanPopupMenu::showOrderGantt);
    connect(m_popYotei, &QAction::triggered, this, &PlanPopupMenu::returnToSchedule);
}

PlanPopupMenu::~PlanPopupMenu() = default;

void PlanPopupMenu::watchSurface(ChartSurfaceWidget *surface)
{
    connect(surface, &ChartSurfaceWidget::pressed, this,
            [this, surface](const ChartHit &hit, Qt::MouseButton button, const QPoint &pixel) {
                if (button != Qt::RightButton || hit.bar == 0)
                    return;
                prepare(hit.bar, surface->twipsAt(pixel));
                m_menu->popup(surface->mapToGlobal(pixel));
            });
}

void PlanPopupMenu::gridPopup(qint64 lot, const QPoint &globalPos)
{
    popupForLot(lot, globalPos, true);
}

void PlanPopupMenu::planListPopup(qint64 lot, const QPoint &globalPos)
{
    popupForLot(lot, globalPos, false);
}

void PlanPopupMenu::popupForLot(qint64 lot, const QPoint &globalPos, bool tentativeReturns)
{
    const PlanStore &store = m_actions.store();
    if (lot < 2 || lot > store.lastIndex())
        return;
    prepare(store[lot].BarIndex, QPointF());
    if (!tentativeReturns && store[lot].ConfirmState == QLatin1String("1"))
        m_popYotei->setEnabled(false);
    m_menu->popup(globalPos);
}

void PlanPopupMenu::prepare(qint64 bar, const QPointF &at)
{
    m_popupBar = bar;
    m_popupAt = at;
    const PlanStore &store = m_actions.store();
    const bool lot = bar >= 2 && bar <= store.lastIndex();
    m_popRot->setEnabled(lot);
    m_popYotei->setEnabled(lot);
    // Without a production plan there is nothing to show by plan.
    m_popOrder->setEnabled(lot && store[bar].PlanNo != 0);
}

PlanWindow *PlanPopupMenu::openDetail(qint64 bar)
{
    const qint64 lot = m_actions.store().findByBar(bar);
    if (lot < 2)
        return nullptr;
    DetailTexts texts;
    try {
        texts = m_actions.detailTexts(lot);
    } catch (const DbError &error) {
        m_actions.prompter().inform(error.text);
        return nullptr;
    }
    m_chart.layOutBar(lot, true);
    m_chart.setBarBackground(bar, DetailHighlight);
    if (!m_detail)
        m_detail = new PlanWindow(m_actions, m_window);
    m_detail->openOn(lot, texts);
    return m_detail;
}

void PlanPopupMenu::detailClosed(qint64 bar)
{
    const qint64 lot = m_actions.store().findByBar(bar);
    if (lot >= 2)
        m_chart.layOutBar(lot, true);
}

void PlanPopupMenu::RightButtonDown(qint64 bar)
{
    if (PlanWindow *window = openDetail(bar)) {
        window->exec();
        detailClosed(bar);
    }
}

void PlanPopupMenu::showOrderGantt()
{
    const PlanStore &store = m_actions.store();
    if (m_popupBar < 2 || m_popupBar > store.lastIndex() || store[m_popupBar].PlanNo == 0)
        return;
    frmOrderGNT window(store, m_chart.rows(), m_popupBar, store[m_popupBar].PlanNo, m_window);
    window.exec();
}

void PlanPopupMenu::returnToSchedule()
{
    if (m_popupBar < 2 || m_popupBar > m_actions.store().lastIndex())
        return;
    m_actions.returnToLoadedDates(m_popupBar);
    m_chart.layOutBar(m_popupBar);
    emit returnedToSchedule(m_popupBar);
}
