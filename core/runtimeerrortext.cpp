#include "core/runtimeerrortext.h"

#include "core/conversion.h"
#include "core/printabletext.h"
#include "core/utf8.h"

namespace qxm {

namespace {

// Whether a code unit shows as a character of its own: not a control, a
// surrogate, an invisible format character or a private or non-character.
bool IsPrintable(char16_t unit)
{
    return !IsControlCharacter(unit) && !(unit >= 0xD800 && unit <= 0xF8FF) && !(unit >= 0x200B && unit <= 0x200F)
           && !(unit >= 0x2028 && unit <= 0x202E) && !(unit >= 0x2060 && unit <= 0x206F) && unit != 0xFEFF
           && unit < 0xFFF9;
}

std::string NameOf(char16_t character)
{
    switch (character) {
    case u'\t':
        return "tab";
    case u'\n':
        return "line feed";
    case u'\r':
        return "carriage return";
    default:
        break;
    }
    if (IsPrintable(character)) {
        std::string quoted = "'";
        AppendUtf8(quoted, character);
        return quoted + "'";
    }
    return CharacterCode(character);
}

} // namespace

std::string DescribeRunTimeError(const RunTimeError &error)
{
    const std::string kind = error.Kind() == RunTimeErrorKind::Overflow ? "Overflow" : "Subscript out of range";
    const std::string most = std::to_string(kMaxTextLength);
    // Lengths and positions count UTF-16 code units, which a person counts
    // differently once the text holds an emoji: then both counts are given.
    if (error.cause == RunTimeError::Cause::TextTooLong) {
        if (error.lengthInCharacters == error.length)
            return kind + ": the text has " + std::to_string(error.length) + " characters, at most " + most
                   + " can be converted";
        return kind + ": the text has " + std::to_string(error.length) + " code units, at most " + most
               + " can be converted (" + std::to_string(error.lengthInCharacters)
               + " characters: a character outside the Basic Multilingual Plane counts as two)";
    }
    std::string where = std::to_string(error.positionInCharacters);
    if (error.positionInCharacters != error.position)
        where += " (code unit " + std::to_string(error.position) + ")";
    const char *problem = error.cause == RunTimeError::Cause::CodeTooLow         ? "lies below the font"
                          : error.cause == RunTimeError::Cause::ControlCharacter ? "is a control character"
                                                                                 : "has no glyph";
    return kind + ": character " + where + ", " + NameOf(error.character) + " (code " + std::to_string(error.code)
           + "), " + problem;
}

} // namespace qxm
