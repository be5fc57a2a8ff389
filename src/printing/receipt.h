#pragma once

#include "printing/ticket.h"

#include <cstdint>
#include <string>
#include <vector>

namespace printing {

// Who prints: the head and foot of every receipt.
struct Restaurant {
    std::string name;
    std::string address;
    std::string phone;
    std::string footer;
};

struct ReceiptLine {
    std::string dish;
    std::int64_t unitPrice = 0;
    std::int64_t quantity = 0;
    std::int64_t amount = 0;
};

// An order as the receipt shows it, read from the database: never from a screen's labels.
struct Receipt {
    std::string table;
    std::string number;
    bool closed = false; // settled at the counter (状态 not 0)
    std::string opened;  // sortable moments
    // When and how it was paid, from its settlement: empty for an open order, and for one
    // settled before settlements were kept, which has only its remark's account of it.
    std::string settled;
    std::int64_t guests = 0;
    std::vector<ReceiptLine> lines;
    std::int64_t total = 0;
    std::int64_t received = 0;
    std::int64_t change = 0;
    std::string way;
    std::string remark;
    std::string operatorName;
};

// The paper's columns: 32 on 58 mm paper, 48 on 80 mm.
inline constexpr int kNarrowColumns = 32;
inline constexpr int kWideColumns = 48;

enum class ReceiptKind { PreBill, Receipt };

// The receipt laid out for the paper: the restaurant's name large, the order's particulars, the
// lines in aligned columns with long dish names wrapped, the total, and on a receipt what was
// received, the change and the way of paying; the footer last. No line is wider than `columns`.
Ticket receiptTicket(const Restaurant& restaurant, const Receipt& receipt, ReceiptKind kind,
                     int columns);

// The amount with the full-width yuan sign, "￥80": GBK has no "¥".
std::string money(std::int64_t yuan);

} // namespace printing
