-- The plant's production database as Kalvuner uses it: every table and column the planner
-- reads or writes. Runs unchanged on SQLite and PostgreSQL.
-- Conventions: dates are text "yyyymmdd" ("00000000" = none), times of day are numbers
-- hhmmss, durations are hours, 削除フラグ '0' marks a live row.

-- Operators and their Kalvuner authority ("0" inquiry only, "1" may skip the class window).
CREATE TABLE DB0003 (
    担当者コード TEXT NOT NULL PRIMARY KEY,
    担当者名 TEXT DEFAULT ' ',
    Kalvuner権限区分 TEXT,
    削除フラグ TEXT DEFAULT '0'
);

-- Number management: the last number handed out per key (e.g. '手配番号').
CREATE TABLE DB0018 (
    番号管理キー TEXT NOT NULL PRIMARY KEY,
    現在番号 INTEGER DEFAULT 0,
    開始番号 INTEGER DEFAULT 0,
    終了番号 INTEGER DEFAULT 0,
    削除フラグ TEXT DEFAULT '0'
);

-- Demand plans that arrangements are linked to.
CREATE TABLE DB0202 (
    所要計画No INTEGER NOT NULL PRIMARY KEY,
    得意先コード TEXT DEFAULT ' ',
    品名コード TEXT DEFAULT ' ',
    納期 VARCHAR(8) DEFAULT '00000000',
    所要計画数量 DOUBLE PRECISION DEFAULT 0,
    削除フラグ TEXT DEFAULT '0'
);

-- Customer orders that arrangements are linked to.
CREATE TABLE DB0204 (
    受注番号 INTEGER NOT NULL PRIMARY KEY,
    得意先コード TEXT DEFAULT ' ',
    品名コード TEXT DEFAULT ' ',
    納期 VARCHAR(8) DEFAULT '00000000',
    注文番号 TEXT DEFAULT ' ',
    受注数量 DOUBLE PRECISION DEFAULT 0,
    出荷数量 DOUBLE PRECISION DEFAULT 0,
    削除フラグ TEXT DEFAULT '0'
);

-- Production plans: the planned quantity of an item and how much of it is arranged.
CREATE TABLE DB0251 (
    生産計画番号 INTEGER NOT NULL PRIMARY KEY,
    品名コード TEXT DEFAULT ' ',
    計画数 DOUBLE PRECISION DEFAULT 0,
    指示済数 DOUBLE PRECISION DEFAULT 0,
    生産完了日 VARCHAR(8) DEFAULT '00000000',
    確定区分 TEXT DEFAULT '1',
    削除フラグ TEXT DEFAULT '0'
);

-- Material requirements of an arrangement (one row per material and process step).
CREATE TABLE DB0252 (
    上位手配番号 INTEGER NOT NULL,
    生産工場コード INTEGER DEFAULT 0,
    品名コード TEXT NOT NULL,
    順序 INTEGER NOT NULL DEFAULT 999,
    必要数 DOUBLE PRECISION DEFAULT 0,
    実績数 DOUBLE PRECISION DEFAULT 0,
    支給数 DOUBLE PRECISION DEFAULT 0,
    完納区分 TEXT DEFAULT '0',
    確定区分 TEXT DEFAULT '1',
    開始日 VARCHAR(8) DEFAULT '00000000',
    上位品名コード TEXT DEFAULT ' ',
    上位順序 INTEGER DEFAULT 0,
    生産計画番号 INTEGER DEFAULT 0,
    原単位分子 DOUBLE PRECISION DEFAULT 1,
    原単位分母 DOUBLE PRECISION DEFAULT 1,
    不良率 DOUBLE PRECISION DEFAULT 0,
    支給制御区分 TEXT DEFAULT ' ',
    有償無償区分 TEXT DEFAULT ' ',
    支給完納区分 TEXT DEFAULT '0',
    品名＿諸口 TEXT DEFAULT ' ',
    ﾛｯﾄ消費方法区分 TEXT DEFAULT '0',
    削除フラグ TEXT DEFAULT '0',
    登録日 VARCHAR(8) DEFAULT '00000000',
    登録時刻 INTEGER DEFAULT 0,
    登録端末番号 INTEGER DEFAULT 0,
    登録オペレータ TEXT DEFAULT ' ',
    登録プログラム TEXT DEFAULT ' ',
    更新日 VARCHAR(8) DEFAULT '00000000',
    更新時刻 INTEGER DEFAULT 0,
    更新端末番号 INTEGER DEFAULT 0,
    更新オペレータ TEXT DEFAULT ' ',
    更新プログラム TEXT DEFAULT ' ',
    PRIMARY KEY (上位手配番号, 品名コード, 順序)
);

