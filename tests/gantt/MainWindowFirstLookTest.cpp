// The main window over a demo plant as a new planner first meets it: the chart scrolled to its
// last row keeps its date header, the bulk confirmation says what it did, and the plan list and
// the chart select each other.

#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "app/ui/ChartView.h"
#include "editing/LotRules.h"
#include "editing/PlanKakutei.h"
#include "persist/SaveChecks.h"
#include "gantt/PlanGridColumns.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "editing/ui/PlanDataGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>

namespace {

class MainWindowFirstLook : public DemoMainWindowTest
{
protected:
    void shoot(const QString &name) { keepScreenshot(*form, name + QStringLiteral(".png")); }
    QPushButton *button(const char *name) { return form->findChild<QPushButton *>(QLatin1String(name)); }
};

TEST_F(MainWindowFirstLook, HeaderStaysAtTheLastRow)
{
    openDemo(100, QDate(2026, 12, 7));
    shoot(QStringLiteral("main-start"));
    EXPECT_EQ(form->dayDispArea()->text(), QStringLiteral("2026年12月7日"));
    ChartSurfaceWidget *surface = editing->chartView().mainSurface();
    const int header = int(ChartRows::FirstTop) / 15;
    const QImage atTop = surface->grab().toImage().copy(0, 0, surface->width(), header);
    form->kScroll()->setValue(form->kScroll()->maximum());
    ASSERT_GT(form->kScroll()->value(), 0);
    EXPECT_EQ(surface->grab().toImage().copy(0, 0, surface->width(), header), atTop);
    shoot(QStringLiteral("main-last-row"));
}

TEST_F(MainWindowFirstLook, FirstClickOnTheModeButtonChangesTheMode)
{
    openDemo(20, QDate(2026, 12, 7));
    form->dayDispArea()->setFocus();
    EXPECT_EQ(form->text1()->text(), QStringLiteral("１週間表示モード"));
    QTest::mouseClick(form->command4(), Qt::LeftButton);
    EXPECT_EQ(form->text1()->text(), QStringLiteral("４週間表示モード"));
}

TEST_F(MainWindowFirstLook, BulkConfirmationRefusesATypoAndAsksWithTheCountFirst)
{
    openDemo(60, QDate(2026, 12, 7));
    auto *from = form->findChild<QLineEdit *>(QStringLiteral("strYYMMDD"));
    auto *to = form->findChild<QLineEdit *>(QStringLiteral("endYYMMDD"));
    const PlanStore &store = form->planStore();
    const auto states = [&] {
        QString out;
        for (qint64 lot = 2; lot <= store.lastIndex(); ++lot)
            out += store[lot].ConfirmState;
        return out;
    };
    const QString before = states();

    // A box that holds no date is named, and nothing changes (it used to become today).
    const struct
    {
        const char *from, *to;
        QString message;
        QLineEdit *focus;
    } typos[] = {{"abc", "", kakutei::BadFirstDue, from}, {"", "2026/02/30", kakutei::BadLastDue, to}};
    for (const auto &typo : typos) {
        prompter.clear();
        from->setText(QString::fromLatin1(typo.from));
        to->setText(QString::fromLatin1(typo.to));
        QTest::mouseClick(button("ComKakutei"), Qt::LeftButton);
        EXPECT_EQ(prompter.texts(), QStringList{typo.message});
        EXPECT_EQ(QApplication::focusWidget(), typo.focus);
        EXPECT_EQ(states(), before);
        EXPECT_FALSE(editing->undoAction()->isEnabled());
    }

    prompter.clear();
    from->setText(QStringLiteral("2099/01/01"));
    to->setText(QStringLiteral("2099/12/31"));
    QTest::mouseClick(button("ComKakutei"), Qt::LeftButton);
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("該当する計画はありません"));
    EXPECT_TRUE(prompter.said().empty());

    // Every field empty: every lot of the chart, asked first with the count, No pre-selected.
    from->clear();
    to->clear();
    qint64 tentative = 0;
    for (qint64 lot = 2; lot <= store.lastIndex(); ++lot)
        tentative += store[lot].ConfirmState != QLatin1String("2") && store[lot].Active > 0 ? 1 : 0;
    ASSERT_GT(tentative, 0);
    const QString question = QStringLiteral("機械：全機械　納期：指定なし～指定なし\n%1件を確定します。よろしいですか？").arg(tentative);
    prompter.expectAnswer(false);
    QTest::mouseClick(button("ComKakutei"), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), QStringList{question});
    EXPECT_FALSE(prompter.said().back().defaultYes);
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("確定を取りやめました"));
    EXPECT_EQ(states(), before);

    prompter.expectAnswer(true);
    QTest::mouseClick(button("ComKakutei"), Qt::LeftButton);
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("%1件を確定しました").arg(tentative));
}

