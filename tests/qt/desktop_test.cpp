#include "qt/qt_desktop.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

using testing_support::ScriptedDialogs;
using ui::ControlKind;

ui::WindowDef sampleDefinition() {
    ui::WindowDef def;
    def.name = "Sample";
    def.rect = {0, 0, 600, 400};
    def.backgroundColor = ui::Color::rgb(0xECECEC);
    def.add(ControlKind::GroupBox, "分组框1", "", {10, 10, 300, 200});
    def.add(ControlKind::Label, "标签_金额", "分组框1", {5, 5, 80, 20})
        .withCaption("0")
        .withFont(19, true)
        .withTextColor(ui::Color::rgb(0xFF0000));
    def.add(ControlKind::Button, "按钮_确定", "分组框1", {5, 30, 80, 24}).withCaption("确定");
    def.add(ControlKind::EditBox, "编辑框_金额", "分组框1", {5, 60, 120, 24})
        .withInputMode(ui::InputMode::WholeNumber);
    def.add(ControlKind::EditBox, "编辑框_密码", "分组框1", {5, 90, 120, 24})
        .withInputMode(ui::InputMode::Password);
    def.add(ControlKind::EditBox, "编辑框_备注", "分组框1", {5, 120, 200, 60}).withMultiLine();
    def.add(ControlKind::ComboBox, "组合框_餐台", "", {320, 10, 120, 24})
        .withComboType(ui::ComboType::DropDownList)
        .withItems({"大厅1", "大厅2", "包间"});
    def.add(ControlKind::ComboBox, "组合框_人数", "", {450, 10, 80, 24}).withItems({"1", "2"});
    def.add(ControlKind::ListView, "列表_明细", "", {320, 40, 270, 150})
        .withColumns({{"菜品", 150, ui::Alignment::Left}, {"数量", 80, ui::Alignment::Right}})
        .asReportList();
    def.add(ControlKind::OutlookBar, "菜单", "", {10, 220, 150, 170})
        .withGroups({{"凉菜", {"拍黄瓜/8元", "皮蛋/10元"}}, {"热菜", {"鱼香肉丝/28元"}}});
    def.add(ControlKind::ToolBar, "工具条", "", {170, 220, 300, 60})
        .withButtons({{"", "", true},
                      {"切换用户", "switch_user", false},
                      {"", "", true},
                      {"开台点菜", "open_table", false}});
    def.add(ControlKind::StatusBar, "状态条", "", {0, 380, 600, 20})
        .withParts({{100, " 公告："}, {-1, ""}});
    return def;
}

class QtDesktopTest : public ::testing::Test {
protected:
    QtDesktopTest() : desktop(dialogs), window(sampleDefinition()) {}

