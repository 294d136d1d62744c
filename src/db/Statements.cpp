#include "db/Statements.h"

// The texts keep the form in which the plant database's statements have always been written
// (including their spacing), so that a statement can be found again by its text in the
// database's own logs. Only the pasted values became "?".

namespace sql {

const QString OperatorAuthority = QStringLiteral("SELECT Kalvuner権限区分 FROM DB0003"
                                                 " WHERE 担当者コード=?");

const QString SystemSettings = QStringLiteral("SELECT 表示期間＿ヶ月,グリッド単位＿分 FROM DB0351  ");

const QString ProcessClasses = QStringLiteral("SELECT * FROM DB0399 WHERE 削除フラグ='0' ORDER BY 工程分類コード");

const QString ClassMachines = QStringLiteral("SELECT 機械コード,機械名 FROM DB0394 WHERE 生産工場コード=?"
                                             " AND 工程分類コード=? AND 削除フラグ='0' ORDER BY 機械コード");

const QString ClassSubcontractors =
    QStringLiteral("SELECT 仕入先コード,仕入先名略名"
                   " FROM DB0369 INNER JOIN DB0493 ON DB0369.仕入先コード=DB0493.指示先コード "
                   " WHERE 仕入先分類='2' AND DB0369.削除フラグ='0' AND 工程分類コード=? ORDER BY 仕入先コード");

const QString PlantMachines = QStringLiteral("SELECT 機械コード,機械名 FROM DB0394 WHERE 生産工場コード=?"
                                             " AND 削除フラグ='0' ORDER BY 機械コード");

// Each line of the break master statement ends with a carriage return and line feed.
const QString BreakMaster = QStringLiteral("SELECT\r\n"
                                           "開始時刻１   as Jikoku01,\r\n"
                                           "終了時刻１   as Jikoku02,\r\n"
                                           "開始時刻２   as Jikoku03,\r\n"
                                           "終了時刻２   as Jikoku04,\r\n"
                                           "開始時刻３   as Jikoku05,\r\n"
                                           "終了時刻３   as Jikoku06,\r\n"
                                           "開始時刻４   as Jikoku07,\r\n"
                                           "終了時刻４   as Jikoku08,\r\n"
                                           "開始時刻５   as Jikoku09,\r\n"
                                           "終了時刻５   as Jikoku10,\r\n"
                                           "開始時刻６   as Jikoku11,\r\n"
                                           "終了時刻６   as Jikoku12,\r\n"
                                           "開始時刻７   as Jikoku13,\r\n"
                                           "終了時刻７   as Jikoku14,\r\n"
                                           "開始時刻８   as Jikoku15,\r\n"
                                           "終了時刻８   as Jikoku16,\r\n"
                                           "開始時刻９   as Jikoku17,\r\n"
                                           "終了時刻９   as Jikoku18,\r\n"
                                           "開始時刻１０ as Jikoku19,\r\n"
                                           "終了時刻１０ as Jikoku20\r\n"
                                           "FROM\r\n"
                                           "DB0496\r\n"
                                           "WHERE\r\n"
                                           "自社企業コード = '1'\r\n");

const QString MachineCalendar = QStringLiteral("SELECT * FROM DB0491 WHERE 機械コード=?"
                                               " AND 年月日 BETWEEN ? AND ? ORDER BY 年月日,開始時刻１");

namespace {
const QString planMainOpen = QStringLiteral(
    "SELECT DB0253.*,"
    "DB0378.品名＿品名仕様 型番名,DB0378.包装単位数量,DB0378.品目分類コード２,"
    "DB0382.工程内容名,DB0382.工程分類コード,"
    "DB0251.計画数,DB0251.品名コード 品名コード2,"
    "DB0492.サイクル 優先サイクル,"
    "DB0381.標準生産性＿機械 生産性,生産性＿機械＿単位 生産性区分,"
    "DB0451.サイクル,DB0451.取数,DB0451.ショット重量,DB0451.製品重量,DB0451.前段取時間,DB0451.後段取時間 "
    " FROM ((((((("
    "DB0253"
    " INNER JOIN DB0381 ON DB0253.品名コード=DB0381.品名コード AND DB0253.順序=DB0381.順序"
    " AND DB0253.生産工場コード=DB0381.生産工場コード) "
    " INNER JOIN DB0378 ON DB0253.品名コード=DB0378.品名コード) "
    " INNER JOIN DB0382 ON DB0381.工程内容コード=DB0382.工程内容コード) "
    " LEFT JOIN DB0251 ON DB0253.生産計画番号=DB0251.生産計画番号) "
    " LEFT JOIN DB0451 ON DB0253.品名コード=DB0451.品名コード AND DB0253.順序=DB0451.順序"
    " AND DB0253.生産工場コード=DB0451.生産工場コード) "
    " LEFT JOIN DB0492 ON DB0253.品名コード=DB0492.品名コード AND DB0253.順序=DB0492.順序"
    " AND DB0253.機械コード=DB0492.機械コード) "
    " LEFT JOIN DB0394 ON DB0253.機械コード=DB0394.機械コード) "
    " WHERE DB0382.工程分類コード=? AND DB0253.削除フラグ='0' AND DB0253.生産工場コード = ?"
    " AND DB0253.完納区分<>'2'");
} // namespace

const QString PlanMain =
    planMainOpen + QStringLiteral(" ORDER BY DB0253.スケジューラ固定区分,DB0253.生産計画番号,DB0253.機械コード,DB0253.納期");
const QString PlanLot = planMainOpen + QStringLiteral(" AND DB0253.手配番号=?");

const QString ArrangementNumberChecks = QStringLiteral(
    "SELECT 1 種別,手配番号 FROM DB0253 WHERE 手配番号 IS NOT NULL GROUP BY 手配番号 HAVING COUNT(*) > 1"
    " UNION ALL "
    "SELECT 2,DB0253.手配番号 FROM (DB0253"
    " LEFT JOIN DB0381 ON DB0253.品名コード=DB0381.品名コード AND DB0253.順序=DB0381.順序"
    " AND DB0381.生産工場コード=?)"
    " LEFT JOIN DB0382 ON DB0381.工程内容コード=DB0382.工程内容コード"
    " WHERE (DB0253.生産工場コード=? OR DB0253.生産工場コード IS NULL)"
    " AND (DB0253.完納区分 IS NULL OR DB0253.削除フラグ IS NULL OR DB0253.生産工場コード IS NULL"
    " OR DB0253.品名コード IS NULL)"
    " AND (DB0253.削除フラグ='0' OR DB0253.削除フラグ IS NULL)"
    " AND (DB0253.完納区分<>'2' OR DB0253.完納区分 IS NULL)"
    " AND (DB0382.工程分類コード=? OR DB0253.品名コード IS NULL)"
    " ORDER BY 1,2");

const QString MoldShortName = QStringLiteral("SELECT DB0471.金型略称 FROM DB0471 "
                                             " WHERE DB0471.金型番号 = ? AND DB0471.削除フラグ='0' ");

const QString LotRequirements = QStringLiteral("SELECT DB0252.*,DB0378.品名＿品名仕様"
                                               " FROM ((DB0252 "
                                               " INNER JOIN DB0378 ON DB0252.品名コード = DB0378.品名コード )"
                                               " INNER JOIN DB0383 ON DB0252.上位品名コード = DB0383.上位品名コード"
                                               " AND DB0252.生産工場コード = DB0383.生産工場コード"
                                               " AND DB0252.上位順序 = DB0383.順序"
                                               " AND DB0252.品名コード = DB0383.下位品名コード"
                                               " AND DB0383.削除フラグ = '0'"
                                               " )"
                                               " WHERE DB0252.上位手配番号 = ? AND DB0252.削除フラグ='0' "
                                               " ORDER BY DB0252.品名コード,DB0252.順序");

const QString MoldShortNames = QStringLiteral("SELECT DB0471.金型番号,DB0471.金型略称 FROM DB0471 "
                                              " WHERE DB0471.削除フラグ='0' ");

const QString ClassLotRequirements = QStringLiteral(
    "SELECT DB0252.上位手配番号,DB0252.品名コード,DB0378.品名＿品名仕様,"
    "DB0252.必要数,DB0252.原単位分子,DB0252.原単位分母,DB0252.不良率"
    " FROM ((DB0252 "
    " INNER JOIN DB0378 ON DB0252.品名コード = DB0378.品名コード )"
    " INNER JOIN DB0383 ON DB0252.上位品名コード = DB0383.上位品名コード"
    " AND DB0252.生産工場コード = DB0383.生産工場コード"
    " AND DB0252.上位順序 = DB0383.順序"
    " AND DB0252.品名コード = DB0383.下位品名コード"
    " AND DB0383.削除フラグ = '0'"
    " )"
    " WHERE DB0252.削除フラグ='0' AND DB0252.上位手配番号 IN ("
    "SELECT DB0253.手配番号 FROM (DB0253"
    " INNER JOIN DB0381 ON DB0253.品名コード=DB0381.品名コード AND DB0253.順序=DB0381.順序"
    " AND DB0253.生産工場コード=DB0381.生産工場コード) "
    " INNER JOIN DB0382 ON DB0381.工程内容コード=DB0382.工程内容コード"
    " WHERE DB0382.工程分類コード=? AND DB0253.削除フラグ='0' AND DB0253.生産工場コード = ?"
    " AND DB0253.完納区分<>'2')"
    " ORDER BY DB0252.上位手配番号,DB0252.品名コード,DB0252.順序");

const QString RoutingForRate = QStringLiteral("SELECT DB0381.* "
                                              " FROM DB0381 "
                                              " WHERE 品名コード=? AND 順序=? ");

const QString MachineCycle = QStringLiteral("SELECT DB0492.* "
                                            " FROM DB0492 "
                                            " WHERE 品名コード=? AND 順序=? AND 機械コード=?");

const QString LiveMachineCycles = QStringLiteral("SELECT 品名コード,順序,機械コード,サイクル FROM DB0492 WHERE 削除フラグ='0'");

const QString RelatedOrders = QStringLiteral(
    "SELECT DB0494.*,受注得意先.得意先略名 受注得意先名,所要得意先.得意先略名 所要得意先名 "
    ",DB0204.得意先コード 受注得意先コード,DB0202.得意先コード 所要得意先コード "
    ",DB0204.品名コード 受注品名コード,DB0202.品名コード 所要品名コード "
    ",受注品目.品名略称 受注品名,所要品目.品名略称 所要品名 "
    ",DB0204.納期 受注納期,DB0202.納期 所要納期 "
    ",DB0204.注文番号 "
    ",DB0204.受注数量,DB0204.出荷数量,DB0202.所要計画数量 "
    " FROM (((((DB0494 LEFT JOIN DB0204 ON DB0494.番号 = DB0204.受注番号 ) "
    " LEFT JOIN DB0202 ON DB0494.番号 = DB0202.所要計画No) "
    " LEFT JOIN DB0361 受注得意先 ON 受注得意先.得意先コード=DB0204.得意先コード) "
    " LEFT JOIN DB0361 所要得意先 ON 所要得意先.得意先コード=DB0202.得意先コード) "
    " LEFT JOIN DB0378 受注品目 ON 受注品目.品名コード=DB0204.品名コード) "
    " LEFT JOIN DB0378 所要品目 ON 所要品目.品名コード=DB0202.品名コード "
    " WHERE DB0494.削除フラグ='0' AND 手配番号=?"
    " ORDER BY DB0494.受注データ区分,DB0494.番号,DB0204.納期,DB0202.納期");

const QString ItemModelNames = QStringLiteral("select 型番名,型番名仕様ＡＮＫ,品名コード from DB0378 where 品名コード = ?");

const QString PreviousProcessEnds = QStringLiteral("SELECT 手配番号,作業終了日付,作業終了時間 FROM DB0253 WHERE 上位手配番号=?"
                                                   " AND 削除フラグ='0' ORDER BY 作業終了日付 DESC,作業終了時間 DESC");

const QString ChainProcess = QStringLiteral("SELECT DB0253.*,DB0382.工程内容名 "
                                            " FROM (DB0253 LEFT JOIN DB0382 ON DB0253.工程内容コード=DB0382.工程内容コード) "
                                            " LEFT JOIN DB0378 ON DB0253.品名コード=DB0378.品名コード "
                                            " WHERE 工程分類コード<>'03' AND 工程分類コード<>'30' AND 手配番号=?"
                                            " AND DB0253.削除フラグ='0'");

const QString ChainProcessWithModel =
    QStringLiteral("SELECT DB0253.*,DB0382.工程内容名,DB0378.型番名 "
                   " FROM (DB0253 LEFT JOIN DB0382 ON DB0253.工程内容コード=DB0382.工程内容コード) "
                   " LEFT JOIN DB0378 ON DB0253.品名コード=DB0378.品名コード "
                   " WHERE 工程分類コード<>'03' AND 工程分類コード<>'30' AND 手配番号=?"
                   " AND DB0253.削除フラグ='0'");

namespace {
// The process show statements share their select list and joins; only the condition differs.
const QString processShowFrom =
    QStringLiteral("SELECT DB0253.*,DB0382.工程内容名 "
                   " FROM ((DB0253 LEFT JOIN DB0381 ON DB0253.品名コード=DB0381.品名コード AND DB0253.順序=DB0381.順序"
                   " AND DB0253.生産工場コード=DB0381.生産工場コード) "
                   " LEFT JOIN DB0382 ON DB0381.工程内容コード=DB0382.工程内容コード) "
                   " LEFT JOIN DB0378 ON DB0253.品名コード=DB0378.品名コード ");
} // namespace

const QString ProcessShowByNo = processShowFrom + QStringLiteral(" WHERE 手配番号=? AND DB0253.削除フラグ='0'");
const QString ProcessShowNext =
    processShowFrom + QStringLiteral(" WHERE 工程分類コード<>'03' AND 工程分類コード<>'30' AND 手配番号=?"
                                     " AND DB0253.削除フラグ='0'");
const QString ProcessShowEarlier = processShowFrom + QStringLiteral(" WHERE 上位手配番号=? AND DB0253.削除フラグ='0'");

const QString ArrangementByNo = QStringLiteral("SELECT * FROM DB0253 WHERE 手配番号=?");
const QString ArrangementByNoForUpdate = ArrangementByNo + QStringLiteral(" FOR UPDATE");

const QString ArrangementNumberCounter =
    QStringLiteral("SELECT 現在番号,開始番号,終了番号 FROM DB0018 WHERE 番号管理キー='手配番号'");

const QString ClaimArrangementNumber =
    QStringLiteral("UPDATE DB0018 SET 現在番号=? WHERE 番号管理キー='手配番号' AND 現在番号=?");

const QString RequirementsOfArrangement = QStringLiteral("SELECT * FROM DB0252 WHERE 上位手配番号=?");

const QString ScaleRequirementsOfArrangement =
    QStringLiteral("UPDATE DB0252 SET 必要数=必要数*? WHERE 上位手配番号=? AND 削除フラグ='0'");

const QString RequirementRowsOfSlot = QStringLiteral("SELECT DB0252.* "
                                                     " FROM DB0252 "
                                                     " WHERE 上位手配番号=?");

const QString RequirementEntry = QStringLiteral("SELECT DB0252.* "
                                                " FROM DB0252 "
                                                " WHERE 上位手配番号= ? AND 品名コード = ? AND 順序 = 999");

const QString BillOfMaterialEntry = QStringLiteral("SELECT DB0383.* FROM DB0383 "
                                                   " WHERE 生産工場コード = ? AND 上位品名コード = ?"
                                                   " AND 順序 = ? AND 下位品名コード = ?"
                                                   " AND 削除フラグ = '0' ORDER BY 表示順");

const QString MachineByCode = QStringLiteral("SELECT * FROM DB0394 WHERE 機械コード=?");

const QString SectionsOfDepartment = QStringLiteral("SELECT * FROM DB0370 WHERE 部コード=? AND 課コード<>0 ORDER BY 課コード");

const QString SupplierByCode = QStringLiteral("SELECT * FROM DB0369 WHERE 仕入先コード=?");

const QString SubcontractPrice = QStringLiteral("SELECT 単価,単価区分 FROM DB0386 "
                                                "WHERE 取引先コード=? AND 品名コード=? AND 工場コード=?"
                                                " AND 順序=? ORDER BY 開始日 DESC ");

const QString SubcontractPriceAnySupplier = QStringLiteral("SELECT 単価,単価区分 FROM DB0386 "
                                                           "WHERE 取引先コード='0' AND 品名コード=? AND 工場コード=?"
                                                           " AND 順序=? ORDER BY 開始日 DESC ");

const QString ProductionPlanByNo = QStringLiteral("SELECT * FROM DB0251 WHERE 生産計画番号=?");

const QString ConfirmedTotalsOfPlan = QStringLiteral("SELECT SUM(手配数) AS 手配数合計,MAX(納期) AS 最大納期 "
                                                     " FROM DB0253 "
                                                     " WHERE 生産計画番号=? AND 品名コード=? AND 順序=999"
                                                     " AND 手配確定区分='2' AND 削除フラグ='0' "
                                                     " GROUP BY 品名コード,順序 ");


const QString SavepointWrite = QStringLiteral("SAVEPOINT kalvuner_write");
const QString RollbackToSavepointWrite = QStringLiteral("ROLLBACK TO SAVEPOINT kalvuner_write");
const QString ReleaseSavepointWrite = QStringLiteral("RELEASE SAVEPOINT kalvuner_write");

} // namespace sql
