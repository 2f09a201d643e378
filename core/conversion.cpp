#include "core/conversion.h"

#include "core/checkedarithmetic.h"

namespace qxm {

namespace {

constexpr std::u16string_view kDataWord = u"Data ";
constexpr std::u16string_view kCommentMark = u"  '";
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::size_t kLongestLine = kDataWord.size() + kGlyphRowLength + kCommentMark.size() + 1 + kLineEnd.size();

RunTimeError CharacterError(RunTimeErrorKind kind, RunTimeError::Cause cause, char16_t character, std::int16_t code,
                            std::size_t position)
{
    RunTimeError error;
    error.kind = kind;
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

} // namespace

void MeasureText(RunTimeError &error, std::u16string_view text)
{
    error.length = text.size();
    error.lengthInCharacters = CharacterCount(text);
    if (error.position > 0)
        error.positionInCharacters = CharacterCount(text.substr(0, error.position - 1)) + 1;
}

bool IsControlAboveSpace(char16_t character)
{
    return character >= 0x7F && character <= 0x9F;
}

GlyphLookup LookUpGlyph(const CodePage &codePage, char16_t character, std::size_t position, ControlCharacters controls)
{
    GlyphLookup lookup;
    lookup.code = codePage.CodeOf(character);
    const auto slot = CheckedSub16(lookup.code, kFirstGlyphCode);
    if (!slot) {
        lookup.error = CharacterError(RunTimeErrorKind::Overflow, RunTimeError::Cause::CodeTooLow, character,
                                      lookup.code, position);
        return lookup;
    }
    if (*slot < 0 || static_cast<std::size_t>(*slot) >= std::tuple_size_v<CharDataTable>) {
        lookup.error = CharacterError(RunTimeErrorKind::SubscriptOutOfRange, RunTimeError::Cause::NoGlyphSlot,
                                      character, lookup.code, position);
        return lookup;
    }
    if (controls == ControlCharacters::Stop && IsControlAboveSpace(codePage.CharOf(lookup.code))) {
        lookup.error = CharacterError(RunTimeErrorKind::SubscriptOutOfRange, RunTimeError::Cause::ControlCharacter,
                                      character, lookup.code, position);
        return lookup;
    }
    lookup.slot = *slot;
    return lookup;
}

void AppendDataLine(std::u16string &out, const std::u16string &glyphRow, char16_t character)
{
    out.append(kDataWord).append(glyphRow).append(kCommentMark);
    out.push_back(character);
    out.append(kLineEnd);
}

ConversionResult ConvertText(const CharDataTable &CharData, const CodePage &codePage, std::u16string_view text,
                             std::int16_t &CharPos)
{
    ConversionResult result;
    if (text.size() <= kMaxTextLength)
        result.text.reserve(text.size() * kLongestLine);
    result.error = ForEachGlyph(codePage, text, CharPos, ControlCharacters::Convert, [&](const GlyphLookup &lookup) {
        AppendDataLine(result.text, CharData[static_cast<std::size_t>(lookup.slot)], codePage.CharOf(lookup.code));
    });
    return result;
}

ConversionResult ConvertText(const CharDataTable &CharData, const CodePage &codePage, std::u16string_view text)
{
    std::int16_t CharPos = 0;
    return ConvertText(CharData, codePage, text, CharPos);
}

} // namespace qxm