TEST_F(MainWindowFirstLook, PackingARowAndSavingSayWhatTheyDidInTheStatusBar)
{
    openDemo(60, QDate(2026, 12, 7));
    const PlanStore &store = form->planStore();
    const auto placesOf = [&] {
        std::vector<std::pair<QString, QDateTime>> places;
        for (qint64 lot = 2; lot <= store.lastIndex(); ++lot)
            places.emplace_back(store[lot].MachineCode, lots::startInstant(store[lot]));
        return places;
    };
    const auto before = placesOf();
    const qint64 conflictsBefore = form->plan().watch().conflicts().count();

    prompter.expectAnswer(true); // 計画の展開
    QTest::mouseDClick(form->machineName(2), Qt::LeftButton);
    const auto after = placesOf();
    qint64 moved = 0;
    for (size_t k = 0; k < before.size(); ++k)
        moved += before[k] != after[k] ? 1 : 0;
    ASSERT_GT(moved, 0) << "the demo's first machine has lots to pack";
    const qint64 conflictsAfter = form->plan().watch().conflicts().count();
    QStringList line;
    if (moved > 1)
        line.append(QStringLiteral("%1件の日時・機械が変わりました").arg(moved));
    if (conflictsAfter != conflictsBefore)
        line.append(QStringLiteral("重複 %1件→%2件").arg(conflictsBefore).arg(conflictsAfter));
    EXPECT_EQ(form->statusBar()->currentMessage(), line.join(QStringLiteral("。")));
    shoot(QStringLiteral("packed-status"));

    if (moldOverlapCount(store) > 0)
        prompter.expectAnswer(true);
    QTest::mouseClick(form->comHozon(), Qt::LeftButton);
    EXPECT_FALSE(form->comHozon()->isEnabled());
    EXPECT_TRUE(form->statusBar()->currentMessage().startsWith(QStringLiteral("保存しました（")))
        << form->statusBar()->currentMessage().toStdString();
}

TEST_F(MainWindowFirstLook, TheFirstDayBoxTakesATypedDayAndScrollsThere)
{
    openDemo(60, QDate(2026, 12, 7));
    QLineEdit *day = form->dayDispArea();
    const auto type = [&](const QString &text) {
        day->selectAll();
        QTest::keyClicks(day, text);
        QTest::keyClick(day, Qt::Key_Return);
    };
    type(QStringLiteral("2026/12/20"));
    EXPECT_EQ(day->text(), QStringLiteral("2026年12月20日"));
    const int scrolled = form->hScroll1()->value();
    shoot(QStringLiteral("typed-day"));

    type(QStringLiteral("12/abc"));
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("表示日付を正しく入力してください")});
    EXPECT_EQ(form->hScroll1()->value(), scrolled);

    // The long form the box shows, with only its day typed over.
    day->setText(QStringLiteral("2026年12月9日"));
    QTest::keyClick(day, Qt::Key_Return);
    EXPECT_EQ(day->text(), QStringLiteral("2026年12月9日"));
    EXPECT_LT(form->hScroll1()->value(), scrolled);
}

TEST_F(MainWindowFirstLook, ListColumnsHoldTheirTextsAndMachineEntriesAreOneLine)
{
    openDemo(60, QDate(2026, 12, 7));
    auto *grid = form->findChild<QTableView *>(QStringLiteral("PlanDataGrid"));
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel *model = grid->model();
    ASSERT_GT(model->rowCount(), 0);
    const QFontMetrics metrics(grid->font());
    for (int column = 1; column < model->columnCount(); ++column) {
        if (grid->isColumnHidden(column))
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString text = model->index(row, column).data().toString();
            ASSERT_GE(grid->columnWidth(column), metrics.horizontalAdvance(text) + 6)
                << "column " << column << " row " << row << ": " << text.toStdString();
        }
    }

    for (const char *name : {"CmbMachine", "CmbKakuteiMachine"}) {
        auto *box = form->findChild<QComboBox *>(QLatin1String(name));
        ASSERT_GT(box->count(), 1);
        for (int entry = 0; entry < box->count(); ++entry)
            EXPECT_FALSE(box->itemText(entry).contains(u'\n')) << name << " " << box->itemText(entry).toStdString();
    }
}

