#include "ChainPlant.h"

ChainPlant::ChainPlant(TestPlant &database) : m_db(database)
{
    const struct
    {
        const char *code, *name, *processClass;
    } processes[] = {{"S10", "成形", "01"}, {"S20", "トリミング", "02"}, {"S30", "印刷", "02"},
                     {"S40", "検査", "03"}, {"S50", "組立", "02"},       {"S60", "外注", "30"}};
    for (const auto &p : processes) {
        const QString code = QString::fromLatin1(p.code);
        m_db.insert("DB0382", {{"工程内容コード", code}, {"工程内容名", QString::fromUtf8(p.name)},
                               {"工程分類コード", QString::fromLatin1(p.processClass)}});
        m_db.insert("DB0381", {{"品名コード", "A100"}, {"順序", code.mid(1).toInt()}, {"生産工場コード", 1},
                               {"工程内容コード", code}});
    }
    m_db.insert("DB0378", {{"品名コード", "A100"}, {"型番名", "ケースＡ"}});
}

void ChainPlant::arrangement(qint64 number, const QString &process, qint64 parent, const QVariantMap &overrides)
{
    QVariantMap values{{"手配番号", number},       {"上位手配番号", parent},     {"生産工場コード", 1},
                       {"品名コード", "A100"},     {"順序", process.mid(1).toInt()}, {"工程内容コード", process},
                       {"機械コード", "M01     "}, {"手配数", 100},              {"納期", "20240520"}};
    values.insert(overrides);
    m_db.insert("DB0253", values);
}
