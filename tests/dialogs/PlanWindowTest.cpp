// The detail window driven as a planner would: typing into its boxes and pressing Enter, the
// questions it asks, the look-up of an item and closing it with its buttons, with what ends
// up in the lot and in the undo history.

#include "DetailWindowPlant.h"
#include "dialogs/PlanDetailFill.h"
#include "dialogs/ui/PlanWindow.h"
#include "editing/LotRules.h"
#include "editing/PlanInsertion.h"
#include "common/TypedNumber.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PlanWindowTest : public ::testing::Test
{
protected:
    void open() { window = fixture.openWindow(); }
    QString text(const char *name) const { return window->box(QString::fromLatin1(name))->text(); }
    void enter(const char *name, const QString &typed)
    {
        QLineEdit *box = window->box(QString::fromLatin1(name));
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void leave(QWidget *widget)
    {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(widget, &out);
    }
    void click(const char *button) { QTest::mouseClick(window->button(QString::fromLatin1(button)), Qt::LeftButton); }

    DetailWindowPlant fixture;
    EditingPlant &plant = fixture.plant;
    std::unique_ptr<PlanWindow> window;
};

TEST_F(PlanWindowTest, OpensWithTheLotAndItsCaseCounts)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("詳細情報"));
    EXPECT_EQ(text("Text14"), QStringLiteral("5001"));
    EXPECT_EQ(text("Text7") + ' ' + text("Text1"), QStringLiteral("2024/05/10 08:00:00"));
    EXPECT_EQ(text("Text8") + ' ' + text("Text6"), QStringLiteral("2024/05/10 09:00:00"));
    EXPECT_EQ(text("Text16"), QStringLiteral("60"));
    EXPECT_EQ(text("Text27") + '/' + text("Text28"), QStringLiteral("3/10"));
    EXPECT_EQ(window->list(QStringLiteral("NList"))->item(0)->text(), QStringLiteral("5001 成形 ケースＡ 100"));
    EXPECT_EQ(window->machineBox()->count(), 3);
    EXPECT_EQ(window->destinationBox()->count(), 2);
}

TEST_F(PlanWindowTest, TotalsAboveThirtyMinutesMoveTheEnd)
{
    const struct
    {
        const char *total;
        const char *end;
    } cases[] = {{"30", "09:00:00"}, {"31", "08:31:00"}, {"120", "10:00:00"}};
    for (const auto &c : cases) {
        open();
        enter("Text16", QString::fromLatin1(c.total));
        EXPECT_EQ(text("Text6"), QString::fromLatin1(c.end)) << c.total;
        EXPECT_EQ(text("Text19"), QString::fromLatin1(c.total)) << "no setup: work = total";
    }
    EXPECT_TRUE(plant.prompter.said().empty());
}

TEST_F(PlanWindowTest, AnEndInsideABreakIsMovedToTheEndThereIs)
{
    // On 2024/05/10 M01 stops from 12:00 to 13:00.
    ASSERT_EQ(plant.calendar.dateOf(11), QDate(2024, 5, 10));
    plant.amendDay(2, 11, [](CalendarDay &day) {
        day.hourly = DaySpans();
        day.hourly.append(QTime(8, 0), QTime(12, 0));
        day.hourly.append(QTime(13, 0), QTime(8, 0));
    });
    open();
    plant.prompter.expectAnswer(false); // keep the quantity
    enter("Text6", QStringLiteral("12:30"));

    EXPECT_EQ(text("Text8") + ' ' + text("Text6"), QStringLiteral("2024/05/10 13:01:00"));
    EXPECT_EQ(text("Text16"), QStringLiteral("241"));
    EXPECT_EQ(text("Text3"), QStringLiteral("100"));
    EXPECT_EQ(plant.prompter.texts(), QStringList{detail::AskQuantityFromEnd});
    EXPECT_FALSE(plant.prompter.said().back().defaultYes);
}

TEST_F(PlanWindowTest, AnEndTimeSetsTheQuantityWhenThePlannerAgrees)
{
    open();
    plant.prompter.expectAnswer(true);
    enter("Text6", QStringLiteral("10:00"));
    EXPECT_EQ(text("Text19"), QStringLiteral("120"));
    EXPECT_EQ(text("Text3"), QStringLiteral("200")); // 120 minutes at 36 seconds a piece
    EXPECT_EQ(text("Text27") + '/' + text("Text28"), QStringLiteral("6/20"));
}

