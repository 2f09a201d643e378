#pragma once

#include <string>
#include <string_view>

namespace qxm {

// "U+001B": how a message names a character it cannot show as itself.
std::string CharacterCode(char32_t character);

// Text from a file or an argument as a message may show it: each control
// character (C0, DEL or C1), which a terminal would obey rather than show,
// written as its code; with asciiOnly every character past ASCII too, for a
// terminal whose character set is not UTF-8.
std::u16string PrintableText(std::u16string_view text, bool asciiOnly);

} // namespace qxm
