#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// Tells how far a copy is: pages copied, pages in all.
using CopyProgress = std::function<void(int copied, int total)>;

// A consistent copy of the database file `source` into `destination` (created or overwritten),
// made with the engine's online backup while other connections keep working. The copy goes in
// steps, each holding the source only for a moment; a commit of another connection between two
// steps starts the copy again, and after a few such starts the rest is copied in one step, so
// that a busy file is still copied. Gives what failed, nothing on success.
std::optional<std::string> copyDatabase(const std::filesystem::path& source,
                                        const std::filesystem::path& destination,
                                        const CopyProgress& progress = {});

// Whether the file is a database the engine finds whole: it opens, and its integrity check finds
// nothing wrong.
bool isWholeDatabase(const std::filesystem::path& file);

// What a database file holds, read without writing to it: the rows of a table, and the version
// of the program that wrote it. Nothing when the file or the table cannot be read.
std::optional<std::int64_t> countRows(const std::filesystem::path& file, std::string_view table);
std::optional<int> schemaVersionOf(const std::filesystem::path& file);

} // namespace store
