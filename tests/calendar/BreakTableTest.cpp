#include "calendar/BreakTable.h"

#include <gtest/gtest.h>

namespace {

QTime at(const char *text)
{
    return QTime::fromString(QString::fromLatin1(text), QStringLiteral("HH:mm"));
}

struct OfferCase
{
    const char *name;
    std::vector<std::pair<const char *, const char *>> stored; // accepted before
    const char *start;
    const char *end;
    bool accepted;
};

class BreakOffer : public testing::TestWithParam<OfferCase>
{
};

TEST_P(BreakOffer, AcceptsRealBreaksThatOverlapNoStoredOne)
{
    const OfferCase &c = GetParam();
    BreakTable table;
    for (const auto &[s, e] : c.stored)
        ASSERT_TRUE(table.offer(at(s), at(e)));
    EXPECT_EQ(table.offer(at(c.start), at(c.end)), c.accepted);
    EXPECT_EQ(table.size(), int(c.stored.size()) + (c.accepted ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BreakOffer,
    testing::Values(OfferCase{"Lunch", {}, "12:00", "13:00", true},
                    OfferCase{"EmptyPair", {}, "00:00", "00:00", false},
                    OfferCase{"RunsToMidnight", {}, "23:00", "00:00", true},
                    OfferCase{"StartsAtMidnight", {}, "00:00", "01:00", true},
                    OfferCase{"EndBeforeStart", {}, "13:00", "12:00", false},
                    OfferCase{"StartEqualsEnd", {}, "12:00", "12:00", false},
                    OfferCase{"InsideStored", {{"12:00", "13:00"}}, "12:30", "12:45", false},
                    OfferCase{"CoversStored", {{"12:00", "13:00"}}, "11:00", "14:00", false},
                    OfferCase{"OverlapsStart", {{"12:00", "13:00"}}, "11:30", "12:01", false},
                    OfferCase{"TouchesEnd", {{"12:00", "13:00"}}, "13:00", "13:30", true},
                    OfferCase{"TouchesStart", {{"12:00", "13:00"}}, "11:00", "12:00", true},
                    OfferCase{"InsideMidnightBreak", {{"23:00", "00:00"}}, "23:30", "00:00", false},
                    OfferCase{"CoversMidnightBreak", {{"23:30", "00:00"}}, "22:00", "00:00", false},
                    OfferCase{"MorningAfterEveningBreak", {{"23:00", "00:00"}}, "00:00", "01:00", true}),
    [](const testing::TestParamInfo<OfferCase> &info) { return std::string(info.param.name); });

TEST(BreakTable, PacksAcceptedPairsIntoSlotsAndKeepsTen)
{
    BreakTable table;
    EXPECT_TRUE(table.offer(at("15:00"), at("15:10")));
    EXPECT_FALSE(table.offer(QTime(), at("16:00"))); // an unreadable stored time
    EXPECT_TRUE(table.offer(at("12:00"), at("13:00")));
    EXPECT_EQ(table.slot(1), at("15:00"));
    EXPECT_EQ(table.slot(2), at("15:10"));
    EXPECT_EQ(table.slot(3), at("12:00"));
    EXPECT_EQ(table.slot(4), at("13:00"));
    EXPECT_EQ(table.slot(5), QTime(0, 0));
    EXPECT_EQ(table.slot(20), QTime(0, 0));

    for (int hour = 0; hour < 10; ++hour)
        table.offer(QTime(hour, 0), QTime(hour, 30));
    EXPECT_EQ(table.size(), BreakTable::Capacity);
    EXPECT_EQ(table.slot(19), QTime(7, 0));
    table.clear();
    EXPECT_EQ(table.size(), 0);
    EXPECT_EQ(table.slot(1), QTime(0, 0));
}

} // namespace