TEST_F(PlanWindowTest, AnEndAMonthLaterIsReachedToTheMinute)
{
    open();
    enter("Text8", QStringLiteral("2024/06/09"));
    plant.prompter.expectAnswer(false);
    enter("Text6", QStringLiteral("08:00"));
    EXPECT_EQ(text("Text16"), QString::number(30 * 1440));
    EXPECT_EQ(text("Text8") + ' ' + text("Text6"), QStringLiteral("2024/06/09 08:00:00"));
}

TEST_F(PlanWindowTest, WrongEndTimesAreRefused)
{
    open();
    enter("Text6", QStringLiteral("25:61"));
    enter("Text6", QStringLiteral("07:00"));
    EXPECT_EQ(plant.prompter.texts(), (QStringList{detail::BadEndTime, detail::EndBeforeStart}));
    EXPECT_EQ(text("Text8"), QStringLiteral("2024/05/10"));
}

TEST_F(PlanWindowTest, AQuantityChangesTheMinutesOnlyWhenThePlannerAgrees)
{
    const struct
    {
        bool yes;
        const char *work;
        const char *end;
    } cases[] = {{false, "60", "09:00:00"}, {true, "120", "10:00:00"}};
    for (const auto &c : cases) {
        open();
        plant.prompter.expectAnswer(c.yes);
        enter("Text3", QStringLiteral("200"));
        EXPECT_EQ(text("Text3"), QStringLiteral("200"));
        EXPECT_EQ(text("Text19"), QString::fromLatin1(c.work));
        EXPECT_EQ(text("Text6"), QString::fromLatin1(c.end));
        EXPECT_EQ(plant.prompter.texts().last(), detail::AskRecalculate);
    }
}

TEST_F(PlanWindowTest, WrongStartDatesAndTimesKeepTheFocusAndChangeNothing)
{
    open();
    enter("Text7", QStringLiteral("abc"));
    enter("Text1", QStringLiteral("8時"));
    EXPECT_EQ(plant.prompter.texts(), (QStringList{detail::BadDate, detail::BadTime}));
    EXPECT_EQ(text("Text6"), QStringLiteral("09:00:00"));
    enter("Text1", QStringLiteral("8:0"));
    EXPECT_EQ(text("Text1"), QStringLiteral("08:00:00"));
    enter("Text7", QStringLiteral("2024.5.11"));
    EXPECT_EQ(text("Text7"), QStringLiteral("2024/05/11"));
    EXPECT_EQ(text("Text8") + ' ' + text("Text6"), QStringLiteral("2024/05/11 09:00:00"));
}

TEST_F(PlanWindowTest, LeavingTheItemCodeLooksTheItemUpExceptForSundryItems)
{
    for (const char *code : {"A200", "199914"})
        fixture.database.insert(QStringLiteral("DB0378"), {{QStringLiteral("品名コード"), QString::fromLatin1(code)},
                                                           {QStringLiteral("型番名"), QStringLiteral("新ケース")},
                                                           {QStringLiteral("型番名仕様ＡＮＫ"), QStringLiteral("NEW-1")}});
    const struct
    {
        const char *code;
        QString name;
    } cases[] = {{"A200", QStringLiteral("新ケース")}, {"199914", QStringLiteral("部品Ａ")}};
    for (const auto &c : cases) {
        open();
        window->box(QStringLiteral("Text10"))->setText(QString::fromLatin1(c.code));
        leave(window->box(QStringLiteral("Text10")));
        EXPECT_EQ(text("Text2"), c.name) << c.code;
    }
}

TEST_F(PlanWindowTest, TheCompositionCannotChangeAfterActualProduction)
{
    fixture.amend([](PlanRecord &r) { r.ReceivedQty = 1; });
    open();
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(window->list(QStringLiteral("KList")), &in);
    EXPECT_EQ(plant.prompter.texts(), QStringList{detail::CompositionLocked});
    EXPECT_EQ(text("Text37"), QString());
}

