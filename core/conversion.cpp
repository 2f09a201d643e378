#include "core/conversion.h"

#include "core/checkedarithmetic.h"

namespace qxm {

namespace {

RunTimeError CharacterError(RunTimeError::Cause cause, char16_t character, std::int16_t code, std::size_t position)
{
    RunTimeError error;
    error.cause = cause;
    error.position = position;
    error.character = character;
    error.code = code;
    return error;
}

// Code units, with each surrogate pair counted once.
std::size_t CharacterCount(std::u16string_view text)
{
    std::size_t count = text.size();
    for (std::size_t index = 1; index < text.size(); ++index) {
        if (text[index - 1] >= 0xD800 && text[index - 1] <= 0xDBFF && text[index] >= 0xDC00 && text[index] <= 0xDFFF) {
            --count;
            ++index;
        }
    }
    return count;
}

// Fills in the error's length, in code units and in characters, and its
// position in characters, from the text it stopped in.
RunTimeError Measured(RunTimeError error, std::u16string_view text)
{
    error.length = text.size();
    error.lengthInCharacters = CharacterCount(text);
    if (error.position > 0)
        error.positionInCharacters = CharacterCount(text.substr(0, error.position - 1)) + 1;
    return error;
}

// The code and slot of the character at the 1-based position, or the error
// that stops a run there.
std::optional<RunTimeError> LookUpGlyph(const CodePage &codePage, char16_t character, std::size_t position,
                                        ControlCharacters controls, std::int16_t &code, std::int16_t &slot)
{
    code = codePage.CodeOf(character);
    const auto checked = CheckedSub16(code, kFirstGlyphCode);
    if (!checked)
        return CharacterError(RunTimeError::Cause::CodeTooLow, character, code, position);
    if (*checked < 0 || static_cast<std::size_t>(*checked) >= std::tuple_size_v<CharDataTable>)
        return CharacterError(RunTimeError::Cause::NoGlyphSlot, character, code, position);
    if (controls == ControlCharacters::Stop && IsControlAboveSpace(codePage.CharOf(code)))
        return CharacterError(RunTimeError::Cause::ControlCharacter, character, code, position);
    slot = *checked;
    return std::nullopt;
}

} // namespace

bool IsControlAboveSpace(char16_t character)
{
    return character >= 0x7F && character <= 0x9F;
}

GlyphWalk ForEachGlyph(const CodePage &codePage, std::u16string_view text, ControlCharacters controls,
                       const std::function<void(std::int16_t code, std::int16_t slot)> &onGlyph)
{
    GlyphWalk walk;
    if (text.size() > kMaxTextLength) {
        walk.error = Measured(RunTimeError{}, text);
        return walk;
    }
    for (std::size_t index = 0; index < text.size(); ++index) {
        const std::size_t position = index + 1;
        walk.CharPos = static_cast<std::int16_t>(position);
        std::int16_t code = 0;
        std::int16_t slot = 0;
        if (auto error = LookUpGlyph(codePage, text[index], position, controls, code, slot)) {
            walk.error = Measured(*error, text);
            return walk;
        }
        onGlyph(code, slot);
    }
    walk.CharPos = static_cast<std::int16_t>(text.size() < kMaxTextLength ? text.size() + 1 : text.size());
    return walk;
}

ConversionResult ConvertText(const CharDataTable &CharData, const CodePage &codePage, std::u16string_view text,
                             std::int16_t &CharPos)
{
    ConversionResult result;
    if (text.size() <= kMaxTextLength)
        result.text.reserve(text.size() * kLongestLine);
    const GlyphWalk walk =
        ForEachGlyph(codePage, text, ControlCharacters::Convert, [&](std::int16_t code, std::int16_t slot) {
            const char16_t character = codePage.CharOf(code);
            AppendDataLine(result.text, CharData[static_cast<std::size_t>(slot)], std::u16string_view(&character, 1));
        });
    CharPos = walk.CharPos;
    result.error = walk.error;
    return result;
}

} // namespace qxm
