#include "store/pg_connection.h"

#include <libpq-fe.h>

namespace store {
namespace {

// libpq's messages end in a line feed, and may run over several lines.
std::string trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// A value in COPY's text format: \N for NULL, and the characters that end a field or a row
// escaped.
void appendCopyValue(std::string& line, const PgConnection::Value& value) {
    if (!value) {
        line += "\\N";
        return;
    }
    for (const char c : *value) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += c;
        }
    }
}

} // namespace

PgConnection::PgConnection(const std::string& connectionString)
    : connection_(PQconnectdb(connectionString.c_str()), PQfinish) {
    if (!connection_) {
        failure_ = "out of memory";
        return;
    }
    if (PQstatus(connection_.get()) != CONNECTION_OK) {
        failure_ = trimmed(PQerrorMessage(connection_.get()));
        return;
    }
    if (PQsetClientEncoding(connection_.get(), "UTF8") != 0)
        failure_ = trimmed(PQerrorMessage(connection_.get()));
}

PgConnection::~PgConnection() = default;

bool PgConnection::connected() const {
    return connection_ && PQstatus(connection_.get()) == CONNECTION_OK;
}

PgResult::PgResult(pg_result* result) : result_(result, PQclear) {}

int PgResult::rows() const {
    return PQntuples(result_.get());
}

int PgResult::columns() const {
    return PQnfields(result_.get());
}

bool PgResult::isNull(int row, int column) const {
    return PQgetisnull(result_.get(), row, column) != 0;
}

std::string_view PgResult::value(int row, int column) const {
    return {PQgetvalue(result_.get(), row, column),
            static_cast<std::size_t>(PQgetlength(result_.get(), row, column))};
}

const char* PgResult::columnName(int column) const {
    return PQfname(result_.get(), column);
}

unsigned PgResult::typeOf(int column) const {
    return PQftype(result_.get(), column);
}

std::string_view PgResult::commandStatus() const {
    return PQcmdStatus(result_.get());
}

std::optional<PgResult> PgConnection::query(const std::string& sql,
                                            const std::vector<Value>& values) {
    if (!connection_) return std::nullopt;
    std::vector<const char*> texts;
    texts.reserve(values.size());
    for (const Value& value : values)
        texts.push_back(value ? value->c_str() : nullptr);
    PgResult result(PQexecParams(connection_.get(), sql.c_str(), static_cast<int>(texts.size()),
                                 nullptr, texts.data(), nullptr, nullptr, 0));
    const ExecStatusType status =
        result.result_ ? PQresultStatus(result.result_.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        failure_ = trimmed(result.result_ ? PQresultErrorMessage(result.result_.get()) : "");
        if (failure_.empty()) failure_ = trimmed(PQerrorMessage(connection_.get()));
        return std::nullopt;
    }
    failure_.clear();
    return result;
}

std::optional<std::vector<PgConnection::Row>> PgConnection::run(const std::string& sql,
                                                                const std::vector<Value>& values) {
    const auto result = query(sql, values);
    if (!result) return std::nullopt;
    std::vector<Row> rows;
    for (int row = 0; row < result->rows(); ++row) {
        Row& cells = rows.emplace_back();
        for (int column = 0; column < result->columns(); ++column)
            cells.push_back(result->isNull(row, column) ? Value()
                                                        : Value(result->value(row, column)));
    }
    return rows;
}

bool PgConnection::stillConnected() {
    // A server that shut down sent its last words and then closed: the first read may find the
    // words, the next one the end.
    for (int read = 0; read < 3; ++read)
        if (!connected() || PQconsumeInput(connection_.get()) == 0) return false;
    return connected();
}

std::vector<std::string> PgConnection::notifications() {
    std::vector<std::string> channels;
    if (!connected() || PQconsumeInput(connection_.get()) == 0) return channels;
    const int self = PQbackendPID(connection_.get());
    while (PGnotify* notice = PQnotifies(connection_.get())) {
        if (notice->be_pid != self) channels.emplace_back(notice->relname);
        PQfreemem(notice);
    }
    return channels;
}

bool PgConnection::copyIn(const std::string& copySql, const std::function<bool(Row&)>& nextRow) {
    if (!connection_) return false;
    pg_conn* connection = connection_.get();
    {
        const std::unique_ptr<PGresult, void (*)(PGresult*)> start(
            PQexec(connection, copySql.c_str()), PQclear);
        if (!start || PQresultStatus(start.get()) != PGRES_COPY_IN) {
            failure_ =
                trimmed(start ? PQresultErrorMessage(start.get()) : PQerrorMessage(connection));
            return false;
        }
    }
    bool sent = true;
    Row row;
    std::string line;
    while (sent && nextRow(row)) {
        line.clear();
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0) line += '\t';
            appendCopyValue(line, row[column]);
        }
        line += '\n';
        sent = PQputCopyData(connection, line.data(), static_cast<int>(line.size())) == 1;
        row.clear();
    }
    if (PQputCopyEnd(connection, sent ? nullptr : "the rows could not be sent") != 1) sent = false;
    bool done = sent;
    while (PGresult* result = PQgetResult(connection)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK) {
            failure_ = trimmed(PQresultErrorMessage(result));
            done = false;
        }
        PQclear(result);
    }
    if (!sent && failure_.empty()) failure_ = trimmed(PQerrorMessage(connection));
    if (done) failure_.clear();
    return done;
}

bool PgConnection::runScript(const std::string& sql) {
    if (!connection_) return false;
    // Several statements in one simple query run as one transaction unless they say otherwise.
    const std::unique_ptr<PGresult, void (*)(PGresult*)> result(
        PQexec(connection_.get(), sql.c_str()), PQclear);
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        failure_ = trimmed(result ? PQresultErrorMessage(result.get())
                                  : PQerrorMessage(connection_.get()));
        return false;
    }
    failure_.clear();
    return true;
}

} // namespace store