// A row double-clicked in the list shows its bar selected on the chart, wherever it lies; a bar
// pressed on the chart makes its lot the list's current row.
TEST_F(MainWindowFirstLook, TheListAndTheChartSelectEachOther)
{
    openDemo(120, QDate(2026, 12, 7));
    auto *grid = form->findChild<PlanDataGrid *>(QStringLiteral("PlanDataGrid"));
    ASSERT_NE(grid, nullptr);
    ChartView &view = editing->chartView();
    const GanttChart &chart = view.chart();
    ChartSurfaceWidget *surface = view.mainSurface();
    const PlanGridModel &model = grid->planModel();
    const PlanStore &store = form->planStore();
    const auto pixelOf = [&](qint64 lot) {
        const BarGeometry &bar = chart.bar(lot);
        // Read below the date header, which does not scroll with the rows.
        const QPointF below = surface->twipsAt(QPoint(0, 100)) - QPointF(0, 100 * 15);
        return QPoint(int((double(bar.left) + 60 - below.x()) / 15), int((double(bar.top) + 150 - below.y()) / 15));
    };
    // The last listed lots with a bar on a machine row lie far from where the chart opens.
    std::vector<qint64> placed;
    for (int row = model.lotCount() - 1; row >= 0 && placed.size() < 2; --row) {
        const qint64 lot = model.lotAt(row);
        if (chart.bar(lot).visible && chart.bar(lot).surface == ChartSurface::Main)
            placed.push_back(lot);
    }
    ASSERT_EQ(placed.size(), 2u);
    const RgbColor selected{0, 255, 0};
    for (const qint64 lot : placed) {
        const QModelIndex cell = model.index(model.rowOfLot(lot), plangrid::ItemName);
        grid->scrollTo(cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        EXPECT_EQ(chart.bar(lot).background, selected) << lot;
        const QPoint at = pixelOf(lot);
        EXPECT_TRUE(surface->rect().contains(at)) << lot << " at " << at.x() << "," << at.y();
        EXPECT_EQ(store.findByBar(surface->hitAt(at).bar), lot);
    }
    shoot(QStringLiteral("list-selects-bar"));
    EXPECT_NE(chart.bar(placed[0]).background, selected) << "the bar chosen before has its colours back";
    EXPECT_FALSE(grid->editor()->isVisible());

    // The other way: a bar in view pressed on the chart, its lot current in the list. The
    // button is let go off the chart, which puts the bar back where it was.
    grid->showLot(placed[1]);
    qint64 pressed = 0;
    for (qint64 lot = 2; lot <= store.lastIndex() && pressed == 0; ++lot)
        if (lot != placed[1] && chart.bar(lot).visible && chart.bar(lot).surface == ChartSurface::Main
            && surface->rect().contains(pixelOf(lot)) && store.findByBar(surface->hitAt(pixelOf(lot)).bar) == lot
            && model.rowOfLot(lot) >= 0)
            pressed = lot;
    ASSERT_NE(pressed, 0);
    QTest::mousePress(surface, Qt::LeftButton, {}, pixelOf(pressed));
    EXPECT_EQ(grid->currentLot(), pressed);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(-20, -20));
}

TEST_F(MainWindowFirstLook, ListRowMenuOffersReturnToScheduleOnlyForConfirmedLots)
{
    openDemo(60, QDate(2026, 12, 7));
    auto *grid = form->findChild<QTableView *>(QStringLiteral("PlanDataGrid"));
    auto *menu = form->findChild<QMenu *>(QStringLiteral("mnuPopup"));
    ASSERT_NE(menu, nullptr);
    QAction *popYotei = menu->findChild<QAction *>(QStringLiteral("popYotei"));
    ASSERT_NE(popYotei, nullptr);
    const QAbstractItemModel *model = grid->model();
    const PlanStore &store = form->planStore();
    int seen[2] = {0, 0};
    for (int row = 0; row < model->rowCount() && (seen[0] == 0 || seen[1] == 0); ++row) {
        const qint64 lot = model->index(row, plangrid::BarId).data().toLongLong();
        const bool tentative = store[lot].ConfirmState == QLatin1String("1");
        if (seen[tentative ? 1 : 0]++ > 0)
            continue;
        const QModelIndex cell = model->index(row, plangrid::Confirm);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::RightButton, Qt::NoModifier, grid->visualRect(cell).center());
        EXPECT_TRUE(menu->isVisible()) << row;
        EXPECT_EQ(popYotei->isEnabled(), !tentative) << "row " << row;
        menu->hide();
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

TEST_F(MainWindowFirstLook, InquiryModeTakesWhatIfsBackButNeverSaves)
{
    openDemo(60, QDate(2026, 12, 7), demo::InquiryOperator);
    const PlanStore &store = form->planStore();
    const auto confirmed = [&] {
        qint64 n = 0;
        for (qint64 lot = 2; lot <= store.lastIndex(); ++lot)
            n += store[lot].isConfirmed() ? 1 : 0;
        return n;
    };
    const qint64 before = confirmed();
    prompter.expectAnswer(true);
    QTest::mouseClick(button("ComKakutei"), Qt::LeftButton);
    ASSERT_GT(confirmed(), before);
    EXPECT_FALSE(form->comHozon()->isEnabled());
    EXPECT_TRUE(editing->undoAction()->isEnabled());

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(confirmed(), before);
    EXPECT_TRUE(editing->redoAction()->isEnabled());
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_GT(confirmed(), before);
    EXPECT_FALSE(form->comHozon()->isEnabled());
}

} // namespace
