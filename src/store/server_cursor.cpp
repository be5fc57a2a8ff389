#include "store/server_cursor.h"

#include "store/server_session.h"
#include "support/gbk.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace store {
namespace {

// Object ids of the server's types.
constexpr unsigned kSmallInt = 21;
constexpr unsigned kInteger = 23;
constexpr unsigned kBigInt = 20;

} // namespace

std::int64_t serverInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    std::uint64_t magnitude = 0;
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[at] - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
            break;
        }
    }
    if (negative)
        return magnitude == kLimit ? std::numeric_limits<std::int64_t>::min()
                                   : -static_cast<std::int64_t>(magnitude);
    return magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max()
                               : static_cast<std::int64_t>(magnitude);
}

namespace {

// A pending value as the text the server takes; nothing stores NULL, as a text the code page
// of the data cannot hold does.
PgConnection::Value serverText(const ServerCursor::Slot& slot) {
    return std::visit(
        [](const auto& value) -> PgConnection::Value {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return std::nullopt;
            } else if constexpr (std::is_same_v<T, double>) {
                char text[32];
                std::snprintf(text, sizeof text, "%.17g", value);
                return std::string(text);
            } else if constexpr (std::is_integral_v<T>) {
                return std::to_string(value);
            } else {
                std::string text(value.begin(), value.end());
                if (!support::isGbkText(text)) return std::nullopt;
                return text;
            }
        },
        slot);
}

std::string parameter(std::size_t number) {
    return "$" + std::to_string(number);
}

} // namespace

bool ServerCursor::open(std::shared_ptr<ServerSession> session, const std::string& table,
                        std::vector<std::string>& columnNames,
                        std::vector<std::string>& affinities) {
    const auto columns = session->run("SELECT * FROM " + table + " LIMIT 0");
    if (!columns) return false;
    table_ = table;
    columnNames_.clear();
    integerColumns_.clear();
    for (int column = 0; column < columns->columns(); ++column) {
        const std::string name = columns->columnName(column);
        if (name == "rowid") {
            rowidColumn_ = column;
            continue;
        }
        const unsigned type = columns->typeOf(column);
        const bool integer = type == kBigInt || type == kInteger || type == kSmallInt;
        columnNames.push_back(support::isGbkText(name) ? name : "");
        affinities.push_back(integer ? "INTEGER" : "TEXT");
        integerColumns_.push_back(integer);
        columnNames_.push_back(name);
    }
    session_ = session;
    place_ = {};
    return true;
}

std::shared_ptr<ServerSession> ServerCursor::session() const {
    auto session = session_.lock();
    return session && session->usable() ? session : nullptr;
}

const std::vector<std::int64_t>* ServerCursor::ids() {
    const auto session = this->session();
    if (!session) return nullptr;
    if (ids_ && idsChanges_ == session->changes()) return &*ids_;
    ids_.reset();
    const auto rows = session->run("SELECT rowid FROM " + table_ + " ORDER BY rowid");
    if (!rows) return nullptr;
    ids_.emplace();
    ids_->reserve(static_cast<std::size_t>(rows->rows()));
    for (int row = 0; row < rows->rows(); ++row)
        ids_->push_back(serverInteger(rows->value(row, 0)));
    idsChanges_ = session->changes();
    return &*ids_;
}

void ServerCursor::goTo(int recordNumber) {
    place_ = Place::at(recordNumber, [this] { return ids(); });
}

void ServerCursor::placeAfterLast() {
    place_ = {Place::Kind::After, 0, {}};
}

int ServerCursor::position() {
    return place_.position([this] { return ids(); });
}

int ServerCursor::recordCount() {
    const auto* rows = ids();
    return rows ? static_cast<int>(rows->size()) : 0;
}

bool ServerCursor::commit(bool adding, const std::vector<Slot>& pending,
                          const std::vector<std::string>& columnNames) {
    const auto session = this->session();
    if (!session || (!adding && !onRecord())) return false;
    std::string names;
    std::string placeholders;
    ServerSession::Values values;
    for (std::size_t column = 0; column < pending.size(); ++column) {
        if (std::holds_alternative<std::monostate>(pending[column])) continue;
        values.push_back(serverText(pending[column]));
        if (!names.empty()) {
            names += ',';
            placeholders += ',';
        }
        names +=
            adding ? columnNames[column] : columnNames[column] + "=" + parameter(values.size());
        placeholders += parameter(values.size());
    }
    if (values.empty()) return false;
    const bool keepNumber = ids_.has_value();
    const int number = keepNumber ? position() : 0;
    const auto done = adding ? session->write("INSERT INTO " + table_ + " (" + names +
                                                  ") VALUES (" + placeholders + ") RETURNING rowid",
                                              values)
                             : session->write("UPDATE " + table_ + " SET " + names +
                                                  " WHERE rowid=" + std::to_string(place_.rowId),
                                              values);
    if (!done) return false;

    // The position keeps its number, on the records of now.
    if (keepNumber) {
        goTo(number);
        if (place_.kind == Place::Kind::After) place_.number = number;
        return true;
    }
    place_.number.reset();
    // After the last record, the number now names the record just added: the last one.
    if (adding && place_.kind == Place::Kind::After && done->rows() == 1)
        place_ = {Place::Kind::On, serverInteger(done->value(0, 0)), {}};
    return true;
}

