#include "printing/printer_settings.h"

#include "store/query.h"

namespace printing {
namespace {

constexpr const char* kLinks[] = {"网络", "设备", "系统"};

std::string linkName(PrinterLink link) {
    return kLinks[static_cast<int>(link)];
}

PrinterLink linkNamed(const std::string& name) {
    for (int link = 0; link < 3; ++link)
        if (name == kLinks[link]) return static_cast<PrinterLink>(link);
    return PrinterLink::Network;
}

bool removeNamed(app::App& app, const std::string& name) {
    store::SqliteTable& printers = app.printers;
    store::SqliteTable& categories = app.printerCategories;
    return app.openTable(printers, "打印机") && app.openTable(categories, "打印机分类") &&
           printers.DeleteWhere({{"名称", name}}) && categories.DeleteWhere({{"打印机", name}});
}

} // namespace

std::optional<std::vector<PrinterSetting>> readPrinters(app::App& app) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openDatabase()) return std::nullopt;
    std::vector<PrinterSetting> printers;
    store::Query all(app.database,
                     "SELECT 名称, 连接, 地址, 端口, 纸宽, 编码, 切纸, 钱箱, 打印小票, "
                     "打印日结 FROM 打印机 ORDER BY rowid");
    while (all.next()) {
        PrinterSetting printer;
        printer.name = all.text(0);
        printer.link = linkNamed(all.text(1));
        printer.address = all.text(2);
        printer.port = static_cast<int>(all.integer(3));
        printer.paperMillimetres = static_cast<int>(all.integer(4));
        printer.encoding = encodingNamed(all.text(5)).value_or(TextEncoding::Gb18030);
        printer.cut = all.integer(6) != 0;
        printer.openDrawer = all.integer(7) != 0;
        printer.receipts = all.integer(8) != 0;
        printer.dayClose = all.integer(9) != 0;
        printers.push_back(std::move(printer));
    }
    for (PrinterSetting& printer : printers) {
        store::Query categories(app.database,
                                "SELECT 分类 FROM 打印机分类 WHERE 打印机 = ? ORDER BY rowid");
        categories.bind(printer.name);
        while (categories.next())
            printer.categories.push_back(categories.text(0));
    }
    if (watch.failed()) return std::nullopt;
    return printers;
}

bool storePrinter(app::App& app, const PrinterSetting& printer) {
    store::SqliteTable& printers = app.printers;
    store::SqliteTable& categories = app.printerCategories;
    bool stored =
        app.openDatabase() && app.database.BeginWriteTransaction() &&
        removeNamed(app, printer.name) && printers.BeginAdd() &&
        printers.Write("名称", printer.name) && printers.Write("连接", linkName(printer.link)) &&
        store::writeTextOrNothing(printers, "地址", printer.address) &&
        printers.Write("端口", printer.port) && printers.Write("纸宽", printer.paperMillimetres) &&
        printers.Write("编码", std::string(encodingName(printer.encoding))) &&
        printers.Write("切纸", printer.cut ? 1 : 0) &&
        printers.Write("钱箱", printer.openDrawer ? 1 : 0) &&
        printers.Write("打印小票", printer.receipts ? 1 : 0) &&
        printers.Write("打印日结", printer.dayClose ? 1 : 0) && printers.Commit();
    for (const std::string& category : printer.categories)
        stored = stored && categories.BeginAdd() && categories.Write("打印机", printer.name) &&
                 categories.Write("分类", category) && categories.Commit();
    stored = stored && app.database.CommitTransaction();
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    printers.Close();
    categories.Close();
    return stored;
}

bool deletePrinter(app::App& app, const std::string& name) {
    const bool deleted = app.openDatabase() && app.database.BeginWriteTransaction() &&
                         removeNamed(app, name) && app.database.CommitTransaction();
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    app.printers.Close();
    app.printerCategories.Close();
    return deleted;
}

} // namespace printing
