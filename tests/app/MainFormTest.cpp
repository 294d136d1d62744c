#include "plan/RunContext.h"
#include "app/StartupError.h"
#include "app/ui/MainForm.h"
#include "plan/PlanStore.h"

#include "ScriptedPrompter.h"
#include "TestPlant.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainWindow : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        context.PlantCode = 1;
        context.ProcessClassCode = QStringLiteral("12");
        context.ProcessClassLabel = QStringLiteral("12 成形");
        context.PeriodStart = QStringLiteral("2024/04/01");
        context.PeriodEnd = QStringLiteral("2024/05/01");
        context.LaunchArgs = QStringLiteral("20240401 12 OP1");
        context.WindowWidth = 1400 * 15;
        context.WindowHeight = 900 * 15;
        // The plant's lunch break: without breaks no plan can be shown.
        plant.insert(QStringLiteral("DB0496"), {{QStringLiteral("自社企業コード"), QStringLiteral("1")},
                                                {QStringLiteral("開始時刻１"), 120000},
                                                {QStringLiteral("終了時刻１"), 130000}});
    }

    MainForm &open(const QString &authority)
    {
        context.Authority = authority;
        form = std::make_unique<MainForm>(context, plant.db(), prompter);
        form->load(nullptr);
        return *form;
    }

    void doubleClickClassLabel()
    {
        QLabel *label = form->kTbun();
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(3, 3), label->mapToGlobal(QPointF(3, 3)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &event);
    }

    TestPlant plant{GetParam()};
    RunContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<MainForm> form;
};

TEST_P(MainWindow, LoadShowsTheClassAndTheWindowSize)
{
    MainForm &f = open(QStringLiteral("1"));
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("生産計画支援システム"));
    EXPECT_EQ(f.kTbun()->text(), QStringLiteral("12 成形"));
    EXPECT_EQ(f.size(), QSize(1400, 900));
    EXPECT_FALSE(f.comHozon()->isEnabled());
    EXPECT_EQ(f.planStore().lastIndex(), 1); // no lots in this plant
}

// A settings file may ask for a window of any size: it keeps within the screen's free area
// (a window of 2147483647 pixels cost gigabytes and flooded the painter with warnings), and a
// tiny one still gets the window's minimum size.
TEST_P(MainWindow, WindowSizeKeepsWithinTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    ASSERT_GE(screen.width(), 1400) << "the tests run on an off-screen screen of a desktop's size";
    const struct
    {
        qint64 widthPixels, heightPixels;
        QSize expected;
    } cases[] = {
        {2147483647, 2147483647, screen},
        {20000, 20000, screen},
        {20000, 700, QSize(screen.width(), 700)},
        {1, 1, QSize()}, // the minimum size, checked below
    };
    for (const auto &c : cases) {
        context.WindowWidth = c.widthPixels * 15;
        context.WindowHeight = c.heightPixels * 15;
        MainForm &f = open(QStringLiteral("0"));
        const QSize expected = c.expected.isValid() ? c.expected : f.minimumSize();
        EXPECT_EQ(f.size(), expected) << c.widthPixels << "x" << c.heightPixels;
        f.close();
    }
}

TEST_P(MainWindow, InquiryModeIsShownAndNeverSaves)
{
    MainForm &f = open(QStringLiteral("0"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("生産計画支援システム(照会モード)"));
    f.unsavedChanges().markChanged();
    EXPECT_FALSE(f.comHozon()->isEnabled());
    EXPECT_FALSE(f.unsavedChanges().hasUnsavedChanges());
    EXPECT_FALSE(f.unsavedChanges().maySave());
    // Nothing unsaved: closing asks nothing.
    QSignalSpy finished(&f, &MainForm::finished);
    f.close();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(prompter.said().empty());
}

TEST_P(MainWindow, ClosingWithUnsavedChangesAsksAndNoKeepsTheWindow)
{
    MainForm &f = open(QStringLiteral("1"));
    f.unsavedChanges().markChanged();
    EXPECT_TRUE(f.comHozon()->isEnabled());
    EXPECT_TRUE(f.unsavedChanges().maySave());
    QSignalSpy finished(&f, &MainForm::finished);

    prompter.expectAnswer(false);
    f.close();
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, QStringLiteral("変更を保存せずに終了しますか？"));
    EXPECT_FALSE(prompter.said()[0].defaultYes);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.comHozon()->isEnabled());
    EXPECT_EQ(finished.count(), 0);

    prompter.expectAnswer(true);
    f.resize(1500, 950);
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(context.WindowWidth, 1500 * 15);
    EXPECT_EQ(context.WindowHeight, 950 * 15);
}

TEST_P(MainWindow, RestartAsksOnceAndForgetsTheClassOfTheCommandLine)
{
    MainForm &f = open(QStringLiteral("1"));
    f.unsavedChanges().markChanged();
    QSignalSpy restart(&f, &MainForm::restartRequested);
    QSignalSpy finished(&f, &MainForm::finished);

    prompter.expectAnswer(false);
    doubleClickClassLabel();
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("変更を保存せずに破棄しますか？")});
    EXPECT_FALSE(prompter.said()[0].defaultYes);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(context.LaunchArgs, QStringLiteral("20240401 12 OP1"));

    prompter.clear();
    prompter.expectAnswer(true);
    doubleClickClassLabel();
    EXPECT_EQ(prompter.said().size(), 1u) << "closing for the restart must not ask again";
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(restart.count(), 1);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(context.LaunchArgs, QStringLiteral("20240401"));
}

TEST_P(MainWindow, AfterARestartClosingAsksAgain)
{
    open(QStringLiteral("1"));
    doubleClickClassLabel(); // nothing unsaved: no question
    EXPECT_TRUE(prompter.said().empty());

    MainForm &again = open(QStringLiteral("1"));
    again.unsavedChanges().markChanged();
    prompter.expectAnswer(true);
    QSignalSpy finished(&again, &MainForm::finished);
    again.close();
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("変更を保存せずに終了しますか？")});
    EXPECT_EQ(finished.count(), 1);
}

TEST_P(MainWindow, AnEmptyBreakMasterIsToldOnce)
{
    plant.db().run(QStringLiteral("DELETE FROM DB0496"));
    try {
        open(QStringLiteral("1"));
        FAIL() << "the plan cannot be shown without breaks";
    } catch (const StartupError &error) {
        EXPECT_EQ(error.shown, StartupError::Shown::Already);
    }
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("休憩マスタにデータがありません。")});
}

INSTANTIATE_TEST_SUITE_P(Backends, MainWindow, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
