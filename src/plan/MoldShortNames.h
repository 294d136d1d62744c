#pragma once
// The short names of the plant's molds by mold number, read once per load instead of once
// per lot.

#include <QHash>
#include <QString>

class Database;
class TextPool;

class MoldShortNames
{
public:
    // Throws DbError when the statement fails.
    static MoldShortNames load(Database &db, TextPool &pool);

    // The short name of a mold; empty when the mold is unknown or deleted.
    QString nameOf(const QString &moldNo) const { return m_names.value(moldNo); }

private:
    QHash<QString, QString> m_names;
};
