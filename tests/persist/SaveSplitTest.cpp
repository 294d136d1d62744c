#include "SaveFixture.h"

namespace {

class SaveSplit : public SaveFixture
{
protected:
    // Arrangement 1001 with two requirement rows, the source of the split slots.
    void SetUp() override
    {
        arrangement(1001, {{"指示書発行日", "20240402"}, {"受入実績数", 40}, {"手配実績数", 40}, {"完納区分", "1"}});
        requirement(1001, "M-1", 5);
        requirement(1001, "M-2", 7);
    }
    void requirement(qint64 parent, const QString &item, double quantity)
    {
        plant.insert("DB0252", {{"上位手配番号", parent}, {"品名コード", item}, {"順序", 999}, {"必要数", quantity}});
    }
    // Turns the lot's slot `k` of set A into a provisional slot cut from `source`.
    void provisional(qint64 index, int k, qint64 number, qint64 source, qint64 quantity = 30)
    {
        MemberSlot &slot = at(index).Members.set(k);
        slot.ArrangementNo = number;
        slot.AuxNo = source;
        slot.ItemCode = QStringLiteral("A");
        slot.Quantity = quantity;
    }
    qint64 counter() { return count("SELECT 現在番号 FROM DB0018 WHERE 番号管理キー='手配番号'", {}); }
    qint64 parentOf(qint64 number) { return qint64(arrangementRow(number).number("上位手配番号")); }
};
SAVE_SUITE(SaveSplit);

TEST_P(SaveSplit, SplitSlotBecomesANewArrangementWithCopiedRequirements)
{
    const qint64 index = lot(1001);
    at(index).Members.clear(0);
    provisional(index, 0, -1, 1001);
    at(index).ArrangementNo = -1;

    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);

    EXPECT_EQ(counter(), 5001);
    const ReadRow created = arrangementRow(5001);
    ASSERT_TRUE(created.exists());
    EXPECT_EQ(created.text("製造依頼番号"), "R-1001"); // copied from the source
    EXPECT_EQ(created.text("指示書発行日"), "00000000");
    EXPECT_EQ(created.number("受入実績数"), 0);
    EXPECT_EQ(created.number("手配実績数"), 0);
    EXPECT_EQ(created.text("完納区分"), "0");
    EXPECT_EQ(created.text("作業開始日付"), "20240410");
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 上位手配番号=?", {5001}), 2);
    EXPECT_EQ(row("SELECT * FROM DB0252 WHERE 上位手配番号=? AND 品名コード=?", {5001, "M-2"}).number("必要数"), 7);
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 上位手配番号=?", {1001}), 2);
    EXPECT_EQ(at(index).Members.at(0).ArrangementNo, 5001);
    EXPECT_EQ(at(index).Members.at(0).AuxNo, 0);
    EXPECT_EQ(at(index).ArrangementNo, 5001);

    // A second save updates the arrangement instead of creating it again.
    at(index).MembersWritten = 1;
    at(index).StartDate = QDate(2024, 4, 12);
    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(counter(), 5001);
    EXPECT_EQ(arrangementRow(5001).text("作業開始日付"), "20240412");
}

TEST_P(SaveSplit, SlotSplitTwiceBeforeSavingCopiesTheStoredSource)
{
    // The first split cut -1 from 1001; splitting -1 again kept 1001 as the source of -2.
    const qint64 first = lot(1001);
    at(first).Members.clear(0);
    provisional(first, 0, -1, 1001, 20);
    const qint64 second = lot(1001);
    at(second).Members.clear(0);
    provisional(second, 0, -2, 1001, 10);

    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);

    EXPECT_EQ(counter(), 5002);
    EXPECT_EQ(at(first).Members.at(0).ArrangementNo, 5001);
    EXPECT_EQ(at(second).Members.at(0).ArrangementNo, 5002);
    EXPECT_EQ(arrangementRow(5002).text("製造依頼番号"), "R-1001");
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 上位手配番号=?", {5002}), 2);
}

TEST_P(SaveSplit, SuccessiveSplitProcessesAreRelinkedBetweenTheNewNumbers)
{
    // 1002 is the process after 1001 (1001's parent is 1002). The slots come in either order.
    plant.db().run("UPDATE DB0253 SET 上位手配番号=1002 WHERE 手配番号=1001");
    arrangement(1002, {{"順序", 2}});
    struct Case
    {
        const char *what;
        qint64 firstSource, secondSource;
        qint64 expectedChild, expectedParent; // among the new numbers
    } cases[] = {
        {"earlier process first", 1001, 1002, 5001, 5002},
        {"later process first", 1002, 1001, 5004, 5003},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const qint64 index = lot(1001);
        at(index).Members.clear(0);
        provisional(index, 0, -1, c.firstSource);
        provisional(index, 1, -2, c.secondSource);
        ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
        EXPECT_EQ(parentOf(c.expectedChild), c.expectedParent);
        EXPECT_EQ(parentOf(c.expectedParent), 0);
    }
    EXPECT_EQ(parentOf(1001), 1002); // the sources keep their link
}

TEST_P(SaveSplit, MissingNumberingRowLeavesTheLotAndItsSourceUnsaved)
{
    plant.db().run("DELETE FROM DB0018");
    const qint64 plain = lot(1001);
    const qint64 split = lot(1001);
    at(split).Members.clear(0);
    provisional(split, 0, -1, 1001);

    const SaveResult result = save();

    EXPECT_EQ(result.outcome, SaveResult::Outcome::Failed);
    EXPECT_TRUE(result.savingStillNeeded());
    EXPECT_EQ(prompter.texts(), QStringList{"手配番号を採番できませんでした"});
    EXPECT_EQ(at(plain).MembersWritten, 1) << "the lot it was cut from is written with it or not at all";
    EXPECT_EQ(at(split).MembersWritten, 1);
    EXPECT_EQ(at(split).Members.at(0).ArrangementNo, -1);
    EXPECT_EQ(at(split).Members.at(0).AuxNo, 1001);
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0253", {}), 1);
}

} // namespace
