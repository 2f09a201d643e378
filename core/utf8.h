#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qxm {

// Strict UTF-8 to UTF-16: an overlong form, an encoded surrogate, a code
// point past U+10FFFF or a sequence cut off at the end is an error, never a
// replacement character that would convert as if it had been typed.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// Whether two code units are a surrogate pair: one character past the Basic
// Multilingual Plane, an emoji say.
constexpr bool IsSurrogatePair(char16_t high, char16_t low)
{
    return high >= 0xD800 && high <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF;
}

// The character a surrogate pair stands for.
constexpr char32_t FromSurrogatePair(char16_t high, char16_t low)
{
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
}

// One UTF-16 code unit of the Basic Multilingual Plane as UTF-8.
void AppendUtf8(std::string &out, char16_t unit);

// UTF-16 text as UTF-8, each surrogate pair as the one character it is.
std::string ToUtf8(std::u16string_view text);

} // namespace qxm
