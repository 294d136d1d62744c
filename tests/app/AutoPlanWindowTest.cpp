// 自動計画 from the main window over the demo plant, as a planner takes it: 編集 → 自動計画…,
// the options, 実行, the report; one 元に戻す takes the whole step back; run again, confirm
// and save, and a new start shows the placed lots where they were placed. Stopped at once,
// the plan it keeps holds no new conflict. The options refuse what is no date or number.

#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "app/ui/AutoPlanDialog.h"
#include "app/ui/AutoPlanProgressWindow.h"
#include "app/ui/AutoPlanReportWindow.h"
#include "app/ui/ChartView.h"
#include "editing/LotRules.h"
#include "editing/PlanFigures.h"
#include "persist/SaveChecks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <map>

namespace {

const QDate Start(2026, 12, 8);

// Answers the modal windows as they come up, each by its object name, once each.
class ModalScript
{
public:
    using Step = std::function<void(QWidget &window)>;

    explicit ModalScript(std::map<QString, Step> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *window = QApplication::activeModalWidget();
            if (!window)
                return;
            const auto step = m_steps.find(window->objectName());
            if (step == m_steps.end())
                return;
            const Step run = step->second;
            m_steps.erase(step);
            run(*window);
        });
        m_timer.start(20);
    }
    bool done() const { return m_steps.empty(); }

private:
    std::map<QString, Step> m_steps;
    QTimer m_timer;
};

template <typename W>
W *child(QWidget &window, const char *name)
{
    W *found = window.findChild<W *>(QLatin1String(name));
    EXPECT_TRUE(found) << name;
    return found;
}

// What the report window showed.
struct Shown
{
    QStringList figures; // each row: name, before, after
    QStringList leftNumbers;
    bool stoppedLine = false;
    AutoPlanReport report;
};

class AutoPlanWindow : public DemoMainWindowTest, public testing::WithParamInterface<TestPlant::Backend>
{
protected:
    AutoPlanWindow() : DemoMainWindowTest(GetParam()) {}

    PlanSession &session() { return form->plan(); }
    const PlanStore &store() { return form->planStore(); }
    qint64 conflicts() { return session().watch().conflicts().count(); }
    QAction *autoPlan() { return form->findChild<QAction *>(QStringLiteral("ActAutoPlan")); }

    // 編集 → 自動計画… with a one-second budget, 実行, and the report read and closed.
    Shown runFromTheMenu(const QString &shotPrefix = {})
    {
        Shown shown;
        ModalScript script({{QStringLiteral("AutoPlanDialog"),
                             [&](QWidget &dialog) {
                                 child<QLineEdit>(dialog, "TxtBudgetSeconds")->setText(QStringLiteral("1"));
                                 if (!shotPrefix.isEmpty())
                                     keepScreenshot(dialog, shotPrefix + QStringLiteral("-options.png"));
                                 QTest::mouseClick(child<QPushButton>(dialog, "CmdRun"), Qt::LeftButton);
                             }},
                            {QStringLiteral("AutoPlanReportWindow"), [&](QWidget &window) {
                                 shown = read(static_cast<AutoPlanReportWindow &>(window));
                                 if (!shotPrefix.isEmpty())
                                     keepScreenshot(window, shotPrefix + QStringLiteral("-report.png"));
                                 QTest::mouseClick(child<QPushButton>(window, "CmdClose"), Qt::LeftButton);
                             }}});
        EXPECT_TRUE(autoPlan()->isEnabled());
        autoPlan()->trigger();
        EXPECT_TRUE(script.done()) << "the options and the report came up";
        return shown;
    }

    static Shown read(AutoPlanReportWindow &window)
    {
        Shown shown;
        shown.report = window.report();
        auto *figures = child<QTableWidget>(window, "TblFigures");
        for (int row = 0; row < figures->rowCount(); ++row)
            for (int column = 0; column < 3; ++column)
                shown.figures << figures->item(row, column)->text();
        auto *left = child<QTableWidget>(window, "TblLeft");
        for (int row = 0; row < left->rowCount(); ++row)
            shown.leftNumbers << left->item(row, 0)->text();
        shown.stoppedLine = window.findChild<QLabel *>(QStringLiteral("LblStopped")) != nullptr;
        return shown;
    }

    // Every lot on a press: arrangement number -> place.
    struct Place
    {
        QString machine;
        QDateTime start, end;
        bool operator==(const Place &) const = default;
    };
    std::map<qint64, Place> placesOnPresses()
    {
        std::map<qint64, Place> places;
        for (qint64 i = 2; i <= store().lastIndex(); ++i) {
            const PlanRecord &lot = store()[i];
            if (lot.Active > 0 && lot.OnStrip == 0 && lot.DetailMark == 0)
                places[lot.ArrangementNo] = {lot.MachineCode.trimmed(), lots::startInstant(lot), lots::endInstant(lot)};
        }
        return places;
    }

