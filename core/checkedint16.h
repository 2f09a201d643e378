#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace qxm {

// The program's counters and codes are 16-bit signed numbers whose arithmetic
// must stop with an overflow instead of wrapping. These return nothing when
// the exact result does not fit.

inline std::optional<std::int16_t> CheckedAdd16(std::int16_t a, std::int16_t b)
{
    const int sum = int{a} + int{b};
    if (sum < std::numeric_limits<std::int16_t>::min() || sum > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(sum);
}

inline std::optional<std::int16_t> CheckedSub16(std::int16_t a, std::int16_t b)
{
    const int difference = int{a} - int{b};
    if (difference < std::numeric_limits<std::int16_t>::min()
        || difference > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(difference);
}

} // namespace qxm
