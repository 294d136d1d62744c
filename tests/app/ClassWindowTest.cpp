#include "app/ClassSelection.h"
#include "app/RememberedClass.h"
#include "plan/RunContext.h"
#include "app/ui/KBunSelect.h"

#include "ScriptedPrompter.h"
#include "TestPlant.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDate kToday(2024, 6, 15);

class ClassWindow : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        for (const auto &[code, name] : {std::pair{"05", "組立"}, std::pair{"12", "成形"}, std::pair{"30", "塗装"}})
            plant.insert(QStringLiteral("DB0399"), {{QStringLiteral("工程分類コード"), QString::fromUtf8(code)},
                                                    {QStringLiteral("工程分類名"), QString::fromUtf8(name)}});
        plant.insert(QStringLiteral("DB0399"), {{QStringLiteral("工程分類コード"), QStringLiteral("99")},
                                                {QStringLiteral("削除フラグ"), QStringLiteral("1")}});
        context.DisplayMonths = 2;
    }

    QString rememberedPath() const { return dir.filePath(QStringLiteral("planner.txt")); }

    // Loads the choice and shows the window as the program does.
    void open()
    {
        selection = std::make_unique<ClassSelection>(context, prompter, rememberedPath(), kToday);
        selection->load(plant.db());
        window = std::make_unique<KBunSelect>(*selection, prompter);
        window->show();
        window->activateWindow();
        QApplication::processEvents(); // the window's activation, and taking a class given on the command line
    }

    QComboBox *combo() const { return window->findChild<QComboBox *>(QStringLiteral("ComboKBun")); }
    QLineEdit *box(const char *name) const { return window->findChild<QLineEdit *>(QLatin1String(name)); }
    // The window closed with the class and period taken.
    void expectTaken(const QString &code, const QString &start, const QString &end) const
    {
        EXPECT_EQ(window->result(), QDialog::Accepted);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(context.ProcessClassCode, code);
        EXPECT_EQ(context.PeriodStart, start);
        EXPECT_EQ(context.PeriodEnd, end);
    }

    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    void type(QWidget *target, const QString &text)
    {
        target->setFocus();
        if (auto *edit = qobject_cast<QLineEdit *>(target))
            edit->clear();
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Return);
    }

    TestPlant plant{GetParam()};
    QTemporaryDir dir;
    RunContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<ClassSelection> selection;
    std::unique_ptr<KBunSelect> window;
};

TEST_P(ClassWindow, UnknownClassOnTheCommandLineIsNamedAndTheWindowStays)
{
    for (const char *args : {"20240401 99 OP1", "20240401 77 OP1"}) { // deleted, never listed
        SCOPED_TRACE(args);
        prompter.clear();
        context.LaunchArgs = QString::fromUtf8(args);
        context.Authority = QStringLiteral("1");
        open();
        EXPECT_TRUE(window->isVisible());
        ASSERT_EQ(prompter.said().size(), 1u);
        EXPECT_EQ(prompter.said()[0].text, QStringLiteral("工程分類コード「%1」はありません。一覧から選択してください。")
                                               .arg(QString::fromUtf8(args).section(u' ', 1, 1)));
        EXPECT_EQ(window->result(), 0);
    }
    prompter.clear();
    context.LaunchArgs = QStringLiteral("20240401 12 OP1");
    context.Authority = QStringLiteral("2"); // may not skip the window: a known class says nothing
    open();
    EXPECT_TRUE(prompter.said().empty());
}

TEST_P(ClassWindow, ClassOnTheCommandLineWithAuthorityOneClosesTheWindow)
{
    context.LaunchArgs = QStringLiteral("20240401 12 OP1");
    context.Authority = QStringLiteral("1");
    open();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(context.ProcessClassCode, QStringLiteral("12"));
    EXPECT_EQ(context.ProcessClassLabel, QStringLiteral("12 成形"));
    EXPECT_EQ(context.PeriodStart, QStringLiteral("2024/04/01"));
    EXPECT_EQ(context.PeriodEnd, QStringLiteral("2024/06/01"));
    EXPECT_EQ(remembered::readCode(rememberedPath()), QStringLiteral("12"));
    EXPECT_TRUE(prompter.said().empty());
}

TEST_P(ClassWindow, OtherAuthoritiesWaitWithClassAndPeriodFilledIn)
{
    for (const QString &authority : {QString(), QStringLiteral("0"), QStringLiteral("2")}) {
        context.LaunchArgs = QStringLiteral("20240401 012 OP1");
        context.Authority = authority;
        open();
        EXPECT_TRUE(window->isVisible()) << authority.toStdString();
        EXPECT_EQ(combo()->currentText(), QStringLiteral("12 成形"));
        EXPECT_EQ(box("strYYMMDD")->text(), QStringLiteral("2024/04/01"));
        EXPECT_EQ(box("endYYMMDD")->text(), QStringLiteral("2024/06/01"));
        EXPECT_EQ(focused(), QStringLiteral("ComboKBun"));
        EXPECT_TRUE(context.ProcessClassCode.isEmpty());
    }
}

TEST_P(ClassWindow, AfterARestartTheRememberedClassIsPreselected)
{
    ASSERT_TRUE(remembered::writeCode(rememberedPath(), QStringLiteral("30")));
    context.LaunchArgs = QStringLiteral("20240401");
    context.Authority = QStringLiteral("1");
    open();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(combo()->currentText(), QStringLiteral("30 塗装"));
    EXPECT_EQ(box("strYYMMDD")->text(), QStringLiteral("2024/04/01"));
}

