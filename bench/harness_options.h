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
    // With --server, the configuration file whose [database] section names the server database
    // holding the orders (as veltrano-db copied them): the harness works on a fresh copy of it
    // there instead of on a database file; empty for a file.
    std::filesystem::path serverConfig;
};

// "<database file> [--max-seconds-per-action N] [--first-query <query>]", the queries being those
// the harness can time first (none: no --first-query). A harness that can work on a server also
// takes "--server <configuration file>" in place of the database file. Anything else gives
// nothing, after the usage is printed on standard error.
std::optional<HarnessOptions> parseHarnessOptions(std::string_view program, int argc, char** argv,
                                                  const std::vector<std::string>& firstQueries = {},
                                                  bool onServerToo = false);

} // namespace bench
