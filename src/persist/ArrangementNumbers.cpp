#include "persist/ArrangementNumbers.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "common/PlantValues.h"
#include "persist/SaveSession.h"

#include <QThread>

namespace {
constexpr int ClaimAttempts = 20;
constexpr int ClaimWaitMilliseconds = 50;
} // namespace

qint64 claimArrangementNumber(SaveSession &session)
{
    for (int attempt = 0; attempt < ClaimAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(ClaimWaitMilliseconds);
        Rows counter = session.query(sql::ArrangementNumberCounter);
        if (!counter.next())
            throw NoArrangementNumbering();
        const qint64 current = plant::roundHalfEven(plant::leadingNumber(counter.row().textAt(0)));
        counter.finish();
        const qint64 next = current + 1;
        if (session.write(sql::ClaimArrangementNumber, {next, current}) == 1)
            return next;
    }
    throw DbError(QStringLiteral("手配番号の採番が他の更新と競合し続けました。"));
}
