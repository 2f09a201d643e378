#pragma once

#include "core/codepage.h"
#include "core/glyphfont.h"
#include "core/runtimeerror.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxm {

// How a glyph's dots are packed into bytes: one byte per column (7 dots, top
// first, leftmost column first) or one per row (5 dots, leftmost first, top
// row first). firstBit holds a byte's first dot; the next dots take the bits
// below it, or, when it is 0, the bits above.
struct ByteLayout
{
    bool rows = false;
    int firstBit = 6;
};

constexpr int kColumnsFirstBit = 6; // the built-in font's own layout
constexpr int kRowsFirstBit = 4;    // a row's five dots in the low bits, as row-scanned matrices take them

// Whether each of a byte's dots gets a bit of its own.
bool FitsEveryDot(const ByteLayout &layout);

struct GlyphBytes
{
    std::array<std::uint8_t, kGlyphRows> bytes{};
    std::size_t count = 0;
};

GlyphBytes LayOutGlyph(const GlyphColumns &glyph, const ByteLayout &layout);

// The source text formats by name, the default first.
std::vector<std::string_view> FontDataFormats();

// Whether the format's language reserves the name, so that a label, table or
// array of that name would not compile or would mean something else.
bool IsReservedName(std::string_view format, std::string_view name);

struct FontDataOptions
{
    std::string_view format = "bascom"; // one of FontDataFormats()
    ByteLayout layout;
    std::string name = "LedText"; // a label, table or array name, UTF-8
    bool named = false;           // the name was chosen rather than defaulted
};

// The options of a run as qxm-convert's command line gives them: a format's
// name, rows or columns, the first bit and the name as typed, nothing for
// the defaults. refusal says why they are refused, in qxm-convert's words,
// and is empty when they are taken.
struct OptionsChoice
{
    FontDataOptions options;
    std::string refusal;
};
OptionsChoice ChooseOptions(std::string_view format, bool rows, std::optional<std::string_view> firstBit,
                            std::optional<std::string_view> name);

// What comes before and after the lines of texts, UTF-8: a label, a table's
// or an array's opening and closing. The footer of an array names the number
// of lines written before it, count, and keeps an array of none valid C.
std::string FontDataHeader(const FontDataOptions &options);
std::string FontDataFooter(const FontDataOptions &options, std::size_t count);

struct FontDataResult
{
    // UTF-8, one line per character converted. After a stop it holds the
    // lines of the characters before the stop, as the conversion would.
    std::string text;
    std::size_t count = 0; // the lines in text
    std::optional<RunTimeError> error;
};

// The lines of a text, walked and stopped exactly as the conversion walks
// and stops it, and stopped at DEL and the C1 controls too: source for a
// compiler never carries a raw control character.
FontDataResult FormatText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text,
                          const FontDataOptions &options);

// The whole font as a table indexed by code, in its frame: one entry for
// every code from the font's first glyph to its last, blank where a code has
// none, with the first and last codes as named constants. A control
// character's comment gives its code instead of the character.
std::string FormatTable(const GlyphFont &font, const CodePage &codePage, const FontDataOptions &options);

} // namespace qxm
