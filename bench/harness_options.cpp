#include "harness_options.h"

#include <algorithm>
#include <iostream>

namespace bench {

std::optional<HarnessOptions> parseHarnessOptions(std::string_view program, int argc, char** argv,
                                                  const std::vector<std::string>& firstQueries) {
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
        } else if (options.database.empty() && !argument.starts_with("-")) {
            options.database = argument;
        } else {
            valid = false;
        }
    }
    if (valid && std::filesystem::is_regular_file(options.database)) return options;
    std::cerr << "usage: " << program << " <database file> [--max-seconds-per-action N]";
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