TEST_F(PlanWindowTest, ADestinationOfOneCharacterCountsAsNone)
{
    const struct
    {
        const char *typed;
        QString stored;
    } cases[] = {{"D", QStringLiteral("            ")}, {"S01", QStringLiteral("S01         ")}};
    for (const auto &c : cases) {
        open();
        window->destinationBox()->setEditText(QString::fromLatin1(c.typed));
        click("Command1");
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(plant.store[fixture.lot].SupplierCode, c.stored) << c.typed;
        EXPECT_EQ(plant.store[fixture.lot].MachineCode, EditingPlant::M01);
    }
}

TEST_F(PlanWindowTest, AnEmptyItemCodeOrCancelLeavesTheLotUntouched)
{
    for (const char *button : {"Command1", "Command8"}) {
        open();
        const PlanRecord before = plant.store[fixture.lot];
        if (QByteArray(button) == "Command1")
            window->box(QStringLiteral("Text10"))->clear();
        plant.prompter.expectAnswer(true);
        enter("Text3", QStringLiteral("500"));
        enter("Text39", QStringLiteral("急ぎ"));
        click(button);
        EXPECT_FALSE(window->isVisible()) << button;
        EXPECT_EQ(plant.store[fixture.lot], before) << button;
        EXPECT_FALSE(plant.path->canUndo()) << button;
    }
}

TEST_F(PlanWindowTest, DigitsThatAreNoDateAreRefusedNotTakenForToday)
{
    // Each box with its rule's message: the end date's rule speaks of the time.
    for (const auto &[box, message] : {std::pair{"Text7", detail::BadDate}, std::pair{"Text8", detail::BadTime}}) {
        for (const QString &typed : {QStringLiteral("2024/02/30"), QStringLiteral("20241345"), QStringLiteral("123456789")}) {
            open();
            plant.prompter.clear();
            enter(box, typed);
            EXPECT_EQ(plant.prompter.texts(), QStringList{message}) << box << typed.toStdString();
            EXPECT_EQ(QApplication::focusWidget(), window->box(QLatin1String(box))) << box << typed.toStdString();
            EXPECT_EQ(text(box), typed) << box;
        }
    }
}

TEST_F(PlanWindowTest, ANumberBoxThatHoldsNoNumberIsRefusedNamingTheBoxAndTheLotStays)
{
    // Read as a column is read, "abc" in 手配数 was 0 pieces: a deleted arrangement once saved.
    const struct
    {
        const char *box;
        const char16_t *caption;
        const char *typed;
        bool checkedAtClose; // 合計時間 is not stored: only its Enter reads it
    } cases[] = {{"Text3", u"手配数", "abc", true},    {"Text3", u"手配数", "", true},
                 {"Text3", u"手配数", "-5", true},     {"Text13", u"段取時間", "1O", true},
                 {"Text15", u"秒/個", "x36", true},    {"Text19", u"作業時間", "６0分", true},
                 {"Text40", u"必要人員", "一", true}, {"Text16", u"合計時間", "abc", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed);
        open();
        plant.prompter.clear();
        const PlanRecord before = plant.store[fixture.lot];
        const QString message = plant::badNumberText(QString::fromUtf16(c.caption));
        QLineEdit *box = window->box(QString::fromLatin1(c.box));

        enter(c.box, QString::fromUtf8(c.typed)); // no question asked: the scripted planner has no answer
        EXPECT_EQ(plant.prompter.texts(), QStringList{message});
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_EQ(box->text(), QString::fromUtf8(c.typed));

        if (c.checkedAtClose) {
            plant.prompter.clear();
            window->box(QStringLiteral("Text39"))->setFocus();
            click("Command1");
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(window->lastWriteBack(), WriteBackResult::NumberRefused);
            EXPECT_EQ(plant.prompter.texts(), QStringList{message});
            EXPECT_EQ(QApplication::focusWidget(), box);
            EXPECT_EQ(plant.store[fixture.lot], before);
            EXPECT_FALSE(plant.path->canUndo());
        }
        click("Command8");
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(plant.store[fixture.lot], before);
    }
}

