#include "restaurant_menu.h"

#include "support/pattern_matcher.h"
#include "support/text_rules.h"

#include <string_view>

namespace bench {
namespace {

constexpr std::string_view kAddedDiningTables[] = {
    "大厅09", "大厅10", "大厅11", "大厅12", "大厅13", "大厅14", "大厅15", "大厅16",
    "大厅17", "大厅18", "大厅19", "大厅20", "芙蓉厅", "海棠厅", "桂花厅", "荷花厅",
    "兰花厅", "梅花厅", "包间01", "包间02", "包间03", "包间04", "包间05", "包间06",
    "包间07", "包间08", "包间09", "包间10", "包间11", "包间12",
};

constexpr std::string_view kAddedCategories[] = {"汤羹", "海鲜", "小吃", "甜品"};

struct AddedDish {
    std::string_view category;
    std::string_view name;
    int price;
};

constexpr AddedDish kAddedDishes[] = {
    {"凉菜", "皮蛋豆腐", 14},   {"凉菜", "口水鸡", 32},     {"凉菜", "蒜泥白肉", 26},
    {"凉菜", "凉拌海带丝", 12}, {"凉菜", "糖拌西红柿", 12}, {"凉菜", "老醋花生", 10},
    {"凉菜", "酱牛肉", 38},     {"凉菜", "凉拌三丝", 12},   {"凉菜", "白切鸡", 36},
    {"凉菜", "卤猪耳", 24},     {"凉菜", "麻辣鸭脖", 22},   {"凉菜", "凉拌腐竹", 14},
    {"热菜", "回锅肉", 32},     {"热菜", "水煮牛肉", 48},   {"热菜", "糖醋里脊", 36},
    {"热菜", "干煸豆角", 22},   {"热菜", "地三鲜", 20},     {"热菜", "京酱肉丝", 32},
    {"热菜", "辣子鸡", 42},     {"热菜", "青椒肉丝", 24},   {"热菜", "东坡肘子", 68},
    {"热菜", "梅菜扣肉", 46},   {"热菜", "蚂蚁上树", 20},   {"主食", "馒头", 1},
    {"主食", "花卷", 2},        {"主食", "葱油饼", 8},      {"主食", "水饺", 20},
    {"主食", "蛋炒饭", 15},     {"主食", "炸酱面", 18},     {"主食", "担担面", 16},
    {"主食", "小笼包", 18},     {"主食", "肉夹馍", 12},     {"主食", "刀削面", 16},
    {"主食", "阳春面", 12},     {"主食", "锅贴", 16},       {"酒水", "雪花啤酒", 8},
    {"酒水", "燕京啤酒", 8},    {"酒水", "可口可乐", 6},    {"酒水", "雪碧", 6},
    {"酒水", "橙汁", 15},       {"酒水", "椰汁", 15},       {"酒水", "王老吉", 6},
    {"酒水", "矿泉水", 3},      {"酒水", "红星二锅头", 25}, {"酒水", "绍兴黄酒", 30},
    {"酒水", "长城干红", 98},   {"酒水", "菊花茶", 20},     {"酒水", "柠檬水", 12},
    {"汤羹", "西红柿蛋汤", 16}, {"汤羹", "紫菜蛋花汤", 14}, {"汤羹", "酸辣汤", 18},
    {"汤羹", "玉米排骨汤", 38}, {"汤羹", "冬瓜丸子汤", 26}, {"汤羹", "鲫鱼豆腐汤", 36},
    {"汤羹", "老鸭汤", 58},     {"汤羹", "乌鸡汤", 68},     {"汤羹", "银耳羹", 18},
    {"汤羹", "南瓜羹", 16},     {"汤羹", "海带排骨汤", 36}, {"汤羹", "罗宋汤", 22},
    {"汤羹", "菌菇汤", 28},     {"汤羹", "豆腐羹", 16},     {"汤羹", "三鲜汤", 24},
    {"海鲜", "清蒸鲈鱼", 78},   {"海鲜", "红烧带鱼", 58},   {"海鲜", "油焖大虾", 88},
    {"海鲜", "蒜蓉扇贝", 68},   {"海鲜", "辣炒蛤蜊", 38},   {"海鲜", "葱姜炒蟹", 128},
    {"海鲜", "水煮鱼", 68},     {"海鲜", "酸菜鱼", 62},     {"海鲜", "椒盐皮皮虾", 78},
    {"海鲜", "白灼基围虾", 88}, {"海鲜", "干烧黄鱼", 72},   {"海鲜", "剁椒鱼头", 78},
    {"海鲜", "爆炒鱿鱼", 48},   {"海鲜", "清蒸多宝鱼", 98}, {"海鲜", "蒜蓉粉丝蒸虾", 78},
    {"小吃", "春卷", 12},       {"小吃", "炸鸡翅", 28},     {"小吃", "薯条", 12},
    {"小吃", "烤串", 30},       {"小吃", "臭豆腐", 15},     {"小吃", "煎饺", 18},
    {"小吃", "韭菜盒子", 10},   {"小吃", "糖油饼", 6},      {"小吃", "炸豆腐", 12},
    {"小吃", "麻团", 8},        {"小吃", "驴打滚", 16},     {"小吃", "狼牙土豆", 14},
    {"小吃", "烤红薯", 10},     {"小吃", "玉米烙", 18},     {"小吃", "葱花饼", 10},
    {"甜品", "拔丝地瓜", 26},   {"甜品", "八宝饭", 22},     {"甜品", "双皮奶", 16},
    {"甜品", "杨枝甘露", 22},   {"甜品", "红豆沙", 12},     {"甜品", "绿豆沙", 12},
    {"甜品", "芒果布丁", 18},   {"甜品", "冰糖雪梨", 18},   {"甜品", "桂花糕", 14},
    {"甜品", "芝麻汤圆", 12},   {"甜品", "酒酿圆子", 12},   {"甜品", "龟苓膏", 14},
    {"甜品", "椰汁西米露", 16}, {"甜品", "红糖糍粑", 18},   {"甜品", "冰粉", 10},
};

// "name/price元", exactly as the restaurant settings screen stores the two boxes.
std::string dishText(std::string_view name, int price) {
    return std::string(name) + "/" + std::to_string(price) + "元";
}

// The order screen's cut: the name before the first "/", the price from the digits up to the
// next "/".
MenuDish cutDishText(const std::string& text, std::string category) {
    const auto slash = text.find('/');
    if (slash == std::string::npos) return {text, 0, std::move(category)};
    const std::string_view rest = std::string_view(text).substr(slash + 1);
    return {text.substr(0, slash),
            support::textToInt(support::KeepDigits(rest.substr(0, rest.find('/')))),
            std::move(category)};
}

} // namespace

void growMenu(SqliteFile& db) {
    Statement table = db.prepare("INSERT INTO 餐台 (餐台) VALUES (?)");
    for (const std::string_view name : kAddedDiningTables) {
        table.bind(1, name);
        table.run();
    }
    Statement category = db.prepare("INSERT INTO 分类 (分类) VALUES (?)");
    for (const std::string_view name : kAddedCategories) {
        category.bind(1, name);
        category.run();
    }
    Statement dish = db.prepare("INSERT INTO 菜品 (菜品, 分类) VALUES (?, ?)");
    for (const AddedDish& added : kAddedDishes) {
        dish.bind(1, dishText(added.name, added.price));
        dish.bind(2, added.category);
        dish.run();
    }
}

std::vector<std::string> storedDiningTables(SqliteFile& db) {
    std::vector<std::string> tables;
    Statement query = db.prepare("SELECT 餐台 FROM 餐台 ORDER BY rowid");
    while (query.step())
        tables.push_back(query.text(0));
    return tables;
}

std::vector<MenuDish> storedDishes(SqliteFile& db) {
    std::vector<MenuDish> dishes;
    Statement query = db.prepare("SELECT 菜品, 分类 FROM 菜品 ORDER BY rowid");
    while (query.step())
        dishes.push_back(cutDishText(query.text(0), query.text(1)));
    return dishes;
}

} // namespace bench
