#pragma once

#include "core/chardata.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qxm {

// One glyph's dots as five column bytes, leftmost column first, bit 6 the
// top dot and bit 0 the bottom one: the layout the built-in font is drawn in.
using GlyphColumns = std::array<std::uint8_t, kGlyphColumns>;

// A font for the display: the glyph of each 8-bit code, or none.
using GlyphFont = std::array<std::optional<GlyphColumns>, 256>;

} // namespace qxm
