#include "printing/kitchen_ticket.h"

#include "support/text_rules.h"

#include <algorithm>

namespace printing {

Ticket kitchenTicket(const KitchenOrder& order, int columns) {
    Ticket ticket;
    const char* title = order.change == KitchenChange::NewOrder ? "厨房单"
                        : order.change == KitchenChange::Added  ? "加菜单"
                                                                : "退菜单";
    ticket.lines.push_back({title, Align::Center, true, true});
    for (const std::string& piece : wrapToWidth("台号：" + order.table, columns / 2))
        ticket.lines.push_back({piece, Align::Left, true, true});
    for (const std::string& text :
         {"单号：" + order.number, "时间：" + order.moment, "点菜：" + order.operatorName})
        for (const std::string& piece : wrapToWidth(text, columns))
            ticket.lines.push_back({piece});
    const std::string rule(static_cast<std::size_t>(columns), '-');
    ticket.lines.push_back({rule});
    // Large print holds half the columns: the dish on the left, "×2" on the right.
    const int half = columns / 2;
    for (const KitchenItem& item : order.items) {
        const std::string count = "×" + support::numberText(item.quantity);
        const int room = half - displayWidth(count) - 1;
        const std::vector<std::string> name = wrapToWidth(item.dish, room > 0 ? room : half);
        ticket.lines.push_back(
            {name.front() +
                 std::string(static_cast<std::size_t>(std::max(
                                 half - displayWidth(name.front()) - displayWidth(count), 1)),
                             ' ') +
                 count,
             Align::Left, true, true});
        for (std::size_t piece = 1; piece < name.size(); ++piece)
            ticket.lines.push_back({name[piece], Align::Left, true, true});
    }
    ticket.lines.push_back({rule});
    return ticket;
}

} // namespace printing
