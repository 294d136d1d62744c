#pragma once
// Shares one copy of each repeated text read from the database (machine codes, flags,
// process and item names), so that a hundred thousand lots do not hold a hundred thousand
// copies of "2" or of the same process name. Lives only while a load runs; the records
// keep the shared copies.

#include <QSet>
#include <QString>

class TextPool
{
public:
    QString intern(const QString &text);

private:
    QSet<QString> m_texts;
};