bool ServerCursor::deleteCurrent() {
    const auto session = this->session();
    if (!session || !onRecord()) return false;
    const bool deleted =
        session->write("DELETE FROM " + table_ + " WHERE rowid = " + std::to_string(place_.rowId))
            .has_value();
    place_ = {Place::Kind::Before, 0, 0};
    return deleted;
}

bool ServerCursor::deleteRows(const std::vector<std::int64_t>& rowIds) {
    const auto session = this->session();
    if (!session) return false;
    place_ = {Place::Kind::Before, 0, 0};
    if (rowIds.empty()) return true;
    std::string list = "{";
    for (const std::int64_t rowId : rowIds)
        list += (list.size() > 1 ? "," : "") + std::to_string(rowId);
    list += "}";
    return session->write("DELETE FROM " + table_ + " WHERE rowid = ANY($1::BIGINT[])", {list})
        .has_value();
}

void ServerCursor::hold(std::shared_ptr<const PgResult> rows, int row, std::uint64_t changes) {
    current_ = {std::move(rows), row, 0, changes};
    current_.rowId = serverInteger(current_.rows->value(row, 0));
}

const StoredValue* ServerCursor::read(int column) {
    const auto session = this->session();
    if (!session || column < 0 || !onRecord()) return nullptr;
    if (!current_.rows || current_.rowId != place_.rowId ||
        current_.changes != session->changes()) {
        current_ = {};
        auto row = session->run("SELECT rowid, * FROM " + table_ +
                                " WHERE rowid = " + std::to_string(place_.rowId));
        if (!row || row->rows() != 1) return nullptr;
        hold(std::make_shared<const PgResult>(std::move(*row)), 0, session->changes());
    }
    // The row id first, then the table's columns, its own rowid among them.
    int at = column + 1;
    if (rowidColumn_ >= 0 && column >= rowidColumn_) ++at;
    if (at >= current_.rows->columns()) return nullptr;
    value_.isNull = current_.rows->isNull(current_.row, at);
    value_.bytes = current_.rows->value(current_.row, at);
    value_.number = serverInteger(value_.bytes);
    return &value_;
}

void ServerCursor::walk(const Lookup& lookup, const std::function<bool()>& visit) {
    auto session = this->session();
    if (!session || lookup.never()) return;
    const auto newest = session->run("SELECT max(rowid) FROM " + table_);
    if (!newest || newest->isNull(0, 0)) return;

    // The conditions the server can answer, through the indexes; the exact test follows on each
    // record read, as on a file. Numbers are compared as stored: a read gives them whole.
    std::string filter;
    ServerSession::Values values{std::nullopt, std::string(newest->value(0, 0))};
    for (const ColumnCondition& condition : lookup.conditions()) {
        if (condition.column < 0) continue;
        const auto column = static_cast<std::size_t>(condition.column);
        const std::string& name = columnNames_[column];
        if (const auto* text = std::get_if<std::string>(&condition.value)) {
            if (text->empty() || integerColumns_[column]) continue;
            values.emplace_back(*text);
            filter += " AND " + name + " = " + parameter(values.size());
        } else if (integerColumns_[column]) {
            const int number = std::get<int>(condition.value);
            values.emplace_back(std::to_string(number));
            filter += " AND (" + name + " = " + parameter(values.size()) +
                      (number == 0 ? " OR " + name + " IS NULL)" : ")");
        }
    }
    // Filtered rows are found through the filter's index and sorted: the first few first, for a
    // lookup that wants one, then the rest. A whole table goes in batches along its rowid.
    const bool filtered = !filter.empty();
    constexpr int kFirstFiltered = 64;
    constexpr int kBatch = 4096;
    int limit = filtered ? kFirstFiltered : kBatch;

    const auto textOf = [this](int column) {
        const StoredValue* value = read(column);
        return value ? value->text() : std::string();
    };
    const auto numberOf = [this](int column) {
        const StoredValue* value = read(column);
        return value ? value->number : 0;
    };
    std::int64_t after = std::numeric_limits<std::int64_t>::min();
    for (;;) {
        values[0] = std::to_string(after);
        auto read =
            session->run("SELECT rowid, * FROM " + table_ + " WHERE rowid > $1 AND rowid <= $2" +
                             filter + (filtered ? " ORDER BY rowid + 0" : " ORDER BY rowid") +
                             (limit > 0 ? " LIMIT " + std::to_string(limit) : ""),
                         values);
        if (!read) return;
        const auto batch = std::make_shared<const PgResult>(std::move(*read));
        const std::uint64_t changes = session->changes();
        bool changed = false;
        for (int row = 0; row < batch->rows() && !changed; ++row) {
            hold(batch, row, changes);
            after = current_.rowId;
            place_ = {Place::Kind::On, after, {}};
            if (!lookup.holds(textOf, numberOf)) continue;
            session.reset(); // the visit may close the database
            if (!visit()) return;
            session = this->session();
            if (!session) return;
            // What the visit wrote may have changed the rest of the batch: it is read again.
            changed = session->changes() != changes;
        }
        if (!changed && (limit == 0 || batch->rows() < limit)) return;
        if (filtered) limit = 0;
    }
}

} // namespace store
