#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace bench {

struct HarnessOptions {
    std::filesystem::path database;
    // A run slower than this is not repeated: on slow code one run of an action can take minutes.
    double maxSecondsPerAction = 60;
};

// "<database file> [--max-seconds-per-action N]". Anything else gives nothing, after the usage
// is printed on standard error.
std::optional<HarnessOptions> parseHarnessOptions(std::string_view program, int argc, char** argv);

} // namespace bench
