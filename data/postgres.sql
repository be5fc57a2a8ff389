-- The same tables on a PostgreSQL server that several counters share: the six tables and the
-- program's own, with their names and columns as in cysj.sql, whole numbers as BIGINT. rowid
-- keeps the order rows were added in, as SQLite's own row id does for cysj.db, so that the
-- program's "ORDER BY rowid" reads the same on both.

CREATE TABLE 用户 (
    rowid BIGSERIAL UNIQUE,
    用户 TEXT,
    密码 TEXT,
    皮肤 BIGINT,
    开台 BIGINT,
    结账 BIGINT,
    查询 BIGINT,
    删除 BIGINT,
    流水导出 BIGINT,
    单台导出 BIGINT,
    设置用户 BIGINT,
    设置餐台 BIGINT,
    设置菜品 BIGINT,
    设置公告 BIGINT,
    公告内容 TEXT
);

CREATE TABLE 餐台 (rowid BIGSERIAL UNIQUE, 餐台 TEXT);

CREATE TABLE 分类 (rowid BIGSERIAL UNIQUE, 分类 TEXT);

CREATE TABLE 菜品 (rowid BIGSERIAL UNIQUE, 菜品 TEXT, 分类 TEXT);

CREATE TABLE 流水 (
    rowid BIGSERIAL UNIQUE,
    单号 TEXT,
    时间 TEXT,
    台号 TEXT,
    人数 BIGINT,
    金额 BIGINT,
    状态 BIGINT,
    操作 TEXT,
    备注 TEXT
);

CREATE TABLE 明细 (
    rowid BIGSERIAL UNIQUE,
    单号 TEXT,
    菜品 TEXT,
    单价 BIGINT,
    数量 BIGINT,
    金额 BIGINT,
    分类 TEXT
);

CREATE TABLE 程序设置 (rowid BIGSERIAL UNIQUE, 名称 TEXT PRIMARY KEY, 值 TEXT);

CREATE TABLE 结账记录 (rowid BIGSERIAL UNIQUE, 单号 TEXT, 结账时间 TEXT, 应收 BIGINT,
    实收 BIGINT, 找零 BIGINT, 付款方式 TEXT, 操作员 TEXT);
CREATE INDEX 结账记录_结账时间 ON 结账记录 (结账时间);
CREATE INDEX 结账记录_单号 ON 结账记录 (单号);

CREATE TABLE 日结 (rowid BIGSERIAL UNIQUE, 序号 BIGINT PRIMARY KEY, 日结时间 TEXT, 开始 TEXT,
    结束 TEXT, 首单 TEXT, 末单 TEXT, 单数 BIGINT, 人数 BIGINT, 应收合计 BIGINT, 现金 BIGINT,
    微信 BIGINT, 支付宝 BIGINT, 银行卡 BIGINT, 其他 BIGINT, 未记录 BIGINT, 现金实收 BIGINT,
    现金找零 BIGINT, 备用金 BIGINT, 应有现金 BIGINT, 实点现金 BIGINT, 差额 BIGINT,
    未结单数 BIGINT, 未结金额 BIGINT, 删除单数 BIGINT, 删除金额 BIGINT, 下次备用金 BIGINT,
    操作员 TEXT);

CREATE TABLE 删除记录 (rowid BIGSERIAL UNIQUE, 删除时间 TEXT, 操作员 TEXT, 已日结 BIGINT,
    单号 TEXT, 时间 TEXT, 台号 TEXT, 人数 BIGINT, 金额 BIGINT, 状态 BIGINT, 备注 TEXT);
CREATE INDEX 删除记录_删除时间 ON 删除记录 (删除时间);
CREATE TABLE 删除明细 (rowid BIGSERIAL UNIQUE, 删除时间 TEXT, 单号 TEXT, 菜品 TEXT,
    单价 BIGINT, 数量 BIGINT, 金额 BIGINT, 分类 TEXT);

CREATE TABLE 打印机 (rowid BIGSERIAL UNIQUE, 名称 TEXT PRIMARY KEY, 连接 TEXT, 地址 TEXT,
    端口 BIGINT, 纸宽 BIGINT, 编码 TEXT, 切纸 BIGINT, 钱箱 BIGINT, 打印小票 BIGINT,
    打印日结 BIGINT);
CREATE TABLE 打印机分类 (rowid BIGSERIAL UNIQUE, 打印机 TEXT, 分类 TEXT);
CREATE TABLE 送厨记录 (rowid BIGSERIAL UNIQUE, 单号 TEXT, 菜品 TEXT, 分类 TEXT,
    已送数量 BIGINT);
CREATE INDEX 送厨记录_单号 ON 送厨记录 (单号);

CREATE INDEX 流水_单号 ON 流水 (单号);
CREATE INDEX 流水_状态 ON 流水 (状态);
CREATE INDEX 明细_单号 ON 明细 (单号);

-- The version of the tables, as PRAGMA user_version in cysj.db.
CREATE TABLE 数据库版本 (版本 BIGINT NOT NULL);
INSERT INTO 数据库版本 VALUES (3);

-- How many write transactions the counters have committed, as the header of cysj.db counts them:
-- a counter that listed the orders can tell whether anything but its own change came since.
CREATE TABLE 提交计数 (次数 BIGINT NOT NULL);
INSERT INTO 提交计数 VALUES (0);
