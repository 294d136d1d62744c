#include "DemoMasters.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace demo {

namespace {

QString padded(const QString &code, int width) { return code.leftJustified(width, u' '); }

struct MachineSpec
{
    const char *code;      // the code without its unit number
    const char *name;      // the name without its unit number
    int units;             // machines of this kind in one hall
    int tonnage;
    const char *processes; // the process contents it does, blank-separated; empty for a press
};

// One molding hall: twenty machines from 50 to 850 tonnes. A bigger plant has more halls of
// the same machines, numbered on.
const MachineSpec MoldingMachines[] = {
    {"IM050", "成形機 50t", 2, 50, ""},   {"IM080", "成形機 80t", 2, 80, ""},   {"IM100", "成形機 100t", 2, 100, ""},
    {"IM130", "成形機 130t", 2, 130, ""}, {"IM150", "成形機 150t", 2, 150, ""}, {"IM180", "成形機 180t", 1, 180, ""},
    {"IM220", "成形機 220t", 2, 220, ""}, {"IM280", "成形機 280t", 1, 280, ""}, {"IM350", "成形機 350t", 2, 350, ""},
    {"IM450", "成形機 450t", 1, 450, ""}, {"IM550", "成形機 550t", 1, 550, ""}, {"IM650", "成形機 650t", 1, 650, ""},
    {"IM850", "成形機 850t", 1, 850, ""},
};

const MachineSpec SecondaryMachines[] = {
    {"SC-GC", "ゲートカット機", 2, 0, "201"}, {"SC-US", "超音波溶着機", 1, 0, "202"}, {"SC-PD", "パッド印刷機", 1, 0, "203"},
    {"SC-HS", "ホットスタンプ機", 1, 0, "203"}, {"SC-AS", "組立ライン", 2, 0, "204"},
};

const MachineSpec InspectionMachines[] = {
    {"QC-VI", "外観検査台", 2, 0, "301"}, {"QC-DM", "三次元測定機", 1, 0, "302"},
};

struct SupplierSpec
{
    const char *code;
    const char *name;
    const char *classCode;
};

// Outside subcontractors; some short names carry a branch in half- or full-width brackets.
const SupplierSpec Subcontractors[] = {
    {"S101", "山田化成(第二工場)", "01"}, {"S102", "東邦プラ（本社）", "01"},
    {"S103", "三和成形", "01"},           {"S104", "丸栄工業(株)", "01"},
    {"S105", "北星モールド", "01"},       {"S106", "中部樹脂（岐阜）", "01"},
    {"S201", "協和加工", "02"},           {"S202", "明光印刷(東)", "02"},
    {"S203", "新日本組立（協力会）", "02"}, {"S204", "信和テクノ", "02"},
    {"S301", "品質センター(南)", "03"},   {"S302", "検査サービス東海", "03"},
    {"S303", "ケイエス検査（浜松）", "03"}, {"S304", "丸和検品", "03"},
};

const char *const PartNames[] = {
    "フロントカバー", "リアケース", "ギアハウジング", "コネクタハウジング", "ボタンキャップ",
    "ランプレンズ", "エアダクト", "ブラケット", "ワイヤクリップ", "部品トレイ",
    "ダイヤルノブ", "操作パネル", "グリップハンドル", "ファンブレード", "コーナーガード",
    "スペーサ", "センサホルダー", "表示ベゼル", "ボトルキャップ", "ケーブルガイド",
};
const char *const PartPrefixes[] = {"FC", "RC", "GH", "CH", "BC", "LL", "AD", "BR", "WC", "PT",
                                    "DK", "OP", "GP", "FB", "CG", "SP", "SH", "BZ", "BT", "CG"};
const char *const Materials[] = {"PP", "ABS", "PC", "POM", "PA66", "PBT"};
const char *const Colours[] = {"黒", "白", "グレー", "ナチュラル", "赤", "青"};
const char *const ColourCodes[] = {"BK", "WH", "GY", "NA", "RD", "BL"};

const char *const BoughtParts[] = {
    "インサートナット M3", "インサートナット M4", "タッピンねじ M3×8", "タッピンねじ M4×12",
    "Ｏリング φ12", "Ｏリング φ20", "圧縮ばね 0.5×6", "ねじりばね", "銘板ラベル",
    "注意ラベル", "両面テープ 10mm", "ゴム脚", "ＬＥＤ基板", "リード線 150mm",
    "マグネット φ6", "金属シャフト φ3", "ワッシャ M3", "クッション材", "ポリ袋 100×150",
    "仕切り板", "段ボール箱 小", "段ボール箱 中", "取扱説明書", "保証書", "シリカゲル",
    "ブッシュ φ8", "スナップリング", "ヒンジピン",
};

const char *const CustomerNames[] = {
    "トヨダ精機", "東洋電装", "ミツワ家電", "北陸オート部品",
    "サンライズ住設", "日本オフィス機器", "ヤマト医療器", "大和玩具",
};

// The machines of `halls` halls, kind by kind: "IM050-01", "IM050-02" in the first hall,
// "IM050-03", "IM050-04" in the second. A kind with one machine in the whole plant keeps its
// plain name; the others are numbered "1号", "2号".
template <size_t N>
QList<Machine> machinesFrom(const MachineSpec (&specs)[N], int halls, const QString &classCode, const QString &section)
{
    QList<Machine> machines;
    for (const MachineSpec &spec : specs) {
        const int count = spec.units * halls;
        for (int n = 1; n <= count; ++n) {
            Machine m;
            m.code = QStringLiteral("%1-%2").arg(QString::fromUtf8(spec.code)).arg(n, 2, 10, QChar(u'0'));
            m.name = count == 1 ? QString::fromUtf8(spec.name) : QStringLiteral("%1 %2号").arg(QString::fromUtf8(spec.name)).arg(n);
            m.classCode = classCode;
            m.sectionCode = section;
            m.tonnage = spec.tonnage;
            m.processes = QString::fromUtf8(spec.processes).split(u' ', Qt::SkipEmptyParts);
            machines.append(m);
        }
    }
    std::sort(machines.begin(), machines.end(), [](const Machine &a, const Machine &b) { return a.code < b.code; });
    for (int i = 0; i < machines.size(); ++i) {
        Machine &m = machines[i];
        // Small and middle presses run day and night; the big ones run a day shift and
        // take Saturday work instead.
        m.twoShifts = m.tonnage > 0 ? (m.tonnage <= 350 && i % 4 != 3) : i == 0;
        m.saturdays = m.tonnage >= 450 || i % 5 == 4;
        m.dayInTwoRows = m.tonnage > 0 && i % 20 == 3;
        m.lunchSplit = m.tonnage > 0 && !m.twoShifts && i % 10 == 7;
    }
    return machines;
}

// The components: resins by material, colour masterbatches, then bought parts.
QList<Item> buildComponents()
{
    QList<Item> components;
    auto add = [&](const QString &code, const QString &name, const QString &category, int pack) {
        Item c;
        c.code = code;
        c.model = code;
        c.name = name;
        c.shortName = name;
        c.ankSpec = code;
        c.category = category;
        c.packQty = pack;
        components.append(c);
    };
    for (int i = 0; i < 6; ++i)
        add(QStringLiteral("9001%1").arg(i + 1, 4, 10, QChar(u'0')),
            QStringLiteral("%1樹脂 ペレット").arg(QString::fromUtf8(Materials[i])), QStringLiteral("R"), 25);
    for (int i = 0; i < 6; ++i)
        add(QStringLiteral("9101%1").arg(i + 1, 4, 10, QChar(u'0')),
            QStringLiteral("マスターバッチ %1").arg(QString::fromUtf8(Colours[i])), QStringLiteral("M"), 20);
    for (int i = 0; i < int(std::size(BoughtParts)); ++i)
        add(QStringLiteral("8000%1").arg(i + 1, 4, 10, QChar(u'0')), QString::fromUtf8(BoughtParts[i]),
            QStringLiteral("B"), 1000);
    return components;
}

constexpr int ResinBase = 0;
constexpr int ColourBase = 6;
constexpr int BoughtBase = 12;
constexpr int BoughtCount = int(std::size(BoughtParts));

int tonnageFor(DemoRandom &random)
{
    static const int tonnages[] = {50, 80, 100, 130, 150, 180, 220, 280, 350, 450, 550, 650, 850};
    // Most items are small; big frames are rarer.
    const int roll = random.below(100);
    const int index = roll < 70 ? random.below(6) : roll < 93 ? 6 + random.below(3) : 9 + random.below(4);
    return tonnages[index];
}

BomLine boughtLine(int part, int order, DemoRandom &random)
{
    BomLine line;
    line.child = BoughtBase + part;
    line.displayOrder = order;
    line.ratioNum = random.between(1, 4);
    line.ratioDen = 1;
    line.defectRate = random.chance(30) ? 1 : 0;
    line.supplyControl = random.chance(40) ? QStringLiteral("1") : QStringLiteral("0");
    line.paidClass = random.chance(70) ? QStringLiteral("1") : QStringLiteral("2");
    return line;
}

// Indexes of the process contents below.
constexpr int GateCutProcess = 3;
constexpr int WeldProcess = 4;
constexpr int PrintProcess = 5;
constexpr int AssemblyProcess = 6;
constexpr int VisualInspection = 7;
constexpr int DimensionInspection = 8;

// What follows an item's molding.
enum class Routing { MoldingOnly, Secondary, SecondaryInspected, Inspected, LongChain };

Routing routingFor(DemoRandom &random)
{
    const int roll = random.below(100);
    return roll < 45 ? Routing::MoldingOnly
         : roll < 67 ? Routing::Secondary
         : roll < 80 ? Routing::SecondaryInspected
         : roll < 90 ? Routing::Inspected
                     : Routing::LongChain;
}

} // namespace

