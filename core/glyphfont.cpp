#include "core/glyphfont.h"

#include "core/chardata.h"

#include <algorithm>

namespace qxm {

const GlyphFont &BuiltInFont()
{
    static const GlyphFont font = [] {
        GlyphFont filled;
        FillCharData(filled);
        return filled;
    }();
    return font;
}

std::optional<GlyphFont> FontInCell(const GlyphFont &font, CellSize cell)
{
    if (font.cell.width > cell.width || font.cell.height > cell.height)
        return std::nullopt;
    GlyphFont placed;
    placed.cell = cell;
    placed.ascent = font.ascent;
    for (std::size_t code = 0; code < font.glyphs.size(); ++code) {
        if (font.glyphs[code])
            placed.glyphs[code] = InCell(*font.glyphs[code], cell);
    }
    return placed;
}

Glyph GlyphOf(const GlyphFont &font, std::int16_t code)
{
    const auto index = static_cast<std::size_t>(code);
    if (code >= 0 && index < font.glyphs.size() && font.glyphs[index])
        return *font.glyphs[index];
    return Glyph(font.proportional ? BlankWidth(font.cell) : font.cell.width, font.cell.height);
}

GlyphFont ProportionalFont(const GlyphFont &font)
{
    GlyphFont proportional = font;
    proportional.proportional = true;
    for (std::optional<Glyph> &glyph : proportional.glyphs) {
        if (glyph)
            glyph = Trimmed(*glyph, BlankWidth(font.cell));
    }
    return proportional;
}

std::string SizeInWords(CellSize size)
{
    return std::to_string(size.width) + " by " + std::to_string(size.height);
}

std::optional<CellSize> CellTaking(CellSize font, CellSize cell)
{
    const CellSize needed{std::max(font.width, cell.width), std::max(font.height, cell.height)};
    if (needed.width > kMaxCellSide || needed.height > kMaxCellSide)
        return std::nullopt;
    return needed;
}

std::string CellArgument(CellSize cell)
{
    return std::to_string(cell.width) + "x" + std::to_string(cell.height);
}

std::string LargerThanCell(CellSize font, CellSize cell, std::string_view sizeOption)
{
    const std::string larger = "is " + SizeInWords(font) + " dots, larger than the display's " + SizeInWords(cell);
    const CellSize largest{kMaxCellSide, kMaxCellSide};
    const std::optional<CellSize> needed = CellTaking(font, cell);
    if (!needed)
        return larger
               + (cell == largest ? ", the largest cell" : " and than the largest cell, " + SizeInWords(largest));
    const std::string argument = CellArgument(*needed);
    const std::string option = sizeOption.empty() ? "" : " (" + std::string(sizeOption) + " " + argument + ")";
    return larger + ": a cell of " + argument + option + " takes it";
}

} // namespace qxm
