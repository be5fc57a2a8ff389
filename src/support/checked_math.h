#pragma once

#include <cstdint>
#include <optional>

namespace support {

// Sums and products of money and quantities in 64 bits: nothing when the result does not fit,
// so that a bill is never wrapped round or cut off silently.
std::optional<std::int64_t> checkedSum(std::int64_t a, std::int64_t b);
std::optional<std::int64_t> checkedDifference(std::int64_t a, std::int64_t b);
std::optional<std::int64_t> checkedProduct(std::int64_t a, std::int64_t b);

} // namespace support
