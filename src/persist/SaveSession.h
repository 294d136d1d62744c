#pragma once
// What every step of one save shares: the connection, the run's settings, the prompter, the
// moment of the save for the audit columns, and the bounded retry of single writes. Every
// statement goes through it, so a save can say how many it ran.

#include "db/Database.h"
#include "persist/ChangedElsewhere.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"

#include <QDateTime>
#include <QVariantMap>
#include <functional>
#include <utility>
#include <vector>

class Rows;

// How often a single write that met a transient refusal (busy, locked, serialization failure,
// deadlock) is tried again, and how long the save waits before each new try (another
// program may hold the row for a moment). A permanent refusal is never tried again.
struct RetryPolicy
{
    int retries = 10;
    int waitMilliseconds = 100;
};

class SaveSession
{
public:
    SaveSession(Database &db, const RunContext &run, Prompter &prompter, const QDateTime &now,
                const QString &accountName, RetryPolicy retry, ArrangementFingerprints *known = nullptr);

    Database &db() { return m_db; }
    const RunContext &run() const { return m_run; }
    Prompter &prompter() { return m_prompter; }
    const QString &accountName() const { return m_accountName; }
    // What the plan read of the rows it writes back, to leave rows changed elsewhere alone.
    ElsewhereCheck &elsewhere() { return m_elsewhere; }

    // The audit columns' today ("yyyymmdd") and now (hhmmss).
    QString today() const;
    qint64 nowTime() const;

    // A statement of the catalogue with its values bound: one that reads rows, and one that
    // writes (returning the number of rows written).
    Rows query(const QString &sql, const QVariantList &values = {});
    qint64 write(const QString &sql, const QVariantList &values = {});
    // Row writes by key and of whole rows (RowWriter).
    qint64 update(const QString &table, const QVariantMap &key, const QVariantMap &set);
    void insert(const QString &table, const QVariantMap &columns);

    // Runs `write` inside a savepoint of the lot's transaction. When the database refuses it,
    // the savepoint is rolled back; a transient refusal is tried again after a little wait,
    // up to the policy's retries. False when it was refused for good (the lot's other writes
    // stay).
    bool retried(const std::function<void()> &write);

    // What failed during the save, told once at its end: each text once, with how many lots
    // it concerned.
    void report(const QString &text);
    // A part of a lot's save failed for good while the lot's other writes go through (its
    // cycle row, a copied requirement row): told once at the end like report(), naming the
    // arrangements it concerned, and counted, so the save can list the lot.
    void reportPart(const QString &text, qint64 arrangementNo);
    qint64 partFailures() const { return m_partFailures; }
    // The gathered texts, one a line; empty when nothing failed.
    QString gatheredReport() const;

    qint64 statements() const { return m_statements; }

    // The subcontract price class is taken over while this is set: set by a slot whose
    // arrangement moves to a subcontractor, cleared after a slot with a quantity.
    bool refreshPriceClass = false;

private:
    void mark(const QString &statement);

    Database &m_db;
    const RunContext &m_run;
    Prompter &m_prompter;
    QDateTime m_now;
    QString m_accountName;
    RetryPolicy m_retry;
    std::vector<std::pair<QString, int>> m_reports; // text, times
    std::vector<std::pair<QString, std::vector<qint64>>> m_partReports; // text, arrangements
    qint64 m_partFailures = 0;
    qint64 m_statements = 0;
    ElsewhereCheck m_elsewhere;
};
