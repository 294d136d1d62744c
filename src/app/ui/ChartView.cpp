#include "app/ui/ChartView.h"

#include "app/MainFormLayout.h"
#include "plan/RunContext.h"
#include "app/ui/ChartWheel.h"
#include "app/ui/MainForm.h"
#include "calendar/DateEntry.h"
#include "common/PlantValues.h"
#include "plan/Prompter.h"
#include "plan/ChartRows.h"
#include "session/PlanSession.h"
#include "gantt/RowScroll.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

ChartView::ChartView(MainForm &form)
    : QObject(&form), m_form(form), m_chart(form.plan().store(), form.plan().rows(), form.plan().calendar())
{
    m_main = new ChartSurfaceWidget(m_chart, ChartSurface::Main);
    m_strip = new ChartSurfaceWidget(m_chart, ChartSurface::Strip);
    form.installChartViewport(m_main);
    form.installStripViewport(m_strip);

    connect(form.hScroll1(), &QScrollBar::valueChanged, this, [this](int value) { m_chart.setScrollValue(value); });
    connect(form.kScroll(), &QScrollBar::valueChanged, this, &ChartView::showRowLabels);
    connect(form.command4(), &QPushButton::clicked, &m_chart, &GanttChart::cycleMode);
    connect(&m_chart, &GanttChart::layoutChanged, this, &ChartView::showAxis);
    new ChartWheel(m_main, m_chart, form.kScroll(), form.hScroll1());
    // The first-day box takes a typed date (the date entry rules, or the long form it shows)
    // and scrolls the chart to that day.
    QLineEdit *day = form.dayDispArea();
    day->setReadOnly(false);
    connect(day, &QLineEdit::returnPressed, this, [this, day] {
        QString typed = day->text();
        typed.replace(u'年', u'/').replace(u'月', u'/').remove(u'日');
        const QString date = ReadBoxDate(typed, QDate::currentDate());
        if (date.isEmpty()) {
            m_form.prompter().inform(QStringLiteral("表示日付を正しく入力してください"));
            day->selectAll();
            return;
        }
        const qint64 x = m_chart.scale().planTimeToX(plant::dateFromText(date), m_chart.calendar().dayStart(),
                                                     ChartSurface::Main);
        // Rounded up to the pixel, so that the day itself is the first one seen.
        m_form.hScroll1()->setValue(int(std::ceil(double(x) / TwipsPerPixel)));
        showAxis();
    });
    // The labels' names are cut to the labels' width: a new width cuts them again.
    if (QLabel *label = form.machineName(1))
        label->installEventFilter(this);
}

void ChartView::layoutTimeAxis()
{
    const RunContext &context = m_form.context();
    const mainform::Layout layout = mainform::compute(qint64(m_form.width()) * TwipsPerPixel,
                                                      qint64(m_form.height()) * TwipsPerPixel);
    const double viewportWidth = double(layout.controls.value(QStringLiteral("Picture1")).width);
    const BarOptions options{context.MarkTentativeBars != 0, context.ShowMoldOnBars != 0};
    m_chart.setUp(viewportWidth, context.periodStartDate(), context.DayStartTime, options, context.GridUnitMinutes);
}

void ChartView::drawChart()
{
    m_chart.openAtWeek();
    if (const int requested = m_form.requestedDisplayMode(); requested >= 1 && requested <= 4)
        m_chart.showMode(displayModeFromNumber(requested));
    showRowLabels(m_form.kScroll()->value());
}

namespace {
// Bright green: unlike every due-date colour, the drag grey and the detail window's teal.
constexpr RgbColor SelectedColour{0, 255, 0};

// The size (pixels) a machine's name is written in when it does not fit the label's font; when
// it takes two lines even so, the code and the name's two lines are all written smaller still.
constexpr int NamePixels = 10;
constexpr int TwoLineNamePixels = 9;

// A name that does not fit `width` in one line, cut into two: the first line as long as fits,
// broken before a blank or an opening bracket where there is one, the second cut short with
// "…" if need be. One line when the metrics' smaller size lets it fit after all.
QStringList twoNameLines(const QString &name, const QFontMetrics &metrics, int width)
{
    int fits = 1;
    while (fits < name.size() && metrics.horizontalAdvance(name.left(fits + 1)) <= width)
        ++fits;
    if (fits >= name.size())
        return {name}; // the smaller size alone lets it fit
    for (int k = fits; k > 0; --k)
        if (name.at(k).isSpace() || name.at(k) == u'（' || name.at(k) == u'(') {
            fits = k;
            break;
        }
    return {name.left(fits).trimmed(), metrics.elidedText(name.mid(fits).trimmed(), Qt::ElideRight, width)};
}

// A row label, which always fits its row: the code, then the machine's name whole where it can
// be: in the label's font, else smaller, else smaller still over two lines; only a name too
// long for that is cut short with "…" (the whole caption is the label's tooltip).
QString rowLabelText(const QFont &font, int width, const QString &code, const QString &name)
{
    // Each line a block of its own size, so that small lines take only their own height.
    const auto line = [](const QString &text, int pixels) {
        return QStringLiteral("<div style=\"font-size:%1px; white-space:pre\">%2</div>").arg(pixels).arg(text.toHtmlEscaped());
    };
    QFont smaller = font;
    smaller.setPixelSize(NamePixels);
    const bool oneLine = QFontMetrics(smaller).horizontalAdvance(name) <= width;
    QFont codeFont = font;
    if (!oneLine)
        codeFont.setPixelSize(TwoLineNamePixels);
    QString text = line(QFontMetrics(codeFont).elidedText(code, Qt::ElideRight, width), QFontInfo(codeFont).pixelSize());
    if (QFontMetrics(font).horizontalAdvance(name) <= width)
        text += line(name, QFontInfo(font).pixelSize());
    else if (oneLine)
        text += line(name, NamePixels);
    else {
        smaller.setPixelSize(TwoLineNamePixels);
        for (const QString &part : twoNameLines(name, QFontMetrics(smaller), width))
            text += line(part, TwoLineNamePixels);
    }
    return text;
}
} // namespace

