#include "CliSession.h"

#include "app/PlantStartup.h"
#include "app/SettingsFile.h"
#include "app/StartupChecks.h"
#include "app/StartupError.h"
#include "common/PlantValues.h"
#include "db/Database.h"
#include "session/PlanSession.h"

QTextStream &cliOut()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &cliErr()
{
    static QTextStream stream(stderr);
    return stream;
}

namespace {

// A "yyyymmdd" argument as the "yyyy/mm/dd" text the run context holds; empty when it is
// no date.
QString periodDate(const QString &yyyymmdd)
{
    if (yyyymmdd.size() != 8)
        return {};
    return plant::dateText(plant::dateFromDb(yyyymmdd));
}

} // namespace

QString dateTime(const QDate &date, const QTime &time)
{
    return plant::dateText(date) + u' ' + plant::timeText(time);
}

CliSession::CliSession(QCommandLineParser &parser)
    : m_parser(parser),
      m_settings(QStringLiteral("settings"), QStringLiteral("設定ファイル planner.ini"), QStringLiteral("file")),
      m_db(QStringLiteral("db"), QStringLiteral("データソース"), QStringLiteral("source")),
      m_user(QStringLiteral("user"), QStringLiteral("ユーザーID"), QStringLiteral("user")),
      m_password(QStringLiteral("password"), QStringLiteral("パスワード"), QStringLiteral("password")),
      m_plant(QStringLiteral("plant"), QStringLiteral("生産工場コード (既定 1)"), QStringLiteral("code")),
      m_class(QStringLiteral("class"), QStringLiteral("工程分類コード"), QStringLiteral("code")),
      m_start(QStringLiteral("start"), QStringLiteral("計画期間の開始日 yyyymmdd"), QStringLiteral("yyyymmdd")),
      m_end(QStringLiteral("end"), QStringLiteral("計画期間の終了日 yyyymmdd"), QStringLiteral("yyyymmdd")),
      m_operator(QStringLiteral("operator"), QStringLiteral("担当者コード (権限を DB0003 から読む。省略時と DB0003 にないコードは全権限)"),
                 QStringLiteral("code")),
      m_answer(QStringLiteral("answer"), QStringLiteral("問い合わせへの回答 yes|no (既定 no)"), QStringLiteral("yes|no"),
               QStringLiteral("no"))
{
    parser.addHelpOption();
    parser.addOptions({m_settings, m_db, m_user, m_password, m_plant, m_class, m_start, m_end, m_operator, m_answer});
}

CliSession::~CliSession() = default;

int CliSession::usage(const QString &problem) const
{
    cliErr() << problem << u'\n' << m_parser.helpText();
    cliErr().flush();
    return cli::BadInput;
}

std::optional<int> CliSession::readOptions()
{
    if (m_parser.isSet(QStringLiteral("help")))
        return usage({});
    // The command itself is the first positional argument; nothing may follow it.
    if (const QStringList extra = m_parser.positionalArguments().mid(1); !extra.isEmpty())
        return usage(startup::extraArgumentsText(extra));
    m_context.PlantCode = 1;
    try {
        if (m_parser.isSet(m_settings))
            settings::read(m_parser.value(m_settings), m_context);
    } catch (const StartupError &error) {
        return usage(error.text);
    }
    if (m_parser.isSet(m_db)) {
        m_context.DbDataSource = m_parser.value(m_db);
        m_context.DbUser = m_parser.value(m_user);
        m_context.DbPassword = m_parser.value(m_password);
    }
    if (m_context.DbDataSource.isEmpty())
        return usage(QStringLiteral("データソースがありません。--settings か --db を指定してください。"));
    if (m_parser.isSet(m_plant)) {
        const std::optional<int> plantCode = startup::plantCodeOf(m_parser.value(m_plant));
        if (!plantCode)
            return usage(startup::plantCodeProblemText(m_parser.value(m_plant)));
        m_context.PlantCode = *plantCode;
    }
    m_context.ProcessClassCode = m_parser.value(m_class);
    if (m_context.ProcessClassCode.isEmpty())
        return usage(QStringLiteral("工程分類コードがありません。--class を指定してください。"));
    if (const auto problem = startup::codeProblem(QStringLiteral("工程分類コード"), m_context.ProcessClassCode))
        return usage(*problem);
    m_context.PeriodStart = periodDate(m_parser.value(m_start));
    if (m_context.PeriodStart.isEmpty())
        return usage(QStringLiteral("計画期間の開始日「%1」が正しくありません。--start yyyymmdd を指定してください。")
                         .arg(m_parser.value(m_start)));
    if (m_parser.isSet(m_end)) {
        m_context.PeriodEnd = periodDate(m_parser.value(m_end));
        if (m_context.PeriodEnd.isEmpty() || m_context.periodEndDate() < m_context.periodStartDate())
            return usage(QStringLiteral("計画期間の終了日「%1」が正しくありません。").arg(m_parser.value(m_end)));
    }
    m_context.OperatorCode = m_parser.value(m_operator);
    if (m_parser.isSet(m_operator)) {
        if (const auto problem = startup::codeProblem(QStringLiteral("担当者コード"), m_context.OperatorCode))
            return usage(*problem);
    }
    const QString answer = m_parser.value(m_answer);
    if (answer != QStringLiteral("yes") && answer != QStringLiteral("no"))
        return usage(QStringLiteral("--answer は yes か no です:「%1」").arg(answer));
    m_prompter = std::make_unique<AnsweringPrompter>(answer == QStringLiteral("yes"));
    return std::nullopt;
}

std::optional<int> CliSession::load()
{
    try {
        m_database = Database::open(m_context.DbDataSource, m_context.DbUser, m_context.DbPassword);
        // The operator's note goes to the error output; the run keeps full rights.
        if (const auto note = startup::readPlant(*m_database, m_context)) {
            cliErr() << *note << u'\n';
            cliErr().flush();
        }
        if (const auto problem = startup::classProblem(*m_database, m_context)) {
            cliErr() << *problem << u'\n';
            cliErr().flush();
            return cli::Failed;
        }
        m_session = std::make_unique<PlanSession>(m_context, *m_database, *m_prompter);
        if (m_session->load(nullptr) == PlanSession::LoadResult::NoBreakMaster)
            return cli::Failed;
    } catch (const DbError &error) {
        cliErr() << error.text << u'\n';
        cliErr().flush();
        return cli::Failed;
    }
    return std::nullopt;
}

void printPlan(const PlanSession &session, QTextStream &out)
{
    const PlanStore &store = session.store();
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &r = store[i];
        // A merged-away lot is on no chart and no list.
        if (r.Active == 0)
            continue;
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
        out << fields.join(u'\t') << u'\n';
    }
    out.flush();
}
