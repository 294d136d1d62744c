#include "calendar/DateEntry.h"

#include <gtest/gtest.h>

namespace {

struct EntryCase
{
    QString typed;
    QString expected;
};

TEST(ParseDateEntry, FillsMissingPartsFromToday)
{
    const QDate today(2024, 6, 15);
    const EntryCase cases[] = {
        {u""_qs, u"2024/06/15"_qs},
        {u"   "_qs, u"2024/06/15"_qs},
        {u"5"_qs, u"2024/06/05"_qs},
        {u"31"_qs, u"2024/06/15"_qs},          // June has no 31st
        {u"30"_qs, u"2024/06/30"_qs},
        {u"45"_qs, u"2024/04/05"_qs},          // above 31: month and day
        {u"99"_qs, u"2024/09/09"_qs},
        {u"00"_qs, u"2024/06/15"_qs},
        {u"101"_qs, u"2024/01/01"_qs},
        {u"1225"_qs, u"2024/12/25"_qs},
        {u"1325"_qs, u"2024/06/15"_qs},
        {u"240101"_qs, u"2024/01/01"_qs},
        {u"50101"_qs, u"2005/01/01"_qs},
        {u"751231"_qs, u"1975/12/31"_qs},      // the century window runs 1975 .. 2074
        {u"741231"_qs, u"2074/12/31"_qs},
        {u"2024101"_qs, u"2024/06/15"_qs},     // seven digits: year 202, month 41
        {u"20240229"_qs, u"2024/02/29"_qs},
        {u"20240230"_qs, u"2024/06/15"_qs},
        {u"202412011"_qs, u"2024/06/15"_qs},   // nine digits
        {u"6/1"_qs, u"2024/06/01"_qs},
        {u"6/"_qs, u"2024/06/15"_qs},          // day 0
        {u"12-31"_qs, u"2024/12/31"_qs},
        {u"24.1.5"_qs, u"2024/01/05"_qs},
        {u"99.1.5"_qs, u"1999/01/05"_qs},
        {u"2023/2/29"_qs, u"2024/06/15"_qs},
        {u"2028/2/29"_qs, u"2028/02/29"_qs},
        {u"2024/12/01/"_qs, u"2024/12/01"_qs}, // a trailing separator
        {u"2024//1"_qs, u"2024/06/15"_qs},     // month 0
        {u"1/2/3/4/5"_qs, u"2024/06/15"_qs},   // too many separators
        {u"２０２４／１２／０１"_qs, u"2024/12/01"_qs},
        {u"１２２５"_qs, u"2024/12/25"_qs},
        {u" 7/4 "_qs, u"2024/07/04"_qs},
        {u"2024年7月4日"_qs, u"2024/07/04"_qs},
        {u"abc"_qs, u"2024/06/15"_qs},
        {u"99999/1/1"_qs, u"2024/06/15"_qs},   // five-digit year
        {u"1/99999999999999999999"_qs, u"2024/06/15"_qs},
    };
    for (const EntryCase &c : cases)
        EXPECT_EQ(ParseDateEntry(c.typed, today), c.expected) << c.typed.toStdString();
}

TEST(ReadDateEntry, AnEntryThatIsNoDateGivesNothingWhereParsingGivesToday)
{
    const QDate today(2024, 6, 15);
    for (const QString &typed : {u"2024/02/30"_qs, u"20241345"_qs, u"123456789"_qs, u"1/2/3/4/5"_qs, u"0"_qs}) {
        EXPECT_EQ(ReadDateEntry(typed, today), QString()) << typed.toStdString();
        EXPECT_EQ(ParseDateEntry(typed, today), u"2024/06/15"_qs) << typed.toStdString();
    }
    EXPECT_EQ(ReadDateEntry(u"2024/2/29"_qs, today), u"2024/02/29"_qs);
    EXPECT_EQ(ReadDateEntry(u"1225"_qs, today), u"2024/12/25"_qs);
}

TEST(ParseDateEntry, CenturyWindowMovesWithToday)
{
    // Today 2000: the window is 1951 .. 2050; today 2001: 1952 .. 2051.
    EXPECT_EQ(ParseDateEntry(u"500101"_qs, QDate(2000, 1, 1)), u"2050/01/01"_qs);
    EXPECT_EQ(ParseDateEntry(u"510101"_qs, QDate(2000, 1, 1)), u"1951/01/01"_qs);
    EXPECT_EQ(ParseDateEntry(u"510101"_qs, QDate(2001, 1, 1)), u"2051/01/01"_qs);
    EXPECT_EQ(ParseDateEntry(u"52.3.1"_qs, QDate(2001, 1, 1)), u"1952/03/01"_qs);
}

} // namespace
