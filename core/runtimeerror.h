#pragma once

#include <cstddef>
#include <cstdint>

namespace qxm {

enum class RunTimeErrorKind {
    Overflow,
    SubscriptOutOfRange,
};

// Why a conversion run stopped, with what a person needs to find the place.
struct RunTimeError
{
    enum class Cause {
        TextTooLong,      // the whole text was refused; nothing converted
        NoGlyphSlot,      // the character's code lies outside the font's slots
        CodeTooLow,       // code - 32 does not fit a 16-bit number
        ControlCharacter, // DEL or a C1 control, where a run stops at them
    };

    Cause cause = Cause::TextTooLong;
    std::size_t length = 0;   // length of the text, in UTF-16 code units
    std::size_t position = 0; // 1-based; 0 with TextTooLong
    // The same two as a person counts them: a surrogate pair, one character
    // on screen, is two code units.
    std::size_t lengthInCharacters = 0;
    std::size_t positionInCharacters = 0;
    char16_t character = 0; // the code unit at position
    std::int16_t code = 0;  // its code in the code page

    // Numbers that do not fit overflow; a code outside the font's slots is a
    // subscript out of their range.
    RunTimeErrorKind Kind() const
    {
        return cause == Cause::TextTooLong || cause == Cause::CodeTooLow ? RunTimeErrorKind::Overflow
                                                                         : RunTimeErrorKind::SubscriptOutOfRange;
    }
};

} // namespace qxm
