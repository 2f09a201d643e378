#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace qxm {

// The program's counters and codes are small fixed-size numbers whose
// arithmetic must stop with an overflow instead of wrapping. These return
// nothing when the exact result does not fit.

inline std::optional<std::int16_t> CheckedSub16(std::int16_t a, std::int16_t b)
{
    const int difference = int{a} - int{b};
    if (difference < std::numeric_limits<std::int16_t>::min() || difference > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(difference);
}

inline std::optional<std::uint8_t> CheckedAdd8(std::uint8_t a, std::uint8_t b)
{
    const unsigned sum = unsigned{a} + unsigned{b};
    if (sum > std::numeric_limits<std::uint8_t>::max())
        return std::nullopt;
    return static_cast<std::uint8_t>(sum);
}

} // namespace qxm