TEST_F(PlanWindowTest, RatesShowToTheThousandthAndAnUntouchedRateChangesNothing)
{
    fixture.amend([](PlanRecord &record) {
        record.SecondsPerPiece = 35.9999133336222;
        record.Cycle = 71.99982666;
        record.Cavities = 2;
    });
    open();
    EXPECT_EQ(text("Text15"), QStringLiteral("36"));
    EXPECT_EQ(text("Text24"), QStringLiteral("72"));
    const PlanRecord before = plant.store[fixture.lot];
    click("Command1");
    EXPECT_FALSE(window->isVisible());
    const PlanRecord &after = plant.store[fixture.lot];
    EXPECT_EQ(after.SecondsPerPiece, before.SecondsPerPiece);
    EXPECT_EQ(after.WorkMinutes, before.WorkMinutes);
    EXPECT_EQ(lots::startInstant(after), lots::startInstant(before));
    EXPECT_EQ(lots::endInstant(after), lots::endInstant(before));
}

TEST_F(PlanWindowTest, AStartThatIsNoDateKeepsTheWindowOpen)
{
    open();
    window->box(QStringLiteral("Text7"))->setText(QStringLiteral("2024/13/45"));
    click("Command1");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->lastWriteBack(), WriteBackResult::StartRefused);
    EXPECT_EQ(plant.prompter.texts(), QStringList{detail::BadDate});
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(PlanWindowTest, TheWriteBackMovesTheLotAndPushesLaterLotsInOneUndoStep)
{
    const qint64 other = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/10 09:00")});
    open();
    const PlanRecord lotBefore = plant.store[fixture.lot];
    const PlanRecord otherBefore = plant.store[other];
    window->machineBox()->setEditText(EditingPlant::M02);
    enter("Text1", QStringLiteral("8:30"));
    EXPECT_EQ(text("Text6"), QStringLiteral("09:30:00"));
    enter("Text39", QStringLiteral("M02へ"));
    plant.prompter.expectAnswer(true); // push the later lot back
    click("Command1");

    EXPECT_EQ(plant.store[fixture.lot].MachineCode, EditingPlant::M02);
    EXPECT_EQ(plant.startText(fixture.lot), "2024/05/10 08:30");
    EXPECT_EQ(plant.endText(fixture.lot), "2024/05/10 09:30");
    EXPECT_EQ(plant.store[fixture.lot].Remarks, QStringLiteral("M02へ"));
    EXPECT_EQ(plant.startText(other), "2024/05/10 09:31");
    EXPECT_EQ(plant.prompter.texts(), QStringList{insertion::AskPushLaterBack});
    EXPECT_TRUE(plant.path->saveEnabled());

    plant.path->undo();
    EXPECT_EQ(plant.store[fixture.lot], lotBefore);
    EXPECT_EQ(plant.store[other], otherBefore);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(PlanWindowTest, ANewQuantityFollowsIntoTheMemberSlotsThatHeldTheOldOne)
{
    fixture.amend([](PlanRecord &r) { r.AltMembers.set(1) = r.Members.at(0); });
    open();
    plant.prompter.expectAnswer(true);
    enter("Text3", QStringLiteral("200"));
    click("Command1");
    const PlanRecord &lot = plant.store[fixture.lot];
    EXPECT_EQ(lot.Quantity, 200);
    EXPECT_EQ(lot.Members.at(0).Quantity, 200);
    EXPECT_EQ(lot.AltMembers.at(1).Quantity, 200);
    EXPECT_EQ(lot.WorkMinutes, 120);
    EXPECT_EQ(plant.endText(fixture.lot), "2024/05/10 10:00");
}

TEST_F(PlanWindowTest, HidingTheLotMarksItForCompletion)
{
    const struct
    {
        bool yes;
        quint8 mark;
        bool open;
    } cases[] = {{false, 0, true}, {true, 1, false}};
    for (const auto &c : cases) {
        open();
        plant.prompter.expectAnswer(c.yes);
        click("Command7");
        EXPECT_EQ(window->isVisible(), c.open);
        EXPECT_EQ(plant.store[fixture.lot].DetailMark, c.mark);
        window->close();
    }
}

TEST_F(PlanWindowTest, EnterWalksTheBoxesInTabOrder)
{
    open();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->box(QStringLiteral("Text7"))->setFocus();
    enter("Text7", QStringLiteral("2024/05/10"));
    EXPECT_EQ(QApplication::focusWidget(), window->box(QStringLiteral("Text1")));
    window->box(QStringLiteral("Text18"))->setFocus();
    QTest::keyClick(window->box(QStringLiteral("Text18")), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window->box(QStringLiteral("Text7"))) << "after 13 the order starts again";
}

} // namespace
