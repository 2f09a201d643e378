#include "core/conversion.h"

#include "core/checkedarithmetic.h"
#include "core/utf8.h"

namespace qxm {

namespace {

// The font's slots: codes 32 to 288, one past the 8-bit codes, as the
// converter window's table has room for.
constexpr std::int16_t kFirstSlotCode = 32;
constexpr std::int16_t kSlots = 257;

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
        if (IsSurrogatePair(text[index - 1], text[index])) {
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

// The error that stops a run at the character, if any.
std::optional<RunTimeError> CheckGlyph(const CodePage &codePage, char16_t character, std::int16_t code,
                                       std::size_t position, ControlCharacters controls)
{
    const auto slot = CheckedSub16(code, kFirstSlotCode);
    if (!slot)
        return CharacterError(RunTimeError::Cause::CodeTooLow, character, code, position);
    if (*slot < 0 || *slot >= kSlots)
        return CharacterError(RunTimeError::Cause::NoGlyphSlot, character, code, position);
    if (controls == ControlCharacters::Stop && IsControlAboveSpace(codePage.CharOf(code)))
        return CharacterError(RunTimeError::Cause::ControlCharacter, character, code, position);
    return std::nullopt;
}

} // namespace

bool IsControlAboveSpace(char16_t character)
{
    return character >= 0x7F && character <= 0x9F;
}

bool IsControlCharacter(char16_t character)
{
    return character < u' ' || IsControlAboveSpace(character);
}

std::optional<RunTimeError> ForEachGlyph(const CodePage &codePage, std::u16string_view text, ControlCharacters controls,
                                         const std::function<void(std::int16_t code)> &onGlyph)
{
    if (text.size() > kMaxTextLength)
        return Measured(RunTimeError{}, text);
    for (std::size_t index = 0; index < text.size(); ++index) {
        const std::int16_t code = codePage.CodeOf(text[index]);
        if (auto error = CheckGlyph(codePage, text[index], code, index + 1, controls))
            return Measured(*error, text);
        onGlyph(code);
    }
    return std::nullopt;
}

std::int16_t CharPosAfter(std::size_t length, const std::optional<RunTimeError> &stop)
{
    if (stop)
        return static_cast<std::int16_t>(stop->position);
    return static_cast<std::int16_t>(length < kMaxTextLength ? length + 1 : kMaxTextLength);
}

} // namespace qxm
