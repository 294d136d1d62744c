#include "SaveFixture.h"

namespace {

class SaveColumns : public SaveFixture
{
};
SAVE_SUITE(SaveColumns);

const QString kBlanks8 = QStringLiteral("        ");

TEST_P(SaveColumns, DestinationFollowsMachineOrDepartment)
{
    plant.db().run("UPDATE DB0394 SET 指示先コード='0105        ' WHERE 機械コード='M2      '");
    plant.insert("DB0370", {{"部コード", 3}, {"課コード", 0}});
    plant.insert("DB0370", {{"部コード", 3}, {"課コード", 7}});
    plant.insert("DB0370", {{"部コード", 3}, {"課コード", 2}});
    plant.insert("DB0370", {{"部コード", 1}, {"課コード", 4}}); // the plant's first section
    plant.insert("DB0370", {{"部コード", 4}, {"課コード", 0}});
    struct Case
    {
        const char *what;
        QString machine, supplier;
        QString expectedMachine, expectedSupplier;
    } cases[] = {
        {"machine with a destination", "M2      ", "", "M2      ", "0105        "},
        {"department", kBlanks8, "3", kBlanks8, "0302        "},
        {"department with a machine named", "M1      ", "3", kBlanks8, "0302        "},
        {"department without sections", "M1      ", "4", "M1      ", "4"},
        {"machine unknown to the plant", "MX      ", "", "MX      ", "0104        "},
    };
    qint64 number = 1001;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        arrangement(number);
        const qint64 index = lot(number);
        at(index).MachineCode = c.machine;
        at(index).SupplierCode = c.supplier;
        ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
        const ReadRow row = arrangementRow(number);
        EXPECT_EQ(row.text("機械コード"), c.expectedMachine);
        EXPECT_EQ(row.text("指示先コード"), c.expectedSupplier);
        EXPECT_EQ(row.text("計上先コード"), c.expectedSupplier);
        EXPECT_EQ(at(index).MachineCode, c.expectedMachine);
        EXPECT_EQ(at(index).SupplierCode, c.expectedSupplier);
        ++number;
    }
}

TEST_P(SaveColumns, InHouseSectionClearsPricesAndTakesTheLotsState)
{
    plant.insert("DB0369", {{"仕入先コード", "0302        "}, {"仕入先分類", "1"}});
    arrangement(1001, {{"単価", 80}, {"金額", 8000}, {"手配区分", "2"}, {"指示先コード", "S01"}});
    const qint64 index = lot(1001);
    at(index).MachineCode = kBlanks8;
    at(index).SupplierCode = QStringLiteral("0302        ");
    at(index).GanttDisplayClass = 3;
    at(index).Cycle = 12.5;
    at(index).Remarks = QStringLiteral("急ぎ");
    at(index).SchedulerFixed = QStringLiteral("1");

    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);

    const ReadRow row = arrangementRow(1001);
    EXPECT_EQ(row.text("手配区分"), "3");
    EXPECT_EQ(row.text("社内社外区分"), "1");
    EXPECT_EQ(row.text("仕入区分"), " ");
    EXPECT_EQ(row.text("受入即検収区分"), " ");
    EXPECT_EQ(row.text("手配確定区分"), "2");
    EXPECT_EQ(row.text("スケジューラ固定区分"), "1");
    EXPECT_EQ(row.text("GNT表示区分"), "3");
    EXPECT_DOUBLE_EQ(row.number("サイクル"), 12.5);
    EXPECT_EQ(row.text("備考"), "急ぎ");
    EXPECT_EQ(row.number("単価"), 0);
    EXPECT_EQ(row.number("金額"), 0);
}

