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

    // The rows come grouped by arrangement, so a group ends where the number changes.
    qint64 current = 0;
    Range *range = nullptr;
    while (requirements.next()) {
        const qint64 arrangementNo = plant::roundHalfEven(row.numberAt(parent));
        if (range == nullptr || arrangementNo != current) {
            current = arrangementNo;
            range = &result.m_ranges[arrangementNo];
            if (range->count == 0)
                range->begin = result.rowCount();
        }
        if (range->count >= perLot || range->begin + range->count != result.rowCount())
            continue;
        RequirementRow req;
        req.ItemCode = pool.intern(row.textAt(itemCode));
        req.ItemSpec = pool.intern(row.textAt(itemSpec));
        req.Quantity = row.numberAt(quantity);
        req.RatioNum = req.RatioNumLoaded = row.numberAt(ratioNum);
        req.RatioDen = req.RatioDenLoaded = row.numberAt(ratioDen);
        req.DefectRate = row.numberAt(defectRate);
        result.m_rows.push_back(std::move(req));
        ++range->count;
    }
    if (const QString error = requirements.error(); !error.isEmpty())
        throw DbError(QStringLiteral("所要データの読込に失敗しました。\n") + error);
    return result;
}

std::vector<RequirementRow> ClassRequirementRows::rowsOf(qint64 arrangementNo) const
{
    const auto found = m_ranges.constFind(arrangementNo);
    if (found == m_ranges.constEnd())
        return {};
    const auto first = m_rows.begin() + found->begin;
    return std::vector<RequirementRow>(first, first + found->count);
}
