#include "store/server_session.h"

#include "store/server_cursor.h"

namespace store {
namespace {

// The key of the database's one write lock, the same on every counter ("VELT").
constexpr char kTakeWriteLock[] = "SELECT pg_advisory_xact_lock(1447382100)";
constexpr char kChannel[] = "veltrano";

} // namespace

ServerSession::ServerSession(const std::string& connectionString, std::shared_ptr<FaultLog> faults)
    : connectionString_(connectionString), connection_(connectionString),
      faults_(std::move(faults)) {
    // A lock held by another counter is waited for as long as a file's would be, then reported.
    if (!connection_.connected() || !connection_.run("SET lock_timeout = '5s'") ||
        !connection_.run(std::string("LISTEN ") + kChannel))
        broken_ = true;
    const auto counted = connection_.run("SELECT to_regclass('提交计数') IS NOT NULL");
    countsCommits_ = counted && !counted->empty() && counted->front().front() == "t";
}

std::optional<PgResult> ServerSession::run(const std::string& sql, const Values& values) {
    if (!usable()) {
        faults_->noteFailure();
        return std::nullopt;
    }
    auto result = connection_.query(sql, values);
    if (!result) {
        faults_->noteFailure();
        if (!connection_.connected()) {
            // The server went away: whatever the transaction did is undone there.
            broken_ = true;
            inTransaction_ = holdsWriteLock_ = wrote_ = false;
            ++changes_;
        }
    }
    return result;
}

bool ServerSession::takeWriteLock() {
    if (holdsWriteLock_) return true;
    holdsWriteLock_ = run(kTakeWriteLock).has_value();
    return holdsWriteLock_;
}

std::optional<PgResult> ServerSession::write(const std::string& sql, const Values& values) {
    if (inTransaction_) {
        if (!takeWriteLock()) return std::nullopt;
        auto result = run(sql, values);
        if (result) {
            wrote_ = true;
            ++changes_;
        }
        return result;
    }
    if (!begin(true)) return std::nullopt;
    auto result = write(sql, values);
    if (!result || !commit()) {
        if (inTransaction_) rollback();
        return std::nullopt;
    }
    return result;
}

bool ServerSession::begin(bool forWriting) {
    if (inTransaction_ || !run("BEGIN")) {
        if (inTransaction_) faults_->noteFailure(); // no transaction inside another
        return false;
    }
    inTransaction_ = true;
    holdsWriteLock_ = wrote_ = false;
    if (forWriting && !takeWriteLock()) {
        rollback();
        return false;
    }
    return true;
}

bool ServerSession::commit() {
    if (!inTransaction_) {
        faults_->noteFailure();
        return false;
    }
    // Delivered to the other counters when the commit is, and only then; counted with it.
    if (wrote_ && (!run(std::string("NOTIFY ") + kChannel) ||
                   (countsCommits_ && !run("UPDATE 提交计数 SET 次数 = 次数 + 1"))))
        return false;
    const auto result = run("COMMIT");
    const bool committed = result && result->commandStatus() == "COMMIT";
    // A COMMIT the server refused has ended the transaction all the same, undone.
    if (!committed && usable()) ++changes_;
    inTransaction_ = holdsWriteLock_ = wrote_ = false;
    return committed;
}

bool ServerSession::rollback() {
    if (!inTransaction_) {
        faults_->noteFailure();
        return false;
    }
    inTransaction_ = holdsWriteLock_ = wrote_ = false;
    ++changes_;
    return run("ROLLBACK").has_value();
}

std::optional<std::uint32_t> ServerSession::commitCount() {
    if (!countsCommits_) return std::nullopt;
    const auto count = run("SELECT 次数 FROM 提交计数");
    if (!count || count->rows() != 1) return std::nullopt;
    return static_cast<std::uint32_t>(serverInteger(count->value(0, 0)));
}

bool ServerSession::changedElsewhere() {
    return usable() && !connection_.notifications().empty();
}

} // namespace store
