#pragma once

#include <cstdint>

namespace store {

// What the engine refused on one database object, across every connection it opened: a handler
// compares the count before and after its work to tell "nothing there" from "could not read".
// A file found damaged stays damaged for the rest of the run, so that nothing is written to it.
class FaultLog {
public:
    // Notes the engine's result of a step; results that report success or a row change nothing.
    void note(int engineResult);
    // Notes a failure that did not come from the engine (a file that cannot be opened).
    void noteFailure() { ++count_; }

    std::uint64_t count() const { return count_; }
    bool damaged() const { return damaged_; }
    // The file was replaced by a whole one: the damage of the old file is no longer there.
    void forgetDamage() { damaged_ = false; }
    // True, and counted as a failure, when the file is damaged: a write is then not attempted.
    bool refusesWrites() {
        if (damaged_) ++count_;
        return damaged_;
    }

private:
    std::uint64_t count_ = 0;
    bool damaged_ = false;
};

// Whether any step on a database object failed since this watch was made.
class FaultWatch {
public:
    explicit FaultWatch(const FaultLog& log) : log_(log), start_(log.count()) {}
    bool failed() const { return log_.count() != start_; }

private:
    const FaultLog& log_;
    std::uint64_t start_;
};

} // namespace store
