#include "app/ui/ScheduleListLink.h"

#include "app/ui/ChartView.h"
#include "app/ui/MainForm.h"
#include "dialogs/ui/PlanPopupMenu.h"
#include "plan/RunContext.h"
#include "schedule_list/ui/frmYoteiIchiran.h"

#include <QPushButton>

void linkScheduleList(MainForm &form, ChartView &chart, PlanPopupMenu &popup)
{
    auto *list = new frmYoteiIchiran(form.planStore(), form.context(), form.prompter(), &form);
    auto *button = form.findChild<QPushButton *>(QStringLiteral("cmdYoteiIchiran"));
    QObject::connect(button, &QPushButton::clicked, list, &frmYoteiIchiran::showList);
    QObject::connect(list, &frmYoteiIchiran::lotChosen, &chart, &ChartView::selectOnStrip);
    QObject::connect(list, &frmYoteiIchiran::popupRequested, &popup, &PlanPopupMenu::gridPopup);
    QObject::connect(&popup, &PlanPopupMenu::returnedToSchedule, list, [list, &form] {
        if (form.context().ScheduleListOpen)
            list->reopen();
    });
}
