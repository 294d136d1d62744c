// The lists of the detail window as it opens: fixed-width lines with Japanese names counted in
// Shift-JIS bytes, the related orders from the plant database, and the neighbouring processes.

#include "DetailWindowPlant.h"
#include "common/PlantValues.h"
#include "dialogs/DetailLines.h"
#include "dialogs/PlanDetailFill.h"

#include <gtest/gtest.h>

namespace {

class DetailListsTest : public ::testing::TestWithParam<TestPlant::Backend>
{
protected:
    DetailListsTest() : database(GetParam()) {}

    DetailTexts fill()
    {
        if (!fixture.plant.started())
            fixture.plant.start();
        return fillDetailTexts(fixture.plant.store, fixture.lot, fixture.plant.rows, database.db());
    }
    void insert(const char *table, const QVariantMap &row) { database.insert(QString::fromLatin1(table), row); }

    DetailWindowPlant fixture;
    TestPlant database;
};

RequirementRow material(const QString &code, const QString &given)
{
    RequirementRow row;
    row.ItemCode = code;
    row.ItemSpec = given;
    return row;
}

TEST(DetailLines, MaterialLinesLineUpInBytes)
{
    PlanRecord lot;
    RequirementRow resin = material(QStringLiteral("R-100"), QStringLiteral("ポリプロピレン樹脂　黒"));
    resin.Quantity = 1234.5;
    resin.RatioNum = 2;
    resin.RatioDen = 3;
    resin.DefectRate = 2.5;
    lot.Requirements = {resin, material(QStringLiteral("R-200"), QStringLiteral("PP black")), material({}, {}),
                        material(QStringLiteral("R-300"), {})};
    const QStringList lines = requirementLines(lot);
    ASSERT_EQ(lines.size(), 2) << "the rows end at the first one without item code";
    for (const QString &line : lines)
        EXPECT_EQ(plant::sjisWidth(line), 25 + 13 + 40 + 4 * 16) << line.toStdString();
    const QString first = lines[0];
    EXPECT_TRUE(first.startsWith(QStringLiteral("R-100") + QString(20 + 13, ' ') + QStringLiteral("ポリプロピレン樹脂　黒")));
    EXPECT_TRUE(first.endsWith(QStringLiteral("      1,234.500           2.000           3.000          97.500")))
        << first.toStdString();
}

TEST(DetailLines, ANameTooWideForItsFieldIsCutWithoutHalfACharacter)
{
    PlanRecord lot;
    lot.Requirements = {material(QStringLiteral("R-1"), QString(25, QChar(0x6A39)))}; // 樹 x 25 = 50 bytes
    const QString line = requirementLines(lot).constFirst();
    EXPECT_EQ(plant::sjisWidth(line), 25 + 13 + 40 + 4 * 16);
    EXPECT_TRUE(line.contains(QString(20, QChar(0x6A39)) + QStringLiteral(" ")));
}

TEST_P(DetailListsTest, RelatedOrdersShowOrdersThenDemandPlansInFixedWidths)
{
    insert("DB0361", {{"得意先コード", "C01"}, {"得意先略名", "東京樹脂"}});
    insert("DB0378", {{"品名コード", "A100"}, {"品名略称", "ケースＡ"}});
    insert("DB0494", {{"手配番号", 5001}, {"受注データ区分", "2"}, {"番号", 77}});
    insert("DB0204", {{"受注番号", 77}, {"得意先コード", "C01"}, {"品名コード", "A100"}, {"納期", "20240615"},
                      {"注文番号", "PO-1"}, {"受注数量", 500}, {"出荷数量", 120}});
    insert("DB0494", {{"手配番号", 5001}, {"受注データ区分", "1"}, {"番号", 88}});
    insert("DB0202", {{"所要計画No", 88}, {"得意先コード", "C01"}, {"品名コード", "A100"}, {"納期", "20240620"},
                      {"所要計画数量", 300}});
    insert("DB0494", {{"手配番号", 5002}, {"受注データ区分", "2"}, {"番号", 99}});

    const QStringList lines = fill().relatedOrders;
    ASSERT_EQ(lines.size(), 2);
    const QString names = QStringLiteral("A100") + QString(21, ' ') + QStringLiteral("ケースＡ") + QString(32, ' ')
                          + QStringLiteral("C01") + QString(9, ' ') + QStringLiteral("東京樹脂") + QString(12, ' ');
    // Demand plans (区分 "1") sort before orders; a demand plan has no order number.
    EXPECT_EQ(lines[0], QStringLiteral("所要計画       88 ") + QString(23, ' ') + ' ' + names + QStringLiteral(" 06/20      300"));
    EXPECT_EQ(lines[1], QStringLiteral("受注           77 PO-1") + QString(19, ' ') + ' ' + names
                            + QStringLiteral(" 06/15      380"));
    for (const QString &line : lines)
        EXPECT_EQ(plant::sjisWidth(line), 9 + 8 + 1 + 23 + 1 + 25 + 40 + 12 + 20 + 1 + 5 + 1 + 8);
}

TEST_P(DetailListsTest, ALotWithoutRequirementsParentOrFeedersLeavesThoseEmpty)
{
    const DetailTexts texts = fill();
    EXPECT_TRUE(texts.materialLines.isEmpty());
    EXPECT_TRUE(texts.relatedOrders.isEmpty());
    EXPECT_TRUE(texts.outerMembers.isEmpty());
    EXPECT_EQ(texts.txt_After_StartYMD + texts.txt_After_StartTIME, QString());
    EXPECT_EQ(texts.txt_Before_EndYMD + texts.txt_Before_EndTIME, QString());
}

TEST_P(DetailListsTest, ALotCutByASplitAndNotSavedReadsNewInsteadOfItsProvisionalNumber)
{
    fixture.amend([](PlanRecord &lot) { lot.ArrangementNo = -1; });
    EXPECT_EQ(fill().arrangementNo, QStringLiteral("新規"));
}

TEST_P(DetailListsTest, TheNeighbouringProcessesComeFromTheChartThenFromTheDatabase)
{
    EditingPlant &plant = fixture.plant;
    const qint64 next = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/12 13:00")});
    plant.amend(next, [&](PlanRecord &r) { r.ArrangementNo = 6000; });
    fixture.amend([](PlanRecord &r) { r.ParentArrangementNo = 6000; });
    insert("DB0253", {{"手配番号", 4000}, {"上位手配番号", DetailWindowPlant::Arrangement}, {"作業終了日付", "20240509"},
                      {"作業終了時間", 173000}});
    insert("DB0253", {{"手配番号", 4001}, {"上位手配番号", DetailWindowPlant::Arrangement}, {"作業終了日付", "20240508"},
                      {"作業終了時間", 90000}});

    DetailTexts texts = fill();
    EXPECT_EQ(texts.txt_After_StartYMD + ' ' + texts.txt_After_StartTIME, QStringLiteral("2024/05/12 13:00:00"));
    EXPECT_EQ(texts.txt_Before_EndYMD + ' ' + texts.txt_Before_EndTIME, QStringLiteral("2024/05/09 17:30:00"))
        << "the feeder that ends last";

    // A feeder on the chart shows its end as planned now.
    const qint64 feeder = plant.add({.machine = EditingPlant::M03, .start = QStringLiteral("2024/05/09 20:00")});
    plant.amend(feeder, [&](PlanRecord &r) { r.ArrangementNo = 4000; });
    plant.amend(feeder, [&](PlanRecord &r) { r.ParentArrangementNo = DetailWindowPlant::Arrangement; });
    texts = fill();
    EXPECT_EQ(texts.txt_Before_EndYMD + ' ' + texts.txt_Before_EndTIME, QStringLiteral("2024/05/09 21:00:00"));
}

INSTANTIATE_TEST_SUITE_P(Backends, DetailListsTest, ::testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

} // namespace
