#pragma once
// A fresh plant database for one test: created from db/schema.sql on SQLite (a temporary
// file) or, when the test script provides a server (KALVUNER_TEST_POSTGRES, user in
// KALVUNER_TEST_POSTGRES_USER), as a database of its own on PostgreSQL, dropped again at the
// end. Tests insert only the rows they need.

#include "db/Database.h"

#include <QTemporaryDir>
#include <QVariantMap>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class TestPlant
{
public:
    enum class Backend { Sqlite, Postgres };

    // SQLite always; PostgreSQL too when the server's address is set.
    static std::vector<Backend> backends();
    // "SQLite" or "PostgreSQL", for INSTANTIATE_TEST_SUITE_P(..., TestPlant::backendName).
    static std::string backendName(const testing::TestParamInfo<Backend> &info);
    static std::string name(Backend backend);

    // What the new database holds: every table of the schema, or nothing at all.
    enum class Contents { Schema, Empty };

    // Throws DbError when the database cannot be created.
    explicit TestPlant(Backend backend = Backend::Sqlite, Contents contents = Contents::Schema);
    ~TestPlant();
    TestPlant(const TestPlant &) = delete;
    TestPlant &operator=(const TestPlant &) = delete;

    Backend backend() const { return m_backend; }
    Database &db() { return *m_db; }
    // The settings file's data-source field of this database and its login, so that code
    // under test can open its own connection.
    QString dataSourceField() const { return m_field; }
    QString user() const { return m_user; }

    // Inserts one row; columns left out take the schema's defaults.
    void insert(const QString &table, const QVariantMap &columns);

private:
    void dropServerDatabase();

    Backend m_backend;
    QString m_field;
    QString m_user;
    QString m_pgName;
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_admin; // PostgreSQL: the script's database, to create/drop ours
    std::unique_ptr<Database> m_db;
};

void PrintTo(TestPlant::Backend backend, std::ostream *os);
