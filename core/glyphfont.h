#pragma once

#include "core/glyph.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxm {

// A font for the display: the glyph of each 8-bit code, or none, all drawn
// for one cell.
struct GlyphFont
{
    CellSize cell = kDesignCell;
    // Rows from the cell's top to the baseline, where letters without a
    // descender end: libraries that draw from a baseline need it.
    int ascent = kDesignCell.height;
    // Each glyph keeps only its lit columns (see Trimmed), for proportional
    // text.
    bool proportional = false;
    std::array<std::optional<Glyph>, 256> glyphs;
};

// The glyph a code shows: the font's, or dark where it has none (as wide as
// a space in a proportional font). Codes past 255 have none.
Glyph GlyphOf(const GlyphFont &font, std::int16_t code);

// The program's own font, the converter window's table: codes 32 to 126 in
// 5 by 7 dots.
const GlyphFont &BuiltInFont();

// The font with each glyph in the top-left corner of a cell at least as
// large as its own; nothing when the cell is smaller.
std::optional<GlyphFont> FontInCell(const GlyphFont &font, CellSize cell);

// Each glyph cut to its lit columns, for proportional text (see Trimmed).
GlyphFont ProportionalFont(const GlyphFont &font);

// "5 by 7", as messages give a size.
std::string SizeInWords(CellSize size);

// The smallest cell that takes both a font drawn for `font` and the
// display's `cell`; nothing when that is past the largest cell.
std::optional<CellSize> CellTaking(CellSize font, CellSize cell);

// "6x10", as --size takes a cell.
std::string CellArgument(CellSize cell);

// Why a font does not fit a cell, and the cell that would take it: "... is
// 6 by 10 dots, larger than the display's 5 by 7: a cell of 6x10 (--size
// 6x10) takes it". Without sizeOption, for a front end that names the cell
// its own way, the option in brackets is left out.
std::string LargerThanCell(CellSize font, CellSize cell, std::string_view sizeOption = "--size");

} // namespace qxm
