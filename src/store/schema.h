#pragma once

// The tables of cysj.db and their fields. Records are linked by equal texts, never by keys:
// an order line to its order by 单号, an order to its dining table by the table's name, a dish to
// its category by the category's name, an order to its operator by the user's name.

#include <cstdint>

namespace store::schema {

// Prices and guest counts are typed in and stored as whole numbers that other programs reading the
// file take as 32-bit integers; amounts and quantities that follow from them may grow beyond.
inline constexpr std::int64_t kLargestTypedNumber = 2147483647;

namespace users {
inline constexpr char kTable[] = "用户";
inline constexpr char kName[] = "用户";
inline constexpr char kPassword[] = "密码";
inline constexpr char kSkin[] = "皮肤"; // index into the main window's skin list, -1 for none
inline constexpr char kOpenTable[] = "开台";
inline constexpr char kCheckout[] = "结账";
inline constexpr char kQuery[] = "查询";
inline constexpr char kDelete[] = "删除";
inline constexpr char kExportOrders[] = "流水导出";
inline constexpr char kExportOrder[] = "单台导出";
inline constexpr char kSetUsers[] = "设置用户";
inline constexpr char kSetDiningTables[] = "设置餐台";
inline constexpr char kSetDishes[] = "设置菜品";
inline constexpr char kSetAnnouncement[] = "设置公告";
// Only the first record's announcement is used.
inline constexpr char kAnnouncement[] = "公告内容";

// The ten permissions (1 granted, 0 not), in the order of the user settings list.
inline constexpr const char* kPermissions[] = {
    kOpenTable,   kCheckout, kQuery,           kDelete,    kExportOrders,
    kExportOrder, kSetUsers, kSetDiningTables, kSetDishes, kSetAnnouncement,
};
} // namespace users

namespace diningTables {
inline constexpr char kTable[] = "餐台";
inline constexpr char kName[] = "餐台";
} // namespace diningTables

namespace categories {
inline constexpr char kTable[] = "分类";
inline constexpr char kName[] = "分类";
} // namespace categories

namespace dishes {
inline constexpr char kTable[] = "菜品";
inline constexpr char kDish[] = "菜品"; // "name/price元"
inline constexpr char kCategory[] = "分类";
} // namespace dishes

namespace orders {
inline constexpr char kTable[] = "流水";
inline constexpr char kNumber[] = "单号"; // the opening moment as 14 digits
inline constexpr char kTime[] = "时间";   // the opening moment as a date-time text
inline constexpr char kDiningTable[] = "台号";
inline constexpr char kGuests[] = "人数";
inline constexpr char kAmount[] = "金额"; // the sum of the order's line amounts
inline constexpr char kState[] = "状态";  // 0 not settled, anything else settled
inline constexpr char kOperator[] = "操作";
inline constexpr char kRemark[] = "备注"; // NULL until settled

inline constexpr int kNotSettled = 0;
inline constexpr int kSettled = 1;
} // namespace orders

namespace orderLines {
inline constexpr char kTable[] = "明细";
inline constexpr char kNumber[] = "单号";
inline constexpr char kDish[] = "菜品"; // the dish name, the part before "/"
inline constexpr char kUnitPrice[] = "单价";
inline constexpr char kQuantity[] = "数量";
inline constexpr char kAmount[] = "金额"; // 单价 × 数量
inline constexpr char kCategory[] = "分类";
} // namespace orderLines

// This program's own settings, one text value a name; a name without a row has its default.
namespace programSettings {
inline constexpr char kTable[] = "程序设置";
inline constexpr char kName[] = "名称";
inline constexpr char kValue[] = "值";
} // namespace programSettings

// How each order was paid: one row an order, written with its settling.
namespace settlements {
inline constexpr char kTable[] = "结账记录";
inline constexpr char kNumber[] = "单号";
inline constexpr char kMoment[] = "结账时间"; // YYYY-MM-DD hh:mm:ss, sorting as the moment
inline constexpr char kDue[] = "应收";
inline constexpr char kReceived[] = "实收";
inline constexpr char kChange[] = "找零";
inline constexpr char kWay[] = "付款方式";
inline constexpr char kOperator[] = "操作员";
} // namespace settlements

// The day closes: 序号 is the Z number, each figure of the page a field.
namespace dayCloses {
inline constexpr char kTable[] = "日结";
inline constexpr char kNumber[] = "序号";
inline constexpr char kClosedAt[] = "日结时间";
inline constexpr char kFrom[] = "开始"; // the period: after 开始, up to and with 结束
inline constexpr char kUntil[] = "结束";
inline constexpr char kFirstOrder[] = "首单";
inline constexpr char kLastOrder[] = "末单";
inline constexpr char kBills[] = "单数";
inline constexpr char kGuests[] = "人数";
inline constexpr char kDue[] = "应收合计";
inline constexpr char kUnrecorded[] = "未记录";
inline constexpr char kCashReceived[] = "现金实收";
inline constexpr char kCashChange[] = "现金找零";
inline constexpr char kFloat[] = "备用金";
inline constexpr char kExpectedCash[] = "应有现金";
inline constexpr char kCountedCash[] = "实点现金";
inline constexpr char kDifference[] = "差额";
inline constexpr char kOpenOrders[] = "未结单数";
inline constexpr char kOpenAmount[] = "未结金额";
inline constexpr char kDeletedOrders[] = "删除单数";
inline constexpr char kDeletedAmount[] = "删除金额";
inline constexpr char kNextFloat[] = "下次备用金";
inline constexpr char kOperator[] = "操作员";
} // namespace dayCloses

// What was deleted on the records screen: the order as it was, and each of its lines.
namespace deletedOrders {
inline constexpr char kTable[] = "删除记录";
inline constexpr char kMoment[] = "删除时间";
inline constexpr char kOperator[] = "操作员";
inline constexpr char kFromClosedDay[] = "已日结"; // 1 when the order belonged to a closed day
} // namespace deletedOrders

namespace deletedLines {
inline constexpr char kTable[] = "删除明细";
inline constexpr char kMoment[] = "删除时间";
} // namespace deletedLines

// The ways of paying, in the order the checkout offers them; the first is the default. Orders
// settled before the way was recorded count as 未记录.
inline constexpr const char* kWaysOfPaying[] = {"现金", "微信", "支付宝", "银行卡", "其他"};
inline constexpr char kCash[] = "现金";
inline constexpr char kUnrecordedWay[] = "未记录";

} // namespace store::schema
