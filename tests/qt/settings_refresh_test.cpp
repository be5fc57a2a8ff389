#include "real_program.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using testing_support::clickButton;
using testing_support::menuGroupTitles;
using testing_support::menuItems;
using testing_support::openMenuGroup;
using testing_support::widgetOf;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void typeInto(QLineEdit* box, const char* typed) {
    ASSERT_NE(box, nullptr);
    box->setFocus();
    box->selectAll();
    testing_support::typeText(box, text(typed));
}

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int item = 0; item < combo->count(); ++item) items << combo->itemText(item);
    return items;
}

struct OrderScreenSeen {
    QStringList tables;
    QStringList groups;
    QStringList dishes;
};

// A new dining table, a renamed category and a new dish show at once in the open order screen,
// while the settings screen is still open.
TEST(RealProgram, SettingsChangesShowAtOnceInTheOpenOrderScreen) {
    testing_support::ScriptedDialogs dialogs;
    OrderScreenSeen before;
    OrderScreenSeen after;
    bool settingsShown = false;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        const ui::Window& order = veltrano.orderScreen;
        const ui::Window& settings = veltrano.restaurantSettingsScreen;
        testing_support::chooseToolbarEntry(desktop, veltrano, "开台点菜");
        const auto look = [&] {
            OrderScreenSeen seen;
            seen.tables = itemsOf(widgetOf<QComboBox>(desktop, order, "组合框_餐台"));
            seen.groups = menuGroupTitles(desktop, order, "卷帘式菜单_点菜");
            openMenuGroup(desktop, order, "卷帘式菜单_点菜", "冷盘");
            seen.dishes = menuItems(desktop, order, "卷帘式菜单_点菜");
            return seen;
        };
        before = look();

        // A person chooses 餐厅设置 from the popup menu, then works on the modal settings screen.
        QTimer person;
        person.setInterval(20);
        QObject::connect(&person, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    if (action->text() == text("餐厅设置")) menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
            QWidget* view = desktop.view(settings);
            if (!view || !view->isVisible()) return;
            person.stop();
            settingsShown = true;
            typeInto(widgetOf<QLineEdit>(desktop, settings, "编辑框_餐台"), "露台01");
            clickButton(desktop, settings, "按钮_餐台添加");
            openMenuGroup(desktop, settings, "卷帘式菜单_菜单", "凉菜");
            typeInto(widgetOf<QLineEdit>(desktop, settings, "编辑框_分类"), "冷盘");
            clickButton(desktop, settings, "按钮_菜品分类修改");
            openMenuGroup(desktop, settings, "卷帘式菜单_菜单", "冷盘");
            typeInto(widgetOf<QLineEdit>(desktop, settings, "编辑框_菜品"), "皮蛋豆腐");
            typeInto(widgetOf<QLineEdit>(desktop, settings, "编辑框_单价"), "14");
            clickButton(desktop, settings, "按钮_菜品添加");
            after = look();
            clickButton(desktop, settings, "按钮10"); // 关闭
        });
        person.start();
        testing_support::chooseToolbarEntry(desktop, veltrano, "系统设置");
        EXPECT_FALSE(settings.isOpen());
    });
    ASSERT_TRUE(settingsShown);
    for (const auto& shown : dialogs.messages)
        EXPECT_FALSE(shown.text.contains(text("失败"))) << shown.text.toStdString();

    EXPECT_FALSE(before.tables.contains(text("露台01")));
    EXPECT_TRUE(after.tables.contains(text("露台01")));
    EXPECT_EQ(before.tables.size() + 1, after.tables.size());

    EXPECT_TRUE(before.groups.contains(text("凉菜")));
    EXPECT_FALSE(after.groups.contains(text("凉菜")));
    EXPECT_TRUE(after.groups.contains(text("冷盘")));
    EXPECT_TRUE(before.dishes.isEmpty());
    EXPECT_TRUE(after.dishes.contains(text("皮蛋豆腐/14元")));
    EXPECT_TRUE(after.dishes.contains(text("拍黄瓜/12元")));
}

} // namespace
