#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qxm {

// Strict UTF-8 to UTF-16: an overlong form, an encoded surrogate, a code
// point past U+10FFFF or a sequence cut off at the end is an error, never a
// replacement character that would convert as if it had been typed.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// One UTF-16 code unit of the Basic Multilingual Plane as UTF-8.
void AppendUtf8(std::string &out, char16_t unit);

// UTF-16 text as UTF-8, unit by unit.
std::string ToUtf8(std::u16string_view text);

} // namespace qxm
