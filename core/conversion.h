#pragma once

#include "core/chardata.h"
#include "core/codepage.h"
#include "core/runtimeerror.h"
#include "core/utf8.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qxm {

// Positions and lengths are 16-bit signed numbers, so this is the longest
// text a run accepts.
constexpr std::size_t kMaxTextLength = 32767;

// Room for the longest line of any format, the converter window's included,
// so that a text is written without growing its buffer.
constexpr std::size_t kLongestLine = 64;

// What a run does with DEL and the C1 controls, which have codes inside the
// font's slots: the converter window writes them like any other character;
// source for a compiler must never carry them, so there they stop the run as
// the codes below 32 do.
enum class ControlCharacters {
    Convert,
    Stop,
};

// Whether the character a code stands for is DEL or a C1 control.
bool IsControlAboveSpace(char16_t character);

struct GlyphWalk
{
    std::optional<RunTimeError> error;
    // On the stopping character, or one past the last after a complete run
    // (where that fits in 16 bits: a complete 32767-character run is not an
    // error).
    std::int16_t CharPos = 0;
};

// Walks the text the way a conversion run does: the length check first, then
// each character in order until the first one without a slot. onGlyph(code,
// slot) runs for every character before the stop.
GlyphWalk ForEachGlyph(const CodePage &codePage, std::u16string_view text, ControlCharacters controls,
                       const std::function<void(std::int16_t code, std::int16_t slot)> &onGlyph);

// UTF-16 text appended as it is, or as UTF-8.
inline void AppendText(std::u16string &out, std::u16string_view text)
{
    out.append(text);
}
inline void AppendText(std::string &out, std::u16string_view text)
{
    for (const char16_t unit : text)
        AppendUtf8(out, unit);
}

// The converter window's line: "Data ", the glyph row, "  '", the comment
// (the character) and CR LF, as UTF-16 for the window or UTF-8 for a file.
template <typename Text, typename GlyphRow, typename Comment>
void AppendDataLine(Text &out, const GlyphRow &glyphRow, const Comment &comment)
{
    constexpr std::u16string_view kDataWord = u"Data ";
    constexpr std::u16string_view kCommentMark = u"  '";
    constexpr std::u16string_view kLineEnd = u"\r\n";
    AppendText(out, kDataWord);
    out.append(glyphRow.begin(), glyphRow.end());
    AppendText(out, kCommentMark);
    out.append(comment.begin(), comment.end());
    AppendText(out, kLineEnd);
}

struct ConversionResult
{
    // One DATA line per converted character, each ending in CR LF. After a
    // stop it holds exactly the lines of the characters before the stop.
    std::u16string text;
    std::optional<RunTimeError> error;
};

ConversionResult ConvertText(const CharDataTable &CharData, const CodePage &codePage, std::u16string_view text,
                             std::int16_t &CharPos);

} // namespace qxm
