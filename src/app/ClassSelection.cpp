#include "app/ClassSelection.h"

#include "db/Rows.h"
#include "plan/Prompter.h"
#include "app/RememberedClass.h"
#include "plan/RunContext.h"
#include "db/Statements.h"
#include "calendar/DateEntry.h"
#include "common/PlantValues.h"

namespace {
const QString kShortPeriod = QStringLiteral("指定期間は29日間以上を入力してください。");
const QString kNoDate = QStringLiteral("日付を入力してください");
const QString kNoClass = QStringLiteral("工程分類を選択してください");
constexpr int kMinimumDaysAfterStart = 28;
constexpr int kCorrectedDaysAfterStart = 29;

// The class to preselect: the second command-line token when the command line has one,
// else the remembered class; compared by numeric value. Empty when there is none.
QString preselectKey(const QString &launchArgs, const QString &rememberedPath)
{
    if (launchArgs.contains(u' '))
        return launchArgs.section(u' ', 1, 1, QString::SectionSkipEmpty);
    return remembered::readCode(rememberedPath);
}
} // namespace

ClassSelection::ClassSelection(RunContext &context, Prompter &prompter, QString rememberedPath, QDate today)
    : m_context(context), m_prompter(prompter), m_rememberedPath(std::move(rememberedPath)), m_today(today)
{
}

void ClassSelection::load(Database &db)
{
    m_entries.clear();
    m_selected = -1;
    const QString key = preselectKey(m_context.LaunchArgs, m_rememberedPath).trimmed();
    const double keyValue = plant::leadingNumber(key);

    Rows classes = ::select(db, sql::ProcessClasses);
    while (classes.next()) {
        const RowReader &row = classes.row();
        const QString code = row.text(QStringLiteral("工程分類コード"));
        const double value = plant::leadingNumber(code);
        m_entries.push_back({code + u' ' + row.text(QStringLiteral("工程分類名")), plant::roundHalfEven(value)});
        if (!key.isEmpty() && value == keyValue)
            m_selected = int(m_entries.size()) - 1; // a later match replaces an earlier one
    }

    m_launchClass = m_context.LaunchArgs.contains(u' ') ? key : QString();
    m_start.clear();
    m_end.clear();
    const QString &args = m_context.LaunchArgs;
    if (!args.isEmpty() && args != QStringLiteral("1")) {
        // The start date as "yyyymmdd" in the first eight characters; anything else leaves
        // the period for the planner to type.
        const QDate start = plant::dateFromDb(QStringView(args).left(8));
        if (start.isValid()) {
            m_start = plant::dateText(start);
            m_end = plant::dateText(start.addMonths(m_context.DisplayMonths));
        }
    }
}

bool ClassSelection::closesOnActivation() const
{
    const QString &args = m_context.LaunchArgs;
    return args.contains(u' ') && m_context.Authority == QStringLiteral("1") && m_selected >= 0
        && dateOf(m_start).isValid() && dateOf(m_end).isValid();
}

void ClassSelection::reportUnknownClass()
{
    if (!m_launchClass.isEmpty() && m_selected < 0)
        m_prompter.inform(QStringLiteral("工程分類コード「%1」はありません。一覧から選択してください。").arg(m_launchClass));
}

QDate ClassSelection::dateOf(const QString &text) const
{
    return plant::dateFromText(text.trimmed());
}

ClassSelection::Focus ClassSelection::enterStart()
{
    m_start = ParseDateEntry(m_start, m_today);
    return Focus::EndDate;
}

void ClassSelection::refuseShortPeriod(const QDate &start)
{
    m_prompter.inform(kShortPeriod);
    m_end = plant::dateText(start.addDays(kCorrectedDaysAfterStart));
}

ClassSelection::Focus ClassSelection::enterEnd()
{
    m_end = ParseDateEntry(m_end, m_today);
    const QDate start = dateOf(m_start);
    if (!start.isValid()) {
        m_prompter.inform(kNoDate);
        return Focus::StartDate;
    }
    if (dateOf(m_end) > start.addDays(kMinimumDaysAfterStart))
        return Focus::ClassList;
    refuseShortPeriod(start);
    return Focus::EndDate;
}

bool ClassSelection::confirm(Focus &focus)
{
    if (m_start.trimmed().isEmpty() || m_end.trimmed().isEmpty()) {
        m_prompter.inform(kNoDate);
        focus = Focus::StartDate;
        return false;
    }
    // Typed but never completed with Enter: the boxes must still hold dates, in order.
    const QDate start = dateOf(m_start);
    const QDate end = dateOf(m_end);
    if (!start.isValid() || !end.isValid()) {
        m_prompter.inform(kNoDate);
        focus = start.isValid() ? Focus::EndDate : Focus::StartDate;
        return false;
    }
    if (end < start) {
        refuseShortPeriod(start);
        focus = Focus::EndDate;
        return false;
    }
    if (m_selected < 0 || m_selected >= int(m_entries.size())) {
        m_prompter.inform(kNoClass);
        focus = Focus::ClassList;
        return false;
    }
    return true;
}

void ClassSelection::accept()
{
    const Entry &entry = m_entries.at(size_t(m_selected));
    m_context.ProcessClassCode = entry.text.section(u' ', 0, 0).trimmed();
    m_context.ProcessClassLabel = entry.text;
    m_context.PeriodStart = plant::dateText(dateOf(m_start));
    m_context.PeriodEnd = plant::dateText(dateOf(m_end));
    if (!remembered::writeCode(m_rememberedPath, m_context.ProcessClassCode))
        m_prompter.inform(QStringLiteral("前回の工程分類を記録できませんでした: ") + m_rememberedPath);
}