-- Arrangements: one production lot of one process step, with its schedule on a machine or
-- at a subcontractor. 上位手配番号 names the arrangement of the next process.
CREATE TABLE DB0253 (
    手配番号 INTEGER NOT NULL PRIMARY KEY,
    上位手配番号 INTEGER DEFAULT 0,
    生産計画番号 INTEGER DEFAULT 0,
    生産工場コード INTEGER DEFAULT 0,
    品名コード TEXT DEFAULT ' ',
    順序 INTEGER DEFAULT 0,
    工程内容コード TEXT DEFAULT ' ',
    機械コード TEXT DEFAULT '        ',
    ラインコード TEXT DEFAULT '        ',
    指示先コード TEXT DEFAULT '            ',
    計上先コード TEXT DEFAULT '            ',
    手配区分 TEXT DEFAULT ' ',
    社内社外区分 TEXT DEFAULT ' ',
    仕入区分 TEXT DEFAULT ' ',
    手配確定区分 TEXT DEFAULT '1',
    スケジューラ固定区分 TEXT DEFAULT '0',
    受入即検収区分 TEXT DEFAULT '0',
    GNT表示区分 TEXT DEFAULT '0',
    完納区分 TEXT DEFAULT '0',
    手配数 DOUBLE PRECISION DEFAULT 0,
    受入実績数 DOUBLE PRECISION DEFAULT 0,
    手配実績数 DOUBLE PRECISION DEFAULT 0,
    開始日 VARCHAR(8) DEFAULT '00000000',
    納期 VARCHAR(8) DEFAULT '00000000',
    作業開始日付 VARCHAR(8) DEFAULT '00000000',
    作業開始時間 INTEGER DEFAULT 0,
    作業終了日付 VARCHAR(8) DEFAULT '00000000',
    作業終了時間 INTEGER DEFAULT 0,
    GNT初期納期 VARCHAR(8),
    GNT所要時間＿分 INTEGER DEFAULT 0,
    段取時間 DOUBLE PRECISION DEFAULT 0,
    作業時間 DOUBLE PRECISION DEFAULT 0,
    実績時間 DOUBLE PRECISION DEFAULT 0,
    必要人員 INTEGER DEFAULT 1,
    サイクル DOUBLE PRECISION DEFAULT 0,
    金型番号 TEXT,
    品名＿諸口 TEXT DEFAULT ' ',
    製造依頼番号 TEXT DEFAULT ' ',
    指示書発行日 VARCHAR(8) DEFAULT '00000000',
    最終実績日 VARCHAR(8) DEFAULT '00000000',
    備考 TEXT DEFAULT ' ',
    単価 DOUBLE PRECISION DEFAULT 0,
    単価区分 TEXT DEFAULT ' ',
    金額 DOUBLE PRECISION DEFAULT 0,
    消費税額 DOUBLE PRECISION DEFAULT 0,
    合計金額 DOUBLE PRECISION DEFAULT 0,
    削除フラグ TEXT DEFAULT '0',
    登録日 VARCHAR(8) DEFAULT '00000000',
    登録時刻 INTEGER DEFAULT 0,
    登録端末番号 INTEGER DEFAULT 0,
    登録オペレータ TEXT DEFAULT ' ',
    登録プログラム TEXT DEFAULT ' ',
    更新日 VARCHAR(8) DEFAULT '00000000',
    更新時刻 INTEGER DEFAULT 0,
    更新端末番号 INTEGER DEFAULT 0,
    更新オペレータ TEXT DEFAULT ' ',
    更新プログラム TEXT DEFAULT ' '
);
CREATE INDEX DB0253_上位手配番号 ON DB0253 (上位手配番号);
CREATE INDEX DB0253_生産計画番号 ON DB0253 (生産計画番号);
CREATE INDEX DB0253_生産工場コード ON DB0253 (生産工場コード, 完納区分);

