#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qxm {

// The font: slot s holds the glyph row of the character whose code is s + 32.
// The table has room for codes up to 288 (257 slots) although only codes 32
// to 126 carry a glyph; the unused slots stay empty strings, so codes 127 to
// 288 convert to lines without column bytes instead of failing.
using CharDataTable = std::array<std::u16string, 257>;

constexpr std::int16_t kFirstGlyphCode = 32;
constexpr std::size_t kFilledSlots = 95;
constexpr std::size_t kGlyphRowLength = 32;
constexpr std::size_t kGlyphColumns = 5;
constexpr std::size_t kGlyphRows = 7;

// Assigns slots 0 to 94 in ascending order; later slots are left untouched.
void FillCharData(CharDataTable &CharData);

// A table filled once, for what does not own one of its own (qxm-convert,
// tools, benchmarks); the converter window fills its own when it loads.
const CharDataTable &FilledCharData();

} // namespace qxm
