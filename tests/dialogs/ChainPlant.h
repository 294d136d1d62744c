#pragma once
// Process chains in a plant database for the process add and show tests. Item A100
// "ケースＡ" of plant 1 runs through the process contents S10 成形 (class 01), S20 トリミング,
// S30 印刷, S50 組立 (class 02), S40 検査 (class 03) and S60 外注 (class 30); its routing
// has one step per content, numbered like the content (S20 is step 20).

#include "TestPlant.h"

class ChainPlant
{
public:
    explicit ChainPlant(TestPlant &database);

    // Arrangement `number` of process content `process` whose next process is `parent`
    // (0 = none): 100 pieces on M01, due 2024/05/20, unless `overrides` says otherwise.
    void arrangement(qint64 number, const QString &process, qint64 parent, const QVariantMap &overrides = {});

private:
    TestPlant &m_db;
};
