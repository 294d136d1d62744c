// The main window's save over a lot that the order desk changed after the load: the save
// button writes the other lot and the window of lots changed elsewhere comes up. Its
// 破棄して再読込 takes the order desk's version into the chart, leaving nothing to save;
// 上書き保存 writes the planner's version after a second question and lists what it wrote over;
// キャンセル keeps it unsaved.

#include "DemoMainWindowTest.h"
#include "persist/SaveChecks.h"
#include "persist/ui/ElsewhereWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

struct WindowChoice
{
    const char *button;
    double quantityInChart;  // after the choice; 0: the planner's own
    double quantityStored;   // 0: the order desk's
    bool stillToSave;
};

class MainWindowSaveElsewhere : public DemoMainWindowTest, public testing::WithParamInterface<WindowChoice>
{
};

TEST_P(MainWindowSaveElsewhere, TheWindowsChoiceDoesWhatItSays)
{
    const WindowChoice choice = GetParam();
    openDemo(200, QDate(2026, 12, 8));
    PlanSession &session = form->plan();
    std::vector<qint64> lots;
    for (qint64 i = 2; i <= session.store().lastIndex() && lots.size() < 2; ++i)
        if (session.store()[i].ArrangementNo > 0 && session.store()[i].StartDate.isValid())
            lots.push_back(i);
    ASSERT_EQ(lots.size(), 2u);
    const qint64 changed = lots[0], saved = lots[1];
    Edit edit = session.editPath().beginAction(QStringLiteral("備考の変更"));
    for (const qint64 i : lots)
        edit.change(i, [](PlanRecord &lot) { lot.Remarks = QStringLiteral("型替え注意"); });
    edit.commit();
    const double planners = session.store()[changed].Quantity;
    if (moldOverlapCount(session.store()) > 0)
        prompter.expectAnswer(true);

    auto orderDesk = Database::open(plant.dataSourceField(), {}, {}, QStringLiteral("order-desk"));
    orderDesk->run(QStringLiteral("UPDATE DB0253 SET 手配数=4321 WHERE 手配番号=?"),
                   {session.store()[changed].ArrangementNo});

    // The window comes up modally after the save; its reload button is clicked there.
    bool listed = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto *window = qobject_cast<ElsewhereWindow *>(QApplication::activeModalWidget());
        if (!window)
            return;
        watcher.stop();
        listed = true;
        if (QString::fromLatin1(choice.button) == QStringLiteral("ComOverwrite")) {
            prompter.expectAnswer(true); // the second question
            if (moldOverlapCount(session.store()) > 0)
                prompter.expectAnswer(true);
        }
        QTest::mouseClick(window->findChild<QPushButton *>(QString::fromLatin1(choice.button)), Qt::LeftButton);
    });
    watcher.start(20);
    auto *hozon = form->findChild<QPushButton *>(QStringLiteral("ComHozon"));
    ASSERT_TRUE(hozon && hozon->isEnabled());
    QTest::mouseClick(hozon, Qt::LeftButton);

    EXPECT_TRUE(listed);
    EXPECT_EQ(session.store()[changed].Quantity, choice.quantityInChart ? choice.quantityInChart : planners);
    QSqlQuery stored = plant.db().run(QStringLiteral("SELECT 手配数 FROM DB0253 WHERE 手配番号=?"),
                                      {session.store()[changed].ArrangementNo});
    ASSERT_TRUE(stored.next());
    EXPECT_EQ(stored.value(0).toDouble(), choice.quantityStored ? choice.quantityStored : planners);
    EXPECT_EQ(session.store()[changed].MembersWritten != 0, choice.stillToSave);
    EXPECT_EQ(session.store()[saved].MembersWritten, 0);
    EXPECT_EQ(hozon->isEnabled(), choice.stillToSave);
    EXPECT_FALSE(prompter.pendingAnswers());
    // Written over, the order desk's quantity is named with the planner's that replaced it.
    const bool overwrote = QString::fromLatin1(choice.button) == QStringLiteral("ComOverwrite");
    const QStringList told = prompter.texts().filter(QStringLiteral("上書きしました"));
    ASSERT_EQ(told.size(), overwrote ? 1 : 0) << prompter.texts().join('\n').toStdString();
    if (overwrote) {
        EXPECT_TRUE(told[0].contains(
            QStringLiteral("手配番号 %1 手配数: 「4321」→「%2」").arg(session.store()[changed].ArrangementNo).arg(planners)))
            << told[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, MainWindowSaveElsewhere,
                         testing::Values(WindowChoice{"ComReload", 4321, 4321, false},
                                         WindowChoice{"ComOverwrite", 0, 0, false},
                                         WindowChoice{"ComCancel", 0, 4321, true}),
                         [](const testing::TestParamInfo<WindowChoice> &info) { return std::string(info.param.button); });

} // namespace
