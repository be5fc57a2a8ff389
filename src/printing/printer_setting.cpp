#include "printing/printer_setting.h"

#include "printing/receipt.h"
#include "support/text_rules.h"

namespace printing {

int PrinterSetting::columns() const {
    return paperMillimetres <= 58 ? kNarrowColumns : kWideColumns;
}

std::string PrinterSetting::describe() const {
    std::string where = address;
    if (link == PrinterLink::Network) where += ":" + support::numberText(port);
    return "“" + name + "”（" + where + "）";
}

} // namespace printing
