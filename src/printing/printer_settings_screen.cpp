#include "printing/printer_settings_screen.h"

#include "app/current_user.h"
#include "printing/printer_settings.h"
#include "printing/receipt.h"
#include "printing/receipt_source.h"
#include "store/query.h"
#include "support/date_time.h"
#include "support/gbk.h"
#include "support/text_rules.h"

#include <algorithm>
#include <vector>

namespace printing {
namespace {

// The options' items, in the order of 选择列表框_选项.
enum Option { kCut, kDrawer, kReceipts, kDayClose };

ui::Window& screenOf(app::App& app) {
    return app.printerSettingsScreen;
}

void warn(app::App& app, std::string_view text) {
    app.message(screenOf(app), text, ui::kWarningBox);
}

struct ScreenState {
    std::vector<PrinterSetting> printers;
};

void showPrinter(app::App& app, const PrinterSetting& printer) {
    ui::Window& screen = screenOf(app);
    screen.editBox("编辑框_名称").setContent(printer.name);
    screen.comboBox("组合框_连接").setSelection(static_cast<int>(printer.link));
    screen.editBox("编辑框_地址").setContent(printer.address);
    screen.editBox("编辑框_端口").setContent(support::numberText(printer.port));
    screen.comboBox("组合框_纸宽").setSelection(printer.paperMillimetres <= 58 ? 0 : 1);
    screen.comboBox("组合框_编码").setSelection(static_cast<int>(printer.encoding));
    ui::ChkListBox& options = screen.chkListBox("选择列表框_选项");
    options.setItemTicked(kCut, printer.cut);
    options.setItemTicked(kDrawer, printer.openDrawer);
    options.setItemTicked(kReceipts, printer.receipts);
    options.setItemTicked(kDayClose, printer.dayClose);
    ui::ChkListBox& categories = screen.chkListBox("选择列表框_分类");
    for (int item = 0; item < categories.itemCount(); ++item)
        categories.setItemTicked(item,
                                 std::find(printer.categories.begin(), printer.categories.end(),
                                           categories.itemText(item)) != printer.categories.end());
}

// The printer as the form describes it; nothing, after a warning, when it cannot be stored.
std::optional<PrinterSetting> typedPrinter(app::App& app) {
    ui::Window& screen = screenOf(app);
    PrinterSetting printer;
    printer.name = screen.editBox("编辑框_名称").content();
    printer.link =
        static_cast<PrinterLink>(std::max(screen.comboBox("组合框_连接").selection(), 0));
    printer.address = screen.editBox("编辑框_地址").content();
    const auto port = support::digitsValue(screen.editBox("编辑框_端口").content());
    printer.paperMillimetres = screen.comboBox("组合框_纸宽").selection() == 0 ? 58 : 80;
    printer.encoding =
        static_cast<TextEncoding>(std::max(screen.comboBox("组合框_编码").selection(), 0));
    const ui::ChkListBox& options = screen.chkListBox("选择列表框_选项");
    printer.cut = options.itemTicked(kCut);
    printer.openDrawer = options.itemTicked(kDrawer);
    printer.receipts = options.itemTicked(kReceipts);
    printer.dayClose = options.itemTicked(kDayClose);
    const ui::ChkListBox& categories = screen.chkListBox("选择列表框_分类");
    for (int item = 0; item < categories.itemCount(); ++item)
        if (categories.itemTicked(item)) printer.categories.push_back(categories.itemText(item));

    if (support::isBlank(printer.name)) {
        warn(app, "打印机名称不能为空！");
        return std::nullopt;
    }
    if (support::isBlank(printer.address)) {
        warn(app, "请输入打印机的地址！");
        return std::nullopt;
    }
    if (printer.link == PrinterLink::Network && (!port || *port < 1 || *port > 65535)) {
        warn(app, "请正确输入打印机的端口（1到65535）！");
        return std::nullopt;
    }
    if (!support::isGbkText(printer.name) || !support::isGbkText(printer.address)) {
        warn(app, "名称或地址中有无法保存的字符，请修改！");
        return std::nullopt;
    }
    printer.port = port ? static_cast<int>(*port) : 9100;
    return printer;
}

void clearForm(app::App& app) {
    PrinterSetting fresh;
    showPrinter(app, fresh);
    screenOf(app).listBox("列表框_打印机").setSelection(-1);
}

bool fillPrinters(app::App& app, ScreenState& state) {
    ui::ListBox& list = screenOf(app).listBox("列表框_打印机");
    list.clearItems();
    auto printers = readPrinters(app);
    if (!printers) return false;
    state.printers = std::move(*printers);
    for (const PrinterSetting& printer : state.printers)
        list.addItem(printer.name);
    return true;
}

bool fillCategories(app::App& app) {
    const store::FaultWatch watch = app.watchDatabase();
    std::vector<std::string> names;
    if (app.openDatabase()) {
        store::Query categories(app.database, "SELECT 分类 FROM 分类 ORDER BY rowid");
        while (categories.next())
            names.push_back(categories.text(0));
    }
    screenOf(app).chkListBox("选择列表框_分类").setItems(std::move(names));
    return !watch.failed();
}

void open(app::App& app, ScreenState& state) {
    ui::Window& screen = screenOf(app);
    const bool mayChange = app.currentUser.granted(app::Permission::SetDiningTables);
    for (const char* button : {"按钮_保存", "按钮_删除", "按钮_保存餐厅"})
        screen.control(button).setDisabled(!mayChange);
    const bool read = fillCategories(app) && fillPrinters(app, state);
    clearForm(app);
    const Restaurant restaurant = readRestaurant(app);
    screen.editBox("编辑框_餐厅名称").setContent(restaurant.name);
    screen.editBox("编辑框_餐厅地址").setContent(restaurant.address);
    screen.editBox("编辑框_餐厅电话").setContent(restaurant.phone);
    screen.editBox("编辑框_小票页脚").setContent(restaurant.footer);
    if (!read) app.reportFailure(screen, app::kReadFailed);
}

void choosePrinter(app::App& app, ScreenState& state) {
    const int chosen = screenOf(app).listBox("列表框_打印机").selection();
    if (chosen >= 0 && chosen < static_cast<int>(state.printers.size()))
        showPrinter(app, state.printers[static_cast<std::size_t>(chosen)]);
}

void save(app::App& app, ScreenState& state) {
    const auto printer = typedPrinter(app);
    if (!printer) return;
    if (!storePrinter(app, *printer))
        return app.reportFailure(screenOf(app), "打印机保存失败，请检查！");
    if (!fillPrinters(app, state)) app.reportFailure(screenOf(app), app::kReadFailed);
    ui::ListBox& list = screenOf(app).listBox("列表框_打印机");
    const auto found = std::find(list.items().begin(), list.items().end(), printer->name);
    list.setSelection(found == list.items().end() ? -1
                                                  : static_cast<int>(found - list.items().begin()));
    app.message(screenOf(app), "打印机保存成功！", ui::kInformationBox);
}

void remove(app::App& app, ScreenState& state) {
    const int chosen = screenOf(app).listBox("列表框_打印机").selection();
    if (chosen < 0 || chosen >= static_cast<int>(state.printers.size()))
        return warn(app, "请选择要删除的打印机！");
    const std::string name = state.printers[static_cast<std::size_t>(chosen)].name;
    if (app.message(screenOf(app), "确定删除打印机“" + name + "”吗？", ui::kQuestionOkCancel) !=
        ui::kOk)
        return;
    if (!deletePrinter(app, name))
        return app.reportFailure(screenOf(app), "删除打印机失败，请检查！");
    if (!fillPrinters(app, state)) app.reportFailure(screenOf(app), app::kReadFailed);
    clearForm(app);
}

Ticket testPage(app::App& app, const PrinterSetting& printer) {
    Ticket page;
    const Restaurant restaurant = readRestaurant(app);
    page.lines.push_back(
        {restaurant.name.empty() ? "Veltrano" : restaurant.name, Align::Center, true, true});
    page.lines.push_back({"打印测试页", Align::Center, true});
    for (const std::string& text :
         {"打印机：" + printer.name, "纸宽：" + support::numberText(printer.columns()) + "列",
          "编码：" + std::string(encodingName(printer.encoding)),
          "时间：" + support::sortableMoment(app.desktop().clock().now()),
          std::string(static_cast<std::size_t>(printer.columns()), '-'),
          "中文：红烧肉 " + money(48)})
        for (const std::string& piece : wrapToWidth(text, printer.columns()))
            page.lines.push_back({piece});
    page.cut = printer.cut;
    return page;
}

void printTest(app::App& app, Printing& printing) {
    const auto printer = typedPrinter(app);
    if (!printer) return;
    printing.print(*printer, testPage(app, *printer), screenOf(app), {"测试页", "重新打印测试页"},
                   [&app](bool printed) {
                       if (printed && screenOf(app).isOpen())
                           app.message(screenOf(app), "测试页已打印！", ui::kInformationBox);
                   });
}

void saveRestaurant(app::App& app) {
    ui::Window& screen = screenOf(app);
    const Restaurant restaurant{
        screen.editBox("编辑框_餐厅名称").content(), screen.editBox("编辑框_餐厅地址").content(),
        screen.editBox("编辑框_餐厅电话").content(), screen.editBox("编辑框_小票页脚").content()};
    for (const std::string* text :
         {&restaurant.name, &restaurant.address, &restaurant.phone, &restaurant.footer})
        if (!support::isGbkText(*text)) return warn(app, "餐厅信息中有无法保存的字符，请修改！");
    if (!storeRestaurant(app, restaurant))
        return app.reportFailure(screen, "餐厅信息保存失败，请检查！");
    app.message(screen, "餐厅信息保存成功！", ui::kInformationBox);
}

} // namespace

void bindPrinterSettingsScreen(app::App& app, std::shared_ptr<Printing> printing) {
    auto state = std::make_shared<ScreenState>();
    app.mainWindow.definition().menuItem("打印设置").clicked = [&app] {
        screenOf(app).open(app.desktop(), &app.mainWindow, true);
    };
    ui::WindowDef& def = screenOf(app).definition();
    def.on.created = [&app, state] { open(app, *state); };
    def.control("按钮_关闭").on.clicked = [&app] { screenOf(app).close(); };
    def.control("列表框_打印机").on.selectionChanged = [&app, state] {
        choosePrinter(app, *state);
    };
    def.control("按钮_新建").on.clicked = [&app] { clearForm(app); };
    def.control("按钮_保存").on.clicked = [&app, state] { save(app, *state); };
    def.control("按钮_删除").on.clicked = [&app, state] { remove(app, *state); };
    def.control("按钮_测试").on.clicked = [&app, printing] { printTest(app, *printing); };
    def.control("按钮_保存餐厅").on.clicked = [&app] { saveRestaurant(app); };
}

} // namespace printing
