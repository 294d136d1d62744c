#pragma once
// The schedule list (予定一覧) in the main window: the button cmdYoteiIchiran opens it; a lot
// chosen in it is selected on the strip; its right button opens the lot's context menu; and
// "予定に戻す" taken from that menu opens the list again at its place, so the returned lot shows
// where it now belongs.

class ChartView;
class MainForm;
class PlanPopupMenu;

void linkScheduleList(MainForm &form, ChartView &chart, PlanPopupMenu &popup);
