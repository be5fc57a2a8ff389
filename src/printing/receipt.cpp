#include "printing/receipt.h"

#include "support/text_rules.h"

#include <algorithm>

namespace printing {
namespace {

std::string spaces(int count) {
    return std::string(static_cast<std::size_t>(std::max(count, 0)), ' ');
}

// The text and spaces after it, to the width.
std::string leftIn(const std::string& text, int width) {
    return text + spaces(width - displayWidth(text));
}

// Spaces, then the text, to the width.
std::string rightIn(const std::string& text, int width) {
    return spaces(width - displayWidth(text)) + text;
}

// The text over as many lines as it needs; its own line breaks (a remark's) start new lines.
void addWrapped(Ticket& ticket, const std::string& text, int columns, Align align = Align::Left,
                bool bold = false, bool large = false) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string paragraph = text.substr(start, end - start);
        std::erase(paragraph, '\r');
        if (!paragraph.empty())
            for (const std::string& piece : wrapToWidth(paragraph, large ? columns / 2 : columns))
                ticket.lines.push_back({piece, align, bold, large});
        start = end + 1;
    }
}

// The widths of the dish, quantity, price and amount columns for the paper.
struct Columns {
    int dish, quantity, price, amount;
};

Columns columnsFor(int columns) {
    const int quantity = 4;
    const int price = columns >= kWideColumns ? 9 : 6;
    const int amount = columns >= kWideColumns ? 10 : 8;
    return {columns - quantity - price - amount, quantity, price, amount};
}

void addLines(Ticket& ticket, const std::vector<ReceiptLine>& lines, int columns) {
    const Columns width = columnsFor(columns);
    ticket.lines.push_back({leftIn("菜品", width.dish) + rightIn("数量", width.quantity) +
                            rightIn("单价", width.price) + rightIn("金额", width.amount)});
    for (const ReceiptLine& line : lines) {
        const std::vector<std::string> name = wrapToWidth(line.dish, width.dish - 1);
        // Numbers too long for their columns (a typing slip of millions) take a line of their own.
        const std::string figures = rightIn(support::numberText(line.quantity), width.quantity) +
                                    rightIn(support::numberText(line.unitPrice), width.price) +
                                    rightIn(support::numberText(line.amount), width.amount);
        if (displayWidth(figures) <= columns - width.dish) {
            ticket.lines.push_back({leftIn(name.front(), width.dish) + figures});
        } else {
            ticket.lines.push_back({name.front()});
            for (const std::string& piece : wrapToWidth(figures, columns))
                ticket.lines.push_back({piece, Align::Right});
        }
        for (std::size_t piece = 1; piece < name.size(); ++piece)
            ticket.lines.push_back({name[piece]});
    }
}

} // namespace

std::string money(std::int64_t yuan) {
    return "￥" + support::numberText(yuan);
}

Ticket receiptTicket(const Restaurant& restaurant, const Receipt& receipt, ReceiptKind kind,
                     int columns) {
    Ticket ticket;
    const std::string rule(static_cast<std::size_t>(columns), '-');
    addWrapped(ticket, restaurant.name, columns, Align::Center, true, true);
    addWrapped(ticket, kind == ReceiptKind::Receipt ? "结账单" : "预结单", columns, Align::Center,
               true);
    addWrapped(ticket, restaurant.address, columns, Align::Center);
    addWrapped(ticket, restaurant.phone.empty() ? "" : "电话：" + restaurant.phone, columns,
               Align::Center);
    ticket.lines.push_back({rule});
    addPair(ticket, "台号：" + receipt.table, "人数：" + support::numberText(receipt.guests),
            columns);
    addWrapped(ticket, "单号：" + receipt.number, columns);
    addWrapped(ticket, "开台：" + receipt.opened, columns);
    if (kind == ReceiptKind::Receipt && !receipt.settled.empty())
        addWrapped(ticket, "结账：" + receipt.settled, columns);
    addWrapped(ticket, receipt.operatorName.empty() ? "" : "收银：" + receipt.operatorName,
               columns);
    ticket.lines.push_back({rule});
    addLines(ticket, receipt.lines, columns);
    ticket.lines.push_back({rule});
    addPair(ticket, "合计：", money(receipt.total), columns);
    ticket.lines.back().bold = true;
    if (kind == ReceiptKind::Receipt) {
        if (!receipt.settled.empty()) {
            addPair(ticket, "实收：", money(receipt.received), columns);
            addPair(ticket, "找零：", money(receipt.change), columns);
            addPair(ticket, "付款方式：", receipt.way, columns);
        }
        addWrapped(ticket, receipt.remark.empty() ? "" : "备注：" + receipt.remark, columns);
    } else {
        addWrapped(ticket, "此单尚未结账，仅供核对。", columns, Align::Center);
    }
    if (!restaurant.footer.empty()) {
        ticket.lines.push_back({rule});
        addWrapped(ticket, restaurant.footer, columns, Align::Center);
    }
    return ticket;
}

} // namespace printing
