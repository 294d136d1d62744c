#include "app/MainFormLayout.h"

namespace mainform {

namespace {
// Design geometry of the chart column (twips).
constexpr qint64 kMargin = 60;
constexpr qint64 kTopBarHeight = 375;
constexpr qint64 kStripTop = 480;
constexpr qint64 kStripHeight = 660;
constexpr qint64 kChartTop = kStripTop + kStripHeight + 60;
constexpr qint64 kRowHeight = 600;
constexpr qint64 kFirstRowTop = 240;
constexpr qint64 kChartHeight = kFirstRowTop + kRowLabels * kRowHeight + 60;
constexpr qint64 kScrollBarSize = 255;
constexpr qint64 kChartLeft = 1145;       // the row labels sit left of it
constexpr qint64 kGridLeft = 120;
constexpr qint64 kGridTop = kChartTop + kChartHeight + kScrollBarSize + 120;
constexpr qint64 kGridMinimumHeight = 1500;
constexpr qint64 kGridBottomGap = 615;
constexpr qint64 kRightGap = 240;

// Side panel: three columns (labels, inputs, buttons) measured from the right edge.
constexpr qint64 kLabelColumn = 3840;
constexpr qint64 kInputColumn = 2640;
constexpr qint64 kButtonColumn = 1440;
constexpr qint64 kLineHeight = 330;
constexpr qint64 kButtonHeight = 375;
constexpr qint64 kStep = 405;

// The width that the right-anchored positions are computed from: at or below the minimum
// window width the design positions of a 19200-twip window hold.
qint64 anchorWidth(qint64 formWidth)
{
    return formWidth <= kMinimumFormWidth ? 19200 : formWidth;
}
} // namespace

qint64 gridTop()
{
    return kGridTop;
}

qint64 minimumFormHeight()
{
    return kGridTop + kGridMinimumHeight;
}

QString rowLabelName(int slot)
{
    return QStringLiteral("MachineName(%1)").arg(slot);
}

Layout compute(qint64 formWidth, qint64 formHeight)
{
    Layout layout;
    layout.formWidth = std::max(formWidth, kMinimumFormWidth);
    layout.formHeight = std::max(formHeight, minimumFormHeight());
    const qint64 F = anchorWidth(formWidth);
    const qint64 H = layout.formHeight;
    auto &c = layout.controls;

    // Chart column.
    const qint64 chartWidth = F - 5385;
    const qint64 scrollLeft = F - 4240;
    c[QStringLiteral("KTbun")] = {kMargin, kMargin, 3000, kTopBarHeight};
    c[QStringLiteral("DayDispArea")] = {3180, kMargin, 2700, kTopBarHeight};
    c[QStringLiteral("Text1")] = {6000, kMargin, 2100, kTopBarHeight};
    c[QStringLiteral("Command4")] = {8220, kMargin, 1800, kTopBarHeight};
    c[QStringLiteral("LblStrip")] = {kMargin, kStripTop, kChartLeft - kMargin - 30, kStripHeight};
    c[QStringLiteral("Picture2")] = {kChartLeft, kStripTop, chartWidth, kStripHeight};
    c[QStringLiteral("Picture1")] = {kChartLeft, kChartTop, chartWidth, kChartHeight};
    c[QStringLiteral("KScroll")] = {scrollLeft, kChartTop, kScrollBarSize, kChartHeight};
    c[QStringLiteral("HScroll1")] = {kChartLeft, kChartTop + kChartHeight, chartWidth, kScrollBarSize};
    // Each label faces its row's band: the row's top less the half gap above a bar.
    for (int slot = 1; slot <= kRowLabels; ++slot)
        c[rowLabelName(slot)] = {kMargin, kChartTop + kFirstRowTop - 150 + (slot - 1) * kRowHeight,
                                 kChartLeft - kMargin - 30, kRowHeight - 15};

    // Plan grid: the full width below the chart, down to the window's bottom.
    c[QStringLiteral("PlanDataGrid")] = {kGridLeft, kGridTop, layout.formWidth - kGridLeft - kRightGap,
                                         H - kGridTop - kGridBottomGap};

    // Side panel.
    const qint64 labelLeft = F - kLabelColumn;
    const qint64 inputLeft = F - kInputColumn;
    const qint64 buttonLeft = F - kButtonColumn;
    const qint64 panelRight = F - kRightGap;
    qint64 y = kMargin;
    auto button = [&](const char *name) {
        c[QLatin1String(name)] = {buttonLeft, y, kButtonColumn - kRightGap, kButtonHeight};
        y += kStep + 45;
    };
    auto field = [&](const char *label, const char *input) {
        c[QLatin1String(label)] = {labelLeft, y, kLabelColumn - kInputColumn, kLineHeight};
        c[QLatin1String(input)] = {inputLeft, y, panelRight - inputLeft, kLineHeight};
        y += kStep;
    };
    auto heading = [&](const char *label, const char *line) {
        y += 75;
        c[QLatin1String(label)] = {labelLeft, y, panelRight - labelLeft, 300};
        c[QLatin1String(line)] = {labelLeft, y + 300, panelRight - labelLeft, 15};
        y += 390;
    };

    c[QStringLiteral("Command9")] = {labelLeft, y, 1080, kButtonHeight};
    button("ComHozon");
    button("cmdYoteiIchiran");

    heading("LblBarSearch", "LineBarSearch");
    field("LblKCode", "KCode");
    field("LblKName", "KName");
    button("ComKensaku");

    heading("LblListSearch", "LineListSearch");
    field("LblSerchPartID", "TxtSerchPartID");
    field("LblSerchHinmei", "TxtSerchHinmei");
    field("LblSerchKanagataBango", "TxtSerchKanagataBango");
    field("LblPlanHyouji", "CheckPlanHyouji");
    field("LblMachine", "CmbMachine");
    button("ComPlanDataRefresh");

    heading("LblKakutei", "LineKakutei");
    field("LblKakuteiMachine", "CmbKakuteiMachine");
    c[QStringLiteral("LblKakuteiNouki")] = {labelLeft, y, kLabelColumn - kInputColumn, kLineHeight};
    c[QStringLiteral("strYYMMDD")] = {inputLeft, y, (F - 1560) - inputLeft, kLineHeight};
    c[QStringLiteral("Label14")] = {F - 1560, y, 240, kLineHeight};
    c[QStringLiteral("endYYMMDD")] = {F - 1320, y, panelRight - (F - 1320), kLineHeight};
    y += kStep;
    button("ComKakutei");
    button("ComYotei");
    return layout;
}

} // namespace mainform
