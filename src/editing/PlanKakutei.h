#pragma once
// The bulk confirmation panel ("■ 確定区分一括変更"): sets the confirmation class of every lot
// of one machine (or of all machines) due within a date range, as one planner action. Lots
// that the database already holds as confirmed never change here.

#include "editing/EditPath.h"

#include <QDate>
#include <QString>

struct KakuteiScope
{
    QString machineCode{};  // the chosen row's code; ignored when allMachines
    bool allMachines = true;
    QDate firstDue{};       // null: no lower end
    QDate lastDue{};        // null: no upper end
};

// FunPlanKakutei: sets ConfirmState = `confirmState` ("2" confirm, "1" tentative) of every lot
// from index 2 on whose stored class is not "2", whose machine matches and whose due date lies
// within the range (both ends included). Lots whose class changes are marked changed, so that
// saving writes the new class. Returns the number of lots changed.
qint64 FunPlanKakutei(EditPath &path, const QString &confirmState, const KakuteiScope &scope);

// What the planner is told after a bulk change of `changed` lots to `confirmState`: the
// window's status line and the command-line tool say the same words.
QString confirmLotsText(const QString &confirmState, qint64 changed);
