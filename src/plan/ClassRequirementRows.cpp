#include "plan/ClassRequirementRows.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "plan/TextPool.h"
#include "common/PlantValues.h"

ClassRequirementRows ClassRequirementRows::load(Database &db, const QString &processClassCode, qint64 plantCode,
                                                int perLot, TextPool &pool)
{
    ClassRequirementRows result;
    Rows requirements = select(db, sql::ClassLotRequirements, {processClassCode, plantCode});
    const RowReader &row = requirements.row();
    const int parent = row.column(QStringLiteral("上位手配番号"));
    const int itemCode = row.column(QStringLiteral("品名コード"));
    const int itemSpec = row.column(QStringLiteral("品名＿品名仕様"));
    const int quantity = row.column(QStringLiteral("必要数"));
    const int ratioNum = row.column(QStringLiteral("原単位分子"));
    const int ratioDen = row.column(QStringLiteral("原単位分母"));
    const int defectRate = row.column(QStringLiteral("不良率"));

    // The rows come grouped by arrangement, so a group ends where the number changes; an
    // arrangement met again after another one's rows takes none of the rows met again.
    bool started = false;
    qint64 current = 0;
    std::vector<RequirementRow> *group = nullptr;
    while (requirements.next()) {
        const qint64 arrangementNo = plant::roundHalfEven(row.numberAt(parent));
        if (!started || arrangementNo != current) {
            started = true;
            current = arrangementNo;
            group = result.m_rows.contains(arrangementNo) ? nullptr : &result.m_rows[arrangementNo];
        }
        if (group == nullptr || qsizetype(group->size()) >= perLot)
            continue;
        RequirementRow req;
        req.ItemCode = pool.intern(row.textAt(itemCode));
        req.ItemSpec = pool.intern(row.textAt(itemSpec));
        req.Quantity = row.numberAt(quantity);
        req.RatioNum = req.RatioNumLoaded = row.numberAt(ratioNum);
        req.RatioDen = req.RatioDenLoaded = row.numberAt(ratioDen);
        req.DefectRate = row.numberAt(defectRate);
        group->push_back(std::move(req));
    }
    if (const QString error = requirements.error(); !error.isEmpty())
        throw DbError(QStringLiteral("所要データの読込に失敗しました。\n") + error);
    return result;
}

std::vector<RequirementRow> ClassRequirementRows::takeRowsOf(qint64 arrangementNo)
{
    const auto found = m_rows.find(arrangementNo);
    return found == m_rows.end() ? std::vector<RequirementRow>() : std::move(*found);
}
