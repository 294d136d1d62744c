#include "app/ui/QtPrompter.h"
#include "Screenshots.h"
#include "app/ui/QtTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// What the planner saw in the box, read while it was open.
struct SeenBox
{
    QString text, yes, no, details;
    bool noIsDefault = false;
};

// Answers the next message box with a click on `answer` after reading it; saves its picture
// for scripts/screenshots.
void answerNextBox(SeenBox &seen, QMessageBox::StandardButton answer, const QString &picture)
{
    QTimer::singleShot(0, [&seen, answer, picture] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        seen = {box->text(), box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text(),
                box->detailedText(), box->defaultButton() == box->button(QMessageBox::No)};
        keepScreenshot(*box, picture);
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
}

TEST(QtPrompter, QuestionsReadHaiAndIieAndCarryTheirDetails)
{
    ASSERT_TRUE(installQtTranslations(*qApp)) << "Qt's Japanese translations (qt6-translations-l10n) are missing";
    QtPrompter qtPrompter;
    Prompter &prompter = qtPrompter; // the rules see the interface, with its defaults
    const QString question = QStringLiteral("金型が重複します。 [ 1件]\rそのまま保存しますか？");
    const QString details = QStringLiteral("金型 K1: 手配 1001 M1 2024/04/10 09:00～2024/04/10 17:00 ／ 手配 1002 M2 "
                                           "2024/04/10 12:00～2024/04/10 15:00");
    SeenBox seen;
    answerNextBox(seen, QMessageBox::Yes, QStringLiteral("question-box-details.png"));
    EXPECT_TRUE(prompter.askWithDetails(question, details, QStringLiteral("保存の確認"), false));
    EXPECT_EQ(seen.text, question);
    EXPECT_TRUE(seen.yes.startsWith(QStringLiteral("はい"))) << seen.yes.toStdString();
    EXPECT_TRUE(seen.no.startsWith(QStringLiteral("いいえ"))) << seen.no.toStdString();
    EXPECT_EQ(seen.details, details);
    EXPECT_TRUE(seen.noIsDefault);

    answerNextBox(seen, QMessageBox::No, QStringLiteral("question-box.png"));
    EXPECT_FALSE(prompter.ask(QStringLiteral("終了しますか？"), QStringLiteral("終了確認"), true));
    EXPECT_TRUE(seen.details.isEmpty());
    EXPECT_FALSE(seen.noIsDefault);
}

} // namespace
