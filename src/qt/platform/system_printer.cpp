#include "qt/platform/system_printer.h"

#include "qt/platform/ticket_painter.h"
#include "support/path_text.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSizeF>
#include <algorithm>
#include <utility>

namespace qtui {
namespace {

// The widest a column is drawn: a receipt printer's 1.5 mm character, a little larger for an
// office page, so that a ticket on A4 reads like a receipt rather than a poster.
constexpr double kWidestColumnMillimetres = 2.2;
// The margin around a ticket printed to a file.
constexpr double kFileMarginMillimetres = 4;
constexpr double kMillimetresPerInch = 25.4;

} // namespace

SystemPrinter::SystemPrinter(std::string queueName, int columns)
    : SystemPrinter(std::move(queueName), {}, columns, 0) {}

SystemPrinter::SystemPrinter(std::string queueName, std::filesystem::path pdfFile, int columns,
                             int paperMillimetres)
    : queueName_(std::move(queueName)), pdfFile_(std::move(pdfFile)), columns_(columns),
      paperMillimetres_(paperMillimetres) {}

SystemPrinter SystemPrinter::toPdfFile(std::filesystem::path file, int columns,
                                       int paperMillimetres) {
    return SystemPrinter({}, std::move(file), columns, paperMillimetres);
}

std::optional<std::string> SystemPrinter::print(const printing::Ticket& ticket) {
    QPrinter printer(QPrinter::HighResolution);
    const double dotsPerMillimetre = printer.resolution() / kMillimetresPerInch;
    if (pdfFile_.empty()) {
        const QPrinterInfo queue =
            queueName_.empty() ? QPrinterInfo::defaultPrinter()
                               : QPrinterInfo::printerInfo(QString::fromStdString(queueName_));
        if (queue.isNull()) return "找不到系统打印机";
        printer.setPrinterName(queue.printerName());
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(support::pathText(pdfFile_)));
        const double printable = paperMillimetres_ - 2 * kFileMarginMillimetres;
        const TicketPainter measure(columns_, printable / columns_ * dotsPerMillimetre);
        const double length = measure.height(ticket) / dotsPerMillimetre;
        printer.setPageLayout(
            QPageLayout(QPageSize(QSizeF(paperMillimetres_, length + 2 * kFileMarginMillimetres),
                                  QPageSize::Millimeter),
                        QPageLayout::Portrait,
                        QMarginsF(kFileMarginMillimetres, kFileMarginMillimetres,
                                  kFileMarginMillimetres, kFileMarginMillimetres),
                        QPageLayout::Millimeter));
    }
    printer.setDocName(QStringLiteral("Veltrano"));

    QPainter painter;
    if (!painter.begin(&printer)) return "无法开始打印";
    // The painter draws in the page's printable area, its top left corner at (0, 0).
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double column =
        std::min(page.width() / columns_, kWidestColumnMillimetres * dotsPerMillimetre);
    const TicketPainter drawing(columns_, column);
    bool newPageFailed = false;
    drawing.paint(painter, ticket, 0, 0, page.height(), [&] {
        if (!printer.newPage()) newPageFailed = true;
        return 0.0;
    });
    if (!painter.end() || newPageFailed) return "打印失败";
    return std::nullopt;
}

} // namespace qtui
