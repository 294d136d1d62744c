#include "app/MainFormLayout.h"

#include <gtest/gtest.h>

namespace {

// The grid below the chart follows the window's height one for one, and a window too low for
// it is made taller rather than squeezing the grid away.
TEST(MainFormLayout, GridFollowsTheHeightAndKeepsItsRoom)
{
    const auto grid = [](qint64 height) {
        return mainform::compute(24000, height).controls[QStringLiteral("PlanDataGrid")];
    };
    EXPECT_EQ(grid(16000).height - grid(15000).height, 1000);
    EXPECT_EQ(grid(16000).top, grid(15000).top);

    const mainform::Layout low = mainform::compute(24000, 3000);
    const mainform::TwipRect lowGrid = low.controls[QStringLiteral("PlanDataGrid")];
    EXPECT_GT(low.formHeight, 3000);
    EXPECT_GT(lowGrid.height, 0);
    EXPECT_LE(lowGrid.bottom(), low.formHeight);
    EXPECT_EQ(mainform::compute(24000, 2000).formHeight, low.formHeight);
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
