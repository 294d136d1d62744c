#include "plan/ArrangementFingerprint.h"

#include "common/PlantValues.h"

#include <array>

namespace {

enum class Kind { Text, Number };

struct FingerprintColumn
{
    const char16_t *name;
    quint32 ArrangementFingerprint::*group;
    Kind kind;
};

using F = ArrangementFingerprint;
const std::array<FingerprintColumn, 39> kColumns{{
    {u"手配数", &F::quantity, Kind::Number},
    {u"受入実績数", &F::actuals, Kind::Number},
    {u"完納区分", &F::completion, Kind::Text},
    {u"削除フラグ", &F::completion, Kind::Text},
    {u"機械コード", &F::schedule, Kind::Text},
    {u"指示先コード", &F::schedule, Kind::Text},
    {u"計上先コード", &F::schedule, Kind::Text},
    {u"品名コード", &F::schedule, Kind::Text},
    {u"作業開始日付", &F::schedule, Kind::Text},
    {u"作業開始時間", &F::schedule, Kind::Number},
    {u"作業終了日付", &F::schedule, Kind::Text},
    {u"作業終了時間", &F::schedule, Kind::Number},
    {u"開始日", &F::schedule, Kind::Text},
    {u"納期", &F::schedule, Kind::Text},
    {u"GNT初期納期", &F::schedule, Kind::Text},
    {u"GNT所要時間＿分", &F::schedule, Kind::Number},
    {u"作業時間", &F::schedule, Kind::Number},
    {u"段取時間", &F::schedule, Kind::Number},
    {u"必要人員", &F::schedule, Kind::Number},
    {u"手配確定区分", &F::state, Kind::Text},
    {u"スケジューラ固定区分", &F::state, Kind::Text},
    {u"更新日", &F::state, Kind::Text},
    {u"更新時刻", &F::state, Kind::Number},
    {u"受入即検収区分", &F::state, Kind::Text},
    {u"更新プログラム", &F::state, Kind::Text},
    {u"更新端末番号", &F::state, Kind::Number},
    {u"生産工場コード", &F::schedule, Kind::Number},
    {u"備考", &F::notes, Kind::Text},
    {u"サイクル", &F::notes, Kind::Number},
    {u"GNT表示区分", &F::notes, Kind::Text},
    {u"上位手配番号", &F::notes, Kind::Number},
    {u"手配区分", &F::price, Kind::Text},
    {u"社内社外区分", &F::price, Kind::Text},
    {u"仕入区分", &F::price, Kind::Text},
    {u"単価", &F::price, Kind::Number},
    {u"単価区分", &F::price, Kind::Text},
    {u"金額", &F::price, Kind::Number},
    {u"消費税額", &F::price, Kind::Number},
    {u"合計金額", &F::price, Kind::Number},
}};

unsigned groupFlag(quint32 ArrangementFingerprint::*group)
{
    if (group == &F::quantity)
        return QuantityChanged;
    if (group == &F::actuals)
        return ActualsChanged;
    if (group == &F::completion)
        return CompletionChanged;
    if (group == &F::schedule)
        return ScheduleChanged;
    if (group == &F::state)
        return StateChanged;
    return group == &F::notes ? NotesChanged : PriceChanged;
}

// A number as the fingerprint reads it: by value, a text by its leading number. The types
// the drivers give for number columns are read in place; anything else is converted.
double numberOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return double(*static_cast<const qlonglong *>(value.constData()));
    case QMetaType::Int:
        return double(*static_cast<const int *>(value.constData()));
    case QMetaType::Double:
        return *static_cast<const double *>(value.constData());
    default:
        break;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? number : plant::leadingNumber(value.toString());
}

// A text as the fingerprint reads it: without trailing blanks.
QStringView trimmedEnd(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return QStringView(text).left(end);
}

// Numbers hash by value and texts without trailing blanks, whatever type the backend gave.
size_t hashOf(const QVariant &value, Kind kind, size_t seed)
{
    if (value.isNull())
        return qHash(QStringView(), seed);
    if (kind == Kind::Number)
        return qHash(numberOf(value), seed);
    if (value.typeId() == QMetaType::QString)
        return qHash(trimmedEnd(*static_cast<const QString *>(value.constData())), seed);
    const QString text = value.toString();
    return qHash(trimmedEnd(text), seed);
}

} // namespace

unsigned ArrangementFingerprint::changesFrom(const ArrangementFingerprint &other) const
{
    unsigned changes = 0;
    if (quantity != other.quantity)
        changes |= QuantityChanged;
    if (actuals != other.actuals)
        changes |= ActualsChanged;
    if (completion != other.completion)
        changes |= CompletionChanged;
    if (schedule != other.schedule)
        changes |= ScheduleChanged;
    if (state != other.state)
        changes |= StateChanged;
    if (notes != other.notes)
        changes |= NotesChanged;
    if (price != other.price)
        changes |= PriceChanged;
    return changes;
}

unsigned fingerprintColumnGroup(int k)
{
    return groupFlag(kColumns[size_t(k)].group);
}

bool sameFingerprintValue(int k, const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (kColumns[size_t(k)].kind == Kind::Number)
        return numberOf(a) == numberOf(b);
    const QString first = a.toString(), second = b.toString();
    return trimmedEnd(first) == trimmedEnd(second);
}

const QStringList &fingerprintColumns()
{
    static const QStringList names = [] {
        QStringList list;
        for (const FingerprintColumn &column : kColumns)
            list << QString::fromUtf16(column.name);
        return list;
    }();
    return names;
}

const QStringList &fingerprintColumnsLowerCase()
{
    static const QStringList names = [] {
        QStringList list;
        for (const QString &name : fingerprintColumns())
            list << name.toLower();
        return list;
    }();
    return names;
}

ArrangementFingerprint fingerprintOf(const std::function<QVariant(int)> &valueAt)
{
    ArrangementFingerprint fingerprint;
    for (int k = 0; k < int(kColumns.size()); ++k) {
        quint32 &group = fingerprint.*(kColumns[size_t(k)].group);
        // Each value is hashed with the group so far, so that the order of the values counts.
        group = quint32(hashOf(valueAt(k), kColumns[size_t(k)].kind, size_t(group) * 31u + size_t(k)));
    }
    return fingerprint;
}

const ArrangementFingerprint *ArrangementFingerprints::find(qint64 arrangementNo) const
{
    const auto it = m_known.constFind(arrangementNo);
    return it == m_known.cend() ? nullptr : &it.value();
}

void ArrangementFingerprints::keep(qint64 arrangementNo, const ArrangementFingerprint &fingerprint)
{
    m_known.insert(arrangementNo, fingerprint);
}
