#pragma once

#include "core/chardata.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qxm {

// One glyph's dots as five column bytes, leftmost column first, bit 6 the
// top dot and bit 0 the bottom one: the layout the built-in font is drawn in.
using GlyphColumns = std::array<std::uint8_t, kGlyphColumns>;

// Whether the dot at a column (0 the leftmost) and row (0 the top) is lit;
// every reader and writer of a glyph's dots goes through these two.
constexpr bool IsDotLit(const GlyphColumns &glyph, std::size_t column, std::size_t row)
{
    return ((glyph[column] >> (kGlyphRows - 1 - row)) & 1U) != 0;
}
constexpr void LightDot(GlyphColumns &glyph, std::size_t column, std::size_t row)
{
    glyph[column] = static_cast<std::uint8_t>(glyph[column] | (1U << (kGlyphRows - 1 - row)));
}

// A font for the display: the glyph of each 8-bit code, or none.
using GlyphFont = std::array<std::optional<GlyphColumns>, 256>;

// The five column bytes of a glyph row, or nothing when the text is not a
// well-formed row (an empty slot, for one).
std::optional<GlyphColumns> ParseGlyphRow(std::u16string_view row);

// The program's own font, the glyph rows of the filled table as bytes:
// codes 32 to 126.
const GlyphFont &BuiltInFont();

} // namespace qxm
