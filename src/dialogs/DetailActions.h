#pragma once
// What the plan's dialogs ask of the plan, beyond the chart's actions: the detail window's
// write-back and its splits and process add, a machine's working day, and the plant look-ups
// the detail window shows. The plan session answers; a dialog holds this, never the edit
// path or the database, and makes one call per planner action.

#include "dialogs/LinePlan.h"
#include "dialogs/LotSplit.h"
#include "dialogs/PlanDetailWriteBack.h"
#include "dialogs/ProcessSplit.h"
#include "dialogs/ScriptedSplits.h"
#include "editing/PlanActions.h"

#include <memory>

class BreakTable;
class ChartRows;
class ProcessAdd;
class Prompter;
class WorkCalendar;
class WorkingTime;

class DetailActions : public PlanActions
{
public:
    // What the dialogs read of the plan.
    virtual const ChartRows &rows() const = 0;
    virtual const WorkingTime &workingTime() const = 0;
    virtual const WorkCalendar &calendar() const = 0;
    virtual Prompter &prompter() = 0;

    // The detail window closes: its boxes and working copy become the lot's values.
    virtual WriteBack writeBackDetail(PlanDetail &detail, qint64 lot) = 0;
    // The processes added in the open detail window reach the lot ahead of a split.
    virtual void writeProcessAdditions(PlanDetail &detail, qint64 lot) = 0;
    // The lot split of BunWindow once its checks and question have passed: the new lot's index.
    virtual qint64 splitLot(qint64 lot, const SplitChoice &choice) = 0;
    // The same split with the counts typed per production plan number, checked and asked as
    // the window does.
    virtual ScriptedSplit splitLotByPlans(qint64 lot, const std::vector<std::pair<qint64, QString>> &counts) = 0;
    // The process split of the lines chosen in the detail window's lists, with its checks and
    // questions (`itemCode` as the window shows it): the new lot, 0 when refused or declined.
    virtual qint64 splitProcesses(qint64 lot, const ProcessChoice &choice, const QString &itemCode) = 0;
    // The same split with the member arrangements named.
    virtual ScriptedSplit splitProcessesByMembers(qint64 lot, const std::vector<qint64> &members) = 0;
    // The lot takes the next `count` processes of its chain. Throws DbError.
    virtual bool addProcesses(qint64 lot, int count) = 0;
    // 機械別稼働時間変更's 変更 on one machine's working day; the machine's lots on it, and those
    // that follow them, take the new hours in the same action.
    virtual LinePlanChange changeMachineDay(const LinePlanDay &day, const LinePlanTexts &texts) = 0;

    // Plant look-ups of the detail window; each throws DbError.
    virtual DetailTexts detailTexts(qint64 lot) = 0;
    virtual void lookUpItemCode(PlanDetail &detail) = 0;
    virtual QStringList processShowLines(qint64 arrangementNo) = 0;
    virtual std::unique_ptr<ProcessAdd> processAdd(qint64 lot) = 0;
};
