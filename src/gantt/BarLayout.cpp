#include "gantt/BarLayout.h"

#include "plan/PlanRecord.h"
#include "common/PlantValues.h"

#include <algorithm>

namespace {

constexpr RgbColor NoDueDate{192, 192, 192};
constexpr RgbColor Late{255, 96, 96};
constexpr RgbColor Early{128, 255, 255};
constexpr RgbColor NearDue{255, 255, 128};
constexpr RgbColor TentativeText{0, 0, 255};
constexpr RgbColor PlainText{0, 0, 0};

// Successive lots of a row are staggered by -45 … +45 twips in a cycle of seven.
qint64 staggerOffset(qint64 index)
{
    const qint64 cycle = ((index % 7) + 7) % 7;
    return (cycle - 3) * 15;
}

bool instructionIssued(const QString &issueDate)
{
    const QString text = issueDate.trimmed();
    return !text.isEmpty() && text != QStringLiteral("00000000");
}

// Position along the time axis, colours, caption, sizes and overlay: everything but the
// surface and the height.
void layOutAlongAxis(BarGeometry &bar, const PlanRecord &record, const TimeScale &scale, const BarOptions &options)
{
    const qint64 left = scale.planTimeToX(record.StartDate, record.StartTime, bar.surface);
    const qint64 right = record.EndDate.isValid()
                             ? scale.planTimeToX(record.EndDate, record.EndTime, bar.surface)
                             : left;
    bar.left = left;
    bar.background = barBackground(record);
    bar.text = barTextColor(record, options.markTentative);
    bar.bold = record.MembersWritten != 0;
    bar.caption = barCaption(record, options.showMold);
    bar.width = bar.surface == ChartSurface::Strip ? StripBarWidth : std::max(right - left, MinimumBarWidth);
    bar.visible = true;

    bar.overlayWidth = 0;
    if (record.Quantity != 0) {
        const double share = double(bar.width - 2 * OverlayInset) * double(record.ReceivedQty) / double(record.Quantity);
        if (share > 0)
            bar.overlayWidth = std::min(plant::roundHalfEven(share), bar.width - 2 * OverlayInset);
    }
    bar.overlayVisible = bar.overlayWidth > 0;
}

} // namespace

RgbColor barBackground(const PlanRecord &record)
{
    const QDate &due = record.InitialDueDate;
    if (!due.isValid())
        return NoDueDate;
    if (record.EndDate > due)
        return Late;
    if (record.EndDate < due.addDays(-3))
        return Early;
    return NearDue;
}

RgbColor barTextColor(const PlanRecord &record, bool markTentative)
{
    return markTentative && !record.isConfirmed() ? TentativeText : PlainText;
}

QString barCaption(const PlanRecord &record, bool showMold)
{
    QString caption;
    caption.reserve(64);
    if (instructionIssued(record.InstructionIssueDate))
        caption += QStringLiteral("●");
    caption += record.ItemCode.trimmed();
    caption += QLatin1Char(' ');
    caption += record.DisplayItemName.trimmed();
    caption += QStringLiteral("\r\n");
    caption += record.ProcessName.trimmed();
    caption += QLatin1Char(' ');
    if (record.ReceivedQty != 0) {
        caption += QString::number(record.ReceivedQty);
        caption += QLatin1Char('(');
        if (record.LastActualDate.isValid())
            caption += record.LastActualDate.toString(QStringLiteral("M/d"));
        caption += QStringLiteral(")/");
    }
    caption += QString::number(record.Quantity);
    caption += QLatin1Char(' ');
    caption += record.PlanNoText;
    if (showMold) {
        caption += QLatin1Char(' ');
        caption += record.MoldShortName;
    }
    return caption;
}

BarGeometry layoutBar(const PlanRecord &record, qint64 index, double rowTop, const TimeScale &scale,
                      const BarOptions &options, bool wasOnStrip)
{
    BarGeometry bar;
    if (record.Active <= 0) {
        // Merged into another lot: no bar, on the chart or on the strip.
        return bar;
    }
    if (record.DetailMark != 0) {
        bar.onStrip = wasOnStrip;
        return bar;
    }
    const bool onStrip = rowTop < StripRowLimit;
    bar.surface = onStrip ? ChartSurface::Strip : ChartSurface::Main;
    bar.onStrip = onStrip;
    bar.top = qint64(rowTop) + staggerOffset(index) - (onStrip ? StripLift : 0);
    layOutAlongAxis(bar, record, scale, options);
    return bar;
}

BarGeometry relayoutBarInPlace(const PlanRecord &record, const BarGeometry &previous, const TimeScale &scale,
                               const BarOptions &options)
{
    BarGeometry bar = previous;
    if (record.DetailMark != 0 || record.Active <= 0) {
        bar.visible = false;
        bar.overlayVisible = false;
        return bar;
    }
    layOutAlongAxis(bar, record, scale, options);
    return bar;
}