-- System settings: default planning period and time grid.
CREATE TABLE DB0351 (
    表示期間＿ヶ月 INTEGER DEFAULT 0,
    グリッド単位＿分 INTEGER DEFAULT 0,
    削除フラグ TEXT DEFAULT '0'
);

-- Customers.
CREATE TABLE DB0361 (
    得意先コード TEXT NOT NULL PRIMARY KEY,
    得意先略名 TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0'
);

-- Suppliers: in-house sections (仕入先分類 '1') and subcontractors ('2').
CREATE TABLE DB0369 (
    仕入先コード TEXT NOT NULL PRIMARY KEY,
    仕入先名略名 TEXT DEFAULT ' ',
    仕入先分類 TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0'
);

-- Departments and their sections (課コード 0 is the department itself).
CREATE TABLE DB0370 (
    部コード INTEGER NOT NULL,
    課コード INTEGER NOT NULL,
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (部コード, 課コード)
);

-- Items.
CREATE TABLE DB0378 (
    品名コード TEXT NOT NULL PRIMARY KEY,
    品名＿品名仕様 TEXT DEFAULT ' ',
    品名略称 TEXT DEFAULT ' ',
    型番名 TEXT DEFAULT ' ',
    型番名仕様ＡＮＫ TEXT DEFAULT ' ',
    包装単位数量 DOUBLE PRECISION DEFAULT 0,
    品目分類コード２ TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0'
);

-- Routings: the process steps of an item in a plant, with the standard machine productivity
-- and its unit code (1 s/piece, 2 min/piece, 3 h/piece, 4 pieces/s, 5 pieces/min, 6 pieces/h).
CREATE TABLE DB0381 (
    品名コード TEXT NOT NULL,
    順序 INTEGER NOT NULL,
    生産工場コード INTEGER NOT NULL,
    工程内容コード TEXT DEFAULT ' ',
    標準生産性＿機械 DOUBLE PRECISION DEFAULT 0,
    生産性＿機械＿単位 TEXT DEFAULT '1',
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (品名コード, 順序, 生産工場コード)
);

-- Process contents and the process class each belongs to.
CREATE TABLE DB0382 (
    工程内容コード TEXT NOT NULL PRIMARY KEY,
    工程内容名 TEXT DEFAULT ' ',
    工程分類コード TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0'
);
CREATE INDEX DB0382_工程分類コード ON DB0382 (工程分類コード);

-- Bills of material: the materials of an item's process step.
CREATE TABLE DB0383 (
    生産工場コード INTEGER NOT NULL,
    上位品名コード TEXT NOT NULL,
    順序 INTEGER NOT NULL,
    下位品名コード TEXT NOT NULL,
    表示順 INTEGER DEFAULT 0,
    支給制御区分 TEXT DEFAULT ' ',
    有償無償区分 TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (生産工場コード, 上位品名コード, 順序, 下位品名コード)
);

-- Unit prices of an item's process step per supplier ('0' = any supplier), by start date.
CREATE TABLE DB0386 (
    取引先コード TEXT NOT NULL,
    品名コード TEXT NOT NULL,
    工場コード INTEGER NOT NULL,
    順序 INTEGER NOT NULL,
    開始日 VARCHAR(8) DEFAULT '00000000',
    単価 DOUBLE PRECISION DEFAULT 0,
    単価区分 TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (取引先コード, 品名コード, 工場コード, 順序, 開始日)
);

-- Machines of the plant, their process class and the section they report to.
CREATE TABLE DB0394 (
    機械コード TEXT NOT NULL PRIMARY KEY,
    機械名 TEXT DEFAULT ' ',
    生産工場コード INTEGER DEFAULT 0,
    工程分類コード TEXT DEFAULT ' ',
    指示先コード TEXT,
    削除フラグ TEXT DEFAULT '0'
);
CREATE INDEX DB0394_工程分類 ON DB0394 (生産工場コード, 工程分類コード);

