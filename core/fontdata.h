#pragma once

#include "core/bytelayout.h"
#include "core/codepage.h"
#include "core/conversion.h"
#include "core/glyphfont.h"
#include "core/runtimeerror.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxm {

// What a run writes. Chosen once, where the user names it, and passed on as
// this value.
enum class Format {
    Bascom,
    Gcb,
    Proton,
    C,
    Arduino,
    AdafruitGfx,
    Max72xx,
    Luma,
    Bdf,
};

struct FormatInfo
{
    std::string_view id;          // as -f takes it
    std::string_view description; // what it is for, in a few words
    std::string_view extension;   // the usual file name ending
    Format format;
    bool basic; // a BASIC dialect: CR LF line ends, names in any case
    // A library's font, written whole at the end rather than a line per
    // character: without a text it is the whole font.
    bool font;
};

// Every format, the default first.
const std::vector<FormatInfo> &FontDataFormats();
const FormatInfo &InfoOf(Format format);

struct FontDataOptions
{
    Format format = Format::Bascom;
    CellSize cell = kDesignCell;
    // The cell was chosen, so the output states it for the program that
    // reads the glyphs; without a choice the output stays as it always was.
    bool cellChosen = false;
    ByteLayout layout = DefaultLayout(false, kDesignCell);
    bool proportional = false;
    std::string name = "LedText"; // a label, table or array name, ASCII
    bool named = false;           // the name was chosen rather than defaulted
    // A C function beside the font that finds a UTF-8 character's glyph.
    bool lookup = false;
};

// The options as the command line gives them: text as typed, nothing for
// what was left out.
struct OptionChoices
{
    std::string_view format = "bascom";
    bool rows = false;
    std::optional<std::string_view> firstBit;
    std::optional<std::string_view> name;
    std::optional<std::string_view> size;
    bool proportional = false;
    bool table = false; // the whole font rather than a text
    bool lookup = false;
};

// The options taken, or why they are refused, in qxm-convert's words
// (refusal is empty when they are taken).
struct OptionsChoice
{
    FontDataOptions options;
    std::string refusal;
};
OptionsChoice ChooseOptions(const OptionChoices &choices);

// Whether the format's language reserves the name, so that a label, table or
// array of that name would not compile or would mean something else.
bool IsReservedName(Format format, std::string_view name);

// The font a run draws from: in the options' cell, and trimmed to each
// glyph's lit columns when proportional.
GlyphFont FontForRun(const GlyphFont &fontInCell, const FontDataOptions &options);

// One entry of the output: a character of a text, or a code of the whole
// font.
struct Entry
{
    std::int16_t code = 0;
    char16_t character = 0;       // what the code stands for
    const Glyph *glyph = nullptr; // none where the font has none
    // A code of the whole font without a glyph, kept so that the table's
    // index still holds.
    bool placeholder = false;
};

// Writes one format: what comes before the entries, each entry, and what
// closes the frame, so that even a stopped run leaves well-formed source.
class FontWriter
{
public:
    virtual ~FontWriter() = default;
    virtual std::string Header() const = 0;
    // An entry's text depends on the entry alone, so that a run may write it
    // once per code and copy it after.
    virtual void AppendEntry(std::string &out, const Entry &entry) const = 0;
    // Told of every entry written, in order, before the footer.
    virtual void Note(const Entry &entry) = 0;
    virtual std::string Footer() const = 0;
};

// The codes of the whole font, when that is what is written.
struct CodeRange
{
    std::int16_t first = 0;
    std::int16_t last = -1;
};

// Whether the format lays out its bytes by --rows and --first-bit; the
// library formats lay them out as their library reads them.
bool TakesByteLayout(Format format);

// The writer of the options' format, for a text (no range) or for the whole
// font.
std::unique_ptr<FontWriter> MakeWriter(const FontDataOptions &options, const GlyphFont &font,
                                       std::optional<CodeRange> table = std::nullopt);

struct FontDataResult
{
    // UTF-8, one entry per character converted. After a stop it holds the
    // entries of the characters before the stop.
    std::string text;
    std::optional<RunTimeError> error;
};

// The entries of a text, walked and stopped as every run walks and stops it.
FontDataResult FormatText(FontWriter &writer, const GlyphFont &font, const CodePage &codePage, std::u16string_view text,
                          ControlCharacters controls = ControlCharacters::Stop);

// The converter window's conversion: its Data lines of the text, with the
// window's rules (controls convert, a code without a glyph has no bytes).
FontDataResult ConvertText(const GlyphFont &CharData, const CodePage &codePage, std::u16string_view text);

// The codes from the font's first glyph to its last.
CodeRange GlyphRange(const GlyphFont &font);

// The whole font, indexed by code, in its frame: one entry for every code
// from the font's first glyph to its last, a placeholder where a code has
// none, with the first and last codes as named constants.
std::string FormatTable(const GlyphFont &font, const CodePage &codePage, const FontDataOptions &options);

} // namespace qxm
