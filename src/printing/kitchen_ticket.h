#pragma once

#include "printing/ticket.h"

#include <cstdint>
#include <string>
#include <vector>

namespace printing {

// What a kitchen or bar ticket tells the cooks: a new order, dishes added to it, or dishes taken
// back.
enum class KitchenChange { NewOrder, Added, Cancelled };

struct KitchenItem {
    std::string dish;
    std::int64_t quantity = 0;
};

struct KitchenOrder {
    KitchenChange change = KitchenChange::NewOrder;
    std::string table;
    std::string number;
    std::string moment; // when it was sent
    std::string operatorName;
    std::vector<KitchenItem> items;
};

// The ticket: its kind large ("厨房单", "加菜单", "退菜单"), the table large, then the order, the
// time and who sent it, and each dish with its quantity at the right.
Ticket kitchenTicket(const KitchenOrder& order, int columns);

} // namespace printing
