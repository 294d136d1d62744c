#pragma once
// The bulk confirmation panel ("■ 確定区分一括変更"): sets the confirmation class of every lot
// of one machine (or of all machines) due within a date range, as one planner action. Lots
// that the database already holds as confirmed never change here.

#include "editing/EditPath.h"

#include <QDate>
#include <QString>
#include <optional>

struct KakuteiScope
{
    QString machineCode{};  // the chosen row's code; ignored when allMachines
    bool allMachines = true;
    QDate firstDue{};       // null: no lower end
    QDate lastDue{};        // null: no upper end
};

namespace kakutei {
extern const QString BadFirstDue; // the first due date box holds no date
extern const QString BadLastDue;  // the last due date box holds no date
} // namespace kakutei

// A due-date box of the panel as typed: empty text is an open end (an empty string); otherwise
// the date in its normal form "yyyy/mm/dd", or nothing when the box holds no date (a typo must
// not become today and confirm the plant up to it).
std::optional<QString> dueBoundOfBox(const QString &typed, const QDate &today);

// The lots a bulk change to `confirmState` would change.
qint64 countKakutei(const PlanStore &store, const QString &confirmState, const KakuteiScope &scope);

// The question before a bulk change of `count` lots: the machine, the due range and the count
// ("機械：全機械　納期：指定なし～指定なし\n95件を確定します。よろしいですか？").
QString confirmLotsQuestion(const QString &confirmState, qint64 count, const KakuteiScope &scope);

// What a bulk change did: the lots changed, or that the planner answered No to the question.
struct KakuteiResult
{
    qint64 changed = 0;
    bool declined = false;
};

// FunPlanKakutei: sets ConfirmState = `confirmState` ("2" confirm, "1" tentative) of every lot
// from index 2 on whose stored class is not "2", whose machine matches and whose due date lies
// within the range (both ends included). Lots whose class changes are marked changed, so that
// saving writes the new class. Returns the number of lots changed.
qint64 FunPlanKakutei(EditPath &path, const QString &confirmState, const KakuteiScope &scope);

// What the planner is told after a bulk change to `confirmState`: the window's status line and
// the command-line tool say the same words.
QString confirmLotsText(const QString &confirmState, const KakuteiResult &result);
