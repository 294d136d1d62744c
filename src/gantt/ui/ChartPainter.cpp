#include "gantt/ui/ChartPainter.h"

#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"
#include "gantt/GanttChart.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Twips = TwipsPerPixel;
const QColor OutsideSurface(176, 176, 176);
const QColor SurfaceBackground(255, 255, 255);
const QColor StripBackground(248, 248, 240);
const QColor Shading(212, 212, 212);
const QColor BorderLine(150, 150, 150);
const QColor BarFrame(80, 80, 80);
const QColor Overlay(96, 200, 120);
const QColor ConflictMark(220, 0, 0);
const QColor LoadCalm(150, 200, 235);
const QColor LoadWarm(245, 175, 40);
const QColor LoadOver(225, 30, 30);

// The load strip lies in the free lower part of a machine row, under its bars.
constexpr double LoadStripTop = ChartRows::BarHeight + 45;
constexpr double LoadStripHeight = 90;
// The hatched frame around a bar in conflict, outside the bar so its colours stay readable.
constexpr int ConflictFrame = 3;

// Caption lines inside a bar: small enough for two lines in a 20-pixel bar.
constexpr int CaptionPixelSize = 9;
constexpr int CaptionFirstBaseline = 9;
constexpr int CaptionLineStep = 9;
// Bars narrower than this show their colour without a frame (a frame would hide it).
constexpr int MinimumFramedWidth = 5;
// Bars narrower than this show no caption: two or three characters tell nothing.
constexpr int CaptionMinimumWidth = 24;

QColor colorOf(const RgbColor &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

int toPixel(double twips, double origin)
{
    return int(std::floor((twips - origin) / Twips));
}

} // namespace

ChartPainter::ChartPainter(const GanttChart &chart) : m_chart(chart)
{
    m_font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
    m_font.setPixelSize(CaptionPixelSize);
    m_font.setHintingPreference(QFont::PreferFullHinting);
    // Captions are plain Japanese and Latin text: glyphs straight from the character map paint
    // faster, and a PDF of the chart can turn every glyph back into its character.
    m_font.setStyleStrategy(QFont::PreferNoShaping);
    m_boldFont = m_font;
    m_boldFont.setBold(true);
}

void ChartPainter::paintMainSurface(QPainter &painter, QSize size, double x0, double y0)
{
    const TimeScale &scale = m_chart.scale();
    const int surfaceLeft = std::clamp(toPixel(scale.scaleLeft(), x0), 0, size.width());
    const int surfaceRight = std::clamp(toPixel(scale.scaleRight(), x0), surfaceLeft, size.width());
    painter.fillRect(QRect(0, 0, surfaceLeft, size.height()), OutsideSurface);
    painter.fillRect(QRect(surfaceLeft, 0, surfaceRight - surfaceLeft, size.height()), SurfaceBackground);
    painter.fillRect(QRect(surfaceRight, 0, size.width() - surfaceRight, size.height()), OutsideSurface);
    paintShading(painter, size, x0, y0);
    paintVerticalLines(painter, size, x0);
    paintBorders(painter, size, x0, y0);
    paintLoadStrips(painter, size, x0, y0);
    paintBars(painter, ChartSurface::Main, x0, x0 + size.width() * Twips, y0, y0 + size.height() * Twips);
}

void ChartPainter::paintShading(QPainter &painter, QSize size, double x0, double y0)
{
    const ChartRows &rows = m_chart.rows();
    const CalendarShading &shading = m_chart.shading();
    const double x1 = x0 + size.width() * Twips;
    const double y1 = y0 + size.height() * Twips;
    for (int row = 1; row <= rows.count(); ++row) {
        const double bottom = rows.row(row).lowerBoundary;
        if (bottom <= y0 || bottom - ChartRows::RowHeight >= y1)
            continue;
        const auto [begin, end] = shading.rowBoxesIn(row, x0, x1);
        for (const ShadingBox *box = begin; box != end; ++box) {
            const int left = toPixel(double(box->left), x0);
            const int top = toPixel(double(box->top), y0);
            painter.fillRect(QRect(left, top, std::max(1, toPixel(double(box->right()), x0) - left),
                                   int(box->height / qint64(Twips))),
                             Shading);
        }
    }
}

void ChartPainter::paintVerticalLines(QPainter &painter, QSize size, double x0)
{
    const CalendarLines &lines = m_chart.calendarLines();
    const double x1 = x0 + size.width() * Twips;
    const auto draw = [&](const std::vector<VerticalLine> &list) {
        auto line = std::lower_bound(list.begin(), list.end(), x0,
                                     [](const VerticalLine &l, double x) { return double(l.x) < x; });
        for (; line != list.end() && double(line->x) < x1; ++line) {
            const int x = toPixel(double(line->x), x0);
            painter.fillRect(QRect(x, 0, 1, size.height()), colorOf(line->color));
        }
    };
    draw(lines.hourLines);
    draw(lines.dayLines);
}

