#include "PlanCommand.h"

#include "plan/ConsolePrompter.h"
#include "db/Database.h"
#include "plan/PlanStore.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"
#include "app/SettingsFile.h"
#include "app/StartupError.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"
#include "editing/AutoPlacement.h"
#include "gantt/ClassRows.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {

// Messages go to the error output; every question gets the answer given with --answer.
class AnsweringPrompter : public ConsolePrompter
{
public:
    explicit AnsweringPrompter(bool yes) : m_yes(yes) {}
    bool ask(const QString &text, const QString &title, bool, PromptIcon icon) override
    {
        return ConsolePrompter::ask(text, title, m_yes, icon);
    }

private:
    bool m_yes;
};

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// A "yyyymmdd" argument as the "yyyy/mm/dd" text the run context holds; empty when it is
// no date.
QString periodDate(const QString &yyyymmdd)
{
    if (yyyymmdd.size() != 8)
        return {};
    return plant::dateText(plant::dateFromDb(yyyymmdd));
}

QString dateTime(const QDate &date, const QTime &time)
{
    return plant::dateText(date) + u' ' + plant::timeText(time);
}

void printStore(const PlanStore &store)
{
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &r = store[i];
        const QStringList fields{QString::number(i),
                                 QString::number(r.ArrangementNo),
                                 r.MachineCode,
                                 r.SupplierCode,
                                 dateTime(r.StartDate, r.StartTime),
                                 dateTime(r.EndDate, r.EndTime),
                                 QString::number(r.SetupMinutes),
                                 QString::number(r.WorkMinutes),
                                 QString::number(r.Quantity),
                                 r.ConfirmState,
                                 r.SchedulerFixed,
                                 QString::number(r.MembersWritten)};
        out() << fields.join(u'\t') << u'\n';
    }
    out().flush();
}

int usage(const QCommandLineParser &parser, const QString &problem)
{
    err() << problem << u'\n' << parser.helpText();
    err().flush();
    return 2;
}

} // namespace

int runPlanCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("計画データを読み込み、ロットを1行ずつタブ区切りで出力します。"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("plan"), QStringLiteral("計画データの出力"));
    const QCommandLineOption settingsOption(QStringLiteral("settings"), QStringLiteral("設定ファイル planner.ini"),
                                            QStringLiteral("file"));
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("データソース"), QStringLiteral("source"));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("ユーザーID"), QStringLiteral("user"));
    const QCommandLineOption passwordOption(QStringLiteral("password"), QStringLiteral("パスワード"),
                                            QStringLiteral("password"));
    const QCommandLineOption plantOption(QStringLiteral("plant"), QStringLiteral("生産工場コード (既定 1)"),
                                         QStringLiteral("code"));
    const QCommandLineOption classOption(QStringLiteral("class"), QStringLiteral("工程分類コード"), QStringLiteral("code"));
    const QCommandLineOption startOption(QStringLiteral("start"), QStringLiteral("計画期間の開始日 yyyymmdd"),
                                         QStringLiteral("yyyymmdd"));
    const QCommandLineOption endOption(QStringLiteral("end"), QStringLiteral("計画期間の終了日 yyyymmdd"),
                                       QStringLiteral("yyyymmdd"));
    const QCommandLineOption answerOption(QStringLiteral("answer"),
                                          QStringLiteral("自動配置の問い合わせへの回答 yes|no (既定 no)"),
                                          QStringLiteral("yes|no"), QStringLiteral("no"));
    parser.addOptions({settingsOption, dbOption, userOption, passwordOption, plantOption, classOption, startOption,
                       endOption, answerOption});
    if (!parser.parse(arguments))
        return usage(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return usage(parser, {});

    RunContext context;
    context.PlantCode = 1;
    try {
        if (parser.isSet(settingsOption))
            settings::read(parser.value(settingsOption), context);
    } catch (const StartupError &error) {
        return usage(parser, error.text);
    }
    if (parser.isSet(dbOption)) {
        context.DbDataSource = parser.value(dbOption);
        context.DbUser = parser.value(userOption);
        context.DbPassword = parser.value(passwordOption);
    }
    if (context.DbDataSource.isEmpty())
        return usage(parser, QStringLiteral("データソースがありません。--settings か --db を指定してください。"));
    if (parser.isSet(plantOption)) {
        bool ok = false;
        context.PlantCode = parser.value(plantOption).toInt(&ok);
        if (!ok)
            return usage(parser, QStringLiteral("生産工場コード「%1」は数字ではありません。").arg(parser.value(plantOption)));
    }
    context.ProcessClassCode = parser.value(classOption);
    if (context.ProcessClassCode.isEmpty())
        return usage(parser, QStringLiteral("工程分類コードがありません。--class を指定してください。"));
    context.PeriodStart = periodDate(parser.value(startOption));
    if (context.PeriodStart.isEmpty())
        return usage(parser, QStringLiteral("計画期間の開始日「%1」が正しくありません。--start yyyymmdd を指定してください。")
                                 .arg(parser.value(startOption)));
    if (parser.isSet(endOption)) {
        context.PeriodEnd = periodDate(parser.value(endOption));
        if (context.PeriodEnd.isEmpty() || context.periodEndDate() < context.periodStartDate())
            return usage(parser, QStringLiteral("計画期間の終了日「%1」が正しくありません。").arg(parser.value(endOption)));
    }
    const QString answer = parser.value(answerOption);
    if (answer != QStringLiteral("yes") && answer != QStringLiteral("no"))
        return usage(parser, QStringLiteral("--answer は yes か no です:「%1」").arg(answer));

    try {
        const auto db = Database::open(context.DbDataSource, context.DbUser, context.DbPassword);
        if (context.PeriodEnd.isEmpty())
            context.PeriodEnd = plant::dateText(context.periodStartDate().addMonths(context.DisplayMonths));
        AnsweringPrompter prompter(answer == QStringLiteral("yes"));
        ChartRows rows;
        WorkCalendar calendar;
        BreakTable breaks;
        if (buildClassRows(rows, calendar, breaks, context, *db, prompter) == RowsBuild::EndProgram)
            return 1;
        PlanStore store;
        ReturnPlanData(*db, context, store, nullptr);
        // The automatic placement of loading, as the main window runs it.
        EditPath path(store, calendar, context);
        path.takeLoadedPlan();
        const WorkingTime time(rows, calendar);
        PlanInsertion insertion(rows, time, context, prompter);
        FunPlanDataYoteiBarSet(path, insertion, rows, context, {});
        printStore(store);
    } catch (const DbError &error) {
        err() << error.text << u'\n';
        err().flush();
        return 1;
    }
    return 0;
}
