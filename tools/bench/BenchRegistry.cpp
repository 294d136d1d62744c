#include "BenchRegistry.h"

std::unique_ptr<Database> BenchPlant::open(const QString &connectionName) const
{
    return Database::open(dataSource, user, password, connectionName);
}

std::vector<BenchRow> &benchRows()
{
    static std::vector<BenchRow> rows;
    return rows;
}

bool registerBenchRow(BenchRow row)
{
    benchRows().push_back(std::move(row));
    return true;
}
