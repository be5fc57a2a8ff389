#include "qt/platform/network_printer.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <utility>

namespace qtui {
namespace {

// DLE EOT 1: the printer's status, answered with one byte at once by every ESC/POS printer.
const QByteArray kStatusRequest("\x10\x04\x01", 3);

} // namespace

NetworkPrinter::NetworkPrinter(std::string host, int port, printing::TextEncoding encoding,
                               PrinterTimeouts timeouts)
    : host_(std::move(host)), port_(port), encoding_(encoding), timeouts_(timeouts) {}

std::optional<std::string> NetworkPrinter::print(const printing::Ticket& ticket) {
    QTcpSocket socket;
    socket.connectToHost(QString::fromStdString(host_), static_cast<quint16>(port_));
    if (!socket.waitForConnected(timeouts_.connectMilliseconds)) return "无法连接";

    const std::string bytes = printing::escPosBytes(ticket, encoding_);
    QByteArray job(bytes.data(), static_cast<qsizetype>(bytes.size()));
    job += kStatusRequest;
    const QDeadlineTimer deadline(timeouts_.sendMilliseconds);
    if (socket.write(job) != job.size()) return "发送失败";
    while (socket.bytesToWrite() > 0) {
        if (socket.state() != QAbstractSocket::ConnectedState) return "连接中断";
        if (deadline.hasExpired() ||
            !socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return socket.state() == QAbstractSocket::ConnectedState ? "发送超时" : "连接中断";
    }
    while (socket.bytesAvailable() == 0) {
        if (socket.state() != QAbstractSocket::ConnectedState) return "连接中断";
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return socket.state() == QAbstractSocket::ConnectedState ? "打印机没有应答"
                                                                     : "连接中断";
    }
    socket.disconnectFromHost();
    return std::nullopt;
}

} // namespace qtui
