#include "ordering/order_list.h"

#include "store/schema.h"
#include "support/text_rules.h"

namespace ordering {

namespace orders = store::schema::orders;

bool fillOrderList(app::App& app) {
    ui::Window& screen = app.checkoutScreen;
    ui::ListView& list = screen.listView("超级列表框_流水");
    list.deleteAllRows();
    screen.listView("超级列表框_明细").deleteAllRows();
    for (const char* label : {"标签_台号", "标签_金额", "标签_找零"})
        screen.label(label).setCaption("");
    screen.editBox("编辑框_金额").setContent("");
    screen.editBox("编辑框_备注").setContent("");

    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.orders, orders::kTable);
    app.orders.ForEachWhere({{orders::kState, orders::kNotSettled}}, [&] {
        const int row = list.insertRow("");
        list.setCellText(row, 1, app.orders.ReadText(orders::kNumber));
        list.setCellText(row, 2, app.orders.ReadText(orders::kTime));
        list.setCellText(row, 3, app.orders.ReadText(orders::kDiningTable));
        list.setCellText(row, 4, support::numberText(app.orders.ReadInt(orders::kGuests)));
        list.setCellText(row, 5, support::numberText(app.orders.ReadInt(orders::kAmount)));
        list.setCellText(row, 6, "未结账");
        list.setCellText(row, 7, app.orders.ReadText(orders::kOperator));
    });
    app.orders.Close();
    for (int row = 0; row < list.rowCount(); ++row)
        list.setCellText(row, 0, support::numberText(row + 1));
    return !watch.failed();
}

} // namespace ordering
