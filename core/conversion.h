#pragma once

#include "core/chardata.h"
#include "core/codepage.h"
#include "core/runtimeerror.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxm {

// Positions and lengths are 16-bit signed numbers, so this is the longest
// text a run accepts.
constexpr std::size_t kMaxTextLength = 32767;

struct GlyphLookup
{
    std::int16_t code = 0;
    std::int16_t slot = 0;
    std::optional<RunTimeError> error;
};

// What a run does with DEL and the C1 controls, which have codes inside the
// font's slots: the converter window writes them like any other character;
// source for a compiler must never carry them, so there they stop the run as
// the codes below 32 do.
enum class ControlCharacters {
    Convert,
    Stop,
};

// The code and font slot of the character at the 1-based position, or the
// run-time error that stops a run there.
GlyphLookup LookUpGlyph(const CodePage &codePage, char16_t character, std::size_t position, ControlCharacters controls);

// Whether the character a code stands for is DEL or a C1 control.
bool IsControlAboveSpace(char16_t character);

// Fills in the error's length, in code units and in characters, and its
// position in characters, from the text it stopped in.
void MeasureText(RunTimeError &error, std::u16string_view text);

// Walks the text the way a conversion run does: the length check first, then
// each character in order until the first one without a slot. onGlyph(slot,
// lookup) runs for every character before the stop; CharPos ends on the
// stopping character, or one past the last after a complete run (where that
// fits in 16 bits: a complete 32767-character run is not an error).
template <typename OnGlyph>
std::optional<RunTimeError> ForEachGlyph(const CodePage &codePage, std::u16string_view text, std::int16_t &CharPos,
                                         ControlCharacters controls, OnGlyph &&onGlyph)
{
    if (text.size() > kMaxTextLength) {
        RunTimeError error;
        error.kind = RunTimeErrorKind::Overflow;
        error.cause = RunTimeError::Cause::TextTooLong;
        MeasureText(error, text);
        return error;
    }
    for (std::size_t index = 0; index < text.size(); ++index) {
        const std::size_t position = index + 1;
        CharPos = static_cast<std::int16_t>(position);
        const GlyphLookup lookup = LookUpGlyph(codePage, text[index], position, controls);
        if (lookup.error) {
            RunTimeError error = *lookup.error;
            MeasureText(error, text);
            return error;
        }
        onGlyph(lookup);
    }
    CharPos = static_cast<std::int16_t>(text.size() < kMaxTextLength ? text.size() + 1 : text.size());
    return std::nullopt;
}

struct ConversionResult
{
    // One DATA line per converted character, each ending in CR LF. After a
    // stop it holds exactly the lines of the characters before the stop.
    std::u16string text;
    std::optional<RunTimeError> error;
};

// Appends "Data <row>  '<character>" and CR LF.
void AppendDataLine(std::u16string &out, const std::u16string &glyphRow, char16_t character);

ConversionResult ConvertText(const CharDataTable &CharData, const CodePage &codePage, std::u16string_view text,
                             std::int16_t &CharPos);
ConversionResult ConvertText(const CharDataTable &CharData, const CodePage &codePage, std::u16string_view text);

} // namespace qxm
