#pragma once

#include "core/glyph.h"
#include "core/glyphfont.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxm {

class CodePage;

struct FontFileResult
{
    // The glyph of each code from 32 to 255 whose character the font has,
    // in the top-left corner of the display's cell.
    std::optional<GlyphFont> font;
    // Why the file gave no font, naming it; empty when it did.
    std::u16string error;
    // The font's own cell, when it was refused as larger than the display's:
    // the error then ends in LargerThanCell's words.
    std::optional<CellSize> largerCell;
};

// Reads any font FreeType opens (BDF, PCF, compressed or not, a bitmap strike
// or a scalable outline) into glyphs for the display. Each code is looked up
// by its character in the code page. A bitmap font that does not fit the
// display's cell is refused as a whole: its maker drew every dot, and a
// display showing some of them cut off is worse than a clear refusal. An
// outline is drawn at the largest size that fits, cut to the cell. Memory
// and time stay within a fixed budget whatever the file describes. A font
// larger than the cell is refused naming the cell that takes it, with
// `sizeOption` as LargerThanCell gives it.
FontFileResult ReadFontFile(const std::filesystem::path &file, const CodePage &codePage, CellSize cell,
                            std::string_view sizeOption = "--size");

// The same for a font file's bytes already in memory; `file` only names it in
// messages.
FontFileResult ReadFontBytes(std::vector<char> bytes, const std::filesystem::path &file, const CodePage &codePage,
                             CellSize cell, std::string_view sizeOption = "--size");

} // namespace qxm
