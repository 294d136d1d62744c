// One script of every planner action, carried out once by kalvuner-cli apply and once with the
// mouse and keys on the main window and its dialogs, over the same demo plant (a 10-minute
// grid): moves answered Yes and No, undo and redo, a merge that does not merge, packing a row,
// bulk confirmation, a machine's working hours, 予定に戻す, a process add and a process split
// in the detail window, and a lot split in the split window. Both ways leave the same plan,
// lot by lot, and the tool prints no merged-away lot.

#include "CliSession.h"
#include "DemoCalendar.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "DemoStart.h"
#include "TestPlant.h"
#include "app/PlantStartup.h"
#include "app/ui/ChartEditing.h"
#include "app/ui/ChartView.h"
#include "app/ui/MainForm.h"
#include "common/PlantValues.h"
#include "dialogs/DetailLines.h"
#include "dialogs/ProcessAdd.h"
#include "dialogs/ui/AddPlan.h"
#include "dialogs/ui/BunWindow.h"
#include "dialogs/ui/ChainList.h"
#include "dialogs/ui/LinePlanWindow.h"
#include "dialogs/ui/PlanPopupMenu.h"
#include "dialogs/ui/PlanWindow.h"
#include "editing/LotRules.h"
#include "editing/PlanMerge.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "session/PlanSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `inside` on the modal window of type W that `open` brings up; whatever `inside` leaves
// open is closed.
template<class W>
void whenModal(const std::function<void()> &open, const std::function<void(W &)> &inside)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<W *>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        ran = true;
        inside(*window);
        if (window->isVisible())
            window->reject();
    });
    open();
    EXPECT_TRUE(ran);
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

class MouseAndScript : public testing::Test
{
protected:
    void SetUp() override
    {
        summary = demo::writePlant(plant.db(), {300, 7, DemoStart}, false);
        context.PlantCode = demo::PlantCode;
        context.ProcessClassCode = summary.moldingClass;
        context.ProcessClassLabel = summary.moldingClass;
        context.PeriodStart = plant::dateText(DemoStart);
        context.PeriodEnd = plant::dateText(DemoStart.addMonths(1));
        context.Authority = QStringLiteral("1");
        context.DayStartTime = QTime(8, 0);
        // The window reads the plant's time grid at start-up, as kalvuner-cli does.
        startup::readPlant(plant.db(), context);
        ASSERT_EQ(context.GridUnitMinutes, demo::GridMinutes);
        context.WindowWidth = 1600 * 15;
        context.WindowHeight = 900 * 15;
        form = std::make_unique<MainForm>(context, plant.db(), prompter);
        editing = new ChartEditing(*form);
        form->load(nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    PlanSession &session() { return form->plan(); }
    const PlanStore &store() { return session().store(); }
    const ChartRows &rows() { return session().rows(); }
    ChartSurfaceWidget *surface() { return editing->chartView().mainSurface(); }
    const GanttChart &chart() { return editing->chartView().chart(); }
    QString arrangement(qint64 lot) { return QString::number(store()[lot].ArrangementNo); }
    QString rowWord(int row) { return rows().row(row).code.trimmed(); }

    // The pixel of the main surface at surface twips (x, y).
    QPoint pixelAt(double x, double y)
    {
        const QPointF origin = surface()->twipsAt(QPoint(0, 0));
        return QPoint(int((x - origin.x()) / 15), int((y - origin.y()) / 15));
    }
    double xOf(const QDateTime &at) { return double(chart().scale().planTimeToX(at.date(), at.time(), ChartSurface::Main)); }
    bool onSurface(const QPoint &pixel) { return surface()->rect().adjusted(0, 0, -200, -20).contains(pixel); }
    QPoint grabPoint(qint64 lot)
    {
        const BarGeometry &bar = chart().bar(lot);
        return pixelAt(double(bar.left) + 75, double(bar.top) + 150);
    }

    // A lot whose bar is in sight on a machine row among the labelled ones, free to move, and
    // not one of `taken`.
    qint64 visibleLot(const std::vector<qint64> &taken, const std::function<bool(qint64)> &also = {})
    {
        for (qint64 i = 2; i <= store().lastIndex(); ++i) {
            const BarGeometry &bar = chart().bar(i);
            const int row = rows().rowOfCode(store()[i].MachineCode);
            if (bar.visible && bar.surface == ChartSurface::Main && rows().isMachineRow(row) && row <= 8
                && bar.width >= 150 && onSurface(grabPoint(i)) && !store()[i].isLocked()
                && !store()[i].isEndFixed() && store()[i].Active > 0 && store()[i].ArrangementNo > 0
                && std::find(taken.begin(), taken.end(), i) == taken.end() && (!also || also(i))
                && chart().hitTest(ChartSurface::Main, double(bar.left) + 75, double(bar.top) + 150).bar == i)
                return i;
        }
        return 0;
    }

    // The moment `hours` after the lot's start.
    QDateTime laterInSight(qint64 lot, int hours) { return lots::startInstant(store()[lot]).addSecs(hours * 3600); }

    // A moment as a script writes it: up to the next whole minute, which rounds up to the same
    // grid step as the moment itself.
    static QString scriptMoment(const QDateTime &at)
    {
        const QDateTime minute = at.addSecs((60 - at.time().second()) % 60);
        return minute.toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    }

    // Drags the lot's bar so that its left edge lands on `row` near `at` and lets go there;
    // returns the moment the bar's left edge was let go at.
    QDateTime dragTo(qint64 lot, int row, const QDateTime &at)
    {
        const QPoint grab = grabPoint(lot);
        const double offset = surface()->twipsAt(grab).x() - double(chart().bar(lot).left);
        const QPoint drop = pixelAt(xOf(at) + offset, double(rows().row(row).top) + 150);
        EXPECT_TRUE(onSurface(drop));
        const QDateTime letGo = chart().scale().dateTimeAtX(surface()->twipsAt(drop).x() - offset, ChartSurface::Main);
        QTest::mousePress(surface(), Qt::LeftButton, {}, grab);
        QTest::mouseMove(surface(), drop);
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, drop);
        return letGo;
    }
    void dragOnto(qint64 lot, qint64 target)
    {
        const QPoint grab = grabPoint(lot);
        QTest::mousePress(surface(), Qt::LeftButton, {}, grab);
        QTest::mouseMove(surface(), grabPoint(target));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, grabPoint(target));
    }
    // The drop point of a bar let go with the pointer where `dragOnto` lets it go.
    QDateTime dropMomentOnto(qint64 lot, qint64 target)
    {
        const QPoint grab = grabPoint(lot);
        const double offset = surface()->twipsAt(grab).x() - double(chart().bar(lot).left);
        return chart().scale().dateTimeAtX(surface()->twipsAt(grabPoint(target)).x() - offset, ChartSurface::Main);
    }

