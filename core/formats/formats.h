#pragma once

#include "core/fontdata.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One writer per format family; fontdata.cpp picks the one a format needs.
namespace qxm {

// Arduino cores other than AVR's, and plain C compilers, have no PROGMEM:
// there the tables simply stay const.
constexpr std::string_view kProgmemPrelude = "#ifdef __AVR__\n"
                                             "#include <avr/pgmspace.h>\n"
                                             "#endif\n"
                                             "#ifndef PROGMEM\n"
                                             "#define PROGMEM\n"
                                             "#endif\n";

// A C constant named after the font, in capitals as C's constants are by
// custom: "#define LEDTEXT_FIRST 32" and a line end.
std::string CConstant(std::string_view name, std::string_view key, long value);

// BASCOM, Great Cow BASIC, Proton BASIC, C and Arduino: one line of source
// per entry.
std::unique_ptr<FontWriter> MakeSourceLinesWriter(const FontDataOptions &options, const GlyphFont &font,
                                                  std::optional<CodeRange> table);

// Font formats, written whole in the footer: MD_MAX72XX's font table, a
// Python font for luma.core.legacy, and a BDF font.
std::unique_ptr<FontWriter> MakeMax72xxWriter(const FontDataOptions &options, const GlyphFont &font);
std::unique_ptr<FontWriter> MakeLumaWriter(const FontDataOptions &options, const GlyphFont &font);
std::unique_ptr<FontWriter> MakeBdfWriter(const FontDataOptions &options, const GlyphFont &font);
// Adafruit GFX: a GFXfont with its glyph table and bitmaps.
std::unique_ptr<FontWriter> MakeAdafruitGfxWriter(const FontDataOptions &options, const GlyphFont &font,
                                                  std::optional<CodeRange> table);

} // namespace qxm