    template <typename W> W* widget(const char* name) const {
        auto* found = desktop.view(window)->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void open() {
        window.open(desktop);
        QApplication::processEvents();
    }

    ScriptedDialogs dialogs;
    qtui::QtDesktop desktop;
    ui::Window window;
};

TEST_F(QtDesktopTest, WidgetsStandWhereTheDefinitionPutsThem) {
    open();
    QWidget* view = desktop.view(window);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(view->size(), QSize(600, 400));
    const auto screen = desktop.screenSize();
    EXPECT_EQ(view->pos(), QPoint((screen.width - 600) / 2, (screen.height - 400) / 2));

    auto* amount = widget<QLabel>("标签_金额");
    EXPECT_EQ(amount->parentWidget()->objectName(), QString::fromUtf8("分组框1"));
    EXPECT_EQ(amount->geometry(), QRect(5, 5, 80, 20));
    EXPECT_EQ(amount->font().pixelSize(), 19);
    EXPECT_TRUE(amount->font().bold());
    EXPECT_EQ(widget<QPushButton>("按钮_确定")->mapTo(view, QPoint(0, 0)), QPoint(15, 40));
    EXPECT_EQ(widget<QLineEdit>("编辑框_密码")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(widget<QComboBox>("组合框_餐台")->isEditable());
    EXPECT_TRUE(widget<QComboBox>("组合框_人数")->isEditable());
    EXPECT_EQ(widget<QTableView>("列表_明细")->columnWidth(0), 150);

    window.setLeft(7);
    window.setTop(9);
    EXPECT_EQ(view->pos(), QPoint(7, 9));
}

TEST_F(QtDesktopTest, TypingGoesThroughTheModelAndHandlerWritesDoNotComeBack) {
    int changes = 0;
    window.definition().control("编辑框_金额").on.contentChanged = [&] { ++changes; };
    open();
    auto* amount = widget<QLineEdit>("编辑框_金额");
    QTest::keyClicks(amount, "1a2.5");
    EXPECT_EQ(window.editBox("编辑框_金额").content(), "125");
    EXPECT_EQ(amount->text(), QStringLiteral("125"));
    EXPECT_EQ(changes, 3);

    window.editBox("编辑框_金额").setContent("12.5元");
    EXPECT_EQ(amount->text(), QString::fromUtf8("12.5元"));
    EXPECT_EQ(changes, 4); // the write raised once; showing it raised nothing more

    auto* remark = widget<QPlainTextEdit>("编辑框_备注");
    QTest::keyClicks(remark, "ab");
    QTest::keyClick(remark, Qt::Key_Return);
    QTest::keyClicks(remark, "c");
    EXPECT_EQ(window.editBox("编辑框_备注").content(), "ab\r\nc");
}

TEST_F(QtDesktopTest, EnterReachesTheKeyHandlerBeforeTheBox) {
    std::string seen = "none";
    window.definition().control("编辑框_备注").on.keyDown = [&](int key, int) {
        if (key == ui::kKeyEnter) seen = window.editBox("编辑框_备注").content();
    };
    open();
    auto* remark = widget<QPlainTextEdit>("编辑框_备注");
    QTest::keyClicks(remark, "x");
    QTest::keyClick(remark, Qt::Key_Return);
    EXPECT_EQ(seen, "x");
    EXPECT_EQ(window.editBox("编辑框_备注").content(), "x\r\n");
}

TEST_F(QtDesktopTest, ButtonsAndDisabledState) {
    int clicks = 0;
    window.definition().control("按钮_确定").on.clicked = [&] { ++clicks; };
    open();
    auto* button = widget<QPushButton>("按钮_确定");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    window.button("按钮_确定").setDisabled(true);
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    window.label("按钮_确定").setCaption("结 账");
    EXPECT_EQ(button->text(), QString::fromUtf8("结 账"));
}

TEST_F(QtDesktopTest, ComboPicksRaiseSelectionChangedButWritesDoNot) {
    int picks = 0;
    window.definition().control("组合框_餐台").on.selectionChanged = [&] { ++picks; };
    open();
    auto* tables = widget<QComboBox>("组合框_餐台");
    window.comboBox("组合框_餐台").setSelection(2);
    EXPECT_EQ(tables->currentIndex(), 2);
    EXPECT_EQ(picks, 0);
    tables->setFocus();
    QTest::keyClick(tables, Qt::Key_Up);
    EXPECT_EQ(window.comboBox("组合框_餐台").content(), "大厅2");
    EXPECT_EQ(picks, 1);
    window.comboBox("组合框_餐台").clearItems();
    window.comboBox("组合框_餐台").addItem("雅间");
    EXPECT_EQ(tables->count(), 1);
    EXPECT_EQ(tables->currentIndex(), -1);

    auto* guests = widget<QComboBox>("组合框_人数");
    guests->lineEdit()->clear();
    QTest::keyClicks(guests->lineEdit(), "12");
    EXPECT_EQ(window.comboBox("组合框_人数").content(), "12");
    window.comboBox("组合框_人数").setSelection(0);
    EXPECT_EQ(guests->currentText(), QStringLiteral("1"));
}

TEST_F(QtDesktopTest, ListViewClicksSelectRowsAndEmptySpaceSelectsNone) {
    int clicks = 0;
    window.definition().control("列表_明细").on.clicked = [&] { ++clicks; };
    open();
    ui::ListView& lines = window.listView("列表_明细");
    for (const char* dish : {"鱼香肉丝", "宫保鸡丁", "酸辣汤"})
        lines.setCellText(lines.insertRow(dish), 1, "2");
    QApplication::processEvents(); // the view takes the burst of rows at once
    auto* table = widget<QTableView>("列表_明细");
    ASSERT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(table->model()->index(1, 0).data().toString(), QString::fromUtf8("宫保鸡丁"));
    EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("数量"));

    const QRect row1 = table->visualRect(table->model()->index(1, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row1.center());
    EXPECT_EQ(lines.selectedRow(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(table->selectionModel()->isRowSelected(1, {}));

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      QPoint(10, table->viewport()->height() - 5));
    EXPECT_EQ(lines.selectedRow(), -1);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(table->selectionModel()->hasSelection());

    lines.deleteAllRows();
    QApplication::processEvents();
    EXPECT_EQ(table->model()->rowCount(), 0);
}

TEST_F(QtDesktopTest, ABurstOfRowsReachesTheViewInOneReload) {
    open();
    auto* table = widget<QTableView>("列表_明细");
    QSignalSpy resets(table->model(), &QAbstractItemModel::modelReset);
    ui::ListView& lines = window.listView("列表_明细");
    QElapsedTimer clock;
    clock.start();
    for (int row = 0; row < 100000; ++row)
        lines.setCellText(lines.insertRow("菜"), 1, std::to_string(row));
    QApplication::processEvents();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(table->model()->rowCount(), 100000);
    table->scrollToBottom();
    QApplication::processEvents();
    EXPECT_EQ(table->model()->index(99999, 1).data().toString(), QStringLiteral("99999"));
    std::printf("100000 rows filled and shown in %lld ms\n", clock.elapsed());
}

TEST_F(QtDesktopTest, DraggingTheBackgroundMovesTheWindowAndRaisesMoved) {
    int moved = 0;
    window.definition().on.moved = [&] { ++moved; };
    open();
    QWidget* view = desktop.view(window);
    const QPoint start = view->pos();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(590, 300));
    QMouseEvent drag(QEvent::MouseMove, QPointF(600, 320), view->mapToGlobal(QPointF(600, 320)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drag);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(600, 320));
    QApplication::processEvents();
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(QPoint(window.left(), window.top()), start + QPoint(10, 20));
    EXPECT_EQ(view->pos(), start + QPoint(10, 20));
}

// The window manager moves windows too: by their title, by the keyboard, by snapping.
TEST_F(QtDesktopTest, AMoveNotMadeByADragIsToldOnceAndAModelMoveNotAtAll) {
    int moved = 0;
    window.definition().on.moved = [&] { ++moved; };
    open();
    QWidget* view = desktop.view(window);
    const QPoint start = view->pos();
    view->move(start + QPoint(37, 41));
    QApplication::processEvents();
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(QPoint(window.left(), window.top()), start + QPoint(37, 41));

    window.setLeft(5);
    window.setTop(6);
    QApplication::processEvents();
    EXPECT_EQ(moved, 1) << "a move the model made itself is not news to it";
    EXPECT_EQ(view->pos(), QPoint(5, 6));
}

TEST_F(QtDesktopTest, OutlookBarOpensGroupsAndReportsItems) {
    std::vector<int> groups;
    std::vector<std::pair<int, int>> items;
    auto& on = window.definition().control("菜单").on;
    on.groupClicked = [&](int g) { groups.push_back(g); };
    on.itemClicked = [&](int g, int i) { items.emplace_back(g, i); };
    open();
    QWidget* bar = widget<QWidget>("菜单");
    EXPECT_EQ(bar->findChild<QListWidget*>(), nullptr); // no group open
    QPushButton* hot = nullptr;
    for (auto* header : bar->findChildren<QPushButton*>()) {
        if (header->text() == QString::fromUtf8("热菜")) hot = header;
    }
    ASSERT_NE(hot, nullptr);
    QTest::mouseClick(hot, Qt::LeftButton);
    EXPECT_EQ(groups, std::vector<int>{1});
    QApplication::processEvents();
    auto* dishes = bar->findChild<QListWidget*>();
    ASSERT_NE(dishes, nullptr);
    ASSERT_EQ(dishes->count(), 1);
    QTest::mouseClick(dishes->viewport(), Qt::LeftButton, {},
                      dishes->visualItemRect(dishes->item(0)).center());
    EXPECT_EQ(items, (std::vector<std::pair<int, int>>{{1, 0}}));
}

TEST_F(QtDesktopTest, ToolBarReportsIndexesCountingSeparators) {
    std::vector<int> clicked;
    window.definition().control("工具条").on.buttonClicked = [&](int i) { clicked.push_back(i); };
    open();
    auto* bar = widget<QToolBar>("工具条");
    for (QAction* action : bar->actions()) {
        if (!action->isSeparator()) action->trigger();
    }
    EXPECT_EQ(clicked, (std::vector<int>{1, 3}));
    window.statusBar("状态条").setPartText(1, "今日特价");
    bool shown = false;
    for (auto* label : widget<QWidget>("状态条")->findChildren<QLabel*>())
        shown = shown || label->text() == QString::fromUtf8("今日特价");
    EXPECT_TRUE(shown);
}

TEST_F(QtDesktopTest, AModalWindowBlocksItsOwnerUntilItCloses) {
    int ownerClicks = 0;
    window.definition().control("按钮_确定").on.clicked = [&] { ++ownerClicks; };
    open();
    ui::WindowDef settingsDef;
    settingsDef.name = "Settings";
    settingsDef.rect = {0, 0, 200, 100};
    ui::Window settings(std::move(settingsDef));
    bool sawModal = false;
    QTimer::singleShot(0, [&] {
        sawModal = settings.isOpen() && desktop.view(settings)->isModal();
        QTest::mouseClick(widget<QPushButton>("按钮_确定"), Qt::LeftButton);
        settings.close();
    });
    settings.open(desktop, &window, true);
    EXPECT_TRUE(sawModal);
    EXPECT_EQ(ownerClicks, 0);
    EXPECT_FALSE(settings.isOpen());
    QTest::mouseClick(widget<QPushButton>("按钮_确定"), Qt::LeftButton);
    EXPECT_EQ(ownerClicks, 1);
}

TEST_F(QtDesktopTest, MessageBoxesGoThroughTheSeamWithTheDefaultTitle) {
    open();
    dialogs.messageAnswers = {ui::kCancel};
    EXPECT_EQ(
        desktop.messageBox("删除吗？", ui::kQuestionOkCancel, ui::kDefaultMessageTitle, &window),
        ui::kCancel);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QString::fromUtf8("信息："));
    EXPECT_EQ(dialogs.messages[0].parent, desktop.view(window));
}

} // namespace
