#include "app/MainFormLayout.h"

#include <gtest/gtest.h>

namespace {

qint64 left(const mainform::Layout &layout, const char *name)
{
    return layout.controls.value(QLatin1String(name)).left;
}

TEST(MainFormLayout, NarrowWindowsKeepTheDesignPositions)
{
    for (qint64 width : {0, 12000, 19080}) {
        const mainform::Layout l = mainform::compute(width, 12000);
        EXPECT_EQ(l.formWidth, 19080);
        EXPECT_EQ(left(l, "KScroll"), 14960);
        EXPECT_EQ(l.controls[QStringLiteral("Picture1")].width, 13815);
        EXPECT_EQ(l.controls[QStringLiteral("Picture2")].width, 13815);
        EXPECT_EQ(l.controls[QStringLiteral("HScroll1")].width, 13815);
        EXPECT_EQ(left(l, "Command9"), 15360);
        for (const char *button : {"ComHozon", "ComKensaku", "cmdYoteiIchiran", "ComPlanDataRefresh", "ComYotei"})
            EXPECT_EQ(left(l, button), 17760) << button;
        for (const char *combo : {"CheckPlanHyouji", "CmbMachine", "CmbKakuteiMachine"})
            EXPECT_EQ(left(l, combo), 16560) << combo;
        EXPECT_EQ(left(l, "Label14"), 17640);
        EXPECT_EQ(l.controls[QStringLiteral("LineBarSearch")].right(), 18960);
        EXPECT_LE(l.controls[QStringLiteral("endYYMMDD")].right(), l.formWidth);
    }
}

TEST(MainFormLayout, WideWindowsAnchorThePanelToTheRightEdge)
{
    const qint64 F = 24000;
    const mainform::Layout l = mainform::compute(F, 14000);
    EXPECT_EQ(left(l, "KScroll"), F - 4240);
    EXPECT_EQ(l.controls[QStringLiteral("Picture1")].width, F - 5385);
    EXPECT_EQ(left(l, "Command9"), F - 3840);
    for (const char *button : {"ComHozon", "ComKensaku", "cmdYoteiIchiran", "ComPlanDataRefresh", "ComKakutei", "ComYotei"})
        EXPECT_EQ(left(l, button), F - 1440) << button;
    for (const char *input : {"KCode", "KName", "TxtSerchPartID", "TxtSerchHinmei", "TxtSerchKanagataBango",
                              "strYYMMDD", "CheckPlanHyouji", "CmbMachine", "CmbKakuteiMachine"})
        EXPECT_EQ(left(l, input), F - 2640) << input;
    for (const char *label : {"LblKCode", "LblSerchPartID", "LblKakuteiMachine", "LblBarSearch"})
        EXPECT_EQ(left(l, label), F - 3840) << label;
    EXPECT_EQ(left(l, "endYYMMDD"), F - 1320);
    EXPECT_EQ(left(l, "Label14"), F - 1560);
    EXPECT_EQ(l.controls[QStringLiteral("LineListSearch")].left, F - 3840);
    EXPECT_EQ(l.controls[QStringLiteral("LineListSearch")].right(), F - 240);
}

TEST(MainFormLayout, GridTakesTheRestOfTheHeightButNeverLessThan1500)
{
    const mainform::Layout tall = mainform::compute(24000, 16000);
    const mainform::TwipRect grid = tall.controls[QStringLiteral("PlanDataGrid")];
    EXPECT_EQ(grid.top, mainform::gridTop());
    EXPECT_EQ(grid.height, 16000 - mainform::gridTop() - 615);
    EXPECT_EQ(grid.right(), 24000 - 240);

    const mainform::Layout low = mainform::compute(24000, 3000);
    EXPECT_EQ(low.formHeight, mainform::gridTop() + 1500);
    EXPECT_EQ(low.controls[QStringLiteral("PlanDataGrid")].height, 1500 - 615);
}

TEST(MainFormLayout, SidePanelAndChartDoNotOverlap)
{
    for (qint64 width : {19080, 19500, 30000}) {
        const mainform::Layout l = mainform::compute(width, 15000);
        const auto &c = l.controls;
        const qint64 chartRight = c[QStringLiteral("KScroll")].right();
        const qint64 gridTop = c[QStringLiteral("PlanDataGrid")].top;
        for (auto it = c.cbegin(); it != c.cend(); ++it) {
            const mainform::TwipRect &r = it.value();
            EXPECT_LE(r.right(), l.formWidth) << it.key().toStdString();
            const bool inPanel = r.left >= c[QStringLiteral("Command9")].left;
            if (inPanel) {
                EXPECT_GT(r.left, chartRight) << it.key().toStdString();
                EXPECT_LE(r.bottom(), gridTop) << it.key().toStdString();
            }
        }
        // Rows of the panel never share their height with another control of the same column.
        const char *column[] = {"ComHozon", "cmdYoteiIchiran", "ComKensaku", "ComPlanDataRefresh", "ComKakutei", "ComYotei"};
        for (size_t i = 0; i + 1 < std::size(column); ++i)
            EXPECT_LE(c[QLatin1String(column[i])].bottom(), c[QLatin1String(column[i + 1])].top) << column[i];
    }
}

} // namespace
