#include "persist/MachineCycleRow.h"

#include "db/Rows.h"
#include "plan/PlanRecord.h"
#include "db/Statements.h"
#include "persist/SaveSession.h"
#include "common/CycleSeconds.h"

using plant::cycleSeconds;

void keepMachineCycle(SaveSession &session, const PlanRecord &lot, qint64 arrangementNo)
{
    if (lot.SecondsPerPiece == 0 || lot.MachineCode.trimmed().isEmpty())
        return;
    const bool written = session.retried([&] {
        Rows existing = session.query(sql::MachineCycle, {lot.RateItemCode, lot.RateSequence, lot.MachineCode});
        const bool found = existing.next();
        existing.finish();
        // The column holds the cycle per shot, as the load reads it (divided by the cavities).
        const double perShot = cycleSeconds(lot.SecondsPerPiece * double(lot.Cavities == 0 ? 1 : lot.Cavities));
        if (!found) {
            session.insert(QStringLiteral("DB0492"), {{QStringLiteral("削除フラグ"), QStringLiteral("0")},
                                                      {QStringLiteral("品名コード"), lot.RateItemCode},
                                                      {QStringLiteral("順序"), lot.RateSequence},
                                                      {QStringLiteral("機械コード"), lot.MachineCode},
                                                      {QStringLiteral("サイクル"), perShot}});
            return;
        }
        session.update(QStringLiteral("DB0492"),
                       {{QStringLiteral("品名コード"), lot.RateItemCode},
                        {QStringLiteral("順序"), lot.RateSequence},
                        {QStringLiteral("機械コード"), lot.MachineCode}},
                       {{QStringLiteral("削除フラグ"), QStringLiteral("0")},
                        {QStringLiteral("サイクル"), perShot}});
    });
    if (!written)
        session.reportPart(QStringLiteral("ライン別のサイクル情報の保持に失敗しました(他の更新は問題ありません)"),
                           arrangementNo);
}
