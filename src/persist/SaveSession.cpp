#include "persist/SaveSession.h"

#include "db/Rows.h"
#include "db/RowWriter.h"
#include "db/Statements.h"
#include "common/PlantValues.h"

#include <QThread>
#include <algorithm>

SaveSession::SaveSession(Database &db, const RunContext &run, Prompter &prompter, const QDateTime &now,
                         const QString &accountName, RetryPolicy retry, ArrangementFingerprints *known)
    : m_db(db), m_run(run), m_prompter(prompter), m_now(now), m_accountName(accountName), m_retry(retry),
      m_elsewhere(known)
{
}

QString SaveSession::today() const
{
    return plant::dateToDb(m_now.date());
}

qint64 SaveSession::nowTime() const
{
    return plant::timeToDb(m_now.time());
}

Rows SaveSession::query(const QString &sql, const QVariantList &values)
{
    ++m_statements;
    return select(m_db, sql, values);
}

qint64 SaveSession::write(const QString &sql, const QVariantList &values)
{
    ++m_statements;
    return ::write(m_db, sql, values);
}

qint64 SaveSession::update(const QString &table, const QVariantMap &key, const QVariantMap &set)
{
    ++m_statements;
    return updateRow(m_db, table, key, set);
}

void SaveSession::insert(const QString &table, const QVariantMap &columns)
{
    ++m_statements;
    insertRow(m_db, table, columns);
}

void SaveSession::mark(const QString &statement)
{
    ++m_statements;
    ::write(m_db, statement);
}

bool SaveSession::retried(const std::function<void()> &write)
{
    for (int attempt = 0; attempt <= m_retry.retries; ++attempt) {
        if (attempt > 0 && m_retry.waitMilliseconds > 0)
            QThread::msleep(ulong(m_retry.waitMilliseconds));
        mark(sql::SavepointWrite);
        try {
            write();
            mark(sql::ReleaseSavepointWrite);
            return true;
        } catch (const DbError &error) {
            mark(sql::RollbackToSavepointWrite);
            mark(sql::ReleaseSavepointWrite);
            if (!error.transient)
                return false;
        }
    }
    return false;
}

void SaveSession::report(const QString &text)
{
    for (auto &[known, times] : m_reports)
        if (known == text) {
            ++times;
            return;
        }
    m_reports.emplace_back(text, 1);
}

void SaveSession::reportPart(const QString &text, qint64 arrangementNo)
{
    ++m_partFailures;
    auto known = std::find_if(m_partReports.begin(), m_partReports.end(),
                              [&](const auto &report) { return report.first == text; });
    if (known == m_partReports.end())
        known = m_partReports.insert(m_partReports.end(), {text, {}});
    if (std::find(known->second.begin(), known->second.end(), arrangementNo) == known->second.end())
        known->second.push_back(arrangementNo);
}

QString SaveSession::gatheredReport() const
{
    QStringList lines;
    for (const auto &[text, times] : m_reports)
        lines << (times > 1 ? QStringLiteral("%1（%2件）").arg(text).arg(times) : text);
    for (const auto &[text, arrangements] : m_partReports) {
        QStringList numbers;
        for (const qint64 number : arrangements)
            numbers << QString::number(number);
        lines << QStringLiteral("%1\n対象の手配番号: %2").arg(text, numbers.join(QStringLiteral("、")));
    }
    return lines.join(u'\n');
}
