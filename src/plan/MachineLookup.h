#pragma once
// Every machine of the plant (all process classes), code and name, trimmed, in code order:
// turns a machine code into its name wherever a lot's machine is shown.

#include <QString>
#include <QStringList>

class Database;

class MachineLookup
{
public:
    // Replaces the lists with the plant's machines. Throws DbError when the query fails.
    void load(Database &db, int plantCode);

    const QStringList &codes() const { return m_codes; }
    const QStringList &names() const { return m_names; }
    // The name of a machine code (compared trimmed); empty when the plant has no such machine.
    QString nameOf(const QString &code) const;

private:
    QStringList m_codes;
    QStringList m_names;
};
