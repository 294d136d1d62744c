// kalvuner-cli with --operator: the operator's authority decides what the run may do. An
// inquiry-only operator sees the plan but a save is refused; a code the plant has not
// registered works with full rights and is named on the error output; without --operator the
// tool works as before.

#include "CliRun.h"
#include "DemoPlant.h"
#include "DemoRows.h"
#include "TestPlant.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliOperator : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override { demo::writePlant(plant.db(), {40, 11, CliPlantStart}, false); }

    ToolRun run(const QString &command, const QStringList &more)
    {
        QStringList arguments{command,
                              QStringLiteral("--db"),
                              plant.dataSourceField(),
                              QStringLiteral("--class"),
                              demo::MoldingClass,
                              QStringLiteral("--plant"),
                              QString::number(demo::PlantCode),
                              QStringLiteral("--start"),
                              CliPlantStart.toString(QStringLiteral("yyyyMMdd")),
                              QStringLiteral("--answer"),
                              QStringLiteral("yes")};
        if (!plant.user().isEmpty())
            arguments << QStringLiteral("--user") << plant.user();
        return runTool(arguments + more);
    }

    // A script that moves the first lot placed on a machine to `when` ("yyyy/mm/dd hh:mm").
    QString moveScript(const QString &plan, const QString &when = QStringLiteral("2026/12/21 08:00"))
    {
        QString move;
        for (const QString &line : plan.split(u'\n'))
            if (move.isEmpty() && !line.section(u'\t', 2, 2).trimmed().isEmpty())
                move = QStringLiteral("move %1 %2 %3\n")
                           .arg(line.section(u'\t', 1, 1), line.section(u'\t', 2, 2).trimmed(), when);
        QFile script(dir.filePath(QStringLiteral("move %1.txt").arg(QString(when).replace(u'/', u'-'))));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(move.toUtf8());
        return script.fileName();
    }

    QString storedStarts()
    {
        QStringList starts;
        QSqlQuery query = plant.db().run(
            QStringLiteral("SELECT 手配番号,作業開始日付,作業開始時間 FROM DB0253 ORDER BY 手配番号"));
        while (query.next())
            starts << query.value(0).toString() + u' ' + query.value(1).toString() + u' ' + query.value(2).toString();
        return starts.join(u'\n');
    }

    TestPlant plant{GetParam(), TestPlant::Contents::Empty};
    QTemporaryDir dir;
};

TEST_P(CliOperator, AuthorityDecidesWhetherTheScriptIsSaved)
{
    const ToolRun plan = run(QStringLiteral("plan"), {});
    ASSERT_EQ(plan.exitCode, 0) << plan.err.toStdString();
    const QString script = moveScript(plan.out);
    const QString before = storedStarts();

    // Inquiry only: the plan is shown, the save refused, the database as it was.
    const ToolRun inquiry = run(QStringLiteral("apply"), {QStringLiteral("--operator"), demo::InquiryOperator,
                                                          QStringLiteral("--script"), script, QStringLiteral("--save")});
    EXPECT_EQ(inquiry.exitCode, 1);
    EXPECT_TRUE(inquiry.err.contains(QStringLiteral("照会モードでは保存できません。"))) << inquiry.err.toStdString();
    EXPECT_FALSE(inquiry.out.isEmpty());
    EXPECT_EQ(storedStarts(), before);
    const ToolRun shown = run(QStringLiteral("plan"), {QStringLiteral("--operator"), demo::InquiryOperator});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out, plan.out);

    // A known operator with rights, one the plant has not registered, and no operator at all
    // save; only the unregistered code is named.
    const struct
    {
        QStringList who;
        QString when, note;
    } savers[] = {{{QStringLiteral("--operator"), demo::AdminOperator}, QStringLiteral("2026/12/21 08:00"), {}},
                  {{QStringLiteral("--operator"), demo::UnknownOperator},
                   QStringLiteral("2026/12/22 08:00"),
                   QStringLiteral("担当者コード「%1」は登録されていません。").arg(demo::UnknownOperator)},
                  {{}, QStringLiteral("2026/12/23 08:00"), {}}};
    QString previous = before;
    for (const auto &saver : savers) {
        SCOPED_TRACE(saver.when.toStdString());
        const ToolRun saved = run(QStringLiteral("apply"), saver.who + QStringList{QStringLiteral("--script"),
                                                                                  moveScript(plan.out, saver.when),
                                                                                  QStringLiteral("--save")});
        EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
        EXPECT_EQ(saved.err.contains(QStringLiteral("登録されていません")), !saver.note.isEmpty()) << saved.err.toStdString();
        if (!saver.note.isEmpty()) {
            EXPECT_TRUE(saved.err.contains(saver.note)) << saved.err.toStdString();
        }
        EXPECT_NE(storedStarts(), previous);
        previous = storedStarts();
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, CliOperator, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
