#include "PlanScript.h"

#include "common/PlantValues.h"
#include "plan/ChartRows.h"
#include "session/PlanSession.h"

#include <QRegularExpression>
#include <map>

namespace {

std::map<QString, ScriptAction> &registry()
{
    static std::map<QString, ScriptAction> actions;
    return actions;
}

bool sameArrangement(const PlanRecord &record, qint64 number)
{
    if (record.ArrangementNo == number)
        return true;
    for (const MemberSlots *set : {&record.Members, &record.AltMembers})
        for (int slot = 0; slot < set->size(); ++slot)
            if (set->at(slot).ArrangementNo == number)
                return true;
    return false;
}

} // namespace

bool registerScriptAction(ScriptAction action)
{
    const QString name = action.name;
    return registry().emplace(name, std::move(action)).second;
}

const ScriptAction *findScriptAction(const QString &name)
{
    const auto found = registry().find(name);
    return found == registry().end() ? nullptr : &found->second;
}

QStringList scriptActionUsages()
{
    QStringList usages;
    for (const auto &[name, action] : registry())
        usages.append(action.usage);
    return usages;
}

qint64 ScriptRun::lotOf(const QString &arrangementWord) const
{
    const qint64 number = scriptwords::wholeNumber(arrangementWord, QStringLiteral("手配番号"));
    const PlanStore &store = session.store();
    // The lot whose own number it is comes first; a member of a merged lot after that.
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (store[i].ArrangementNo == number && store[i].Active != 0)
            return i;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (store[i].Active != 0 && sameArrangement(store[i], number))
            return i;
    throw ScriptFailure{QStringLiteral("手配番号 %1 の計画は読み込まれていません。").arg(number)};
}

QString ScriptRun::rowCodeOf(const QString &word) const
{
    const ChartRows &rows = session.rows();
    if (word == QStringLiteral("-"))
        return rows.row(1).code;
    for (int row = 2; row <= rows.count(); ++row)
        if (!rows.row(row).code.trimmed().isEmpty() && rows.row(row).code.trimmed() == word.trimmed())
            return rows.row(row).code;
    throw ScriptFailure{QStringLiteral("行「%1」はチャートにありません。").arg(word)};
}

ReadScript readPlanScript(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("[\\t ]+"));
    ReadScript script;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = int(i + 1);
        QString line = lines[i];
        if (const qsizetype hash = line.indexOf(u'#'); hash >= 0)
            line.truncate(hash);
        QStringList words = line.trimmed().split(blanks, Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const QString name = words.takeFirst();
        const ScriptAction *action = findScriptAction(name);
        if (!action) {
            script.error = ScriptReadError{number, QStringLiteral("「%1」という操作はありません。").arg(name)};
            return script;
        }
        try {
            action->check(words);
        } catch (const ScriptFailure &failure) {
            script.error = ScriptReadError{number, failure.text};
            return script;
        }
        script.lines.push_back({number, action, words});
    }
    return script;
}

std::optional<ScriptReadError> runPlanScript(const std::vector<ScriptLine> &lines, PlanSession &session,
                                             AnsweringPrompter *answers)
{
    ScriptRun run(session, answers);
    for (const ScriptLine &line : lines) {
        try {
            line.action->run(run, line.words);
        } catch (const ScriptFailure &failure) {
            return ScriptReadError{line.number, failure.text};
        }
    }
    return std::nullopt;
}

namespace scriptwords {

void expectCount(const QStringList &words, qsizetype count, const QString &usage)
{
    if (words.size() != count)
        throw ScriptFailure{QStringLiteral("書式は「%1」です。").arg(usage)};
}

void expectAtLeast(const QStringList &words, qsizetype count, const QString &usage)
{
    if (words.size() < count)
        throw ScriptFailure{QStringLiteral("書式は「%1」です。").arg(usage)};
}

qint64 wholeNumber(const QString &word, const QString &what)
{
    bool ok = false;
    const qint64 number = word.toLongLong(&ok);
    if (!ok)
        throw ScriptFailure{QStringLiteral("%1「%2」は整数ではありません。").arg(what, word)};
    return number;
}

QDate date(const QString &word)
{
    const QDate parsed = QDate::fromString(word, QStringLiteral("yyyy/MM/dd"));
    if (!parsed.isValid())
        throw ScriptFailure{QStringLiteral("日付「%1」は yyyy/mm/dd の日付ではありません。").arg(word)};
    return parsed;
}

QTime time(const QString &word)
{
    const QTime parsed = QTime::fromString(word, QStringLiteral("hh:mm"));
    if (!parsed.isValid())
        throw ScriptFailure{QStringLiteral("時刻「%1」は hh:mm の時刻ではありません。").arg(word)};
    return parsed;
}

QDateTime moment(const QString &dateWord, const QString &timeWord)
{
    return plant::naiveDateTime(date(dateWord), time(timeWord));
}

} // namespace scriptwords