    void save()
    {
        if (moldOverlapCount(store()) > 0)
            prompter.expectAnswer(true);
        ASSERT_TRUE(form->comHozon()->isEnabled());
        QTest::mouseClick(form->comHozon(), Qt::LeftButton);
        EXPECT_FALSE(form->comHozon()->isEnabled()) << prompter.texts().join('\n').toStdString();
        EXPECT_FALSE(prompter.pendingAnswers());
    }
};

TEST_P(AutoPlanWindow, FromTheMenuToTheReportUndoneWholeThenSavedAndLoadedAgain)
{
    ASSERT_NO_FATAL_FAILURE(openDemo(300, Start));
    const PlanStore loaded = store();
    const PlanFigures before = session().planFigures();
    const qint64 conflictsBefore = conflicts();
    ASSERT_GT(before.lotsOnStrip, 0) << "the demo plant has lots waiting";

    const Shown shown = runFromTheMenu(QStringLiteral("autoplan"));
    const AutoPlanReport &report = shown.report;
    ASSERT_TRUE(report.ran);
    EXPECT_GT(report.planned, 0);
    // The window shows the session's report, and the report the plan before and after.
    QStringList figures;
    for (const AutoPlanFigure &figure : autoPlanFigures(report))
        figures << figure.name << figure.before << figure.after;
    EXPECT_EQ(shown.figures, figures);
    EXPECT_EQ(report.before, before);
    EXPECT_EQ(report.after, session().planFigures());
    EXPECT_EQ(report.loadAfter.size(), size_t(session().rows().lastMachineRow() - 1)) << "a load for each press";
    ASSERT_EQ(shown.leftNumbers.size(), qsizetype(report.left.size()));
    for (size_t k = 0; k < report.left.size(); ++k)
        EXPECT_EQ(shown.leftNumbers[qsizetype(k)].toLongLong(), store()[report.left[k].lot].ArrangementNo);
    EXPECT_EQ(shown.stoppedLine, report.stopped);
    EXPECT_LE(conflicts(), conflictsBefore) << "no conflict is created";

    // The placed lots are changed lots: bold bars, the save button on, the step named.
    qint64 placedShown = 0;
    for (qint64 i = 2; i <= store().lastIndex(); ++i)
        if (!(store()[i] == loaded[i]) && store()[i].OnStrip == 0) {
            EXPECT_NE(store()[i].MembersWritten, 0);
            placedShown += editing->chartView().chart().bar(i).bold ? 1 : 0;
        }
    EXPECT_GE(placedShown, report.planned);
    EXPECT_TRUE(form->comHozon()->isEnabled());
    EXPECT_TRUE(form->statusBar()->currentMessage().startsWith(QStringLiteral("自動計画: %1件を計画しました").arg(report.planned)))
        << form->statusBar()->currentMessage().toStdString();
    keepScreenshot(*form, QStringLiteral("autoplan-main.png"));
    QAction *undo = form->findChild<QAction *>(QStringLiteral("ActUndo"));
    EXPECT_TRUE(undo->text().contains(QStringLiteral("自動計画")));

    // One 元に戻す: the plan as loaded, to the last field of every lot.
    undo->trigger();
    ASSERT_EQ(store().lastIndex(), loaded.lastIndex());
    for (qint64 i = 2; i <= store().lastIndex(); ++i)
        EXPECT_TRUE(store()[i] == loaded[i]) << "lot " << store()[i].ArrangementNo;
    EXPECT_FALSE(form->comHozon()->isEnabled());
    EXPECT_EQ(conflicts(), conflictsBefore);

    // Again, confirmed so that a new start keeps them on their presses, and saved.
    EXPECT_GT(runFromTheMenu().report.planned, 0);
    prompter.expectAnswer(true); // "…件を確定します。よろしいですか？"
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("ComKakutei")), Qt::LeftButton);
    const std::map<qint64, Place> placed = placesOnPresses();
    ASSERT_NO_FATAL_FAILURE(save());

    ASSERT_NO_FATAL_FAILURE(openWindow());
    const std::map<qint64, Place> reloaded = placesOnPresses();
    qint64 compared = 0;
    for (qint64 i = 2; i <= loaded.lastIndex(); ++i) {
        const qint64 number = loaded[i].ArrangementNo;
        if (loaded[i].OnStrip == 0 || number <= 0 || !placed.count(number))
            continue; // only the lots that waited and were placed
        ++compared;
        ASSERT_TRUE(reloaded.count(number)) << "lot " << number << " is on its press again";
        EXPECT_EQ(reloaded.at(number), placed.at(number)) << "lot " << number;
    }
    EXPECT_GT(compared, 0);
}

