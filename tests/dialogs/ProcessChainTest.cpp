// The process chains that the process add and process show windows list, read from a plant
// database on every backend: where a chain ends, and the show window's lines.

#include "ChainPlant.h"
#include "dialogs/ProcessChain.h"

#include <gtest/gtest.h>

namespace {

class ProcessChainTest : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    QStringList addLines(qint64 arrangement)
    {
        QStringList lines;
        for (const ChainLink &link : processAddChain(database.db(), arrangement))
            lines << chainLine(link);
        return lines;
    }

    TestPlant database{GetParam()};
    ChainPlant chains{database};
};
INSTANTIATE_TEST_SUITE_P(Backends, ProcessChainTest, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

TEST_P(ProcessChainTest, TheAddChainEndsAtAClassOutsideTheAddAMissingArrangementOrTheFirstRepeat)
{
    // 1001 成形 -> 1002 トリミング -> 1003 印刷 -> 1004 検査 (class 03) -> 1005 組立
    chains.arrangement(1001, "S10", 1002);
    chains.arrangement(1002, "S20", 1003);
    chains.arrangement(1003, "S30", 1004);
    chains.arrangement(1004, "S40", 1005);
    chains.arrangement(1005, "S50", 0);
    // 2001 -> 2002 -> 2003 -> back to 2002
    chains.arrangement(2001, "S10", 2002);
    chains.arrangement(2002, "S20", 2003);
    chains.arrangement(2003, "S30", 2002);
    // 3001 names itself
    chains.arrangement(3001, "S10", 3001);
    // 4001 names an arrangement that does not exist
    chains.arrangement(4001, "S10", 4999);
    // 5001 is a subcontract process (class 30)
    chains.arrangement(5001, "S60", 5002);
    chains.arrangement(5002, "S20", 0);
    // 6002 was deleted
    chains.arrangement(6001, "S10", 6002);
    chains.arrangement(6002, "S20", 6003, {{"削除フラグ", "1"}});
    chains.arrangement(6003, "S30", 0);
    // the third process is an inspection (class 03)
    chains.arrangement(8001, "S10", 8002);
    chains.arrangement(8002, "S20", 8003);
    chains.arrangement(8003, "S40", 8004);
    chains.arrangement(8004, "S30", 0);
    // 7002 leads to a subcontract process
    chains.arrangement(7001, "S10", 7002);
    chains.arrangement(7002, "S20", 7003);
    chains.arrangement(7003, "S60", 7004);
    chains.arrangement(7004, "S30", 0);

    const struct
    {
        qint64 from;
        QStringList lines;
    } cases[] = {
        {1001, {"1001 成形", "1002 トリミング", "1003 印刷"}},
        {1002, {"1002 トリミング", "1003 印刷"}},
        {1005, {"1005 組立"}},
        {2001, {"2001 成形", "2002 トリミング", "2003 印刷"}},
        {3001, {"3001 成形"}},
        {4001, {"4001 成形"}},
        {5001, {}},
        {6001, {"6001 成形"}},
        {7001, {"7001 成形", "7002 トリミング"}},
        {8001, {"8001 成形", "8002 トリミング"}},
        {9999, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(addLines(c.from), c.lines) << c.from;
}

TEST_P(ProcessChainTest, TheShowListPutsTheFeedingProcessAboveTheLotAndItsNextProcesses)
{
    chains.arrangement(900, "S10", 1001, {{"納期", "20240515"}, {"ラインコード", "L7"}});
    chains.arrangement(1001, "S20", 1002, {{"納期", "20240517"}});
    chains.arrangement(1002, "S30", 1003, {{"機械コード", "M02     "}, {"納期", "00000000"}});
    chains.arrangement(1003, "S40", 0); // class 03: not shown
    const QStringList expected{
        "05/15 900 A100 L7 成形",
        "05/17 1001 A100 M01      トリミング",
        "      1002 A100 M02      印刷",
    };
    EXPECT_EQ(processShowLines(database.db(), 1001), expected);
}

TEST_P(ProcessChainTest, TheShowListEndsAtTheFirstRepeatAndShowsNothingForNoArrangement)
{
    chains.arrangement(2001, "S10", 2002);
    chains.arrangement(2002, "S20", 2001);
    chains.arrangement(3001, "S10", 0); // a last process: its next is 0
    // 2001 feeds 2002 and is its next process as well.
    EXPECT_EQ(processShowLines(database.db(), 2002).size(), 3);
    EXPECT_EQ(processShowLines(database.db(), 0), QStringList());
}

} // namespace