TEST_P(SaveColumns, SubcontractPriceKeptOrLookedUp)
{
    plant.insert("DB0369", {{"仕入先コード", "S01"}, {"仕入先分類", "2"}});
    plant.insert("DB0369", {{"仕入先コード", "S02"}, {"仕入先分類", "2"}});
    plant.insert("DB0369", {{"仕入先コード", "S03"}, {"仕入先分類", "2"}});
    auto price = [&](const char *supplier, const char *item, const char *from, double unit, const char *kind) {
        plant.insert("DB0386", {{"取引先コード", supplier}, {"品名コード", item}, {"工場コード", 1}, {"順序", 999},
                                {"開始日", from}, {"単価", unit}, {"単価区分", kind}});
    };
    price("S01", "A", "20240101", 100, "1");
    price("S01", "A", "20240301", 120, "2"); // the newest
    price("0", "B", "20240101", 90, "3");    // any supplier, item B only
    struct Case
    {
        const char *what;
        QString item, supplier;
        double storedPrice;
        double expectedPrice;
        QString expectedKind;
    } cases[] = {
        {"a price already agreed stays", "A", "S01", 500, 500, " "},
        {"the supplier's newest price", "A", "S01", 0, 120, "2"},
        {"the price for any supplier", "B", "S02", 0, 90, "3"},
        {"no price at all", "C", "S03", 0, 0, " "},
    };
    qint64 number = 1001;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        arrangement(number, {{"品名コード", c.item}, {"単価", c.storedPrice}, {"指示先コード", "0302        "}});
        const qint64 index = lot(number);
        at(index).MachineCode = kBlanks8;
        at(index).SupplierCode = c.supplier;
        at(index).Members.set(0).Quantity = 40;
        ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
        const ReadRow row = arrangementRow(number);
        EXPECT_EQ(row.number("単価"), c.expectedPrice);
        if (c.storedPrice == 0) {
            EXPECT_EQ(row.number("金額"), c.expectedPrice * 40);
            EXPECT_EQ(row.number("合計金額"), c.expectedPrice * 40);
        }
        EXPECT_EQ(row.text("単価区分"), c.expectedKind);
        EXPECT_EQ(row.text("手配区分"), "2");
        EXPECT_EQ(row.text("社内社外区分"), "2");
        EXPECT_EQ(row.text("仕入区分"), "2");
        EXPECT_EQ(row.text("受入即検収区分"), "1"); // the lot names none
        EXPECT_EQ(row.text("指示先コード"), c.supplier);
        ++number;
    }
}

TEST_P(SaveColumns, MaterialsAreRewrittenFromTheLotsEntries)
{
    arrangement(1001, {{"生産計画番号", 0}});
    plant.insert("DB0252", {{"上位手配番号", 1001}, {"品名コード", "M-1"}, {"順序", 999}, {"必要数", 3}});
    plant.insert("DB0252", {{"上位手配番号", 1001}, {"品名コード", "M-OLD"}, {"順序", 999}, {"必要数", 4}});
    plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", "A"}, {"順序", 999}, {"下位品名コード", "M-2"},
                            {"支給制御区分", "1"}, {"有償無償区分", "2"}});
    const qint64 index = lot(1001);
    at(index).SaveMark = 1;
    at(index).Requirements = {{"M-1", "", 10, 1, 2, 1, 2, 0.5}, {"M-2", "", 20, 3, 4, 3, 4, 0}, {"", "", 1, 1, 1, 1, 1, 0}};

    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);

    const QString entry = QStringLiteral("SELECT * FROM DB0252 WHERE 上位手配番号=? AND 品名コード=?");
    const ReadRow kept = row(entry, {1001, "M-1"});
    EXPECT_EQ(kept.number("必要数"), 10);
    EXPECT_EQ(kept.number("原単位分母"), 2);
    EXPECT_EQ(kept.number("不良率"), 0.5);
    EXPECT_EQ(kept.text("削除フラグ"), "0");
    EXPECT_EQ(kept.text("開始日"), "20240410");
    EXPECT_EQ(kept.text("更新プログラム"), "P210030");
    const ReadRow dropped = row(entry, {1001, "M-OLD"});
    EXPECT_EQ(dropped.text("削除フラグ"), "1");
    EXPECT_EQ(dropped.text("更新日"), "20240501");
    const ReadRow added = row(entry, {1001, "M-2"});
    EXPECT_EQ(added.number("必要数"), 20);
    EXPECT_EQ(added.text("支給制御区分"), "1");
    EXPECT_EQ(added.text("有償無償区分"), "2");
    EXPECT_EQ(added.text("上位品名コード"), "A");
    EXPECT_EQ(added.number("上位順序"), 999);
    EXPECT_EQ(added.text("登録プログラム"), "P210030");
    EXPECT_EQ(added.number("登録時刻"), 123456);
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252", {}), 3); // the empty entry adds nothing
    EXPECT_EQ(at(index).SaveMark, 0);

    // Quantity 0 deletes the arrangement and its materials but still writes its schedule.
    at(index).MembersWritten = 1;
    at(index).SaveMark = 1;
    at(index).Members.set(0).Quantity = 0;
    at(index).StartDate = QDate(2024, 4, 15);
    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(arrangementRow(1001).text("削除フラグ"), "1");
    EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), "20240415");
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 削除フラグ='0'", {}), 0);
}