void ChartPainter::paintBorders(QPainter &painter, QSize size, double x0, double y0)
{
    const BorderLines &borders = m_chart.borderLines();
    const int left = std::max(0, toPixel(double(borders.left), x0));
    const int right = std::min(size.width(), toPixel(double(borders.right), x0));
    if (right <= left)
        return;
    for (qint64 height : borders.heights) {
        const int y = toPixel(double(height), y0);
        if (y >= 0 && y < size.height())
            painter.fillRect(QRect(left, y, right - left, 1), BorderLine);
    }
}

void ChartPainter::paintBars(QPainter &painter, ChartSurface surface, double x0, double x1, double y0, double y1)
{
    m_chart.barsIn(surface, x0, x1, y0, y1, m_visible);
    const int barHeight = int(PlanBarHeight / qint64(Twips));
    const int inset = int(OverlayInset / qint64(Twips));
    const QRect clipArea(0, 0, int((x1 - x0) / Twips), int((y1 - y0) / Twips));
    // A painter that already clips (a printed page's chart area) keeps its clip around the
    // captions; the window's painter clips nothing of its own and is spared saving its state.
    const bool keepClip = painter.hasClipping();
    bool bold = false;
    painter.setFont(m_font);
    for (qint64 index : m_visible) {
        const BarGeometry &bar = m_chart.bar(index);
        const int left = toPixel(double(bar.left), x0);
        const int top = toPixel(double(bar.top), y0);
        const int width = std::max(1, toPixel(double(bar.right()), x0) - left);
        // The frame and the face are filled rather than stroked: filling is the raster
        // engine's fastest path, and a frame needs no more.
        const QRect rect(left, top, width, barHeight);
        if (m_marks && m_marks->barMarked(index))
            paintConflictMark(painter, rect);
        if (width < MinimumFramedWidth) {
            slivers(bar.background).push_back(rect);
            continue;
        }
        painter.fillRect(rect, BarFrame);
        painter.fillRect(rect.adjusted(1, 1, -1, -1), colorOf(bar.background));
        if (bar.overlayVisible) {
            const int overlayWidth = std::clamp(int(bar.overlayWidth / qint64(Twips)), 1, width - 2);
            painter.fillRect(QRect(left + inset, top + inset, overlayWidth, barHeight - 2 * inset), Overlay);
        }
        if (width < CaptionMinimumWidth)
            continue;
        // The caption stays inside its bar; the part of the bar out of view needs no text.
        const QRect textRect = rect.adjusted(2, 0, -1, 0).intersected(clipArea);
        if (textRect.isEmpty())
            continue;
        if (bold != bar.bold) {
            bold = bar.bold;
            painter.setFont(bold ? m_boldFont : m_font);
        }
        painter.setPen(colorOf(bar.text));
        if (keepClip) {
            painter.save();
            painter.setClipRect(textRect, Qt::IntersectClip);
        } else {
            painter.setClipRect(textRect);
        }
        const qsizetype breakAt = bar.caption.indexOf(QLatin1String("\r\n"));
        const int textLeft = left + 2;
        painter.drawText(QPoint(textLeft, top + CaptionFirstBaseline), breakAt < 0 ? bar.caption : bar.caption.left(breakAt));
        if (breakAt >= 0)
            painter.drawText(QPoint(textLeft, top + CaptionFirstBaseline + CaptionLineStep), bar.caption.mid(breakAt + 2));
        if (keepClip)
            painter.restore();
        else
            painter.setClipping(false);
    }
    paintSlivers(painter);
}

void ChartPainter::paintConflictMark(QPainter &painter, const QRect &bar)
{
    const QRect outer = bar.adjusted(-ConflictFrame, -ConflictFrame, ConflictFrame, ConflictFrame);
    const QBrush hatch(ConflictMark, Qt::BDiagPattern);
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), ConflictFrame), hatch);
    painter.fillRect(QRect(outer.left(), bar.bottom() + 1, outer.width(), ConflictFrame), hatch);
    painter.fillRect(QRect(outer.left(), bar.top(), ConflictFrame, bar.height()), hatch);
    painter.fillRect(QRect(bar.right() + 1, bar.top(), ConflictFrame, bar.height()), hatch);
    painter.setPen(ConflictMark);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
}

void ChartPainter::paintLoadStrips(QPainter &painter, QSize size, double x0, double y0)
{
    if (!m_marks)
        return;
    const ChartRows &rows = m_chart.rows();
    const WorkCalendar &calendar = m_chart.calendar();
    const TimeScale &scale = m_chart.scale();
    const auto dayLeft = [&](qint64 day) {
        return toPixel(double(scale.planTimeToX(calendar.dateOf(day), calendar.dayStart(), ChartSurface::Main)), x0);
    };
    const double y1 = y0 + size.height() * Twips;
    for (int row = 2; row <= rows.lastMachineRow(); ++row) {
        const double top = rows.row(row).top + LoadStripTop;
        if (top + LoadStripHeight <= y0 || top >= y1)
            continue;
        const int pixelTop = toPixel(top, y0);
        const int height = int(LoadStripHeight / Twips);
        for (qint64 day = 0; day <= calendar.periodDays(); ++day) {
            const int left = dayLeft(day);
            const int right = dayLeft(day + 1);
            if (right <= 0 || left >= size.width())
                continue;
            QColor colour;
            switch (loadBand(m_marks->loadPercent(row, day))) {
            case LoadBand::None: continue;
            case LoadBand::Calm: colour = LoadCalm; break;
            case LoadBand::Warm: colour = LoadWarm; break;
            case LoadBand::Over: colour = LoadOver; break;
            }
            // A pixel's gap between days keeps each day a cell of its own.
            painter.fillRect(QRect(left + 1, pixelTop, std::max(1, right - left - 1), height), colour);
        }
    }
}