    // The bar's context menu, one of its items chosen.
    void popupItem(qint64 lot, QAction *(PlanPopupMenu::*item)() const)
    {
        auto *popup = form->findChild<PlanPopupMenu *>();
        QTest::mousePress(surface(), Qt::RightButton, {}, grabPoint(lot));
        popup->menu()->hide();
        (popup->*item)()->trigger();
    }
    void inDetailWindow(qint64 lot, const std::function<void(PlanWindow &)> &inside)
    {
        whenModal<PlanWindow>([&] { popupItem(lot, &PlanPopupMenu::popRot); }, inside);
    }

    // An empty spot of machine row `row` on the working day `day`, in sight.
    QPoint emptySpot(int row, const QDate &day)
    {
        for (int minutes = 60; minutes < 23 * 60; minutes += 20) {
            const QDateTime at = plant::naiveDateTime(day, QTime(8, 0)).addSecs(minutes * 60);
            const double y = double(rows().row(row).top) + 150;
            const QPoint pixel = pixelAt(xOf(at), y);
            if (onSurface(pixel) && chart().hitTest(ChartSurface::Main, surface()->twipsAt(pixel).x(), y).bar == 0)
                return pixel;
        }
        return {-1, -1};
    }

    QString planOfWindow()
    {
        QString text;
        QTextStream out(&text);
        printPlan(session(), out);
        return text;
    }
    QString planOfTool(const QString &script)
    {
        QFile file(dir.filePath(QStringLiteral("actions.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        QProcess process;
        process.start(QStringLiteral(KALVUNER_CLI),
                      {QStringLiteral("apply"), QStringLiteral("--db"), plant.dataSourceField(), QStringLiteral("--class"),
                       summary.moldingClass, QStringLiteral("--plant"), QString::number(demo::PlantCode),
                       QStringLiteral("--start"), DemoStart.toString(QStringLiteral("yyyyMMdd")), QStringLiteral("--end"),
                       DemoStart.addMonths(1).toString(QStringLiteral("yyyyMMdd")), QStringLiteral("--answer"),
                       QStringLiteral("no"), QStringLiteral("--script"), file.fileName()});
        EXPECT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    TestPlant plant{TestPlant::Backend::Sqlite, TestPlant::Contents::Empty};
    demo::PlantSummary summary;
    RunContext context;
    // Loading answers No, as the tool's --answer no does; the script's "answer" lines and the
    // test set the answer for what follows.
    AnsweringPrompter prompter{false};
    std::unique_ptr<MainForm> form;
    ChartEditing *editing = nullptr;
    QTemporaryDir dir;
};

TEST_F(MouseAndScript, EveryActionLeavesTheSamePlanFromTheMouseAndFromAScript)
{
    QStringList script;
    const auto say = [&](const QString &line) { script << line; };
    const auto answer = [&](bool yes) {
        prompter.answerWith(yes);
        say(yes ? QStringLiteral("answer yes") : QStringLiteral("answer no"));
    };
    std::vector<qint64> taken;

    // A move to another machine, its questions answered Yes; undone and done again.
    answer(true);
    const qint64 first = visibleLot(taken);
    ASSERT_GE(first, 2);
    taken.push_back(first);
    const int firstRow = rows().rowOfCode(store()[first].MachineCode) == 2 ? 3 : 2;
    const QDateTime firstAt = dragTo(first, firstRow, laterInSight(first, 5));
    say(QStringLiteral("move %1 %2 %3").arg(arrangement(first), rowWord(firstRow), scriptMoment(firstAt)));
    say(QStringLiteral("undo"));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    say(QStringLiteral("redo"));
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);

    // A move whose questions are answered No.
    answer(false);
    const qint64 second = visibleLot(taken);
    ASSERT_GE(second, 2);
    taken.push_back(second);
    const int secondRow = rows().rowOfCode(store()[second].MachineCode);
    const QString secondWord = arrangement(second);
    const QDateTime secondAt = dragTo(second, secondRow, laterInSight(second, 2));
    say(QStringLiteral("move %1 %2 %3").arg(secondWord, rowWord(secondRow), scriptMoment(secondAt)));

    // A bar let go on a bar of another run: no merge, the bar moves to where it was let go.
    answer(true);
    const qint64 source = visibleLot(taken);
    taken.push_back(source);
    const qint64 target = visibleLot(taken, [&](qint64 i) { return !sameRun(store()[source], store()[i]); });
    ASSERT_GE(source, 2);
    ASSERT_GE(target, 2);
    const QDateTime dropped = dropMomentOnto(source, target);
    say(QStringLiteral("merge %1 %2 %3 %4").arg(arrangement(source), arrangement(target),
                                               rowWord(rows().rowOfCode(store()[target].MachineCode)),
                                               scriptMoment(dropped)));
    ASSERT_NO_FATAL_FAILURE(dragOnto(source, target));

    // The second machine packed from its label.
    say(QStringLiteral("pack %1").arg(rowWord(3)));
    QTest::mouseDClick(form->machineName(3), Qt::LeftButton);

    // Bulk confirmation of the first machine's lots due in the first half of the month.
    say(QStringLiteral("confirm %1 2026/12/01 2026/12/20").arg(rowWord(2)));
    auto *machine = form->findChild<QComboBox *>(QStringLiteral("CmbKakuteiMachine"));
    machine->setCurrentIndex(machine->findData(2));
    typeInto(form->findChild<QLineEdit *>(QStringLiteral("strYYMMDD")), QStringLiteral("2026/12/01"));
    typeInto(form->findChild<QLineEdit *>(QStringLiteral("endYYMMDD")), QStringLiteral("2026/12/20"));
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("ComKakutei")), Qt::LeftButton);

    // Ten working hours on the first day in sight where the first machine has an empty spot to
    // press on (a long lot may cover a whole day).
    QDate day = DemoStart.addDays(1);
    QPoint spot = emptySpot(2, day);
    for (int later = 2; later <= 4 && spot.x() < 0; ++later)
        spot = emptySpot(2, day = DemoStart.addDays(later));
    ASSERT_GE(spot.x(), 0);
    say(QStringLiteral("hours %1 %2 10 08:00 12:00 13:00 19:00").arg(rowWord(2), day.toString(QStringLiteral("yyyy/MM/dd"))));
    whenModal<LinePlanWindow>([&] { QTest::mousePress(surface(), Qt::RightButton, {}, spot); },
                              [&](LinePlanWindow &window) {
                                  const QStringList shifts{"08:00", "12:00", "13:00", "19:00"};
                                  for (int box = 0; box < PlanTimeBoxes; ++box)
                                      typeInto(window.planTime(box), box < shifts.size() ? shifts[box] : QString());
                                  typeInto(window.planSum(), QStringLiteral("10"));
                                  QTest::mouseClick(window.command1(), Qt::LeftButton);
                              });

    // 予定に戻す from the bar's menu.
    const qint64 returned = visibleLot(taken);
    ASSERT_GE(returned, 2);
    taken.push_back(returned);
    say(QStringLiteral("unassign %1").arg(arrangement(returned)));
    popupItem(returned, &PlanPopupMenu::popYotei);

    // A lot takes the next process of its chain, then gives it off again as a lot of its own.
    const qint64 chained = visibleLot(taken, [&](qint64 i) {
        const std::unique_ptr<ProcessAdd> add = session().processAdd(i);
        return add->open(memberLines(store()[i].Members), memberLines(store()[i].AltMembers))
               && add->chain().size() >= 2;
    });
    ASSERT_GE(chained, 2);
    taken.push_back(chained);
    say(QStringLiteral("add-process %1 1").arg(arrangement(chained)));
    inDetailWindow(chained, [&](PlanWindow &detail) {
        whenModal<AddPlan>([&] { QTest::mouseClick(detail.button(QStringLiteral("Command4")), Qt::LeftButton); },
                           [&](AddPlan &add) {
                               ChainList *chain = add.list();
                               QTest::mouseClick(chain->viewport(), Qt::LeftButton, {},
                                                 chain->visualItemRect(chain->item(1)).center());
                               QTest::mouseClick(add.button(QStringLiteral("Command3")), Qt::LeftButton);
                           });
        QListWidget *inner = detail.list(QStringLiteral("NList"));
        ASSERT_EQ(inner->count(), 2);
        say(QStringLiteral("split-process %1 %2").arg(arrangement(chained), inner->item(1)->text().section(u' ', 0, 0)));
        inner->item(1)->setSelected(true);
        QTest::mouseClick(detail.button(QStringLiteral("Command2")), Qt::LeftButton);
        QTest::mouseClick(detail.button(QStringLiteral("Command8")), Qt::LeftButton);
    });

    // A lot split: half of the lot's pieces of its production plan go to a new lot.
    const qint64 split = visibleLot(taken, [&](qint64 i) {
        const PlanRecord &lot = store()[i];
        return lot.Members.at(0).PlanNo != 0 && lot.Members.at(0).Quantity >= 2 && lot.AltMembers.at(0).isFree()
               && lot.Members.at(1).isFree();
    });
    ASSERT_GE(split, 2);
    const QString half = QString::number(store()[split].Members.at(0).Quantity / 2);
    say(QStringLiteral("split-lot %1 %2=%3").arg(arrangement(split)).arg(store()[split].Members.at(0).PlanNo).arg(half));
    inDetailWindow(split, [&](PlanWindow &detail) {
        whenModal<BunWindow>([&] { QTest::mouseClick(detail.button(QStringLiteral("Command3")), Qt::LeftButton); },
                             [&](BunWindow &bun) {
                                 QListWidget *inner = bun.list(QStringLiteral("NList"));
                                 QTest::mouseClick(inner->viewport(), Qt::LeftButton, {},
                                                   inner->visualItemRect(inner->item(0)).center());
                                 typeInto(bun.box(QStringLiteral("Text14")), half);
                                 QTest::keyClick(bun.box(QStringLiteral("Text14")), Qt::Key_Return);
                                 QTest::mouseClick(bun.button(QStringLiteral("Command3")), Qt::LeftButton);
                             });
        QTest::mouseClick(detail.button(QStringLiteral("Command1")), Qt::LeftButton);
    });

    const QString mouse = planOfWindow();
    const QString tool = planOfTool(script.join(u'\n') + u'\n');
    const QStringList mouseLines = mouse.split(u'\n'), toolLines = tool.split(u'\n');
    ASSERT_EQ(toolLines.size(), mouseLines.size()) << script.join(u'\n').toStdString();
    for (qsizetype k = 0; k < mouseLines.size(); ++k)
        EXPECT_EQ(toolLines[k], mouseLines[k]) << "line " << k << " of the plan\n" << script.join(u'\n').toStdString();
    for (const QString &line : toolLines)
        EXPECT_NE(line.section(u'\t', 1, 1), QStringLiteral("0")) << "a merged-away lot is printed: " << line.toStdString();
}

} // namespace
