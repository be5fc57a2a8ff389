#include "support/checked_math.h"

#include <limits>

namespace support {
namespace {

constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();

} // namespace

std::optional<std::int64_t> checkedSum(std::int64_t a, std::int64_t b) {
    if ((b > 0 && a > kMost - b) || (b < 0 && a < kLeast - b)) return std::nullopt;
    return a + b;
}

std::optional<std::int64_t> checkedDifference(std::int64_t a, std::int64_t b) {
    if ((b < 0 && a > kMost + b) || (b > 0 && a < kLeast + b)) return std::nullopt;
    return a - b;
}

std::optional<std::int64_t> checkedProduct(std::int64_t a, std::int64_t b) {
    if (a == 0 || b == 0) return 0;
    if (a > 0 ? (b > 0 ? a > kMost / b : b < kLeast / a) : (b > 0 ? a < kLeast / b : a < kMost / b))
        return std::nullopt;
    return a * b;
}

} // namespace support
