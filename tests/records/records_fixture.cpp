#include "records/records_fixture.h"

namespace testing_support {

RecordsTest::RecordsTest() {
    executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作, 备注) VALUES "
               "('20221001090000', '2022年10月1日9时', '大厅01', 2, 100, 1, '管理员', "
               "'[实收：100元]' || char(13, 10) || '[找零：0元]'),"
               "('20221015183000', '2022年10月15日18时30分', '牡丹厅', 6, 388, 0, '管理员', NULL),"
               "('20221031235959', '2022年10月31日23时59分59秒', '大厅02', 3, 50, 1, '收银', "
               "'a<b & \"c\" >'),"
               "('20221101120000', 'garbage', '大厅03', 1, 10, 0, '管理员', NULL);"
               "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES "
               "('20221001090000', '红烧肉', 48, 1, 48, '热菜'),"
               "('20221015183000', '酸梅汤', 10, 2, 20, '酒水'),"
               "('20221001090000', '拍黄瓜', 12, 2, 24, '凉菜'),"
               "('20221001090000', '米饭', 2, 14, 28, '主食');");
}

void RecordsTest::pickDates(const support::CalendarTime& first, const support::CalendarTime& last) {
    screen().datePicker("日期框1").userChoose(support::toDateTime(first));
    screen().datePicker("日期框2").userChoose(support::toDateTime(last));
}

std::vector<std::string> RecordsTest::listedNumbers() {
    std::vector<std::string> numbers;
    for (int row = 0; row < orderList().rowCount(); ++row)
        numbers.push_back(orderList().cellText(row, 1));
    return numbers;
}

std::vector<std::string> RecordsTest::totals() {
    std::vector<std::string> values;
    for (const char* label : {"标签_人数合计", "标签_金额合计", "标签_已结合计", "标签_未结合计"})
        values.push_back(caption(label));
    return values;
}

} // namespace testing_support