void ChartView::showPair(qint64 first, qint64 second)
{
    const PlanStore &store = m_form.planStore();
    if (std::min(first, second) < 2 || std::max(first, second) > store.lastIndex())
        return;
    for (const qint64 lot : {m_pair.first, m_pair.second})
        if (lot >= 2 && lot <= store.lastIndex())
            m_chart.layOutBar(lot, true);
    m_pair = {first, second};
    const PlanRecord &a = store[first];
    const PlanRecord &b = store[second];
    scrollToBars(std::min(m_chart.scale().planTimeToX(a.StartDate, a.StartTime, ChartSurface::Main),
                          m_chart.scale().planTimeToX(b.StartDate, b.StartTime, ChartSurface::Main)),
                 {first, second});
    // Coloured after scrolling, which may lay bars out again.
    for (const qint64 lot : {first, second})
        m_chart.setBarBackground(lot, SelectedColour);
}

void ChartView::showLot(qint64 lot)
{
    const PlanStore &store = m_form.planStore();
    if (lot < 2 || lot > store.lastIndex() || !m_chart.bar(lot).visible)
        return;
    if (m_chart.bar(lot).surface == ChartSurface::Strip) {
        selectOnStrip(lot);
        return;
    }
    if (m_selected != 0 && m_selected != lot && m_selected <= store.lastIndex())
        m_chart.layOutBar(m_selected, true);
    m_selected = lot;
    scrollToBars(m_chart.bar(lot).left, {lot});
    m_chart.setBarBackground(lot, SelectedColour);
}

void ChartView::scrollToBars(qint64 x, std::initializer_list<qint64> lots)
{
    // A little of the time before stays in view.
    m_form.hScroll1()->setValue(int(x / TwipsPerPixel) - 40);
    int topRow = 0;
    for (const qint64 lot : lots) {
        const BarGeometry &bar = m_chart.bar(lot);
        const int row = bar.surface == ChartSurface::Main ? m_chart.rowAtY(double(bar.top)) : 0;
        if (row >= 2)
            topRow = topRow == 0 ? row : std::min(topRow, row);
    }
    if (topRow >= 2)
        m_form.kScroll()->setValue(topRow - 2);
}

void ChartView::selectOnStrip(qint64 lot)
{
    const PlanStore &store = m_form.planStore();
    if (lot < 2 || lot > store.lastIndex())
        return;
    if (m_selected != 0 && m_selected != lot)
        m_chart.layOutBar(m_selected, true);
    m_selected = lot;
    // Laid out afresh, the bar lies on top of the strip's other bars.
    m_chart.layOutBar(lot);
    m_chart.setBarBackground(lot, SelectedColour);
    // The strip shows four weeks from the period start; a bar outside them is brought to the
    // middle of the strip, and a bar inside them shows the strip from the period start again.
    const BarGeometry &bar = m_chart.bar(lot);
    if (bar.visible && bar.surface == ChartSurface::Strip) {
        const double width = double(m_strip->width()) * TwipsPerPixel;
        const bool inHomeView = bar.left >= 0 && double(bar.right()) <= width;
        m_strip->setStripLeft(inHomeView ? 0.0 : double(bar.left) - (width - double(bar.width)) / 2);
    }
    const PlanRecord &record = store[lot];
    const qint64 x = m_chart.scale().planTimeToX(record.StartDate, record.StartTime, ChartSurface::Main);
    m_form.hScroll1()->setValue(int(x / TwipsPerPixel));
}

void ChartView::showAxis()
{
    const ChartAxis &axis = m_chart.axis();
    QScrollBar *bar = m_form.hScroll1();
    {
        const QSignalBlocker blocker(bar);
        bar->setRange(int(axis.scrollMinimum()), int(axis.scrollMaximum()));
        bar->setSingleStep(std::max(1, int(std::lround(axis.scale().hourWidth() / TwipsPerPixel))));
        bar->setPageStep(std::max(1, m_main->width()));
        bar->setValue(int(axis.scrollValue()));
    }
    m_form.text1()->setText(axis.modeCaption());
    m_form.dayDispArea()->setText(axis.firstVisibleDayText());
}

bool ChartView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_form.machineName(1))
        showRowLabels(m_form.kScroll()->value());
    return QObject::eventFilter(watched, event);
}

void ChartView::showRowLabels(int firstRow)
{
    const ChartRows &rows = m_chart.rows();
    RowScroll scroll(rows.count());
    scroll.setValue(firstRow);
    for (int slot = 1; slot <= ChartRows::LabelCount; ++slot) {
        QLabel *label = m_form.machineName(slot);
        if (!label)
            continue;
        label->setTextFormat(Qt::RichText);
        label->setText(rowLabelText(label->font(), label->contentsRect().width(), scroll.labelCode(rows, slot),
                                    scroll.labelName(rows, slot)));
        label->setToolTip(scroll.labelCaption(rows, slot));
    }
    m_main->setRowScroll(scroll.value());
}