QString Section::destinationCode() const
{
    return QStringLiteral("%1%2").arg(department, 2, 10, QChar(u'0')).arg(section, 2, 10, QChar(u'0'))
           + QString(8, u' ');
}

QList<int> Masters::machinesOfClass(const QString &classCode) const
{
    QList<int> found;
    for (int i = 0; i < machines.size(); ++i)
        if (machines[i].classCode == classCode)
            found.append(i);
    return found;
}

QList<int> Masters::subcontractorsOfClass(const QString &classCode) const
{
    QList<int> found;
    for (int i = 0; i < suppliers.size(); ++i)
        if (suppliers[i].kind == QStringLiteral("2") && suppliers[i].classCode == classCode)
            found.append(i);
    return found;
}

double productivityInUnit(double secondsPerPiece, int unit)
{
    switch (unit) {
    case 2: return secondsPerPiece / 60.0;
    case 3: return secondsPerPiece / 3600.0;
    case 4: return 1.0 / secondsPerPiece;
    case 5: return 60.0 / secondsPerPiece;
    case 6: return 3600.0 / secondsPerPiece;
    default: return secondsPerPiece;
    }
}

Masters buildMasters(DemoRandom &random, int productCount, int halls)
{
    Masters m;
    m.classes = {{MoldingClass, QStringLiteral("成形")},
                 {SecondaryClass, QStringLiteral("二次加工")},
                 {InspectionClass, QStringLiteral("検査")}};
    m.sections = {{1, 0, QStringLiteral("製造部")}, {1, 1, QStringLiteral("成形課")},
                  {1, 2, QStringLiteral("二次加工課")}, {1, 3, QStringLiteral("品質保証課")}};
    m.machines = machinesFrom(MoldingMachines, halls, MoldingClass, m.sections[1].destinationCode())
                 + machinesFrom(SecondaryMachines, halls, SecondaryClass, m.sections[2].destinationCode())
                 + machinesFrom(InspectionMachines, halls, InspectionClass, m.sections[3].destinationCode());
    for (const Section &s : m.sections)
        if (s.section != 0)
            m.suppliers.append({s.destinationCode(), s.name, QStringLiteral("1"), QString()});
    for (const SupplierSpec &s : Subcontractors)
        m.suppliers.append({padded(QString::fromUtf8(s.code), 12), QString::fromUtf8(s.name), QStringLiteral("2"),
                            QString::fromUtf8(s.classCode)});
    m.processes = {{QStringLiteral("101"), QStringLiteral("射出成形"), MoldingClass},
                   {QStringLiteral("102"), QStringLiteral("インサート成形"), MoldingClass},
                   {QStringLiteral("103"), QStringLiteral("二色成形"), MoldingClass},
                   {QStringLiteral("201"), QStringLiteral("ゲートカット"), SecondaryClass},
                   {QStringLiteral("202"), QStringLiteral("超音波溶着"), SecondaryClass},
                   {QStringLiteral("203"), QStringLiteral("パッド印刷"), SecondaryClass},
                   {QStringLiteral("204"), QStringLiteral("組立"), SecondaryClass},
                   {QStringLiteral("301"), QStringLiteral("外観検査"), InspectionClass},
                   {QStringLiteral("302"), QStringLiteral("寸法検査"), InspectionClass}};
    for (int i = 0; i < int(std::size(CustomerNames)); ++i)
        m.customers.append({QStringLiteral("C%1").arg(i + 1, 4, 10, QChar(u'0')), QString::fromUtf8(CustomerNames[i])});
    m.components = buildComponents();

    int unitTurn = 0; // every productivity unit 1..6 is used, in turn
    auto finishStep = [&](Step &step) {
        step.unit = unitTurn++ % 6 + 1;
        step.productivity = productivityInUnit(step.secondsPerPiece, step.unit);
        step.classCode = m.processes[step.process].classCode;
    };

    for (int i = 0; i < productCount; ++i) {
        Item item;
        const int part = i % int(std::size(PartNames));
        const int material = random.below(int(std::size(Materials)));
        const int colour = random.below(int(std::size(Colours)));
        const int model = 1000 + i * 7 % 9000;
        const QString modelCode = QStringLiteral("%1-%2").arg(QString::fromUtf8(PartPrefixes[part])).arg(model);
        // The character after the dash is the item's kind: "1", made and counted in-house.
        item.code = QStringLiteral("2%1-1").arg(i + 1, 6, 10, QChar(u'0'));
        item.model = modelCode;
        item.name = QStringLiteral("%1 %2").arg(QString::fromUtf8(PartNames[part]), modelCode);
        item.shortName = QString::fromUtf8(PartNames[part]);
        item.ankSpec = QStringLiteral("%1 %2 %3").arg(modelCode, QString::fromUtf8(Materials[material]),
                                                      QString::fromUtf8(ColourCodes[colour]));
        item.category = QStringLiteral("P%1").arg(part % 4 + 1);
        item.packQty = QList<int>{50, 100, 200, 250, 500}[random.below(5)];
        item.tonnage = tonnageFor(random);
        // Family molds: neighbouring items of the same part share a mold now and then.
        if (i > 0 && random.chance(25) && m.products.last().tonnage == item.tonnage) {
            item.mold = m.products.last().mold;
        } else {
            m.molds.append({QStringLiteral("K%1").arg(m.molds.size() + 1, 5, 10, QChar(u'0')), modelCode + u'型'});
            item.mold = int(m.molds.size()) - 1;
        }

        // The first two items are assemblies with long parts lists.
        const int bigAssembly = i < 2 ? 22 + i * 3 : 0;
        const Routing routing = bigAssembly ? Routing::LongChain : routingFor(random);

        Step molding;
        molding.molding = true;
        molding.process = random.chance(15) ? 1 : random.chance(5) ? 2 : 0;
        molding.cycle = 15 + item.tonnage / 20 + random.between(0, 20);
        molding.cavities = item.tonnage <= 150 ? QList<int>{1, 2, 4, 8}[random.below(4)] : random.between(1, 2);
        molding.secondsPerPiece = molding.cycle / molding.cavities;
        molding.productWeight = double(random.between(5, 40)) * item.tonnage / 50;
        molding.shotWeight = molding.productWeight * molding.cavities + random.between(2, 20);
        molding.setupBefore = random.between(3, 9) * 10;
        molding.setupAfter = random.between(1, 3) * 10;
        BomLine resin{ResinBase + material, 1, molding.productWeight, 1000, double(random.between(2, 5)),
                      QStringLiteral("0"), QStringLiteral("1")};
        molding.bom.append(resin);
        if (colour != 3)
            molding.bom.append({ColourBase + colour, 2, molding.productWeight * 0.02, 1000, 0, QStringLiteral("0"),
                                QStringLiteral("1")});
        if (molding.process == 1)
            molding.bom.append(boughtLine(random.below(2), 3, random));
        // The cycles the planner has already run the item with on a few of its machines.
        for (int machine : m.machinesOfClass(MoldingClass))
            if (m.machines[machine].tonnage >= item.tonnage && molding.machineCycles.size() < 4 && random.chance(35))
                molding.machineCycles.append({machine, std::round(molding.cycle * random.real(0.9, 1.1) * 10) / 10});
        // Every item has run on at least two presses that can take it (where the hall has two),
        // so the automatic planner has a choice. Its own dice, seeded by the item, leave the rest
        // of the plant as it was.
        DemoRandom topUp(quint32(i) * 2654435761u + 97u);
        const QList<int> presses = m.machinesOfClass(MoldingClass);
        for (int tries = 0; molding.machineCycles.size() < 2 && tries < 4 * int(presses.size()); ++tries) {
            const int machine = topUp.pick(presses);
            const bool known = std::any_of(molding.machineCycles.begin(), molding.machineCycles.end(),
                                           [machine](const auto &cycle) { return cycle.first == machine; });
            if (!known && m.machines[machine].tonnage >= item.tonnage)
                molding.machineCycles.append({machine, std::round(molding.cycle * topUp.real(0.9, 1.1) * 10) / 10});
        }
        finishStep(molding);
        item.steps.append(molding);

        // Later steps handle a piece faster than the press makes it, so that a lot's later
        // processes take no longer than its molding.
        auto addStep = [&](int process, double shareOfMolding, int parts) {
            Step step;
            step.process = process;
            step.secondsPerPiece = std::max(1.0, std::round(molding.secondsPerPiece * shareOfMolding * 10) / 10);
            step.cycle = step.secondsPerPiece;
            step.persons = process == AssemblyProcess ? 2 : 1;
            const int firstPart = random.below(BoughtCount);
            for (int p = 0; p < parts; ++p)
                step.bom.append(boughtLine((firstPart + p) % BoughtCount, p + 1, random));
            finishStep(step);
            item.steps.append(step);
        };
        auto assemblyParts = [&] { return bigAssembly ? bigAssembly : random.between(2, 5); };
        switch (routing) {
        case Routing::MoldingOnly:
        case Routing::Inspected:
            break;
        case Routing::Secondary:
        case Routing::SecondaryInspected: {
            const int process = GateCutProcess + random.below(4);
            addStep(process, random.real(0.3, 0.9), process == AssemblyProcess ? assemblyParts() : 0);
            break;
        }
        case Routing::LongChain:
            // Gate cut, welding or printing, then assembly: a chain the process dialogs show
            // line by line.
            addStep(GateCutProcess, random.real(0.2, 0.5), 0);
            addStep(random.chance(50) ? WeldProcess : PrintProcess, random.real(0.3, 0.7), 0);
            addStep(AssemblyProcess, random.real(0.4, 0.9), assemblyParts());
            break;
        }
        if (routing == Routing::SecondaryInspected || routing == Routing::Inspected || routing == Routing::LongChain)
            addStep(random.chance(70) ? VisualInspection : DimensionInspection, random.real(0.15, 0.4), 0);

        for (int s = 0; s < item.steps.size(); ++s)
            item.steps[s].sequence = s + 1 == item.steps.size() ? 999 : (s + 1) * 10;
        m.products.append(item);
    }
    return m;
}

} // namespace demo
