#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

struct HarnessOptions {
    std::filesystem::path database;
    // A run slower than this is not repeated: on slow code one run of an action can take minutes.
    double maxSecondsPerAction = 60;
    // With --first-query, the harness times only that query, once, as the first query of its
    // process; empty when every action is timed.
    std::string firstQuery;
};

// "<database file> [--max-seconds-per-action N] [--first-query <query>]", the queries being those
// the harness can time first (none: no --first-query). Anything else gives nothing, after the
// usage is printed on standard error.
std::optional<HarnessOptions>
parseHarnessOptions(std::string_view program, int argc, char** argv,
                    const std::vector<std::string>& firstQueries = {});

} // namespace bench
