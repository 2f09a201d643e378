#pragma once

#include "core/glyphfont.h"

#include <cstddef>
#include <cstdint>

namespace qxm {

// The built-in font covers the printable ASCII codes, 32 to 126.
constexpr std::int16_t kFirstGlyphCode = 32;
constexpr std::size_t kFilledSlots = 95;

// Fills the converter window's font: codes 32 to 126, in ascending order,
// in the 5 by 7 cell; the other codes keep no glyph.
void FillCharData(GlyphFont &CharData);

} // namespace qxm
