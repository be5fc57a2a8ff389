#include "harness_options.h"

#include <algorithm>
#include <iostream>

namespace bench {

std::optional<HarnessOptions> parseHarnessOptions(std::string_view program, int argc, char** argv,
                                                  const std::vector<std::string>& firstQueries,
                                                  bool onServerToo) {
    HarnessOptions options;
    bool valid = true;
    for (int i = 1; i < argc && valid; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--max-seconds-per-action" && i + 1 < argc) {
            try {
                options.maxSecondsPerAction = std::stod(argv[++i]);
            } catch (const std::exception&) {
                valid = false;
            }
            valid = valid && options.maxSecondsPerAction > 0;
        } else if (argument == "--first-query" && i + 1 < argc && options.firstQuery.empty()) {
            options.firstQuery = argv[++i];
            valid = std::ranges::find(firstQueries, options.firstQuery) != firstQueries.end();
        } else if (argument == "--server" && onServerToo && i + 1 < argc &&
                   options.serverConfig.empty()) {
            options.serverConfig = argv[++i];
        } else if (options.database.empty() && !argument.starts_with("-")) {
            options.database = argument;
        } else {
            valid = false;
        }
    }
    // One place for the orders: a file and a server together would leave it unclear which the
    // numbers are of.
    if (valid && options.serverConfig.empty() && std::filesystem::is_regular_file(options.database))
        return options;
    if (valid && options.database.empty() && std::filesystem::is_regular_file(options.serverConfig))
        return options;
    std::cerr << "usage: " << program
              << (onServerToo ? " <database file>|--server <config file>" : " <database file>")
              << " [--max-seconds-per-action N]";
    if (!firstQueries.empty()) {
        std::cerr << " [--first-query ";
        for (const std::string& query : firstQueries)
            std::cerr << (&query == &firstQueries.front() ? "" : "|") << query;
        std::cerr << ']';
    }
    std::cerr << '\n';
    return std::nullopt;
}

} // namespace bench
