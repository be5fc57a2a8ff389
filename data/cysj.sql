-- The delivered database: the six tables, the program's settings, the administrator and a
-- starter menu that a restaurant edits to its own on the settings screens.

CREATE TABLE 用户 (
    用户 TEXT,
    密码 TEXT,
    皮肤 INTEGER,
    开台 INTEGER,
    结账 INTEGER,
    查询 INTEGER,
    删除 INTEGER,
    流水导出 INTEGER,
    单台导出 INTEGER,
    设置用户 INTEGER,
    设置餐台 INTEGER,
    设置菜品 INTEGER,
    设置公告 INTEGER,
    公告内容 TEXT
);

CREATE TABLE 餐台 (餐台 TEXT);

CREATE TABLE 分类 (分类 TEXT);

CREATE TABLE 菜品 (
    菜品 TEXT,
    分类 TEXT
);

CREATE TABLE 流水 (
    单号 TEXT,
    时间 TEXT,
    台号 TEXT,
    人数 INTEGER,
    金额 INTEGER,
    状态 INTEGER,
    操作 TEXT,
    备注 TEXT
);

CREATE TABLE 明细 (
    单号 TEXT,
    菜品 TEXT,
    单价 INTEGER,
    数量 INTEGER,
    金额 INTEGER,
    分类 TEXT
);

-- This program's own settings, kept apart from the six tables other programs read.
CREATE TABLE 程序设置 (名称 TEXT PRIMARY KEY, 值 TEXT);

-- How each order was paid, written when it is settled; the moment sorts as text.
CREATE TABLE 结账记录 (单号 TEXT, 结账时间 TEXT, 应收 INTEGER, 实收 INTEGER,
    找零 INTEGER, 付款方式 TEXT, 操作员 TEXT);
CREATE INDEX 结账记录_结账时间 ON 结账记录 (结账时间);
CREATE INDEX 结账记录_单号 ON 结账记录 (单号);

-- The day closes, numbered without a gap, with every figure of their page.
CREATE TABLE 日结 (序号 INTEGER PRIMARY KEY, 日结时间 TEXT, 开始 TEXT, 结束 TEXT,
    首单 TEXT, 末单 TEXT, 单数 INTEGER, 人数 INTEGER, 应收合计 INTEGER, 现金 INTEGER,
    微信 INTEGER, 支付宝 INTEGER, 银行卡 INTEGER, 其他 INTEGER, 未记录 INTEGER, 现金实收 INTEGER,
    现金找零 INTEGER, 备用金 INTEGER, 应有现金 INTEGER, 实点现金 INTEGER, 差额 INTEGER,
    未结单数 INTEGER, 未结金额 INTEGER, 删除单数 INTEGER, 删除金额 INTEGER, 下次备用金 INTEGER,
    操作员 TEXT);

-- What was deleted on the records screen, by whom and when: the order and its lines.
CREATE TABLE 删除记录 (删除时间 TEXT, 操作员 TEXT, 已日结 INTEGER, 单号 TEXT,
    时间 TEXT, 台号 TEXT, 人数 INTEGER, 金额 INTEGER, 状态 INTEGER, 备注 TEXT);
CREATE INDEX 删除记录_删除时间 ON 删除记录 (删除时间);
CREATE TABLE 删除明细 (删除时间 TEXT, 单号 TEXT, 菜品 TEXT, 单价 INTEGER,
    数量 INTEGER, 金额 INTEGER, 分类 TEXT);

-- The printers: how each is reached and what it prints; the dish categories it takes as kitchen
-- tickets; and how much of each order line has gone to the kitchen.
CREATE TABLE 打印机 (名称 TEXT PRIMARY KEY, 连接 TEXT, 地址 TEXT,
    端口 INTEGER, 纸宽 INTEGER, 编码 TEXT, 切纸 INTEGER, 钱箱 INTEGER, 打印小票 INTEGER,
    打印日结 INTEGER);
CREATE TABLE 打印机分类 (打印机 TEXT, 分类 TEXT);
CREATE TABLE 送厨记录 (单号 TEXT, 菜品 TEXT, 分类 TEXT, 已送数量 INTEGER);
CREATE INDEX 送厨记录_单号 ON 送厨记录 (单号);

PRAGMA user_version = 3;

-- An order's lines and total are found by its number, open orders by their state.
CREATE INDEX 流水_单号 ON 流水 (单号);
CREATE INDEX 流水_状态 ON 流水 (状态);
CREATE INDEX 明细_单号 ON 明细 (单号);

-- The first user is the administrator: every permission, and the announcement of the house.
INSERT INTO 用户 (用户, 密码, 皮肤, 开台, 结账, 查询, 删除, 流水导出, 单台导出,
                  设置用户, 设置餐台, 设置菜品, 设置公告, 公告内容)
VALUES ('管理员', 'admin', 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
        '欢迎使用Veltrano前台系统！首次登录后请尽快修改管理员密码。');

INSERT INTO 餐台 (餐台) VALUES
    ('大厅01'), ('大厅02'), ('大厅03'), ('大厅04'), ('大厅05'),
    ('大厅06'), ('大厅07'), ('大厅08'), ('牡丹厅'), ('玉兰厅');

INSERT INTO 分类 (分类) VALUES ('凉菜'), ('热菜'), ('主食'), ('酒水');

INSERT INTO 菜品 (菜品, 分类) VALUES
    ('拍黄瓜/12元', '凉菜'),
    ('凉拌木耳/16元', '凉菜'),
    ('夫妻肺片/28元', '凉菜'),
    ('宫保鸡丁/32元', '热菜'),
    ('鱼香肉丝/28元', '热菜'),
    ('麻婆豆腐/18元', '热菜'),
    ('红烧肉/48元', '热菜'),
    ('米饭/2元', '主食'),
    ('扬州炒饭/18元', '主食'),
    ('牛肉面/22元', '主食'),
    ('青岛啤酒/8元', '酒水'),
    ('酸梅汤/10元', '酒水');