TEST_P(AutoPlanWindow, StoppedAtOnceTheKeptPlanHoldsNoNewConflict)
{
    ASSERT_NO_FATAL_FAILURE(openDemo(300, Start));
    const qint64 conflictsBefore = conflicts();
    // 中止 is pressed as soon as the progress window is up: the planner's first progress call
    // answers stop.
    bool stopped = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto *progress = qobject_cast<AutoPlanProgressWindow *>(QApplication::activeModalWidget());
        if (!progress || stopped)
            return;
        stopped = true;
        keepScreenshot(*progress, QStringLiteral("autoplan-progress.png"));
        QTest::mouseClick(child<QPushButton>(*progress, "CmdStop"), Qt::LeftButton);
        EXPECT_TRUE(progress->stopAsked());
        EXPECT_TRUE(progress->isVisible()) << "the window stays up, keeping the chart out of reach, until the planner stopped";
    });
    watcher.start(0);
    const Shown shown = runFromTheMenu();
    EXPECT_TRUE(stopped);
    ASSERT_TRUE(shown.report.ran);
    EXPECT_EQ(shown.stoppedLine, shown.report.stopped);
    EXPECT_LE(conflicts(), conflictsBefore);
    EXPECT_EQ(shown.report.after, session().planFigures());
    EXPECT_EQ(form->comHozon()->isEnabled(), shown.report.planned > 0 || !shown.report.left.empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, AutoPlanWindow, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

class AutoPlanOptionsWindow : public DemoMainWindowTest
{
};

// The options: every box is read whole or refused with a message naming it, the window stays
// open on the box; the options given are the ones ticked and typed. In inquiry mode the menu
// does not offer it.
TEST_F(AutoPlanOptionsWindow, RefuseWhatIsNoDateOrNumberAndNameTheBox)
{
    ASSERT_NO_FATAL_FAILURE(openDemo(200, Start, demo::InquiryOperator));
    EXPECT_FALSE(form->findChild<QAction *>(QStringLiteral("ActAutoPlan"))->isEnabled());

    PlanSession &session = form->plan();
    AutoPlanDialog dialog(session.rows(), prompter, form.get());
    dialog.show();
    auto *due = child<QLineEdit>(dialog, "TxtDueUpTo");
    auto *stock = child<QLineEdit>(dialog, "TxtStockDays");
    auto *budget = child<QLineEdit>(dialog, "TxtBudgetSeconds");
    auto *machines = child<QListWidget>(dialog, "LstMachines");
    auto *run = child<QPushButton>(dialog, "CmdRun");
    ASSERT_EQ(machines->count(), session.rows().lastMachineRow() - 1);
    const struct
    {
        QLineEdit *box;
        const char *typed;
        const char *said;
    } refusals[] = {
        {due, "abc", "納期の上限を正しく入力してください"},
        {due, "2027/02/30", "納期の上限を正しく入力してください"},
        {stock, "十", "在庫の上限を正しく入力してください"},
        {stock, "2.5", "在庫の上限を正しく入力してください"},
        {stock, "-1", "在庫の上限を正しく入力してください"},
        {budget, "", "計算時間を正しく入力してください"},
        {budget, "0", "計算時間を正しく入力してください"},
    };
    for (const auto &refusal : refusals) {
        SCOPED_TRACE(refusal.typed);
        prompter.clear();
        due->setText(QString());
        stock->setText(QStringLiteral("10"));
        budget->setText(QStringLiteral("10"));
        refusal.box->setText(QString::fromUtf8(refusal.typed));
        QTest::mouseClick(run, Qt::LeftButton);
        EXPECT_EQ(prompter.texts(), QStringList{QString::fromUtf8(refusal.said)});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), refusal.box);
    }
    prompter.clear();
    budget->setText(QStringLiteral("10"));
    QTest::mouseClick(child<QPushButton>(dialog, "CmdNoMachine"), Qt::LeftButton);
    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("計画する機械を1台以上選んでください")});
    EXPECT_TRUE(dialog.isVisible());

    // Two presses ticked, full-width digits, the date typed the short way.
    prompter.clear();
    machines->item(0)->setCheckState(Qt::Checked);
    machines->item(2)->setCheckState(Qt::Checked);
    child<QCheckBox>(dialog, "ChkTentative")->setChecked(false);
    due->setText(QStringLiteral("2027/1/31"));
    stock->setText(QStringLiteral("５"));
    budget->setText(QStringLiteral("3"));
    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_TRUE(prompter.said().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const AutoPlanOptions &options = dialog.options();
    EXPECT_FALSE(options.replanTentative);
    EXPECT_EQ(options.dueUpTo, QDate(2027, 1, 31));
    EXPECT_EQ(options.machines, (QSet<QString>{session.rows().row(2).code.trimmed(), session.rows().row(4).code.trimmed()}));
    EXPECT_EQ(options.stockDays, 5);
    EXPECT_EQ(options.budgetSeconds, 3);
}

} // namespace

// For scripts/screenshots: the report of a run on one press, with lots left on the strip.
class AutoPlanScreenshots : public DemoMainWindowTest
{
};

TEST_F(AutoPlanScreenshots, ReportWithLotsLeft)
{
    ASSERT_NO_FATAL_FAILURE(openDemo(300, Start));
    PlanSession &session = form->plan();
    AutoPlanOptions options;
    options.machines = {session.rows().row(2).code.trimmed()};
    options.budgetSeconds = 1;
    const AutoPlanReport report = session.autoPlan(options);
    AutoPlanReportWindow window(report, session.store(), session.rows(), form.get());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    keepScreenshot(window, QStringLiteral("autoplan-report-left.png"));
}