-- Process classes.
CREATE TABLE DB0399 (
    工程分類コード TEXT NOT NULL PRIMARY KEY,
    工程分類名 TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0'
);

-- Molding conditions of an item's process step: cycle (s/shot), cavities, weights, setup.
CREATE TABLE DB0451 (
    品名コード TEXT NOT NULL,
    順序 INTEGER NOT NULL,
    生産工場コード INTEGER NOT NULL,
    サイクル DOUBLE PRECISION DEFAULT 0,
    取数 INTEGER DEFAULT 1,
    ショット重量 DOUBLE PRECISION DEFAULT 0,
    製品重量 DOUBLE PRECISION DEFAULT 0,
    前段取時間 DOUBLE PRECISION DEFAULT 0,
    後段取時間 DOUBLE PRECISION DEFAULT 0,
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (品名コード, 順序, 生産工場コード)
);

-- Molds.
CREATE TABLE DB0471 (
    金型番号 TEXT NOT NULL PRIMARY KEY,
    金型略称 TEXT DEFAULT ' ',
    削除フラグ TEXT DEFAULT '0'
);

-- Working hours of a machine per day; a day may have a second row (連番 2) with more shifts.
CREATE TABLE DB0491 (
    機械コード TEXT NOT NULL,
    年月日 VARCHAR(8) NOT NULL,
    連番 INTEGER NOT NULL DEFAULT 1,
    勤務時間 DOUBLE PRECISION DEFAULT 0,
    開始時刻１ INTEGER DEFAULT 0,
    終了時刻１ INTEGER DEFAULT 0,
    開始時刻２ INTEGER DEFAULT 0,
    終了時刻２ INTEGER DEFAULT 0,
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (機械コード, 年月日, 連番)
);

-- Cycle of an item's process step on one machine (s/piece when added by the planner).
CREATE TABLE DB0492 (
    品名コード TEXT NOT NULL,
    順序 INTEGER NOT NULL,
    機械コード TEXT NOT NULL,
    サイクル DOUBLE PRECISION DEFAULT 0,
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (品名コード, 順序, 機械コード)
);

-- Subcontractors that work for a process class.
CREATE TABLE DB0493 (
    工程分類コード TEXT NOT NULL,
    指示先コード TEXT NOT NULL,
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (工程分類コード, 指示先コード)
);

-- Links of arrangements to customer orders (受注データ区分 '2', 番号 = 受注番号) and demand
-- plans (番号 = 所要計画No).
CREATE TABLE DB0494 (
    手配番号 INTEGER NOT NULL,
    受注データ区分 TEXT NOT NULL,
    番号 INTEGER NOT NULL,
    削除フラグ TEXT DEFAULT '0',
    PRIMARY KEY (手配番号, 受注データ区分, 番号)
);

-- Break master: up to ten daily breaks of the company, times hhmmss.
CREATE TABLE DB0496 (
    自社企業コード TEXT NOT NULL PRIMARY KEY,
    開始時刻１ INTEGER DEFAULT 0,
    終了時刻１ INTEGER DEFAULT 0,
    開始時刻２ INTEGER DEFAULT 0,
    終了時刻２ INTEGER DEFAULT 0,
    開始時刻３ INTEGER DEFAULT 0,
    終了時刻３ INTEGER DEFAULT 0,
    開始時刻４ INTEGER DEFAULT 0,
    終了時刻４ INTEGER DEFAULT 0,
    開始時刻５ INTEGER DEFAULT 0,
    終了時刻５ INTEGER DEFAULT 0,
    開始時刻６ INTEGER DEFAULT 0,
    終了時刻６ INTEGER DEFAULT 0,
    開始時刻７ INTEGER DEFAULT 0,
    終了時刻７ INTEGER DEFAULT 0,
    開始時刻８ INTEGER DEFAULT 0,
    終了時刻８ INTEGER DEFAULT 0,
    開始時刻９ INTEGER DEFAULT 0,
    終了時刻９ INTEGER DEFAULT 0,
    開始時刻１０ INTEGER DEFAULT 0,
    終了時刻１０ INTEGER DEFAULT 0,
    削除フラグ TEXT DEFAULT '0'
);