TEST_P(ClassWindow, NoRememberedClassOrAnUnknownOneSelectsNothing)
{
    context.LaunchArgs = QStringLiteral("1");
    open();
    EXPECT_EQ(combo()->currentIndex(), -1);
    EXPECT_TRUE(box("strYYMMDD")->text().isEmpty());

    ASSERT_TRUE(remembered::writeCode(rememberedPath(), QStringLiteral("77")));
    open();
    EXPECT_EQ(combo()->currentIndex(), -1);
}

TEST_P(ClassWindow, NoStartDateKeepsTheWindowOpenEvenWithAuthorityOne)
{
    context.LaunchArgs = QStringLiteral("1 12 OP1");
    context.Authority = QStringLiteral("1");
    open();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(combo()->currentText(), QStringLiteral("12 成形"));
}

TEST_P(ClassWindow, PeriodOfTwentyEightDaysIsExtendedToTwentyNine)
{
    context.LaunchArgs = QStringLiteral("1");
    open();
    type(box("strYYMMDD"), QStringLiteral("2024/4/1"));
    EXPECT_EQ(box("strYYMMDD")->text(), QStringLiteral("2024/04/01"));
    EXPECT_EQ(focused(), QStringLiteral("endYYMMDD"));

    type(box("endYYMMDD"), QStringLiteral("4/29"));
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("指定期間は29日間以上を入力してください。")});
    EXPECT_EQ(box("endYYMMDD")->text(), QStringLiteral("2024/04/30"));
    EXPECT_EQ(focused(), QStringLiteral("endYYMMDD"));

    prompter.clear();
    QTest::keyClick(box("endYYMMDD"), Qt::Key_Return);
    EXPECT_TRUE(prompter.said().empty());
    EXPECT_EQ(focused(), QStringLiteral("ComboKBun"));

    combo()->setCurrentIndex(0);
    QTest::keyClick(combo(), Qt::Key_Return);
    expectTaken(QStringLiteral("05"), QStringLiteral("2024/04/01"), QStringLiteral("2024/04/30"));
}

TEST_P(ClassWindow, ChoosingWithoutADateAsksForIt)
{
    context.LaunchArgs = QStringLiteral("1");
    open();
    combo()->setCurrentIndex(1);
    QTest::keyClick(combo(), Qt::Key_Return);
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("日付を入力してください")});
    EXPECT_EQ(focused(), QStringLiteral("strYYMMDD"));
    EXPECT_TRUE(window->isVisible());

    // Typed without Enter and no date at all: still not taken.
    prompter.clear();
    box("strYYMMDD")->setText(QStringLiteral("abc"));
    box("endYYMMDD")->setText(QStringLiteral("2024/05/31"));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5), combo()->mapToGlobal(QPointF(5, 5)),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(combo(), &doubleClick);
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("日付を入力してください")});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(context.ProcessClassCode.isEmpty());
}

TEST_P(ClassWindow, LeavingAsksFirst)
{
    context.LaunchArgs = QStringLiteral("1");
    open();
    prompter.expectAnswer(false);
    window->close();
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, QStringLiteral("終了しますか？"));
    EXPECT_EQ(prompter.said()[0].title, QStringLiteral("終了確認"));
    EXPECT_EQ(focused(), QStringLiteral("ComboKBun"));

    prompter.expectAnswer(true);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_P(ClassWindow, ShowButtonTakesTheChoiceAsEnterInTheClassListDoes)
{
    context.LaunchArgs = QStringLiteral("1");
    open();
    auto *show = window->findChild<QPushButton *>(QStringLiteral("CmdDisp"));
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(show->isDefault());
    EXPECT_EQ(show->text(), QStringLiteral("表示"));

    combo()->setCurrentIndex(1);
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("日付を入力してください")});
    EXPECT_EQ(focused(), QStringLiteral("strYYMMDD"));
    EXPECT_TRUE(window->isVisible());

    prompter.clear();
    type(box("strYYMMDD"), QStringLiteral("2024/4/1"));
    EXPECT_TRUE(window->isVisible()) << "Enter in a date box moves on, it does not press the default button";
    type(box("endYYMMDD"), QStringLiteral("2024/5/31"));
    EXPECT_TRUE(window->isVisible());
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_TRUE(prompter.said().empty());
    expectTaken(QStringLiteral("12"), QStringLiteral("2024/04/01"), QStringLiteral("2024/05/31"));
}

TEST_P(ClassWindow, EndButtonAsksAsTheCloseBoxDoes)
{
    context.LaunchArgs = QStringLiteral("1");
    open();
    auto *leave = window->findChild<QPushButton *>(QStringLiteral("CmdEnd"));
    ASSERT_NE(leave, nullptr);
    EXPECT_EQ(leave->text(), QStringLiteral("終了"));

    prompter.expectAnswer(false);
    QTest::mouseClick(leave, Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("終了しますか？")});
    EXPECT_EQ(focused(), QStringLiteral("ComboKBun"));

    prompter.expectAnswer(true);
    QTest::mouseClick(leave, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(context.ProcessClassCode.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, ClassWindow, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