std::pair<int, qint64> ChartPainter::loadStripAt(QPoint pixel, double x0, double y0) const
{
    if (!m_marks)
        return {0, 0};
    const double y = y0 + pixel.y() * Twips;
    const ChartRows &rows = m_chart.rows();
    for (int row = 2; row <= rows.lastMachineRow(); ++row) {
        const double top = rows.row(row).top + LoadStripTop;
        if (y < top || y >= top + LoadStripHeight)
            continue;
        const WorkCalendar &calendar = m_chart.calendar();
        const TimeScale &scale = m_chart.scale();
        const double x = x0 + pixel.x() * Twips;
        for (qint64 day = 0; day <= calendar.periodDays(); ++day)
            if (double(scale.planTimeToX(calendar.dateOf(day + 1), calendar.dayStart(), ChartSurface::Main)) > x)
                return {row, day};
    }
    return {0, 0};
}

std::vector<QRect> &ChartPainter::slivers(const RgbColor &colour)
{
    for (Slivers &group : m_slivers)
        if (group.colour == colour)
            return group.rects;
    m_slivers.push_back({colour, {}});
    return m_slivers.back().rects;
}

void ChartPainter::paintSlivers(QPainter &painter)
{
    // Bars a few pixels wide show only their colour; a frame's worth of detail cannot be seen
    // there, so they are filled together, one call per colour.
    painter.setPen(Qt::NoPen);
    for (Slivers &group : m_slivers) {
        if (group.rects.empty())
            continue;
        painter.setBrush(colorOf(group.colour));
        painter.drawRects(group.rects.data(), int(group.rects.size()));
        group.rects.clear();
    }
    painter.setBrush(Qt::NoBrush);
}

void ChartPainter::paintHeaderCaptions(QPainter &painter, QSize size, double x0)
{
    const std::vector<DayCaption> &captions = m_chart.headerCaptions();
    const double x1 = x0 + size.width() * Twips;
    QFont font = m_font;
    font.setPixelSize(11);
    painter.setFont(font);
    // Captions stand at their left edge; one that starts just left of the view still shows.
    const double from = x0 - 1500;
    auto caption = std::lower_bound(captions.begin(), captions.end(), from,
                                    [](const DayCaption &c, double x) { return double(c.x) < x; });
    for (; caption != captions.end() && double(caption->x) < x1; ++caption) {
        painter.setPen(colorOf(caption->color));
        painter.drawText(QPoint(toPixel(double(caption->x), x0) + 2, 11), caption->text);
    }
}

void ChartPainter::paintStrip(QPainter &painter, QSize size, double x0)
{
    const TimeScale &scale = m_chart.scale();
    painter.fillRect(QRect(QPoint(0, 0), size), StripBackground);
    // Day lines at the strip's own scale so its lots can be read against the dates, and each
    // day's date along the bottom, under the bars: month and day where the day has room, the
    // day alone where it has not, coloured as the date header colours it.
    const QDate first = scale.periodStart();
    const double dayWidth = scale.stripHourWidth() * 24;
    if (dayWidth <= 0) {
        paintBars(painter, ChartSurface::Strip, x0, x0 + size.width() * Twips, 0, size.height() * Twips);
        return;
    }
    QFont font = m_font;
    font.setPixelSize(9);
    const QFontMetrics metrics(font);
    const int dayPixels = int(dayWidth / Twips);
    std::vector<std::pair<int, QDate>> days;
    for (qint64 day = qint64(std::floor(x0 / dayWidth));; ++day) {
        const int x = toPixel(double(scale.xOfMinutes(double(day * 1440), ChartSurface::Strip)), x0);
        if (x >= size.width())
            break;
        days.emplace_back(x, first.addDays(day));
        if (x >= 0)
            painter.fillRect(QRect(x, 0, 1, size.height()), colorOf(dayLineColor(days.back().second)));
    }
    paintBars(painter, ChartSurface::Strip, x0, x0 + size.width() * Twips, 0, size.height() * Twips);
    painter.setFont(font);
    for (const auto &[x, date] : days) {
        const QString monthDay = date.toString(QStringLiteral("M/d"));
        painter.setPen(colorOf(dayCaptionColor(date)));
        painter.drawText(QPoint(x + 2, size.height() - 3),
                         metrics.horizontalAdvance(monthDay) + 4 <= dayPixels ? monthDay : QString::number(date.day()));
    }
}