TEST_P(SaveColumns, MachineCycleRowPerShotWhetherNewOrNot)
{
    plant.insert("DB0492", {{"品名コード", "A"}, {"順序", 999}, {"機械コード", "M2      "}, {"サイクル", 1}, {"削除フラグ", "1"}});
    struct Case
    {
        const char *what;
        QString machine;
        qint64 cavities;
        double expected;
        double rate;
    } cases[] = {
        {"no row yet: rate times cavities, to the thousandth", "M1      ", 4, 26, 6.49997833340555},
        {"existing row: rate times cavities", "M2      ", 4, 26, 6.5},
        {"existing row, no cavities: the rate", "M2      ", 0, 6.5, 6.5},
        {"a third of a second", "M2      ", 1, 0.333, 1.0 / 3},
    };
    qint64 number = 1001;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        arrangement(number);
        const qint64 index = lot(number);
        at(index).MachineCode = c.machine;
        at(index).SecondsPerPiece = c.rate;
        at(index).Cavities = c.cavities;
        at(index).RateItemCode = QStringLiteral("A");
        at(index).RateSequence = 999;
        ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
        const ReadRow cycle =
            row("SELECT * FROM DB0492 WHERE 品名コード='A' AND 順序=999 AND 機械コード=?", {c.machine});
        EXPECT_DOUBLE_EQ(cycle.number("サイクル"), c.expected);
        EXPECT_EQ(cycle.text("削除フラグ"), "0");
        ++number;
    }
}

TEST_P(SaveColumns, ProductionPlanTotalsOfTheLastProcess)
{
    // M1 reports to an in-house section, so the lot's confirmation reaches its arrangement.
    plant.db().run("UPDATE DB0394 SET 指示先コード='0302        ' WHERE 機械コード='M1      '");
    plant.insert("DB0369", {{"仕入先コード", "0302        "}, {"仕入先分類", "1"}});
    plant.insert("DB0251", {{"生産計画番号", 77}, {"品名コード", "A"}, {"指示済数", 1}, {"確定区分", "1"}});
    plant.insert("DB0251", {{"生産計画番号", 78}, {"品名コード", "A"}, {"指示済数", 1}, {"確定区分", "1"}});
    arrangement(1001, {{"生産計画番号", 77}});
    arrangement(1002, {{"生産計画番号", 77}, {"手配確定区分", "2"}, {"手配数", 150}, {"納期", "20240418"}});
    arrangement(1003, {{"生産計画番号", 77}, {"手配確定区分", "1"}, {"手配数", 999}, {"納期", "20240430"}});
    arrangement(1004, {{"生産計画番号", 78}, {"順序", 1}});
    const qint64 last = lot(1001);
    at(last).Quantity = 400;
    at(last).EndDate = QDate(2024, 4, 25);
    const qint64 earlier = lot(1004);
    at(earlier).Members.set(0).Sequence = 1;

    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);

    const ReadRow plan = row("SELECT * FROM DB0251 WHERE 生産計画番号=?", {77});
    EXPECT_EQ(plan.number("指示済数"), 550);
    EXPECT_EQ(plan.text("生産完了日"), "20240425");
    EXPECT_EQ(plan.text("確定区分"), "2");
    const ReadRow notLast = row("SELECT * FROM DB0251 WHERE 生産計画番号=?", {78});
    EXPECT_EQ(notLast.number("指示済数"), 1);
    EXPECT_EQ(notLast.text("確定区分"), "2");
}

} // namespace
