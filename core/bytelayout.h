#pragma once

#include "core/glyph.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qxm {

// How a glyph's dots are packed into bytes. By columns: each column, the
// leftmost first, in ceil(height / 8) bytes, byte k holding dots 8k to 8k + 7
// from the top (the page order of SSD1306-style displays). By rows: each row,
// the top first, in ceil(width / 8) bytes, byte k holding dots 8k to 8k + 7
// from the left. firstBit holds a byte's first dot; the next dots take the
// bits below it, or, when it is 0, the bits above.
struct ByteLayout
{
    bool rows = false;
    int firstBit = 6;
};

// The dots one byte holds in a cell: a column's or a row's, at most 8.
int DotsPerByte(bool rows, CellSize cell);

// Whether each of a byte's dots gets a bit of its own.
bool FitsEveryDot(const ByteLayout &layout, CellSize cell);

// The first bits that do, lowest first.
std::vector<int> FittingFirstBits(bool rows, CellSize cell);

// Where a column or row fits one byte, its dots end in bit 0 (columns: bit 6
// the top of 7, as the built-in font is drawn; rows: bit 4 the left of 5);
// where it needs more, the graphic displays' custom: bit 0 the top dot of a
// column, bit 7 the left dot of a row.
ByteLayout DefaultLayout(bool rows, CellSize cell);

// A glyph's bytes: at most 32 columns of 4 bytes each.
struct GlyphBytes
{
    std::array<std::uint8_t, kMaxCellSide * kMaxCellSide / 8> bytes{};
    std::size_t count = 0;
};

std::size_t BytesPerGlyph(const ByteLayout &layout, CellSize cell);

// The glyph's own grid, Width() by Height(), in the layout.
GlyphBytes LayOutGlyph(const Glyph &glyph, const ByteLayout &layout);

} // namespace qxm
